#include "reports/print_dialog.h"

#include "reports/day_reports.h"
#include "reports/exports.h"
#include "reports/invoices.h"
#include "reports/list_reports.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <array>
#include <functional>

namespace reports {

namespace {
std::array<QRadioButton*, 8> choices(ui::MainForm& f) {
    return {f.rbnPrintCustomers, f.rbnPrintSales, f.rbnPrintInventory, f.rbnPrintOrderList,
            f.rbnReceivables,    f.rbnDaily,      f.rbnYearEnd,        f.rbnPrintTax};
}
} // namespace

void PrintDialog::show() {
    pos.form.pnlCategory->show();
    pos.form.pnlCategory->raise();
    pos.form.pnlPrint->show();
    pos.form.pnlPrint->raise();
}

void PrintDialog::doRbnCleanup() {
    auto& f = pos.form;
    for (QRadioButton* r : choices(f))
        r->hide();
    f.edtPrintInvFrom->clear();
    f.edtPrintInvTo->clear();
    f.lblPrintWhat->clear();
}

void PrintDialog::doCheckClear() {
    for (QRadioButton* r : choices(pos.form)) {
        // One group: a choice can only be taken back with the group's rule off.
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
}

void PrintDialog::Print1Click(Way way) {
    auto& f = pos.form;
    pos.state.invoiceMode = false;
    doRbnCleanup();
    pos.state.exportMode = false;
    switch (way) {
    case Way::ExportLists:
        pos.state.exportMode = true;
        [[fallthrough]];
    case Way::Lists:
        for (QRadioButton* r : {f.rbnPrintSales, f.rbnPrintCustomers, f.rbnPrintOrderList,
                                f.rbnPrintInventory, f.rbnReceivables})
            r->show();
        show();
        f.rbnPrintCustomers->setChecked(true);
        rbnPrintCustomersClick();
        break;
    case Way::Reports:
        for (QRadioButton* r : {f.rbnDaily, f.rbnYearEnd, f.rbnPrintTax})
            r->show();
        show();
        f.rbnDaily->setChecked(true);
        rbnDailyClick();
        f.edtPrintInvFrom->setFocus();
        break;
    case Way::Invoices:
        if (!f.memProductList->line(0).isEmpty()) {
            pos.dialogs().message("CAUTION!",
                                  "Sale is in progress. Complete or cancel\r      sale before "
                                  "printing invoices.",
                                  {core::Button::OK}, core::Button::OK, core::Icon::Warning);
            return;
        }
        rbnPrintInvoiceClick();
        break;
    }
}

void PrintDialog::hint(const QString& text, bool clear, bool focus) {
    auto& f = pos.form;
    f.lblPrintWhat->setText(text);
    if (clear) {
        f.edtPrintInvFrom->clear();
        f.edtPrintInvTo->clear();
    }
    if (focus) f.edtPrintInvFrom->setFocus();
}

void PrintDialog::rbnPrintCustomersClick() {
    hint("First few letters of last name", true, true);
}

void PrintDialog::rbnPrintSalesClick() {
    hint("First few letters of last name", true, true);
}

void PrintDialog::rbnPrintInventoryClick() {
    hint("No entry below necessary", true, false);
}

void PrintDialog::rbnPrintOrderListClick() {
    hint("No entry below necessary", true, false);
}

void PrintDialog::rbnReceivablesClick() {
    hint("No entry below necessary", true, false);
}

void PrintDialog::rbnDailyClick() {
    hint("Enter the date for the report", false, false);
}

void PrintDialog::rbnPrintTaxClick() {
    hint("Range of dates: MM/DD/YYYY", true, true);
}

void PrintDialog::rbnPrintInvoiceClick() {
    auto& f = pos.form;
    show();
    f.edtPrintInvFrom->clear();
    f.edtPrintInvTo->clear();
    f.lblPrintWhat->setText("Whole invoice numbers 1,2...1004");
    pos.state.invoiceMode = true;
    f.imgInvoice->show();
    f.edtPrintInvFrom->setFocus();
}

void PrintDialog::btnPrintOkClick() {
    auto& f = pos.form;
    if (pos.state.invoiceMode) {
        doCheckClear();
        if (!f.edtPrintInvFrom->text().isEmpty()) pos.sub.invoices->doPrintInvoice();
    }
    const bool exporting = pos.state.exportMode;
    const bool from = !f.edtPrintInvFrom->text().isEmpty();
    ListReports& lists = *pos.sub.listReports;
    Exports& exports = *pos.sub.exports;
    DayReports& days = *pos.sub.dayReports;
    // At most one runs: each deselects every choice before it starts.
    const struct {
        QRadioButton* choice;
        bool runs;
        std::function<void()> run;
    } dispatch[] = {
        {f.rbnPrintCustomers, true,
         [&] { exporting ? exports.doExportCustomers() : lists.doPrintCustomers(); }},
        {f.rbnPrintSales, true,
         [&] { exporting ? exports.doExportSales() : lists.doPrintSales(); }},
        {f.rbnPrintTax, from, [&] { days.doPrintTax(); }},
        {f.rbnPrintInventory, true,
         [&] { exporting ? exports.doExportInventory() : lists.doPrintInventory(); }},
        {f.rbnPrintOrderList, true,
         [&] { exporting ? exports.doExportOrder() : lists.doPrintOrderList(); }},
        {f.rbnReceivables, true,
         [&] { exporting ? exports.doExportReceivable() : lists.doPrintReceivablesList(); }},
        {f.rbnDaily, from, [&] { days.doPrintDaily(); }},
        {f.rbnYearEnd, from, [&] { days.doPrintYearEnd(); }},
    };
    for (const auto& d : dispatch)
        if (d.choice->isChecked() && d.runs) {
            doCheckClear();
            d.run();
        }
    f.imgInvoice->hide();
    f.pnlCategory->hide();
    f.pnlPrint->hide();
}

void PrintDialog::btnPrintCancelClick() {
    auto& f = pos.form;
    f.pnlCategory->hide();
    f.pnlPrint->hide();
    f.imgInvoice->hide();
}

} // namespace reports
