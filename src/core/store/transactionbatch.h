#pragma once

#include "core/store/ttransaction.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

class TMyDataModule;
struct sqlite3_stmt;

// Writes many new rows of tbTransactions in one go, for callers that have already
// turned names into identifiers and know each account's currency and rate. Rows get
// consecutive numbers, so a transfer's two rows are written already linked, and are
// written several to a statement. Like the rest of the store it opens no database
// transaction: the caller holds one (which also keeps every other writer out while the
// numbers are handed out) and calls flush() before committing.
class TransactionBatch
{
public:
    explicit TransactionBatch(TMyDataModule &db);
    ~TransactionBatch();
    TransactionBatch(const TransactionBatch &) = delete;
    TransactionBatch &operator=(const TransactionBatch &) = delete;

    // One row with the record's PayeeId, CategoryId, AccountId, CurrencyID and
    // CurrencyRate as they are. Returns its TransactionID.
    int insert(const TTransaction &record);

    // A transfer between record.AccountId, whose row holds record.Amount as it is, and
    // record.OtherAccountID (stamped otherCurrencyId, otherRate), whose row holds the
    // negated amount converted between the two rates, so the pair balances whatever the
    // sign. Both rows carry "Transfer". Returns the first row's TransactionID.
    int insertTransfer(const TTransaction &record, int otherCurrencyId, double otherRate);

    // Writes the rows still held back.
    void flush();

private:
    struct Row
    {
        qint64 id;
        char date[10];
        qint64 payeeId;
        qint64 amount;
        QByteArray note;
        qint64 categoryId;
        qint64 accountId;
        qint64 linkedId;
        bool transfer;
        qint64 otherAccountId;
        qint64 currencyId;
        double rate;
        QByteArray status;
    };

    int takeId();
    void add(const TTransaction &record, int id, int accountId, Money amount, int linkedId, int otherAccountId,
             int currencyId, double rate);
    void write(sqlite3_stmt *statement, const Row *rows, int count);
    sqlite3_stmt *prepare(int rows);
    [[noreturn]] void fail();

    TMyDataModule &m_db;
    sqlite3_stmt *m_many = nullptr;
    sqlite3_stmt *m_one = nullptr;
    std::vector<Row> m_pending;
    qint64 m_nextId = 0;
    QString m_statusText;
    QByteArray m_statusBytes;
};

// Drops the secondary indexes of tbTransactions until rebuild() makes them again from
// their own definitions: building an index once over sorted rows costs a fraction of
// updating it row by row, which pays when the rows written outnumber those there are.
// Runs inside the caller's database transaction, so a rollback brings them back.
class TransactionIndexPause
{
public:
    explicit TransactionIndexPause(TMyDataModule &db);
    void rebuild();

private:
    TMyDataModule &m_db;
    QStringList m_definitions;
};

// The number of rows of tbTransactions.
qint64 TransactionRowCount(TMyDataModule &db);
