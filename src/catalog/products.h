#pragma once

#include "core/pos.h"

namespace catalog {

// The product panel.
class Products {
public:
    explicit Products(core::Pos& pos) : pos(pos) {}

    // Leaving a stock field cleans all three: edtQuantity, edtMinimum, edtQuickQuantity.
    void edtMinimumExit();

private:
    core::Pos& pos;
};

} // namespace catalog
