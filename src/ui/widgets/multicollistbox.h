#pragma once

#include <QStringList>
#include <QTreeWidget>

// A flat list with header sections whose items are single texts holding their
// column values separated by ";". Field k of an item is drawn in section k; fields
// beyond the last section are not shown. Sorting by a clicked section, when allowed,
// compares the fields as plain bytes (upper case before lower case).
class TMultiColListbox : public QTreeWidget
{
    Q_OBJECT
public:
    struct Section
    {
        QString text;
        int width = 100;
    };

    explicit TMultiColListbox(QWidget *parent = nullptr);

    void setSections(const QList<Section> &sections);

    // The item texts, as a list box holds them.
    void clearItems();
    void addItem(const QString &text);
    void setItems(const QStringList &texts);
    QStringList items() const;
    int count() const { return topLevelItemCount(); }
    QString item(int row) const;

    // Field `column` of an item text: the text between the separators.
    static QString field(const QString &itemText, int column);
    QString column(int row, int column) const { return field(item(row), column); }

    // Current item, -1 when none.
    int itemIndex() const;
    void setItemIndex(int row);
    bool isSelected(int row) const;
    // First selected row, -1 when none.
    int firstSelectedRow() const;

    bool allowSorting() const { return m_allowSorting; }
    void setAllowSorting(bool allow);
    int sortColumnIndex() const { return m_sortColumn; }
    void sortByColumn(int column);

private:
    QTreeWidgetItem *makeItem(const QString &text) const;
    void sortItemsByBytes();

    bool m_allowSorting = false;
    int m_sortColumn = 0;
};
