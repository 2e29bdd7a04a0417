// The backup program's round trip, and its refusal of a damaged backup, for a shop in a folder
// and for one on a server.
#include "archive.h"
#include "store/data_dir.h"
#include "store/table.h"
#include "test_dir.h"
#include "test_shop.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <zip.h>

using namespace store;

namespace {
const int kProducts = 300;

// A shop: a data directory with products, and its .pos files.
QString makeShop(const TestDir& dir) {
    createDataDirectory(dir.file("data"));
    Table p(Kind::Product);
    p.setFileName(dir.file("data/product.tbl"));
    p.open();
    Transaction tx(p);
    for (int i = 0; i < kProducts; ++i) {
        p.append();
        p.setText(product::PRODUCT, "Product " + std::to_string(i));
        p.setText(product::QUANTITY, std::to_string(i));
        p.post();
    }
    tx.commit();
    QFile prefs(QString::fromStdString(dir.file("prefs.pos")));
    prefs.open(QIODevice::WriteOnly);
    prefs.write("Corner Shop\r\n");
    return QString::fromStdString(dir.file("data"));
}

int products(const TestDir& dir) {
    Table p(Kind::Product);
    p.setFileName(dir.file("data/product.tbl"));
    p.setReadOnly(true);
    p.open();
    return p.recordCount();
}
} // namespace

TEST(BackupProgram, RestoresEveryRowAfterTheDataWasDamaged) {
    TestDir dir;
    const QString work = QString::fromStdString(dir.path().string());
    const QString data = makeShop(dir);
    // A sale open on the register: its journal, kept with the stock it agrees with, goes too.
    auto journal = dir.table(Kind::Journal, "data/product.tbl#journal_till");
    journal->append();
    journal->setText(journal::TEXT, "Product 0");
    journal->post();
    const QString zip = QString::fromStdString(dir.file("120926.zip"));
    ab32::backup(work, data, zip);
    EXPECT_TRUE(QFile::exists(zip));
    EXPECT_FALSE(QFile::exists(zip + ".part"));

    // The day goes wrong: rows deleted, a table overwritten with rubbish, prefs lost.
    {
        Table p(Kind::Product);
        p.setFileName(dir.file("data/product.tbl"));
        p.open();
        p.first();
        for (int i = 0; i < 100; ++i)
            p.remove();
    }
    journal->first();
    journal->remove();
    journal->close();
    QFile sale(data + "/sale.tbl");
    sale.open(QIODevice::WriteOnly);
    sale.write("rubbish");
    sale.close();
    QFile::remove(work + "/prefs.pos");
    EXPECT_EQ(products(dir), kProducts - 100);

    const QString kept = ab32::restore(zip, work, data);
    EXPECT_EQ(products(dir), kProducts);
    Table s(Kind::Sale);
    s.setFileName(dir.file("data/sale.tbl"));
    s.open();
    EXPECT_EQ(s.recordCount(), 0);
    EXPECT_TRUE(QFile::exists(work + "/prefs.pos"));
    journal->open();
    EXPECT_EQ(journal->recordCount(), 1);
    journal->close();
    // What was replaced is kept aside.
    QFile keptSale(kept + "/sale.tbl");
    ASSERT_TRUE(keptSale.open(QIODevice::ReadOnly));
    EXPECT_EQ(keptSale.readAll(), QByteArray("rubbish"));
    // Restored again at once: what the first restore put in place is kept in a folder of
    // its own, the first restore's kept files untouched. Folders named for these seconds are
    // there already, as a restore a moment earlier would have left them.
    QStringList taken;
    for (int s = 0; s < 3; ++s) {
        taken << work + "/replaced-" +
                     QDateTime::currentDateTime().addSecs(s).toString("yyyyMMdd-hhmmss");
        QDir().mkpath(taken.back());
    }
    const QString keptAgain = ab32::restore(zip, work, data);
    EXPECT_FALSE(taken.contains(keptAgain)) << keptAgain.toStdString();
    EXPECT_NE(keptAgain, kept);
    QFile keptFirst(kept + "/sale.tbl");
    ASSERT_TRUE(keptFirst.open(QIODevice::ReadOnly));
    EXPECT_EQ(keptFirst.readAll(), QByteArray("rubbish"));
    EXPECT_TRUE(QFile::exists(keptAgain + "/sale.tbl"));
}

TEST(BackupProgram, RefusesADamagedBackupBeforeTouchingAnything) {
    TestDir dir;
    const QString work = QString::fromStdString(dir.path().string());
    const QString data = makeShop(dir);
    // A backup whose product table does not pass its check.
    const QString zip = QString::fromStdString(dir.file("bad.zip"));
    int err = 0;
    zip_t* z = zip_open(zip.toUtf8().constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    ASSERT_NE(z, nullptr);
    static const char rubbish[] = "SQLite format 3\0 and then nothing sensible at all";
    zip_file_add(z, "data/product.tbl", zip_source_buffer(z, rubbish, sizeof rubbish, 0), 0);
    ASSERT_EQ(zip_close(z), 0);
    EXPECT_THROW(ab32::restore(zip, work, data), ab32::Failure);
    EXPECT_EQ(products(dir), kProducts);
    EXPECT_TRUE(QDir(work).entryList({"replaced-*"}, QDir::Dirs).isEmpty());
    // Nor is a file that is no zip at all taken for one.
    EXPECT_THROW(ab32::restore(work + "/prefs.pos", work, data), ab32::Failure);
}

// A shop on a server: its database goes into the backup whole and comes back in one step.
TEST(BackupProgram, ServerShopComesBackWholeAndADamagedBackupTouchesNothing) {
    TestShop shop(Backend::Server);
    const QString work = QString::fromStdString(shop.dir().path().string());
    const QString uri = QString::fromStdString(shop.dataPath());
    createShop(shop.dataPath());
    {
        auto p = shop.open(Kind::Product, "product");
        Transaction tx(*p);
        for (int i = 0; i < kProducts; ++i) {
            p->append();
            p->setText(product::PRODUCT, "Product " + std::to_string(i));
            p->post();
        }
        tx.commit();
    }
    const QString zip = work + "/120926.zip";
    ab32::backup(work, uri, zip);

    // Rows deleted and a sale stored after the backup.
    {
        auto p = shop.open(Kind::Product, "product");
        p->first();
        for (int i = 0; i < 100; ++i)
            p->remove();
        auto s = shop.open(Kind::Sale, "sale");
        s->append();
        s->setNumber(sale::INVOICE, 1);
        s->post();
    }
    // A backup whose database does not read back is refused before anything changes.
    const QString bad = work + "/bad.zip";
    int err = 0;
    zip_t* z = zip_open(bad.toUtf8().constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    ASSERT_NE(z, nullptr);
    static const char rubbish[] = "PGDMP and then nothing sensible";
    zip_file_add(z, "server/shop.dump", zip_source_buffer(z, rubbish, sizeof rubbish, 0), 0);
    ASSERT_EQ(zip_close(z), 0);
    EXPECT_THROW(ab32::restore(bad, work, uri), ab32::Failure);
    EXPECT_EQ(shop.open(Kind::Product, "product")->recordCount(), kProducts - 100);
    // Nor is a backup of a shop in a folder put into a database.
    TestDir other;
    const QString folderZip = QString::fromStdString(other.file("folder.zip"));
    ab32::backup(QString::fromStdString(other.path().string()), makeShop(other), folderZip);
    EXPECT_THROW(ab32::restore(folderZip, work, uri), ab32::Failure);
    EXPECT_TRUE(QDir(work).entryList({"replaced-*"}, QDir::Dirs).isEmpty());

    const QString kept = ab32::restore(zip, work, uri);
    EXPECT_EQ(shop.open(Kind::Product, "product")->recordCount(), kProducts);
    EXPECT_EQ(shop.open(Kind::Sale, "sale")->recordCount(), 0);
    EXPECT_TRUE(QFile::exists(kept + "/shop.dump")) << "the database as it was is not kept";
}
