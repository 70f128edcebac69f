#pragma once

#include "core/lists/itemkind.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
struct Session;

// Moves every transaction of one payee (or category) to another, then offers to
// delete the emptied item. Opened from the payee or category list, inside that
// list's database transaction: the move and the deletion each run as one command
// with its own savepoint.
class TfrmMove : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmMove(Session &session, QWidget *parent = nullptr);

    // Set by the opener before showing: the list, and the item whose transactions
    // are moved.
    ItemKind kind = ItemKind::Categories;
    int SourceItemId = -1;

    QGroupBox *GroupBox1 = nullptr;
    QLabel *lblMoveFrom = nullptr;
    QComboBox *cmbMoveTo = nullptr;
    QPushButton *btnMove = nullptr;
    QPushButton *btnClose = nullptr;

    void btnMoveClick();
    void btnCloseClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void formShow();
    void moveTransactions();

    Session &m_session;
    QString m_sourceName;
};
