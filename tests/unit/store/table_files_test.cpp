#include "store/data_dir.h"
#include "store/errors.h"
#include "store/place.h"
#include "store/sqlite_source.h"

#include "store/table.h"
#include "test_dir.h"
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace store;
namespace fs = std::filesystem;

namespace {
std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Opening must fail with an engine error naming the file and the trouble, and must
// leave the file exactly as it was.
void expectRefused(const std::string& path, Kind kind, const std::string& what) {
    std::string before = fs::is_regular_file(path) ? readAll(path) : "";
    Table t(kind);
    t.setFileName(path);
    try {
        t.open();
        FAIL() << "opened " << path;
    } catch (const EngineError& e) {
        std::string msg = e.what();
        EXPECT_NE(msg.find(path), std::string::npos) << msg;
        EXPECT_NE(msg.find(what), std::string::npos) << msg;
    }
    EXPECT_FALSE(t.isOpen());
    if (fs::is_regular_file(path)) {
        EXPECT_EQ(readAll(path), before);
    }
    EXPECT_FALSE(fs::exists(path + "-wal"));
    EXPECT_FALSE(fs::exists(path + "-journal"));
}
} // namespace

TEST(TableFiles, BadFilesAreRefusedWithoutTouchingThem) {
    TestDir dir;
    expectRefused(dir.file("missing.tbl"), Kind::Sale, "missing");

    std::ofstream(dir.file("text.tbl")) << "NAME,ADDRESS\r\nSmith,1 Main St\r\n";
    expectRefused(dir.file("text.tbl"), Kind::Customer, "not a table file");

    std::ofstream(dir.file("empty.tbl")).flush();
    expectRefused(dir.file("empty.tbl"), Kind::Customer, "not a table file");

    fs::create_directory(dir.file("folder.tbl"));
    expectRefused(dir.file("folder.tbl"), Kind::Customer, "not a table file");

    // A product table opened where the sale table belongs.
    createTableFile(dir.file("product.tbl"), Kind::Product);
    expectRefused(dir.file("product.tbl"), Kind::Sale, "product table, not the sale table");

    // A database of some other program.
    {
        auto t = dir.table(Kind::Sale, "sale.tbl");
        t->beginTransaction();
        for (int i = 1; i <= 400; ++i) {
            t->append();
            t->setNumber(sale::INVOICE, i);
            t->setText(sale::NOTE, std::string(200, 'n'));
            t->post();
        }
        t->commit();
    }
    std::string whole = readAll(dir.file("sale.tbl"));
    std::ofstream(dir.file("cut.tbl"), std::ios::binary) << whole.substr(0, whole.size() / 2);
    expectRefused(dir.file("cut.tbl"), Kind::Sale, "truncated");
    std::ofstream(dir.file("head.tbl"), std::ios::binary) << whole.substr(0, 60);
    expectRefused(dir.file("head.tbl"), Kind::Sale, "not a table file");
}

TEST(TableFiles, AClosedTableIsOneSelfContainedFile) {
    TestDir dir;
    {
        auto t = dir.table(Kind::Customer, "customer.tbl");
        t->append();
        t->setText(customer::NAME, "SMITH, ANN");
        t->post();
        t->close();
    }
    for (const char* side : {"-wal", "-shm", "-journal", ".idx"})
        EXPECT_FALSE(fs::exists(dir.file("customer.tbl") + side)) << side;

    // Moved elsewhere and opened read-only, as a backup or a closed year is.
    fs::create_directory(dir.file("copy"));
    fs::copy_file(dir.file("customer.tbl"), dir.file("copy/old.tbl"));
    fs::permissions(dir.file("copy/old.tbl"), fs::perms::owner_read, fs::perm_options::replace);
    Table t(Kind::Customer);
    t.setFileName(dir.file("copy/old.tbl"));
    t.setReadOnly(true);
    t.open();
    EXPECT_EQ(t.text(customer::NAME), "SMITH, ANN");
    EXPECT_THROW(t.edit(), EngineError);
    EXPECT_THROW(t.setFileName(dir.file("x.tbl")), EngineError);
    t.close();
    EXPECT_FALSE(fs::exists(dir.file("copy/old.tbl-wal")));
}

TEST(TableFiles, DataDirectoryHoldsTheFiveTablesAndIsNeverOverwritten) {
    TestDir dir;
    createDataDirectory(dir.file("data"));
    for (const auto& f : kDataFiles) {
        Table t(f.kind);
        t.setFileName(dir.file("data/") + f.name);
        t.open();
        EXPECT_EQ(t.recordCount(), 0) << f.name;
    }
    {
        Table t(Kind::Sale);
        t.setFileName(dir.file("data/sale.tbl"));
        t.open();
        t.append();
        t.setNumber(sale::INVOICE, 1);
        t.post();
    }
    std::string before = readAll(dir.file("data/sale.tbl"));
    EXPECT_THROW(createDataDirectory(dir.file("data")), EngineError);
    EXPECT_EQ(readAll(dir.file("data/sale.tbl")), before);

    fillSampleShop(dir.file("data"));
    Table products(Kind::Product);
    products.setFileName(dir.file("data/product.tbl"));
    products.open();
    EXPECT_GE(products.recordCount(), 12);
    EXPECT_TRUE(products.locate({{product::BARCODE, "0712345000017"}}));
    EXPECT_NO_THROW(products.number(product::QUANTITY));
}

// The register's journal is kept in the product table's file, so that a line and its stock
// move are one commit of one file.
TEST(TableFiles, ATableKeptInAnothersFileIsStoredWithIt) {
    TestDir dir;
    createDataDirectory(dir.file("data"));
    const std::string place = tablePlaceWith(dir.file("data/"), "product", "journal_t1");
    EXPECT_EQ(fileTable(place).file, dir.file("data/product.tbl"));
    EXPECT_EQ(fileTable(dir.file("a#b/product.tbl")).file, dir.file("a#b/product.tbl"));
    EXPECT_EQ(fileTable(dir.file("a#b/product.tbl")).table, "");
    EXPECT_FALSE(tableExists(place));
    createTable(place, Kind::Journal);
    EXPECT_TRUE(tableExists(place));
    EXPECT_THROW(createTable(place, Kind::Journal), EngineError);
    EXPECT_EQ(fileKind(place), Kind::Journal);
    EXPECT_EQ(fileKind(dir.file("data/product.tbl")), Kind::Product);

    Table products(Kind::Product), journal(Kind::Journal);
    products.setFileName(dir.file("data/product.tbl"));
    products.open();
    journal.setFileName(place);
    journal.open();
    auto note = [&](bool fails) {
        products.transactionWith({&journal}, [&] {
            products.append();
            products.setText(product::PRODUCT, "Widget");
            products.post();
            products.appendOther(journal, {{journal::TEXT, "Widget"}});
            if (fails) throw EngineError("cut off");
        });
    };
    EXPECT_THROW(note(true), EngineError);
    EXPECT_EQ(products.recordCount(), 0);
    EXPECT_EQ(journal.recordCount(), 0);
    note(false);
    EXPECT_EQ(products.recordCount(), 1);
    EXPECT_EQ(journal.recordCount(), 1);
    // One file, one commit: the product table's connection reached the journal without
    // attaching any other file.
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(products.handle(), "SELECT name FROM pragma_database_list", -1,
                                 &st, nullptr),
              SQLITE_OK);
    std::vector<std::string> schemas;
    while (sqlite3_step(st) == SQLITE_ROW)
        schemas.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    EXPECT_EQ(schemas, std::vector<std::string>{"main"});
    journal.close();

    // A table that is not what it should be is damaged; one out of reach is not, and must
    // never be set aside for it.
    Table wrong(Kind::Customer);
    wrong.setFileName(place);
    EXPECT_THROW(wrong.open(), DamagedTable);
    sqlite3* locker = nullptr;
    sqlite3_open(dir.file("data/product.tbl").c_str(), &locker);
    sqlite3_exec(locker, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    try {
        tableExists(place);
        ADD_FAILURE() << "a locked file was looked into";
    } catch (const DamagedTable&) {
        ADD_FAILURE() << "a locked file was taken for a damaged one";
    } catch (const EngineError&) {
    }
    sqlite3_close(locker); // its transaction rolled back

    // Set aside twice: each time under a free name, and a new one can take its place.
    EXPECT_EQ(setTableAside(place, "journal_t1_damaged"), "journal_t1_damaged");
    EXPECT_FALSE(tableExists(place));
    createTable(place, Kind::Journal);
    EXPECT_EQ(setTableAside(place, "journal_t1_damaged"), "journal_t1_damaged_2");
    createTable(place, Kind::Journal);
    Table kept(Kind::Journal);
    kept.setFileName(tablePlaceWith(dir.file("data/"), "product", "journal_t1_damaged"));
    kept.open();
    EXPECT_EQ(kept.text(journal::TEXT), "Widget");
    EXPECT_EQ(products.recordCount(), 1);
}
