// Closing a year interrupted at every step, by an error or by a kill: the data directory
// always keeps a whole sale.tbl, and an archive exists only when the year was closed.
#include "core/errors.h"
#include "maintenance/year_files.h"
#include "store/table.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <QFile>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace store;

namespace {
const int kSales = 25;

void makeShop(const TestDir& dir) {
    auto sales = dir.table(Kind::Sale, "sale.tbl");
    for (int i = 1; i <= kSales; ++i) {
        sales->append();
        sales->setNumber(sale::INVOICE, i);
        sales->setText(sale::NAME, "CUSTOMER " + std::to_string(i));
        sales->post();
    }
    dir.table(Kind::Sale, "blank.tbl");
}

int rowsOf(const std::string& path) {
    Table t(Kind::Sale);
    t.setFileName(path);
    t.setReadOnly(true);
    t.open();
    return t.recordCount();
}
} // namespace

TEST(CloseYearFiles, AnInterruptionNeverLeavesTheShopWithoutItsSaleTable) {
    for (int stop = 0; stop <= 3; ++stop)
        for (bool kill : {false, true}) {
            TestDir dir;
            makeShop(dir);
            const QString folder = QString::fromStdString(dir.path().string());
            const QString target = QString::fromStdString(dir.file("2004.tbl"));
            auto interrupt = [&](int step) {
                if (step != stop) return;
                if (kill) raise(SIGKILL);
                throw core::FileError("the disk is full");
            };
            if (kill) {
                const pid_t child = fork();
                if (child == 0) {
                    maintenance::closeYearFiles(folder, target, interrupt);
                    _exit(0);
                }
                int status = 0;
                waitpid(child, &status, 0);
                ASSERT_TRUE(WIFSIGNALED(status)) << "step " << stop;
            } else {
                EXPECT_THROW(maintenance::closeYearFiles(folder, target, interrupt),
                             core::FileError);
            }
            // Always a whole sale.tbl: the old year, or (killed after the switch) the new one.
            const int rows = rowsOf(dir.file("sale.tbl"));
            if (rows == kSales) {
                if (!kill) {
                    EXPECT_FALSE(QFile::exists(target)) << "step " << stop;
                }
            } else {
                EXPECT_EQ(rows, 0);
                EXPECT_EQ(rowsOf(target.toStdString()), kSales);
            }
            EXPECT_FALSE(QFile::exists(target + ".part") && !kill);
        }
    TestDir dir;
    makeShop(dir);
    maintenance::closeYearFiles(QString::fromStdString(dir.path().string()),
                                QString::fromStdString(dir.file("2004.tbl")));
    EXPECT_EQ(rowsOf(dir.file("sale.tbl")), 0);
    EXPECT_EQ(rowsOf(dir.file("2004.tbl")), kSales);
    EXPECT_EQ(rowsOf(dir.file("blank.tbl")), 0);
}
