#include "ui/reports/landscapelayout.h"

#include "core/base/notices.h"

ReportLayout LandscapeReportLayout(const QString &pageTitle, const QString &title)
{
    ReportLayout layout;
    layout.orientation = QPageLayout::Landscape;
    layout.marginMm = 12.7;
    layout.pageTitle = pageTitle;
    layout.pageTitleLeftMm = 4.8;
    layout.title = title;
    layout.titleLeftMm = 4.8;
    layout.footerText = QStringLiteral("Tillbrook - ") + QLatin1String(MakerWebAddress);
    return layout;
}

ReportLayout LandscapeListLayout(const QString &pageTitle, const QString &title, QList<ReportColumn> columns)
{
    ReportLayout layout = LandscapeReportLayout(pageTitle, title);
    layout.columns = std::move(columns);
    layout.ruleLeftMm = 6.4;
    layout.ruleWidthMm = 264.1;
    layout.footerLeftMm = 6.4;
    layout.pageNumberRightMm = 263.8;
    return layout;
}
