#pragma once

#include <QComboBox>

// The payee and category boxes: typed text completes to the first entry that begins
// with it (letter case ignored), and a text survives leaving the box only when it
// names an entry of the list.
class ItemComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit ItemComboBox(QWidget *parent = nullptr);

    // Replaces the entries; afterwards nothing is selected. Typed names are limited to
    // 75 characters, or to the longest entry when that is longer.
    void fill(const QStringList &names);
    // Selects the entry equal to name (letter case ignored); the box is emptied when
    // there is none.
    void selectEntry(const QString &name);
    // True when the text names an entry of the list.
    bool hasSelectedEntry() const;
    void clearEntry();

signals:
    // The focus moved to another control (not to the box's own list or another window).
    void exited();

protected:
    void focusOutEvent(QFocusEvent *event) override;
};
