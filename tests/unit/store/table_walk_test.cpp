#include "store/errors.h"
#include "store/table.h"
#include "test_shop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace store;

namespace {
void addSale(Table& t, int invoice, const std::string& name) {
    t.append();
    t.setNumber(sale::INVOICE, invoice);
    t.setText(sale::NAME, name);
    t.post();
}

void addProduct(Table& t, const std::string& category, const std::string& name,
                const std::string& barcode = "") {
    t.append();
    t.setText(product::CATEGORY, category);
    t.setText(product::PRODUCT, name);
    t.setText(product::BARCODE, barcode);
    t.post();
}

// The whole walk from First, one field per row.
std::vector<std::string> walk(Table& t, int field) {
    std::vector<std::string> out;
    for (t.first(); !t.eof(); t.next())
        out.push_back(t.text(field));
    return out;
}
} // namespace

class TableWalk : public ShopTest {};
RUN_ON_BOTH_BACKENDS(TableWalk);

TEST_P(TableWalk, InvoiceOrderIsNumericAndLastIsTheHighest) {
    auto t = shop.table(Kind::Sale, "sale");
    addSale(*t, 10, "b");
    addSale(*t, 9, "a");
    addSale(*t, 100, "c");
    addSale(*t, 2, "d");
    EXPECT_EQ(walk(*t, sale::INVOICE), (std::vector<std::string>{"2", "9", "10", "100"}));
    t->last();
    EXPECT_EQ(t->number(sale::INVOICE), 100);
    EXPECT_TRUE(t->eof());

    // The name index is used only while receivables are listed; the row stays current.
    t->first();
    t->setIndex("NAME");
    EXPECT_EQ(t->text(sale::INVOICE), "2");
    EXPECT_EQ(walk(*t, sale::NAME), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_THROW(t->setIndex("PRICE"), EngineError);
}

TEST_P(TableWalk, TiesKeepStoredOrderAndScansLeaveTheLastRowCurrent) {
    auto t = shop.table(Kind::Product, "product");
    addProduct(*t, "Tools", "Hammer");
    addProduct(*t, "Garden", "Rake");
    addProduct(*t, "Tools", "Saw");
    addProduct(*t, "Garden", "Hoe");
    addProduct(*t, "Tools", "Drill");
    EXPECT_EQ(walk(*t, product::PRODUCT),
              (std::vector<std::string>{"Rake", "Hoe", "Hammer", "Saw", "Drill"}));
    // Ran out: the end flag stays, the last row stays current, Next changes nothing.
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->text(product::PRODUCT), "Drill");
    t->next();
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->text(product::PRODUCT), "Drill");
    EXPECT_EQ(t->recordCount(), 5);

    // An edit that changes the key moves the row; it stays current after Post.
    t->first();
    t->edit();
    t->setText(product::CATEGORY, "Zoo");
    t->post();
    EXPECT_EQ(t->text(product::PRODUCT), "Rake");
    t->next();
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(walk(*t, product::PRODUCT).back(), "Rake");
}

TEST_P(TableWalk, UsersAreReadInStoredOrder) {
    auto t = shop.table(Kind::Security, "security");
    for (const char* name : {"zed", "amy", "mo"}) {
        t->append();
        t->setText(security::USERNAME, name);
        t->post();
    }
    EXPECT_EQ(walk(*t, security::USERNAME), (std::vector<std::string>{"zed", "amy", "mo"}));
}

TEST_P(TableWalk, LongWalksCrossReadAheadBlocksWithoutLosingRows) {
    auto t = shop.table(Kind::Product, "product");
    std::vector<std::pair<std::string, int>> expected;
    std::mt19937 rng(7);
    t->beginTransaction();
    for (int i = 0; i < 6000; ++i) {
        std::string cat = "C" + std::to_string(rng() % 40);
        std::string name = "P" + std::to_string(i);
        addProduct(*t, cat, name);
        expected.push_back({cat, i});
    }
    t->commit();
    std::sort(expected.begin(), expected.end());
    std::vector<std::pair<std::string, int>> got;
    for (t->first(); !t->eof(); t->next())
        got.push_back({t->text(product::CATEGORY), std::stoi(t->text(product::PRODUCT).substr(1))});
    EXPECT_EQ(got, expected);

    // Writing in the middle of a scan keeps the scan going from the written row.
    int seen = 0, changed = 0;
    for (t->first(); !t->eof(); t->next()) {
        ++seen;
        if (seen % 100 == 0) {
            t->edit();
            t->setText(product::QUANTITY, "5");
            t->post();
        }
    }
    for (t->first(); !t->eof(); t->next())
        changed += t->text(product::QUANTITY) == "5";
    EXPECT_EQ(seen, 6000);
    EXPECT_EQ(changed, 60);
}

TEST_P(TableWalk, DeleteMakesTheFollowingRowCurrentOrElseTheNewLast) {
    auto t = shop.table(Kind::Sale, "sale");
    for (int i = 1; i <= 5; ++i)
        addSale(*t, i, "n" + std::to_string(i));
    t->first();
    t->next(); // invoice 2
    t->remove();
    EXPECT_EQ(t->number(sale::INVOICE), 3);
    EXPECT_FALSE(t->eof());
    t->last();
    t->remove(); // invoice 5: the new last row becomes current
    EXPECT_EQ(t->number(sale::INVOICE), 4);
    EXPECT_EQ(t->recordCount(), 3);
    EXPECT_EQ(walk(*t, sale::INVOICE), (std::vector<std::string>{"1", "3", "4"}));
    for (int i = 0; i < 3; ++i) {
        t->first();
        t->remove();
    }
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->recordCount(), 0);
    EXPECT_THROW(t->remove(), EngineError);
}

TEST_P(TableWalk, LocateGivesExactlyTheRowAndStateAScanGives) {
    auto t = shop.table(Kind::Product, "product");
    std::mt19937 rng(11);
    for (int i = 0; i < 300; ++i) {
        addProduct(*t, "C" + std::to_string(rng() % 5), "P" + std::to_string(rng() % 50),
                   "B" + std::to_string(rng() % 80));
        t->edit();
        t->setNumber(product::CLERK, i); // tells rows with equal fields apart
        t->post();
    }

    for (int q = 0; q < 120; ++q) {
        std::vector<std::pair<int, std::string>> equals = {
            {product::BARCODE, "B" + std::to_string(rng() % 100)}};
        if (q % 3 == 0) equals.push_back({product::CATEGORY, "C" + std::to_string(rng() % 6)});

        // The plain scan from the first row that locate() must agree with.
        std::string scanRow;
        bool scanFound = false;
        for (t->first(); !t->eof(); t->next()) {
            bool match = true;
            for (auto& [f, v] : equals)
                match &= t->text(f) == v;
            if (match) {
                scanFound = true;
                break;
            }
        }
        scanRow = t->text(product::CLERK);
        bool scanEof = t->eof();
        t->next();
        std::string scanAfter = t->text(product::CLERK);

        bool found = t->locate(equals);
        EXPECT_EQ(found, scanFound);
        EXPECT_EQ(t->eof(), scanEof);
        EXPECT_EQ(t->text(product::CLERK), scanRow);
        t->next();
        EXPECT_EQ(t->text(product::CLERK), scanAfter);
    }
}

TEST_P(TableWalk, TrimmedLocateAndRowIdentity) {
    auto t = shop.table(Kind::Product, "product");
    addProduct(*t, "A", "Hammer", "  777");
    addProduct(*t, "A", "Hammer", "777");
    const std::int64_t second = t->rowId();
    // Blanks trimmed on both sides: the first row in order matches, as a trimming scan finds.
    ASSERT_TRUE(
        t->locate({{product::PRODUCT, "Hammer"}, {product::BARCODE, " 777 "}}, {product::BARCODE}));
    EXPECT_EQ(t->text(product::BARCODE), "  777");
    EXPECT_NE(t->rowId(), second);
    ASSERT_TRUE(t->locate({{product::BARCODE, "777"}}));
    EXPECT_EQ(t->rowId(), second);

    // Back to a row by its identity; a deleted row is gone for good.
    t->first();
    ASSERT_TRUE(t->gotoRowId(second));
    EXPECT_EQ(t->text(product::BARCODE), "777");
    t->remove();
    EXPECT_FALSE(t->gotoRowId(second));
    EXPECT_EQ(t->text(product::BARCODE), "  777");
    // A row added after the last one was deleted never takes its identity.
    addProduct(*t, "A", "Nail", "888");
    EXPECT_NE(t->rowId(), second);
    EXPECT_FALSE(t->gotoRowId(second));
}
