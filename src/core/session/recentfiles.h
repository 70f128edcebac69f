#pragma once

#include <QList>
#include <QString>

#include <functional>

// Where the recent-files list is kept between runs: RecentFiles.ini in the user's
// configuration folder.
QString RecentFilesStorePath();

// The caption of the entry at Index (0-based): "&1 name" ... "&8 name", so the first
// eight entries get the accelerators 1 to 8, then "9 name", "10 name", ...
QString NumberedCaption(int index, const QString &name);

// True when both names lead to the same file. Names are compared as canonical paths
// (symbolic links, "." and ".." resolved); on this file system case counts.
bool SameFile(const QString &a, const QString &b);

// One entry of the list.
struct RecentFileEntry
{
    QString fileName;
    int Number = 0;
    bool checked = false;
    bool enabled = true;
    int tag = 0;
};

// The most-recently-used list of data files: entry 0 is the most recent. It knows its
// captions and its store; the menu that shows it follows onChanged.
class TRegMru
{
public:
    // CanDelete comes back true when the clicked entry is to be dropped.
    using ItemClickHandler = std::function<void(const QString &fileName, bool &CanDelete)>;

    static constexpr int MaxFileNameLength = 255;

    TRegMru();
    ~TRegMru();
    TRegMru(const TRegMru &) = delete;
    TRegMru &operator=(const TRegMru &) = delete;

    // Parts of the store's key path; empty parts are left out.
    QString CompanyName;
    QString ApplicationName;
    QString ApplicationVersion;
    QString OwnerName;
    QString Section = QStringLiteral("MRUHistory");
    // "Software\<company>\<application>\<version>\<owner>\<section>", empty parts skipped.
    QString keyPath() const;

    bool NumberItems = true;
    bool Separator = true;
    // Loads the list from StorePath when set (SerializeList), and writes it back after
    // every change and at the end.
    void setStore(const QString &storePath);
    QString storePath() const { return m_storePath; }

    // Largest number of entries, -1 for no limit; a smaller limit drops the oldest.
    int MaxItems() const { return m_maxItems; }
    void setMaxItems(int maxItems);

    const QList<RecentFileEntry> &entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    QString caption(int index) const;
    // Whether the menu shows the separator line before the entries.
    bool separatorShown() const { return m_separatorAdded; }

    // Adds FileName as the most recent entry and returns its index (0), or -1 when
    // nothing was added. A name already listed (the same file) moves to the top instead;
    // its entry takes the new Number when the name is spelled the same.
    int AddItem(const QString &fileName, bool checkMark = false, int number = 0, int tag = 0,
                bool enabled = true);
    void RemoveItem(int index);
    void MoveToTop(int index);
    // True when the file is listed; its entry then becomes the most recent.
    bool FindItem(const QString &fileName);
    // The entry at Index was clicked: Handler decides whether it is dropped; otherwise it
    // becomes the most recent. Adds are ignored while the handler runs.
    void ItemClick(int index, const ItemClickHandler &handler);
    void EnumerateItems(const std::function<void(int index, const RecentFileEntry &entry)> &visit) const;

    // Replaces nothing when the store or its key is missing or unreadable.
    void LoadList(const QString &storePath);
    // False when the store could not be written.
    bool SaveList(const QString &storePath) const;

    // Called after every change of the entries or the separator.
    std::function<void()> onChanged;

private:
    bool NewEntry(const QString &fileName, bool checkMark, int number, int tag, bool enabled, bool toTop);
    void changed();

    QList<RecentFileEntry> m_entries;
    int m_maxItems = -1;
    bool m_clickRunning = false;
    bool m_separatorAdded = false;
    bool m_loading = false;
    QString m_storePath;
};
