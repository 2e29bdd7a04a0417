#pragma once

#include <QString>

namespace app {

// Passwords are never stored: PASSWORD holds an Argon2id hash in libsodium's string form.
QString hashPassword(const QString& password);

// True when `typed` is exactly the password that `stored` was made from.
bool verifyPassword(const QString& stored, const QString& typed);

} // namespace app
