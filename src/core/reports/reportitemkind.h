#pragma once

#include <QString>

// Whether a report is about payees or about categories.
enum class ReportItemKind { Payees, Categories };

// Where each kind lives in the data file. Only these fixed names ever reach SQL text.
struct ReportItemColumns
{
    QString table;      // tbPayee / tbCategory
    QString idColumn;   // PayeeId / CategoryId
    QString nameColumn; // PayeeName / CategoryDescription
};
const ReportItemColumns &ColumnsOf(ReportItemKind kind);

// "(Payee name not set)" / "(Category name not set)": shown for an item without a name.
QString NameNotSetText(ReportItemKind kind);
// The name, or NameNotSetText when it is empty.
QString ItemLabel(ReportItemKind kind, const QString &name);
// The kind letter of DailyBudget: "P" or "C".
QString BudgetKindLetter(ReportItemKind kind);
