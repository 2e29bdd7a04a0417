#include "register/ring_up.h"

#include "catalog/customers.h"
#include "catalog/products.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/troubles.h"
#include "register/cancel.h"
#include "register/devices/devices.h"
#include "register/journal.h"
#include "register/receivables.h"
#include "register/totals.h"
#include "reports/invoices.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <functional>

namespace reg {

void RingUp::imgRingUpClick() {
    auto& f = pos.form;
    auto& sale = pos.sale;
    if (pos.state.paymentMode) {
        pos.sub.receivables->doRingupPayment();
        return;
    }
    if (pos.tables.sale.readOnly()) {
        pos.dialogs().message("Closed Year", "Year is closed to new transactions.",
                              {core::Button::OK}, core::Button::OK, core::Icon::Information);
        pos.sub.cancel->imgCancelClick();
        return;
    }
    pos.sub.totals->edtAmountExit();
    // The total as Total worked it out (the label could show a product picked since).
    const core::Decimal total = sale.saleTotal;
    if (!confirmTender(total)) return;
    f.imgRingUp->setEnabled(false);

    const bool quote = f.rbnQuote->isChecked();
    const bool credit = f.rbnCreditSale->isChecked();
    core::Decimal tendered;
    if (quote) {
        clearTender();
        sale.balanceDueText = "QUOTE";
    } else {
        tendered = settleTender(total, credit);
        // Stored first: should storing fail, the sale stays on screen totalled, ready for
        // another try, and nothing has been shown or sent for it.
        storeSale(credit);
        sale.stored = true;
    }
    finish(quote, credit, tendered > total);
}

bool RingUp::confirmTender(const core::Decimal& total) {
    auto& f = pos.form;
    if (f.pnlAuthorization->isVisible() && f.edtAuthorization->text().isEmpty()) {
        auto answer = pos.dialogs().message(
            "Credit Card Authorization",
            "Process credit card and enter authorization number.\r\r     YES   to proceed without "
            "authorization\r     NO     to process credit card",
            {core::Button::Yes, core::Button::No}, core::Button::No, core::Icon::Question);
        if (answer != core::Button::Yes) return false;
    }
    const bool noTender = f.edtAmount->text() == "0.00";
    if ((total.sign() >= 0 && f.rbnCashSale->isChecked() && noTender) ||
        (f.rbnCreditSale->isChecked() && noTender)) {
        auto answer = pos.dialogs().message(
            "Cash Sale?",
            "There is no amount in the  \"TENDERED\" field \r\r   YES to continue cash sale with "
            "0.00 tendered\r   NO for credit sale or to enter amount tendered",
            {core::Button::Yes, core::Button::No}, core::Button::Yes, core::Icon::Question);
        if (answer != core::Button::Yes) return false;
    }
    return true;
}

void RingUp::clearTender() {
    auto& sale = pos.sale;
    sale.changeDueText.clear();
    sale.tenderedText.clear();
    sale.paymentKindText.clear();
    sale.cardText.clear();
}

core::Decimal RingUp::settleTender(const core::Decimal& total, bool credit) {
    auto& f = pos.form;
    auto& sale = pos.sale;
    clearTender();
    const core::Decimal tendered = core::ParseNumber(f.edtAmount->text());
    if (tendered > total) {
        sale.changeDueText = core::FormatMoney(tendered - total);
        sale.balanceDueText = "0.00";
    } else if (tendered < total) {
        sale.balanceDueText = core::FormatMoney(total - tendered);
    } else {
        sale.balanceDueText = "0.00";
        sale.changeDueText = "0.00";
    }
    sale.tenderedText = f.edtAmount->text();
    if (credit) {
        const QString type = f.edtCreditCard2->text().isEmpty() ? f.cbxType->currentText()
                                                                : f.cbxType2->currentText();
        sale.cardText = type + ":" + f.edtAuthorization->text();
    } else {
        sale.paymentKindText = "Cash/Check";
    }
    return tendered;
}

void RingUp::showChange() {
    auto& f = pos.form;
    f.f2lblChangeDue->setText(pos.sale.changeDueText);
    f.TForm2->show();
    // The clerk goes on at the register while the change stays in view.
    f.TForm1->activateWindow();
}

void RingUp::finish(bool quote, bool credit, bool changeGiven) {
    auto& f = pos.form;
    auto& sale = pos.sale;
    // Past the store the sale is paid: a device or printer that fails is reported once the
    // register has finished, so the sale can never be rung up again or its stock given back.
    core::Troubles troubles;
    if (!quote) {
        if (changeGiven) {
            showChange();
            if (!credit) troubles.attempt([&] { pos.sub.devices->poleChange(sale.changeDueText); });
        }
        if (!f.rbnRefund->isChecked()) {
            f.memProductList->addLine(sale.paymentKindText + " " + sale.cardText);
            f.memProductPrice->addLine(sale.tenderedText);
        }
        if (changeGiven) {
            f.memProductList->addLine("Change Due");
            f.memProductPrice->addLine(sale.changeDueText);
        }
        sale.changeDueText.clear();
        sale.tenderedText.clear();
    }
    if (f.ckbxTCashDrawer->isChecked()) troubles.attempt([&] { pos.sub.devices->doDrawerOpen(); });
    pos.sub.customers->doLockCustomer();
    pos.sub.products->doLockProduct();
    sale.saleSubTotal = sale.saleTotal = sale.taxableTotal = core::Decimal();
    f.memProductList->setEnabled(true);
    // The printing step ends with the reset. When it fails the register is reset all the
    // same: a stored sale's stock stays sold, a quote's comes back.
    if (!troubles.attempt([&] { pos.sub.invoices->imgPrintInvoiceClick(); }))
        troubles.attempt([&] { pos.sub.cancel->imgCancelClick(); });
    troubles.report(pos.dialogs());
}

void RingUp::putCustomer() {
    namespace S = store::sale;
    auto& f = pos.form;
    store::Table& sales = pos.tables.sale;
    auto put = [&](int field, const QString& text) { sales.setText(field, text.toStdString()); };
    const bool secondCard = !f.edtCreditCard2->text().isEmpty();
    put(S::NAME, f.edtCustomer->text());
    put(S::ADDRESS1, f.edtAddress1->text());
    put(S::ADDRESS2, f.edtAddress2->text());
    put(S::CITY, f.edtCity->text());
    put(S::STATE, f.edtState->text());
    put(S::ZIP, f.edtZip->text());
    put(S::PHONE1, f.edtPhone1->text());
    put(S::PHONE2, f.edtPhone2->text());
    put(S::CARD, secondCard ? f.edtCreditCard2->text() : f.edtCreditCard->text());
    put(S::EXPIRE, secondCard ? f.edtExpire2->text() : f.edtExpire->text());
    put(S::TYPE, secondCard ? f.cbxType2->currentText() : f.cbxType->currentText());
}

void RingUp::noteCardOnCustomer() {
    namespace C = store::customer;
    auto& f = pos.form;
    if (f.edtCreditCard2->text().isEmpty()) return;
    pos.tables.sale.updateOther({{C::NAME, f.edtCustomer->text().toStdString()},
                                 {C::ADDRESS1, f.edtAddress1->text().toStdString()}},
                                {{C::CARD, f.edtCreditCard2->text().toStdString()},
                                 {C::EXPIRE, f.edtExpire2->text().toStdString()},
                                 {C::TYPE, f.cbxType2->currentText().toStdString()}});
}

void RingUp::storeSale(bool credit) {
    namespace S = store::sale;
    auto& f = pos.form;
    auto& sale = pos.sale;
    store::Table& sales = pos.tables.sale;
    if (f.edtInvLink->text().isEmpty()) f.edtInvLink->setText("0");

    auto put = [&](int field, const QString& text) { sales.setText(field, text.toStdString()); };
    // Amounts are never cut to fit: one too long refuses the whole record.
    auto number = [&](int field, const QString& text) {
        sales.setNumberText(field, text.toStdString());
    };
    // The number is read and the record posted in one transaction, so that no two
    // sales ever get the same number, even with several registers on one shop. The same
    // transaction closes the journal of the open sale: its stock is sold now.
    std::vector<store::Table*> others = {&pos.tables.customer};
    for (store::Table* t : pos.sub.journal->tables())
        others.push_back(t);
    sales.transactionWith(others, [&] {
        sales.last();
        pos.state.nextInvoiceNumber = static_cast<qint64>(sales.number(S::INVOICE)) + 1;
        sales.append();
        putCustomer();
        // The product lines by their count: a product may well be named "Sales Tax".
        const int lines = std::min<int>(int(sale.lines.size()), S::LINE_COUNT);
        for (int n = 0; n < lines; ++n) {
            const QString text = f.memProductList->line(n);
            put(S::prod(n), f.memQuantity->line(n) + " " + text);
            number(S::cost(n), f.memProductCost->line(n));
            number(S::price(n), f.memProductPrice->line(n) + "  ");
        }
        if (credit) {
            put(S::CARDAUTH, sale.cardText + "  |  ");
            number(S::CHARGE1, sale.tenderedText);
            number(S::CHARGE2, "0.00");
        }
        put(S::NOTE, f.edtNote->text());
        number(S::PAID, sale.tenderedText);
        number(S::BALANCE, sale.balanceDueText);
        number(S::TOTAL, core::FormatMoney(sale.saleTotal));
        put(S::DATE, pos.services.clock->today().toString("MM/dd/yyyy"));
        number(S::TAX, core::FormatMoney(sale.saleTax));
        sales.setNumber(S::INVOICE, double(pos.state.nextInvoiceNumber));
        number(S::SUBTOTAL, core::FormatMoney(sale.saleSubTotal));
        number(S::LINK, f.edtInvLink->text());
        put(S::CLERK, pos.state.currentUser);
        if (credit) noteCardOnCustomer();
        sales.post();
        pos.sub.journal->close(sales);
    });
}

} // namespace reg
