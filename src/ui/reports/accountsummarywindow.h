#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TMyDataModule;
class TPubStrGrid;
struct ProgramOptions;
class Notifier;

// "Account Summary": every account's balance in the base currency and the total, in
// bold, under it. Rebuilt each time the window is activated; read-only.
class TfrmAccountSummary : public QDialog
{
    Q_OBJECT
public:
    TfrmAccountSummary(TMyDataModule &db, const ProgramOptions &options, Notifier &notifier, QWidget *parent = nullptr);

    QLabel *lblStatus;
    TPubStrGrid *StringGridAccounts;
    QPushButton *btnOK;
    QLabel *Label1;

    // FormActivate: fills the grid from the data file.
    void LoadSummary();

protected:
    bool event(QEvent *event) override;

private:
    void fitColumns();

    TMyDataModule &m_db;
    const ProgramOptions &m_options;
    Notifier &m_notifier;
};
