// Rings up sales in child registers through the real handlers, on a shop in a folder and on a
// server: registers killed at random moments never leave half a sale, and several registers
// at once never twin an invoice number nor lose a stock move.
#include "core/text_file.h"
#include "store/data_dir.h"
#include "store/table.h"
#include "test_shop.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDir>
#include <QString>
#include <QStringList>

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

// Starts the writer in `dir` and returns once it has opened the register, with the line it
// printed then in `ready`.
pid_t startWriter(const std::string& dir, const char* mode = nullptr, std::string* ready = nullptr) {
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
    std::string line;
    char c = 0;
    while (pid > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        line += c;
    if (pid > 0 && c != '\n') pid = -pid; // died before ready
    close(fds[0]);
    if (ready) *ready = line;
    return pid;
}

// A register's working folder: its settings, and where the shop's tables are.
void makeTill(const std::string& dir, const TestShop& shop) {
    QDir().mkpath(QString::fromStdString(dir));
    QStringList prefs(24);
    prefs[0] = "Test Shop";
    prefs[10] = "  ";
    prefs[11] = "6.25";
    prefs[19] = "T";
    const QString d = QString::fromStdString(dir);
    core::writeLines(d + "/prefs.pos", prefs);
    core::writeLines(d + "/datapath.pos", {QString::fromStdString(shop.dataPath())});
}

// 200 writers killed at random moments.
void killWriterAtRandom(const std::string& dir, const char* mode) {
    std::mt19937 rng(std::random_device{}());
    for (int round = 0; round < 200; ++round) {
        pid_t pid = startWriter(dir, mode);
        ASSERT_GT(pid, 0) << "the writer did not start";
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 30000));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;
    }
}

// The shop of the ring-up tests: one product, plenty of stock, and the cash customer.
void stockShop(const TestShop& shop) {
    createShop(shop.dataPath());
    auto p = shop.open(Kind::Product, "product");
    auto c = shop.open(Kind::Customer, "customer");
    addRow(*p, {{product::CATEGORY, "Tools"},
                {product::PRODUCT, "Widget"},
                {product::QUANTITY, "1000000"},
                {product::MINIMUM, "0"},
                {product::COST, "6.00"},
                {product::PRICE, "12.34"},
                {product::TAX, "F"},
                {product::BARCODE, "W"}});
    addRow(*c, {{customer::NAME, "CASH CUSTOMER"}});
}

// Every sale whole and numbered 1, 2, 3… without gap or twin; returns how many, and in
// `widgets` how many Widgets they sold. A sale holds one Widget line, and one more for each
// time a register was killed with the sale open (the next one brought it back).
int checkSales(Table& sales, std::string* lastCard = nullptr, int* widgets = nullptr) {
    int expect = 1;
    for (sales.first(); !sales.eof(); sales.next(), ++expect) {
        EXPECT_EQ(sales.number(sale::INVOICE), expect) << "invoice numbers have a gap or a twin";
        if (sales.number(sale::INVOICE) != expect) return -1;
        EXPECT_EQ(sales.text(sale::NAME), "CASH CUSTOMER");
        int lines = 0;
        for (; lines < sale::LINE_COUNT && !sales.text(sale::prod(lines)).empty(); ++lines)
            EXPECT_EQ(sales.text(sale::prod(lines)), "1 Widget");
        EXPECT_GE(lines, 1);
        if (widgets) *widgets += lines;
        const std::string total = std::to_string(1234 * lines / 100) + "." +
                                  (1234 * lines % 100 < 10 ? "0" : "") +
                                  std::to_string(1234 * lines % 100);
        EXPECT_EQ(sales.text(sale::TOTAL), total);
        EXPECT_EQ(sales.text(sale::CHARGE1), "12.34"); // what the writer tenders
        EXPECT_EQ(sales.text(sale::CLERK), "No Security");
        EXPECT_FALSE(sales.text(sale::CARD).empty());
        if (lastCard) *lastCard = sales.text(sale::CARD);
    }
    return expect - 1;
}

class RegisterProcesses : public ShopTest {};
RUN_ON_BOTH_BACKENDS(RegisterProcesses);
} // namespace

TEST_P(RegisterProcesses, KilledRegisterNeverLeavesHalfASale) {
    stockShop(shop);
    const std::string till = shop.dir().file("till");
    makeTill(till, shop);
    ASSERT_NO_FATAL_FAILURE(killWriterAtRandom(till, nullptr));

    auto sales = shop.open(Kind::Sale, "sale");
    auto customers = shop.open(Kind::Customer, "customer");
    std::string lastCard;
    int widgets = 0;
    const int stored = checkSales(*sales, &lastCard, &widgets);
    EXPECT_GT(stored, 0) << "no sale was ever stored";
    std::printf("%d sales stored across 200 killed registers\n", stored);
    customers->first();
    EXPECT_EQ(customers->text(customer::CARD), lastCard);
    // What the killed registers took from the stock is exactly what their stored sales hold
    // and what the sale left open holds (the next start brings it back).
    auto products = shop.open(Kind::Product, "product");
    std::string ready;
    const pid_t pid = startWriter(till, "cancel", &ready);
    ASSERT_GT(pid, 0);
    int status = 0;
    waitpid(pid, &status, 0);
    products->refresh();
    EXPECT_EQ(products->number(product::QUANTITY), 1000000 - widgets)
        << "stock moved that no stored sale and no open sale holds (" << ready << ")";
    if (sqlite3* db = sales->handle()) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr);
        ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
        EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "ok");
        sqlite3_finalize(st);
    }
}

// Payments on account in a child register killed at random moments: every payment is
// recorded whole or not at all, so each invoice's balance is its total less what was paid.
TEST_P(RegisterProcesses, KilledRegisterNeverHalfRecordsAPayment) {
    createShop(shop.dataPath());
    {
        auto s = shop.open(Kind::Sale, "sale");
        const char* open[][4] = {{"1", "ADAMS", "9.00", "9.00"},
                                 {"2", "BAKER", "100000.00", "0.00"},
                                 {"3", "CLARK", "5.00", "5.00"}};
        for (auto& row : open) {
            s->append();
            s->setNumber(sale::INVOICE, std::stod(row[0]));
            s->setText(sale::NAME, row[1]);
            s->setText(sale::TOTAL, row[2]);
            s->setText(sale::PAID, row[3]);
            s->setText(sale::BALANCE, std::string(row[2]) == row[3] ? "0.00" : row[2]);
            s->setText(sale::LINK, "0");
            s->post();
        }
    }
    const std::string till = shop.dir().file("till");
    makeTill(till, shop);
    ASSERT_NO_FATAL_FAILURE(killWriterAtRandom(till, "pay"));

    auto sales = shop.open(Kind::Sale, "sale");
    ASSERT_EQ(sales->recordCount(), 3);
    long long paidCents = 0;
    for (sales->first(); !sales->eof(); sales->next()) {
        auto cents = [&](int field) { return std::llround(sales->number(field) * 100); };
        EXPECT_EQ(cents(sale::BALANCE), cents(sale::TOTAL) - cents(sale::PAID))
            << "invoice " << sales->text(sale::INVOICE);
        if (sales->text(sale::NAME) == "BAKER") paidCents = cents(sale::PAID);
    }
    EXPECT_GT(paidCents, 0) << "no payment was ever recorded";
    std::printf("%lld payments recorded across 200 killed registers\n", paidCents);
}

// Four registers ring up 500 sales each at the same moments on one shop.
TEST_P(RegisterProcesses, ManyRegistersNeverTwinAnInvoiceNorLoseStock) {
    constexpr int kTills = 4, kSales = 500;
    stockShop(shop);
    std::vector<pid_t> writers;
    for (int n = 0; n < kTills; ++n) {
        const std::string till = shop.dir().file("till" + std::to_string(n));
        makeTill(till, shop);
        writers.push_back(startWriter(till, std::to_string(kSales).c_str()));
        ASSERT_GT(writers.back(), 0);
    }
    for (pid_t pid : writers) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "a register stopped with status " << status;
    }
    auto sales = shop.open(Kind::Sale, "sale");
    EXPECT_EQ(checkSales(*sales), kTills * kSales);
    auto products = shop.open(Kind::Product, "product");
    EXPECT_EQ(products->text(product::QUANTITY), std::to_string(1000000 - kTills * kSales) + ".00");
}

// A register ringing lines in and out, killed at random moments: its journal always holds
// exactly the lines whose stock moved, the restarted register shows exactly those, and Cancel
// then puts every product's stock back as it was.
TEST_P(RegisterProcesses, KilledRegisterBringsBackExactlyTheLinesWhoseStockMoved) {
    constexpr int kStart = 1000;
    createShop(shop.dataPath());
    {
        auto p = shop.open(Kind::Product, "product");
        for (int k = 0; k < 3; ++k)
            addRow(*p, {{product::CATEGORY, "Tools"},
                        {product::PRODUCT, "P" + std::to_string(k)},
                        {product::QUANTITY, std::to_string(kStart)},
                        {product::MINIMUM, "0"},
                        {product::COST, "0.50"},
                        {product::PRICE, "1.00"},
                        {product::TAX, "F"},
                        {product::BARCODE, "B" + std::to_string(k)}});
    }
    const std::string till = shop.dir().file("till");
    makeTill(till, shop);
    // How many lines of P0, P1, P2 the stock and the journal say the open sale holds.
    auto taken = [&] {
        std::string stock, journal;
        auto p = shop.open(Kind::Product, "product");
        for (p->first(); !p->eof(); p->next())
            stock += " " + std::to_string(kStart - int(p->number(product::QUANTITY)));
        int counts[3] = {};
        Table j(Kind::Journal);
        const QStringList name = core::readLines(QString::fromStdString(till) + "/till.pos");
        j.setFileName(
            tablePlaceWith(shop.dataPath(), "product", "journal_" + name.value(0).toStdString()));
        j.open();
        for (j.first(); !j.eof(); j.next())
            for (int k = 0; k < 3; ++k)
                counts[k] += j.text(journal::TEXT) == "P" + std::to_string(k);
        for (int k : counts)
            journal += " " + std::to_string(k);
        EXPECT_EQ(stock, journal) << "the stock and the journal disagree";
        return "ready" + stock;
    };

    std::mt19937 rng(std::random_device{}());
    std::string expected = "ready 0 0 0", ready;
    int withLines = 0;
    for (int round = 0; round < 200; ++round) {
        pid_t pid = startWriter(till, "lines", &ready);
        ASSERT_GT(pid, 0) << "the writer did not start";
        ASSERT_EQ(ready, expected) << "the restarted register shows other lines";
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 30000));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;
        expected = taken();
        withLines += expected != "ready 0 0 0";
    }
    EXPECT_GT(withLines, 100) << "the sale was seldom open when killed";
    pid_t pid = startWriter(till, "cancel", &ready);
    ASSERT_GT(pid, 0);
    EXPECT_EQ(ready, expected);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(taken(), "ready 0 0 0") << "Cancel did not put every product's stock back";
    std::printf("%d of 200 kills left a sale open\n", withLines);
}
