#include "ui/register/entry/entrykeyfilters.h"

#include "ui/app/guarded.h"
#include "core/base/notices.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// Keys that move the focus or finish the entry are not characters of the field.
bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}

QString fieldText(QObject *watched)
{
    if (auto *edit = qobject_cast<QLineEdit *>(watched))
        return edit->text();
    return {};
}

} // namespace

AmountKeyFilter::AmountKeyFilter(std::function<bool()> minusAllowed, QObject *parent)
    : QObject(parent), m_minusAllowed(std::move(minusAllowed))
{
}

bool AmountKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->text().isEmpty() || isNavigationKey(key->key()))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim Ctrl+V and the like so they reach the field as keys, and are dropped
        // below; Alt combinations stay free for the buttons' mnemonics.
        if (key->modifiers() & Qt::ControlModifier)
            event->accept();
        return false;
    }
    const QChar c = key->text().at(0);
    bool accepted = false;
    if (c == u'\b')
        accepted = true;
    else if (c.isDigit() && c.unicode() < 128)
        accepted = true;
    else if (c == u'.')
        accepted = !fieldText(watched).contains(u'.');
    else if (c == u'-')
        accepted = m_minusAllowed && m_minusAllowed();
    if (accepted && key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        accepted = false;
    return !accepted;
}

QuoteKeyFilter::QuoteKeyFilter(Notifier &notifier, QString warning, QObject *parent)
    : QObject(parent), m_notifier(notifier), m_warning(std::move(warning))
{
}

bool QuoteKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (!key->text().contains(u'"'))
        return QObject::eventFilter(watched, event);
    const QString replaced = QString(key->text()).replace(u'"', u' ');
    if (auto *combo = qobject_cast<QComboBox *>(watched); combo && combo->lineEdit())
        combo->lineEdit()->insert(replaced);
    else if (auto *edit = qobject_cast<QLineEdit *>(watched))
        edit->insert(replaced);
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(watched))
        memo->insertPlainText(replaced);
    Guarded(m_notifier, [&] { ShowNotice(m_notifier, m_warning, WarningBar); });
    return true;
}
