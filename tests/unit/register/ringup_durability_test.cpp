// Rings up sales in a child process through the real handlers and kills it at random
// moments: every stored sale must be whole, numbered without gaps, and the card noted on
// the customer must be the last stored sale's.
#include "core/text_file.h"
#include "store/data_dir.h"
#include "store/table.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace store;

namespace {
void addRow(Table& t, const std::vector<std::pair<int, std::string>>& fields) {
    t.append();
    for (auto& [pos, text] : fields)
        t.setText(pos, text);
    t.post();
}

// Starts the writer and returns once it has opened the register.
pid_t startWriter(const std::string& dir, const char* mode = nullptr) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string exe = RINGUP_WRITER;
    char* args[] = {exe.data(), const_cast<char*>(dir.c_str()), const_cast<char*>(mode), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, args, environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    char buf[16];
    if (pid > 0 && read(fds[0], buf, sizeof buf) <= 0) pid = -pid; // died before ready
    close(fds[0]);
    return pid;
}
// The shop's settings beside the data, then 200 writers killed at random moments.
void killWriterAtRandom(const QTemporaryDir& tmp, const char* mode) {
    QStringList prefs(24);
    prefs[0] = "Test Shop";
    prefs[10] = "  ";
    prefs[11] = "6.25";
    prefs[19] = "T";
    core::writeLines(tmp.filePath("prefs.pos"), prefs);
    core::writeLines(tmp.filePath("datapath.pos"), {tmp.filePath("data") + "/"});
    std::mt19937 rng(std::random_device{}());
    for (int round = 0; round < 200; ++round) {
        pid_t pid = startWriter(tmp.path().toStdString(), mode);
        ASSERT_GT(pid, 0) << "the writer did not start";
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 30000));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;
    }
}
} // namespace

TEST(RingUpDurability, KilledRegisterNeverLeavesHalfASale) {
    QTemporaryDir tmp;
    const std::string dir = tmp.path().toStdString();
    createDataDirectory(dir + "/data");
    {
        Table p(Kind::Product), c(Kind::Customer);
        p.setFileName(dir + "/data/product.tbl");
        c.setFileName(dir + "/data/customer.tbl");
        p.open();
        c.open();
        addRow(p, {{product::CATEGORY, "Tools"},
                   {product::PRODUCT, "Widget"},
                   {product::QUANTITY, "1000000"},
                   {product::MINIMUM, "0"},
                   {product::COST, "6.00"},
                   {product::PRICE, "12.34"},
                   {product::TAX, "F"},
                   {product::BARCODE, "W"}});
        addRow(c, {{customer::NAME, "CASH CUSTOMER"}});
    }
    ASSERT_NO_FATAL_FAILURE(killWriterAtRandom(tmp, nullptr));

    Table sales(Kind::Sale), customers(Kind::Customer);
    sales.setFileName(dir + "/data/sale.tbl");
    customers.setFileName(dir + "/data/customer.tbl");
    sales.open();
    customers.open();
    int expect = 1;
    std::string lastCard;
    for (sales.first(); !sales.eof(); sales.next(), ++expect) {
        ASSERT_EQ(sales.number(sale::INVOICE), expect) << "invoice numbers have a gap or a twin";
        ASSERT_EQ(sales.text(sale::NAME), "CASH CUSTOMER");
        ASSERT_EQ(sales.text(sale::prod(0)), "1 Widget");
        ASSERT_EQ(sales.text(sale::TOTAL), "12.34");
        ASSERT_EQ(sales.text(sale::CHARGE1), "12.34");
        ASSERT_EQ(sales.text(sale::CLERK), "No Security");
        lastCard = sales.text(sale::CARD);
        ASSERT_FALSE(lastCard.empty());
    }
    EXPECT_GT(expect, 1) << "no sale was ever stored";
    std::printf("%d sales stored across 200 killed registers\n", expect - 1);
    customers.first();
    EXPECT_EQ(customers.text(customer::CARD), lastCard);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(sales.handle(), "PRAGMA integrity_check", -1, &st, nullptr);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "ok");
    sqlite3_finalize(st);
}

// Payments on account in a child register killed at random moments: every payment is
// recorded whole or not at all, so each invoice's balance is its total less what was paid.
TEST(PaymentDurability, KilledRegisterNeverHalfRecordsAPayment) {
    QTemporaryDir tmp;
    const std::string dir = tmp.path().toStdString();
    createDataDirectory(dir + "/data");
    {
        Table s(Kind::Sale);
        s.setFileName(dir + "/data/sale.tbl");
        s.open();
        const char* open[][4] = {{"1", "ADAMS", "9.00", "9.00"},
                                 {"2", "BAKER", "100000.00", "0.00"},
                                 {"3", "CLARK", "5.00", "5.00"}};
        for (auto& row : open) {
            s.append();
            s.setNumber(sale::INVOICE, std::stod(row[0]));
            s.setText(sale::NAME, row[1]);
            s.setText(sale::TOTAL, row[2]);
            s.setText(sale::PAID, row[3]);
            s.setText(sale::BALANCE, std::string(row[2]) == row[3] ? "0.00" : row[2]);
            s.setText(sale::LINK, "0");
            s.post();
        }
    }
    ASSERT_NO_FATAL_FAILURE(killWriterAtRandom(tmp, "pay"));

    Table sales(Kind::Sale);
    sales.setFileName(dir + "/data/sale.tbl");
    sales.open();
    ASSERT_EQ(sales.recordCount(), 3);
    long long paidCents = 0;
    for (sales.first(); !sales.eof(); sales.next()) {
        auto cents = [&](int field) { return std::llround(sales.number(field) * 100); };
        EXPECT_EQ(cents(sale::BALANCE), cents(sale::TOTAL) - cents(sale::PAID))
            << "invoice " << sales.text(sale::INVOICE);
        if (sales.text(sale::NAME) == "BAKER") paidCents = cents(sale::PAID);
    }
    EXPECT_GT(paidCents, 0) << "no payment was ever recorded";
    std::printf("%lld payments recorded across 200 killed registers\n", paidCents);
}
