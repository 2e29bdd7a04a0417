#pragma once

#include "store/layouts.h"
#include "store/place.h"
#include "store/source.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The shop's tables on a PostgreSQL server. Every table of one database shares one
// connection per program, so that one transaction can cover several tables; a connection
// lost (server restarting, network down) is made anew at the next operation.
namespace store {

// Opens a table of the shop's database; `shown` names it in messages.
std::unique_ptr<Source> openServerTable(const ServerTable& place, const std::string& shown,
                                        const Layout& layout, bool readOnly);

// The layout a server table holds, or nothing when there is no shop table by that name.
std::optional<Kind> serverTableKind(const ServerTable& place);

// Makes the shop's tables in the database of `uri` (the database itself when the server has
// none by that name). Refuses, before writing anything, a database that holds a shop table.
void createServerShop(const std::string& uri);

// Makes one empty table of `kind` (and the database when missing); refuses one that exists.
void createServerTable(const ServerTable& place, Kind kind);

// Whether the database holds a table by that name, of the shop's or not.
bool serverTableExists(const ServerTable& place);

// Renames the table to the first free name among `base`, `base_2`, …; returns it.
std::string setServerTableAside(const ServerTable& place, const std::string& base);

// Whether the database holds the shop's tables; throws EngineError when it cannot be reached.
bool serverShopPresent(const std::string& uri);

// The closed years kept in the shop's database, by name.
std::vector<std::string> archivedYears(const std::string& uri);

// Closes the year on a server in one transaction: the sale table takes the name `archive`,
// and a new sale table is made from the template blank (rows included).
void closeServerYear(const std::string& uri, const std::string& archive);

// Whether `name` may name an archived year: letters, digits and "_", starting with a letter,
// at most 63 characters.
bool validArchiveName(const std::string& name);

} // namespace store
