#pragma once

#include "store/layouts.h"
#include "store/source.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace store {

// A table file (NAME.tbl): a self-contained SQLite database holding the rows, the layout and
// the indexes. Opening checks the file is whole and holds `layout`; errors name the file.
// The layout a table file says it holds, or nothing when it is not a readable table file.
std::optional<Kind> fileKind(const std::string& path);

// The SQLite tables that hold a table in its file: its rows, its kind and its fields. For the
// file's own table (name "") rows, meta and layout; for one kept in another table's file
// NAME, NAME_meta and NAME_layout.
struct FileTableParts {
    std::string rows, meta, fields;
    std::array<std::string, 3> all() const { return {rows, meta, fields}; }
};
FileTableParts fileTableParts(const std::string& name);

// A name as SQL takes it, between double quotes.
std::string sqlName(const std::string& name);

std::unique_ptr<Source> openTableFile(const std::string& path, const Layout& layout, bool readOnly);

} // namespace store
