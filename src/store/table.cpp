#include "store/table.h"

#include "store/errors.h"
#include "store/place.h"
#include "store/server_source.h"
#include "store/sqlite_source.h"
#include "store/text.h"

#include <algorithm>
#include <cmath>

namespace store {

namespace {
constexpr int kFirstBlock = 16;
constexpr int kMaxBlock = 8192;
} // namespace

Table::Table(Kind kind)
    : m_layout(layoutOf(kind)), m_fieldCount(static_cast<int>(m_layout.fields.size())) {}

Table::~Table() {
    try {
        close();
    } catch (...) {
    }
}

std::string Table::shownPlace() const {
    if (auto t = serverTable(m_path)) return shownConnection(t->connection) + " table " + t->table;
    return fileTable(m_path).shown();
}

void Table::fail(const std::string& what) const {
    throw EngineError(shownPlace() + ": " + what);
}

void Table::requireOpen() const {
    if (!m_src) fail("the table is not open");
}

void Table::checkPos(int pos) const {
    if (!validPos(pos)) fail("there is no field at position " + std::to_string(pos));
}

void Table::setFileName(const std::string& path) {
    if (m_src) fail("the file name cannot change while the table is open");
    m_path = path;
}

void Table::setReadOnly(bool readOnly) {
    if (m_src) fail("the read-only flag cannot change while the table is open");
    m_readOnly = readOnly;
}

sqlite3* Table::handle() const {
    return m_src ? m_src->sqliteHandle() : nullptr;
}

int Table::keyField() const {
    for (const auto& ix : m_layout.indexes)
        if (ix.name == m_indexName) return ix.field;
    return -1;
}

void Table::open() {
    if (m_src) return;
    std::unique_ptr<Source> src;
    if (auto t = serverTable(m_path))
        src = openServerTable(*t, shownPlace(), m_layout, m_readOnly);
    else
        src = openTableFile(m_path, m_layout, m_readOnly);
    m_indexName = m_layout.defaultIndex;
    src->setOrder(keyField());
    m_src = std::move(src);
    m_block = kFirstBlock;
    try {
        first();
    } catch (...) {
        m_src.reset();
        throw;
    }
}

void Table::close() {
    if (!m_src) return;
    if (m_inTransaction) m_src->rollback();
    m_inTransaction = false;
    m_src.reset();
    m_state = State::Browse;
    m_hasRow = false;
    m_eof = true;
    m_bufCount = 0;
}

void Table::setIndex(const std::string& name) {
    bool known = name.empty();
    for (const auto& ix : m_layout.indexes)
        known |= ix.name == name;
    if (!known) fail("there is no index named " + name);
    if (name == m_indexName) return;
    m_indexName = name;
    if (!m_src) return;
    discardEdit();
    m_src->setOrder(keyField());
    if (m_hasRow) positionOnRid(m_buf[m_pos].rid);
}

void Table::discardEdit() {
    // Moving away from an unposted row drops it: half-made rows are never stored.
    m_state = State::Browse;
}

void Table::takeSingle(bool found) {
    m_bufCount = found ? 1 : 0;
    m_pos = 0;
    m_hasRow = found;
    m_block = kFirstBlock;
}

void Table::first() {
    requireOpen();
    discardEdit();
    m_block = kFirstBlock;
    m_bufCount = m_src->fetch(nullptr, m_buf, m_block);
    m_pos = 0;
    m_hasRow = m_bufCount > 0;
    m_eof = !m_hasRow;
}

void Table::next() {
    requireOpen();
    discardEdit();
    if (!m_hasRow) {
        m_eof = true;
        return;
    }
    if (m_pos + 1 < m_bufCount) {
        ++m_pos;
        m_eof = false;
        return;
    }
    // Read the next block after the current row's key; a scan reads ever larger blocks.
    m_block = std::min(m_block * 4, kMaxBlock);
    const int got = m_src->fetch(&m_buf[m_pos], m_spare, m_block);
    if (got == 0) {
        m_eof = true; // the last row stays current
        return;
    }
    std::swap(m_buf, m_spare);
    m_bufCount = got;
    m_pos = 0;
    m_eof = false;
}

void Table::last() {
    requireOpen();
    discardEdit();
    if (m_buf.empty()) m_buf.emplace_back();
    takeSingle(m_src->fetchLast(m_buf[0]));
    m_eof = true;
}

int Table::recordCount() {
    requireOpen();
    // Never cached: other registers add and remove rows too.
    return m_src->count();
}

std::string_view Table::slowView(int pos) const {
    requireOpen();
    checkPos(pos);
    if (m_state != State::Browse) return trimRight(m_edit[pos]);
    if (!m_hasRow) return m_layout.fields[pos].numeric ? "0" : "";
    return trimRight(m_buf[m_pos].field(pos));
}

double Table::number(int pos) const {
    std::string_view t = view(pos);
    if (m_layout.fields[pos].numeric) return parseDecimal(t).value_or(0);
    return toNumber(t);
}

void Table::setText(int pos, std::string_view text) {
    requireOpen();
    checkPos(pos);
    if (m_state == State::Browse) fail("the table is not being edited");
    if (m_layout.fields[pos].numeric)
        m_edit[pos] = shortestNumber(toNumber(text));
    else
        m_edit[pos] = fitToWidth(text, m_layout.fields[pos].width);
}

void Table::setNumberText(int pos, std::string_view text) {
    try {
        requireNumberFits(m_layout, pos, text);
    } catch (const PosError&) {
        cancel();
        throw;
    }
    setText(pos, text);
}

void Table::setNumber(int pos, double value) {
    if (!std::isfinite(value)) throw notAFloat(shortestNumber(value));
    setText(pos, shortestNumber(value));
}

void Table::edit() {
    requireOpen();
    if (m_readOnly) fail("the table is open read-only");
    if (m_state != State::Browse) return;
    if (!m_hasRow) {
        append();
        return;
    }
    const Row& row = m_buf[m_pos];
    m_edit.resize(fieldCount());
    for (int i = 0; i < fieldCount(); ++i)
        m_edit[i] = std::string(row.field(i));
    m_editRid = row.rid;
    m_state = State::Edit;
}

void Table::append() {
    requireOpen();
    if (m_readOnly) fail("the table is open read-only");
    m_edit.assign(fieldCount(), std::string());
    for (int i = 0; i < fieldCount(); ++i)
        if (m_layout.fields[i].numeric) m_edit[i].assign(1, '0'); // (not = "0": GCC 12 warns)
    m_editRid = 0;
    m_state = State::Insert;
}

void Table::cancel() {
    discardEdit();
}

void Table::positionOnRid(std::int64_t rid) {
    if (m_buf.empty()) m_buf.emplace_back();
    takeSingle(m_src->fetchRid(rid, m_buf[0]));
    m_eof = !m_hasRow;
}

void Table::post() {
    requireOpen();
    if (m_state == State::Browse) return;
    std::int64_t rid = m_editRid;
    if (m_state == State::Insert) {
        rid = m_src->insert(m_edit);
    } else if (!m_src->update(m_editRid, m_edit)) {
        m_state = State::Browse;
        fail("the row being edited no longer exists");
    }
    m_state = State::Browse;
    positionOnRid(rid);
}

void Table::remove() {
    requireOpen();
    if (m_readOnly) fail("the table is open read-only");
    discardEdit();
    if (!m_hasRow) fail("there is no row to delete");
    const Row gone = m_buf[m_pos];
    m_src->remove(gone.rid);
    m_block = kFirstBlock;
    m_bufCount = m_src->fetch(&gone, m_buf, m_block);
    m_pos = 0;
    if (m_bufCount == 0) {
        if (m_buf.empty()) m_buf.emplace_back();
        m_bufCount = m_src->fetchLast(m_buf[0]) ? 1 : 0;
    }
    m_hasRow = m_bufCount > 0;
    m_eof = !m_hasRow;
}

namespace {
struct Declined {};
} // namespace

bool Table::changeRow(std::int64_t rid, const std::function<bool()>& change,
                      const std::vector<Table*>& also) {
    requireOpen();
    if (m_readOnly) fail("the table is open read-only");
    bool found = false;
    try {
        // Read inside the transaction: no other register can change the row before it is
        // stored.
        transactionWith(also, [&] {
            if (!gotoRowId(rid)) throw Declined{};
            found = true;
            edit();
            if (!change()) {
                cancel();
                throw Declined{};
            }
            post();
        });
    } catch (const Declined&) {
        return false;
    }
    return found;
}

std::optional<std::vector<std::string>> Table::peek(std::int64_t rid) {
    requireOpen();
    Row row;
    if (!m_src->fetchRid(rid, row)) return std::nullopt;
    std::vector<std::string> out;
    for (int f = 0; f < fieldCount(); ++f)
        out.push_back(std::string(trimRight(row.field(f))));
    return out;
}

std::vector<std::int64_t> Table::rowIds() {
    requireOpen();
    return m_src->rowIds();
}

bool Table::gotoRowId(std::int64_t rid) {
    requireOpen();
    discardEdit();
    if (m_spare.empty()) m_spare.emplace_back();
    if (!m_src->fetchRid(rid, m_spare[0])) return false;
    std::swap(m_buf, m_spare);
    takeSingle(true);
    m_eof = false;
    return true;
}

bool Table::locate(const std::vector<std::pair<int, std::string>>& equals,
                   const std::vector<int>& trimmed) {
    requireOpen();
    discardEdit();
    std::vector<Match> matches;
    for (const auto& [pos, value] : equals) {
        checkPos(pos);
        Match m{pos, value, std::find(trimmed.begin(), trimmed.end(), pos) != trimmed.end()};
        if (m.trimmed) {
            const size_t b = m.value.find_first_not_of(' ');
            m.value = b == std::string::npos ? std::string()
                                             : m.value.substr(b, m.value.find_last_not_of(' ') - b + 1);
        }
        matches.push_back(std::move(m));
    }
    if (m_spare.empty()) m_spare.emplace_back();
    if (!m_src->locate(matches, m_spare[0])) {
        last();
        return false;
    }
    std::swap(m_buf, m_spare);
    takeSingle(true);
    m_eof = false;
    return true;
}

void Table::scan(const std::vector<int>& only, const RowVisitor& visit) {
    requireOpen();
    std::vector<int> fields = only;
    if (fields.empty())
        for (int f = 0; f < fieldCount(); ++f)
            fields.push_back(f);
    for (int f : fields)
        checkPos(f);
    m_src->scan(fields, visit);
}

RowSet Table::snapshot(const std::vector<int>& only) {
    RowSet set;
    set.fields = only.empty() ? fieldCount() : int(only.size());
    scan(only, [&](std::int64_t rid, const std::vector<std::string_view>& row) {
        set.rids.push_back(rid);
        for (std::string_view field : row) {
            set.arena += field;
            set.ends.push_back(static_cast<std::uint32_t>(set.arena.size()));
        }
    });
    return set;
}

void Table::transactionWith(const std::vector<Table*>& others,
                            const std::function<void()>& work) {
    requireOpen();
    std::vector<Source*> sources;
    for (Table* other : others) {
        other->requireOpen();
        sources.push_back(other->m_src.get());
    }
    if (m_inTransaction) fail("a transaction is already running");
    if (!others.empty()) m_src->join(sources);
    m_joined = others;
    auto unjoin = [this] {
        const bool joined = !m_joined.empty();
        m_joined.clear();
        if (!joined) return;
        try {
            m_src->join({});
        } catch (const std::exception&) {
        }
    };
    // The other tables read again, whatever became of the transaction.
    auto release = [&](bool stored) {
        const std::vector<Table*> touched = m_joined;
        unjoin();
        for (Table* other : touched)
            try {
                other->refresh();
            } catch (const std::exception&) {
                // Stored is stored: a failure to re-read another table now must not look like
                // a failed transaction, or the caller might store the same thing again.
                if (stored) {
                    other->m_hasRow = false;
                    other->m_eof = true;
                }
            }
    };
    try {
        Transaction tx(*this);
        work();
        tx.commit();
    } catch (...) {
        release(false);
        throw;
    }
    release(true);
}

size_t Table::joinedIndex(const Table& other) const {
    if (!m_inTransaction) fail("no other table takes part in this transaction");
    for (size_t i = 0; i < m_joined.size(); ++i)
        if (m_joined[i] == &other) return i;
    fail("the other table takes no part in this transaction");
}

int Table::updateOther(Table& other, const std::vector<std::pair<int, std::string>>& where,
                       const std::vector<std::pair<int, std::string>>& set) {
    requireOpen();
    const size_t which = joinedIndex(other);
    std::vector<std::pair<int, std::string>> fitted;
    for (const auto& [pos, value] : set)
        fitted.emplace_back(pos, fitToWidth(value, other.layout().fields.at(pos).width));
    return m_src->updateJoined(which, where, fitted);
}

int Table::updateOther(const std::vector<std::pair<int, std::string>>& where,
                       const std::vector<std::pair<int, std::string>>& set) {
    if (m_joined.empty() || !m_inTransaction)
        fail("no other table takes part in this transaction");
    return updateOther(*m_joined.front(), where, set);
}

std::int64_t Table::appendOther(Table& other,
                                const std::vector<std::pair<int, std::string>>& fields) {
    requireOpen();
    const size_t which = joinedIndex(other);
    const Layout& layout = other.layout();
    std::vector<std::string> row(layout.fields.size());
    for (size_t i = 0; i < row.size(); ++i)
        if (layout.fields[i].numeric) row[i].assign(1, '0');
    for (const auto& [pos, value] : fields) {
        const FieldDef& f = layout.fields.at(size_t(pos));
        row[size_t(pos)] = f.numeric ? shortestNumber(toNumber(value)) : fitToWidth(value, f.width);
    }
    return m_src->insertJoined(which, layout, row);
}

void Table::removeOther(Table& other, std::int64_t rid) {
    requireOpen();
    m_src->deleteJoined(joinedIndex(other), rid);
}

void Table::refresh() {
    if (!m_src) return;
    if (m_hasRow && m_state == State::Browse) positionOnRid(m_buf[m_pos].rid);
}

void Table::beginTransaction() {
    requireOpen();
    if (m_inTransaction) fail("a transaction is already running");
    m_src->begin();
    m_inTransaction = true;
}

void Table::commit() {
    requireOpen();
    if (!m_inTransaction) return;
    m_src->commit();
    m_inTransaction = false;
}

void Table::rollback() {
    requireOpen();
    if (!m_inTransaction) return;
    m_inTransaction = false;
    m_src->rollback();
    if (m_hasRow) positionOnRid(m_buf[m_pos].rid);
    if (!m_hasRow) first();
}

} // namespace store
