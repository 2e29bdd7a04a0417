#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace store {

// A shop's tables live in a folder (the data path is the folder, ending in a separator) or in
// a database on a PostgreSQL server (the data path is a connection URI,
// postgresql://user@host/shop or postgresql:///shop?host=/run/postgresql).
bool isServerPath(std::string_view dataPath);

// Where table `name` ("customer", "sale", an archived year, …) of the shop at `dataPath` is:
// the file DATAPATHname.tbl, or for a server the URI followed by "#name".
std::string tablePlace(const std::string& dataPath, const std::string& name);

// Where table `name` of the shop at `dataPath` is kept with table `host`: in the host's own
// file (FILE#name), so that one commit of that file stores changes to both; on a server, a
// table of the shop's database like any other.
std::string tablePlaceWith(const std::string& dataPath, const std::string& host,
                           const std::string& name);

// A file's place taken apart: the file, and the table kept in it ("" for the file's own).
struct FileTable {
    std::string file;
    std::string table;
    // As messages name it: the file, and the table when it is not the file's own.
    std::string shown() const { return table.empty() ? file : file + " table " + table; }
};
FileTable fileTable(const std::string& place);

// Whether `name` may name a table kept in another's file: lower-case letters, digits, "_".
bool plainTableName(std::string_view name);

// A table's place on a server, taken apart; nothing for a file.
struct ServerTable {
    std::string connection; // the URI
    std::string table;
};
std::optional<ServerTable> serverTable(const std::string& place);

// The URI without its password, for messages and titles.
std::string shownConnection(const std::string& uri);

} // namespace store
