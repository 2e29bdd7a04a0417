#include "store/sqlite_source.h"

#include "store/errors.h"
#include "store/place.h"
#include "store/text.h"

#include <sqlite3.h>

#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <filesystem>
#include <fstream>

namespace store {
namespace fs = std::filesystem;

namespace {
std::string columnName(int pos) {
    return "f" + std::to_string(pos);
}

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

void bindNumber(sqlite3_stmt* st, int n, double v) {
    if (v == std::floor(v) && std::abs(v) < 9e15)
        sqlite3_bind_int64(st, n, static_cast<std::int64_t>(v));
    else
        sqlite3_bind_double(st, n, v);
}

class SqliteSource final : public Source {
public:
    SqliteSource(const FileTable& place, const Layout& layout, bool readOnly)
        : m_path(place.file), m_shown(place.shown()), m_keptWith(!place.table.empty()),
          m_layout(layout), m_readOnly(readOnly) {
        const FileTableParts parts = fileTableParts(place.table);
        m_rows = sqlName(parts.rows);
        m_meta = sqlName(parts.meta);
        m_fields = sqlName(parts.fields);
        open();
    }
    ~SqliteSource() override {
        if (m_inTransaction) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        detach();
        finalize();
        sqlite3_close(m_db);
    }

    void setOrder(int key) override;
    int fetch(const Row* after, std::vector<Row>& into, int limit) override;
    bool fetchLast(Row& into) override { return single(m_st.last, into); }
    bool fetchRid(std::int64_t rid, Row& into) override {
        sqlite3_bind_int64(m_st.byRid, 1, rid);
        return single(m_st.byRid, into);
    }
    bool locate(const std::vector<Match>& equals, Row& into) override;
    int count() override;
    std::vector<std::int64_t> rowIds() override;
    void scan(const std::vector<int>& fields, const RowVisitor& visit) override;
    std::int64_t insert(const std::vector<std::string>& fields) override;
    bool update(std::int64_t rid, const std::vector<std::string>& fields) override;
    void remove(std::int64_t rid) override;
    void begin() override {
        exec("BEGIN IMMEDIATE", "cannot start a transaction");
        m_inTransaction = true;
    }
    void commit() override {
        exec("COMMIT", "cannot store the changes");
        m_inTransaction = false;
    }
    void rollback() override {
        m_inTransaction = false;
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void join(const std::vector<Source*>& others) override;
    std::int64_t insertJoined(size_t which, const Layout& layout,
                              const std::vector<std::string>& fields) override;
    void deleteJoined(size_t which, std::int64_t rid) override;
    int updateJoined(size_t which, const std::vector<std::pair<int, std::string>>& where,
                     const std::vector<std::pair<int, std::string>>& set) override;
    sqlite3* sqliteHandle() const override { return m_db; }

private:
    struct Statements {
        sqlite3_stmt* first = nullptr; // ORDER BY key LIMIT ?
        sqlite3_stmt* after = nullptr; // WHERE (key, rid) > (?, ?) ORDER BY key LIMIT ?
        sqlite3_stmt* last = nullptr;  // ORDER BY key DESC LIMIT 1
        sqlite3_stmt* byRid = nullptr; // WHERE rid = ?
        sqlite3_stmt* insert = nullptr;
        sqlite3_stmt* update = nullptr;
        sqlite3_stmt* remove = nullptr;
        std::string columns; // "rid, f0, f1, …"
        std::string order;   // "f0, rid"
    };

    [[noreturn]] void fail(const std::string& what) const {
        throw EngineError(m_shown + ": " + what);
    }
    [[noreturn]] void failSql(const char* doing) const {
        fail(std::string(doing) + ": " + sqlite3_errmsg(m_db));
    }
    [[noreturn]] void failDamaged(const std::string& what) const {
        throw DamagedTable(m_shown + ": " + what);
    }
    // A failure reading the table's own description: damage, unless the file was merely out
    // of reach (locked, unreadable, out of memory).
    [[noreturn]] void failReading(int code, const std::string& what) const {
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED || code == SQLITE_IOERR ||
            code == SQLITE_NOMEM || code == SQLITE_CANTOPEN || code == SQLITE_INTERRUPT)
            fail(what);
        failDamaged(what);
    }
    void open();
    void validate();
    void exec(const char* sql, const char* doing);
    sqlite3_stmt* prepare(const std::string& sql, bool persistent = true);
    void finalize();
    int fieldCount() const { return int(m_layout.fields.size()); }
    void readRow(sqlite3_stmt* st, Row& row) const;
    int step(sqlite3_stmt* st, std::vector<Row>& into, int limit);
    bool single(sqlite3_stmt* st, Row& into);
    void detach();

    std::string m_path;  // the file
    std::string m_shown; // the file, and the table when it is not the file's own
    bool m_keptWith;     // kept in another table's file
    std::string m_rows, m_meta, m_fields; // its SQLite tables (fileTableParts), quoted
    std::string m_file; // the file's full path, to know a joined table kept in the same file
    const Layout& m_layout;
    bool m_readOnly;
    sqlite3* m_db = nullptr;
    Statements m_st;
    int m_key = -1;
    bool m_inTransaction = false;
    std::vector<std::string> m_attached; // the joined tables' rows, named with their schema
    // Every file attached so far, by path: a file once attached stays so until the table
    // closes, sparing each later transaction the opening of it.
    std::map<std::string, std::string> m_schemas;
};

void SqliteSource::exec(const char* sql, const char* doing) {
    char* err = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : sqlite3_errmsg(m_db);
        sqlite3_free(err);
        fail(std::string(doing) + ": " + msg);
    }
}

void SqliteSource::open() {
    std::error_code ec;
    if (!fs::exists(m_path, ec)) fail("the table file is missing");
    if (!fs::is_regular_file(m_path, ec)) fail("this is not a table file");
    m_file = fs::weakly_canonical(m_path, ec).string();
    if (ec) m_file = m_path;

    // Look at the header ourselves first: SQLite would happily treat an empty file as a
    // new database, and a truncated one only fails when the missing pages are read.
    {
        std::ifstream in(m_path, std::ios::binary);
        unsigned char h[100] = {};
        in.read(reinterpret_cast<char*>(h), sizeof h);
        if (in.gcount() < 100 || std::string_view(reinterpret_cast<char*>(h), 16) !=
                                     std::string_view("SQLite format 3\0", 16))
            failDamaged("this is not a table file");
        std::uint64_t pageSize = (h[16] << 8) | h[17];
        if (pageSize == 1) pageSize = 65536;
        std::uint64_t pages = (std::uint64_t(h[28]) << 24) | (h[29] << 16) | (h[30] << 8) | h[31];
        // After a crash the journal or log beside the file may still be rolled back or in.
        bool hasLog = fs::exists(m_path + "-wal", ec) || fs::exists(m_path + "-journal", ec);
        if (!hasLog && pages > 0 && pageSize * pages > fs::file_size(m_path, ec))
            failDamaged("the table file is truncated");
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
        validate();
        if (!m_readOnly) {
            // Each post is one transaction, synced to disk before it counts as stored. The
            // rollback journal (rather than a write-ahead log) lets one transaction span
            // several table files atomically, and leaves no file beside a closed table.
            exec("PRAGMA journal_mode=DELETE", "cannot open the table for writing");
            exec("PRAGMA synchronous=FULL", "cannot open the table for writing");
        }
        setOrder(-1);
    } catch (...) {
        finalize();
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

void SqliteSource::validate() {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(m_db, ("SELECT value FROM " + m_meta + " WHERE key = 'kind'").c_str(),
                           -1, &st, nullptr) != SQLITE_OK) {
        int code = sqlite3_errcode(m_db) & 0xff;
        std::string msg = sqlite3_errmsg(m_db);
        sqlite3_finalize(st);
        if (code == SQLITE_NOTADB) failDamaged("this is not a table file");
        if (code == SQLITE_CORRUPT) failDamaged("the table file is damaged: " + msg);
        if (code == SQLITE_ERROR && m_keptWith)
            failDamaged("there is no such table in the file (" + msg + ")");
        failReading(code, "this is not a table file (" + msg + ")");
    }
    std::string kind;
    int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW && sqlite3_column_text(st, 0))
        kind = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        failReading(rc & 0xff, "the table file is damaged: " + std::string(sqlite3_errmsg(m_db)));
    if (kind.empty()) failDamaged("this is not a table file (it names no layout)");
    if (kind != m_layout.kindName)
        failDamaged("the " + std::string(m_keptWith ? "table" : "file") + " holds the " + kind +
                    " table, not the " + m_layout.kindName + " table");

    if (sqlite3_prepare_v2(
            m_db, ("SELECT pos, name, width, numeric FROM " + m_fields + " ORDER BY pos").c_str(),
            -1, &st, nullptr) != SQLITE_OK) {
        const int code = sqlite3_errcode(m_db) & 0xff;
        std::string msg = sqlite3_errmsg(m_db);
        sqlite3_finalize(st);
        failReading(code, "the table file is damaged: " + msg);
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
        failReading(rc & 0xff, "the table file is damaged: " + msg);
    }
    sqlite3_finalize(st);
    if (!same || n != m_layout.fields.size())
        failDamaged("the fields of the file do not match the " + m_layout.kindName + " table");
}

sqlite3_stmt* SqliteSource::prepare(const std::string& sql, bool persistent) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v3(m_db, sql.c_str(), -1, persistent ? SQLITE_PREPARE_PERSISTENT : 0, &st,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        failSql("the table file is damaged");
    }
    return st;
}

void SqliteSource::finalize() {
    for (sqlite3_stmt* st : {m_st.first, m_st.after, m_st.last, m_st.byRid, m_st.insert,
                             m_st.update, m_st.remove})
        sqlite3_finalize(st);
    m_st = Statements{};
}

void SqliteSource::setOrder(int key) {
    finalize();
    m_key = key;
    auto& s = m_st;
    const int n = fieldCount();
    s.columns = "rid";
    for (int i = 0; i < n; ++i)
        s.columns += ", " + columnName(i);
    const std::string k = key >= 0 ? columnName(key) : "";
    s.order = key >= 0 ? k + ", rid" : "rid";
    const std::string desc = key >= 0 ? k + " DESC, rid DESC" : "rid DESC";
    const std::string after = key >= 0 ? "(" + k + ", rid) > (?1, ?2)" : "rid > ?2";

    s.first =
        prepare("SELECT " + s.columns + " FROM " + m_rows + " ORDER BY " + s.order + " LIMIT ?3");
    s.after = prepare("SELECT " + s.columns + " FROM " + m_rows + " WHERE " + after + " ORDER BY " +
                      s.order + " LIMIT ?3");
    s.last = prepare("SELECT " + s.columns + " FROM " + m_rows + " ORDER BY " + desc + " LIMIT 1");
    s.byRid = prepare("SELECT " + s.columns + " FROM " + m_rows + " WHERE rid = ?1");
    if (!m_readOnly) {
        std::string names, params, sets;
        for (int i = 0; i < n; ++i) {
            names += (i ? ", " : "") + columnName(i);
            params += (i ? ", ?" : "?") + std::to_string(i + 1);
            sets += (i ? ", " : "") + columnName(i) + " = ?" + std::to_string(i + 1);
        }
        s.insert = prepare("INSERT INTO " + m_rows + " (" + names + ") VALUES (" + params + ")");
        s.update =
            prepare("UPDATE " + m_rows + " SET " + sets + " WHERE rid = ?" + std::to_string(n + 1));
        s.remove = prepare("DELETE FROM " + m_rows + " WHERE rid = ?1");
    }
}

void SqliteSource::readRow(sqlite3_stmt* st, Row& row) const {
    const int n = fieldCount();
    row.rid = sqlite3_column_int64(st, 0);
    row.data.clear();
    row.ends.resize(n);
    for (int i = 0; i < n; ++i) {
        appendColumn(st, i + 1, m_layout.fields[i].numeric, row.data);
        row.ends[i] = static_cast<std::uint32_t>(row.data.size());
    }
}

int SqliteSource::step(sqlite3_stmt* st, std::vector<Row>& into, int limit) {
    int got = 0;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (got == int(into.size())) into.emplace_back();
        readRow(st, into[got]);
        if (++got == limit) break;
    }
    const bool bad = rc != SQLITE_ROW && rc != SQLITE_DONE;
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    if (bad) failSql("cannot read the table");
    return got;
}

bool SqliteSource::single(sqlite3_stmt* st, Row& into) {
    std::vector<Row> one(1);
    std::swap(one[0], into);
    const int got = step(st, one, 1);
    std::swap(one[0], into);
    return got > 0;
}

int SqliteSource::fetch(const Row* after, std::vector<Row>& into, int limit) {
    sqlite3_stmt* st = after ? m_st.after : m_st.first;
    if (after) {
        if (m_key >= 0) {
            std::string_view key = after->field(m_key);
            if (m_layout.fields[m_key].numeric)
                bindNumber(st, 1, parseDecimal(key).value_or(0));
            else
                sqlite3_bind_text(st, 1, key.data(), int(key.size()), SQLITE_TRANSIENT);
        }
        sqlite3_bind_int64(st, 2, after->rid);
    }
    sqlite3_bind_int(st, 3, limit);
    return step(st, into, limit);
}

bool SqliteSource::locate(const std::vector<Match>& equals, Row& into) {
    std::string where;
    for (size_t i = 0; i < equals.size(); ++i) {
        std::string col = columnName(equals[i].pos);
        if (equals[i].trimmed) col = "trim(" + col + ", ' ')";
        where += (i ? " AND " : "") + col + " = ?" + std::to_string(i + 1);
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> st(
        prepare("SELECT " + m_st.columns + " FROM " + m_rows +
                    (where.empty() ? "" : " WHERE " + where) + " ORDER BY " + m_st.order +
                    " LIMIT 1",
                false),
        sqlite3_finalize);
    for (size_t i = 0; i < equals.size(); ++i) {
        const Match& m = equals[i];
        if (m_layout.fields[m.pos].numeric) {
            const auto d = parseDecimal(m.value);
            if (!d) return false;
            sqlite3_bind_double(st.get(), int(i + 1), *d);
        } else {
            sqlite3_bind_text(st.get(), int(i + 1), m.value.data(), int(m.value.size()),
                              SQLITE_TRANSIENT);
        }
    }
    return single(st.get(), into);
}

int SqliteSource::count() {
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> st(
        prepare("SELECT count(*) FROM " + m_rows, false), sqlite3_finalize);
    if (sqlite3_step(st.get()) != SQLITE_ROW) failSql("cannot count the rows");
    return sqlite3_column_int(st.get(), 0);
}

std::vector<std::int64_t> SqliteSource::rowIds() {
    std::vector<std::int64_t> ids;
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> st(
        prepare("SELECT rid FROM " + m_rows + " ORDER BY " + m_st.order, false), sqlite3_finalize);
    int rc;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW)
        ids.push_back(sqlite3_column_int64(st.get(), 0));
    if (rc != SQLITE_DONE) failSql("cannot read the table");
    return ids;
}

void SqliteSource::scan(const std::vector<int>& fields, const RowVisitor& visit) {
    std::string columns = "rid";
    for (int f : fields)
        columns += ", " + columnName(f);
    // The statement is finalized however the visitor leaves.
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(
        prepare("SELECT " + columns + " FROM " + m_rows + " ORDER BY " + m_st.order, false),
        sqlite3_finalize);
    sqlite3_stmt* st = guard.get();
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

std::int64_t SqliteSource::insert(const std::vector<std::string>& fields) {
    sqlite3_stmt* st = m_st.insert;
    for (int i = 0; i < fieldCount(); ++i) {
        const std::string& v = fields[i];
        if (m_layout.fields[i].numeric)
            bindNumber(st, i + 1, parseDecimal(v).value_or(0));
        else
            sqlite3_bind_text(st, i + 1, v.data(), int(v.size()), SQLITE_STATIC);
    }
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    if (rc != SQLITE_DONE) failSql("cannot store the row");
    return sqlite3_last_insert_rowid(m_db);
}

bool SqliteSource::update(std::int64_t rid, const std::vector<std::string>& fields) {
    sqlite3_stmt* st = m_st.update;
    const int n = fieldCount();
    for (int i = 0; i < n; ++i) {
        const std::string& v = fields[i];
        if (m_layout.fields[i].numeric)
            bindNumber(st, i + 1, parseDecimal(v).value_or(0));
        else
            sqlite3_bind_text(st, i + 1, v.data(), int(v.size()), SQLITE_STATIC);
    }
    sqlite3_bind_int64(st, n + 1, rid);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    if (rc != SQLITE_DONE) failSql("cannot store the row");
    return sqlite3_changes(m_db) > 0;
}

void SqliteSource::remove(std::int64_t rid) {
    sqlite3_bind_int64(m_st.remove, 1, rid);
    const int rc = sqlite3_step(m_st.remove);
    sqlite3_reset(m_st.remove);
    if (rc != SQLITE_DONE) failSql("cannot delete the row");
}

void SqliteSource::detach() {
    for (const auto& [path, name] : m_schemas)
        sqlite3_exec(m_db, ("DETACH DATABASE " + name).c_str(), nullptr, nullptr, nullptr);
    m_schemas.clear();
    m_attached.clear();
}

void SqliteSource::join(const std::vector<Source*>& others) {
    m_attached.clear();
    for (Source* other : others) {
        auto* file = dynamic_cast<SqliteSource*>(other);
        if (!file) fail("cannot reach the other table: it is not a table file");
        if (file->m_file == m_file) { // kept in this table's file: stored by the same commit
            m_attached.push_back("main." + file->m_rows);
            continue;
        }
        auto known = m_schemas.find(file->m_path);
        if (known == m_schemas.end()) {
            const std::string name = "other" + std::to_string(m_schemas.size() + 1);
            std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> st(
                prepare("ATTACH DATABASE ?1 AS " + name, false), sqlite3_finalize);
            sqlite3_bind_text(st.get(), 1, file->m_path.c_str(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(st.get()) != SQLITE_DONE) {
                const std::string why = sqlite3_errmsg(m_db);
                m_attached.clear();
                fail("cannot reach the other table: " + why);
            }
            // Synced as the table itself is: a transaction over both is whole after a power cut.
            sqlite3_exec(m_db, ("PRAGMA " + name + ".synchronous=FULL").c_str(), nullptr, nullptr,
                         nullptr);
            known = m_schemas.emplace(file->m_path, name).first;
        }
        m_attached.push_back(known->second + "." + file->m_rows);
    }
}

int SqliteSource::updateJoined(size_t which, const std::vector<std::pair<int, std::string>>& where,
                               const std::vector<std::pair<int, std::string>>& set) {
    std::string sql = "UPDATE " + m_attached.at(which) + " SET ";
    for (size_t i = 0; i < set.size(); ++i)
        sql += (i ? ", " : "") + columnName(set[i].first) + " = ?" + std::to_string(i + 1);
    for (size_t i = 0; i < where.size(); ++i)
        sql += (i ? " AND " : " WHERE ") + columnName(where[i].first) + " = ?" +
               std::to_string(set.size() + i + 1);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> st(prepare(sql, false),
                                                             sqlite3_finalize);
    int n = 1;
    for (const auto& list : {&set, &where})
        for (const auto& [pos, value] : *list)
            sqlite3_bind_text(st.get(), n++, value.c_str(), int(value.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(st.get()) != SQLITE_DONE) failSql("cannot change the other table");
    return sqlite3_changes(m_db);
}

std::int64_t SqliteSource::insertJoined(size_t which, const Layout& layout,
                                        const std::vector<std::string>& fields) {
    std::string names, params;
    for (size_t i = 0; i < layout.fields.size(); ++i) {
        names += (i ? ", " : "") + columnName(int(i));
        params += (i ? ", ?" : "?") + std::to_string(i + 1);
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> st(
        prepare("INSERT INTO " + m_attached.at(which) + " (" + names + ") VALUES (" + params + ")",
                false),
        sqlite3_finalize);
    for (size_t i = 0; i < layout.fields.size(); ++i) {
        if (layout.fields[i].numeric)
            bindNumber(st.get(), int(i + 1), parseDecimal(fields[i]).value_or(0));
        else
            sqlite3_bind_text(st.get(), int(i + 1), fields[i].data(), int(fields[i].size()),
                              SQLITE_TRANSIENT);
    }
    if (sqlite3_step(st.get()) != SQLITE_DONE) failSql("cannot store in the other table");
    return sqlite3_last_insert_rowid(m_db);
}

void SqliteSource::deleteJoined(size_t which, std::int64_t rid) {
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> st(
        prepare("DELETE FROM " + m_attached.at(which) + (rid ? " WHERE rid = ?1" : ""), false),
        sqlite3_finalize);
    if (rid) sqlite3_bind_int64(st.get(), 1, rid);
    if (sqlite3_step(st.get()) != SQLITE_DONE) failSql("cannot delete from the other table");
}
} // namespace

std::optional<Kind> fileKind(const std::string& path) {
    const FileTable place = fileTable(path);
    const std::string meta = sqlName(fileTableParts(place.table).meta);
    sqlite3* db = nullptr;
    std::optional<Kind> kind;
    if (sqlite3_open_v2(place.file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, ("SELECT value FROM " + meta + " WHERE key = 'kind'").c_str(),
                               -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW) {
            const char* name = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
            if (const Layout* l = name ? layoutByName(name) : nullptr) kind = l->kind;
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return kind;
}

FileTableParts fileTableParts(const std::string& name) {
    if (name.empty()) return {"rows", "meta", "layout"};
    return {name, name + "_meta", name + "_layout"};
}

std::string sqlName(const std::string& name) {
    std::string q = "\"";
    for (char c : name)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

std::unique_ptr<Source> openTableFile(const std::string& path, const Layout& layout,
                                      bool readOnly) {
    return std::make_unique<SqliteSource>(fileTable(path), layout, readOnly);
}

} // namespace store
