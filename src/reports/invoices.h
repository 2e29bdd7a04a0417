#pragma once

#include "core/pos.h"

namespace reports {

// Invoices and receipts of a rung-up sale.
class Invoices {
public:
    explicit Invoices(core::Pos& pos) : pos(pos) {}

    // After ring-up: output the invoice or receipt, empty the lists unless the sale is a
    // quote, and reset the register. (The output itself comes with the report layouts.)
    void imgPrintInvoiceClick();

private:
    core::Pos& pos;
};

} // namespace reports
