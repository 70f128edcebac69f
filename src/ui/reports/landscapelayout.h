#pragma once

#include "ui/reports/engine/reportlayout.h"

// The frame of the program's printed reports: A4 landscape, the page title and the
// title at the left, the program's name and web address in the footer.
ReportLayout LandscapeReportLayout(const QString &pageTitle, const QString &title);

// The same for a list of lines in the given columns: a rule under each line, and the
// footer and the page number aligned with the rule's ends.
ReportLayout LandscapeListLayout(const QString &pageTitle, const QString &title, QList<ReportColumn> columns);
