#pragma once

#include "core/reports/reportitemkind.h"

#include <QDialog>
#include <functional>

class BarListView;
class DateRangeEdits;
class QGroupBox;
class QPushButton;
class QRadioButton;
class TMyDataModule;
class Notifier;

// "Graphical Reports": the net sum of every payee or every category over a date range,
// one bar each with its label and value beside it, from the most negative to the most
// positive; the list scrolls when there are many. Redrawn at every change of dates or
// kind.
class TfrmGraphReports : public QDialog
{
    Q_OBJECT
public:
    TfrmGraphReports(TMyDataModule &db, Notifier &notifier, QWidget *parent = nullptr,
                     std::function<QDate()> today = {});

    DateRangeEdits *dates;
    QRadioButton *rdPayee;
    QRadioButton *rdCategories;
    QGroupBox *GroupBox1;
    BarListView *Chart1;
    QPushButton *btnPrint;
    QPushButton *btnClose;

    ReportItemKind kind() const;
    void PlotNetTotals();

private:
    TMyDataModule &m_db;
    Notifier &m_notifier;
};
