#include "register/journal.h"

#include "catalog/customers.h"
#include "core/text_file.h"
#include "register/sale_lines.h"
#include "store/data_dir.h"
#include "store/errors.h"
#include "store/place.h"
#include "store/server_source.h"
#include "ui/main_form.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    QString name = plainName(core::lineAt(core::readLines(kTillFile), 0));
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
    const std::string path = dataPath.toStdString();
    if (store::isServerPath(path)) {
        const std::string place = store::tablePlace(path, "journal_" + tillName().toStdString());
        if (!store::serverTableKind(*store::serverTable(place)))
            store::createTable(place, store::Kind::Journal);
        journal.setFileName(place);
        journal.open();
        return;
    }
    const QString file = QDir::current().absoluteFilePath(kJournalFile);
    if (!QFileInfo::exists(file)) store::createTable(file.toStdString(), store::Kind::Journal);
    journal.setFileName(file.toStdString());
    try {
        journal.open();
        return;
    } catch (const store::EngineError& e) {
        // Kept for the owner to look at; the register goes on with a new journal. The stock
        // its lines took stays taken: nothing can tell how much it was.
        QString aside = "journal-damaged.tbl";
        for (int n = 2; QFileInfo::exists(aside); ++n)
            aside = QString("journal-damaged-%1.tbl").arg(n);
        if (!QFile::rename(kJournalFile, aside)) {
            m_trouble = QString("The journal of the open sale cannot be read (%1), nor set "
                                "aside.\rThe register goes on without one.")
                            .arg(QString::fromUtf8(e.what()));
            return;
        }
        m_trouble = QString("The journal of the open sale cannot be read (%1).\rIt is kept as "
                            "%2 for the owner; no stock was moved, and a new journal is begun.")
                        .arg(QString::fromUtf8(e.what()), QDir::current().absoluteFilePath(aside));
    }
    store::createTable(file.toStdString(), store::Kind::Journal);
    journal.open();
}

std::vector<store::Table*> Journal::tables() {
    if (!pos.tables.journal.isOpen()) return {};
    return {&pos.tables.journal};
}

std::int64_t Journal::noteLine(store::Table& products, const Line& line) {
    if (!pos.tables.journal.isOpen()) return 0;
    const auto& f = pos.form;
    std::vector<std::pair<int, std::string>> fields = {
        {J::QUANTITY, line.quantity.toStdString()},
        {J::TEXT, line.text.toStdString()},
        {J::PRICE, line.price.toStdString()},
        {J::COST, line.cost.toStdString()},
        {J::CATEGORY, line.category.toStdString()},
        {J::PRODUCT, std::to_string(line.productRow)},
        {J::TAXABLE, line.taxable ? "T" : "F"},
        {J::REFUND, line.refund ? "T" : "F"},
        {J::KIND, kindOf(f).toStdString()}};
    const QList<QLineEdit*> customer = customerFields(f);
    for (int i = 0; i < customer.size(); ++i)
        fields.push_back({J::NAME + i, customer[i]->text().toStdString()});
    return products.appendOther(pos.tables.journal, fields);
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
    store::Table& journal = pos.tables.journal;
    if (!journal.isOpen() || !pos.sale.lines.empty()) return;
    std::vector<std::pair<std::int64_t, std::vector<QString>>> rows;
    journal.scan({}, [&](std::int64_t rid, const std::vector<std::string_view>& fields) {
        std::vector<QString> texts;
        for (std::string_view t : fields)
            texts.push_back(QString::fromUtf8(t.data(), qsizetype(t.size())));
        rows.emplace_back(rid, std::move(texts));
    });
    if (rows.empty()) return;

    // The kind of sale and the customer as the last line found them.
    auto& f = pos.form;
    const std::vector<QString>& last = rows.back().second;
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
