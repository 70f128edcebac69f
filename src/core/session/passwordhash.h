#pragma once

#include <QString>

// The file password is never stored as typed: MySettings.Password holds a salted
// PBKDF2-HMAC-SHA256 digest, written as
//   pbkdf2-sha256$<iterations>$<salt, base64>$<digest, base64>
// The data file itself is not enciphered, so anyone can read that column; the digest
// keeps a password the user may also use elsewhere from being read back out of it.

// Iterations for new digests: about 0.16 s of processor time on the development
// machine, slow enough to make guessing expensive, quick enough for the check at every
// opening. Each digest carries its own count, so raising it later keeps older digests.
inline constexpr int PasswordHashIterations = 120000;

// A new digest of the password with a fresh random salt.
QString HashFilePassword(const QString &password, int iterations = PasswordHashIterations);
// True when the stored value is a digest written by HashFilePassword.
bool IsHashedFilePassword(const QString &stored);
// Compares a typed password with the stored value, case counting. A stored value that
// is not a digest is a password stored as typed by an earlier build and compared as
// text. An empty typed text never matches a stored password.
bool FilePasswordMatches(const QString &stored, const QString &typed);
