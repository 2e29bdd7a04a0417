#include "reports/invoices.h"

#include "register/cancel.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QRadioButton>

namespace reports {

void Invoices::imgPrintInvoiceClick() {
    auto& f = pos.form;
    if (!f.rbnQuote->isChecked()) {
        // A stored sale's stock stays sold: the reset finds no lines to give back.
        for (ui::MemoList* m :
             {f.memProductList, f.memProductPrice, f.memProductCost, f.memCategoryHidden})
            m->clearLines();
        pos.sale.lines.clear();
    }
    pos.sub.cancel->imgCancelClick();
}

} // namespace reports
