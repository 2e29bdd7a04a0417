#include "register/sale_lines.h"

#include "core/errors.h"
#include "core/number_text.h"
#include "register/devices/devices.h"
#include "register/journal.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>

#include <exception>

namespace reg {
QString SaleLines::productNameOf(const QString& lineText) {
    QString t = lineText.trimmed();
    if (t.endsWith('}')) t = t.left(t.indexOf('{'));
    return t.trimmed();
}

void SaleLines::imgAddItemClick() {
    auto& f = pos.form;
    auto& sale = pos.sale;
    f.edtChangePrice->setText(
        core::normalised(f.edtChangePrice->text(), "0.00", core::FixCurrency));
    f.edtDiscount->setText(core::normalised(f.edtDiscount->text(), "0", core::FixFloat));
    f.edtSaleQuantity->setText(core::normalised(f.edtSaleQuantity->text(), "1", core::FixFloat));
    if (f.edtProductName->text().isEmpty()) return;
    // A totalled sale is frozen: a line behind its total lines would be sold, never stored.
    if (sale.saleTotalled) return;
    // The stored record has room for so many lines; a line past them would be charged and
    // never stored.
    if (sale.lines.size() >= size_t(store::sale::LINE_COUNT)) {
        pos.dialogs().inform("Marlow POS", "A sale holds at most 100 lines.\rRing up this sale "
                                           "and start a new one for the rest.");
        return;
    }

    store::Table& products = pos.tables.product;
    const bool found =
        products.locate({{store::product::CATEGORY, f.edtCategoryNameHidden->text().toStdString()},
                         {store::product::PRODUCT, f.edtProductName->text().toStdString()},
                         {store::product::BARCODE, f.edtBarcodeHidden->text().toStdString()}},
                        {store::product::BARCODE});
    if (!found) {
        // Never build a line from another product's record: nothing changes.
        finishAdd();
        return;
    }
    if (f.edtSaleQuantity->text().isEmpty()) f.edtSaleQuantity->setText("1");
    const QString qtyText = f.edtSaleQuantity->text();
    const core::Decimal qty = core::ParseQuantity(qtyText);
    const bool refund = f.rbnRefund->isChecked();
    const core::Decimal discount = core::ParseNumber(f.edtDiscount->text());
    // More than all of the price off would pay the customer for taking the goods.
    if (discount > core::Decimal::whole(100))
        throw core::PosError("A discount cannot be more than 100%.");

    // Everything the line needs is worked out and checked before anything changes, so that
    // a text that is not a number, or one too long for its field, never leaves the five
    // lists out of step or the stock changed without its line.
    const core::Decimal stock =
        core::ParseNumber(core::fieldText(products, store::product::QUANTITY));
    if (!refund && (stock.sign() <= 0 || stock < qty)) {
        pos.dialogs().inform("Marlow POS", "Quantity exceeds inventory!");
        finishAdd();
        return;
    }
    QString lineText = core::fieldText(products, store::product::PRODUCT);
    if (refund) lineText += "   {REFUND}";
    QString unitText = core::fieldText(products, store::product::PRICE);
    if (f.edtChangePrice->text() != "0.00") unitText = f.edtChangePrice->text();
    if (discount.sign() > 0) {
        const core::Decimal u = core::ParseNumber(unitText);
        unitText = core::FormatMoney(u - u * discount.shifted(2));
        lineText += "  {" + f.edtDiscount->text() + "% off}";
    }
    core::Decimal price = core::ParseNumber(unitText) * qty;
    core::Decimal cost = core::ParseNumber(core::fieldText(products, store::product::COST)) * qty;
    if (refund) price = -price, cost = -cost;
    const QString priceText = core::FormatMoney(price);
    const QString costText = core::FormatMoney(cost);
    const bool taxable = products.text(store::product::TAX) == "T";
    const QString category = core::fieldText(products, store::product::CATEGORY);
    const std::int64_t row = products.rowId();
    const core::Decimal newStock = refund ? stock + qty : stock - qty;
    const QString stockText = core::FormatQuantity(newStock);
    const int n = int(sale.lines.size());
    const store::Layout& record = store::layoutOf(store::Kind::Sale);
    store::requireNumberFits(products.layout(), store::product::QUANTITY, stockText.toStdString());
    store::requireNumberFits(record, store::sale::price(n), priceText.toStdString());
    store::requireNumberFits(record, store::sale::cost(n), costText.toStdString());

    // The stock first: when it cannot be stored, the sale has no line for it either. It moves
    // from the stock stored at this moment, which another register may have changed since it
    // was read above, and is checked again against it. The journal notes the line in the same
    // transaction.
    bool short_ = false;
    core::Decimal storedStock = newStock;
    std::int64_t journalRow = 0;
    const bool moved = products.changeRow(row, [&] {
        const core::Decimal now =
            core::ParseNumber(core::fieldText(products, store::product::QUANTITY));
        if (!refund && (now.sign() <= 0 || now < qty)) {
            short_ = true;
            return false;
        }
        storedStock = refund ? now + qty : now - qty;
        products.setNumberText(store::product::QUANTITY,
                               core::FormatQuantity(storedStock).toStdString());
        journalRow = pos.sub.journal->noteLine(
            products, {qtyText, lineText, priceText, costText, category, row, taxable, refund});
        return true;
    }, pos.sub.journal->tables());
    if (!moved) {
        if (short_) pos.dialogs().inform("Marlow POS", "Quantity exceeds inventory!");
        finishAdd();
        return;
    }
    showStoredStock(row);
    showLine(qtyText, lineText, priceText, costText, category,
             {row, taxable, refund, true, journalRow});

    // The display follows once the sale itself is complete; its trouble cannot undo that.
    pos.sub.devices->poleItemAdded(lineText);
    pos.sub.devices->poleItemAddedTotals(priceText, sale.saleSubTotal);

    // The reorder list's trouble is told once the line is finished, the field ready for the
    // next scan (left holding the barcode, the next Enter would add the line twice).
    std::exception_ptr reorderTrouble;
    f.edtSaleQuantity->setText("1");
    if (!refund) {
        try {
            reorderCheck(storedStock);
        } catch (const core::PosError&) {
            reorderTrouble = std::current_exception();
        }
        f.edtBarcodeHidden->setEnabled(true);
        f.edtBarcodeHidden->clear();
        f.edtBarcodeHidden->setFocus();
    }
    f.edtChangePrice->setText("0.00");
    f.pnlChangePrice->hide();
    if (reorderTrouble) std::rethrow_exception(reorderTrouble);
}

void SaleLines::reorderCheck(const core::Decimal& newStock) {
    const store::Table& products = pos.tables.product;
    if (core::ParseNumber(core::fieldText(products, store::product::MINIMUM)) < newStock) return;
    // Opened only when a reorder is due: a list that cannot be written troubles no other sale.
    QFile file(kOrderListFile); // opening to append creates it when missing
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw core::FileError(
            QString("Cannot write %1: %2").arg(kOrderListFile, file.errorString()).toStdString());
    pos.dialogs().inform("Marlow POS", "   Quantity Notification\rProduct Added To Order List");
    QByteArray record;
    for (int field : {store::product::PRODUCT, store::product::COST, store::product::PRICE,
                      store::product::VENDER})
        record += QByteArray::fromStdString(products.text(field)) + "\r\n";
    if (file.write(record) != record.size() || !file.flush())
        throw core::FileError(
            QString("Cannot write %1: %2").arg(kOrderListFile, file.errorString()).toStdString());
}

void SaleLines::showLine(const QString& qty, const QString& text, const QString& price,
                         const QString& cost, const QString& category,
                         const core::SaleState::LineSource& source) {
    auto& f = pos.form;
    auto& sale = pos.sale;
    const core::Decimal linePrice = core::ParseNumber(price);
    f.memQuantity->addLine(qty);
    f.memProductList->addLine(text);
    f.memProductPrice->addLine(price);
    f.memProductCost->addLine(cost);
    f.memCategoryHidden->addLine(category);
    sale.lines.push_back(source);
    if (source.taxable) sale.taxableTotal += linePrice;
    sale.saleSubTotal += linePrice;
    f.lblTotal->setText(core::FormatMoney(sale.saleSubTotal));
    f.lblUnitPrice->setText("Sub Total");
    for (QWidget* w :
         std::initializer_list<QWidget*>{f.imgTotal, f.edtAmount, f.edtDiscount, f.edtInvLink})
        w->setEnabled(true);
}

bool SaleLines::giveBackStock(const core::SaleState::LineSource& source,
                              const core::Decimal& qty) {
    store::Table& products = pos.tables.product;
    const bool moved = products.changeRow(source.productRow, [&] {
        const core::Decimal stock =
            core::ParseNumber(core::fieldText(products, store::product::QUANTITY));
        products.setNumberText(
            store::product::QUANTITY,
            core::FormatQuantity(source.refund ? stock - qty : stock + qty).toStdString());
        pos.sub.journal->dropLine(products, source.journalRow);
        return true;
    }, pos.sub.journal->tables());
    if (moved)
        showStoredStock(source.productRow);
    else
        pos.sub.journal->forgetLine(source.journalRow); // no stock to give back, no line to keep
    return moved;
}

void SaleLines::showStoredStock(std::int64_t row) {
    // The product panel, when it shows this product and is not being edited, shows the stock
    // as stored now: with several registers that need not be what this one alone would make.
    if (row != pos.state.productPanelRow || pos.state.productEditMode) return;
    pos.form.edtQuantity->setText(core::fieldText(pos.tables.product, store::product::QUANTITY));
}

void SaleLines::finishAdd() {
    auto& f = pos.form;
    f.edtBarcodeHidden->setEnabled(true);
    f.edtBarcodeHidden->clear();
    f.edtBarcodeHidden->setFocus();
    f.edtChangePrice->setText("0.00");
    f.pnlChangePrice->hide();
}

void SaleLines::memProductListMouseUp(int line) {
    auto& f = pos.form;
    auto& sale = pos.sale;
    const QString rowText = f.memProductList->line(line);
    if (!rowText.isEmpty() && line < int(sale.lines.size())) {
        const QString name = productNameOf(rowText);
        const core::Decimal price = core::ParseNumber(f.memProductPrice->line(line));
        const core::Decimal qty = core::ParseNumber(f.memQuantity->line(line));
        const core::SaleState::LineSource source = sale.lines[line];

        // The stock goes back first, to the very row it came from if that row still
        // exists; should that fail, the line stays and nothing is lost.
        if (source.stockTaken) giveBackStock(source, qty);

        if (source.taxable) sale.taxableTotal -= price;
        sale.saleSubTotal -= price;
        for (ui::MemoList* m : {f.memProductList, f.memProductPrice, f.memQuantity,
                                f.memProductCost, f.memCategoryHidden})
            m->removeLine(line);
        sale.lines.erase(sale.lines.begin() + line);
        f.lblUnitPrice->setText("Sub Total");
        f.lblTotal->setText(core::FormatMoney(sale.saleSubTotal));
        pos.sub.devices->poleItemRemoved(name, core::FormatMoney(price), sale.saleSubTotal);
    }
    if (!f.edtCustomer->text().isEmpty()) {
        f.edtBarcodeHidden->setEnabled(true);
        f.edtBarcodeHidden->setFocus();
    }
}

void SaleLines::edtDiscountExit() {
    pos.form.edtDiscount->setText(
        core::normalised(pos.form.edtDiscount->text(), "0", core::FixFloat));
}

void SaleLines::lblTotalDblClick() {
    auto& f = pos.form;
    if (f.edtCustomer->text().isEmpty()) return;
    f.pnlChangePrice->show();
    f.pnlChangePrice->raise();
    f.edtChangePrice->setText("0.00");
    f.edtChangePrice->setFocus();
}

void SaleLines::imgNoteClick() {
    auto& f = pos.form;
    if (!f.imgRingUp->isEnabled() && !f.imgTotal->isEnabled()) return;
    f.pnlNote->show();
    f.pnlNote->raise();
    f.edtNote->setFocus();
}

void SaleLines::btnNoteClick() {
    auto& f = pos.form;
    f.pnlNote->hide();
    if (f.edtAmount->isEnabled()) f.edtAmount->setFocus();
}

} // namespace reg
