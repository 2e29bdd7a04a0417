#include "app/users.h"

#include "core/errors.h"
#include "ui/main_form.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

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

namespace app {

void Users::tabSecurityShow() {
    store::Table& users = pos.tables.security;
    if (users.text(store::security::USERNAME).empty()) pos.form.rbSUser->setEnabled(false);
}

void Users::cbxSUsernameChange() {
    auto& f = pos.form;
    const std::string name = f.cbxSUsername->currentText().toStdString();
    if (name.empty()) return;
    store::Table& users = pos.tables.security;
    for (users.first(); !users.eof(); users.next())
        if (users.text(store::security::USERNAME) == name) {
            if (users.text(store::security::GROUP) == "A")
                f.rbSAdministrator->setChecked(true);
            else
                f.rbSUser->setChecked(true);
        }
}

void Users::btnSSaveClick() {
    namespace U = store::security;
    auto& f = pos.form;
    const QString name = f.cbxSUsername->currentText();
    if (name.isEmpty()) return;
    if (f.edtSPassword->text() != f.edtConfirmPassword->text()) {
        pos.dialogs().message("Password Error", "Passwords do not match.", {core::Button::OK},
                              core::Button::OK, core::Icon::Error);
        return;
    }
    store::Table& users = pos.tables.security;
    const bool none = users.recordCount() == 0;
    const bool found = users.locate({{U::USERNAME, name.toStdString()}});
    // Stored as the hash the login verifies, never as typed.
    const QString hash = hashPassword(f.edtSPassword->text());
    const bool admin = f.rbSAdministrator->isChecked();
    if (found) {
        users.edit();
        users.setText(U::GROUP, admin ? "A" : "U");
    } else {
        users.append();
        // The first user ever is an Administrator, whatever is chosen.
        users.setText(U::GROUP, admin || none ? "A" : "U");
    }
    users.setText(U::USERNAME, name.toStdString());
    users.setText(U::PASSWORD, hash.toStdString());
    users.post();
    f.cbxSUsername->clear();
    f.cbxSUsername->setCurrentText(QString());
    f.edtSPassword->clear();
    f.edtConfirmPassword->clear();
    f.rbSUser->setEnabled(true);
}

void Users::btnSRemoveClick() {
    namespace U = store::security;
    auto& f = pos.form;
    const std::string name = f.cbxSUsername->currentText().toStdString();
    if (name.empty()) return;
    store::Table& users = pos.tables.security;
    users.first();
    while (!users.eof()) {
        if (users.text(U::USERNAME) != name) {
            users.next();
            continue;
        }
        users.remove();
        // The one user left must be able to run the shop.
        if (users.recordCount() == 1) {
            users.first();
            users.edit();
            users.setText(U::GROUP, "A");
            users.post();
        }
    }
    fillUserList();
}

void Users::fillUserList() {
    auto& f = pos.form;
    // Read first: filling the list runs the name's change handler, which walks the table.
    const store::RowSet names = pos.tables.security.snapshot({store::security::USERNAME});
    f.cbxSUsername->clear();
    for (int r = 0; r < names.rows(); ++r) {
        const std::string_view name = names.field(r, 0);
        f.cbxSUsername->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())));
    }
    f.cbxSUsername->setCurrentText(f.cbxSUsername->count() ? f.cbxSUsername->itemText(0)
                                                           : QString());
}

} // namespace app
