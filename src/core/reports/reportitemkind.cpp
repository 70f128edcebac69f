#include "core/reports/reportitemkind.h"

const ReportItemColumns &ColumnsOf(ReportItemKind kind)
{
    static const ReportItemColumns payees{QStringLiteral("tbPayee"), QStringLiteral("PayeeId"),
                                          QStringLiteral("PayeeName")};
    static const ReportItemColumns categories{QStringLiteral("tbCategory"), QStringLiteral("CategoryId"),
                                              QStringLiteral("CategoryDescription")};
    return kind == ReportItemKind::Payees ? payees : categories;
}

QString NameNotSetText(ReportItemKind kind)
{
    return kind == ReportItemKind::Payees ? QStringLiteral("(Payee name not set)")
                                          : QStringLiteral("(Category name not set)");
}

QString ItemLabel(ReportItemKind kind, const QString &name)
{
    return name.isEmpty() ? NameNotSetText(kind) : name;
}

QString BudgetKindLetter(ReportItemKind kind)
{
    return kind == ReportItemKind::Payees ? QStringLiteral("P") : QStringLiteral("C");
}
