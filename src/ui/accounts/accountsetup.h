#pragma once

#include "core/accounts/accountrec.h"

#include <QDialog>

class Notifier;
class QPushButton;
class TMultiColListbox;
class TMyDataModule;

// The account list: new, edit and delete. Every command runs in its own savepoint
// inside the transaction of whoever opened the dialog.
class TfrmAccountSetup : public QDialog
{
    Q_OBJECT
public:
    TfrmAccountSetup(TMyDataModule &db, Notifier &notifier, QWidget *parent = nullptr);

    // True once a command has stored something during this visit.
    bool changed() const { return m_changed; }

    void FillAccountList();

    TMultiColListbox *lstItems = nullptr;
    QPushButton *btnNew = nullptr;
    QPushButton *btnEdit = nullptr;
    QPushButton *btnDelete = nullptr;
    QPushButton *btnClose = nullptr;

private:
    bool EditAccount(EditMode mode, const QString &oldDescription, const QString &accountType,
                     const QString &currencySymbol);
    void btnNewClick();
    void btnEditClick();
    void btnDeleteClick();

    TMyDataModule &m_db;
    Notifier &m_notifier;
    bool m_changed = false;
};
