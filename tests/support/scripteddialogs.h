#pragma once

#include "ui/feedback/dialogrunner.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <QTest>

#include <functional>

// Answers the modal dialogs the code under test opens through ExecDialog, for the
// lifetime of the object; the hook that was there before comes back on destruction,
// also when a check failed half-way.
//
// A dialog is answered by the first of: the next scripted answer (`answers`, in the
// order they were added), a standing answer for its class (`always`), the fallback
// (`otherwise`). A dialog none of these answers fails the test, is recorded in
// `unexpected` and is rejected, so a test never waits on it.
class ScriptedDialogs
{
public:
    using Answer = std::function<int(QDialog &)>;

    enum class Showing {
        Hidden,  // answered without being shown
        Shown,   // shown first, as exec would
        Exposed, // shown and waited for until on screen (for key and mouse events)
    };

    explicit ScriptedDialogs(Showing showing = Showing::Hidden) : m_showing(showing)
    {
        m_previous = SetDialogHook([this](QDialog &dialog) { return answer(dialog); });
    }
    ~ScriptedDialogs() { SetDialogHook(std::move(m_previous)); }
    ScriptedDialogs(const ScriptedDialogs &) = delete;
    ScriptedDialogs &operator=(const ScriptedDialogs &) = delete;

    // The next dialog that opens gets this answer.
    ScriptedDialogs &then(Answer answer)
    {
        answers.append(std::move(answer));
        return *this;
    }

    // Every dialog of class Dialog without a scripted answer gets `act`, then closes
    // as exec would: a dialog `act` left open is rejected, and its result is returned.
    template<typename Dialog>
    ScriptedDialogs &always(std::function<void(Dialog &)> act)
    {
        m_standing.append([act = std::move(act)](QDialog &dialog) -> bool {
            auto *typed = qobject_cast<Dialog *>(&dialog);
            if (!typed)
                return false;
            if (act)
                act(*typed);
            if (typed->isVisible())
                typed->reject();
            return true;
        });
        return *this;
    }

    // The answer for any dialog nothing else answers.
    ScriptedDialogs &otherwise(Answer answer)
    {
        m_fallback = std::move(answer);
        return *this;
    }

    // Every scripted answer was used and no dialog came unexpected.
    bool done() const { return answers.isEmpty() && unexpected.isEmpty(); }

    // Scripted answers not used yet, first first.
    QList<Answer> answers;
    // Object names of the dialogs that opened, in order.
    QStringList opened;
    // Object names of the dialogs nothing answered (or that did not come on screen).
    QStringList unexpected;

private:
    int answer(QDialog &dialog)
    {
        opened << dialog.objectName();
        if (m_showing != Showing::Hidden) {
            dialog.show();
            if (m_showing == Showing::Exposed && !QTest::qWaitForWindowExposed(&dialog))
                unexpected << dialog.objectName() + QStringLiteral(" not shown");
        }
        const int result = pick(dialog);
        if (m_showing != Showing::Hidden)
            dialog.hide();
        return result;
    }

    int pick(QDialog &dialog)
    {
        if (!answers.isEmpty())
            return answers.takeFirst()(dialog);
        for (const auto &standing : std::as_const(m_standing)) {
            if (standing(dialog))
                return dialog.result();
        }
        if (m_fallback)
            return m_fallback(dialog);
        unexpected << dialog.objectName();
        QTest::qFail(qPrintable(QStringLiteral("unexpected dialog ") + dialog.objectName()), __FILE__, __LINE__);
        return int(QDialog::Rejected);
    }

    Showing m_showing;
    QList<std::function<bool(QDialog &)>> m_standing;
    Answer m_fallback;
    DialogHook m_previous;
};

// The dialog as its own class; a dialog of another class fails the test run.
template<typename Dialog>
Dialog &DialogAs(QDialog &dialog)
{
    auto *typed = qobject_cast<Dialog *>(&dialog);
    if (!typed)
        qFatal("expected %s, got %s", Dialog::staticMetaObject.className(), qPrintable(dialog.objectName()));
    return *typed;
}
