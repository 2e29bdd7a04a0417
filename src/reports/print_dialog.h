#pragma once

#include "core/pos.h"

class QRadioButton;

namespace reports {

// The print dialog: lists, reports, invoice reprints and exports chosen on one panel.
class PrintDialog {
public:
    enum class Way { Lists, Reports, Invoices, ExportLists };

    explicit PrintDialog(core::Pos& pos) : pos(pos) {}

    void Print1Click(Way way);
    void rbnPrintInvoiceClick();
    void rbnPrintCustomersClick();
    void rbnPrintSalesClick();
    void rbnPrintInventoryClick();
    void rbnPrintOrderListClick();
    void rbnReceivablesClick();
    void rbnDailyClick();
    // The tax and the year-end report share it.
    void rbnPrintTaxClick();
    void btnPrintOkClick();
    void btnPrintCancelClick();
    // Hides the eight choices, empties From, To and the hint.
    void doRbnCleanup();
    // Deselects the eight choices.
    void doCheckClear();

private:
    void show();
    // Sets the hint; may empty From and To and put the focus in From.
    void hint(const QString& text, bool clear, bool focus);

    core::Pos& pos;
};

} // namespace reports
