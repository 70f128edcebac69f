#include "support/fakenotifier.h"

void FakeNotifier::clear()
{
    bars.clear();
    dialogs.clear();
    messageBoxes.clear();
    beeps = 0;
}

void FakeNotifier::showBar(const QString &text, BarKind kind)
{
    bars.append({text, kind});
}

QString FakeNotifier::showMessageDialog(const MessageDialogRequest &request)
{
    dialogs.append(request);
    if (onDialog)
        onDialog(request);
    return dialogAnswers.isEmpty() ? QString() : dialogAnswers.takeFirst();
}

void FakeNotifier::showMessageBox(MessageBoxKind, const QString &text)
{
    messageBoxes.append(text);
}

QString FakeNotifier::promptForPassword()
{
    ++passwordPrompts;
    return passwordAnswers.isEmpty() ? QString() : passwordAnswers.takeFirst();
}

void FakeNotifier::beep(BeepKind)
{
    ++beeps;
}
