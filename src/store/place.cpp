#include "store/place.h"

#include "store/errors.h"

#include <cctype>
#include <regex>

namespace store {

namespace {
bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}
} // namespace

bool isServerPath(std::string_view dataPath) {
    return startsWithNoCase(dataPath, "postgresql://") || startsWithNoCase(dataPath, "postgres://");
}

std::string tablePlace(const std::string& dataPath, const std::string& name) {
    if (isServerPath(dataPath)) return dataPath + "#" + name;
    return dataPath + name + ".tbl";
}

std::string tablePlaceWith(const std::string& dataPath, const std::string& host,
                           const std::string& name) {
    // Anything else would not read back as a table kept in the host's file.
    if (!plainTableName(name)) throw EngineError("'" + name + "' cannot name a table");
    if (isServerPath(dataPath)) return tablePlace(dataPath, name);
    return tablePlace(dataPath, host) + "#" + name;
}

bool plainTableName(std::string_view name) {
    if (name.empty() || name.size() > 63) return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

FileTable fileTable(const std::string& place) {
    // A "#" in a folder's name is no table: the part after the last one must be a plain name
    // and the part before it a table file.
    const size_t hash = place.rfind('#');
    if (hash != std::string::npos && hash >= 4 && place.compare(hash - 4, 4, ".tbl") == 0 &&
        plainTableName(std::string_view(place).substr(hash + 1)))
        return {place.substr(0, hash), place.substr(hash + 1)};
    return {place, {}};
}

std::optional<ServerTable> serverTable(const std::string& place) {
    if (!isServerPath(place)) return std::nullopt;
    const size_t hash = place.rfind('#');
    if (hash == std::string::npos) return ServerTable{place, {}};
    return ServerTable{place.substr(0, hash), place.substr(hash + 1)};
}

std::string shownConnection(const std::string& uri) {
    // user:password@ in the authority, and password=… among the parameters.
    static const std::regex inAuthority(R"(^([A-Za-z]+://[^/@:?]*):[^/@?]*@)");
    static const std::regex asParameter(R"(([?&])password=[^&]*&?)");
    std::string shown = std::regex_replace(uri, inAuthority, "$1@");
    shown = std::regex_replace(shown, asParameter, "$1");
    if (!shown.empty() && (shown.back() == '&' || shown.back() == '?')) shown.pop_back();
    return shown;
}

} // namespace store
