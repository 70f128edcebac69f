#pragma once

#include "core/register/shownmonth.h"

#include <QWidget>

class QComboBox;
class QMenu;
class QPushButton;
class QToolButton;

// pnlMonth: the month button with its pop-up of month names, the year list and the
// "<", "Today" and ">" buttons. Any change made by the user raises monthChosen();
// showMonth() called by the program does not.
class MonthNavigator : public QWidget
{
    Q_OBJECT
public:
    explicit MonthNavigator(QWidget *parent = nullptr);

    ShownMonth shownMonth() const;
    // Shows the month without raising monthChosen(); a month or year outside the
    // list is brought into it.
    void showMonth(ShownMonth month);
    // One month on or back, then monthChosen(); nothing at all at the list's ends.
    void StepMonth(bool forward);

    QToolButton *btnMonths() const { return m_btnMonths; }
    QMenu *popupMonths() const { return m_popupMonths; }
    QComboBox *edtYears() const { return m_edtYears; }
    QPushButton *btnLessDate() const { return m_btnLessDate; }
    QPushButton *btnToday() const { return m_btnToday; }
    QPushButton *btnMoreDate() const { return m_btnMoreDate; }

signals:
    void monthChosen();

private:
    void setMonthButton(int month);

    QToolButton *m_btnMonths;
    QMenu *m_popupMonths;
    QComboBox *m_edtYears;
    QPushButton *m_btnLessDate;
    QPushButton *m_btnToday;
    QPushButton *m_btnMoreDate;
    int m_month = 1; // the Tag of btnMonths
};
