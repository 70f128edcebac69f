#include "core/store/transactionrow.h"

#include "core/base/texthelpers.h"
#include "core/datafile/sqlstatement.h"

TTransaction ReadTransactionRow(const SqlStatement &query)
{
    // Read by position: the register reads thousands of rows per load.
    TTransaction t;
    t.TransactionID = query.value(0).toInt();
    t.TransactionDate = FromStoredDate(query.value(1).toString());
    t.PayeeName = query.value(2).toString();
    t.PayeeId = query.value(3).toInt();
    t.CategoryDescription = query.value(4).toString();
    t.CategoryId = query.value(5).toInt();
    t.strNote = query.value(6).toString();
    t.Amount = Money::fromUnits(query.value(7).toLongLong());
    t.AccountId = query.value(8).toInt();
    t.LinkedTransactionID = query.value(9).toInt();
    t.InternalDescription = query.value(10).toString();
    t.OtherAccountID = query.value(11).toInt();
    t.CurrencyID = query.value(12).toInt();
    t.CurrencyRate = query.value(13).toDouble();
    t.Status = query.value(14).toString();
    return t;
}
