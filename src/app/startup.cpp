#include "app/startup.h"

#include "app/preferences.h"
#include "app/users.h"
#include "catalog/customers.h"
#include "catalog/lists.h"
#include "catalog/products.h"
#include "catalog/table_browser.h"
#include "core/text_file.h"
#include "maintenance/help.h"
#include "register/journal.h"
#include "reports/print_dialog.h"
#include "store/errors.h"
#include "store/place.h"
#include "store/server_source.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

namespace app {

namespace {
const QColor kNavy(0, 0, 128);
const QColor kGrey(128, 128, 128);

} // namespace

Startup::Startup(core::Pos& p) : pos(p) {
    // The folder make run prepares as the data directory, as the first suggestion.
    pos.form.edtDataBase->setText(QDir::current().absoluteFilePath("data"));
}

void Startup::FormActivate() {
    auto& f = pos.form;
    if (pos.state.startupDone) return;
    if (!core::fileExists(kDataPathFile)) {
        f.pnlDataPath->show();
        f.pnlDataPath->raise();
        f.edtDataBase->setFocus();
        return;
    }
    const QString path = core::lineAt(core::readLines(kDataPathFile), 0);
    bool present = false;
    if (store::isServerPath(path.toStdString())) {
        // A server that cannot be reached now is no reason to forget where the shop is: the
        // register says so and ends, and finds its shop again once the server is back.
        try {
            present = store::serverShopPresent(path.toStdString());
        } catch (const store::EngineError& e) {
            pos.dialogs().error(QString::fromStdString(e.what()) +
                                "\rStart Marlow POS again once the server is back.");
            pos.services.lifetime->end();
            return;
        }
    } else {
        present = QFileInfo::exists(path + "security.tbl");
    }
    if (!present) {
        pos.dialogs().message("Database Error", "Database files not found", {core::Button::OK},
                              core::Button::OK, core::Icon::Error);
        core::removeFile(kDataPathFile);
        pos.services.lifetime->end();
        return;
    }
    pos.state.dataPath = path;
    openTables(path);
    f.imgCancel->setEnabled(false);
    pos.state.startupDone = true;

    store::Table& users = pos.tables.security;
    users.first();
    if (!users.text(store::security::USERNAME).empty()) {
        pos.state.loginPending = true;
        f.pnlSecurity->show();
        f.rbSUser->setEnabled(true);
        f.edtPUsername->setFocus();
        return;
    }
    pos.state.currentUser = "No Security";
    pos.state.userGroup = "A";
    doInit();
    f.rbSUser->setEnabled(false);
    f.rbSAdministrator->setChecked(true);
}

void Startup::openTables(const QString& path) {
    auto& t = pos.tables;
    const std::string dataPath = path.toStdString();
    const std::pair<store::Table*, const char*> tables[] = {{&t.customer, "customer"},
                                                            {&t.product, "product"},
                                                            {&t.sale, "sale"},
                                                            {&t.security, "security"}};
    // Pointing a connection elsewhere closes what it had open (a start-up run again).
    for (auto& [table, name] : tables) {
        table->close();
        table->setReadOnly(false);
        table->setFileName(store::tablePlace(dataPath, name));
    }
    for (auto& [table, name] : tables)
        table->open();
    pos.sub.journal->open(path);
}

void Startup::btnDataBaseClick() {
    auto chosen = pos.dialogs().chooseFolder("Select the folder containing the database files",
                                             pos.form.edtDataBase->text());
    if (chosen) pos.form.edtDataBase->setText(*chosen + "/");
}

void Startup::btnDataBaseOKClick() {
    const QString text = pos.form.edtDataBase->text();
    if (text.isEmpty()) return;
    // A folder's path ends in a separator; a server's connection URI is kept as typed.
    const bool server = store::isServerPath(text.trimmed().toStdString());
    core::writeLines(kDataPathFile, {server ? text.trimmed() : text + "/"});
    FormActivate();
    pos.form.pnlDataPath->hide();
}

void Startup::btnDataBaseCancelClick() {
    pos.services.lifetime->end();
}

void Startup::btnPOKClick() {
    auto& f = pos.form;
    const std::string name = f.edtPUsername->text().toStdString();
    const QString password = f.edtPPassword->text();
    store::Table& users = pos.tables.security;
    for (users.first(); !users.eof(); users.next()) {
        if (users.text(store::security::USERNAME) != name) continue;
        if (!verifyPassword(core::fieldText(users, store::security::PASSWORD), password)) continue;
        f.pnlSecurity->hide();
        pos.state.userGroup = core::fieldText(users, store::security::GROUP);
        pos.state.loginPending = false;
        pos.state.currentUser = core::fieldText(users, store::security::USERNAME);
        doInit();
        return;
    }
}

void Startup::doInit() {
    auto& f = pos.form;
    if (core::fileExists(kPrefsFile)) {
        pos.sub.prefs->doLoadPrefs();
        doEnableFields();
        pos.sub.lists->doPopComboBoxes();
        pos.state.customerEditMode = pos.state.productEditMode = false;
        pos.sub.journal->restore();
        return;
    }
    f.PageControl1->setCurrentWidget(f.tabCompany);
    f.PageControl1->show();
    f.PageControl1->raise();
    // The helper only lists the steps: the keyboard stays with the company name.
    f.TForm4->setAttribute(Qt::WA_ShowWithoutActivating);
    f.TForm4->show();
    f.TForm1->activateWindow(); // for window systems that activate whatever shows
    f.edtCompanyName->setFocus();
    f.Timer1->start();
    pos.sub.journal->restore();
}

void Startup::doEnableFields() {
    auto& f = pos.form;
    if (pos.state.loginPending) return;
    for (QMenu* m : {f.File1, f.Edit1, f.View1, f.Help1})
        m->menuAction()->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{
             f.btnEditCustomer, f.btnEditProduct, f.btnNewCustomer, f.btnNewProduct,
             f.imgCustSearch, f.imgProdSearch, f.imgCancel, f.imgMiniBarcode, f.rbnCashSale,
             f.rbnCreditSale, f.rbnQuote, f.rbnRefund})
        w->setEnabled(true);
    if (f.ckbxCashCustomer->isChecked()) {
        f.edtCustomer->setText("CASH CUSTOMER");
        f.edtBarcodeHidden->setEnabled(true);
        f.edtSaleQuantity->setEnabled(true);
        f.edtBarcodeHidden->clear();
        f.edtBarcodeHidden->setFocus();
        f.imgProduct->setEnabled(true);
        f.edtDiscount->setEnabled(true);
    }
}

void Startup::DataPath1Click() {
    if (!pos.administrator()) return;
    auto answer = pos.dialogs().message(
        "Change Data Path", "To change the data path to a new\r set of data, push the OK button.",
        {core::Button::OK, core::Button::Cancel}, core::Button::Cancel, core::Icon::Warning);
    if (answer != core::Button::OK) return;
    core::removeFile(kDataPathFile);
    pos.services.lifetime->end();
}

void Startup::Exit1Click() {
    pos.services.lifetime->end();
}

void Startup::Timer1Timer() {
    auto& f = pos.form;
    if (f.pnlDataBase->isVisible()) f.imgOutline1->setVisible(!f.imgOutline1->isVisible());
    if (f.TForm4->isVisible()) {
        bool navy = f.Label1->palette().color(QPalette::Window) == kNavy;
        ui::setBackground(f.Label1, navy ? kGrey : kNavy);
    }
}

void Startup::FormKeyDown(int key) {
    auto& f = pos.form;
    switch (key) {
    case Qt::Key_Escape:
        f.pnlCategory->hide();
        pos.sub.printDialog->btnPrintCancelClick();
        if (f.pnlDataBase->isVisible()) pos.sub.browser->btnDatabaseCloseClick();
        f.pnlAbout->hide();
        pos.sub.prefs->btnCCancelClick();
        for (QWidget* w : std::initializer_list<QWidget*>{f.pnlQuickQuantity, f.pnlBarCode,
                                                          f.pnlChangePrice, f.RadioGroup1})
            w->hide();
        break;
    case Qt::Key_F1:
        pos.sub.help->Help2Click();
        break;
    case Qt::Key_F2:
        pos.sub.customers->New1Click();
        break;
    case Qt::Key_F3:
        pos.sub.customers->Edit2Click();
        break;
    case Qt::Key_F4:
        pos.sub.products->New2Click();
        break;
    case Qt::Key_F5:
        pos.sub.products->Edit3Click();
        break;
    case Qt::Key_F11:
        if (f.edtSaleQuantity->isEnabled()) f.edtSaleQuantity->setFocus();
        break;
    case Qt::Key_F12:
        if (f.edtBarcodeHidden->isEnabled()) f.edtBarcodeHidden->setFocus();
        break;
    default:
        break;
    }
}

} // namespace app
