#include "register/ring_up.h"

#include "catalog/customers.h"
#include "catalog/products.h"
#include "core/errors.h"
#include "register/cancel.h"
#include "register/devices/devices.h"
#include "core/number_text.h"
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

namespace reg {

void RingUp::imgRingUpClick() {
    auto& f = pos.form;
    auto& sale = pos.sale;
    if (pos.tables.sale.readOnly()) {
        pos.dialogs().message("Closed Year", "Year is closed to new transactions.",
                              {core::Button::OK}, core::Button::OK, core::Icon::Information);
        pos.sub.cancel->imgCancelClick();
        return;
    }
    pos.sub.totals->edtAmountExit();
    if (f.pnlAuthorization->isVisible() && f.edtAuthorization->text().isEmpty()) {
        auto answer = pos.dialogs().message(
            "Credit Card Authorization",
            "Process credit card and enter authorization number.\r\r     YES   to proceed without "
            "authorization\r     NO     to process credit card",
            {core::Button::Yes, core::Button::No}, core::Button::No, core::Icon::Question);
        if (answer != core::Button::Yes) return;
    }
    // The total as Total worked it out (the label could show a product picked since).
    const QString totalText = core::FormatMoney(sale.saleTotal);
    const double total = core::ParseNumber(totalText);
    const bool noTender = f.edtAmount->text() == "0.00";
    if ((total >= 0 && f.rbnCashSale->isChecked() && noTender) ||
        (f.rbnCreditSale->isChecked() && noTender)) {
        auto answer = pos.dialogs().message(
            "Cash Sale?",
            "There is no amount in the  \"TENDERED\" field \r\r   YES to continue cash sale with "
            "0.00 tendered\r   NO for credit sale or to enter amount tendered",
            {core::Button::Yes, core::Button::No}, core::Button::Yes, core::Icon::Question);
        if (answer != core::Button::Yes) return;
    }
    f.imgRingUp->setEnabled(false);

    sale.changeDueText.clear();
    sale.tenderedText.clear();
    sale.paymentKindText.clear();
    sale.cardText.clear();
    if (f.rbnQuote->isChecked()) {
        sale.balanceDueText = "QUOTE";
    } else {
        const bool credit = f.rbnCreditSale->isChecked();
        const double tendered = core::ParseNumber(f.edtAmount->text());
        if (tendered > total) {
            sale.changeDueText = core::FormatMoney(tendered - total);
            f.f2lblChangeDue->setText(sale.changeDueText);
            f.TForm2->show();
            // The clerk goes on at the register while the change stays in view.
            f.TForm1->activateWindow();
            sale.balanceDueText = "0.00";
            if (!credit) pos.sub.devices->poleChange(sale.changeDueText);
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

        // The sale is stored before its payment lines go on screen: should storing fail,
        // the sale stays on screen totalled, ready for another try.
        storeSale(credit);

        if (!f.rbnRefund->isChecked()) {
            f.memProductList->addLine(sale.paymentKindText + " " + sale.cardText);
            f.memProductPrice->addLine(sale.tenderedText);
        }
        if (tendered > total) {
            f.memProductList->addLine("Change Due");
            f.memProductPrice->addLine(sale.changeDueText);
        }
        sale.changeDueText.clear();
        sale.tenderedText.clear();
    }

    if (f.ckbxTCashDrawer->isChecked()) {
        // Past this point the sale is stored: a drawer that fails is reported and the
        // register still finishes, so the sale can never be rung up a second time.
        try {
            pos.sub.devices->doDrawerOpen();
        } catch (const core::SerialError& e) {
            pos.dialogs().error(QString::fromUtf8(e.what()));
        }
    }
    pos.sub.customers->doLockCustomer();
    pos.sub.products->doLockProduct();
    sale.saleSubTotal = sale.saleTotal = sale.taxableTotal = 0;
    f.memProductList->setEnabled(true);
    pos.sub.invoices->imgPrintInvoiceClick();
}

void RingUp::storeSale(bool credit) {
    namespace S = store::sale;
    auto& f = pos.form;
    auto& sale = pos.sale;
    store::Table& sales = pos.tables.sale;
    const bool secondCard = !f.edtCreditCard2->text().isEmpty();
    if (f.edtInvLink->text().isEmpty()) f.edtInvLink->setText("0");

    auto put = [&](int field, const QString& text) { sales.setText(field, text.toStdString()); };
    // The number is read and the record posted in one transaction, so that no two
    // sales ever get the same number, even with several registers on one data directory.
    sales.transactionWith(pos.tables.customer, [&] {
        sales.last();
        pos.state.nextInvoiceNumber = static_cast<qint64>(sales.number(S::INVOICE)) + 1;
        sales.append();
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
        for (int n = 0; n < S::LINE_COUNT; ++n) {
            const QString text = f.memProductList->line(n);
            if (n >= f.memProductList->count() || text.trimmed().isEmpty() ||
                text.trimmed() == "Sales Tax")
                break;
            put(S::prod(n), f.memQuantity->line(n) + " " + text);
            put(S::cost(n), f.memProductCost->line(n));
            put(S::price(n), f.memProductPrice->line(n) + "  ");
        }
        if (credit) {
            put(S::CARDAUTH, sale.cardText + "  |  ");
            put(S::CHARGE1, sale.tenderedText);
            put(S::CHARGE2, "0.00");
        }
        put(S::NOTE, f.edtNote->text());
        put(S::PAID, sale.tenderedText);
        put(S::BALANCE, sale.balanceDueText);
        put(S::TOTAL, core::FormatMoney(sale.saleTotal));
        put(S::DATE, pos.services.clock->today().toString("MM/dd/yyyy"));
        put(S::TAX, core::FormatMoney(sale.saleTax));
        sales.setNumber(S::INVOICE, double(pos.state.nextInvoiceNumber));
        put(S::SUBTOTAL, core::FormatMoney(sale.saleSubTotal));
        put(S::LINK, f.edtInvLink->text());
        put(S::CLERK, pos.state.currentUser);
        if (credit && secondCard)
            sales.updateOther({{store::customer::NAME, f.edtCustomer->text().toStdString()},
                               {store::customer::ADDRESS1, f.edtAddress1->text().toStdString()}},
                              {{store::customer::CARD, f.edtCreditCard2->text().toStdString()},
                               {store::customer::EXPIRE, f.edtExpire2->text().toStdString()},
                               {store::customer::TYPE, f.cbxType2->currentText().toStdString()}});
        sales.post();
    });
}

} // namespace reg
