#pragma once

#include "core/schedule/duelist.h"

#include <QDate>
#include <QDialog>

class Notifier;
class QPushButton;
class QTreeWidget;
class TMyDataModule;

// "Scheduled Transactions Due": each occurrence that fell due and is not entered
// automatically, with a check box. "Enter" enters the checked ones, "Skip" moves past
// them without a transaction, each in one database transaction; the window stays
// while occurrences are left. "Later" closes it: they are asked for again next time.
class TfrmScheduleDue : public QDialog
{
    Q_OBJECT
public:
    TfrmScheduleDue(TMyDataModule &db, Notifier &notifier, int digits, const QDate &today,
                    const QList<DueOccurrence> &occurrences, QWidget *parent = nullptr);

    // Occurrences entered while the window was open.
    int entered() const { return m_entered; }
    int skipped() const { return m_skipped; }
    QList<DueOccurrence> shown() const { return m_occurrences; }
    // The occurrences whose box is checked.
    QList<DueOccurrence> checked() const;
    void setChecked(int row, bool checked);

    QTreeWidget *lstDue = nullptr;
    QPushButton *btnEnter = nullptr;
    QPushButton *btnSkip = nullptr;
    QPushButton *btnLater = nullptr;

private:
    void fill(const QList<DueOccurrence> &occurrences);
    void btnEnterClick();
    void btnSkipClick();
    // After a command: the occurrences still due; the window closes when none are.
    void refresh();

    TMyDataModule &m_db;
    Notifier &m_notifier;
    int m_digits;
    QDate m_today;
    QList<DueOccurrence> m_occurrences;
    int m_entered = 0;
    int m_skipped = 0;
};
