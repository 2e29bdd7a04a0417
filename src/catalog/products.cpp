#include "catalog/products.h"

#include "catalog/customers.h"
#include "catalog/lists.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "register/product_lookup.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace catalog {

void Products::doClearProduct() {
    auto& f = pos.form;
    f.edtProduct->clear();
    f.edtVendor->clear();
    f.edtBarCode->clear();
    f.edtQuantity->setText("0");
    f.edtMinimum->setText("0");
    f.edtCost->setText("0.00");
    f.edtPrice->setText("0.00");
    f.edtGross->setText("0.00");
    f.ckbxTaxPaid->setChecked(true);
    pos.state.productPanelRow = 0;
}

void Products::enableEntry() {
    auto& f = pos.form;
    for (QWidget* w : std::initializer_list<QWidget*>{
             f.cbxCategory, f.edtProduct, f.edtQuantity, f.edtMinimum, f.edtCost, f.edtPrice,
             f.edtGross, f.edtVendor, f.ckbxTaxPaid, f.btnSaveProduct, f.btnclrProd, f.edtBarCode})
        w->setEnabled(true);
}

void Products::doLockProduct() {
    auto& f = pos.form;
    doClearProduct();
    for (QWidget* w : std::initializer_list<QWidget*>{
             f.cbxCategory, f.edtProduct, f.edtQuantity, f.edtMinimum, f.edtCost, f.edtPrice,
             f.edtGross, f.edtVendor, f.ckbxTaxPaid, f.btnSaveProduct, f.btnclrProd, f.edtBarCode})
        w->setEnabled(false);
    f.pnlBarCode->hide();
    pos.state.productEditMode = false;
    // Each edit starts from a row chosen since the panel was last locked, never an old one.
    pos.state.productEditRow = 0;
}

void Products::New2Click() {
    auto& f = pos.form;
    if (!core::fileExists(kCategoryFile)) {
        pos.dialogs().message("New Product",
                              "You must first setup categories under the Edit menu above.",
                              {core::Button::OK}, core::Button::OK, core::Icon::Information);
        return;
    }
    pos.state.productEditMode = false;
    pos.state.productEditRow = 0;
    f.cbxCategory->setEnabled(true);
    fillDropDown(f.cbxCategory, core::readLines(kCategoryFile));
    enableEntry();
    f.edtProduct->setFocus();
    doClearProduct();
}

void Products::cbxCategoryChange() {
    if (!pos.state.productEditMode) doClearProduct();
}

void Products::Edit3Click() {
    auto& f = pos.form;
    if (f.edtProduct->text().isEmpty()) {
        f.memProductList->setFocus();
        return;
    }
    store::Table& products = pos.tables.product;
    const std::string name = f.edtProduct->text().toStdString();
    // The row the panel shows, when it was filled from one and still has that name: with
    // several products of one name, the first by name would be another product's row.
    const std::int64_t shown = pos.state.productPanelRow;
    if (shown && products.gotoRowId(shown) && products.text(store::product::PRODUCT) == name)
        pos.state.productEditRow = shown;
    else
        pos.state.productEditRow =
            products.locate({{store::product::PRODUCT, name}}) ? products.rowId() : 0;
    pos.state.productEditMode = true;
    enableEntry();
}

void Products::btnSaveProductClick() {
    auto& f = pos.form;
    const std::pair<QLineEdit*, const char*> fills[] = {
        {f.edtQuantity, "1"}, {f.edtMinimum, "0"}, {f.edtCost, "0.00"}, {f.edtPrice, "0.00"}};
    for (auto [field, value] : fills)
        if (field->text().isEmpty()) field->setText(value);

    if (!f.edtProduct->text().isEmpty()) {
        store::Table& products = pos.tables.product;
        const std::string category = f.cbxCategory->currentText().toStdString();
        const std::string name = f.edtProduct->text().toStdString();
        bool editing = false;
        if (pos.state.productEditMode && pos.state.productEditRow &&
            products.gotoRowId(pos.state.productEditRow)) {
            // From the chosen row onward, the first of this category and name; when the
            // user renamed the product or changed its category, the chosen row itself.
            const std::int64_t chosen = pos.state.productEditRow;
            std::int64_t target = chosen;
            for (; !products.eof(); products.next())
                if (products.text(store::product::CATEGORY) == category &&
                    products.text(store::product::PRODUCT) == name) {
                    target = products.rowId();
                    break;
                }
            editing = products.gotoRowId(target);
        }
        if (editing)
            products.edit();
        else
            products.append();
        const QString values[] = {f.cbxCategory->currentText(),
                                  f.edtProduct->text(),
                                  f.edtQuantity->text(),
                                  f.edtMinimum->text(),
                                  f.edtCost->text(),
                                  f.edtPrice->text(),
                                  f.edtGross->text(),
                                  f.edtVendor->text(),
                                  f.ckbxTaxPaid->isChecked() ? "T" : "F",
                                  f.edtBarCode->text(),
                                  pos.state.currentUser};
        for (int i = 0; i < 11; ++i) {
            // Quantity, minimum, cost, price and gross are numbers: never cut to fit.
            if (i >= store::product::QUANTITY && i <= store::product::GROSS)
                products.setNumberText(i, values[i].toStdString());
            else
                products.setText(i, values[i].toStdString());
        }
        products.post();
    }
    f.pnlBarCode->hide();
    doLockProduct();
    f.edtBarcodeHidden->setEnabled(true);
    f.edtBarcodeHidden->clear();
    f.edtBarcodeHidden->setFocus();
}

void Products::openGrid(bool fromSearchPicture) {
    auto& f = pos.form;
    if (fromSearchPicture) pos.state.productSearchOpened = true;
    pos.state.productSearchText.clear();
    ui::GridView* grid = f.StringGrid2;
    grid->gridModel()->clear();
    grid->show();
    grid->raise();
    grid->gridModel()->setRows(pos.tables.product.snapshot());
    grid->scrollRowToTop(0);
    if (grid->rowCount() == 0) return;
    grid->setFocus();
    f.lblSearchString->setText(QString());
    ui::setBackground(f.lblSearchString, QColor(245, 234, 255));
    f.lblSearchString->show();
    f.lblSearchString->raise();
}

void Products::imgProdSearchClick() {
    openGrid(true);
}

void Products::imgProductClick() {
    if (pos.form.edtCustomer->text().isEmpty()) return;
    pos.state.pickingProductForSale = true;
    openGrid(false);
}

void Products::StringGrid2MouseUp(int row) {
    auto& f = pos.form;
    ui::GridModel* m = f.StringGrid2->gridModel();
    const bool hit = row >= 0 && row < m->rowCount();
    if (pos.state.pickingProductForSale && hit) {
        f.edtProductName->setText(m->cell(row, 1));
        f.edtCategoryNameHidden->setText(m->cell(row, 0));
        f.cbxCategory->setEnabled(true);
        f.cbxCategory->setCurrentText(m->cell(row, 0));
        f.cbxCategory->setEnabled(false);
        f.edtBarcodeHidden->setText(m->cell(row, 9));
        pos.sub.lookup->edtProductNameChange();
        f.StringGrid2->hide();
        if (!pos.sale.saleTotalled) f.imgAddItem->setEnabled(true);
        pos.state.pickingProductForSale = false;
    }
    if (f.Product1->isChecked() || pos.state.productSearchOpened) {
        pos.state.productSearchOpened = false;
        if (hit) {
            f.cbxCategory->setCurrentText(m->cell(row, 0));
            QLineEdit* edits[] = {f.edtProduct, f.edtQuantity, f.edtMinimum, f.edtCost,
                                  f.edtPrice,   f.edtGross,    f.edtVendor};
            for (int c = 0; c < 7; ++c)
                edits[c]->setText(m->cell(row, c + 1));
            f.edtBarCode->setText(m->cell(row, 9));
            f.ckbxTaxPaid->setChecked(m->cell(row, 8) != "F");
            pos.state.productPanelRow = m->rowId(row);
            f.StringGrid2->hide();
        }
    }
    f.edtBarcodeHidden->setEnabled(true);
    if (f.edtDiscount->isEnabled()) f.edtDiscount->setFocus();
    f.lblSearchString->clear();
    f.lblSearchString->hide();
}

void Products::StringGrid2KeyPress(const QString& ch) {
    auto& f = pos.form;
    if (!f.StringGrid2->isVisible()) return;
    f.StringGrid2->typeAhead(pos.state.productSearchText, ch, f.rbCategory->isChecked() ? 0 : 1);
    f.lblSearchString->setText(pos.state.productSearchText);
}

void Products::StringGrid2KeyDown() {
    pos.form.StringGrid2->hide();
    pos.form.lblSearchString->hide();
}

void Products::edtPriceExit() {
    auto& f = pos.form;
    for (QLineEdit* e : {f.edtCost, f.edtPrice})
        e->setText(core::normalised(e->text(), "0.00", core::FixCurrency));
    const core::Decimal price = core::ParseNumber(f.edtPrice->text());
    const core::Decimal cost = core::ParseNumber(f.edtCost->text());
    f.edtGross->setText(price > cost ? core::FormatMoney(price - cost) : "0.00");
}

void Products::edtMinimumExit() {
    auto& f = pos.form;
    for (QLineEdit* e : {f.edtQuantity, f.edtMinimum, f.edtQuickQuantity})
        e->setText(core::normalised(e->text(), "0", core::FixFloat));
}

} // namespace catalog
