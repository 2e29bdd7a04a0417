#include "store/server_source.h"

#include "store/errors.h"
#include "store/text.h"

#include <libpq-fe.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <exception>
#include <map>
#include <mutex>

namespace store {

namespace {
using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

std::string quoteIdent(const std::string& name) {
    std::string q = "\"";
    for (char c : name)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

std::string quoteLiteral(const std::string& text) {
    std::string q = "'";
    for (char c : text)
        q += c == '\'' ? std::string("''") : std::string(1, c);
    return q + "'";
}

std::string columnName(int pos) {
    return "f" + std::to_string(pos);
}

// The server's words without its "ERROR:" and the lines of detail.
std::string firstLine(const char* message) {
    std::string m = message ? message : "";
    for (const char* prefix : {"ERROR:  ", "FATAL:  "})
        if (m.rfind(prefix, 0) == 0) m.erase(0, std::char_traits<char>::length(prefix));
    const size_t nl = m.find('\n');
    if (nl != std::string::npos) m.erase(nl);
    return m.empty() ? "no answer from the server" : m;
}

// What marks a table as the shop's, with its layout: kept as the table's comment, so that it
// goes wherever the table is renamed to.
std::string signature(const Layout& layout) {
    std::string s = "marlow-pos " + layout.kindName + " table:";
    for (const auto& f : layout.fields)
        s += " " + f.name + "/" + std::to_string(f.width) + (f.numeric ? "#" : "");
    return s;
}

const char* const kShopTables[] = {"customer", "product", "sale", "security", "blank"};

// A raw connection to `uri`, with our defaults beneath whatever the URI says; `database`
// overrides the database named there.
PGconn* connectTo(const std::string& uri, const char* database = nullptr) {
    std::vector<const char*> keys = {"connect_timeout", "keepalives_idle", "keepalives_interval",
                                     "keepalives_count", "application_name", "client_encoding",
                                     "dbname"};
    std::vector<const char*> values = {"10", "30", "10", "3", "marlow-pos", "UTF8", uri.c_str()};
    if (database) {
        keys.push_back("dbname");
        values.push_back(database);
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    PGconn* c = PQconnectdbParams(keys.data(), values.data(), 1);
    if (c && PQstatus(c) == CONNECTION_OK) {
        PQsetNoticeProcessor(c, [](void*, const char*) {}, nullptr);
        // A register that hangs half-way through a change must not hold the others for ever.
        PGresult* r = PQexec(c, "SET lock_timeout = '15s'; "
                                "SET idle_in_transaction_session_timeout = '60s'");
        PQclear(r);
    }
    return c;
}

// One connection to a shop's database, shared by every table of it in this program.
class Connection {
public:
    static std::shared_ptr<Connection> get(const std::string& uri) {
        static std::mutex mutex;
        static std::map<std::string, std::weak_ptr<Connection>> open;
        std::lock_guard<std::mutex> lock(mutex);
        // A connection is never shared with a forked child: both would talk on one socket.
        if (auto c = open[uri].lock(); c && c->m_pid == getpid()) return c;
        auto c = std::make_shared<Connection>(uri);
        open[uri] = c;
        return c;
    }
    explicit Connection(std::string uri) : m_uri(std::move(uri)) {}
    ~Connection() {
        if (m_conn && m_pid == getpid()) PQfinish(m_conn);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Connected, connecting anew when the connection was lost outside a transaction.
    PGconn* ready(const std::string& shown) {
        if (m_conn && PQstatus(m_conn) == CONNECTION_OK) return m_conn;
        if (depth > 0) lost(shown, "");
        if (m_conn) PQfinish(m_conn);
        m_conn = connectTo(m_uri);
        if (!m_conn || PQstatus(m_conn) != CONNECTION_OK) {
            const std::string why = firstLine(m_conn ? PQerrorMessage(m_conn) : nullptr);
            if (m_conn) PQfinish(m_conn);
            m_conn = nullptr;
            throw EngineError(shown + ": the shop database cannot be reached (" + why + ")");
        }
        return m_conn;
    }
    bool broken() const { return m_conn && PQstatus(m_conn) != CONNECTION_OK; }

    [[noreturn]] void lost(const std::string& shown, const std::string& why) {
        throw EngineError(shown + ": the connection to the shop database was lost" +
                          (why.empty() ? "" : " (" + why + ")") +
                          "; what was being stored was not stored");
    }

    // Runs one statement (or, without parameters, several). One that may safely run twice
    // (a read, or the start of a transaction) and finds the connection lost outside a
    // transaction is tried once more on a new one: a connection the network dropped while the
    // register stood idle costs the clerk nothing.
    Result exec(const std::string& shown, const char* doing, const std::string& sql,
                const std::vector<std::string>& params = {}, bool retriable = false) {
        for (int attempt = 0;; ++attempt) {
            PGconn* c = ready(shown);
            std::vector<const char*> values;
            for (const auto& p : params)
                values.push_back(p.c_str());
            Result r(params.empty() ? PQexec(c, sql.c_str())
                                    : PQexecParams(c, sql.c_str(), int(values.size()), nullptr,
                                                   values.data(), nullptr, nullptr, 0),
                     PQclear);
            const ExecStatusType st = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
            if (st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK) return r;
            const std::string why = firstLine(r ? PQresultErrorMessage(r.get()) : PQerrorMessage(c));
            if (PQstatus(c) != CONNECTION_OK) {
                if (retriable && depth == 0 && attempt == 0) continue;
                lost(shown, why);
            }
            throw EngineError(shown + ": " + doing + ": " + why);
        }
    }

    int depth = 0; // transactions begun and not ended (savepoints inside the first)

private:
    std::string m_uri;
    PGconn* m_conn = nullptr;
    pid_t m_pid = getpid();
};

class ServerSource final : public Source {
public:
    ServerSource(const ServerTable& place, std::string shown, const Layout& layout, bool readOnly)
        : m_conn(Connection::get(place.connection)), m_name(place.table),
          m_table(quoteIdent(place.table)), m_shown(std::move(shown)), m_layout(layout),
          m_readOnly(readOnly) {
        validate();
        setOrder(-1);
    }
    ~ServerSource() override {
        while (m_begun > 0)
            rollback();
    }

    void setOrder(int key) override {
        m_key = key;
        m_columns = "rid";
        for (int i = 0; i < fieldCount(); ++i)
            m_columns += ", " + columnName(i);
        const std::string k = key >= 0 ? columnName(key) : "";
        m_order = key >= 0 ? k + ", rid" : "rid";
        m_desc = key >= 0 ? k + " DESC, rid DESC" : "rid DESC";
    }

    int fetch(const Row* after, std::vector<Row>& into, int limit) override {
        std::string sql = "SELECT " + m_columns + " FROM " + m_table;
        std::vector<std::string> params;
        if (after) {
            if (m_key >= 0) {
                const bool numeric = m_layout.fields[m_key].numeric;
                sql += " WHERE (" + columnName(m_key) + ", rid) > ($1::" +
                       (numeric ? "float8" : "text") + ", $2::bigint)";
                std::string key(after->field(m_key));
                if (numeric) key = numberFieldText(parseDecimal(key).value_or(0));
                params = {key, std::to_string(after->rid)};
            } else {
                sql += " WHERE rid > $1::bigint";
                params = {std::to_string(after->rid)};
            }
        }
        sql += " ORDER BY " + m_order + " LIMIT " + std::to_string(limit);
        return readRows(read(sql, params), into);
    }
    bool fetchLast(Row& into) override {
        return one(read("SELECT " + m_columns + " FROM " + m_table + " ORDER BY " + m_desc +
                        " LIMIT 1"),
                   into);
    }
    bool fetchRid(std::int64_t rid, Row& into) override {
        return one(read("SELECT " + m_columns + " FROM " + m_table + " WHERE rid = $1::bigint",
                        {std::to_string(rid)}),
                   into);
    }
    bool locate(const std::vector<Match>& equals, Row& into) override {
        std::string where;
        std::vector<std::string> params;
        for (const Match& m : equals) {
            const bool numeric = m_layout.fields[m.pos].numeric;
            std::string col = columnName(m.pos);
            if (m.trimmed) col = "btrim(" + col + ", ' ')";
            if (numeric) {
                const auto d = parseDecimal(m.value);
                if (!d) return false;
                params.push_back(numberFieldText(*d));
            } else {
                params.push_back(m.value);
            }
            where += std::string(where.empty() ? " WHERE " : " AND ") + col + " = $" +
                     std::to_string(params.size()) + (numeric ? "::float8" : "::text");
        }
        bool onKey = false;
        for (const Match& m : equals)
            onKey |= m.pos == m_key && !m.trimmed;
        // Matched on the order's own field, the first match in order is the first entry of its
        // index. Otherwise the matches are found first (by a barcode's or a name's index) and
        // only they are put in order: left to choose, the planner may walk the whole order
        // hoping for an early match, which on a freshly filled table it cannot judge.
        const std::string select = "SELECT " + m_columns + " FROM " + m_table + where;
        return one(read(onKey ? select + " ORDER BY " + m_order + " LIMIT 1"
                              : "WITH m AS MATERIALIZED (" + select + ") SELECT * FROM m ORDER BY " +
                                    m_order + " LIMIT 1",
                        params),
                   into);
    }
    int count() override {
        Result r = read("SELECT count(*) FROM " + m_table);
        return std::atoi(PQgetvalue(r.get(), 0, 0));
    }
    std::vector<std::int64_t> rowIds() override {
        Result r = read("SELECT rid FROM " + m_table + " ORDER BY " + m_order);
        std::vector<std::int64_t> ids(size_t(PQntuples(r.get())));
        for (size_t i = 0; i < ids.size(); ++i)
            ids[i] = std::atoll(PQgetvalue(r.get(), int(i), 0));
        return ids;
    }
    void scan(const std::vector<int>& fields, const RowVisitor& visit) override;

    std::int64_t insert(const std::vector<std::string>& fields) override {
        std::string names, values;
        for (int i = 0; i < fieldCount(); ++i) {
            names += (i ? ", " : "") + columnName(i);
            values += (i ? ", $" : "$") + std::to_string(i + 1);
        }
        Result r = m_conn->exec(m_shown, "cannot store the row",
                                "INSERT INTO " + m_table + " (" + names + ") VALUES (" + values +
                                    ") RETURNING rid",
                                paramsOf(fields));
        return std::atoll(PQgetvalue(r.get(), 0, 0));
    }
    bool update(std::int64_t rid, const std::vector<std::string>& fields) override {
        std::string sets;
        for (int i = 0; i < fieldCount(); ++i)
            sets += (i ? ", " : "") + columnName(i) + " = $" + std::to_string(i + 1);
        std::vector<std::string> params = paramsOf(fields);
        params.push_back(std::to_string(rid));
        Result r = m_conn->exec(m_shown, "cannot store the row",
                                "UPDATE " + m_table + " SET " + sets + " WHERE rid = $" +
                                    std::to_string(params.size()) + "::bigint",
                                params);
        return std::atoi(PQcmdTuples(r.get())) > 0;
    }
    void remove(std::int64_t rid) override {
        m_conn->exec(m_shown, "cannot delete the row",
                     "DELETE FROM " + m_table + " WHERE rid = $1::bigint", {std::to_string(rid)});
    }

    void begin() override {
        const int depth = m_conn->depth;
        m_conn->exec(m_shown, "cannot start a transaction",
                     depth == 0 ? "BEGIN" : "SAVEPOINT s" + std::to_string(depth), {}, true);
        ++m_conn->depth;
        ++m_begun;
        if (m_readOnly) return;
        // As one register writing a table file holds the others back: what the transaction
        // reads (the last invoice number, a product's stock) stays true until it is stored.
        // Readers are not held.
        try {
            m_conn->exec(m_shown, "cannot start a transaction",
                         "LOCK TABLE " + lockList() + " IN SHARE ROW EXCLUSIVE MODE");
        } catch (...) {
            rollback();
            throw;
        }
    }
    void commit() override {
        const int depth = m_conn->depth;
        m_conn->exec(m_shown, "cannot store the changes",
                     depth == 1 ? "COMMIT" : "RELEASE SAVEPOINT s" + std::to_string(depth - 1));
        --m_conn->depth;
        --m_begun;
    }
    void rollback() override {
        if (m_begun == 0) return;
        --m_begun;
        const int depth = m_conn->depth--;
        if (m_conn->broken()) return; // the server dropped the transaction with the connection
        try {
            m_conn->exec(m_shown, "cannot undo the changes",
                         depth == 1 ? "ROLLBACK"
                                    : "ROLLBACK TO SAVEPOINT s" + std::to_string(depth - 1) +
                                          "; RELEASE SAVEPOINT s" + std::to_string(depth - 1));
        } catch (const std::exception&) {
            // Undone all the same: a transaction that cannot end is ended by the server.
        }
    }

    void join(const std::vector<Source*>& others) override {
        m_joined.clear();
        for (Source* other : others) {
            auto* table = dynamic_cast<ServerSource*>(other);
            if (!table || table->m_conn != m_conn) {
                m_joined.clear();
                throw EngineError(m_shown +
                                  ": cannot reach the other table: it is not in the same database");
            }
            m_joined.push_back(table->m_table);
        }
    }
    std::int64_t insertJoined(size_t which, const Layout& layout,
                              const std::vector<std::string>& fields) override {
        std::string names, values;
        std::vector<std::string> params(fields);
        for (size_t i = 0; i < layout.fields.size(); ++i) {
            names += (i ? ", " : "") + columnName(int(i));
            values += (i ? ", $" : "$") + std::to_string(i + 1);
            if (layout.fields[i].numeric)
                params[i] = numberFieldText(parseDecimal(fields[i]).value_or(0));
        }
        Result r = m_conn->exec(m_shown, "cannot store in the other table",
                                "INSERT INTO " + m_joined.at(which) + " (" + names + ") VALUES (" +
                                    values + ") RETURNING rid",
                                params);
        return std::atoll(PQgetvalue(r.get(), 0, 0));
    }
    void deleteJoined(size_t which, std::int64_t rid) override {
        if (rid)
            m_conn->exec(m_shown, "cannot delete from the other table",
                         "DELETE FROM " + m_joined.at(which) + " WHERE rid = $1::bigint",
                         {std::to_string(rid)});
        else
            m_conn->exec(m_shown, "cannot delete from the other table",
                         "DELETE FROM " + m_joined.at(which));
    }
    int updateJoined(size_t which, const std::vector<std::pair<int, std::string>>& where,
                     const std::vector<std::pair<int, std::string>>& set) override {
        std::string sql = "UPDATE " + m_joined.at(which) + " SET ";
        std::vector<std::string> params;
        for (size_t i = 0; i < set.size(); ++i) {
            params.push_back(set[i].second);
            sql += (i ? ", " : "") + columnName(set[i].first) + " = $" +
                   std::to_string(params.size());
        }
        for (size_t i = 0; i < where.size(); ++i) {
            params.push_back(where[i].second);
            sql += (i ? " AND " : " WHERE ") + columnName(where[i].first) + " = $" +
                   std::to_string(params.size());
        }
        Result r = m_conn->exec(m_shown, "cannot change the other table", sql, params);
        return std::atoi(PQcmdTuples(r.get()));
    }

private:
    int fieldCount() const { return int(m_layout.fields.size()); }

    std::string lockList() const {
        std::string list = m_table;
        for (const std::string& t : m_joined)
            list += ", " + t;
        return list;
    }

    Result read(const std::string& sql, const std::vector<std::string>& params = {}) {
        return m_conn->exec(m_shown, "cannot read the table", sql, params, true);
    }

    std::vector<std::string> paramsOf(const std::vector<std::string>& fields) const {
        std::vector<std::string> params(fields);
        for (int i = 0; i < fieldCount(); ++i)
            if (m_layout.fields[i].numeric)
                params[i] = numberFieldText(parseDecimal(fields[i]).value_or(0));
        return params;
    }

    void readRow(const PGresult* r, int i, Row& row) const {
        const int n = fieldCount();
        row.rid = std::atoll(PQgetvalue(r, i, 0));
        row.data.clear();
        row.ends.resize(n);
        for (int f = 0; f < n; ++f) {
            const char* v = PQgetvalue(r, i, f + 1);
            if (m_layout.fields[f].numeric)
                row.data += numberFieldText(std::strtod(v, nullptr));
            else
                row.data.append(v, size_t(PQgetlength(r, i, f + 1)));
            row.ends[f] = static_cast<std::uint32_t>(row.data.size());
        }
    }
    int readRows(const Result& r, std::vector<Row>& into) const {
        const int n = PQntuples(r.get());
        if (int(into.size()) < n) into.resize(size_t(n));
        for (int i = 0; i < n; ++i)
            readRow(r.get(), i, into[size_t(i)]);
        return n;
    }
    bool one(const Result& r, Row& into) const {
        if (PQntuples(r.get()) == 0) return false;
        readRow(r.get(), 0, into);
        return true;
    }

    void validate() {
        Result r = read("SELECT obj_description(c.oid, 'pg_class') FROM pg_class c "
                        "WHERE c.oid = to_regclass($1)",
                        {m_table});
        if (PQntuples(r.get()) == 0) throw EngineError(m_shown + ": the table is missing");
        const std::string comment = PQgetvalue(r.get(), 0, 0);
        if (comment == signature(m_layout)) return;
        for (Kind k : kAllKinds)
            if (comment == signature(layoutOf(k)))
                throw DamagedTable(m_shown + ": the table holds the " + layoutOf(k).kindName +
                                   " table, not the " + m_layout.kindName + " table");
        if (comment.rfind("marlow-pos " + m_layout.kindName + " table:", 0) == 0)
            throw DamagedTable(m_shown + ": the fields of the table do not match the " +
                               m_layout.kindName + " table");
        throw DamagedTable(m_shown + ": this is not a table of the shop");
    }

    std::shared_ptr<Connection> m_conn;
    std::string m_name;
    std::string m_table; // quoted
    std::string m_shown;
    const Layout& m_layout;
    bool m_readOnly;
    int m_key = -1;
    std::string m_columns, m_order, m_desc;
    std::vector<std::string> m_joined; // quoted names of the tables the transaction also covers
    int m_begun = 0;      // transactions this table began and has not ended
};

void ServerSource::scan(const std::vector<int>& fields, const RowVisitor& visit) {
    std::string columns = "rid";
    for (int f : fields)
        columns += ", " + columnName(f);
    const std::string sql = "SELECT " + columns + " FROM " + m_table + " ORDER BY " + m_order;
    PGconn* c = m_conn->ready(m_shown);
    // Row by row, so that a scan of a hundred thousand sales never holds them all at once.
    if (!PQsendQuery(c, sql.c_str()) || !PQsetSingleRowMode(c)) {
        const std::string why = firstLine(PQerrorMessage(c));
        while (PGresult* r = PQgetResult(c))
            PQclear(r);
        throw EngineError(m_shown + ": cannot read the table: " + why);
    }
    std::exception_ptr stopped;
    std::string failure;
    std::vector<std::string> texts(fields.size());
    std::vector<std::string_view> views(fields.size());
    while (PGresult* raw = PQgetResult(c)) {
        Result r(raw, PQclear);
        const ExecStatusType st = PQresultStatus(raw);
        if (st == PGRES_SINGLE_TUPLE && !stopped && failure.empty()) {
            for (size_t k = 0; k < fields.size(); ++k) {
                const int col = int(k) + 1;
                const char* v = PQgetvalue(raw, 0, col);
                if (m_layout.fields[size_t(fields[k])].numeric) {
                    texts[k] = numberFieldText(std::strtod(v, nullptr));
                    views[k] = texts[k];
                } else {
                    views[k] = trimRight(std::string_view(v, size_t(PQgetlength(raw, 0, col))));
                }
            }
            try {
                visit(std::atoll(PQgetvalue(raw, 0, 0)), views);
            } catch (...) {
                stopped = std::current_exception();
                // Outside a transaction the rest need not even be sent; inside one a cancel
                // would spoil the transaction, so the rest is read and dropped.
                if (m_conn->depth == 0)
                    if (PGcancel* cancel = PQgetCancel(c)) {
                        char buf[256];
                        PQcancel(cancel, buf, sizeof buf);
                        PQfreeCancel(cancel);
                    }
            }
        } else if (st != PGRES_SINGLE_TUPLE && st != PGRES_TUPLES_OK && failure.empty()) {
            failure = firstLine(PQresultErrorMessage(raw));
        }
    }
    if (stopped) std::rethrow_exception(stopped);
    if (PQstatus(c) != CONNECTION_OK) m_conn->lost(m_shown, failure);
    if (!failure.empty()) throw EngineError(m_shown + ": cannot read the table: " + failure);
}

std::string createTableSql(const std::string& name, const Layout& layout) {
    const std::string q = quoteIdent(name);
    // Row identities are never reused, so a row remembered by identity is never mistaken for
    // a row added after it was deleted. Texts compare byte by byte, as in a table file.
    std::string sql = "CREATE TABLE " + q + " (rid bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY";
    for (size_t i = 0; i < layout.fields.size(); ++i)
        sql += ", " + columnName(int(i)) +
               (layout.fields[i].numeric ? " double precision NOT NULL DEFAULT 0"
                                         : " text COLLATE \"C\" NOT NULL DEFAULT ''");
    sql += ");";
    for (const auto& ix : layout.indexes)
        sql += "CREATE INDEX ON " + q + " (" + columnName(ix.field) + ", rid);";
    for (int field : layout.lookupFields)
        sql += "CREATE INDEX ON " + q + " (" + columnName(field) + ");";
    sql += "COMMENT ON TABLE " + q + " IS " + quoteLiteral(signature(layout)) + ";";
    return sql;
}

// The first shop table the database holds already, or "".
std::string shopTableIn(Connection& c, const std::string& shown) {
    Result r = c.exec(shown, "cannot look at the database",
                      "SELECT c.relname FROM pg_class c WHERE c.relkind = 'r' "
                      "AND c.relnamespace = current_schema()::regnamespace "
                      "AND (c.relname IN ('customer', 'product', 'sale', 'security', 'blank') "
                      "OR obj_description(c.oid, 'pg_class') LIKE 'marlow-pos %') "
                      "ORDER BY c.relname LIMIT 1",
                      {}, true);
    return PQntuples(r.get()) ? PQgetvalue(r.get(), 0, 0) : "";
}

// The database the URI names, made on its server when there is none by that name yet.
void createDatabaseIfMissing(const std::string& uri, const std::string& shown) {
    PGconn* c = connectTo(uri);
    const bool ok = c && PQstatus(c) == CONNECTION_OK;
    const std::string why = ok ? "" : firstLine(c ? PQerrorMessage(c) : nullptr);
    PQfinish(c);
    if (ok) return;
    if (why.find("does not exist") == std::string::npos)
        throw EngineError(shown + ": the shop database cannot be reached (" + why + ")");

    std::string name;
    char* err = nullptr;
    if (PQconninfoOption* opts = PQconninfoParse(uri.c_str(), &err)) {
        for (PQconninfoOption* o = opts; o->keyword; ++o)
            if (std::string(o->keyword) == "dbname" && o->val) name = o->val;
        PQconninfoFree(opts);
    }
    PQfreemem(err);
    if (name.empty()) throw EngineError(shown + ": the connection names no database");
    PGconn* admin = connectTo(uri, "postgres");
    if (!admin || PQstatus(admin) != CONNECTION_OK) {
        const std::string adminWhy = firstLine(admin ? PQerrorMessage(admin) : nullptr);
        PQfinish(admin);
        throw EngineError(shown + ": cannot make the database (" + adminWhy + ")");
    }
    Result r(PQexec(admin, ("CREATE DATABASE " + quoteIdent(name) +
                            " TEMPLATE template0 ENCODING 'UTF8'")
                               .c_str()),
             PQclear);
    const bool made = r && PQresultStatus(r.get()) == PGRES_COMMAND_OK;
    const std::string madeWhy = made ? "" : firstLine(PQresultErrorMessage(r.get()));
    PQfinish(admin);
    if (!made) throw EngineError(shown + ": cannot make the database (" + madeWhy + ")");
}
} // namespace

std::unique_ptr<Source> openServerTable(const ServerTable& place, const std::string& shown,
                                        const Layout& layout, bool readOnly) {
    return std::make_unique<ServerSource>(place, shown, layout, readOnly);
}

std::optional<Kind> serverTableKind(const ServerTable& place) {
    auto conn = Connection::get(place.connection);
    Result r = conn->exec(shownConnection(place.connection), "cannot read the table",
                          "SELECT obj_description(c.oid, 'pg_class') FROM pg_class c "
                          "WHERE c.oid = to_regclass($1)",
                          {quoteIdent(place.table)}, true);
    if (PQntuples(r.get()) == 0) return std::nullopt;
    const std::string comment = PQgetvalue(r.get(), 0, 0);
    for (Kind k : kAllKinds)
        if (comment == signature(layoutOf(k))) return k;
    return std::nullopt;
}

void createServerShop(const std::string& uri) {
    const std::string shown = shownConnection(uri);
    createDatabaseIfMissing(uri, shown);
    auto conn = Connection::get(uri);
    const std::string there = shopTableIn(*conn, shown);
    if (!there.empty())
        throw EngineError(shown + ": the database holds a shop already (its table " + there + ")");
    // Several statements in one go are one transaction: all five tables or none.
    std::string sql;
    const Kind kinds[] = {Kind::Customer, Kind::Product, Kind::Sale, Kind::Security, Kind::Sale};
    for (size_t i = 0; i < 5; ++i)
        sql += createTableSql(kShopTables[i], layoutOf(kinds[i]));
    conn->exec(shown, "cannot make the shop's tables", sql);
}

void createServerTable(const ServerTable& place, Kind kind) {
    const std::string shown = shownConnection(place.connection) + " table " + place.table;
    createDatabaseIfMissing(place.connection, shown);
    auto conn = Connection::get(place.connection);
    Result there = conn->exec(shown, "cannot look at the database", "SELECT to_regclass($1)",
                              {quoteIdent(place.table)}, true);
    if (!PQgetisnull(there.get(), 0, 0)) throw EngineError(shown + ": the table exists already");
    // Several statements in one go are one transaction: the table is whole or absent.
    conn->exec(shown, "cannot make the table", createTableSql(place.table, layoutOf(kind)));
}

bool serverTableExists(const ServerTable& place) {
    auto conn = Connection::get(place.connection);
    Result there = conn->exec(shownConnection(place.connection), "cannot look at the database",
                              "SELECT to_regclass($1)", {quoteIdent(place.table)}, true);
    return !PQgetisnull(there.get(), 0, 0);
}

std::string setServerTableAside(const ServerTable& place, const std::string& base) {
    const std::string shown = shownConnection(place.connection) + " table " + place.table;
    auto conn = Connection::get(place.connection);
    for (int n = 1; n < 1000; ++n) {
        const std::string aside = n == 1 ? base : base + "_" + std::to_string(n);
        // A longer name would be cut short by the server: every try would come out the same.
        if (!plainTableName(aside)) break;
        if (serverTableExists({place.connection, aside})) continue;
        conn->exec(shown, "cannot set the table aside",
                   "ALTER TABLE " + quoteIdent(place.table) + " RENAME TO " + quoteIdent(aside));
        return aside;
    }
    throw EngineError(shown + ": there is no free name to set the table aside under");
}

bool serverShopPresent(const std::string& uri) {
    const std::string shown = shownConnection(uri);
    auto conn = Connection::get(uri);
    Result r = conn->exec(shown, "cannot look at the database",
                          "SELECT obj_description(to_regclass('security'), 'pg_class')", {}, true);
    return PQgetvalue(r.get(), 0, 0) == signature(layoutOf(Kind::Security));
}

std::vector<std::string> archivedYears(const std::string& uri) {
    auto conn = Connection::get(uri);
    Result r = conn->exec(shownConnection(uri), "cannot look at the database",
                          "SELECT c.relname FROM pg_class c WHERE c.relkind = 'r' "
                          "AND c.relnamespace = current_schema()::regnamespace "
                          "AND obj_description(c.oid, 'pg_class') = $1 "
                          "AND c.relname NOT IN ('sale', 'blank') ORDER BY c.relname",
                          {signature(layoutOf(Kind::Sale))}, true);
    std::vector<std::string> names;
    for (int i = 0; i < PQntuples(r.get()); ++i)
        names.push_back(PQgetvalue(r.get(), i, 0));
    return names;
}

bool validArchiveName(const std::string& name) {
    if (name.empty() || name.size() > 63) return false;
    if (!std::isalpha(static_cast<unsigned char>(name[0]))) return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
}

void closeServerYear(const std::string& uri, const std::string& archive) {
    const std::string shown = shownConnection(uri);
    if (!validArchiveName(archive))
        throw EngineError(shown + ": '" + archive + "' cannot name a year");
    auto conn = Connection::get(uri);
    if (conn->depth > 0) throw EngineError(shown + ": a transaction is already running");
    const Layout& sale = layoutOf(Kind::Sale);
    std::string columns;
    for (size_t i = 0; i < sale.fields.size(); ++i)
        columns += (i ? ", " : "") + columnName(int(i));
    const std::string target = quoteIdent(archive);
    conn->exec(shown, "cannot close the year", "BEGIN");
    conn->depth = 1;
    try {
        // No register reads or writes the year while it changes hands.
        conn->exec(shown, "cannot close the year", "LOCK TABLE sale, blank IN ACCESS EXCLUSIVE MODE");
        Result there = conn->exec(shown, "cannot close the year", "SELECT to_regclass($1)",
                                  {target});
        if (!PQgetisnull(there.get(), 0, 0))
            throw EngineError(shown + ": the year archive " + archive + " exists already");
        conn->exec(shown, "cannot close the year",
                   "ALTER TABLE sale RENAME TO " + target + ";" +
                       "CREATE TABLE sale (LIKE blank INCLUDING ALL);" +
                       "INSERT INTO sale (" + columns + ") SELECT " + columns +
                       " FROM blank ORDER BY rid;" + "COMMENT ON TABLE sale IS " +
                       quoteLiteral(signature(sale)) + ";");
        conn->exec(shown, "cannot close the year", "COMMIT");
        conn->depth = 0;
    } catch (...) {
        conn->depth = 0;
        if (!conn->broken()) PQclear(PQexec(conn->ready(shown), "ROLLBACK"));
        throw;
    }
}

} // namespace store
