#include "core/text_file.h"

#include "core/errors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace core {

QStringList readLines(const QString& path) {
    QFile f(path);
    if (!f.exists()) return {};
    if (!f.open(QIODevice::ReadOnly))
        throw FileError(QString("Cannot read %1: %2").arg(path, f.errorString()).toStdString());
    QString text = QString::fromUtf8(f.readAll());
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == '\r' || c == '\n') {
            lines << text.mid(start, i - start);
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines << text.mid(start);
    return lines;
}

void writeLines(const QString& path, const QStringList& lines) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw FileError(QString("Cannot write %1: %2").arg(path, f.errorString()).toStdString());
    QByteArray out;
    for (const QString& line : lines) {
        out += line.toUtf8();
        out += "\r\n";
    }
    f.write(out);
    if (!f.commit())
        throw FileError(QString("Cannot write %1: %2").arg(path, f.errorString()).toStdString());
}

bool fileExists(const QString& path) {
    return QFileInfo(path).isFile();
}

void removeFile(const QString& path) {
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw FileError(QString("Cannot delete %1").arg(path).toStdString());
}

} // namespace core
