#pragma once

#include "core/pos.h"

namespace reg {

// Choosing a product from the register's own fields: the barcode scan, the name field
// with its price preview and quick stock change, and the product panel's barcode lookup.
class ProductLookup {
public:
    explicit ProductLookup(core::Pos& pos) : pos(pos) {}

    // Enter in the barcode field (other keys type as usual).
    void edtBarcodeHiddenEnter();
    void edtBarcodeHiddenClick();
    void edtProductNameChange();
    void edtProductNameDblClick();
    void btnQuickQuantityClick();
    // A key in the product panel's barcode field: Enter looks the barcode up.
    void edtBarCodeKeyPress(bool enter);

private:
    bool findByCategoryAndName();

    core::Pos& pos;
    std::int64_t m_quickRow = 0;
};

} // namespace reg
