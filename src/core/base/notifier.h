#pragma once

#include <QString>

// The only way the core reaches the user. The UI implements it with the main window's
// message bar and real dialogs; tests replace it with a fake that records what was
// said and answers as scripted.

enum class BarKind { Warning, Information };
enum class DialogIcon { Warning = 0, Information = 1, Question = 2 };
enum class MessageBoxKind { Information, Warning, Error };
enum class BeepKind { Warning, Default };

struct MessageDialogRequest
{
    QString caption;
    QString top;
    QString details;
    QString bottom;
    QString button1; // empty: hidden
    QString button2; // empty: hidden
    DialogIcon icon = DialogIcon::Warning;
};

class Notifier
{
public:
    virtual ~Notifier() = default;

    // The register's message bar: red warning or green information, hidden after 5 s.
    virtual void showBar(const QString &text, BarKind kind) = 0;
    // The message dialog; returns the caption of the button pressed, empty when closed otherwise.
    virtual QString showMessageDialog(const MessageDialogRequest &request) = 0;
    // The platform's plain message box with one OK button.
    virtual void showMessageBox(MessageBoxKind kind, const QString &text) = 0;
    // The password dialog; a null string when cancelled (an empty password typed is
    // an empty, not a null, string).
    virtual QString promptForPassword() = 0;
    virtual void beep(BeepKind kind) = 0;
};
