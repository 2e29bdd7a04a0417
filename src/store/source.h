#pragma once

// Where a table's rows live: the engine's navigation and editing (Table) run over one of these,
// a table file or a table on a database server. Sources speak in field texts: a number field's
// text is its shortest form ("12", "1.5"), a text field's as stored.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3;

namespace store {

struct Layout;

// One row's field texts back to back.
struct Row {
    std::int64_t rid = 0;
    std::string data;                // every field's text back to back
    std::vector<std::uint32_t> ends; // end offset of each field in `data`
    std::string_view field(int pos) const {
        std::uint32_t b = pos == 0 ? 0 : ends[pos - 1];
        return std::string_view(data).substr(b, ends[pos] - b);
    }
};

// A field compared for equality by locate(); `trimmed` compares with blanks trimmed from both
// ends on both sides.
struct Match {
    int pos;
    std::string value;
    bool trimmed = false;
};

using RowVisitor =
    std::function<void(std::int64_t rid, const std::vector<std::string_view>& fields)>;

class Source {
public:
    virtual ~Source() = default;

    // The order rows are read in: by field `key` then identity, or by identity alone (-1).
    virtual void setOrder(int key) = 0;
    // Up to `limit` rows in order from the first, or from the one following `after`.
    virtual int fetch(const Row* after, std::vector<Row>& into, int limit) = 0;
    virtual bool fetchLast(Row& into) = 0;
    virtual bool fetchRid(std::int64_t rid, Row& into) = 0;
    // The first row in order whose fields match; a number field matched against a text that
    // is no number matches nothing.
    virtual bool locate(const std::vector<Match>& equals, Row& into) = 0;
    virtual int count() = 0;
    virtual std::vector<std::int64_t> rowIds() = 0;
    virtual void scan(const std::vector<int>& fields, const RowVisitor& visit) = 0;

    // The edit texts of every field; insert returns the new row's identity, update whether
    // the row still existed.
    virtual std::int64_t insert(const std::vector<std::string>& fields) = 0;
    virtual bool update(std::int64_t rid, const std::vector<std::string>& fields) = 0;
    virtual void remove(std::int64_t rid) = 0;

    // A transaction that keeps every other writer of this table (and of the joined one, see
    // join()) waiting until it ends, so that what it reads stays true until it is stored.
    virtual void begin() = 0;
    virtual void commit() = 0;
    // Must not throw when the connection is gone: the transaction is gone with it.
    virtual void rollback() = 0;

    // Lets one transaction of this source also cover `others` (sources of the same kind of
    // place: files, or tables of one database); none with an empty list.
    virtual void join(const std::vector<Source*>& others) = 0;
    // Inside a transaction, on joined source number `which`: sets fields of every row whose
    // fields equal `where` (texts as given, already cut to their widths), returning how many
    // rows changed; adds a row (every field's edit text, as for insert) returning its
    // identity; deletes the row with identity `rid`, or every row when `rid` is 0.
    virtual int updateJoined(size_t which, const std::vector<std::pair<int, std::string>>& where,
                             const std::vector<std::pair<int, std::string>>& set) = 0;
    virtual std::int64_t insertJoined(size_t which, const Layout& layout,
                                      const std::vector<std::string>& fields) = 0;
    virtual void deleteJoined(size_t which, std::int64_t rid) = 0;

    virtual sqlite3* sqliteHandle() const { return nullptr; }
};

} // namespace store
