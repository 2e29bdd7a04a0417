#pragma once

#include <QString>

namespace app {

// Passwords are never stored: PASSWORD holds an Argon2id hash in libsodium's string form.
QString hashPassword(const QString& password);

// True when `typed` is exactly the password that `stored` was made from.
bool verifyPassword(const QString& stored, const QString& typed);

} // namespace app

#include "core/pos.h"

namespace app {

// The Security tab: users added, changed and removed, with the rules that keep an
// Administrator among them.
class Users {
public:
    explicit Users(core::Pos& pos) : pos(pos) {}

    void tabSecurityShow();
    void cbxSUsernameChange();
    void btnSSaveClick();
    void btnSRemoveClick();
    // Every user name in table order, the first one chosen.
    void fillUserList();

private:
    core::Pos& pos;
};

} // namespace app
