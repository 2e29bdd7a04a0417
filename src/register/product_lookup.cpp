#include "register/product_lookup.h"

#include "register/sale_lines.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace reg {
bool ProductLookup::findByCategoryAndName() {
    return pos.tables.product.locate(
        {{store::product::CATEGORY, pos.form.edtCategoryNameHidden->text().toStdString()},
         {store::product::PRODUCT, pos.form.edtProductName->text().toStdString()}});
}

void ProductLookup::edtBarcodeHiddenEnter() {
    auto& f = pos.form;
    if (f.edtCustomer->text().isEmpty()) return;
    store::Table& products = pos.tables.product;
    if (products.locate({{store::product::BARCODE, f.edtBarcodeHidden->text().toStdString()}})) {
        f.edtCategoryNameHidden->setText(core::fieldText(products, store::product::CATEGORY));
        f.cbxCategory->setEnabled(true);
        f.cbxCategory->setCurrentText(core::fieldText(products, store::product::CATEGORY));
        f.cbxCategory->setEnabled(false);
        f.edtProductName->setText(core::fieldText(products, store::product::PRODUCT));
        pos.sub.lines->imgAddItemClick();
    }
    f.edtBarcodeHidden->setEnabled(true);
    f.edtBarcodeHidden->clear();
    f.edtProductName->clear();
    f.edtCategoryNameHidden->clear();
    f.edtBarcodeHidden->setFocus();
}

void ProductLookup::edtBarcodeHiddenClick() {
    pos.form.edtBarcodeHidden->clear();
}

void ProductLookup::edtProductNameChange() {
    auto& f = pos.form;
    // A totalled sale keeps its total in view and takes no more products.
    if (pos.sale.saleTotalled) return;
    f.lblUnitPrice->setText("Unit Price");
    if (findByCategoryAndName())
        f.lblTotal->setText(core::fieldText(pos.tables.product, store::product::PRICE));
    f.imgAddItem->setEnabled(true);
}

void ProductLookup::edtProductNameDblClick() {
    auto& f = pos.form;
    if (!f.imgAddItem->isEnabled()) return;
    if (!findByCategoryAndName()) return;
    m_quickRow = pos.tables.product.rowId();
    f.pnlQuickQuantity->show();
    f.pnlQuickQuantity->raise();
    f.edtQuickQuantity->setText(core::fieldText(pos.tables.product, store::product::QUANTITY));
    f.edtQuickQuantity->setFocus();
}

void ProductLookup::btnQuickQuantityClick() {
    auto& f = pos.form;
    if (f.edtQuickQuantity->text().isEmpty()) return;
    f.pnlQuickQuantity->hide();
    // The row the panel was opened for, even when others share its category and name.
    store::Table& products = pos.tables.product;
    if (!products.gotoRowId(m_quickRow)) return;
    products.edit();
    products.setNumberText(store::product::QUANTITY, f.edtQuickQuantity->text().toStdString());
    products.post();
}

void ProductLookup::edtBarCodeKeyPress(bool enter) {
    auto& f = pos.form;
    if (!enter) {
        f.edtProduct->setText("Product not found");
        return;
    }
    store::Table& products = pos.tables.product;
    if (!products.locate({{store::product::BARCODE, f.edtBarCode->text().toStdString()}},
                         {store::product::BARCODE}))
        return;
    pos.state.productEditMode = true;
    pos.state.productEditRow = products.rowId();
    pos.state.productPanelRow = products.rowId();
    f.cbxCategory->setCurrentText(core::fieldText(products, store::product::CATEGORY));
    f.edtProduct->setText(core::fieldText(products, store::product::PRODUCT));
    f.edtQuantity->setText(core::fieldText(products, store::product::QUANTITY));
    f.edtMinimum->setText(core::fieldText(products, store::product::MINIMUM));
    f.edtCost->setText(core::fieldText(products, store::product::COST));
    f.edtPrice->setText(core::fieldText(products, store::product::PRICE));
    f.edtGross->setText(core::fieldText(products, store::product::GROSS));
    f.edtVendor->setText(core::fieldText(products, store::product::VENDER));
    f.edtBarCode->setText(core::fieldText(products, store::product::BARCODE));
    f.ckbxTaxPaid->setChecked(products.text(store::product::TAX) != "F");
}

} // namespace reg
