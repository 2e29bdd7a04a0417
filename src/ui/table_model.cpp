#include "ui/table_model.h"

#include <exception>

namespace ui {

namespace {
constexpr size_t kCached = 2000; // rows kept after reading: a few screens' worth
}

void TableModel::setTable(store::Table* table, Store store) {
    beginResetModel();
    m_table = table;
    m_store = std::move(store);
    m_cache.clear();
    m_rids = table ? table->rowIds() : std::vector<std::int64_t>{};
    endResetModel();
}

void TableModel::reload() {
    setTable(m_table, m_store);
}

std::int64_t TableModel::rowId(int row) const {
    return row >= 0 && row < int(m_rids.size()) ? m_rids[size_t(row)] : 0;
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rids.size());
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_table ? 0 : m_table->fieldCount();
}

const std::vector<std::string>* TableModel::fieldsOf(int row) const {
    const std::int64_t rid = rowId(row);
    auto it = m_cache.find(rid);
    if (it == m_cache.end()) {
        if (m_cache.size() >= kCached) m_cache.clear();
        std::optional<std::vector<std::string>> fields;
        try {
            fields = m_table->peek(rid);
        } catch (const std::exception&) {
            return nullptr; // a row that cannot be read shows empty
        }
        if (!fields) return nullptr;
        it = m_cache.emplace(rid, std::move(*fields)).first;
    }
    return &it->second;
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const std::vector<std::string>* fields = fieldsOf(index.row());
    if (!fields || index.column() >= int(fields->size())) return {};
    return QString::fromStdString((*fields)[size_t(index.column())]);
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (!m_table || section >= m_table->fieldCount()) return {};
    return QString::fromStdString(m_table->layout().fields[size_t(section)].name);
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable) f |= Qt::ItemIsEditable;
    return f;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !m_store) return false;
    const std::int64_t rid = rowId(index.row());
    const Edit edit{rid, index.column(), value.toString()};
    // An editor hands in its text again as it closes: a refusal is told once. A cell left
    // as it was is no change to store.
    if (edit == m_refused) return false;
    if (edit.text == data(index, Qt::EditRole).toString()) return true;
    bool stored = false;
    try {
        m_store(rid, index.column(), edit.text);
        stored = true;
        m_refused = {};
    } catch (const std::exception& e) {
        m_refused = edit;
        if (onRefused) onRefused(QString::fromUtf8(e.what()));
    }
    // Whatever happened, the row shows what the table holds now.
    m_cache.erase(rid);
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return stored;
}

} // namespace ui
