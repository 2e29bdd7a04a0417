#include "store/table.h"

#include "store/errors.h"
#include "store/text.h"

#include <sqlite3.h>

#include <memory>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

namespace store {
namespace fs = std::filesystem;

namespace {
constexpr int kFirstBlock = 16;
constexpr int kMaxBlock = 8192;

std::string columnName(int pos) {
    return "f" + std::to_string(pos);
}
} // namespace

std::optional<Kind> fileKind(const std::string& path) {
    sqlite3* db = nullptr;
    std::optional<Kind> kind;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT value FROM meta WHERE key = 'kind'", -1, &st, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW) {
            const char* name = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
            if (const Layout* l = name ? layoutByName(name) : nullptr) kind = l->kind;
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return kind;
}

struct Table::Statements {
    sqlite3_stmt* first = nullptr; // ORDER BY key LIMIT ?
    sqlite3_stmt* after = nullptr; // WHERE (key, rid) > (?, ?) ORDER BY key LIMIT ?
    sqlite3_stmt* last = nullptr;  // ORDER BY key DESC LIMIT 1
    sqlite3_stmt* byRid = nullptr; // WHERE rid = ?
    sqlite3_stmt* insert = nullptr;
    sqlite3_stmt* update = nullptr;
    sqlite3_stmt* remove = nullptr;
    sqlite3_stmt* count = nullptr;
    std::string columns; // "rid, f0, f1, …"
    std::string order;   // "f0, rid"
};

Table::Table(Kind kind)
    : m_layout(layoutOf(kind)), m_fieldCount(static_cast<int>(m_layout.fields.size())) {}

Table::~Table() {
    try {
        close();
    } catch (...) {
    }
}

void Table::fail(const std::string& what) const {
    throw EngineError(m_path + ": " + what);
}

void Table::failSql(const char* doing) const {
    std::string msg = m_db ? sqlite3_errmsg(m_db) : "no connection";
    fail(std::string(doing) + ": " + msg);
}

void Table::requireOpen() const {
    if (!m_db) fail("the table is not open");
}

void Table::checkPos(int pos) const {
    if (!validPos(pos)) fail("there is no field at position " + std::to_string(pos));
}

void Table::setFileName(const std::string& path) {
    if (m_db) fail("the file name cannot change while the table is open");
    m_path = path;
}

void Table::setReadOnly(bool readOnly) {
    if (m_db) fail("the read-only flag cannot change while the table is open");
    m_readOnly = readOnly;
}

int Table::keyField() const {
    for (const auto& ix : m_layout.indexes)
        if (ix.name == m_indexName) return ix.field;
    return -1;
}

void Table::exec(const char* sql, const char* doing) {
    char* err = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : sqlite3_errmsg(m_db);
        sqlite3_free(err);
        fail(std::string(doing) + ": " + msg);
    }
}

void Table::open() {
    if (m_db) return;
    std::error_code ec;
    if (!fs::exists(m_path, ec)) fail("the table file is missing");
    if (!fs::is_regular_file(m_path, ec)) fail("this is not a table file");

    // Look at the header ourselves first: SQLite would happily treat an empty file as a
    // new database, and a truncated one only fails when the missing pages are read.
    {
        std::ifstream in(m_path, std::ios::binary);
        unsigned char h[100] = {};
        in.read(reinterpret_cast<char*>(h), sizeof h);
        if (in.gcount() < 100 || std::string_view(reinterpret_cast<char*>(h), 16) !=
                                     std::string_view("SQLite format 3\0", 16))
            fail("this is not a table file");
        std::uint64_t pageSize = (h[16] << 8) | h[17];
        if (pageSize == 1) pageSize = 65536;
        std::uint64_t pages = (std::uint64_t(h[28]) << 24) | (h[29] << 16) | (h[30] << 8) | h[31];
        // After a crash the journal or log beside the file may still be rolled back or in.
        bool hasLog = fs::exists(m_path + "-wal", ec) || fs::exists(m_path + "-journal", ec);
        if (!hasLog && pages > 0 && pageSize * pages > fs::file_size(m_path, ec))
            fail("the table file is truncated");
    }

    int flags = (m_readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(m_path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        std::string msg = m_db ? sqlite3_errmsg(m_db) : "cannot open";
        sqlite3_close(m_db);
        m_db = nullptr;
        fail("cannot open the table file: " + msg);
    }
    try {
        sqlite3_busy_timeout(m_db, 5000);
        sqlite3_extended_result_codes(m_db, 1);
        validateFile();
        if (!m_readOnly) {
            // Each post is one transaction, synced to disk before it counts as stored. The
            // rollback journal (rather than a write-ahead log) lets one transaction span
            // several table files atomically, and leaves no file beside a closed table.
            exec("PRAGMA journal_mode=DELETE", "cannot open the table for writing");
            exec("PRAGMA synchronous=FULL", "cannot open the table for writing");
        }
        m_st = new Statements;
        m_indexName = m_layout.defaultIndex;
        prepareStatements();
    } catch (...) {
        finalizeStatements();
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
    m_count = -1;
    m_block = kFirstBlock;
    first();
}

void Table::validateFile() {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(m_db, "SELECT value FROM meta WHERE key = 'kind'", -1, &st, nullptr) !=
        SQLITE_OK) {
        int code = sqlite3_errcode(m_db) & 0xff;
        std::string msg = sqlite3_errmsg(m_db);
        sqlite3_finalize(st);
        if (code == SQLITE_NOTADB) fail("this is not a table file");
        if (code == SQLITE_CORRUPT) fail("the table file is damaged: " + msg);
        fail("this is not a table file (" + msg + ")");
    }
    std::string kind;
    int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW && sqlite3_column_text(st, 0))
        kind = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail("the table file is damaged: " + std::string(sqlite3_errmsg(m_db)));
    if (kind.empty()) fail("this is not a table file (it names no layout)");
    if (kind != m_layout.kindName)
        fail("the file holds the " + kind + " table, not the " + m_layout.kindName + " table");

    if (sqlite3_prepare_v2(m_db, "SELECT pos, name, width, numeric FROM layout ORDER BY pos", -1,
                           &st, nullptr) != SQLITE_OK) {
        std::string msg = sqlite3_errmsg(m_db);
        sqlite3_finalize(st);
        fail("the table file is damaged: " + msg);
    }
    size_t n = 0;
    bool same = true;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (n >= m_layout.fields.size()) {
            same = false;
            break;
        }
        const auto& f = m_layout.fields[n];
        const char* name = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
        if (sqlite3_column_int(st, 0) != int(n) || !name || f.name != name ||
            sqlite3_column_int(st, 2) != f.width || (sqlite3_column_int(st, 3) != 0) != f.numeric)
            same = false;
        ++n;
    }
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        std::string msg = sqlite3_errmsg(m_db);
        sqlite3_finalize(st);
        fail("the table file is damaged: " + msg);
    }
    sqlite3_finalize(st);
    if (!same || n != m_layout.fields.size())
        fail("the fields of the file do not match the " + m_layout.kindName + " table");
}

sqlite3_stmt* Table::prepare(const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v3(m_db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(st);
        failSql("the table file is damaged");
    }
    return st;
}

void Table::prepareStatements() {
    auto& s = *m_st;
    auto old = s;
    s = Statements{};
    for (sqlite3_stmt* st :
         {old.first, old.after, old.last, old.byRid, old.insert, old.update, old.remove, old.count})
        sqlite3_finalize(st);

    const int n = fieldCount();
    s.columns = "rid";
    for (int i = 0; i < n; ++i)
        s.columns += ", " + columnName(i);
    int k = keyField();
    std::string key = k >= 0 ? columnName(k) : "";
    s.order = k >= 0 ? key + ", rid" : "rid";
    std::string desc = k >= 0 ? key + " DESC, rid DESC" : "rid DESC";
    std::string after = k >= 0 ? "(" + key + ", rid) > (?1, ?2)" : "rid > ?2";

    s.first = prepare("SELECT " + s.columns + " FROM rows ORDER BY " + s.order + " LIMIT ?3");
    s.after = prepare("SELECT " + s.columns + " FROM rows WHERE " + after + " ORDER BY " + s.order +
                      " LIMIT ?3");
    s.last = prepare("SELECT " + s.columns + " FROM rows ORDER BY " + desc + " LIMIT 1");
    s.byRid = prepare("SELECT " + s.columns + " FROM rows WHERE rid = ?1");
    s.count = prepare("SELECT count(*) FROM rows");
    if (!m_readOnly) {
        std::string names, params, sets;
        for (int i = 0; i < n; ++i) {
            names += (i ? ", " : "") + columnName(i);
            params += (i ? ", ?" : "?") + std::to_string(i + 1);
            sets += (i ? ", " : "") + columnName(i) + " = ?" + std::to_string(i + 1);
        }
        s.insert = prepare("INSERT INTO rows (" + names + ") VALUES (" + params + ")");
        s.update = prepare("UPDATE rows SET " + sets + " WHERE rid = ?" + std::to_string(n + 1));
        s.remove = prepare("DELETE FROM rows WHERE rid = ?1");
    }
}

void Table::finalizeStatements() {
    if (!m_st) return;
    for (sqlite3_stmt* st : {m_st->first, m_st->after, m_st->last, m_st->byRid, m_st->insert,
                             m_st->update, m_st->remove, m_st->count})
        sqlite3_finalize(st);
    delete m_st;
    m_st = nullptr;
}

void Table::close() {
    if (!m_db) return;
    if (m_inTransaction) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_inTransaction = false;
    finalizeStatements();
    sqlite3_close(m_db);
    m_db = nullptr;
    m_state = State::Browse;
    m_hasRow = false;
    m_eof = true;
    m_bufCount = 0;
    m_count = -1;
}

void Table::setIndex(const std::string& name) {
    bool known = name.empty();
    for (const auto& ix : m_layout.indexes)
        known |= ix.name == name;
    if (!known) fail("there is no index named " + name);
    if (name == m_indexName) return;
    m_indexName = name;
    if (!m_db) return;
    discardEdit();
    prepareStatements();
    if (m_hasRow) positionOnRid(m_buf[m_pos].rid);
}

namespace {
// Column `col` of the current result row as the field's text: a number field in its
// shortest form, "0" when it holds nothing.
void appendColumn(sqlite3_stmt* st, int col, bool numeric, std::string& out) {
    if (numeric) {
        switch (sqlite3_column_type(st, col)) {
        case SQLITE_INTEGER:
            out += std::to_string(sqlite3_column_int64(st, col));
            return;
        case SQLITE_FLOAT:
            out += shortestNumber(sqlite3_column_double(st, col));
            return;
        case SQLITE_NULL:
            out += '0';
            return;
        default:
            break;
        }
    }
    const unsigned char* t = sqlite3_column_text(st, col);
    if (t) out.append(reinterpret_cast<const char*>(t), sqlite3_column_bytes(st, col));
}
} // namespace

void Table::readRow(sqlite3_stmt* st, Row& row) const {
    const int n = fieldCount();
    row.rid = sqlite3_column_int64(st, 0);
    row.data.clear();
    row.ends.resize(n);
    for (int i = 0; i < n; ++i) {
        appendColumn(st, i + 1, m_layout.fields[i].numeric, row.data);
        row.ends[i] = static_cast<std::uint32_t>(row.data.size());
    }
}

int Table::fetch(sqlite3_stmt* st, std::vector<Row>& into, int limit) {
    int got = 0;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (got == int(into.size())) into.emplace_back();
        readRow(st, into[got]);
        if (++got == limit) break;
    }
    bool bad = rc != SQLITE_ROW && rc != SQLITE_DONE;
    sqlite3_reset(st);
    if (bad) failSql("cannot read the table");
    return got;
}

void Table::bindKeyOf(sqlite3_stmt* st, const Row& row) {
    int k = keyField();
    if (k >= 0) {
        std::string_view key = row.field(k);
        if (m_layout.fields[k].numeric) {
            double v = parseDecimal(key).value_or(0);
            if (v == std::floor(v) && std::abs(v) < 9e15)
                sqlite3_bind_int64(st, 1, static_cast<std::int64_t>(v));
            else
                sqlite3_bind_double(st, 1, v);
        } else {
            sqlite3_bind_text(st, 1, key.data(), int(key.size()), SQLITE_TRANSIENT);
        }
    }
    sqlite3_bind_int64(st, 2, row.rid);
}

void Table::loadSingle(sqlite3_stmt* st) {
    int got = fetch(st, m_buf, 1);
    m_bufCount = got;
    m_pos = 0;
    m_hasRow = got > 0;
    m_block = kFirstBlock;
}

void Table::discardEdit() {
    // Moving away from an unposted row drops it: half-made rows are never stored.
    m_state = State::Browse;
}

void Table::first() {
    requireOpen();
    discardEdit();
    m_block = kFirstBlock;
    sqlite3_bind_int(m_st->first, 3, m_block);
    m_bufCount = fetch(m_st->first, m_buf, m_block);
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
    bindKeyOf(m_st->after, m_buf[m_pos]);
    sqlite3_bind_int(m_st->after, 3, m_block);
    int got = fetch(m_st->after, m_spare, m_block);
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
    loadSingle(m_st->last);
    m_eof = true;
}

int Table::recordCount() {
    requireOpen();
    if (m_count < 0) {
        int rc = sqlite3_step(m_st->count);
        int n = rc == SQLITE_ROW ? sqlite3_column_int(m_st->count, 0) : -1;
        sqlite3_reset(m_st->count);
        if (rc != SQLITE_ROW) failSql("cannot count the rows");
        m_count = n;
    }
    return m_count;
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
        if (m_layout.fields[i].numeric) m_edit[i] = "0";
    m_editRid = 0;
    m_state = State::Insert;
}

void Table::cancel() {
    discardEdit();
}

void Table::positionOnRid(std::int64_t rid) {
    sqlite3_bind_int64(m_st->byRid, 1, rid);
    loadSingle(m_st->byRid);
    m_eof = !m_hasRow;
}

void Table::post() {
    requireOpen();
    if (m_state == State::Browse) return;
    sqlite3_stmt* st = m_state == State::Insert ? m_st->insert : m_st->update;
    const int n = fieldCount();
    for (int i = 0; i < n; ++i) {
        const std::string& v = m_edit[i];
        if (m_layout.fields[i].numeric) {
            double d = parseDecimal(v).value_or(0);
            if (d == std::floor(d) && std::abs(d) < 9e15)
                sqlite3_bind_int64(st, i + 1, static_cast<std::int64_t>(d));
            else
                sqlite3_bind_double(st, i + 1, d);
        } else {
            sqlite3_bind_text(st, i + 1, v.data(), int(v.size()), SQLITE_STATIC);
        }
    }
    if (m_state == State::Edit) sqlite3_bind_int64(st, n + 1, m_editRid);
    int rc = sqlite3_step(st);
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    if (rc != SQLITE_DONE) failSql("cannot store the row");
    std::int64_t rid = m_editRid;
    if (m_state == State::Insert) {
        rid = sqlite3_last_insert_rowid(m_db);
        if (m_count >= 0) ++m_count;
    } else if (sqlite3_changes(m_db) == 0) {
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
    Row gone = m_buf[m_pos];
    sqlite3_bind_int64(m_st->remove, 1, gone.rid);
    int rc = sqlite3_step(m_st->remove);
    sqlite3_reset(m_st->remove);
    if (rc != SQLITE_DONE) failSql("cannot delete the row");
    m_count = -1;
    m_block = kFirstBlock;
    bindKeyOf(m_st->after, gone);
    sqlite3_bind_int(m_st->after, 3, m_block);
    m_bufCount = fetch(m_st->after, m_buf, m_block);
    m_pos = 0;
    if (m_bufCount == 0) loadSingle(m_st->last);
    m_hasRow = m_bufCount > 0;
    m_eof = !m_hasRow;
}

std::optional<std::vector<std::string>> Table::peek(std::int64_t rid) {
    requireOpen();
    sqlite3_stmt* st = m_st->byRid;
    sqlite3_reset(st);
    sqlite3_bind_int64(st, 1, rid);
    std::optional<std::vector<std::string>> out;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
        Row row;
        readRow(st, row);
        out.emplace();
        for (int f = 0; f < fieldCount(); ++f)
            out->push_back(std::string(trimRight(row.field(f))));
    }
    sqlite3_reset(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) failSql("cannot read the table");
    return out;
}

std::vector<std::int64_t> Table::rowIds() {
    requireOpen();
    std::vector<std::int64_t> ids;
    sqlite3_stmt* st = nullptr;
    const std::string sql = "SELECT rid FROM rows ORDER BY " + m_st->order;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        failSql("cannot read the table");
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        ids.push_back(sqlite3_column_int64(st, 0));
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) failSql("cannot read the table");
    return ids;
}

bool Table::gotoRowId(std::int64_t rid) {
    requireOpen();
    discardEdit();
    sqlite3_bind_int64(m_st->byRid, 1, rid);
    int got = fetch(m_st->byRid, m_spare, 1);
    if (got == 0) return false;
    std::swap(m_buf, m_spare);
    m_bufCount = 1;
    m_pos = 0;
    m_hasRow = true;
    m_eof = false;
    m_block = kFirstBlock;
    return true;
}

bool Table::locate(const std::vector<std::pair<int, std::string>>& equals,
                   const std::vector<int>& trimmed) {
    requireOpen();
    discardEdit();
    auto isTrimmed = [&](int pos) {
        return std::find(trimmed.begin(), trimmed.end(), pos) != trimmed.end();
    };
    std::string where;
    for (size_t i = 0; i < equals.size(); ++i) {
        checkPos(equals[i].first);
        std::string col = columnName(equals[i].first);
        if (isTrimmed(equals[i].first)) col = "trim(" + col + ", ' ')";
        where += (i ? " AND " : "") + col + " = ?" + std::to_string(i + 1);
    }
    std::string sql = "SELECT " + m_st->columns + " FROM rows" +
                      (where.empty() ? "" : " WHERE " + where) + " ORDER BY " + m_st->order +
                      " LIMIT 1";
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        failSql("cannot search the table");
    }
    for (size_t i = 0; i < equals.size(); ++i) {
        const auto& [pos, value] = equals[i];
        if (m_layout.fields[pos].numeric) {
            auto d = parseDecimal(value);
            if (!d) {
                sqlite3_finalize(st);
                last();
                return false;
            }
            sqlite3_bind_double(st, int(i + 1), *d);
        } else {
            std::string_view v = value;
            if (isTrimmed(pos)) {
                while (!v.empty() && v.front() == ' ')
                    v.remove_prefix(1);
                while (!v.empty() && v.back() == ' ')
                    v.remove_suffix(1);
            }
            sqlite3_bind_text(st, int(i + 1), v.data(), int(v.size()), SQLITE_TRANSIENT);
        }
    }
    int got = 0;
    try {
        got = fetch(st, m_buf, 1);
    } catch (...) {
        sqlite3_finalize(st);
        throw;
    }
    sqlite3_finalize(st);
    if (got == 0) {
        last();
        return false;
    }
    m_bufCount = 1;
    m_pos = 0;
    m_hasRow = true;
    m_eof = false;
    m_block = kFirstBlock;
    return true;
}

void Table::scan(const std::vector<int>& only, const RowVisitor& visit) {
    requireOpen();
    std::vector<int> fields = only;
    if (fields.empty())
        for (int f = 0; f < fieldCount(); ++f)
            fields.push_back(f);
    std::string columns = "rid";
    for (int f : fields) {
        checkPos(f);
        columns += ", " + columnName(f);
    }
    sqlite3_stmt* st = nullptr;
    const std::string sql = "SELECT " + columns + " FROM rows ORDER BY " + m_st->order;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        failSql("cannot read the table");
    }
    // The statement is finalized however the visitor leaves.
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(st, sqlite3_finalize);
    std::vector<std::string> texts(fields.size());
    std::vector<std::string_view> views(fields.size());
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        for (size_t k = 0; k < fields.size(); ++k) {
            const int col = int(k) + 1;
            if (m_layout.fields[size_t(fields[k])].numeric) {
                texts[k].clear();
                appendColumn(st, col, true, texts[k]);
                views[k] = texts[k];
            } else {
                // Straight from the engine's buffer: valid until the next step.
                const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
                views[k] = t ? trimRight(std::string_view(t, size_t(sqlite3_column_bytes(st, col))))
                             : std::string_view();
            }
        }
        visit(sqlite3_column_int64(st, 0), views);
    }
    if (rc != SQLITE_DONE) failSql("cannot read the table");
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

void Table::transactionWith(Table& other, const std::function<void()>& work) {
    requireOpen();
    other.requireOpen();
    if (m_inTransaction) fail("a transaction is already running");
    static int serial = 0;
    m_attached = "other" + std::to_string(++serial);
    sqlite3_stmt* st = nullptr;
    const std::string attach = "ATTACH DATABASE ?1 AS " + m_attached;
    if (sqlite3_prepare_v2(m_db, attach.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        m_attached.clear();
        failSql("cannot reach the other table");
    }
    sqlite3_bind_text(st, 1, other.m_path.c_str(), -1, SQLITE_TRANSIENT);
    int rc = sqlite3_step(st);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) {
        m_attached.clear();
        failSql("cannot reach the other table");
    }
    m_attachedTable = &other;
    auto detach = [this] {
        sqlite3_exec(m_db, ("DETACH DATABASE " + m_attached).c_str(), nullptr, nullptr, nullptr);
        m_attached.clear();
        m_attachedTable = nullptr;
    };
    try {
        Transaction tx(*this);
        work();
        tx.commit();
    } catch (...) {
        detach();
        try {
            other.refresh();
        } catch (const std::exception&) {
        }
        throw;
    }
    detach();
    // Stored is stored: a failure to re-read the other table now must not look like a
    // failed transaction, or the caller might store the same thing again.
    try {
        other.refresh();
    } catch (const std::exception&) {
        other.m_hasRow = false;
        other.m_eof = true;
    }
}

int Table::updateOther(const std::vector<std::pair<int, std::string>>& where,
                       const std::vector<std::pair<int, std::string>>& set) {
    requireOpen();
    if (!m_attachedTable || !m_inTransaction) fail("no other table takes part in this transaction");
    const Layout& layout = m_attachedTable->layout();
    std::string sql = "UPDATE " + m_attached + ".rows SET ";
    for (size_t i = 0; i < set.size(); ++i)
        sql += (i ? ", " : "") + columnName(set[i].first) + " = ?" + std::to_string(i + 1);
    for (size_t i = 0; i < where.size(); ++i)
        sql += (i ? " AND " : " WHERE ") + columnName(where[i].first) + " = ?" +
               std::to_string(set.size() + i + 1);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        failSql("cannot change the other table");
    }
    int n = 1;
    for (const auto& [pos, value] : set) {
        const std::string v = fitToWidth(value, layout.fields.at(pos).width);
        sqlite3_bind_text(st, n++, v.c_str(), int(v.size()), SQLITE_TRANSIENT);
    }
    for (const auto& [pos, value] : where)
        sqlite3_bind_text(st, n++, value.c_str(), int(value.size()), SQLITE_TRANSIENT);
    int rc = sqlite3_step(st);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) failSql("cannot change the other table");
    return sqlite3_changes(m_db);
}

void Table::refresh() {
    if (!m_db) return;
    m_count = -1;
    if (m_hasRow && m_state == State::Browse) positionOnRid(m_buf[m_pos].rid);
}

void Table::beginTransaction() {
    requireOpen();
    if (m_inTransaction) fail("a transaction is already running");
    exec("BEGIN IMMEDIATE", "cannot start a transaction");
    m_inTransaction = true;
}

void Table::commit() {
    requireOpen();
    if (!m_inTransaction) return;
    exec("COMMIT", "cannot store the changes");
    m_inTransaction = false;
}

void Table::rollback() {
    requireOpen();
    if (!m_inTransaction) return;
    m_inTransaction = false;
    exec("ROLLBACK", "cannot undo the changes");
    m_count = -1;
    if (m_hasRow) positionOnRid(m_buf[m_pos].rid);
    if (!m_hasRow) first();
}

} // namespace store
