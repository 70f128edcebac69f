#pragma once

#include <QString>

#include <optional>

class Notifier;
class TMyDataModule;

// The password command's work on the open file. The password itself is never read
// back: the window only learns whether one is set.

bool FileHasPassword(TMyDataModule &db);

// Stores the outcome of the password dialog: no value keeps the stored password (a
// password stored as typed by an earlier build is rewritten as a digest), an empty
// text removes the protection, any other text becomes the new password. Shows
// "Password has been set", and "Password has been removed" when the file is left
// without a password.
void ChangeFilePassword(TMyDataModule &db, Notifier &notifier, const std::optional<QString> &newPassword);
