#pragma once

#include "core/register/registerquery.h"
#include "core/reports/reportcentre.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class RegisterGrid;
class TPubStrGrid;
struct Session;

// TfrmReportCentre, "Report Centre": the transactions that pass the payee, category,
// account and date filters in the register's ten columns with a running balance;
// a case-sensitive search that narrows the list within one column; the printed
// report's preview; export of the list. It never writes to the data file.
//
// The first showing sets the filters to their defaults and loads: the opening
// account, "<ALL>" payees and categories, the current calendar year. Coming back to
// the window later changes nothing, so an export or a preview works on the list the
// user sees.
class TfrmReportCentre : public QDialog
{
    Q_OBJECT
public:
    TfrmReportCentre(Session &session, const QString &openingAccountName, QWidget *parent = nullptr);
    ~TfrmReportCentre() override;

    QDateEdit *dtFrom() const { return m_dtFrom; }
    QDateEdit *dtTo() const { return m_dtTo; }
    QComboBox *cmbAccount() const { return m_cmbAccount; }
    QComboBox *cmbPayee() const { return m_cmbPayee; }
    QComboBox *cmbCategory() const { return m_cmbCategory; }
    QComboBox *cmbColNames() const { return m_cmbColNames; }
    QLineEdit *edtSearch() const { return m_edtSearch; }
    QPushButton *btnSearch() const { return m_btnSearch; }
    QPushButton *btnCancel() const { return m_btnCancel; }
    QPushButton *btnPreview() const { return m_btnPreview; }
    QPushButton *btnClose() const { return m_btnClose; }
    TPubStrGrid *strGridTransactions() const { return m_strGrid; }
    QLabel *lblNoTransactions() const { return m_lblNoTransactions; }
    QMenu *exportMenu() const { return m_exportMenu; }

    // The filters as chosen now.
    ReportCentreChoice Choice() const;
    RegisterFilter GetFilter() const;
    // Reloads the grid from the filters, with the running balance.
    void PopulateReport();
    // Sets the filters to their defaults and loads; done once, when the window is
    // first shown.
    void FormActivate();
    void btnSearchClick();
    void btnCancelClick();
    void btnPreviewClick();
    void ExporttoExcel1Click();
    void ExporttoCSV1Click();

    // "<name> account transactions from dd/mm/yyyy to dd/mm/yyyy" and "<name> account".
    QString PageTitle() const;
    QString ReportTitle() const;

private:
    void buildControls();
    void dtFromChange();
    void dtToChange();
    // The account name the titles speak of: "All" for "<ALL>".
    QString reportAccountName() const;
    // Runs a handler through the program's error handling.
    void guarded(const std::function<void()> &body);

    Session &m_session;
    QString m_openingAccountName;
    std::unique_ptr<RegisterGrid> m_grid;
    bool m_populating = false;

    QDateEdit *m_dtFrom = nullptr;
    QDateEdit *m_dtTo = nullptr;
    QComboBox *m_cmbAccount = nullptr;
    QComboBox *m_cmbPayee = nullptr;
    QComboBox *m_cmbCategory = nullptr;
    TPubStrGrid *m_strGrid = nullptr;
    QLabel *m_lblNoTransactions = nullptr;
    QLineEdit *m_edtSearch = nullptr;
    QComboBox *m_cmbColNames = nullptr;
    QPushButton *m_btnSearch = nullptr;
    QPushButton *m_btnCancel = nullptr;
    QPushButton *m_btnPreview = nullptr;
    QPushButton *m_btnClose = nullptr;
    QMenu *m_exportMenu = nullptr;
};

// tbReportsClick: the report centre, modal over parent, preselecting the account
// the register shows.
void OpenReportCentre(Session &session, const QString &registerAccountName, QWidget *parent);
