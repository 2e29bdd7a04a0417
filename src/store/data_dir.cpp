#include "store/data_dir.h"

#include "store/errors.h"
#include "store/place.h"
#include "store/server_source.h"
#include "store/sqlite_source.h"
#include "store/table.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace store {
namespace fs = std::filesystem;

namespace {
// Runs `sql` on the table file `path` (made when `create`); the error names `shown`.
void execOnFile(const std::string& path, bool create, const std::string& sql,
                const std::string& shown, const char* doing) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db,
                             SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0), nullptr);
    char* err = nullptr;
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, 5000);
        rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err);
    }
    std::string msg = err ? err : (db ? sqlite3_errmsg(db) : "cannot open the file");
    sqlite3_free(err);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw EngineError(shown + ": " + doing + ": " + msg);
}

// The first column of what `sql` (?1 bound to `param`) gives on the file `path`; throws when
// the file cannot be read, so that a busy file is never taken for one without the table.
std::vector<std::string> namesFrom(const std::string& path, const char* sql,
                                   const std::string& param = {}) {
    std::vector<std::string> names;
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, 5000);
        rc = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    }
    if (rc == SQLITE_OK) {
        sqlite3_bind_text(st, 1, param.c_str(), -1, SQLITE_TRANSIENT);
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    const std::string msg = db ? sqlite3_errmsg(db) : "cannot open the file";
    sqlite3_finalize(st);
    sqlite3_close(db);
    if (rc != SQLITE_DONE) throw EngineError(path + ": cannot look into the file: " + msg);
    return names;
}

// Every SQLite table of the file `path`.
std::set<std::string> tablesOf(const std::string& path) {
    const auto names = namesFrom(path, "SELECT name FROM sqlite_master WHERE type = 'table'");
    return {names.begin(), names.end()};
}

// Whether any part of table `name` (kept in another's file) is among `tables`.
bool holdsAny(const std::set<std::string>& tables, const std::string& name) {
    for (const std::string& part : fileTableParts(name).all())
        if (tables.count(part)) return true;
    return false;
}
} // namespace

void createTableFile(const std::string& place, Kind kind) {
    const FileTable at = fileTable(place);
    const auto& [path, table] = at;
    const std::string shown = at.shown();
    std::error_code ec;
    // A table file is made whole or not at all; a table kept in another's file joins it.
    if (table.empty() && fs::exists(path, ec))
        throw EngineError(path + ": the file exists already");
    if (!table.empty() && !fs::is_regular_file(path, ec))
        throw EngineError(path + ": the table file is missing");
    if (!table.empty() && holdsAny(tablesOf(path), table))
        throw EngineError(shown + ": the table exists already");
    const Layout& layout = layoutOf(kind);
    const FileTableParts parts = fileTableParts(table);
    const std::string rows = sqlName(parts.rows), meta = sqlName(parts.meta),
                      fields = sqlName(parts.fields);
    const std::string ixPrefix = table.empty() ? "" : table + "_";

    std::string sql = "BEGIN IMMEDIATE;";
    sql += "CREATE TABLE " + meta + " (key TEXT PRIMARY KEY, value TEXT NOT NULL);";
    sql += "INSERT INTO " + meta + " VALUES ('kind', '" + layout.kindName + "'), ('format', '1');";
    sql += "CREATE TABLE " + fields +
           " (pos INTEGER PRIMARY KEY, name TEXT NOT NULL, width INTEGER NOT NULL,"
           " numeric INTEGER NOT NULL);";
    // Row identities are never reused, so a row remembered by identity is never mistaken for
    // a row added after it was deleted.
    std::string columns = "rid INTEGER PRIMARY KEY AUTOINCREMENT";
    for (size_t i = 0; i < layout.fields.size(); ++i) {
        const auto& f = layout.fields[i];
        sql += "INSERT INTO " + fields + " VALUES (" + std::to_string(i) + ", '" + f.name + "', " +
               std::to_string(f.width) + ", " + (f.numeric ? "1" : "0") + ");";
        columns += ", f" + std::to_string(i) +
                   (f.numeric ? " NUMERIC NOT NULL DEFAULT 0" : " TEXT NOT NULL DEFAULT ''");
    }
    sql += "CREATE TABLE " + rows + " (" + columns + ");";
    for (const auto& ix : layout.indexes)
        sql += "CREATE INDEX \"" + ixPrefix + "ix_" + ix.name + "\" ON " + rows + " (f" +
               std::to_string(ix.field) + ");";
    for (int field : layout.lookupFields)
        sql += "CREATE INDEX \"" + ixPrefix + "lookup_" + layout.fields[field].name + "\" ON " +
               rows + " (f" + std::to_string(field) + ");";
    sql += "COMMIT;";

    try {
        execOnFile(path, table.empty(), sql, shown, "cannot create the table");
    } catch (...) {
        if (table.empty()) fs::remove(path, ec);
        throw;
    }
}

void createTable(const std::string& place, Kind kind) {
    if (auto t = serverTable(place))
        createServerTable(*t, kind);
    else
        createTableFile(place, kind);
}

bool tableExists(const std::string& place) {
    if (auto t = serverTable(place)) return serverTableExists(*t);
    const auto [path, table] = fileTable(place);
    std::error_code ec;
    if (table.empty()) return fs::exists(path, ec);
    return holdsAny(tablesOf(path), table);
}

std::string setTableAside(const std::string& place, const std::string& base) {
    if (auto t = serverTable(place)) return setServerTableAside(*t, base);
    const FileTable at = fileTable(place);
    const auto& [path, table] = at;
    if (table.empty())
        throw EngineError(path + ": only a table kept in another's file can be set aside");
    const std::set<std::string> tables = tablesOf(path);
    std::string aside = base;
    for (int n = 2; holdsAny(tables, aside); ++n)
        aside = base + "_" + std::to_string(n);
    if (!plainTableName(aside))
        throw EngineError(at.shown() + ": no free name to set the table aside under");
    // Its indexes go: they would stand in the way of the names of a new table's.
    std::string sql = "BEGIN IMMEDIATE;";
    for (const std::string& index :
         namesFrom(path,
                   "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?1 "
                   "AND sql IS NOT NULL",
                   table))
        sql += "DROP INDEX " + sqlName(index) + ";";
    const auto from = fileTableParts(table).all(), to = fileTableParts(aside).all();
    for (size_t i = 0; i < from.size(); ++i)
        if (tables.count(from[i]))
            sql += "ALTER TABLE " + sqlName(from[i]) + " RENAME TO " + sqlName(to[i]) + ";";
    sql += "COMMIT;";
    execOnFile(path, false, sql, at.shown(), "cannot set the table aside");
    return aside;
}

void createDataDirectory(const std::string& dir) {
    std::error_code ec;
    for (const auto& f : kDataFiles)
        if (fs::exists(fs::path(dir) / f.name, ec))
            throw EngineError((fs::path(dir) / f.name).string() + ": the file exists already");
    fs::create_directories(dir, ec);
    if (ec) throw EngineError(dir + ": cannot create the folder: " + ec.message());
    for (const auto& f : kDataFiles)
        createTableFile((fs::path(dir) / f.name).string(), f.kind);
}

void createShop(const std::string& where) {
    if (isServerPath(where))
        createServerShop(where);
    else
        createDataDirectory(where);
}

namespace {
// A folder's data path ends in a separator, as datapath.pos holds it.
std::string dataPathOf(const std::string& where) {
    if (isServerPath(where) || where.empty() || where.back() == '/') return where;
    return where + "/";
}

struct SampleProduct {
    const char *category, *name, *quantity, *minimum, *cost, *price, *vendor, *tax, *barcode;
};
struct SampleCustomer {
    const char *name, *address1, *address2, *city, *state, *zip, *phone1;
};

// Prices of the sample shop are written with two decimals: reckoned in whole cents.
long long cents(const std::string& money) {
    const size_t dot = money.find('.');
    return std::stoll(money.substr(0, dot)) * 100 + std::stoll(money.substr(dot + 1));
}

std::string gross(const char* cost, const char* price) {
    const long long g = std::max(0LL, cents(price) - cents(cost));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld.%02lld", g / 100, g % 100);
    return buf;
}
} // namespace

void fillSampleShop(const std::string& where) {
    const std::string dataPath = dataPathOf(where);
    static const SampleProduct products[] = {
        {"Garden", "Trowel, stainless", "24", "6", "3.10", "7.99", "GREENLEAF", "T",
         "0712345000017"},
        {"Garden", "Pruning shears", "12", "4", "8.40", "18.50", "GREENLEAF", "T", "0712345000024"},
        {"Garden", "Potting soil 20 l", "40", "10", "2.75", "6.49", "TERRA", "T", "0712345000031"},
        {"Garden", "Tomato seeds", "60", "15", "0.55", "1.99", "SEEDCO", "T", "0712345000048"},
        {"Hardware", "Claw hammer 16 oz", "10", "3", "6.20", "14.95", "IRONSIDE", "T",
         "0712345000055"},
        {"Hardware", "Wood screws 4x40, box of 200", "35", "10", "2.30", "5.75", "IRONSIDE", "T",
         "0712345000062"},
        {"Hardware", "Tape measure 5 m", "18", "5", "3.90", "9.25", "IRONSIDE", "T",
         "0712345000079"},
        {"Hardware", "Work gloves, large", "22", "6", "2.10", "5.49", "SAFEHAND", "T",
         "0712345000086"},
        {"Paint", "Interior white 1 gal", "15", "4", "11.80", "24.99", "COLORMAX", "T",
         "0712345000093"},
        {"Paint", "Paint brush 2 in", "30", "8", "1.45", "3.99", "COLORMAX", "T", "0712345000109"},
        {"Paint", "Masking tape", "45", "12", "1.20", "2.99", "COLORMAX", "T", "0712345000116"},
        {"Snacks", "Spring water 500 ml", "96", "24", "0.25", "0.99", "CLEARSPR", "F",
         "0712345000123"},
        {"Snacks", "Granola bar", "3", "12", "0.40", "1.25", "CLEARSPR", "F", "0712345000130"},
    };
    static const SampleCustomer customers[] = {
        {"ABBOTT, MARGARET", "14 Elm Street", "m.abbott@example.com", "Springfield", "IL", "62701",
         "(217)555-0142"},
        {"GARCIA, LUIS", "802 Lakeview Ave", "", "Springfield", "IL", "62704", "(217)555-0199"},
        {"OKAFOR, NNEKA", "3 Mill Road", "Apt 2B", "Chatham", "IL", "62629", "(217)555-0123"},
        {"WESTON BUILDERS", "1200 Industrial Pkwy", "orders@example.com", "Springfield", "IL",
         "62702", "(217)555-0170"},
    };

    Table product(Kind::Product);
    product.setFileName(tablePlace(dataPath, "product"));
    product.open();
    Transaction productTx(product);
    for (const auto& p : products) {
        product.append();
        product.setText(product::CATEGORY, p.category);
        product.setText(product::PRODUCT, p.name);
        product.setText(product::QUANTITY, p.quantity);
        product.setText(product::MINIMUM, p.minimum);
        product.setText(product::COST, p.cost);
        product.setText(product::PRICE, p.price);
        product.setText(product::GROSS, gross(p.cost, p.price));
        product.setText(product::VENDER, p.vendor);
        product.setText(product::TAX, p.tax);
        product.setText(product::BARCODE, p.barcode);
        product.setText(product::CLERK, "No Security");
        product.post();
    }
    productTx.commit();
    product.close();

    Table customer(Kind::Customer);
    customer.setFileName(tablePlace(dataPath, "customer"));
    customer.open();
    Transaction customerTx(customer);
    for (const auto& c : customers) {
        customer.append();
        customer.setText(customer::NAME, c.name);
        customer.setText(customer::ADDRESS1, c.address1);
        customer.setText(customer::ADDRESS2, c.address2);
        customer.setText(customer::CITY, c.city);
        customer.setText(customer::STATE, c.state);
        customer.setText(customer::ZIP, c.zip);
        customer.setText(customer::PHONE1, c.phone1);
        customer.setText(customer::CLERK, "No Security");
        customer.post();
    }
    customerTx.commit();
    customer.close();
}

} // namespace store
