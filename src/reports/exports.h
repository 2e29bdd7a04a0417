#pragma once

#include "core/pos.h"

namespace reports {

// The five lists written to a tab-separated text file: export.txt in the working directory,
// then copied to a file the user names.
class Exports {
public:
    explicit Exports(core::Pos& pos) : pos(pos) {}

    void doExportCustomers();
    void doExportSales();
    void doExportInventory();
    void doExportOrder();
    void doExportReceivable();

private:
    // Writes the lines whole as export.txt and offers to save a copy under `proposed`.
    void finish(const QStringList& lines, const QString& proposed);

    core::Pos& pos;
};

inline const char* const kExportFile = "export.txt";

} // namespace reports
