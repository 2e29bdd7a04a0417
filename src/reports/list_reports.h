#pragma once

#include "core/pos.h"

namespace reports {

// The five lists of the print dialog, each filled from its table (or the reorder file) one
// line per record in every column, then previewed.
class ListReports {
public:
    explicit ListReports(core::Pos& pos) : pos(pos) {}

    void doPrintCustomers();
    void doPrintSales();
    void doPrintInventory();
    void doPrintOrderList();
    void doPrintReceivablesList();

private:
    // The company and date labels, then the preview.
    void show(const QString& report, const QString& companyLabel, const QString& dateLabel);

    core::Pos& pos;
};

} // namespace reports
