#include "reports/exports.h"

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "register/sale_lines.h"
#include "reports/list_filters.h"
#include "ui/main_form.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSaveFile>
#include <QStandardPaths>

namespace reports {

namespace {
QString text(std::string_view v) {
    return QString::fromUtf8(v.data(), qsizetype(v.size()));
}

QString joined(const std::vector<std::string_view>& fields) {
    QStringList out;
    for (std::string_view f : fields)
        out << text(f);
    return out.join('\t');
}

// A copy that replaces the target whole or not at all.
void copyWhole(const QString& from, const QString& to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        throw core::FileError(
            QString("Cannot read %1: %2").arg(from, in.errorString()).toStdString());
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly) || out.write(in.readAll()) < 0 || !out.commit())
        throw core::FileError(
            QString("Cannot write %1: %2").arg(to, out.errorString()).toStdString());
}
} // namespace

void Exports::finish(const QStringList& lines, const QString& proposed) {
    // export.txt appears only whole: a list that stopped half-way leaves none behind.
    core::writeLines(kExportFile, lines);
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QFileInfo(documents).isDir()) documents = QDir::homePath();
    const std::optional<QString> chosen = pos.dialogs().saveFile(
        "Save As", QDir(documents).filePath(proposed + ".txt"), "Text Files (*.txt)");
    if (!chosen) return;
    QString target = *chosen;
    if (QFileInfo(target).suffix().isEmpty()) target += ".txt";
    copyWhole(kExportFile, target);
}

void Exports::doExportCustomers() {
    if (!pos.administrator()) return;
    core::removeFile(kExportFile);
    const CustomerRange range(pos.form.edtPrintInvFrom->text(), pos.form.edtPrintInvTo->text());
    QStringList lines;
    pos.tables.customer.scan({}, [&](std::int64_t, const std::vector<std::string_view>& v) {
        if (range.contains(text(v[store::customer::NAME]))) lines << joined(v);
    });
    finish(lines, "Customers");
}

void Exports::doExportSales() {
    namespace S = store::sale;
    if (!pos.administrator()) return;
    core::removeFile(kExportFile);
    const NamePrefix prefix(pos.form.edtPrintInvFrom->text());
    QStringList lines;
    pos.tables.sale.scan({S::NAME, S::INVOICE, S::TAX, S::TOTAL, S::DATE},
                         [&](std::int64_t, const std::vector<std::string_view>& v) {
                             if (prefix.matches(text(v[0]))) lines << joined(v);
                         });
    finish(lines, "Sales");
}

void Exports::doExportInventory() {
    namespace P = store::product;
    if (!pos.administrator()) return;
    core::removeFile(kExportFile);
    QStringList lines;
    core::Decimal value;
    pos.tables.product.scan(
        {P::CATEGORY, P::PRODUCT, P::COST, P::PRICE, P::GROSS, P::VENDER, P::QUANTITY},
        [&](std::int64_t, const std::vector<std::string_view>& v) {
            lines << joined(v);
            value += core::ParseNumber(v[6]) * core::ParseNumber(v[2]);
        });
    lines << "Inventory Total: " + core::FormatMoney(value);
    finish(lines, "Inventory");
}

void Exports::doExportOrder() {
    if (!pos.administrator()) return;
    if (!core::fileExists(reg::kOrderListFile)) return;
    core::removeFile(kExportFile);
    const QStringList file = core::readLines(reg::kOrderListFile);
    QStringList lines;
    for (qsizetype i = 0; i < file.size(); i += 4) {
        QStringList record;
        for (int k = 0; k < 4; ++k)
            record << core::lineAt(file, int(i) + k);
        lines << record.join('\t');
    }
    finish(lines, "OrderList");
}

void Exports::doExportReceivable() {
    namespace S = store::sale;
    if (!pos.administrator()) return;
    core::removeFile(kExportFile);
    QStringList lines;
    core::Decimal total;
    pos.tables.sale.scan({S::NAME, S::INVOICE, S::TOTAL, S::BALANCE, S::DATE},
                         [&](std::int64_t, const std::vector<std::string_view>& v) {
                             const core::Decimal balance = core::ParseNumber(v[3]);
                             if (balance.sign() <= 0) return;
                             lines << joined(v) + '\t';
                             total += balance;
                         });
    lines << "Total Accounts Receivable: " + core::FormatMoney(total);
    finish(lines, "Receivable");
}

} // namespace reports
