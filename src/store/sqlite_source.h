#pragma once

#include "store/layouts.h"
#include "store/source.h"

#include <memory>
#include <optional>
#include <string>

namespace store {

// A table file (NAME.tbl): a self-contained SQLite database holding the rows, the layout and
// the indexes. Opening checks the file is whole and holds `layout`; errors name the file.
// The layout a table file says it holds, or nothing when it is not a readable table file.
std::optional<Kind> fileKind(const std::string& path);

std::unique_ptr<Source> openTableFile(const std::string& path, const Layout& layout, bool readOnly);

} // namespace store
