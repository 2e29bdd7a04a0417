#pragma once

#include "store/table.h"

#include <QAbstractTableModel>

#include <functional>
#include <map>
#include <vector>

namespace ui {

// The raw rows of one table for the table browser: one column per field, one line per row
// in index order. Only the identities are read up front; a row's fields are read when it is
// shown, so a table of 100,000 rows opens at once.
class TableModel : public QAbstractTableModel {
public:
    using Store = std::function<void(std::int64_t rid, int field, const QString& text)>;

    explicit TableModel(QObject* parent) : QAbstractTableModel(parent) {}

    // Shows `table` (nullptr: nothing). `store` writes an edited cell; it throws when the
    // table refuses, and the cell then shows again what is stored.
    void setTable(store::Table* table, Store store);
    // Reads the rows again (after a delete).
    void reload();
    std::int64_t rowId(int row) const;
    void setEditable(bool on) { m_editable = on; }
    bool editable() const { return m_editable; }
    // Called with the message when an edit is refused.
    std::function<void(const QString&)> onRefused;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    const std::vector<std::string>* fieldsOf(int row) const;

    struct Edit {
        std::int64_t rid = 0;
        int field = -1;
        QString text;
        bool operator==(const Edit&) const = default;
    };
    Edit m_refused; // the last edit the table refused

    store::Table* m_table = nullptr;
    Store m_store;
    std::vector<std::int64_t> m_rids;
    bool m_editable = false;
    mutable std::map<std::int64_t, std::vector<std::string>> m_cache; // rows read lately
};

} // namespace ui
