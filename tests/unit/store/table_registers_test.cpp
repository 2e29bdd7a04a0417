// Several registers on one shop: each a connection of its own, in a thread of its own.
#include "store/errors.h"
#include "store/server_source.h"
#include "store/table.h"
#include "test_shop.h"

#include <gtest/gtest.h>

#include <thread>

using namespace store;

namespace {
constexpr int kRegisters = 4;
constexpr int kEach = 40;

class Registers : public ShopTest {
protected:
    // The table as register `n` opens it: on a server each register has its own connection.
    std::unique_ptr<Table> openAs(int n, Kind kind, const std::string& name) {
        auto t = std::make_unique<Table>(kind);
        std::string place = shop.place(name);
        if (shop.backend() == Backend::Server)
            place.insert(place.rfind('#'), "&application_name=register" + std::to_string(n));
        t->setFileName(place);
        t->open();
        return t;
    }
    // Runs `work` in every register at once; the first error of any fails the test.
    void everyRegister(const std::function<void(int)>& work) {
        std::vector<std::thread> threads;
        std::vector<std::string> errors(kRegisters);
        for (int n = 0; n < kRegisters; ++n)
            threads.emplace_back([&, n] {
                try {
                    work(n);
                } catch (const std::exception& e) {
                    errors[n] = e.what();
                }
            });
        for (auto& t : threads)
            t.join();
        for (const auto& e : errors)
            EXPECT_EQ(e, "");
    }
};
RUN_ON_BOTH_BACKENDS(Registers);
} // namespace

TEST_P(Registers, StockMovesNeverLoseAChange) {
    auto products = shop.table(Kind::Product, "product");
    products->append();
    products->setText(product::PRODUCT, "Widget");
    products->setText(product::QUANTITY, "1000");
    products->post();
    const std::int64_t rid = products->rowId();
    everyRegister([&](int n) {
        auto t = openAs(n, Kind::Product, "product");
        for (int i = 0; i < kEach; ++i) {
            // Each register reads the stock once, long before it moves it: the move must
            // still apply to the stock stored at that moment.
            const bool moved = t->changeRow(rid, [&] {
                t->setText(product::QUANTITY, std::to_string(int(t->number(product::QUANTITY)) - 1));
                return true;
            });
            if (!moved) throw std::runtime_error("the product was not found");
        }
    });
    products->refresh();
    EXPECT_EQ(products->text(product::QUANTITY), std::to_string(1000 - kRegisters * kEach));

    // A declined change and a gone row store nothing.
    EXPECT_FALSE(products->changeRow(rid, [&] {
        products->setText(product::QUANTITY, "0");
        return false;
    }));
    EXPECT_FALSE(products->changeRow(rid + 1000, [] { return true; }));
    products->refresh();
    EXPECT_EQ(products->text(product::QUANTITY), std::to_string(1000 - kRegisters * kEach));
}

TEST_P(Registers, InvoiceNumbersNeverTwinNorGap) {
    shop.table(Kind::Sale, "sale");
    shop.table(Kind::Customer, "customer");
    everyRegister([&](int n) {
        auto sales = openAs(n, Kind::Sale, "sale");
        auto customers = openAs(n, Kind::Customer, "customer");
        for (int i = 0; i < kEach; ++i)
            sales->transactionWith(*customers, [&] {
                sales->last();
                const double next = sales->number(sale::INVOICE) + 1;
                sales->append();
                sales->setNumber(sale::INVOICE, next);
                sales->setText(sale::CLERK, "register" + std::to_string(n));
                sales->post();
            });
    });
    auto sales = shop.open(Kind::Sale, "sale");
    int expect = 1;
    for (sales->first(); !sales->eof(); sales->next(), ++expect)
        ASSERT_EQ(sales->number(sale::INVOICE), expect) << "a gap or a twin";
    EXPECT_EQ(expect - 1, kRegisters * kEach);
}

// What a register sees of a server that goes away and comes back.
class ServerTables : public testing::Test {
protected:
    TestShop shop{Backend::Server};
};

TEST_F(ServerTables, ARestartedServerIsReachedAgainAndNothingIsHalfStored) {
    auto& server = testsupport::sharedServer();
    auto t = shop.table(Kind::Product, "product");
    t->append();
    t->setText(product::PRODUCT, "Kept");
    t->post();

    server.stop();
    try {
        t->first();
        FAIL() << "read from a stopped server";
    } catch (const EngineError& e) {
        const std::string msg = e.what();
        EXPECT_NE(msg.find("table product"), std::string::npos) << msg;
        EXPECT_NE(msg.find("shop database"), std::string::npos) << msg;
    }
    server.start();
    t->first(); // a new connection, made without being asked
    EXPECT_EQ(t->text(product::PRODUCT), "Kept");

    // The server goes half-way through a transaction: none of it is stored.
    t->beginTransaction();
    t->append();
    t->setText(product::PRODUCT, "Lost");
    t->post();
    server.stop();
    server.start();
    EXPECT_THROW(t->commit(), EngineError);
    t->rollback();
    EXPECT_EQ(t->recordCount(), 1);
    t->first();
    EXPECT_EQ(t->text(product::PRODUCT), "Kept");
}

TEST_F(ServerTables, BadTablesAreRefusedNamingThem) {
    auto expectRefused = [&](Kind kind, const std::string& place, const std::string& what) {
        Table t(kind);
        t.setFileName(place);
        try {
            t.open();
            FAIL() << "opened " << place;
        } catch (const EngineError& e) {
            EXPECT_NE(std::string(e.what()).find(what), std::string::npos) << e.what();
        }
        EXPECT_FALSE(t.isOpen());
    };
    shop.table(Kind::Customer, "customer");
    expectRefused(Kind::Product, shop.place("product"), "table product: the table is missing");
    expectRefused(Kind::Product, shop.place("customer"),
                  "holds the customer table, not the product table");
    expectRefused(Kind::Product, "postgresql:///shop?host=/nonexistent/folder#product",
                  "table product: the shop database cannot be reached");
    EXPECT_THROW(createTable(shop.place("customer"), Kind::Customer), EngineError);
}

TEST_F(ServerTables, AShopIsMadeOnceAndItsYearsCloseInOneStep) {
    const std::string uri = testsupport::sharedServer().freshUri();
    createShop(uri); // the database itself is made too
    EXPECT_TRUE(serverShopPresent(uri));
    try {
        createShop(uri);
        FAIL() << "made a second shop in one database";
    } catch (const EngineError& e) {
        EXPECT_NE(std::string(e.what()).find("holds a shop already"), std::string::npos);
    }

    Table sales(Kind::Sale), blank(Kind::Sale);
    sales.setFileName(tablePlace(uri, "sale"));
    blank.setFileName(tablePlace(uri, "blank"));
    sales.open();
    blank.open();
    for (int i = 1; i <= 3; ++i) {
        sales.append();
        sales.setNumber(sale::INVOICE, i);
        sales.post();
    }
    blank.append();
    blank.setText(sale::NOTE, "carried over");
    blank.post();
    sales.close();

    closeServerYear(uri, "sale2026");
    EXPECT_EQ(archivedYears(uri), std::vector<std::string>{"sale2026"});
    EXPECT_THROW(closeServerYear(uri, "sale2026"), EngineError);
    EXPECT_THROW(closeServerYear(uri, "2026; DROP TABLE sale"), EngineError);
    sales.open();
    EXPECT_EQ(sales.recordCount(), 1);
    EXPECT_EQ(sales.text(sale::NOTE), "carried over");
    Table archive(Kind::Sale);
    archive.setFileName(tablePlace(uri, "sale2026"));
    archive.setReadOnly(true);
    archive.open();
    EXPECT_EQ(archive.recordCount(), 3);
    archive.last();
    EXPECT_EQ(archive.number(sale::INVOICE), 3);
    EXPECT_THROW(archive.edit(), EngineError);
}
