#include "maintenance/year_files.h"

#include "core/errors.h"

#include <QDir>
#include <QFile>

#include <filesystem>

namespace maintenance {

namespace {
[[noreturn]] void failed(const QString& what) {
    throw core::FileError(QString("%1\rThe year was not closed.").arg(what).toStdString());
}

// A copy written aside and flushed to disk before it takes its name.
void copyWhole(const QString& from, const QString& to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        failed(QString("Cannot read %1: %2").arg(from, in.errorString()));
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        failed(QString("Cannot write %1: %2").arg(to, out.errorString()));
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 20);
        if (block.isEmpty() && in.error() != QFile::NoError)
            failed(QString("Cannot read %1: %2").arg(from, in.errorString()));
        if (out.write(block) != block.size())
            failed(QString("Cannot write %1: %2").arg(to, out.errorString()));
    }
    if (!out.flush()) failed(QString("Cannot write %1: %2").arg(to, out.errorString()));
    out.close();
}

// Renames over an existing file in one step (the file system's rename).
void replace(const QString& from, const QString& to) {
    std::error_code ec;
    std::filesystem::rename(from.toStdString(), to.toStdString(), ec);
    if (ec)
        failed(QString("Cannot rename %1 to %2: %3")
                   .arg(from, to, QString::fromStdString(ec.message())));
}
} // namespace

void closeYearFiles(const QString& dir, const QString& target,
                    const std::function<void(int)>& step) {
    const QDir d(dir);
    const QString current = d.filePath("sale.tbl");
    const QString fresh = d.filePath("sale.tbl.closing");
    const QString part = target + ".part";
    // What an interrupted earlier close may have left is never a file anyone uses.
    QFile::remove(fresh);
    QFile::remove(part);
    auto at = [&](int n) {
        if (step) step(n);
    };
    bool archived = false;
    try {
        at(0);
        copyWhole(d.filePath("blank.tbl"), fresh);
        at(1);
        copyWhole(current, part);
        at(2);
        replace(part, target);
        archived = true;
        at(3);
        replace(fresh, current);
    } catch (...) {
        // Back as it was: the old year in place, no archive, no file half made.
        QFile::remove(fresh);
        QFile::remove(part);
        if (archived) QFile::remove(target);
        throw;
    }
}

} // namespace maintenance
