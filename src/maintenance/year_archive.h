#pragma once

#include "core/pos.h"

namespace maintenance {

// The years of the sale table: closing the current one into an archive, a closed year
// opened read-only to look at, and back to the current one.
class YearArchive {
public:
    explicit YearArchive(core::Pos& pos) : pos(pos) {}

    void PriorYear1Click();
    void CurrentYear1Click();
    void CloseYear1Click();

private:
    // Points the sale table at `file`, read-only unless its name is sale.tbl.
    void openSaleTable(const QString& dir, const QString& name);

    core::Pos& pos;
    QString m_lastChosen; // the open dialog keeps the last name chosen in it
};

} // namespace maintenance
