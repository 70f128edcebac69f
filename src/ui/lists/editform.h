#pragma once

#include "core/lists/itemkind.h"

#include <QDialog>
#include <QStringList>

class QGroupBox;
class QPushButton;
class TMultiColListbox;
struct Session;

// The payee or category list with its budgets. Every command writes inside its own
// nested database transaction, so a failed command undoes only itself; the opener
// holds the outer transaction (see OpenItemList).
class TfrmEditForm : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmEditForm(Session &session, QWidget *parent = nullptr);

    // Set by the opener before showing.
    ItemKind kind = ItemKind::Categories;
    // The description entered in the last "New" of this dialog, empty if none.
    QString LastNewItem;

    QGroupBox *GroupBox1 = nullptr;
    TMultiColListbox *lstItems = nullptr;
    QPushButton *btnMove = nullptr;
    QPushButton *btnNew = nullptr;
    QPushButton *btnRename = nullptr;
    QPushButton *btnDelete = nullptr;
    QPushButton *btnClose = nullptr;

    void btnNewClick();
    void btnRenameClick();
    void btnDeleteClick();
    void btnMoveClick();
    void btnCloseClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void formActivate();
    void fillList();
    // Name of the selected row; false (after the warning) when none is selected.
    bool selectedName(const QString &warning, QString &name, int &row);
    template<typename Body>
    void runCommand(Body &&body);

    Session &m_session;
    QStringList m_names; // the real name of each list row
};
