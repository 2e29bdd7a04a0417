#include "app/preferences.h"

#include "app/startup.h"
#include "app/users.h"
#include "core/errors.h"
#include "core/text_file.h"
#include "register/devices/devices.h"
#include "core/number_text.h"
#include "ui/main_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

namespace app {
namespace {
QString flag(bool on) {
    return on ? "T" : "F";
}
} // namespace

void Preferences::openPoleReportingErrors() {
    try {
        pos.sub.devices->openPole();
    } catch (const core::SerialError& e) {
        pos.dialogs().error(QString::fromUtf8(e.what()));
    }
}

void Preferences::doLoadPrefs() {
    auto& f = pos.form;
    if (!core::fileExists(kPrefsFile)) return;
    const QStringList lines = core::readLines(kPrefsFile);
    auto line = [&](int n) { return core::lineAt(lines, n - 1); };

    QLineEdit* company[] = {f.edtCompanyName, f.edtCAddress1, f.edtCAddress2, f.edtCCity,
                            f.edtCState,      f.edtCZip,      f.edtCPhone,    f.edtCFax,
                            f.edtCSlogan,     f.edtCLogoFile};
    for (int i = 0; i < 10; ++i)
        company[i]->setText(line(i + 1));
    f.edtTSalesTax->setText(line(12));
    f.edtSalesTax->setText(line(12));
    f.ckbxTCashDrawer->setChecked(line(13) == "T");
    if (line(14) == "T")
        f.rbCategory->setChecked(true);
    else
        f.rbProductName->setChecked(true);

    reg::Devices& d = *pos.sub.devices;
    d.ComPort1.close();
    d.ComPort1.setPortName(line(15));
    f.cbxSComPort->setCurrentText(line(15));
    QCheckBox* checks[] = {f.ckbxInvoicePrinting, f.ckbxPreviewInvoice, f.ckbxReceiptPrinter,
                           f.ckbxCustomerSearch,  f.ckbxCashCustomer,   f.ckbxPole};
    for (int i = 0; i < 6; ++i)
        checks[i]->setChecked(line(16 + i) == "T");

    const QString port = line(22).isEmpty() ? "COM1" : line(22);
    d.ComPort2.close();
    d.ComPort2.setPortName(port);
    f.cbxPoleComPort->setCurrentText(port);
    f.cbxPoleBaudRate->setCurrentText(line(23).isEmpty() ? "1200" : line(23));
    f.edtPoleMsg->setText(line(24));
    pos.state.poleMessage = line(24);
    d.setPoleSpeedFromSetting();
    openPoleReportingErrors();

    f.TForm1->setWindowTitle(f.edtCompanyName->text() + "   (" + pos.state.currentUser + ")");
    store::Table& sales = pos.tables.sale;
    if (!sales.isOpen()) return; // Esc on the data path panel, before start-up opened it
    sales.last();
    pos.state.nextInvoiceNumber = static_cast<qint64>(sales.number(store::sale::INVOICE)) + 1;
}

void Preferences::doShowPreferences() {
    auto& f = pos.form;
    f.PageControl1->setCurrentWidget(f.tabCompany);
    f.PageControl1->show();
    f.PageControl1->raise();
    f.edtCompanyName->setFocus();
    f.edtSPassword->clear();
    pos.sub.users->fillUserList();
}

void Preferences::Preferences1Click() {
    if (!pos.administrator()) return;
    doShowPreferences();
}

void Preferences::btnCSaveClick() {
    auto& f = pos.form;
    doErrorCheck();
    reg::Devices& d = *pos.sub.devices;
    const QStringList lines = {f.edtCompanyName->text(),
                               f.edtCAddress1->text(),
                               f.edtCAddress2->text(),
                               f.edtCCity->text(),
                               f.edtCState->text(),
                               f.edtCZip->text(),
                               f.edtCPhone->text(),
                               f.edtCFax->text(),
                               f.edtCSlogan->text(),
                               f.edtCLogoFile->text(),
                               "  ",
                               f.edtTSalesTax->text(),
                               flag(f.ckbxTCashDrawer->isChecked()),
                               flag(f.rbCategory->isChecked()),
                               f.cbxSComPort->currentText(),
                               flag(f.ckbxInvoicePrinting->isChecked()),
                               flag(f.ckbxPreviewInvoice->isChecked()),
                               flag(f.ckbxReceiptPrinter->isChecked()),
                               flag(f.ckbxCustomerSearch->isChecked()),
                               flag(f.ckbxCashCustomer->isChecked()),
                               flag(f.ckbxPole->isChecked()),
                               f.cbxPoleComPort->currentText(),
                               f.cbxPoleBaudRate->currentText(),
                               f.edtPoleMsg->text()};
    d.ComPort1.close();
    core::writeLines(kPrefsFile, lines);
    pos.sub.startup->doEnableFields();
    f.edtSalesTax->setText(f.edtTSalesTax->text());
    f.PageControl1->hide();
    f.TForm1->setWindowTitle(f.edtCompanyName->text());
    d.ComPort2.close();
    d.setPoleSpeedFromSetting();
    d.ComPort2.setPortName(f.cbxPoleComPort->currentText());
    pos.state.poleMessage = f.edtPoleMsg->text();
    openPoleReportingErrors();
}

void Preferences::doErrorCheck() {
    auto& f = pos.form;
    const std::pair<QLineEdit*, const char*> required[] = {{f.edtCompanyName, "Company Name"},
                                                           {f.edtCAddress1, "Address 1"},
                                                           {f.edtCCity, "City"},
                                                           {f.edtCState, "State"},
                                                           {f.edtCZip, "Zip"},
                                                           {f.edtTSalesTax, "Sales Tax"}};
    for (const auto& [field, label] : required)
        if (field->text().isEmpty()) doErrorMessage(label);
}

void Preferences::doErrorMessage(const QString& label) {
    pos.dialogs().message("Format Error",
                          "The information in the field:\r    " + label + "\r" +
                              " is either missing or incorrect. Please" + "\r" +
                              " check if it should be text or a number.",
                          {core::Button::OK}, core::Button::OK, core::Icon::Warning);
}

void Preferences::btnCCancelClick() {
    doLoadPrefs();
    pos.form.PageControl1->hide();
}

void Preferences::edtSalesTaxExit() {
    QLineEdit* e = pos.form.edtTSalesTax;
    e->setText(core::normalised(e->text().trimmed(), "0", core::FixFloat));
}

} // namespace app
