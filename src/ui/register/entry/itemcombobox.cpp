#include "ui/register/entry/itemcombobox.h"

#include <QCompleter>
#include <QFocusEvent>
#include <QLineEdit>

namespace {
constexpr int MaxNameLength = 75;
}

ItemComboBox::ItemComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->setMaxLength(MaxNameLength);
    completer()->setCompletionMode(QCompleter::InlineCompletion);
    completer()->setCaseSensitivity(Qt::CaseInsensitive);
}

void ItemComboBox::fill(const QStringList &names)
{
    clear();
    addItems(names);
    // A new name is typed at most this long; a longer stored name still shows and
    // completes whole, or an unchanged Save would cut it or drop it.
    int longest = MaxNameLength;
    for (const QString &name : names)
        longest = qMax(longest, int(name.size()));
    lineEdit()->setMaxLength(longest);
    clearEntry();
}

void ItemComboBox::selectEntry(const QString &name)
{
    const int index = name.isEmpty() ? -1 : findText(name, Qt::MatchFixedString);
    if (index < 0) {
        clearEntry();
        return;
    }
    setCurrentIndex(index);
    setEditText(itemText(index));
}

bool ItemComboBox::hasSelectedEntry() const
{
    return !currentText().isEmpty() && findText(currentText(), Qt::MatchFixedString) >= 0;
}

void ItemComboBox::clearEntry()
{
    setCurrentIndex(-1);
    clearEditText();
}

void ItemComboBox::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    // Its own drop-down list, or another window (a question during the save) taking
    // the focus for a while, is no leaving of the box.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit exited();
}
