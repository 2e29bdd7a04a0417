#pragma once

#include <QString>

#include <functional>

namespace maintenance {

// The files of closing a year: the current sale.tbl of `dir` becomes the archive `target`,
// and an empty copy of the template blank.tbl takes its place. Done in an order that leaves
// a sale.tbl in `dir` at every moment (the old year until the archive is whole, then the new
// one), so that an interruption never leaves the shop without its sale table. `step(n)` runs
// before each change (tests interrupt there). Throws FileError, after putting things back,
// when a copy or a rename fails. The sale table must be closed.
void closeYearFiles(const QString& dir, const QString& target,
                    const std::function<void(int step)>& step = {});

} // namespace maintenance
