#pragma once

#include "core/exchange/importlinks.h"
#include "core/exchange/qifstaging.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TMultiColListbox;
struct RegisterState;
struct Session;

// Reads a QIF file and stores its transactions in the open data file, in three
// steps: "Browse" picks the file, "Import" reads it and lists the accounts it refers
// to, and "Process", once each is linked to an account of the data file (double click
// on the list), stores everything in one database transaction.
class TfrmImport : public QDialog
{
    Q_OBJECT
public:
    TfrmImport(Session &session, const RegisterState &registerState, QWidget *parent = nullptr);

    // Asks for the file to import; replaced by tests. Empty when none was chosen.
    std::function<QString(QWidget *parent, const QString &startFolder)> chooseFile;

    // True once "Process" has stored an import.
    bool imported() const { return m_imported; }
    const ImportLinks &links() const { return m_links; }

    void btnBrowseClick();
    void btnImportClick();
    void btnProcessClick();
    void lstAccountListDblClick();

    QLineEdit *edtImport = nullptr;
    QPushButton *btnBrowse = nullptr;
    TMultiColListbox *lstAccountList = nullptr;
    QLabel *lblReady = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *btnProcess = nullptr;
    QPushButton *btnImport = nullptr;
    QPushButton *btnClose = nullptr;

private:
    void buildLayout();
    void fillLinkList();
    void showProgress(qsizetype done, qsizetype total);

    Session &m_session;
    const RegisterState &m_registerState;
    QifStaging m_staging;
    ImportLinks m_links;
    bool m_imported = false;
    qint64 m_lastProgressMs = 0;
};
