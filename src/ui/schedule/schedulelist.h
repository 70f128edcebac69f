#pragma once

#include <QDialog>
#include <QList>

class Notifier;
class QPushButton;
class TMultiColListbox;
class TMyDataModule;

// The list of scheduled transactions: new, edit and delete, in the shape of the other
// setup lists. Every command runs in its own savepoint inside the transaction of
// whoever opened the dialog.
class TfrmScheduleList : public QDialog
{
    Q_OBJECT
public:
    TfrmScheduleList(TMyDataModule &db, Notifier &notifier, int digits, QWidget *parent = nullptr);

    // True once a command has stored something during this visit.
    bool changed() const { return m_changed; }
    void FillScheduleList();

    TMultiColListbox *lstItems = nullptr;
    QPushButton *btnNew = nullptr;
    QPushButton *btnEdit = nullptr;
    QPushButton *btnDelete = nullptr;
    QPushButton *btnClose = nullptr;

private:
    int selectedScheduleId() const;
    void btnNewClick();
    void btnEditClick();
    void btnDeleteClick();

    TMyDataModule &m_db;
    Notifier &m_notifier;
    int m_digits;
    QList<int> m_ids; // the schedule of each list row
    bool m_changed = false;
};
