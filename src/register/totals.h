#pragma once

#include "core/pos.h"

namespace reg {

// Total, the return to the sale, and the tendering fields.
class Totals {
public:
    explicit Totals(core::Pos& pos) : pos(pos) {}

    void imgTotalClick();
    void doReturnToSale();
    void edtAmountExit();
    void edtAmountKeyDown();
    void rbnCashSaleClick();
    void rbnCreditSaleClick();
    void edtInvLinkExit();

private:
    void showCardPanel();

    core::Pos& pos;
};

} // namespace reg
