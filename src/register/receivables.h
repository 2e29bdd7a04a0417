#pragma once

#include "core/pos.h"

namespace reg {

// Payments on account: the open invoices listed, one picked, its payment rung up onto the
// invoice's own record and printed.
class Receivables {
public:
    explicit Receivables(core::Pos& pos) : pos(pos) {}

    void Payment1Click();
    void StringGrid3KeyPress(const QString& ch);
    void StringGrid3KeyDown();
    void StringGrid3MouseUp(int row);
    // Ring Up while an open invoice is picked.
    void doRingupPayment();

private:
    // The picked invoice's record made current; false when it is not there.
    bool findInvoice(const QString& name);
    void storePayment(const QString& balanceDue, const core::Decimal& paid);
    // Everything the pick disabled is enabled again; a closed year is read-only again.
    void endPayment();

    core::Pos& pos;
};

} // namespace reg
