#include "catalog/barcodes.h"

#include "catalog/products.h"
#include "ui/main_form.h"

#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>

namespace catalog {

void Barcodes::imgMiniBarcodeClick() {
    pos.sub.products->enableEntry();
    pos.form.edtBarCode->setFocus();
}

void Barcodes::edtBarCodeClick() {
    auto& f = pos.form;
    f.pnlBarCode->show();
    f.pnlBarCode->raise();
    f.edtBarcodeEnter->clear();
    // Emptying a second field that held text is a change: after an earlier verification
    // both are now empty and equal, which takes the empty code and closes the panel.
    f.edtBarcodeVerify->clear();
    if (f.pnlBarCode->isVisible()) f.edtBarcodeEnter->setFocus();
}

void Barcodes::edtBarcodeEnterEnter() {
    pos.form.edtBarcodeVerify->setFocus();
}

void Barcodes::edtBarcodeVerifyChange() {
    auto& f = pos.form;
    if (f.edtBarcodeVerify->text() != f.edtBarcodeEnter->text()) return;
    f.edtBarCode->setText(f.edtBarcodeEnter->text());
    // The panel goes away under the scanner: whatever else it sends lands in the product
    // name, the next field to fill, in plain sight (not in the category, which would clear
    // the panel).
    if (f.edtBarcodeVerify->hasFocus() && f.edtProduct->isEnabled()) f.edtProduct->setFocus();
    f.pnlBarCode->hide();
}

void Barcodes::btnCancelBarcodeClick() {
    pos.form.pnlBarCode->hide();
}

void Barcodes::doPrintBarcodes() {
    // The label program beside the shop's files first, else wherever the system finds it.
    QFileInfo local("Barcode");
    pos.services.launcher->start(local.isFile() ? local.absoluteFilePath() : QString("Barcode"),
                                 {});
}

} // namespace catalog
