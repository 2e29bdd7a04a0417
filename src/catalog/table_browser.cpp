#include "catalog/table_browser.h"

#include "core/characters.h"
#include "core/errors.h"
#include "store/place.h"
#include "ui/main_form.h"
#include "ui/table_model.h"
#include "ui/widgets.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QTableView>
#include <QTimer>

namespace catalog {

namespace {
struct Choice {
    const char* text;
    store::Table core::Tables::*table;
    QColor color;
};
const Choice kChoices[] = {{"Customers", &core::Tables::customer, QColor(204, 255, 255)},
                           {"Products", &core::Tables::product, QColor(245, 234, 255)},
                           {"Sales", &core::Tables::sale, QColor(215, 254, 203)}};
} // namespace

TableBrowser::TableBrowser(core::Pos& p) : pos(p), m_model(new ui::TableModel(p.form.DBGrid1)) {
    pos.form.DBGrid1->setModel(m_model);
    pos.form.DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_model->onRefused = [this](const QString& message) { pos.dialogs().error(message); };
}

void TableBrowser::open(const QString& which) {
    if (!pos.administrator()) return;
    auto& f = pos.form;
    f.lblDataBasePath->setText(
        QString::fromStdString(store::shownConnection(pos.state.dataPath.toStdString())));
    f.cbxDatabase->setCurrentText(which);
    f.pnlDataBase->show();
    f.pnlDataBase->raise();
    cbxDatabaseChange();
}

void TableBrowser::Customers1Click() {
    open("Customers");
}

void TableBrowser::Products1Click() {
    open("Products");
}

void TableBrowser::Sales1Click() {
    open("Sales");
}

void TableBrowser::cbxDatabaseChange() {
    auto& f = pos.form;
    for (const Choice& c : kChoices) {
        if (f.cbxDatabase->currentText() != c.text) continue;
        m_table = &(pos.tables.*c.table);
        m_model->setTable(m_table, [this](std::int64_t rid, int field, const QString& text) {
            storeCell(rid, field, text);
        });
        ui::setBackground(f.DBGrid1, c.color);
        return;
    }
}

void TableBrowser::storeCell(std::int64_t rid, int field, const QString& text) {
    store::Table& t = *m_table;
    if (!t.gotoRowId(rid)) throw core::PosError("The row was deleted meanwhile.");
    const store::FieldDef& def = t.layout().fields[size_t(field)];
    // Nothing typed here is cut to fit: the cell would show what was not stored.
    if (!def.numeric && core::charCount(text) > def.width)
        throw core::PosError(QString("'%1' does not fit the field %2 (%3 characters).")
                                 .arg(text, QString::fromStdString(def.name))
                                 .arg(def.width)
                                 .toStdString());
    t.edit();
    try {
        t.setText(field, text.toStdString());
        t.post();
    } catch (...) {
        t.cancel();
        throw;
    }
}

void TableBrowser::DBGrid1RowChosen(int row) {
    if (m_table && row >= 0) m_table->gotoRowId(m_model->rowId(row));
}

void TableBrowser::btnDBEditClick() {
    auto& f = pos.form;
    if (f.Timer1->isActive()) {
        f.Timer1->stop();
        m_model->setEditable(false);
        f.DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
        f.imgOutline1->hide();
    } else {
        f.Timer1->start();
        m_model->setEditable(true);
        // Typing starts editing, as do a double click and F2; choosing a cell does not.
        f.DBGrid1->setEditTriggers(QAbstractItemView::AnyKeyPressed |
                                   QAbstractItemView::DoubleClicked |
                                   QAbstractItemView::EditKeyPressed);
    }
}

void TableBrowser::btnDeleteClick() {
    auto& f = pos.form;
    const auto answer = pos.dialogs().message(
        "Delete Record", "CAUTION! Are you sure you want to permanently delete this record?",
        {core::Button::OK, core::Button::Cancel}, core::Button::OK, core::Icon::Warning);
    f.DBGrid1->setFocus();
    if (answer != core::Button::OK || !m_table || m_table->eof()) return;
    m_table->remove();
    m_model->reload();
}

void TableBrowser::btnDatabaseCloseClick() {
    pos.form.Timer1->stop();
    pos.form.pnlDataBase->hide();
}

} // namespace catalog
