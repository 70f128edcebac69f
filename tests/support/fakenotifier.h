#pragma once

#include "core/base/notifier.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Records what the core told the user and answers as scripted.
class FakeNotifier : public Notifier
{
public:
    struct Bar
    {
        QString text;
        BarKind kind;
    };

    QList<Bar> bars;
    QList<MessageDialogRequest> dialogs;
    QStringList messageBoxes;
    int beeps = 0;

    // Answers given to message dialogs, first in first out; when none are left the
    // dialog is "closed" without a button (empty result).
    QStringList dialogAnswers;
    // Called as each message dialog is shown, before it is answered (to look at the
    // world while the question waits).
    std::function<void(const MessageDialogRequest &)> onDialog;
    // Answers to the password prompt, first in first out; empty when none left (cancel).
    QStringList passwordAnswers;
    int passwordPrompts = 0;

    QString lastBar() const { return bars.isEmpty() ? QString() : bars.last().text; }
    void clear();

    void showBar(const QString &text, BarKind kind) override;
    QString showMessageDialog(const MessageDialogRequest &request) override;
    void showMessageBox(MessageBoxKind kind, const QString &text) override;
    QString promptForPassword() override;
    void beep(BeepKind kind) override;
};
