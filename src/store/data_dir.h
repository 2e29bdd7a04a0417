#pragma once

#include "store/layouts.h"

#include <string>

namespace store {

// Creates an empty table file of the given layout; refuses to overwrite any file. For a
// table kept in another's file (FILE#name), adds it to that file; refuses one that exists.
void createTableFile(const std::string& place, Kind kind);

// Creates an empty table of the given layout at a place (see place.h): a file, or a table in
// a server's database; refuses to overwrite any.
void createTable(const std::string& place, Kind kind);

// Whether there is a table (whole or not) at `place`.
bool tableExists(const std::string& place);

// Renames the table at `place` (kept in another's file, or on a server) to the first free
// name among `base`, `base_2`, `base_3`, …, and returns the name it took: a damaged table
// kept for the owner to look at, out of the way of a new one.
std::string setTableAside(const std::string& place, const std::string& base);

// The table files of a data directory, in the order they are made.
struct DataFile {
    const char* name;
    Kind kind;
};
inline constexpr DataFile kDataFiles[] = {{"customer.tbl", Kind::Customer},
                                          {"product.tbl", Kind::Product},
                                          {"sale.tbl", Kind::Sale},
                                          {"security.tbl", Kind::Security},
                                          {"blank.tbl", Kind::Sale}};

// Makes DIR (when missing) with the four empty tables and the empty-year template.
// Refuses, before writing anything, when any of those files already exists.
void createDataDirectory(const std::string& dir);

// Makes a new shop: a data directory as above, or, for a server's URI, the tables in that
// database (see createServerShop).
void createShop(const std::string& where);

// Fills a fresh shop (a folder or a server's URI) with a small believable shop to try the
// program on.
void fillSampleShop(const std::string& where);

} // namespace store
