#pragma once

#include "core/session/recentfiles.h"

#include <QList>
#include <QObject>

class Notifier;
class QAction;
class QMenu;

// Shows a recent-files list as the entries of a menu and hands their clicks to it.
// The menu's items stay in place; each takes over the entry now at its position.
class RecentFilesMenu : public QObject
{
    Q_OBJECT
public:
    RecentFilesMenu(QMenu *menu, TRegMru &list, Notifier &notifier, TRegMru::ItemClickHandler onItemClick,
                    QObject *parent = nullptr);
    ~RecentFilesMenu() override;

    // The entry items, most recent first.
    const QList<QAction *> &items() const { return m_items; }
    void refresh();

private:
    void clicked(QAction *item);

    QMenu *m_menu;
    TRegMru &m_list;
    Notifier &m_notifier;
    TRegMru::ItemClickHandler m_onItemClick;
    QAction *m_separator = nullptr;
    QList<QAction *> m_items;
};
