#pragma once

#include "core/base/notifier.h"

// Shows nothing and answers every question with Answer (nothing: as if closed), so a
// benchmark measures the work and never a window.
class SilentNotifier : public Notifier
{
public:
    explicit SilentNotifier(QString answer = QString()) : m_answer(std::move(answer)) {}
    void showBar(const QString &, BarKind) override {}
    QString showMessageDialog(const MessageDialogRequest &) override { return m_answer; }
    void showMessageBox(MessageBoxKind, const QString &) override {}
    QString promptForPassword() override { return QString(); }
    void beep(BeepKind) override {}

private:
    QString m_answer;
};
