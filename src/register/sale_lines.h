#pragma once

#include "core/pos.h"

namespace reg {

// The lines of the current sale: Add Item, refund lines, removal, the price change and
// note panels, and the reorder list.
class SaleLines {
public:
    explicit SaleLines(core::Pos& pos) : pos(pos) {}

    void imgAddItemClick();
    // A mouse button released over the line list, at line `line` (past the last: count).
    void memProductListMouseUp(int line);
    void edtDiscountExit();
    void lblTotalDblClick();
    void imgNoteClick();
    void btnNoteClick();

    // Shows a line on the register and counts it in the sub total: a line rung in, or one
    // the journal brings back.
    void showLine(const QString& qty, const QString& text, const QString& price,
                  const QString& cost, const QString& category,
                  const core::SaleState::LineSource& source);

    // Puts a line's stock back on the row it came from (takes it back for a refund line),
    // applied to the stock stored at this moment; false when the row is gone.
    bool giveBackStock(const core::SaleState::LineSource& source, const core::Decimal& qty);

    // The product name of a line text: cut at its first "{" when it ends with "}", trimmed.
    static QString productNameOf(const QString& lineText);

private:
    void finishAdd(); // steps 18 and 19
    // Step 17: notes a product at or below its minimum in the reorder list.
    void reorderCheck(const core::Decimal& newStock);
    void showStoredStock(std::int64_t row);

    core::Pos& pos;
};

inline const char* const kOrderListFile = "OrderList.pos";

} // namespace reg
