#include "ui/datafile/filenotfounddialog.h"

#include "ui/feedback/dialogrunner.h"

#include <QGridLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TfrmFileNotFound::TfrmFileNotFound(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TfrmFileNotFound"));
    setWindowTitle(QStringLiteral("File not found ..."));

    auto *title = new QLabel(QStringLiteral("Select one of the options below"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    btnNew = addRow(grid, 0, QStringLiteral("btnNew"), QStringLiteral("Click here to create a new Tillbrook file"),
                    QStringLiteral("Create a new Tillbrook file ..."), CreateNew, QStyle::SP_FileIcon);
    btnOpen = addRow(grid, 1, QStringLiteral("btnOpen"), QStringLiteral("Click here to open an existing Tillbrook file"),
                     QStringLiteral("Open an existing Tillbrook file ..."), OpenExisting, QStyle::SP_DialogOpenButton);
    btnExit = addRow(grid, 2, QStringLiteral("btnExit"), QStringLiteral("Quit Tillbrook"),
                     QStringLiteral("Exit the application"), ExitProgram, QStyle::SP_DialogCloseButton);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(title);
    layout->addLayout(grid);
    btnNew->setFocus();
}

QToolButton *TfrmFileNotFound::addRow(QGridLayout *grid, int row, const QString &name, const QString &hint,
                                      const QString &label, int result, int icon)
{
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon), nullptr, this));
    button->setIconSize(QSize(32, 32));
    button->setFixedSize(48, 48);
    button->setFocusPolicy(Qt::StrongFocus);
    connect(button, &QToolButton::clicked, this, [this, result] {
        m_choice = result;
        accept();
    });

    auto *text = new QLabel(label, this);
    QFont large = text->font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    text->setFont(large);
    text->setBuddy(button);

    grid->addWidget(button, row, 0);
    grid->addWidget(text, row, 1);
    return button;
}

int AskFileNotFoundChoice(QWidget *parent)
{
    TfrmFileNotFound dialog(parent);
    ExecDialog(dialog);
    return dialog.choice();
}
