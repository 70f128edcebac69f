#pragma once

#include <QObject>

class QAbstractButton;
class QWidget;

// Keys that finish an entry while the panel is in New or Edit, wherever in the panel
// the focus is: Alt plus the Save button's mnemonic saves, Escape is Cancel.
//
// The Save mnemonic is also the menu bar's Setup key. Qt answers a key two controls
// share by moving the focus to one of them, so the first press would open the menu or
// only reach the button. Claiming the key before shortcuts are matched (the shortcut
// override) lets it reach the field as a plain key press, which is then the click.
class EntryPanelKeys : public QObject
{
public:
    // Watches the whole application, as the focus may be in any of the panel's fields.
    EntryPanelKeys(QWidget *panel, QAbstractButton *save, QAbstractButton *cancel);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The button a key press in watched stands for; none when the key is the field's.
    QAbstractButton *buttonFor(QObject *watched, QEvent *event) const;

    QWidget *m_panel;
    QAbstractButton *m_save;
    QAbstractButton *m_cancel;
};
