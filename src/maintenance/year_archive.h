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
    // Points the sale table at a year: read-only unless it is the current one.
    void openSaleTable(const QString& place, bool current);
    // The year chosen: a file's path (sale.tbl of the data directory when none), or on a
    // server an archived year's name (the current year when none).
    void openYear(const QString& chosen);

    core::Pos& pos;
    QString m_lastChosen; // the open dialog keeps the last name chosen in it
};

} // namespace maintenance
