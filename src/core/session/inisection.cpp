#include "core/session/inisection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

// "[name]" gives name; anything else gives none.
std::optional<QString> sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.size() < 2 || !trimmed.startsWith(u'[') || !trimmed.endsWith(u']'))
        return std::nullopt;
    return trimmed.mid(1, trimmed.size() - 2).trimmed();
}

bool isComment(const QString &line)
{
    const QString trimmed = line.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith(u';') || trimmed.startsWith(u'#');
}

// A value line: the name is trimmed, the value is kept as written (file names may
// begin or end with blanks).
std::optional<IniValue> valueLine(const QString &line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals <= 0)
        return std::nullopt;
    IniValue value{line.left(equals).trimmed(), line.mid(equals + 1)};
    if (value.name.isEmpty())
        return std::nullopt;
    return value;
}

bool sameSection(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<QStringList> readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString text = QString::fromUtf8(file.readAll());
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

std::optional<QList<IniValue>> ReadIniSection(const QString &path, const QString &section)
{
    const std::optional<QStringList> lines = readLines(path);
    if (!lines)
        return std::nullopt;
    std::optional<QList<IniValue>> values;
    bool inside = false;
    for (const QString &line : *lines) {
        if (const auto name = sectionName(line)) {
            inside = sameSection(*name, section);
            if (inside && !values)
                values.emplace();
            continue;
        }
        if (!inside || isComment(line))
            continue;
        if (const auto value = valueLine(line))
            values->append(*value);
    }
    return values;
}

bool WriteIniSection(const QString &path, const QString &section, const QList<IniValue> &values,
                     const std::function<bool(const QString &name)> &keep)
{
    for (const IniValue &value : values) {
        if (value.name.contains(u'\n') || value.name.contains(u'\r') || value.value.contains(u'\n')
            || value.value.contains(u'\r'))
            return false;
    }

    QStringList lines;
    if (QFileInfo::exists(path)) {
        const std::optional<QStringList> existing = readLines(path);
        if (!existing)
            return false;
        lines = *existing;
    }

    // Everything outside the section is copied as it is; the section is written where
    // it stood (a repeated copy of it is folded into the first), with its kept values.
    QStringList out;
    QStringList kept;
    qsizetype sectionAt = -1;
    bool inside = false;
    for (const QString &line : std::as_const(lines)) {
        if (const auto name = sectionName(line)) {
            inside = sameSection(*name, section);
            if (inside && sectionAt < 0)
                sectionAt = out.size();
            if (!inside)
                out << line;
            continue;
        }
        if (!inside) {
            out << line;
            continue;
        }
        if (const auto value = valueLine(line); value && !isComment(line) && keep && keep(value->name))
            kept << line;
    }
    QStringList sectionLines{u'[' + section + u']'};
    sectionLines << kept;
    for (const IniValue &value : values)
        sectionLines << value.name + u'=' + value.value;
    if (sectionAt < 0) {
        if (!out.isEmpty() && !out.last().trimmed().isEmpty())
            out << QString();
        out << sectionLines;
    } else {
        if (sectionAt < out.size() && !out.at(sectionAt).trimmed().isEmpty())
            sectionLines << QString();
        for (qsizetype i = 0; i < sectionLines.size(); ++i)
            out.insert(sectionAt + i, sectionLines.at(i));
    }

    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(out.join(u'\n').toUtf8() + '\n');
    return file.commit();
}
