#pragma once

#include <QMap>
#include <QString>

#include <functional>
#include <stdexcept>

// The backup program's work: one zip of the shop's tables and settings, and its restore.
namespace ab32 {

// What went wrong, in words for the user.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The key=value lines of ab.ini (section lines ignored).
class Settings {
public:
    static Settings read(const QString& path);
    QString text(const QString& key, const QString& fallback = {}) const {
        return m_values.value(key, fallback);
    }

private:
    QMap<QString, QString> m_values;
};

using Progress = std::function<void(int done, int total)>;

// The data directory named by the first line of datapath.pos in `workDir`, or the URI of the
// shop's database on a server.
QString dataDirectory(const QString& workDir);

// Writes the zip `location`: every table of `dataDir` (copied consistently with SQLite's
// online backup and checked) under "data/", or for a shop on a server its database (written by
// pg_dump and checked) as "server/shop.dump", and the .pos files of `workDir` under "work/".
// The zip is written aside and renamed, so it is whole or absent.
void backup(const QString& workDir, const QString& dataDir, const QString& location,
            const Progress& progress = {});

// Checks every table of the archive before touching anything, keeps the files it replaces in
// a dated folder of `workDir` (returned), then puts the archive's files in place. For a shop
// on a server the database as it was is kept there too, and pg_restore puts the backup in
// its place in one transaction.
QString restore(const QString& archive, const QString& workDir, const QString& dataDir,
                const Progress& progress = {});

} // namespace ab32
