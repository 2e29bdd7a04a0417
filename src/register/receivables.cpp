#include "register/receivables.h"

#include "catalog/customers.h"
#include "catalog/products.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/troubles.h"
#include "register/cancel.h"
#include "register/devices/devices.h"
#include "register/ring_up.h"
#include "register/totals.h"
#include "reports/invoices.h"
#include "store/text.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <functional>

namespace reg {

namespace {
QString invoiceText(const store::Table& sales) {
    return QString::fromStdString(store::shortestNumber(sales.number(store::sale::INVOICE)));
}

// What picking an invoice disables and the end of its payment enables again.
std::array<QWidget*, 10> lockedWhilePaying(ui::MainForm& f) {
    return {f.imgCustSearch,  f.imgProdSearch,   f.imgProduct,     f.imgMiniBarcode,
            f.btnNewCustomer, f.btnEditCustomer, f.btnEditProduct, f.btnNewProduct,
            f.rbnQuote,       f.rbnRefund};
}
} // namespace

void Receivables::Payment1Click() {
    namespace S = store::sale;
    auto& f = pos.form;
    if (!f.memProductList->line(0).isEmpty()) {
        pos.dialogs().message(
            "CAUTION!",
            "Sale is in progress. Complete or cancel\r      sale before viewing receivables.",
            {core::Button::OK}, core::Button::OK, core::Icon::Warning);
        return;
    }
    store::Table& sales = pos.tables.sale;
    // The four columns of every sale in name order, read in one pass; the open invoices
    // fill the grid from its first row, the rest of its rows stay empty.
    sales.setIndex("NAME");
    store::RowSet all;
    try {
        all = sales.snapshot({S::NAME, S::INVOICE, S::BALANCE, S::DATE});
    } catch (...) {
        // The next invoice number is read in INVOICE order: never leave the table in another.
        sales.setIndex("INVOICE");
        throw;
    }
    sales.setIndex("INVOICE");
    store::RowSet rows;
    rows.fields = 4;
    for (int r = 0; r < all.rows(); ++r) {
        const std::string_view balance = all.field(r, 2);
        const std::optional<core::Decimal> due = core::Decimal::read(balance);
        if (!due) throw store::notAFloat(std::string(balance));
        if (due->sign() <= 0) continue;
        for (int c = 0; c < 4; ++c) {
            rows.arena += all.field(r, c);
            rows.ends.push_back(std::uint32_t(rows.arena.size()));
        }
        rows.rids.push_back(all.rids[size_t(r)]);
    }
    const int filled = rows.rows();
    rows.ends.resize(size_t(std::max({1, filled, all.rows()})) * 4,
                     std::uint32_t(rows.arena.size()));
    const bool any = filled > 0 && !rows.field(0, 0).empty();
    ui::GridView* grid = f.StringGrid3;
    grid->gridModel()->setRows(std::move(rows));
    grid->scrollRowToTop(0);
    pos.state.gridSearchText.clear();
    if (any) {
        f.pnlPayment->show();
        f.pnlPayment->raise();
        pos.state.paymentMode = false;
        grid->setFocus();
    } else {
        pos.dialogs().inform("Marlow POS", "No accounts receivable");
    }
}

void Receivables::StringGrid3KeyPress(const QString& ch) {
    if (!pos.form.pnlPayment->isVisible()) return;
    pos.form.StringGrid3->typeAhead(pos.state.gridSearchText, ch, 0);
}

void Receivables::StringGrid3KeyDown() {
    pos.form.pnlPayment->hide();
}

bool Receivables::findInvoice(const QString& name) {
    store::Table& sales = pos.tables.sale;
    for (sales.first(); !sales.eof(); sales.next())
        if (invoiceText(sales) == pos.state.paymentInvoice &&
            core::fieldText(sales, store::sale::NAME) == name)
            return true;
    return false;
}

void Receivables::StringGrid3MouseUp(int row) {
    namespace S = store::sale;
    namespace C = store::customer;
    auto& f = pos.form;
    ui::GridModel* m = f.StringGrid3->gridModel();
    if (row < 0 || row >= m->rowCount()) return;
    pos.state.paymentInvoice = m->cell(row, 1);
    const QString name = m->cell(row, 0);
    f.pnlPayment->hide();
    if (!findInvoice(name)) return;

    pos.state.paymentMode = true;
    for (QWidget* w : lockedWhilePaying(f))
        w->setEnabled(false);
    f.File1->menuAction()->setEnabled(false);
    f.Edit1->menuAction()->setEnabled(false);

    const store::Table& sales = pos.tables.sale;
    f.edtCustomer->setText(core::fieldText(sales, S::NAME));
    QLineEdit* fields[] = {f.edtAddress1, f.edtAddress2, f.edtCity,       f.edtState, f.edtZip,
                           f.edtPhone1,   f.edtPhone2,   f.edtCreditCard, f.edtExpire};
    store::Table& customers = pos.tables.customer;
    if (customers.locate({{C::NAME, f.edtCustomer->text().toStdString()},
                          {C::ADDRESS1, f.edtAddress1->text().toStdString()}})) {
        const int from[] = {C::ADDRESS1, C::ADDRESS2, C::CITY, C::STATE, C::ZIP,
                            C::PHONE1,   C::PHONE2,   C::CARD, C::EXPIRE};
        for (int i = 0; i < 9; ++i)
            fields[i]->setText(core::fieldText(customers, from[i]));
        f.cbxType->setCurrentText(core::fieldText(customers, C::TYPE));
    } else {
        const int from[] = {S::ADDRESS1, S::ADDRESS2, S::CITY, S::STATE, S::ZIP,
                            S::PHONE1,   S::PHONE2,   S::CARD, S::EXPIRE};
        for (int i = 0; i < 9; ++i)
            fields[i]->setText(core::fieldText(sales, from[i]));
        f.cbxType->setCurrentText(core::fieldText(sales, S::TYPE));
    }
    f.memProductList->addLine(" Balance forward");
    f.memProductPrice->addLine(core::fieldText(sales, S::BALANCE));
    f.lblTotal->setText(core::fieldText(sales, S::BALANCE));
    f.imgRingUp->setEnabled(true);
    f.edtAmount->setEnabled(true);
    f.edtAmount->setFocus();
}

void Receivables::endPayment() {
    auto& f = pos.form;
    for (QWidget* w : lockedWhilePaying(f))
        w->setEnabled(true);
    f.File1->menuAction()->setEnabled(true);
    f.Edit1->menuAction()->setEnabled(true);
    if (pos.state.saleTableReopened) {
        store::Table& sales = pos.tables.sale;
        sales.close();
        sales.setReadOnly(true);
        sales.open();
        pos.state.saleTableReopened = false;
    }
}

void Receivables::doRingupPayment() {
    auto& f = pos.form;
    auto& sale = pos.sale;
    // Whatever happens below, the pick's locks end and a closed year closes again.
    struct End {
        Receivables* self;
        ~End() {
            try {
                self->endPayment();
            } catch (const std::exception& e) {
                self->pos.dialogs().error(QString::fromUtf8(e.what()));
            }
        }
    } end{this};

    store::Table& sales = pos.tables.sale;
    if (sales.readOnly()) {
        sales.close();
        sales.setReadOnly(false);
        sales.open();
        pos.state.saleTableReopened = true;
    }
    pos.sub.totals->edtAmountExit();
    const core::Decimal total = core::ParseNumber(f.lblTotal->text());
    if (!pos.sub.ringUp->confirmTender(total)) return;
    f.imgRingUp->setEnabled(false);
    if (f.rbnQuote->isChecked()) return;

    const bool credit = f.rbnCreditSale->isChecked();
    const core::Decimal tendered = pos.sub.ringUp->settleTender(total, credit);
    const core::Decimal change = tendered > total ? tendered - total : core::Decimal();
    if (tendered > total) pos.sub.ringUp->showChange();
    f.memProductList->addLine(sale.paymentKindText + " " + sale.cardText + " " +
                              pos.services.clock->today().toString("MM/dd/yyyy"));
    f.memProductPrice->addLine(sale.tenderedText);
    if (tendered > total) {
        f.memProductList->addLine(" Change Due");
        f.memProductPrice->addLine(sale.changeDueText);
    }
    storePayment(sale.balanceDueText, tendered - change);
    // Recorded: from here nothing may record it again, whatever fails while finishing.
    pos.state.paymentMode = false;
    sale.changeDueText.clear();
    sale.tenderedText.clear();

    core::Troubles troubles;
    if (f.ckbxTCashDrawer->isChecked()) troubles.attempt([&] { pos.sub.devices->doDrawerOpen(); });
    pos.sub.customers->doLockCustomer();
    pos.sub.products->doLockProduct();
    sale.saleSubTotal = sale.saleTotal = sale.taxableTotal = core::Decimal();
    f.memProductList->setEnabled(true);
    f.edtPrintInvFrom->setText(pos.state.paymentInvoice);
    troubles.attempt([&] {
        if (!findInvoice(f.edtCustomer->text()))
            throw core::PosError("The paid invoice can no longer be found to print it.");
        if (f.ckbxReceiptPrinter->isChecked())
            pos.sub.invoices->paymentReceipt(pos.state.paymentInvoice, credit);
        else
            pos.sub.invoices->paymentInvoice(pos.state.paymentInvoice);
    });
    f.edtAuthorization->clear();
    for (ui::MemoList* m :
         {f.memProductList, f.memProductPrice, f.memProductCost, f.memCategoryHidden})
        m->clearLines();
    troubles.attempt([&] { pos.sub.cancel->doReset(); });
    troubles.report(pos.dialogs());
}

void Receivables::storePayment(const QString& balanceDue, const core::Decimal& paid) {
    namespace S = store::sale;
    auto& f = pos.form;
    auto& sale = pos.sale;
    store::Table& sales = pos.tables.sale;
    auto put = [&](int field, const QString& text) { sales.setText(field, text.toStdString()); };
    // The record and the card noted on the customer change together or not at all; a
    // payment that failed can be rung up again and is then recorded once.
    sales.transactionWith(pos.tables.customer, [&] {
        if (!findInvoice(f.edtCustomer->text()))
            throw core::PosError(QString("Invoice %1 of %2 is no longer in the sale table.")
                                     .arg(pos.state.paymentInvoice, f.edtCustomer->text())
                                     .toStdString());
        const QString paidBefore = core::fieldText(sales, S::PAID);
        const QString cards = core::fieldText(sales, S::CARDAUTH);
        const QString charge1 = core::fieldText(sales, S::CHARGE1);
        const QString charge2 = core::fieldText(sales, S::CHARGE2);
        const QString paidText = core::FormatMoney(core::ParseNumber(paidBefore) + paid);
        sales.edit();
        pos.sub.ringUp->putCustomer();
        put(S::CLERK, pos.state.currentUser);
        put(S::NOTE, f.edtNote->text());
        sales.setNumberText(S::PAID, paidText.toStdString());
        sales.setNumberText(S::BALANCE, balanceDue.toStdString());
        if (!sale.cardText.isEmpty()) {
            // At most two card payments are noted on an invoice.
            if (charge2.isEmpty() || charge2 == "0.00") {
                put(S::CARDAUTH, cards + sale.cardText + (cards.isEmpty() ? "  |  " : ""));
                if (!charge1.trimmed().isEmpty()) {
                    sales.setNumberText(S::CHARGE2, sale.tenderedText.toStdString());
                } else {
                    sales.setNumberText(S::CHARGE1, sale.tenderedText.toStdString());
                    put(S::CHARGE2, "0.00");
                }
            }
            pos.sub.ringUp->noteCardOnCustomer();
        }
        sales.post();
    });
}

} // namespace reg
