#pragma once

#include "core/pos.h"

namespace reg {

// Ring Up: the checks with the clerk, change and balance, the stored sale record, the card
// on file and the drawer; then the invoice printing that ends with the reset.
class RingUp {
public:
    explicit RingUp(core::Pos& pos) : pos(pos) {}

    void imgRingUpClick();

    // Shared with payments on account. The questions about a missing authorization and a
    // zero tender; false when the clerk says No.
    bool confirmTender(const core::Decimal& total);
    // Change, balance, tendered, kind of payment and card text for this tender; the amount.
    core::Decimal settleTender(const core::Decimal& total, bool credit);
    void clearTender();
    // The change window with the change due, the register keeping the keyboard.
    void showChange();
    // Inside the storing transaction: the customer's fields of the edited sale record (the
    // card from the card panel when one is typed there), and that card noted on the customer.
    void putCustomer();
    void noteCardOnCustomer();

private:
    void storeSale(bool credit);
    // After the store: change, payment lines, pole, drawer, printing and the reset.
    void finish(bool quote, bool credit, bool changeGiven);

    core::Pos& pos;
};

} // namespace reg
