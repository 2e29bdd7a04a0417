#include "store/errors.h"
#include "store/table.h"
#include "store/text.h"
#include "test_shop.h"

#include <gtest/gtest.h>

using namespace store;

namespace {
void addProduct(Table& t, const std::string& category, const std::string& name) {
    t.append();
    t.setText(product::CATEGORY, category);
    t.setText(product::PRODUCT, name);
    t.post();
}
} // namespace

class TableFields : public ShopTest {};
RUN_ON_BOTH_BACKENDS(TableFields);

TEST_P(TableFields, TextIsCutToItsWidthInCharactersAndLosesTrailingBlanks) {
    auto t = shop.table(Kind::Customer, "customer");
    t->append();
    t->setText(customer::NAME, std::string(40, 'x'));         // width 30
    t->setText(customer::STATE, "Illinois");                  // width 2
    t->setText(customer::CITY, "Zürich—Ørestad, ÉÈÊ straße"); // 26 characters, more bytes
    t->setText(customer::ZIP, "ÅÅÅÅÅÅÅÅÅÅÅÅ");                // width 10, two bytes each
    t->setText(customer::ADDRESS1, "12 Main St  ");
    t->setText(customer::ADDRESS2,
               "abcdefghijklmnopqrstuvwxyz123 5"); // cut leaves a trailing blank
    t->post();

    t->close();
    t->open();
    EXPECT_EQ(t->text(customer::NAME), std::string(30, 'x'));
    EXPECT_EQ(t->text(customer::STATE), "Il");
    EXPECT_EQ(t->text(customer::CITY), "Zürich—Ørestad, ÉÈÊ straße");
    EXPECT_EQ(t->text(customer::ZIP), "ÅÅÅÅÅÅÅÅÅÅ");
    EXPECT_EQ(t->text(customer::ADDRESS1), "12 Main St");
    EXPECT_EQ(t->text(customer::ADDRESS2), "abcdefghijklmnopqrstuvwxyz123");
}

TEST_P(TableFields, NumbersAreWrittenShortestAndReadBack) {
    auto t = shop.table(Kind::Product, "product");
    t->append();
    t->setNumber(product::QUANTITY, 1);
    t->setNumber(product::COST, 12.5);
    t->setNumber(product::PRICE, 0.1);
    t->setText(product::MINIMUM, "  3.25 ");
    t->setText(product::GROSS, "abc");
    t->post();
    EXPECT_EQ(t->text(product::QUANTITY), "1");
    EXPECT_EQ(t->text(product::COST), "12.5");
    EXPECT_EQ(t->text(product::PRICE), "0.1");
    EXPECT_DOUBLE_EQ(t->number(product::COST), 12.5);
    EXPECT_DOUBLE_EQ(t->number(product::MINIMUM), 3.25);

    // Text that is no number, and empty text, fail with the conversion message.
    try {
        t->number(product::GROSS);
        FAIL() << "no conversion error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
    try {
        t->number(product::VENDER);
        FAIL() << "no conversion error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid floating point value");
    }
}

TEST(DecimalText, Rules) {
    EXPECT_EQ(parseDecimal("-1.5e2"), -150.0);
    EXPECT_EQ(parseDecimal(".5"), 0.5);
    EXPECT_EQ(parseDecimal("5."), 5.0);
    for (const char* bad :
         {"", " ", "1.2.3", "abc", "1e", "e5", "inf", "nan", "0x10", "1,5", "--1", "1e400", "."})
        EXPECT_FALSE(parseDecimal(bad).has_value()) << bad;
}

TEST_P(TableFields, InvoiceIsANumberAndZeroOnAnEmptyTable) {
    auto t = shop.table(Kind::Sale, "sale");
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->recordCount(), 0);
    EXPECT_EQ(t->number(sale::INVOICE), 0);
    EXPECT_EQ(t->text(sale::NAME), "");
    t->last();
    EXPECT_EQ(t->number(sale::INVOICE) + 1, 1); // the first invoice number

    t->append();
    t->setNumber(sale::INVOICE, 7);
    t->setText(sale::prod(99), "2 Widget");
    t->setText(sale::price(0), "10.00  ");
    t->post();
    EXPECT_EQ(t->number(sale::INVOICE), 7);
    EXPECT_EQ(t->text(sale::INVOICE), "7");
    EXPECT_EQ(t->text(sale::prod(99)), "2 Widget");
    EXPECT_EQ(t->text(sale::price(0)), "10.00");
    EXPECT_THROW(t->setText(sale::NAME, "x"), EngineError); // not being edited
    t->edit();
    EXPECT_THROW(t->setText(sale::INVOICE, "x1"), ConversionError);
}

TEST_P(TableFields, EditOnAnEmptyTableStartsANewRow) {
    auto t = shop.table(Kind::Product, "product");
    t->edit();
    t->setText(product::PRODUCT, "Widget");
    t->post();
    EXPECT_EQ(t->recordCount(), 1);
    t->edit();
    t->setText(product::PRODUCT, "Gadget");
    t->post();
    EXPECT_EQ(t->recordCount(), 1);
    t->first();
    EXPECT_EQ(t->text(product::PRODUCT), "Gadget");
}

TEST_P(TableFields, MovingAwayFromAnUnpostedRowDropsIt) {
    auto t = shop.table(Kind::Product, "product");
    addProduct(*t, "A", "Widget");
    t->edit();
    t->setText(product::PRODUCT, "Changed");
    t->first();
    EXPECT_EQ(t->text(product::PRODUCT), "Widget");
    t->append();
    t->setText(product::PRODUCT, "Half made");
    t->next();
    EXPECT_EQ(t->recordCount(), 1);
}

TEST_P(TableFields, ATransactionStoresAllOrNothing) {
    auto t = shop.table(Kind::Product, "product");
    addProduct(*t, "A", "Kept");
    t->beginTransaction();
    addProduct(*t, "B", "Gone 1");
    addProduct(*t, "C", "Gone 2");
    t->rollback();
    EXPECT_EQ(t->recordCount(), 1);
    t->beginTransaction();
    addProduct(*t, "B", "Stored");
    t->commit();
    t->close();
    t->open();
    EXPECT_EQ(t->recordCount(), 2);

    // The guard: an error half-way leaves nothing of its changes; commit keeps them.
    try {
        Transaction tx(*t);
        addProduct(*t, "D", "Half");
        throw std::runtime_error("the second change failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(t->recordCount(), 2);
    {
        Transaction tx(*t);
        addProduct(*t, "D", "Whole");
        tx.commit();
    }
    t->close();
    t->open();
    EXPECT_EQ(t->recordCount(), 3);
}
