#pragma once

#include <QWidget>

class MonthNavigator;
class QComboBox;
class QLabel;
class QToolButton;

// Panel5, the bar above the register: the account box with its "..." button, the
// account's balance and, on the right, the month panel.
class AccountBar : public QWidget
{
    Q_OBJECT
public:
    explicit AccountBar(QWidget *parent = nullptr);

    QComboBox *cmbAccounts() const { return m_cmbAccounts; }
    QToolButton *btnNewAccount() const { return m_btnNewAccount; }
    QLabel *lblAccountStatus() const { return m_lblAccountStatus; }
    MonthNavigator *pnlMonth() const { return m_pnlMonth; }

private:
    QComboBox *m_cmbAccounts;
    QToolButton *m_btnNewAccount;
    QLabel *m_lblAccountStatus;
    MonthNavigator *m_pnlMonth;
};
