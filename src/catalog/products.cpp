#include "catalog/products.h"

#include "register/number_text.h"
#include "ui/main_form.h"

#include <QLineEdit>

namespace catalog {

void Products::edtMinimumExit() {
    auto& f = pos.form;
    for (QLineEdit* e : {f.edtQuantity, f.edtMinimum, f.edtQuickQuantity})
        e->setText(reg::normalised(e->text(), "0", reg::FixFloat));
}

} // namespace catalog
