#pragma once

#include <QString>
#include <QStringList>

namespace core {

// The program's line-oriented files (.pos) in the working directory.

// The lines of a file; CR LF, LF and a lone CR all end a line. Throws FileError when the
// file exists but cannot be read; a missing file gives no lines.
QStringList readLines(const QString& path);

// Line `n` (from 0), empty when the file is shorter.
inline QString lineAt(const QStringList& lines, int n) {
    return n < lines.size() ? lines[n] : QString();
}

// Writes the file anew, every line ended by CR LF. The new text is written beside the file
// and renamed over it, so a crash leaves either the old file or the new one, whole.
void writeLines(const QString& path, const QStringList& lines);

bool fileExists(const QString& path);
void removeFile(const QString& path);

} // namespace core
