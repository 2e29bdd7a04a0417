#pragma once

#include "core/pos.h"

namespace ui {
class TableModel;
}

namespace catalog {

// The table browser: the raw rows of the customer, product or sale table in a grid, edited
// in place and deleted; for Administrators only.
class TableBrowser {
public:
    explicit TableBrowser(core::Pos& pos);

    void Customers1Click();
    void Products1Click();
    void Sales1Click();
    void cbxDatabaseChange();
    void btnDBEditClick();
    void btnDeleteClick();
    void btnDatabaseCloseClick();
    // A row chosen in the grid becomes its table's current row.
    void DBGrid1RowChosen(int row);

private:
    void open(const QString& which);
    // Writes one edited cell as one post; throws when the table refuses it.
    void storeCell(std::int64_t rid, int field, const QString& text);

    core::Pos& pos;
    ui::TableModel* m_model;
    store::Table* m_table = nullptr;
};

} // namespace catalog
