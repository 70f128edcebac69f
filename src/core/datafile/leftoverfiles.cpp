#include "core/datafile/leftoverfiles.h"

#include "core/datafile/filelock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

QStringList LeftoverWorkFiles(const QString &dataFile)
{
    const QFileInfo info(dataFile);
    const QString name = info.fileName();
    if (name.isEmpty())
        return {};
    const QDir folder = info.absoluteDir();
    const QString escaped = QRegularExpression::escape(name);
    // The six characters QTemporaryFile and libzip put in place of XXXXXX.
    const QString random = QStringLiteral("[A-Za-z0-9]{6}");
    const QRegularExpression restoring(QStringLiteral("^\\.%1\\.restoring-%2$").arg(escaped, random));
    const QRegularExpression archive(
        QStringLiteral("^%1(\\.before_startup|\\.before_close)?\\.zip\\.%2$").arg(escaped, random));
    QStringList found;
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry == name + u'x' || entry == name + QStringLiteral("x-journal") || restoring.match(entry).hasMatch()
            || archive.match(entry).hasMatch())
            found << folder.filePath(entry);
    }
    return found;
}

int RemoveLeftoverWorkFiles(const QString &dataFile)
{
    if (IsFileLocked(dataFile))
        return 0;
    int removed = 0;
    for (const QString &path : LeftoverWorkFiles(dataFile))
        removed += QFile::remove(path) ? 1 : 0;
    return removed;
}
