#include "core/session/recentfiles.h"

#include "core/datafile/programfolder.h"

#include "core/session/inisection.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString CountName = QStringLiteral("Count");
const QString MaxFilesName = QStringLiteral("MaxFiles");
const QString DefaultName = QStringLiteral("DEFAULT");

bool isName(const QString &name, const QString &wanted)
{
    return name.compare(wanted, Qt::CaseInsensitive) == 0;
}

// The file a name leads to; names of missing files are only made absolute and clean.
QString canonicalName(const QString &name)
{
    const QFileInfo info(name);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool hasLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

} // namespace

QString RecentFilesStorePath()
{
    const QString folder = UserConfigFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("RecentFiles.ini");
}

QString NumberedCaption(int index, const QString &name)
{
    const QString number = QString::number(index + 1) + u' ' + name;
    return index < 8 ? u'&' + number : number;
}

bool SameFile(const QString &a, const QString &b)
{
    return canonicalName(a) == canonicalName(b);
}

TRegMru::TRegMru() = default;

TRegMru::~TRegMru()
{
    if (!m_storePath.isEmpty())
        SaveList(m_storePath);
}

QString TRegMru::keyPath() const
{
    QStringList parts{QStringLiteral("Software")};
    for (const QString &part : {CompanyName, ApplicationName, ApplicationVersion, OwnerName, Section}) {
        if (!part.isEmpty())
            parts << part;
    }
    return parts.join(u'\\');
}

void TRegMru::setStore(const QString &storePath)
{
    m_storePath = storePath;
    if (!m_storePath.isEmpty())
        LoadList(m_storePath);
}

void TRegMru::setMaxItems(int maxItems)
{
    m_maxItems = maxItems;
    while (m_maxItems >= 0 && count() > m_maxItems)
        RemoveItem(count() - 1);
}

QString TRegMru::caption(int index) const
{
    const QString &name = m_entries.at(index).fileName;
    return NumberItems ? NumberedCaption(index, name) : name;
}

int TRegMru::AddItem(const QString &fileName, bool checkMark, int number, int tag, bool enabled)
{
    if (m_clickRunning)
        return -1;
    if (FindItem(fileName)) {
        // FindItem has moved the entry to the top.
        if (m_entries.first().fileName != fileName.left(MaxFileNameLength))
            return -1;
        m_entries.first().Number = number;
        changed();
        return 0;
    }
    if (m_maxItems >= 0) {
        while (count() > 0 && count() > m_maxItems - 1)
            RemoveItem(count() - 1);
    }
    return NewEntry(fileName, checkMark, number, tag, enabled, true) ? 0 : -1;
}

bool TRegMru::NewEntry(const QString &fileName, bool checkMark, int number, int tag, bool enabled, bool toTop)
{
    if (m_maxItems >= 0 && count() >= m_maxItems)
        return false;
    if (!m_separatorAdded && Separator)
        m_separatorAdded = true;
    m_entries.append(RecentFileEntry{fileName.left(MaxFileNameLength), number, checkMark, enabled, tag});
    if (toTop)
        MoveToTop(count() - 1); // reports the change
    else
        changed();
    return true;
}

bool TRegMru::FindItem(const QString &fileName)
{
    for (int i = 0; i < count(); ++i) {
        if (SameFile(m_entries.at(i).fileName, fileName)) {
            MoveToTop(i);
            return true;
        }
    }
    return false;
}

void TRegMru::MoveToTop(int index)
{
    if (index < 0 || index >= count())
        return;
    m_entries.move(index, 0);
    changed();
}

void TRegMru::RemoveItem(int index)
{
    if (index < 0 || index >= count())
        return;
    m_entries.removeAt(index);
    if (m_entries.isEmpty())
        m_separatorAdded = false;
    changed();
}

void TRegMru::ItemClick(int index, const ItemClickHandler &handler)
{
    if (index < 0 || index >= count())
        return;
    const QString fileName = m_entries.at(index).fileName;
    bool canDelete = false;
    if (handler) {
        struct RunningMark
        {
            bool &running;
            ~RunningMark() { running = false; }
        } mark{m_clickRunning};
        m_clickRunning = true;
        handler(fileName, canDelete);
    }
    // The handler may have changed the list; act on the clicked entry wherever it is now.
    for (int i = 0; i < count(); ++i) {
        if (m_entries.at(i).fileName == fileName) {
            canDelete ? RemoveItem(i) : MoveToTop(i);
            return;
        }
    }
}

void TRegMru::EnumerateItems(const std::function<void(int, const RecentFileEntry &)> &visit) const
{
    if (!visit)
        return;
    for (int i = 0; i < count(); ++i)
        visit(i, m_entries.at(i));
}

void TRegMru::LoadList(const QString &storePath)
{
    const std::optional<QList<IniValue>> values = ReadIniSection(storePath, keyPath());
    if (!values)
        return;

    int storedCount = 0;
    bool countFound = false;
    bool maxFilesFound = false;
    for (const IniValue &value : *values) {
        if (!countFound && isName(value.name, CountName)) {
            storedCount = value.value.trimmed().toInt();
            countFound = true;
        } else if (!maxFilesFound && isName(value.name, MaxFilesName)) {
            // A limit that is not a number keeps ours: taking it as 0 would shut the list
            // for good, since the limit is written back at the end.
            bool isNumber = false;
            const int maxFiles = value.value.trimmed().toInt(&isNumber);
            if (isNumber)
                setMaxItems(maxFiles);
            maxFilesFound = true;
        }
        if (countFound && maxFilesFound)
            break;
    }
    if (storedCount <= 0)
        return;

    m_loading = true;
    for (int position = 0; position < values->size(); ++position) {
        const IniValue &value = values->at(position);
        if (isName(value.name, CountName) || isName(value.name, DefaultName) || isName(value.name, MaxFilesName))
            continue;
        QString name = value.value;
        int number = 0;
        const qsizetype bar = name.lastIndexOf(u'|');
        if (bar >= 0) {
            number = name.mid(bar + 1).trimmed().toInt();
            name.truncate(bar);
        }
        if (!FindItem(name))
            NewEntry(name, false, number, position, true, false);
    }
    m_loading = false;
    // What was just read needs no writing back.
    if (onChanged)
        onChanged();
}

bool TRegMru::SaveList(const QString &storePath) const
{
    QList<IniValue> values;
    int index = 0;
    for (const RecentFileEntry &entry : m_entries) {
        if (hasLineBreak(entry.fileName)) // cannot be kept in the store's line form
            continue;
        QString text = entry.fileName;
        // A name that holds "|" itself always carries its number, so that the last "|"
        // still separates the two when the list is read back.
        if (entry.Number != 0 || text.contains(u'|'))
            text += u'|' + QString::number(entry.Number);
        values.append({u'H' + QString::number(index++), text});
    }
    values.prepend({MaxFilesName, QString::number(m_maxItems)});
    values.prepend({CountName, QString::number(index)});
    return WriteIniSection(storePath, keyPath(), values,
                           [](const QString &name) { return isName(name, DefaultName); });
}

void TRegMru::changed()
{
    if (m_loading)
        return;
    if (onChanged)
        onChanged();
    if (!m_storePath.isEmpty())
        SaveList(m_storePath);
}
