#include "app/users.h"

#include "core/errors.h"

#include <sodium.h>

namespace app {
namespace {
void initSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready) throw core::PosError("The password library could not be started.");
}
} // namespace

QString hashPassword(const QString& password) {
    initSodium();
    QByteArray pw = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, pw.constData(), static_cast<unsigned long long>(pw.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw core::PosError("There is not enough memory to store the password.");
    return QString::fromLatin1(out);
}

bool verifyPassword(const QString& stored, const QString& typed) {
    initSodium();
    QByteArray hash = stored.toLatin1();
    if (hash.isEmpty() || hash.size() >= crypto_pwhash_STRBYTES) return false;
    QByteArray pw = typed.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), pw.constData(),
                                    static_cast<unsigned long long>(pw.size())) == 0;
}

} // namespace app
