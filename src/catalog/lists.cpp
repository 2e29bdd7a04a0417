#include "catalog/lists.h"

#include "core/characters.h"
#include "core/text_file.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>

namespace catalog {

void Lists::doPopComboBoxes() {
    auto& f = pos.form;
    if (core::fileExists(kStateFile)) {
        f.cbxLicState->clear();
        f.cbxLicState->addItems(core::readLines(kStateFile));
    }
    if (core::fileExists(kCategoryFile)) {
        f.cbxCategory->setEnabled(true);
        fillDropDown(f.cbxCategory, core::readLines(kCategoryFile));
        f.cbxCategory->setEnabled(false);
    }
    if (reloadCardTypes()) pos.state.customerEditMode = pos.state.productEditMode = false;
}

bool Lists::reloadCardTypes() {
    if (!core::fileExists(kCardTypeFile)) return false;
    const QStringList cards = core::readLines(kCardTypeFile);
    fillDropDown(pos.form.cbxType, cards);
    fillDropDown(pos.form.cbxType2, cards);
    return true;
}

void fillDropDown(QComboBox* box, const QStringList& entries) {
    box->clear();
    box->setCurrentText(QString());
    box->addItems(entries);
    box->setCurrentText(entries.value(0));
}

void Lists::Category1Click() {
    if (!pos.administrator()) return;
    auto& f = pos.form;
    f.pnlCategory->show();
    f.pnlCategory->raise();
    f.lblCategoryNames->setText("Categories");
    f.memCategories->show();
    f.memCardType->hide();
    if (core::fileExists(kCategoryFile)) f.memCategories->setLines(core::readLines(kCategoryFile));
    f.memCategories->setFocus();
}

void Lists::cbxTypeDblClick() {
    auto& f = pos.form;
    if (core::fileExists(kCardTypeFile)) f.memCardType->setLines(core::readLines(kCardTypeFile));
    f.pnlCategory->show();
    f.pnlCategory->raise();
    f.lblCategoryNames->setText("Card Types");
    f.memCardType->show();
    f.memCategories->hide();
    f.memCardType->setFocus();
}

void Lists::btnCloseCategoryClick() {
    auto& f = pos.form;
    if (f.lblCategoryNames->text() == "Categories")
        core::writeLines(kCategoryFile, f.memCategories->lines());
    else
        core::writeLines(kCardTypeFile, f.memCardType->lines());
    f.lblCategoryNames->setText("Categories");
    f.memCardType->hide();
    f.memCategories->show();
    f.pnlCategory->hide();
    doPopComboBoxes();
}

QString phoneForm(const QString& s) {
    using core::leftChars, core::midChars;
    const qsizetype n = core::charCount(s);
    if (n == 7) return leftChars(s, 3) + "-" + midChars(s, 3);
    if (n == 10) return "(" + leftChars(s, 3) + ")" + midChars(s, 3, 3) + "-" + midChars(s, 6);
    return s;
}

} // namespace catalog
