#pragma once

#include "store/layouts.h"
#include "store/source.h"
#include "store/sqlite_source.h"
#include "store/text.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace store {

// Many rows' field texts in one block of memory, for grids that show a whole table.
struct RowSet {
    int fields = 0;
    std::string arena;               // every field's text back to back, trailing blanks gone
    std::vector<std::uint32_t> ends; // end offset of each field, row by row
    std::vector<std::int64_t> rids;  // each row's stored identity (see Table::rowId)
    int rows() const { return fields ? int(ends.size() / fields) : 0; }
    std::string_view field(int row, int f) const {
        const size_t i = size_t(row) * fields + f;
        const std::uint32_t b = i == 0 ? 0 : ends[i - 1];
        return std::string_view(arena).substr(b, ends[i] - b);
    }
};

// One table of the shop: a table file (NAME.tbl) or a table on the shop's database server,
// chosen by its place (see place.h). Navigation follows the active index (ties in stored
// order); rows are read ahead in blocks so that scans over many rows stay cheap.
class Table {
public:
    // `kind` is the layout the table must have; opening one of another layout fails.
    explicit Table(Kind kind);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // The place (a file path or a server table) and read-only flag change only while the
    // table is closed.
    void setFileName(const std::string& place);
    const std::string& fileName() const { return m_path; }
    // The place shown in messages: the file (and the table kept in it), or the server table
    // without any password.
    std::string shownPlace() const;
    void setReadOnly(bool readOnly);
    bool readOnly() const { return m_readOnly; }

    void open();
    void close();
    bool isOpen() const { return m_src != nullptr; }
    const Layout& layout() const { return m_layout; }
    int fieldCount() const { return m_fieldCount; }

    // Activates an index by name ("" for stored order); the current row stays current.
    void setIndex(const std::string& name);
    const std::string& index() const { return m_indexName; }

    void first();
    void next();
    // Goes to the last row and sets the end flag, as a scan that ran out does.
    void last();
    bool eof() const { return m_eof; }
    int recordCount();

    // Field text without trailing blanks; empty when the table has no current row.
    std::string text(int pos) const { return std::string(view(pos)); }
    // The same, valid until the next navigation or write.
    std::string_view view(int pos) const {
        if (m_state == State::Browse && m_hasRow && pos >= 0 && pos < m_fieldCount)
            return trimRight(m_buf[m_pos].field(pos));
        return slowView(pos);
    }
    // A field read as a number: the number field as stored (0 without a row), a text
    // field parsed as a decimal number (conversion error when it is not one).
    double number(int pos) const;

    void setText(int pos, std::string_view text);
    void setNumber(int pos, double value);
    // Sets a number's text. One that does not fit its field is refused and the whole edit
    // is cancelled, so that no half-made row can be posted later.
    void setNumberText(int pos, std::string_view text);

    // Edit on an empty table starts a new row, as Append does.
    void edit();
    void append();
    // Stores the edited or appended row in one transaction; it becomes current.
    void post();
    void cancel();
    bool editing() const { return m_state != State::Browse; }
    // Removes the current row; the following row, or else the new last row, becomes current.
    void remove();

    // Changes the row with this identity as it is stored at this moment, however many
    // registers share the table: in one transaction that holds every other writer back, the
    // row is read again and made current, `change` edits it (reading what it needs through
    // text() and number(), writing through setText()), and it is posted. When `change` returns
    // false or throws, nothing is stored. False when the row is gone or `change` declined.
    // The transaction also covers `also`, which `change` may write through appendOther()
    // and removeOther().
    bool changeRow(std::int64_t rid, const std::function<bool()>& change,
                   const std::vector<Table*>& also = {});

    // The first row in active-index order whose fields equal the given texts, answered
    // over an index. Leaves exactly the state a scan would: the match current, or when
    // nothing matches the last row current and the end flag set.
    // Fields listed in `trimmed` compare with blanks trimmed from both ends, on both sides.
    bool locate(const std::vector<std::pair<int, std::string>>& equals,
                const std::vector<int>& trimmed = {});

    // The stored identity of the current row (0 without one), and a way back to that row.
    std::int64_t rowId() const {
        return m_hasRow && m_state == State::Browse ? m_buf[m_pos].rid : 0;
    }
    // Makes the row with this identity current; false (and nothing changed) when it is gone.
    bool gotoRowId(std::int64_t rid);
    // The fields of the row with this identity, without moving the current row; nothing
    // when it is gone.
    std::optional<std::vector<std::string>> peek(std::int64_t rid);
    // The identity of every row, in active-index order.
    std::vector<std::int64_t> rowIds();

    // Every row in active-index order, read in one pass: all fields, or only those listed
    // (in that order). The current row does not move.
    RowSet snapshot(const std::vector<int>& fields = {});
    // The same fields of every row in active-index order handed to `visit` one row at a
    // time with its identity (texts without trailing blanks, valid during the call).
    using RowVisitor = store::RowVisitor;
    void scan(const std::vector<int>& fields, const RowVisitor& visit);

    // Runs `work` as one transaction over this table and `others` (files, or tables of one
    // database): the posts made through this table and the changes made to the others with
    // updateOther(), appendOther() and removeOther() are stored together, or none of them is
    // (also when the process dies half-way). Other registers wait to write any of the tables
    // until it ends.
    void transactionWith(const std::vector<Table*>& others, const std::function<void()>& work);
    void transactionWith(Table& other, const std::function<void()>& work) {
        transactionWith(std::vector<Table*>{&other}, work);
    }
    // Inside transactionWith(): sets fields of every row of `other` (by default the first
    // other table) whose fields equal `where`; texts are cut to their widths. Returns the
    // number of rows changed.
    int updateOther(Table& other, const std::vector<std::pair<int, std::string>>& where,
                    const std::vector<std::pair<int, std::string>>& set);
    int updateOther(const std::vector<std::pair<int, std::string>>& where,
                    const std::vector<std::pair<int, std::string>>& set);
    // Inside transactionWith(): adds a row to `other` with these fields (the rest empty, or 0
    // for a number), texts cut to their widths; returns its identity.
    std::int64_t appendOther(Table& other, const std::vector<std::pair<int, std::string>>& fields);
    // Inside transactionWith(): removes the row of `other` with this identity, or with 0
    // every row.
    void removeOther(Table& other, std::int64_t rid);
    // Reads the current row again (after another connection changed the table).
    void refresh();

    // Several posts stored as one: all of them or none. Other registers wait to write this
    // table until it ends.
    void beginTransaction();
    void commit();
    void rollback();

    // The connection of a table file, for callers that must speak SQL (benchmarks, integrity
    // checks); nothing for a server table.
    sqlite3* handle() const;

private:
    enum class State { Browse, Edit, Insert };

    [[noreturn]] void fail(const std::string& what) const;
    void requireOpen() const;
    void discardEdit();
    void positionOnRid(std::int64_t rid);
    void takeSingle(bool found);
    int keyField() const;
    bool validPos(int pos) const { return pos >= 0 && pos < fieldCount(); }
    void checkPos(int pos) const;
    std::string_view slowView(int pos) const;

    const Layout& m_layout;
    const int m_fieldCount;
    std::string m_path;
    bool m_readOnly = false;
    std::unique_ptr<Source> m_src;
    std::string m_indexName;

    std::vector<Row> m_buf, m_spare;
    int m_bufCount = 0;
    int m_pos = 0;
    bool m_hasRow = false;
    bool m_eof = true;
    int m_block = 0;

    State m_state = State::Browse;
    std::vector<std::string> m_edit;
    std::int64_t m_editRid = 0;
    bool m_inTransaction = false;
    std::vector<Table*> m_joined; // the other tables during transactionWith
    size_t joinedIndex(const Table& other) const;
};

// One transaction on a table's file: begun when made, rolled back when it goes out of scope
// without commit(), so that an error half-way stores none of the changes.
class Transaction {
public:
    explicit Transaction(Table& table) : m_table(table) { m_table.beginTransaction(); }
    ~Transaction() {
        if (!m_open) return;
        try {
            m_table.rollback();
        } catch (const std::exception&) {
            // A destructor cannot report it; the error that brought us here is on its way.
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit() {
        m_table.commit();
        m_open = false;
    }

private:
    Table& m_table;
    bool m_open = true;
};

} // namespace store
