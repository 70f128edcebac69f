#include "ui/widgets/multicollistbox.h"

#include <QHeaderView>
#include <algorithm>

namespace {
constexpr int ItemTextRole = Qt::UserRole + 1;
}

TMultiColListbox::TMultiColListbox(QWidget *parent)
    : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setColumnCount(1);
    setHeaderHidden(true);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (m_allowSorting) {
            sortByColumn(section);
            setFocus();
        }
    });
}

void TMultiColListbox::setSections(const QList<Section> &sections)
{
    const QStringList texts = items();
    setColumnCount(qMax(1, int(sections.size())));
    QStringList labels;
    for (const Section &s : sections)
        labels << s.text;
    setHeaderLabels(labels);
    setHeaderHidden(sections.isEmpty());
    // The widths suit the captions in a small font; a wider caption widens its section
    // rather than being cut off.
    for (int i = 0; i < sections.size(); ++i)
        setColumnWidth(i, qMax(sections[i].width, header()->sectionSizeHint(i)));
    setItems(texts);
}

QTreeWidgetItem *TMultiColListbox::makeItem(const QString &text) const
{
    auto *item = new QTreeWidgetItem;
    item->setData(0, ItemTextRole, text);
    if (headerItem() && !isHeaderHidden()) {
        for (int c = 0; c < columnCount(); ++c)
            item->setText(c, field(text, c));
    } else {
        item->setText(0, QString(text).replace(u';', u' '));
    }
    return item;
}

void TMultiColListbox::clearItems()
{
    clear();
}

void TMultiColListbox::addItem(const QString &text)
{
    addTopLevelItem(makeItem(text));
}

void TMultiColListbox::setItems(const QStringList &texts)
{
    clear();
    QList<QTreeWidgetItem *> made;
    made.reserve(texts.size());
    for (const QString &text : texts)
        made << makeItem(text);
    addTopLevelItems(made);
    if (m_allowSorting)
        sortItemsByBytes();
}

QStringList TMultiColListbox::items() const
{
    QStringList texts;
    for (int i = 0; i < topLevelItemCount(); ++i)
        texts << item(i);
    return texts;
}

QString TMultiColListbox::item(int row) const
{
    const QTreeWidgetItem *it = topLevelItem(row);
    return it ? it->data(0, ItemTextRole).toString() : QString();
}

QString TMultiColListbox::field(const QString &itemText, int column)
{
    // Fields past the last separator are empty; the last field runs to the end.
    const QStringList fields = itemText.split(u';');
    return column >= 0 && column < fields.size() ? fields[column] : QString();
}

int TMultiColListbox::itemIndex() const
{
    return currentItem() ? indexOfTopLevelItem(currentItem()) : -1;
}

void TMultiColListbox::setItemIndex(int row)
{
    setCurrentItem(topLevelItem(row));
}

bool TMultiColListbox::isSelected(int row) const
{
    const QTreeWidgetItem *it = topLevelItem(row);
    return it && it->isSelected();
}

int TMultiColListbox::firstSelectedRow() const
{
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->isSelected())
            return i;
    return -1;
}

void TMultiColListbox::setAllowSorting(bool allow)
{
    m_allowSorting = allow;
    header()->setSectionsClickable(allow);
    if (allow)
        sortItemsByBytes();
}

void TMultiColListbox::sortByColumn(int column)
{
    m_sortColumn = column;
    sortItemsByBytes();
}

void TMultiColListbox::sortItemsByBytes()
{
    QStringList texts = items();
    const int column = m_sortColumn;
    std::stable_sort(texts.begin(), texts.end(), [column](const QString &a, const QString &b) {
        return field(a, column).toUtf8() < field(b, column).toUtf8();
    });
    const QString current = item(itemIndex());
    clear();
    for (const QString &text : texts)
        addTopLevelItem(makeItem(text));
    if (!current.isNull())
        setItemIndex(int(texts.indexOf(current)));
}
