#include "reports/print_dialog.h"

#include "reports/invoices.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <array>

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
    if (way == Way::Invoices) {
        if (!f.memProductList->line(0).isEmpty()) {
            pos.dialogs().message("CAUTION!",
                                  "Sale is in progress. Complete or cancel\r      sale before "
                                  "printing invoices.",
                                  {core::Button::OK}, core::Button::OK, core::Icon::Warning);
            return;
        }
        rbnPrintInvoiceClick();
    }
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
