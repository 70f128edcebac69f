#pragma once

#include "core/register/registerstate.h"

#include <QString>

class Notifier;

// While a transaction is being entered or edited, commands that would lose it refuse
// to run. Each refusal has its own text.
namespace EntryLockMessage {
inline const QString Exit = QStringLiteral("Please Save or Cancel the current transaction to exit.");
inline const QString OpenFile = QStringLiteral("You must cancel an editing of transactions before opening a new file");
inline const QString Import = QStringLiteral("You must cancel an editing of transactions before importing a file");
inline const QString ProgramOptions = QStringLiteral("Please Save or Cancel the current transaction to change program options.");
// Backup, restore and optimisation close the file for a moment, and a restore replaces it.
inline const QString Maintenance =
    QStringLiteral("Please Save or Cancel the current transaction before a backup, a restore or an optimisation.");
} // namespace EntryLockMessage

// True, with the message in the warning bar, when the register is in New or Edit mode:
// the caller must not go on.
bool RefusedWhileEditing(const RegisterState &state, Notifier &notifier, const QString &message);
