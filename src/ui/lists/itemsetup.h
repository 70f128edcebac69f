#pragma once

#include "core/base/money.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// What the item setup dialog hands back.
struct TMyResult
{
    QString Description;
    bool IsExpense = false;
    Money Amount;
    QString Frequency; // " " for the blank entry, empty when none was chosen
};

// Name, type and budget of one payee or category. Writes nothing itself: the caller
// stores the result.
class TfrmItemSetup : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmItemSetup(QWidget *parent = nullptr);

    QString TitleText;
    QString InitialDescription;
    bool InitialIsExpense = false;
    Money InitialAmount;
    QString InitialFrequency;
    // 0 after "Ok"; 1 after "Cancel" or any other way of closing.
    int Cancelled = 1;

    QLabel *lblTitle = nullptr;
    QLineEdit *edtName = nullptr;
    QRadioButton *rbExpense = nullptr;
    QRadioButton *rbIncome = nullptr;
    QLineEdit *txtAmt = nullptr;
    QComboBox *cmbFrequency = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

    // The values entered, or the initial ones after Cancel. Throws TillbrookError when
    // the amount is not a number (a lone ".").
    TMyResult itemResult() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void btnOKClick();
    void btnCancelClick();
};

// Shows the dialog modally with the given caption, title (shown after two blanks)
// and initial values, and returns what was entered (the initial values on Cancel).
// Throws TillbrookError when the amount entered is not a number.
TMyResult RunItemSetup(QWidget *parent, const QString &caption, const QString &title,
                       const QString &description, bool isExpense, Money amount,
                       const QString &frequency);
