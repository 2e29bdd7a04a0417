#include "archive.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <zip.h>

#include <filesystem>
#include <memory>

namespace ab32 {

namespace {
[[noreturn]] void fail(const QString& what) {
    throw Failure(what.toStdString());
}

// A table copied page by page while no one writes it, as SQLite's online backup does.
void copyTable(const QString& from, const QString& to) {
    sqlite3* src = nullptr;
    sqlite3* dst = nullptr;
    auto close = [&] {
        sqlite3_close(src);
        sqlite3_close(dst);
    };
    if (sqlite3_open_v2(from.toUtf8().constData(), &src, SQLITE_OPEN_READONLY, nullptr) !=
            SQLITE_OK ||
        sqlite3_open(to.toUtf8().constData(), &dst) != SQLITE_OK) {
        close();
        fail(QString("Cannot copy %1.").arg(from));
    }
    sqlite3_backup* b = sqlite3_backup_init(dst, "main", src, "main");
    const int rc = b ? sqlite3_backup_step(b, -1) : SQLITE_ERROR;
    sqlite3_backup_finish(b);
    const QString why = QString::fromUtf8(sqlite3_errmsg(dst));
    close();
    if (rc != SQLITE_DONE) fail(QString("Cannot copy %1: %2").arg(from, why));
}

// True when the file is a whole SQLite database.
bool wholeTable(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_stmt* st = nullptr;
    bool ok = sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
              sqlite3_step(st) == SQLITE_ROW &&
              QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) == "ok";
    sqlite3_finalize(st);
    sqlite3_close(db);
    return ok;
}

QString zipError(zip_t* z) {
    return QString::fromUtf8(zip_strerror(z));
}

// A shop whose tables are in a database on a PostgreSQL server.
bool onServer(const QString& dataPath) {
    return dataPath.startsWith("postgresql://", Qt::CaseInsensitive) ||
           dataPath.startsWith("postgres://", Qt::CaseInsensitive);
}

// Runs one of PostgreSQL's client programs (pg_dump, pg_restore); fails with what it said.
void runClient(const QString& program, const QStringList& args, const QString& doing) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(program, args);
    if (!p.waitForStarted())
        fail(QString("%1: %2 cannot be started (it comes with the package postgresql-client).")
                 .arg(doing, program));
    p.closeWriteChannel();
    p.waitForFinished(-1);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        QString why = QString::fromUtf8(p.readAllStandardError()).trimmed();
        why.replace(program + ": ", "");
        fail(QString("%1: %2").arg(doing, why.section('\n', 0, 2)));
    }
}

// The shop's database written whole into one file, and checked to read back.
void dumpShop(const QString& uri, const QString& file) {
    runClient("pg_dump", {"--format=custom", "--file=" + file, "--dbname=" + uri},
              "The shop's database cannot be backed up");
    runClient("pg_restore", {"--list", file}, "The backup of the shop's database is not whole");
}
} // namespace

Settings Settings::read(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) fail(QString("Cannot read %1.").arg(path));
    Settings s;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const qsizetype eq = line.indexOf('=');
        if (line.startsWith('[') || eq <= 0) continue;
        s.m_values.insert(line.left(eq), line.mid(eq + 1));
    }
    return s;
}

QString dataDirectory(const QString& workDir) {
    QFile f(QDir(workDir).filePath("datapath.pos"));
    if (!f.open(QIODevice::ReadOnly)) fail("The shop's datapath.pos cannot be read.");
    const QString path = QString::fromUtf8(f.readLine()).trimmed();
    if (path.isEmpty()) fail("datapath.pos names no data directory.");
    if (onServer(path)) return path;
    return QDir(workDir).absoluteFilePath(path);
}

void backup(const QString& workDir, const QString& dataDir, const QString& location,
            const Progress& progress) {
    QTemporaryDir tmp;
    if (!tmp.isValid()) fail("Cannot make a folder for the copies.");
    struct Entry {
        QString name, file;
    };
    std::vector<Entry> entries;
    const bool server = onServer(dataDir);
    const QStringList tables =
        server ? QStringList() : QDir(dataDir).entryList({"*.tbl"}, QDir::Files, QDir::Name);
    int done = 0;
    const int total = int(tables.size()) + (server ? 2 : 1);
    if (server) {
        // The whole database as it stands at one moment, whatever the registers do meanwhile.
        dumpShop(dataDir, tmp.filePath("shop.dump"));
        entries.push_back({"server/shop.dump", tmp.filePath("shop.dump")});
        if (progress) progress(++done, total);
    }
    for (const QString& t : tables) {
        const QString copy = tmp.filePath(t);
        copyTable(QDir(dataDir).filePath(t), copy);
        if (!wholeTable(copy))
            fail(QString("The table %1 is damaged; it was not backed up.").arg(t));
        entries.push_back({"data/" + t, copy});
        if (progress) progress(++done, total);
    }
    for (const QString& p : QDir(workDir).entryList({"*.pos"}, QDir::Files, QDir::Name))
        entries.push_back({"work/" + p, QDir(workDir).filePath(p)});

    const QString part = location + ".part";
    QFile::remove(part);
    int err = 0;
    zip_t* z = zip_open(part.toUtf8().constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z) fail(QString("Cannot write %1.").arg(location));
    for (const Entry& e : entries) {
        zip_source_t* src = zip_source_file(z, e.file.toUtf8().constData(), 0, -1);
        if (!src || zip_file_add(z, e.name.toUtf8().constData(), src, ZIP_FL_OVERWRITE) < 0) {
            const QString why = zipError(z);
            zip_source_free(src);
            zip_discard(z);
            QFile::remove(part);
            fail(QString("Cannot add %1 to the backup: %2").arg(e.name, why));
        }
    }
    if (zip_close(z) < 0) {
        const QString why = zipError(z);
        zip_discard(z);
        QFile::remove(part);
        fail(QString("Cannot write %1: %2").arg(location, why));
    }
    std::error_code ec;
    std::filesystem::rename(part.toStdString(), location.toStdString(), ec);
    if (ec) {
        QFile::remove(part);
        fail(QString("Cannot write %1: %2").arg(location, QString::fromStdString(ec.message())));
    }
    if (progress) progress(total, total);
}

QString restore(const QString& archive, const QString& workDir, const QString& dataDir,
                const Progress& progress) {
    int err = 0;
    zip_t* z = zip_open(archive.toUtf8().constData(), ZIP_RDONLY | ZIP_CHECKCONS, &err);
    if (!z) fail(QString("%1 is not a backup that can be read.").arg(archive));
    std::unique_ptr<zip_t, void (*)(zip_t*)> closer(z, [](zip_t* a) { zip_discard(a); });
    QTemporaryDir tmp;
    if (!tmp.isValid()) fail("Cannot make a folder to check the backup in.");

    // Everything out and checked first: a damaged backup touches nothing.
    struct Entry {
        QString extracted, target;
    };
    std::vector<Entry> entries;
    const bool server = onServer(dataDir);
    QString dump; // the database's backup, for a shop on a server
    const zip_int64_t n = zip_get_num_entries(z, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        const QString name = QString::fromUtf8(zip_get_name(z, zip_uint64_t(i), 0));
        const QString base = QFileInfo(name).fileName();
        QString target;
        if (name.startsWith("data/") && base.endsWith(".tbl")) {
            if (server)
                fail(QString("%1 holds a shop kept in a folder; this shop is on a server.\nNothing "
                             "was restored.")
                         .arg(archive));
            target = QDir(dataDir).filePath(base);
        } else if (name == "server/shop.dump") {
            if (!server)
                fail(QString("%1 holds a shop kept on a server; this shop is in a folder.\nNothing "
                             "was restored.")
                         .arg(archive));
        } else if (name.startsWith("work/") && base.endsWith(".pos"))
            target = QDir(workDir).filePath(base);
        else
            continue; // nothing of ours
        zip_file_t* f = zip_fopen_index(z, zip_uint64_t(i), 0);
        if (!f) fail(QString("The backup is damaged: %1 cannot be read.").arg(name));
        QFile out(tmp.filePath(name.section('/', 0, 0) + "-" + base));
        if (!out.open(QIODevice::WriteOnly)) {
            zip_fclose(f);
            fail("Cannot make a folder to check the backup in.");
        }
        char buf[65536];
        zip_int64_t got;
        while ((got = zip_fread(f, buf, sizeof buf)) > 0)
            out.write(buf, got);
        zip_fclose(f);
        out.close();
        if (got < 0) fail(QString("The backup is damaged: %1 cannot be read.").arg(name));
        if (base.endsWith(".tbl") && !wholeTable(out.fileName()))
            fail(QString("The backup is damaged: the table %1 does not pass its check.\nNothing "
                         "was restored.")
                     .arg(base));
        if (name == "server/shop.dump") {
            try {
                runClient("pg_restore", {"--list", out.fileName()}, "The backup is damaged");
            } catch (const Failure& f) {
                fail(QString::fromUtf8(f.what()) + "\nNothing was restored.");
            }
            dump = out.fileName();
            continue;
        }
        entries.push_back({out.fileName(), target});
    }
    if (entries.empty() && dump.isEmpty())
        fail(QString("%1 holds no backup of this program.").arg(archive));

    // The files about to be replaced are kept, in a folder of this restore's own (a second
    // restore in the same second must not find the first one's there).
    const QString stamp = QDir(workDir).filePath(
        "replaced-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss"));
    QString kept = stamp;
    for (int n = 2; QFileInfo::exists(kept); ++n)
        kept = stamp + "-" + QString::number(n);
    if (!QDir().mkpath(kept))
        fail(QString("Cannot make %1 to keep the files the backup replaces. Nothing was restored.")
                 .arg(kept));
    for (const Entry& e : entries)
        if (QFileInfo::exists(e.target) &&
            !QFile::copy(e.target, QDir(kept).filePath(QFileInfo(e.target).fileName())))
            fail(QString("Cannot keep a copy of %1 in %2. Nothing was restored.")
                     .arg(e.target, kept));
    int done = 0;
    if (!dump.isEmpty()) {
        // The database as it is now is kept too, then the backup takes its place in one
        // transaction: restored whole, or not at all. Closed years made since stay.
        dumpShop(dataDir, QDir(kept).filePath("shop.dump"));
        runClient("pg_restore",
                  {"--clean", "--if-exists", "--single-transaction", "--exit-on-error",
                   "--no-owner", "--no-privileges", "--dbname=" + dataDir, dump},
                  QString("The shop's database was not restored (as it was before is kept in "
                          "%1)")
                      .arg(kept));
        if (progress) progress(++done, int(entries.size()) + 1);
    }
    for (const Entry& e : entries) {
        const QString aside = e.target + ".restoring";
        QFile::remove(aside);
        if (!QFile::copy(e.extracted, aside))
            fail(QString("Cannot write %1. The replaced files are kept in %2.").arg(aside, kept));
        std::error_code ec;
        std::filesystem::rename(aside.toStdString(), e.target.toStdString(), ec);
        if (ec)
            fail(
                QString("Cannot write %1. The replaced files are kept in %2.").arg(e.target, kept));
        if (progress) progress(++done, int(entries.size()) + (dump.isEmpty() ? 0 : 1));
    }
    return kept;
}

} // namespace ab32
