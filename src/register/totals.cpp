#include "register/totals.h"

#include "core/number_text.h"
#include "register/devices/devices.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>

namespace reg {

void Totals::imgTotalClick() {
    auto& f = pos.form;
    auto& sale = pos.sale;
    if (core::ParseNumber(f.lblTotal->text()).sign() >= 0) {
        f.edtAmount->setFocus();
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{f.rbnCashSale, f.rbnCreditSale,
                                                          f.rbnQuote, f.edtAmount})
            w->setEnabled(false);
    }
    if (sale.saleTotalled) {
        doReturnToSale();
        return;
    }
    f.edtDiscount->setText("0");
    f.edtDiscount->setEnabled(false);
    // The tax on the taxable sub total, rounded to the cent once, then added: the total is
    // the sum of the amounts shown.
    const core::Decimal rate = core::ParseNumber(f.edtSalesTax->text()).shifted(2);
    sale.saleTax = (rate * sale.taxableTotal).rounded(2);
    sale.saleTotal = sale.saleTax + sale.saleSubTotal;

    for (const char* l : {"Sales Tax", "__________", "Total"})
        f.memProductList->addLine(l);
    f.memProductCost->addLine("______");
    f.memCategoryHidden->addLine("______");
    f.memProductPrice->addLine(core::FormatMoney(sale.saleTax));
    f.memProductPrice->addLine("______");
    f.memProductPrice->addLine(core::FormatMoney(sale.saleTotal));

    f.lblUnitPrice->setText("Total");
    f.lblTotal->setText(core::FormatMoney(sale.saleTotal));
    f.imgAddItem->setEnabled(false);
    f.imgRingUp->setEnabled(true);
    f.memProductList->setEnabled(false);
    sale.saleTotalled = true;
    pos.sub.devices->poleTaxAndTotal(sale.saleTax, sale.saleTotal);
}

void Totals::doReturnToSale() {
    auto& f = pos.form;
    auto& sale = pos.sale;
    auto answer = pos.dialogs().message("Sale", "Cancel \"TOTAL\" and return to sale?",
                                        {core::Button::Yes, core::Button::No}, core::Button::No,
                                        core::Icon::Question);
    if (answer != core::Button::Yes) return;
    f.imgAddItem->setEnabled(true);
    f.imgTotal->setEnabled(true);
    f.edtDiscount->setEnabled(true);
    for (int i = 0; i < 3; ++i) {
        f.memProductList->removeLine(f.memProductList->count() - 1);
        f.memProductPrice->removeLine(f.memProductPrice->count() - 1);
    }
    f.memProductCost->removeLine(f.memProductCost->count() - 1);
    f.memCategoryHidden->removeLine(f.memCategoryHidden->count() - 1);
    f.lblUnitPrice->setText("SubTotal");
    f.lblTotal->setText(core::FormatMoney(sale.saleSubTotal));
    f.imgRingUp->setEnabled(false);
    f.memProductList->setEnabled(true);
    sale.saleTotalled = false;
}

void Totals::edtAmountExit() {
    pos.form.edtAmount->setText(
        core::normalised(pos.form.edtAmount->text(), "0.00", core::FixCurrency));
}

void Totals::showCardPanel() {
    auto& f = pos.form;
    f.pnlAuthorization->show();
    f.pnlAuthorization->raise();
    f.edtAuthorization->clear();
    if (f.edtCreditCard->text().isEmpty()) f.cbxType2->setCurrentText(f.cbxType2->itemText(0));
}

void Totals::edtAmountKeyDown() {
    if (pos.form.rbnCreditSale->isChecked()) showCardPanel();
}

void Totals::rbnCreditSaleClick() {
    auto& f = pos.form;
    if (f.edtAmount->isEnabled()) f.edtAmount->setFocus();
    if (f.edtAmount->text() != "0.00") showCardPanel();
}

void Totals::rbnCashSaleClick() {
    auto& f = pos.form;
    if (f.edtAmount->isEnabled()) f.edtAmount->setFocus();
    f.pnlAuthorization->hide();
}

void Totals::edtInvLinkExit() {
    pos.form.edtInvLink->setText(
        core::normalised(pos.form.edtInvLink->text(), "0", core::FixFloat));
}

} // namespace reg
