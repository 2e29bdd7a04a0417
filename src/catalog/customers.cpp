#include "catalog/customers.h"

#include "catalog/lists.h"
#include "core/text_file.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace catalog {

namespace {
// The grid column each "Search By" item searches.
constexpr int kSearchColumns[] = {0, 1, 2, 6, 7, 8, 10};
} // namespace

void Customers::setPanelEnabled(bool on) {
    auto& f = pos.form;
    for (QWidget* w : std::initializer_list<QWidget*>{
             f.edtCustomer, f.edtAddress1, f.edtAddress2, f.edtCity, f.edtState, f.edtZip,
             f.edtPhone1, f.edtPhone2, f.edtDriversLic, f.cbxLicState, f.edtCreditCard, f.edtExpire,
             f.cbxType, f.btnSaveCust, f.btnClrCust})
        w->setEnabled(on);
}

void Customers::enableProductEntry() {
    auto& f = pos.form;
    f.edtBarcodeHidden->setEnabled(true);
    f.edtSaleQuantity->setEnabled(true);
    f.edtBarcodeHidden->clear();
    f.edtBarcodeHidden->setFocus();
    f.imgProduct->setEnabled(true);
}

void Customers::New1Click() {
    pos.sub.lists->reloadCardTypes();
    pos.state.customerEditMode = false;
    m_editRow = 0;
    setPanelEnabled(true);
    pos.form.edtCustomer->setFocus();
    doClearCustomer();
}

void Customers::doClearCustomer() {
    auto& f = pos.form;
    for (QLineEdit* e : {f.edtCustomer, f.edtAddress1, f.edtAddress2, f.edtCity, f.edtZip,
                         f.edtPhone1, f.edtPhone2, f.edtDriversLic, f.edtCreditCard, f.edtExpire})
        e->clear();
    f.edtState->setText(f.edtCState->text());
    f.cbxLicState->setCurrentText(f.edtCState->text());
}

void Customers::doLockCustomer() {
    setPanelEnabled(false);
    pos.state.customerEditMode = false;
    m_editRow = 0;
}

void Customers::Edit2Click() {
    auto& f = pos.form;
    pos.sub.lists->reloadCardTypes();
    if (f.edtCustomer->text().isEmpty()) {
        f.memProductList->setFocus();
        return;
    }
    store::Table& customers = pos.tables.customer;
    m_editRow = customers.locate({{store::customer::NAME, f.edtCustomer->text().toStdString()},
                                  {store::customer::ADDRESS1, f.edtAddress1->text().toStdString()}})
                    ? customers.rowId()
                    : 0;
    setPanelEnabled(true);
    pos.state.customerEditMode = true;
    f.edtCustomer->setFocus();
}

void Customers::btnSaveCustClick() {
    auto& f = pos.form;
    if (!f.edtCustomer->text().isEmpty()) {
        store::Table& customers = pos.tables.customer;
        // Edit that located no record stores the customer as a new one.
        if (pos.state.customerEditMode && m_editRow && customers.gotoRowId(m_editRow))
            customers.edit();
        else
            customers.append();
        const QString values[] = {f.edtCustomer->text(),   f.edtAddress1->text(),
                                  f.edtAddress2->text(),   f.edtCity->text(),
                                  f.edtState->text(),      f.edtZip->text(),
                                  f.edtPhone1->text(),     f.edtPhone2->text(),
                                  f.edtDriversLic->text(), f.cbxLicState->currentText(),
                                  f.edtCreditCard->text(), f.edtExpire->text(),
                                  f.cbxType->currentText()};
        for (int i = 0; i < 13; ++i)
            customers.setText(i, values[i].toStdString());
        customers.setText(store::customer::CLERK, pos.state.currentUser.toStdString());
        customers.post();
    }
    doLockCustomer();
    enableProductEntry();
}

void Customers::btnClrCustClick() {
    doClearCustomer();
    doLockCustomer();
}

void Customers::imgCustSearchClick() {
    auto& f = pos.form;
    ui::GridView* grid = f.StringGrid1;
    grid->gridModel()->clear();
    if (f.ckbxCustomerSearch->isChecked()) {
        f.RadioGroup1->show();
        f.RadioGroup1->raise();
    }
    grid->show();
    grid->raise();
    store::Table& customers = pos.tables.customer;
    store::RowSet rows = customers.snapshot();
    if (rows.rows() == 0) {
        // The grid always has a row, empty when there is no customer.
        rows.ends.assign(size_t(rows.fields), 0);
    }
    grid->gridModel()->setRows(std::move(rows));
    grid->scrollRowToTop(0);
    pos.state.gridSearchText.clear();
    grid->setFocus();
    f.lblSearchString->setText(QString());
    ui::setBackground(f.lblSearchString, QColor(204, 255, 255));
    f.lblSearchString->show();
    f.lblSearchString->raise();
}

int Customers::searchedColumn() const {
    const auto radios = pos.form.RadioGroup1->findChildren<QRadioButton*>();
    for (int i = 0; i < radios.size() && i < 7; ++i)
        if (radios[i]->isChecked()) return kSearchColumns[i];
    return 0;
}

void Customers::StringGrid1KeyPress(const QString& ch) {
    auto& f = pos.form;
    if (!f.StringGrid1->isVisible()) return;
    f.StringGrid1->typeAhead(pos.state.gridSearchText, ch, searchedColumn());
    f.lblSearchString->setText(pos.state.gridSearchText);
}

void Customers::StringGrid1KeyDown() {
    pos.form.StringGrid1->hide();
    pos.form.lblSearchString->hide();
}

void Customers::StringGrid1MouseUp(int row) {
    auto& f = pos.form;
    ui::GridModel* m = f.StringGrid1->gridModel();
    if (row < 0 || row >= m->rowCount()) return;
    QLineEdit* edits[] = {f.edtCustomer, f.edtAddress1, f.edtAddress2, f.edtCity,      f.edtState,
                          f.edtZip,      f.edtPhone1,   f.edtPhone2,   f.edtDriversLic};
    for (int c = 0; c < 9; ++c)
        edits[c]->setText(m->cell(row, c));
    f.cbxLicState->setCurrentText(m->cell(row, 9));
    f.edtCreditCard->setText(m->cell(row, 10));
    f.edtExpire->setText(m->cell(row, 11));
    f.cbxType->setCurrentText(m->cell(row, 12));
    f.cbxType2->setCurrentText(m->cell(row, 12));
    f.StringGrid1->hide();
    f.RadioGroup1->hide();
    enableProductEntry();
    f.edtDiscount->setEnabled(true);
    f.lblSearchString->clear();
    f.lblSearchString->hide();
}

void Customers::RadioGroup1Click() {
    if (pos.form.StringGrid1->isVisible()) pos.form.StringGrid1->setFocus();
}

} // namespace catalog
