#pragma once

#include "core/base/notifier.h"

#include <functional>

class QWidget;

// The core's Notifier on real widgets. The bar goes to the main window once it has
// registered itself; before that, bar messages fall back to the message dialog.
class WidgetNotifier : public Notifier
{
public:
    using BarSink = std::function<void(const QString &, BarKind)>;
    using PasswordPrompt = std::function<QString()>;

    void setBarSink(BarSink sink) { m_barSink = std::move(sink); }
    void setPasswordPrompt(PasswordPrompt prompt) { m_passwordPrompt = std::move(prompt); }
    void setDialogParent(QWidget *parent) { m_parent = parent; }

    void showBar(const QString &text, BarKind kind) override;
    QString showMessageDialog(const MessageDialogRequest &request) override;
    void showMessageBox(MessageBoxKind kind, const QString &text) override;
    QString promptForPassword() override;
    void beep(BeepKind kind) override;

    // What a message opens over: the modal dialog on screen, else the main window.
    QWidget *dialogParent() const;

private:
    BarSink m_barSink;
    PasswordPrompt m_passwordPrompt;
    QWidget *m_parent = nullptr;
};
