#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;

// Picks the data-file account an account reference of an import file is linked to.
// ChosenAccount is the chosen name after "Choose" and empty after "Cancel".
class TfrmChooseAccount : public QDialog
{
    Q_OBJECT
public:
    TfrmChooseAccount(const QStringList &accounts, QWidget *parent = nullptr);

    QString ChosenAccount;

    QComboBox *cmbAccounts = nullptr;
    QPushButton *btnChoose = nullptr;
    QPushButton *btnCancel = nullptr;

private:
    void btnChooseClick();
    void btnCancelClick();
};
