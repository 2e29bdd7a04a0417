#include "register/cancel.h"

#include "catalog/customers.h"
#include "catalog/products.h"
#include "core/number_text.h"
#include "register/devices/devices.h"
#include "register/sale_lines.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace reg {

void Cancel::imgCancelClick() {
    giveBackStock();
    doReset();
}

void Cancel::giveBackStock() {
    auto& f = pos.form;
    auto& lines = pos.sale.lines;
    // A stored sale's stock stays sold, whatever is left of it on screen.
    if (pos.sale.stored) return;
    // The product lines are exactly those the hidden list knows; the lines Total and
    // ring-up append have no entry there (a product whose name trims to nothing still has).
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].stockTaken) continue;
        const core::Decimal qty = core::ParseNumber(f.memQuantity->line(int(i)));
        // Exactly the row the stock came from; a row deleted since gets nothing.
        pos.sub.lines->giveBackStock(lines[i], qty);
        // Once given back, never again, even when a later line stops this walk.
        lines[i].stockTaken = false;
    }
}

void Cancel::doReset() {
    auto& f = pos.form;
    auto& sale = pos.sale;
    pos.sub.customers->doClearCustomer();
    pos.sub.customers->doLockCustomer();
    pos.sub.products->doLockProduct();

    for (ui::MemoList* m : {f.memProductList, f.memProductPrice, f.memProductCost,
                            f.memCategoryHidden, f.memQuantity})
        m->clearLines();
    sale.lines.clear();
    f.edtSaleQuantity->setText("1");
    f.edtProductName->clear();
    f.edtCategoryNameHidden->clear();

    f.lblTotal->setText("0.00");
    f.lblUnitPrice->setText("Unit Price");
    f.edtAmount->setText("0.00");
    f.edtDiscount->setText("0");
    f.edtInvLink->setText("0");
    sale.saleSubTotal = sale.saleTotal = sale.saleTax = sale.taxableTotal = core::Decimal();
    sale.stored = false;
    pos.state.paymentMode = false; // the next Ring Up stores an ordinary sale

    f.edtBarcodeHidden->setEnabled(false);
    f.edtSaleQuantity->setEnabled(false);
    f.imgProduct->setEnabled(false);
    f.edtBarcodeHidden->clear();
    f.imgRingUp->setEnabled(false);
    f.memProductList->setEnabled(true);
    f.edtNote->clear();
    for (QWidget* w : std::initializer_list<QWidget*>{f.edtDiscount, f.edtAmount, f.edtInvLink})
        w->setEnabled(false);

    for (QWidget* w : std::initializer_list<QWidget*>{
             f.imgCustSearch, f.imgProdSearch, f.imgMiniBarcode, f.btnNewCustomer,
             f.btnEditCustomer, f.btnEditProduct, f.btnNewProduct})
        w->setEnabled(true);
    f.File1->menuAction()->setEnabled(true);
    f.Edit1->menuAction()->setEnabled(true);

    for (QRadioButton* r : {f.rbnQuote, f.rbnRefund, f.rbnCashSale, f.rbnCreditSale})
        r->setEnabled(true);
    f.rbnCashSale->setChecked(true);

    f.edtCreditCard2->clear();
    f.edtExpire2->clear();
    f.edtAuthorization->clear();
    f.pnlAuthorization->hide();
    f.edtChangePrice->setText("0.00");
    f.pnlChangePrice->hide();
    f.RadioGroup1->hide();

    sale.saleTotalled = false;
    f.imgAddItem->setEnabled(false);
    f.imgTotal->setEnabled(false);

    if (f.ckbxCashCustomer->isChecked()) {
        f.edtCustomer->setText("CASH CUSTOMER");
        pos.sub.customers->enableProductEntry();
        f.edtDiscount->setEnabled(true);
    }
    pos.sub.devices->poleIdle();
}

} // namespace reg
