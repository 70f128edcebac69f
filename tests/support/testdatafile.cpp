#include "support/testdatafile.h"

#include "core/datafile/sqlstatement.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>

QString TemplatePath()
{
    return QStringLiteral(TILLBROOK_TEMPLATE);
}

void RemoveStartingAccounts(const QString &path)
{
    TMyDataModule db;
    db.open(path);
    SqlStatement(db, QStringLiteral("DELETE FROM tbAccount")).exec();
    SqlStatement(db, QStringLiteral("DELETE FROM sqlite_sequence WHERE name = 'tbAccount'")).exec();
    SqlStatement(db, QStringLiteral("UPDATE MySettings SET DefaultAccountId = -1")).exec();
}

TestDataFile::TestDataFile(StartingAccounts accounts)
    : session(notifier, m_dir.path() + u'/')
{
    QStandardPaths::setTestModeEnabled(true);
    qputenv("TILLBROOK_HOME", m_dir.path().toLocal8Bit());
    m_path = copyTemplate(QStringLiteral("test.tillbrook"));
    if (accounts == StartingAccounts::Removed)
        RemoveStartingAccounts(m_path);
    session.CurrentDataFile = m_path;
    session.MyDataModule.open(m_path);
}

void TestDataFile::exec(const QString &sql)
{
    SqlStatement(db(), sql).exec();
}

QString TestDataFile::copyTemplate(const QString &name) const
{
    const QString target = m_dir.filePath(name);
    if (!QFile::copy(TemplatePath(), target))
        qFatal("cannot copy the template %s to %s", qPrintable(TemplatePath()), qPrintable(target));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}
