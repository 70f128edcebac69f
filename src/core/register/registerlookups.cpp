#include "core/register/registerlookups.h"

#include "core/store/lookups.h"
#include "core/datafile/sqlstatement.h"

QStringList RegisterAccountNames(TMyDataModule &db)
{
    SqlStatement query(db, QStringLiteral(
        "SELECT AccountDescription FROM tbAccount"
        " WHERE AccountDescription IS NOT NULL AND AccountDescription <> ''"
        " ORDER BY AccountDescription COLLATE NOCASE, AccountId"));
    query.exec();
    QStringList names;
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

QString DefaultAccountName(TMyDataModule &db)
{
    SqlStatement query(db, QStringLiteral("SELECT DefaultAccountId FROM MySettings"));
    query.exec();
    if (!query.next() || query.value(0).isNull())
        return {};
    const int id = query.value(0).toInt();
    if (id < 0)
        return {};
    return LookupName(db, QStringLiteral("tbAccount"), QStringLiteral("AccountDescription"),
                      QStringLiteral("AccountId"), id);
}
