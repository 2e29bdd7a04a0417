#pragma once

#include "core/pos.h"

namespace reg {

// Ring Up: the checks with the clerk, change and balance, the stored sale record, the card
// on file and the drawer; then the invoice printing that ends with the reset.
class RingUp {
public:
    explicit RingUp(core::Pos& pos) : pos(pos) {}

    void imgRingUpClick();

private:
    void storeSale(bool credit);
    // After the store: change, payment lines, pole, drawer, printing and the reset.
    void finish(bool quote, bool credit, bool changeGiven);

    core::Pos& pos;
};

} // namespace reg
