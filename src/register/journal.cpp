#include "register/journal.h"

#include "catalog/customers.h"
#include "core/decimal.h"
#include "core/text_file.h"
#include "register/sale_lines.h"
#include "store/data_dir.h"
#include "store/errors.h"
#include "store/place.h"
#include "store/text.h"
#include "ui/main_form.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSysInfo>

namespace reg {

namespace J = store::journal;

namespace {
// The kind of sale is the radio button checked.
QString kindOf(const ui::MainForm& f) {
    if (f.rbnCreditSale->isChecked()) return "credit";
    if (f.rbnQuote->isChecked()) return "quote";
    if (f.rbnRefund->isChecked()) return "refund";
    return "cash";
}

QRadioButton* kindButton(const ui::MainForm& f, const QString& kind) {
    if (kind == "credit") return f.rbnCreditSale;
    if (kind == "quote") return f.rbnQuote;
    if (kind == "refund") return f.rbnRefund;
    return f.rbnCashSale;
}

QList<QLineEdit*> customerFields(const ui::MainForm& f) {
    return {f.edtCustomer, f.edtAddress1, f.edtAddress2, f.edtCity,
            f.edtState,    f.edtZip,      f.edtPhone1,   f.edtPhone2};
}

// Only letters, digits and "_", lower case: a name a table can carry.
QString plainName(const QString& text) {
    QString name;
    for (QChar c : text.toLower())
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_') name += c;
    return name;
}
} // namespace

QString Journal::tillName() {
    // At most 40 characters, so that the journal's name and the names it may be set aside
    // under fit the 63 a table name may have.
    QString name = plainName(core::lineAt(core::readLines(kTillFile), 0)).left(40);
    if (!name.isEmpty()) return name;
    // The machine's name, made unique: two tills may well have been set up alike.
    name = plainName(QSysInfo::machineHostName()).left(30) + "_" +
           QString::number(QRandomGenerator::global()->generate(), 16);
    core::writeLines(kTillFile, {name});
    return name;
}

void Journal::open(const QString& dataPath) {
    store::Table& journal = pos.tables.journal;
    journal.close();
    journal.setReadOnly(false);
    m_open.clear();
    const std::string name = "journal_" + tillName().toStdString();
    std::string place;
    try {
        place = store::tablePlaceWith(dataPath.toStdString(), "product", name);
        journal.setFileName(place);
        if (!store::tableExists(place)) store::createTable(place, store::Kind::Journal);
        journal.open();
        m_open = readOpenSale(journal);
        return;
    } catch (const store::DamagedTable& e) {
        journal.close();
        setAside(place, name, QString::fromUtf8(e.what()));
    } catch (const store::EngineError& e) {
        // Out of reach for now (locked, server gone): left as it is for the next start.
        journal.close();
        m_trouble = QString("The journal of the open sale cannot be opened (%1).\rThe register "
                            "goes on without one; a sale it holds stays there for the next start.")
                        .arg(QString::fromUtf8(e.what()));
    }
}

void Journal::setAside(const std::string& place, const std::string& name, const QString& why) {
    // Kept for the owner to look at; the register goes on with a new journal. The stock its
    // lines took stays taken: nothing can tell how much it was.
    store::Table& journal = pos.tables.journal;
    QString aside;
    try {
        aside = QString::fromStdString(store::setTableAside(place, name + "_damaged"));
    } catch (const store::EngineError& e) {
        m_trouble = QString("The journal of the open sale cannot be read (%1), nor set aside "
                            "(%2).\rThe register goes on without one.")
                        .arg(why, QString::fromUtf8(e.what()));
        return;
    }
    try {
        store::createTable(place, store::Kind::Journal);
        journal.open();
        m_trouble = QString("The journal of the open sale cannot be read (%1).\rIt is kept as the "
                            "table %2 for the owner; no stock was moved, and a new journal is "
                            "begun.")
                        .arg(why, aside);
    } catch (const store::EngineError& e) {
        journal.close();
        m_trouble = QString("The journal of the open sale cannot be read (%1).\rIt is kept as the "
                            "table %2 for the owner; no stock was moved. A new journal cannot be "
                            "begun (%3): the register goes on without one.")
                        .arg(why, aside, QString::fromUtf8(e.what()));
    }
}

std::vector<Journal::Row> Journal::readOpenSale(store::Table& journal) {
    std::vector<Row> rows;
    journal.scan({}, [&](std::int64_t rid, const std::vector<std::string_view>& fields) {
        Row row{rid, {}};
        for (std::string_view t : fields)
            row.fields.push_back(QString::fromUtf8(t.data(), qsizetype(t.size())));
        rows.push_back(std::move(row));
    });
    // Nothing goes back on the register unless every line can: a line half understood would
    // give back stock the shop never lost, or keep what it did.
    for (size_t n = 0; n < rows.size(); ++n) {
        const std::vector<QString>& r = rows[n].fields;
        auto refuse = [&](const char* field, const QString& text) {
            throw store::DamagedTable(journal.shownPlace() + ": line " + std::to_string(n + 1) +
                                      " holds '" + text.toStdString() + "' as its " + field);
        };
        for (auto [pos, field] :
             {std::pair{J::QUANTITY, "quantity"}, {J::PRICE, "price"}, {J::COST, "cost"}}) {
            bool number = false;
            try {
                number = core::Decimal::read(r[pos].trimmed().toStdString()).has_value();
            } catch (const store::PosError&) { // a number too large to reckon with
            }
            if (!number) refuse(field, r[pos]);
        }
        bool whole = false;
        if (r[J::PRODUCT].toLongLong(&whole) <= 0 || !whole) refuse("product", r[J::PRODUCT]);
        for (int pos : {J::TAXABLE, J::REFUND})
            if (r[pos] != "T" && r[pos] != "F") refuse("mark", r[pos]);
        if (!QStringList{"cash", "credit", "quote", "refund"}.contains(r[J::KIND]))
            refuse("kind of sale", r[J::KIND]);
    }
    return rows;
}

std::vector<store::Table*> Journal::tables() {
    if (!pos.tables.journal.isOpen()) return {};
    return {&pos.tables.journal};
}

Journal::Fields Journal::saleFields() const {
    const auto& f = pos.form;
    Fields fields = {{J::KIND, kindOf(f).toStdString()}};
    const QList<QLineEdit*> customer = customerFields(f);
    for (int i = 0; i < customer.size(); ++i)
        fields.push_back({J::NAME + i, customer[i]->text().toStdString()});
    return fields;
}

std::int64_t Journal::noteLine(store::Table& products, const Line& line) {
    if (!pos.tables.journal.isOpen()) return 0;
    Fields fields = {
        {J::QUANTITY, line.quantity.toStdString()}, {J::TEXT, line.text.toStdString()},
        {J::PRICE, line.price.toStdString()},       {J::COST, line.cost.toStdString()},
        {J::CATEGORY, line.category.toStdString()}, {J::PRODUCT, std::to_string(line.productRow)},
        {J::TAXABLE, line.taxable ? "T" : "F"},     {J::REFUND, line.refund ? "T" : "F"}};
    const Fields sale = saleFields();
    fields.insert(fields.end(), sale.begin(), sale.end());
    return products.appendOther(pos.tables.journal, fields);
}

void Journal::noteSale() {
    store::Table& journal = pos.tables.journal;
    if (!journal.isOpen() || pos.sale.lines.empty() || pos.sale.stored) return;
    const Fields fields = saleFields();
    // A sale comes back as its last line found it: nothing to write when that one agrees.
    journal.last();
    if (journal.rowId() == 0) return; // no line noted
    bool same = true;
    for (const auto& [field, text] : fields)
        same = same && journal.text(field) ==
                           store::fitToWidth(text, journal.layout().fields[size_t(field)].width);
    if (same) return;
    journal.transactionWith(std::vector<store::Table*>{}, [&] {
        for (journal.first(); !journal.eof(); journal.next()) {
            journal.edit();
            for (const auto& [field, text] : fields)
                journal.setText(field, text);
            journal.post();
        }
    });
}

void Journal::dropLine(store::Table& products, std::int64_t journalRow) {
    if (pos.tables.journal.isOpen() && journalRow)
        products.removeOther(pos.tables.journal, journalRow);
}

void Journal::forgetLine(std::int64_t journalRow) {
    store::Table& journal = pos.tables.journal;
    if (journal.isOpen() && journalRow && journal.gotoRowId(journalRow)) journal.remove();
}

void Journal::close(store::Table& sales) {
    if (pos.tables.journal.isOpen()) sales.removeOther(pos.tables.journal, 0);
}

void Journal::restore() {
    if (!m_trouble.isEmpty()) {
        const QString trouble = m_trouble;
        m_trouble.clear();
        pos.dialogs().error(trouble);
    }
    // Read once, brought back at most once: what the journal held when the tables opened.
    const std::vector<Row> rows = std::move(m_open);
    m_open.clear();
    if (!pos.tables.journal.isOpen() || !pos.sale.lines.empty() || rows.empty()) return;

    // The kind of sale and the customer as the last line found them.
    auto& f = pos.form;
    const std::vector<QString>& last = rows.back().fields;
    kindButton(f, last[J::KIND])->setChecked(true);
    const QList<QLineEdit*> customer = customerFields(f);
    for (int i = 0; i < customer.size(); ++i)
        customer[i]->setText(last[size_t(J::NAME + i)]);
    pos.sub.customers->enableProductEntry();
    for (const auto& [rid, r] : rows) {
        core::SaleState::LineSource source;
        source.productRow = r[J::PRODUCT].toLongLong();
        source.taxable = r[J::TAXABLE] == "T";
        source.refund = r[J::REFUND] == "T";
        source.journalRow = rid;
        pos.sub.lines->showLine(r[J::QUANTITY], r[J::TEXT], r[J::PRICE], r[J::COST],
                                r[J::CATEGORY], source);
    }
    pos.dialogs().inform("Marlow POS", "The sale that was open when the program stopped has "
                                       "been restored.\rFinish it, or cancel it to put its "
                                       "stock back.");
}

} // namespace reg
