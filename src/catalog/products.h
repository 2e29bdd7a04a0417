#pragma once

#include "core/pos.h"

namespace catalog {

// The product panel and the product search grid.
class Products {
public:
    explicit Products(core::Pos& pos) : pos(pos) {}

    void New2Click();
    void Edit3Click();
    void cbxCategoryChange();
    void btnSaveProductClick();
    void doClearProduct();
    void doLockProduct();
    void imgProdSearchClick();
    void imgProductClick();
    void StringGrid2MouseUp(int row);
    void StringGrid2KeyPress(const QString& ch);
    void StringGrid2KeyDown(); // Esc
    void edtPriceExit();
    // Leaving a stock field cleans all three: edtQuantity, edtMinimum, edtQuickQuantity.
    void edtMinimumExit();
    // Enables the panel's entry controls (New, Edit and Barcode Search).
    void enableEntry();

private:
    void openGrid(bool fromSearchPicture);

    core::Pos& pos;
};

} // namespace catalog
