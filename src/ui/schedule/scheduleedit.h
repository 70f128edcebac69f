#pragma once

#include "core/schedule/schedulevalues.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabBar;
class Notifier;
class TMyDataModule;

// The schedule editor: what to enter (type, account, payee, category, amount, note,
// as in the entry panel), when (first due date, repeat, end) and whether it is
// entered without asking. "Save" checks and stores through SaveScheduleValues and
// closes only when the schedule was stored.
class TfrmScheduleEdit : public QDialog
{
    Q_OBJECT
public:
    TfrmScheduleEdit(TMyDataModule &db, Notifier &notifier, QWidget *parent = nullptr);

    void setValues(const ScheduleValues &values);
    ScheduleValues values() const;
    // The stored schedule's number after a save; 0 before.
    int savedId() const { return m_savedId; }

    QTabBar *tbType = nullptr;
    QComboBox *cmbAccount = nullptr;
    QComboBox *cmbTransferTo = nullptr;
    QComboBox *cmbPayee = nullptr;
    QComboBox *cmbCategory = nullptr;
    QLineEdit *txtAmt = nullptr;
    QPlainTextEdit *memoNote = nullptr;
    QDateEdit *dtFirst = nullptr;
    QRadioButton *rbOnce = nullptr;
    QRadioButton *rbEvery = nullptr;
    QSpinBox *spnInterval = nullptr;
    QComboBox *cmbPeriod = nullptr;
    QRadioButton *rbNever = nullptr;
    QRadioButton *rbAfter = nullptr;
    QSpinBox *spnCount = nullptr;
    QRadioButton *rbOnDate = nullptr;
    QDateEdit *dtEnd = nullptr;
    QCheckBox *chkAutoEnter = nullptr;
    QPushButton *btnSave = nullptr;
    QPushButton *btnCancel = nullptr;

private:
    void buildControls();
    void buildLayout();
    void updateEnabled();
    void btnSaveClick();
    void focusField(ScheduleField field);

    TMyDataModule &m_db;
    Notifier &m_notifier;
    int m_scheduleId = 0;
    int m_dayOfMonth = 0;
    QDate m_firstShown;
    int m_savedId = 0;
};
