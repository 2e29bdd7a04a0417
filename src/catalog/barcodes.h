#pragma once

#include "core/pos.h"

namespace catalog {

// Barcode Search, the verification panel and the label program.
class Barcodes {
public:
    explicit Barcodes(core::Pos& pos) : pos(pos) {}

    void imgMiniBarcodeClick();
    void edtBarCodeClick();
    void edtBarcodeEnterEnter();
    void edtBarcodeVerifyChange();
    void btnCancelBarcodeClick();
    void doPrintBarcodes();

private:
    core::Pos& pos;
};

} // namespace catalog
