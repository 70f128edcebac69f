#include "ui/register/registertoolbar.h"

#include <QMenu>
#include <QStyle>
#include <QToolButton>

namespace {
constexpr int ButtonWidth = 123;
}

RegisterToolbar::RegisterToolbar(QWidget *parent)
    : QToolBar(parent)
{
    setObjectName(QStringLiteral("tbUserOptions"));
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setIconSize(QSize(16, 16));

    m_tbNew = addCommand("tbNew", QStringLiteral("&New Transaction"),
        QStringLiteral("Insert a new transaction in the account.\n\n<Hint>\n"
                       "You can also create a new transaction by double-clicking in the entry posting section."),
        style()->standardIcon(QStyle::SP_FileIcon));
    m_tbEdit = addCommand("tbEdit", QStringLiteral("&Edit Transaction"),
        QStringLiteral("Edit a transaction which is currently selected.\n\n<Hint>\n"
                       "You may also double-click an item in the grid below to edit it."),
        style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_tbDelete = addCommand("tbDelete", QStringLiteral("&Delete Transaction"),
        QStringLiteral("Deletes a selected transaction."),
        style()->standardIcon(QStyle::SP_TrashIcon));
    addSeparator();
    m_tbReports = addCommand("tbReports", QStringLiteral("Reports"),
        QStringLiteral("Report menu - Choose a report from the drop down menu\n"
                       "or click the button to launch the report center.\n\n<Hint>\n"
                       "Pressing the Right-Mouse button on the grid, gives you the ability to export to Excel."),
        style()->standardIcon(QStyle::SP_FileDialogContentsView));
    m_popupMenu1 = new QMenu(this);
    m_popupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    m_tbReports->setMenu(m_popupMenu1);
    m_tbReports->setPopupMode(QToolButton::MenuButtonPopup);
}

QToolButton *RegisterToolbar::addCommand(const char *name, const QString &text,
                                         const QString &hint, const QIcon &icon)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setToolTip(hint);
    button->setIcon(icon);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setMinimumWidth(ButtonWidth);
    addWidget(button);
    return button;
}
