#pragma once

#include "core/pos.h"

#include <vector>

namespace reg {

// The journal of the open sale: a row per product line, written in the same transaction as
// the line's stock move and removed in the same transaction as its stock's return, so that the
// stock and the journal always agree. A sale cut off by a crash or a power cut, or left on
// the register at Exit, comes back at the next start with exactly the lines whose stock moved.
//
// Each register has its own, the table journal_TILL, TILL being the register's name kept in
// till.pos beside its preferences. It is kept with the stock it agrees with: in the product
// table's file, so that a line and its stock move are one commit of one file (a second file
// in the commit would double its syncs), or in the shop's database on a server.
class Journal {
public:
    explicit Journal(core::Pos& pos) : pos(pos) {}

    // Opens the register's journal for the shop at `dataPath`, made when missing, and reads
    // the sale it holds. One that cannot be read is set aside for the owner and a new one
    // begun (told after login).
    void open(const QString& dataPath);

    // The tables a stock move's transaction must also cover: the journal, when open.
    std::vector<store::Table*> tables();

    struct Line {
        QString quantity, text, price, cost, category;
        std::int64_t productRow = 0;
        bool taxable = false, refund = false;
    };
    // Inside a stock move's transaction on `products`: notes the line rung in, with the sale's
    // kind and customer as they are now; returns its journal row (0 without a journal).
    std::int64_t noteLine(store::Table& products, const Line& line);
    // Inside a stock move's transaction: the line whose stock goes back leaves the journal.
    void dropLine(store::Table& products, std::int64_t journalRow);
    // A line whose product row is gone moves no stock back: it leaves the journal alone.
    void forgetLine(std::int64_t journalRow);
    // The kind of sale or the customer changed with lines on the register: every line of the
    // journal takes them, so that the sale comes back as it now is.
    void noteSale();
    // Inside the transaction that stores the sale on `sales`: the journal is closed.
    void close(store::Table& sales);

    // After login: an open journal's sale back on the register, and the box that says so.
    void restore();

private:
    struct Row {
        std::int64_t rid;
        std::vector<QString> fields;
    };
    using Fields = std::vector<std::pair<int, std::string>>;
    QString tillName();
    // A journal that cannot be read renamed aside, a new one begun, and the owner told.
    void setAside(const std::string& place, const std::string& name, const QString& why);
    Fields saleFields() const; // the kind of sale and the customer, as the register shows them
    // The open sale's lines, every one checked; throws EngineError naming the first bad one.
    static std::vector<Row> readOpenSale(store::Table& journal);

    core::Pos& pos;
    QString m_trouble;       // a journal set aside, told after login
    std::vector<Row> m_open; // the sale read at opening, brought back after login
};

inline const char* const kTillFile = "till.pos";

} // namespace reg
