#pragma once

#include <QString>

namespace lanfan {

// Operator passwords are stored as a salted, slow hash:
//   "pbkdf2-sha256$<iterations>$<salt hex>$<hash hex>"
// Rows written before that hold the 32-hex MD5 digest of the password; they
// are still accepted and are rewritten in the salted form at their next
// successful login.

inline const QString kPbkdf2Prefix = QStringLiteral("pbkdf2-sha256");
inline constexpr int kPbkdf2Iterations = 60000;

// The stored text for a new or changed password, with a fresh random salt.
QString hashPassword(const QString &password);
// The same with a given salt and iteration count (for checking and tests).
QString hashPassword(const QString &password, const QByteArray &salt, int iterations);

// Whether `password` matches the stored text, in either form. An empty
// password matches the MD5 digest of the empty text. Anything else (an empty
// or damaged stored text) matches nothing.
bool passwordMatches(const QString &stored, const QString &password);

// Whether the stored text is the old MD5 form that should be upgraded.
bool isMd5Password(const QString &stored);

} // namespace lanfan
