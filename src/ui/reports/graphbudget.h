#pragma once

#include "core/reports/reportitemkind.h"

#include <QDialog>
#include <functional>

class DateRangeEdits;
class QCheckBox;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TMyDataModule;
class Notifier;

// "Budgets": what one payee or category actually cost or brought in, per date or per
// month, against what its budget allows there. Paid out reads positive, received
// negative, so an expense budget is a ceiling for the actual line.
class TfrmGraphBudget : public QDialog
{
    Q_OBJECT
public:
    TfrmGraphBudget(TMyDataModule &db, Notifier &notifier, QWidget *parent = nullptr,
                    std::function<QDate()> today = {});

    DateRangeEdits *dates;
    QRadioButton *rdPayee;
    QRadioButton *rdCategories;
    QComboBox *cmbLists;
    QLabel *lblNoTransactions;
    QChartView *chartView;
    QChart *Chart1;
    QLabel *lblBudgetNotSet;
    QCheckBox *chkGroupByMonth;
    QPushButton *btnPrint;
    QPushButton *btnClose;

    ReportItemKind kind() const;
    void FillBudgetItemList();
    void RefreshBudgetChart();

private:
    void PlotBudgetByDay();
    void PlotBudgetByMonth();
    // Shows the chart when there are points, else "No Transactions ...".
    void showPoints(bool any);
    int selectedItem() const;

    TMyDataModule &m_db;
    Notifier &m_notifier;
};
