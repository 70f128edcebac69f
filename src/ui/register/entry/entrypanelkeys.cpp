#include "ui/register/entry/entrypanelkeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

EntryPanelKeys::EntryPanelKeys(QWidget *panel, QAbstractButton *save, QAbstractButton *cancel)
    : QObject(panel), m_panel(panel), m_save(save), m_cancel(cancel)
{
    qApp->installEventFilter(this);
}

QAbstractButton *EntryPanelKeys::buttonFor(QObject *watched, QEvent *event) const
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return nullptr;
    auto *widget = qobject_cast<QWidget *>(watched);
    // Only the panel's own fields, in the panel's window: an open drop-down list or
    // calendar is a window of its own and keeps its Escape.
    if (!widget || !m_panel->isAncestorOf(widget) || !m_save->isEnabled())
        return nullptr;
    const auto *key = static_cast<QKeyEvent *>(event);
    const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Escape && modifiers == Qt::NoModifier && m_cancel->isEnabled())
        return m_cancel;
    const QKeySequence mnemonic = QKeySequence::mnemonic(m_save->text());
    if (!mnemonic.isEmpty() && modifiers == Qt::AltModifier
        && QKeySequence(key->keyCombination()) == mnemonic)
        return m_save;
    return nullptr;
}

bool EntryPanelKeys::eventFilter(QObject *watched, QEvent *event)
{
    QAbstractButton *button = buttonFor(watched, event);
    if (!button)
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (static_cast<QKeyEvent *>(event)->isAutoRepeat())
        return true;
    button->setFocus(Qt::ShortcutFocusReason);
    button->click();
    return true;
}
