#pragma once

#include "core/pos.h"

class QColor;
class QWidget;

namespace catalog {

// Gives a label its own background colour.
void paintBackground(QWidget* w, const QColor& color);

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
    void reloadCardTypes();
    void setPanelEnabled(bool on);
    int searchedColumn() const;

    core::Pos& pos;
    std::int64_t m_editRow = 0; // the record Edit located; 0 when none
};

} // namespace catalog
