#include "ui/exchange/importdialog.h"

#include "core/base/notices.h"
#include "core/datafile/programfolder.h"
#include "core/exchange/qifimport.h"
#include "core/register/entrylock.h"
#include "core/session/session.h"
#include "ui/app/guarded.h"
#include "ui/exchange/chooseaccount.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/widgets/multicollistbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

namespace {

const QString ProblemCaption = QStringLiteral("Problem with import");
// The progress bar is redrawn this often at most while rows are stored.
constexpr qint64 ProgressIntervalMs = 200;

QString documentsFolderOrEmpty()
{
    try {
        const QString folder = GetDocumentsFolder();
        return QDir(folder).exists() ? folder : QString();
    } catch (const TillbrookError &) {
        return QString();
    }
}

QPushButton *makeButton(QWidget *parent, const QString &text, const char *name)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

TfrmImport::TfrmImport(Session &session, const RegisterState &registerState, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_session(session),
      m_registerState(registerState)
{
    chooseFile = [](QWidget *owner, const QString &startFolder) {
        return QFileDialog::getOpenFileName(owner, QStringLiteral("Open a QIF file to import"), startFolder,
                                            QStringLiteral("Quicken Interchange Format (*.QIF *.qif)"));
    };
    buildLayout();
    Notifier &notifier = m_session.notifier;
    connect(btnBrowse, &QPushButton::clicked, this, [this, &notifier] { Guarded(notifier, [this] { btnBrowseClick(); }); });
    connect(btnImport, &QPushButton::clicked, this, [this, &notifier] { Guarded(notifier, [this] { btnImportClick(); }); });
    connect(btnProcess, &QPushButton::clicked, this,
            [this, &notifier] { Guarded(notifier, [this] { btnProcessClick(); }); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(lstAccountList, &QTreeWidget::itemDoubleClicked, this,
            [this, &notifier] { Guarded(notifier, [this] { lstAccountListDblClick(); }); });
}

void TfrmImport::buildLayout()
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("Import"));

    auto *group = new QGroupBox(QStringLiteral("Options"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto *fileLabel = new QLabel(QStringLiteral("Choose the file you wish to import from :"), group);
    edtImport = new QLineEdit(group);
    edtImport->setObjectName(QStringLiteral("edtImport"));
    edtImport->setReadOnly(true);
    fileLabel->setBuddy(edtImport);
    btnBrowse = makeButton(group, QStringLiteral("Browse"), "btnBrowse");
    auto *linkLabel = new QLabel(
        QStringLiteral("Please set the account to import transactions to below (double-click to set account)"), group);
    linkLabel->setWordWrap(true);
    lstAccountList = new TMultiColListbox(group);
    lstAccountList->setObjectName(QStringLiteral("lstAccountList"));
    lstAccountList->setSections({{QStringLiteral("Account in Import File"), 200},
                                 {QStringLiteral("Account in Tillbrook"), 200}});
    linkLabel->setBuddy(lstAccountList);

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(edtImport, 1);
    fileRow->addWidget(btnBrowse);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(fileLabel);
    groupLayout->addLayout(fileRow);
    groupLayout->addWidget(linkLabel);
    groupLayout->addWidget(lstAccountList, 1);

    lblReady = new QLabel(QStringLiteral("Importation is ready."), this);
    lblReady->setObjectName(QStringLiteral("lblReady"));
    QFont bold = lblReady->font();
    bold.setBold(true);
    lblReady->setFont(bold);
    lblReady->hide();
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();

    btnProcess = makeButton(this, QStringLiteral("Process"), "btnProcess");
    btnProcess->setEnabled(false);
    btnImport = makeButton(this, QStringLiteral("&Import"), "btnImport");
    btnImport->setEnabled(false);
    btnClose = makeButton(this, QStringLiteral("&Close"), "btnClose");

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblReady);
    bottom->addWidget(ProgressBar1, 1);
    bottom->addStretch();
    bottom->addWidget(btnProcess);
    bottom->addWidget(btnImport);
    bottom->addWidget(btnClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(bottom);
    resize(634, 448);
}

void TfrmImport::btnBrowseClick()
{
    if (RefusedWhileEditing(m_registerState, m_session.notifier, EntryLockMessage::Import))
        return;
    const QString path = chooseFile(this, documentsFolderOrEmpty());
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    const bool isQif = QFileInfo(path).suffix().toUpper() == QLatin1String("QIF");
    if (isQif)
        edtImport->setText(path);
    btnImport->setEnabled(isQif);
}

void TfrmImport::btnImportClick()
{
    btnImport->setEnabled(false);
    btnProcess->setEnabled(false);
    // A second file replaces what the first one staged.
    m_staging = QifStaging();
    m_links = ImportLinks();
    lstAccountList->clearItems();
    const QString path = edtImport->text();
    try {
        m_staging = StageQif(ReadImportFile(path));
    } catch (const QifError &error) {
        btnImport->setEnabled(true);
        ShowMessageDialog(m_session.notifier, ProblemCaption, error.describe(QFileInfo(path).fileName()), QString(),
                          QLatin1String(MakerWebAddress), QStringLiteral("OK"), QString(), 0);
        return;
    } catch (const TillbrookError &error) {
        btnImport->setEnabled(true);
        ShowMessageDialog(m_session.notifier, ProblemCaption, error.message(), QString(),
                          QLatin1String(MakerWebAddress), QStringLiteral("OK"), QString(), 0);
        return;
    }
    if (m_staging.rows.empty()) {
        btnImport->setEnabled(true);
        ShowMessageDialog(m_session.notifier, ProblemCaption, NoTransactionsText(QFileInfo(path).fileName()), QString(),
                          QLatin1String(MakerWebAddress), QStringLiteral("OK"), QString(), 0);
        m_staging = QifStaging();
        return;
    }
    m_links = ImportLinks(m_staging.references);
    fillLinkList();
    btnProcess->setEnabled(true);
}

void TfrmImport::fillLinkList()
{
    QStringList rows;
    for (const ImportLinks::Link &link : m_links.links())
        rows.append(link.reference + u';' + link.account);
    const int current = lstAccountList->itemIndex();
    lstAccountList->setItems(rows);
    if (current >= 0 && current < rows.size())
        lstAccountList->setItemIndex(current);
}

void TfrmImport::lstAccountListDblClick()
{
    TfrmChooseAccount chooser(ImportAccountChoices(m_session.MyDataModule), this);
    ExecDialog(chooser);
    const int row = lstAccountList->firstSelectedRow();
    if (row < 0)
        return;
    m_links.setLink(row, chooser.ChosenAccount);
    fillLinkList();
}

void TfrmImport::btnProcessClick()
{
    if (!m_links.AllLinksSet()) {
        ShowMessageDialog(m_session.notifier, ProblemCaption, QStringLiteral("Please specify all account links"),
                          QStringLiteral("Double click on the account displayed in the list, and select an associated account."),
                          QLatin1String(MakerWebAddress), QStringLiteral("OK"), QString(), 0);
        return;
    }
    btnProcess->setEnabled(false);
    btnBrowse->setEnabled(false);
    btnClose->setEnabled(false);
    ProgressBar1->setRange(0, int(qMin<qsizetype>(m_staging.rows.size(), std::numeric_limits<int>::max())));
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    m_lastProgressMs = 0;
    QElapsedTimer clock;
    clock.start();
    try {
        ImportQifStaging(m_session.MyDataModule, m_session.notifier, m_staging, m_links, ImportMode::Store,
                         [&](qsizetype done, qsizetype) {
                             if (clock.elapsed() - m_lastProgressMs < ProgressIntervalMs)
                                 return;
                             m_lastProgressMs = clock.elapsed();
                             ProgressBar1->setValue(int(qMin<qsizetype>(done, ProgressBar1->maximum())));
                             // Only painting: the buttons stay where they are until the work is done.
                             QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                         });
    } catch (...) {
        ProgressBar1->hide();
        btnProcess->setEnabled(true);
        btnBrowse->setEnabled(true);
        btnClose->setEnabled(true);
        throw;
    }
    ProgressBar1->hide();
    btnBrowse->setEnabled(true);
    btnClose->setEnabled(true);
    lblReady->show();
    m_imported = true;
}
