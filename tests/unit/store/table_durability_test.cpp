#include "store/table.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <random>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace store;

namespace {
// What field `pos` of invoice `n` holds: every row is whole when each field matches.
std::string expectedField(int n, int pos) {
    if (pos == sale::NOTE) return std::string(250, char('a' + n % 26));
    std::string s = "i";
    s += std::to_string(n);
    s += "p";
    s += std::to_string(pos);
    return s;
}

[[noreturn]] void writeSalesForever(const std::string& path) {
    try {
        Table t(Kind::Sale);
        t.setFileName(path);
        t.open();
        for (;;) {
            t.last();
            int n = static_cast<int>(t.number(sale::INVOICE)) + 1;
            t.append();
            for (int pos = 0; pos < t.fieldCount(); ++pos)
                if (pos != sale::INVOICE) t.setText(pos, expectedField(n, pos));
            t.setNumber(sale::INVOICE, n);
            t.post();
        }
    } catch (...) {
    }
    _exit(3);
}

int checkWhole(const std::string& path) {
    Table t(Kind::Sale);
    t.setFileName(path);
    t.open();
    int expect = 1;
    for (t.first(); !t.eof(); t.next(), ++expect) {
        int n = static_cast<int>(t.number(sale::INVOICE));
        EXPECT_EQ(n, expect) << "invoice numbers are not consecutive";
        for (int pos = 0; pos < t.fieldCount(); ++pos) {
            if (pos == sale::INVOICE) continue;
            std::string want = expectedField(n, pos).substr(0, t.layout().fields[pos].width);
            if (t.text(pos) != want) {
                ADD_FAILURE() << "invoice " << n << " field " << pos << " is not whole";
                return -1;
            }
        }
    }
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(t.handle(), "PRAGMA integrity_check", -1, &st, nullptr);
    EXPECT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "ok");
    sqlite3_finalize(st);
    return expect - 1;
}
} // namespace

// Kills a process that posts sales at random moments; every stored row must be whole.
TEST(TableDurability, PostsSurviveAKilledWriter) {
    TestDir dir;
    createTableFile(dir.file("sale.tbl"), Kind::Sale);
    std::mt19937 rng(std::random_device{}());
    int rows = 0;
    for (int round = 1; round <= 200; ++round) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) writeSalesForever(dir.file("sale.tbl"));
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + rng() % 25000));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself";
        if (round % 25 == 0) {
            int now = checkWhole(dir.file("sale.tbl"));
            ASSERT_GE(now, rows) << "stored rows were lost";
            rows = now;
        }
    }
    EXPECT_GT(rows, 0) << "the writer never stored a row";
}

namespace {
[[noreturn]] void ringUpForever(const std::string& sales, const std::string& customers) {
    try {
        Table sale(Kind::Sale), customer(Kind::Customer);
        sale.setFileName(sales);
        customer.setFileName(customers);
        sale.open();
        customer.open();
        for (;;) {
            sale.transactionWith(customer, [&] {
                sale.last();
                const int n = static_cast<int>(sale.number(sale::INVOICE)) + 1;
                sale.append();
                sale.setNumber(sale::INVOICE, n);
                sale.setText(sale::NOTE, std::string(200, 'x'));
                sale.post();
                sale.updateOther({{customer::NAME, "SMITH"}},
                                 {{customer::CARD, std::to_string(n)}});
            });
        }
    } catch (...) {
    }
    _exit(3);
}
} // namespace

// A sale and the card it notes on the customer are stored together or not at all.
TEST(TableDurability, TwoFilesChangeTogetherOrNotAtAll) {
    TestDir dir;
    auto sales = dir.table(Kind::Sale, "sale.tbl");
    auto customers = dir.table(Kind::Customer, "customer.tbl");
    customers->append();
    customers->setText(customer::NAME, "SMITH");
    customers->post();

    // A failure inside the transaction undoes both sides.
    EXPECT_THROW(
        sales->transactionWith(
            *customers,
            [&] {
                sales->append();
                sales->setNumber(sale::INVOICE, 1);
                sales->post();
                sales->updateOther({{customer::NAME, "SMITH"}}, {{customer::CARD, "9999"}});
                throw std::runtime_error("disk full");
            }),
        std::runtime_error);
    EXPECT_EQ(sales->recordCount(), 0);
    customers->first();
    EXPECT_EQ(customers->text(customer::CARD), "");
    sales->close();
    customers->close();

    std::mt19937 rng(std::random_device{}());
    for (int round = 0; round < 200; ++round) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) ringUpForever(dir.file("sale.tbl"), dir.file("customer.tbl"));
        std::this_thread::sleep_for(std::chrono::microseconds(1000 + rng() % 15000));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    Table s(Kind::Sale), c(Kind::Customer);
    s.setFileName(dir.file("sale.tbl"));
    c.setFileName(dir.file("customer.tbl"));
    s.open();
    c.open();
    s.last();
    const int last = static_cast<int>(s.number(sale::INVOICE));
    EXPECT_GT(last, 0);
    EXPECT_EQ(s.recordCount(), last) << "invoice numbers are not unique and consecutive";
    c.first();
    EXPECT_EQ(c.text(customer::CARD), std::to_string(last));
}
