#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTabWidget;
struct Session;

// One page of the wizard: the tab caption, the header's title and its description.
struct TWizardPages
{
    QString caption;
    QString title;
    QString description;
};

// The new-file wizard: five pages whose buttons open the currency list, the account
// list and the options. The wizard itself stores nothing.
class TfrmWizard : public QDialog
{
    Q_OBJECT
public:
    TfrmWizard(Session &session, QWidget *parent = nullptr);

    static constexpr int PageCount = 5;
    TWizardPages Pages[PageCount];

    QLabel *lblTitle = nullptr;
    QLabel *lblTitleText = nullptr;
    QLabel *Image1 = nullptr;
    QTabWidget *PageControl1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *btnPrevious = nullptr;
    QPushButton *btnNext = nullptr;
    QPushButton *btnCancel = nullptr;

    void btnNextClick();
    void btnPreviousClick();

private:
    void FormShow();
    void RefreshHeader();
    QWidget *makePage(const QStringList &lines, QPushButton *button);

    Session &m_session;
};
