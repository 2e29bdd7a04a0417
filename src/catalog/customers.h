#pragma once

#include "core/pos.h"

namespace catalog {

// The customer panel, its search grid and the customer of the sale.
class Customers {
public:
    explicit Customers(core::Pos& pos) : pos(pos) {}

    void New1Click();
    void Edit2Click();
    void btnSaveCustClick();
    void btnClrCustClick();
    void doClearCustomer();
    void doLockCustomer();
    void imgCustSearchClick();
    // A character typed in the grid ("\b" for Backspace).
    void StringGrid1KeyPress(const QString& ch);
    void StringGrid1KeyDown(); // Esc
    void StringGrid1MouseUp(int row);
    void RadioGroup1Click();
    // Enables the barcode and quantity fields and the product picture for the sale.
    void enableProductEntry();

private:
    void setPanelEnabled(bool on);
    int searchedColumn() const;

    core::Pos& pos;
    std::int64_t m_editRow = 0; // the record Edit located; 0 when none
};

} // namespace catalog
