#include "ui/widgets/recentfilesmenu.h"

#include "ui/app/guarded.h"

#include <QAction>
#include <QMenu>

namespace {

// A "&" in a file name is shown as itself, not taken as an accelerator.
QString menuText(const TRegMru &list, int index)
{
    const QString name = QString(list.entries().at(index).fileName).replace(u'&', QStringLiteral("&&"));
    return list.NumberItems ? NumberedCaption(index, name) : name;
}

} // namespace

RecentFilesMenu::RecentFilesMenu(QMenu *menu, TRegMru &list, Notifier &notifier,
                                 TRegMru::ItemClickHandler onItemClick, QObject *parent)
    : QObject(parent), m_menu(menu), m_list(list), m_notifier(notifier), m_onItemClick(std::move(onItemClick))
{
    m_list.onChanged = [this] { refresh(); };
    refresh();
}

RecentFilesMenu::~RecentFilesMenu()
{
    m_list.onChanged = nullptr;
}

void RecentFilesMenu::refresh()
{
    if (m_list.separatorShown() && !m_separator) {
        m_separator = new QAction(m_menu);
        m_separator->setSeparator(true);
        m_menu->insertAction(m_items.isEmpty() ? nullptr : m_items.first(), m_separator);
    } else if (!m_list.separatorShown() && m_separator) {
        m_menu->removeAction(m_separator);
        m_separator->deleteLater();
        m_separator = nullptr;
    }
    while (m_items.size() < m_list.count()) {
        auto *item = new QAction(m_menu);
        connect(item, &QAction::triggered, this, [this, item] { clicked(item); });
        m_menu->addAction(item);
        m_items.append(item);
    }
    // An item may be removed while its own click is being handled: it goes later.
    while (m_items.size() > m_list.count()) {
        QAction *item = m_items.takeLast();
        m_menu->removeAction(item);
        item->deleteLater();
    }
    for (int i = 0; i < m_items.size(); ++i) {
        const RecentFileEntry &entry = m_list.entries().at(i);
        QAction *item = m_items.at(i);
        item->setText(menuText(m_list, i));
        item->setCheckable(entry.checked);
        item->setChecked(entry.checked);
        item->setEnabled(entry.enabled);
        item->setData(entry.fileName);
    }
    m_menu->menuAction()->setEnabled(!m_items.isEmpty());
}

void RecentFilesMenu::clicked(QAction *item)
{
    const int index = int(m_items.indexOf(item));
    if (index < 0)
        return;
    Guarded(m_notifier, [&] { m_list.ItemClick(index, m_onItemClick); });
}
