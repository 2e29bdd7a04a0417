#include "reports/day_reports.h"

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "reports/band_reports.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QDate>
#include <QLineEdit>

#include <array>
#include <optional>

namespace reports {

namespace {
QString text(std::string_view v) {
    return QString::fromUtf8(v.data(), qsizetype(v.size()));
}

const char* const kScratchFile = "sales.pos";

// The fields a report reads of every sale: these first, then the line costs (and names).
std::vector<int> fieldsWith(std::vector<int> fields, bool costs, bool products = false) {
    for (int n = 0; n < store::sale::LINE_COUNT; ++n) {
        if (costs) fields.push_back(store::sale::cost(n));
        if (products) fields.push_back(store::sale::prod(n));
    }
    return fields;
}

// A range end typed in the dialog, read once and only when a sale needs it.
class LazyKey {
public:
    explicit LazyKey(QString text) : m_text(std::move(text)) {}
    qint64 operator()() {
        if (!m_key) m_key = dayKey(m_text);
        return *m_key;
    }

private:
    QString m_text;
    std::optional<qint64> m_key;
};
} // namespace

qint64 dayKey(std::string_view raw) {
    // Month/day/four-digit year; one-digit months and days are taken as well.
    int part[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int p = 0;
    size_t i = 0;
    while (i < raw.size() && raw[i] == ' ')
        ++i;
    size_t end = raw.size();
    while (end > i && raw[end - 1] == ' ')
        --end;
    bool ok = i < end;
    for (; ok && i < end; ++i) {
        const char c = raw[i];
        if (c == '/' && p < 2 && digits[p] > 0) {
            ++p;
        } else if (c >= '0' && c <= '9' && digits[p] < 4) {
            part[p] = part[p] * 10 + (c - '0');
            ++digits[p];
        } else {
            ok = false;
        }
    }
    ok = ok && p == 2 && digits[0] <= 2 && digits[1] <= 2 && digits[2] == 4 &&
         QDate(part[2], part[0], part[1]).isValid();
    if (!ok) throw core::ConversionError("'" + std::string(raw) + "' is not a valid date");
    return qint64(part[2]) * 10000 + part[0] * 100 + part[1];
}

qint64 dayKey(const QString& text) {
    return dayKey(std::string_view(text.toStdString()));
}

core::Decimal saleCost(const std::vector<std::string_view>& costs) {
    core::Decimal cost;
    for (std::string_view c : costs) {
        if (c.empty()) break;
        cost += core::ParseNumber(c);
    }
    return cost;
}

QString DayReports::today() const {
    return pos.services.clock->today().toString("MM/dd/yyyy");
}

void DayReports::doPrintTax() {
    namespace S = store::sale;
    if (!pos.administrator()) return;
    auto& f = pos.form;
    Report& r = (*pos.sub.bandReports)["QRTaxReport"];
    r.setCaption("QRlblTaxDateFrom", f.edtPrintInvFrom->text());
    r.setCaption("QRlblTaxDateTo", f.edtPrintInvTo->text());
    // The six columns, filled a line per sale: many thousand lines for a year.
    std::vector<QStringList*> columns;
    for (const char* c : {"QRmemTaxInvoice", "QRmemTaxNet", "QRmemTaxCollected", "QRmemTaxGross",
                          "QRmemTaxDue", "QRmemTaxDate"}) {
        r.clear(c);
        columns.push_back(&r.element(c).lines);
    }
    // An open end of the range is today: a fixed year would leave out every later sale.
    LazyKey low(f.edtPrintInvFrom->text().isEmpty() ? "01/01/2000" : f.edtPrintInvFrom->text());
    LazyKey high(f.edtPrintInvTo->text().isEmpty() ? today() : f.edtPrintInvTo->text());
    std::optional<core::Decimal> rate;
    core::Decimal net, collected, gross, due;
    std::string lastDate;
    QString dateText;
    pos.tables.sale.scan({S::INVOICE, S::SUBTOTAL, S::TAX, S::TOTAL, S::DATE},
                         [&](std::int64_t, const std::vector<std::string_view>& v) {
                             const qint64 key = dayKey(v[4]);
                             if (key < low() || key > high()) return;
                             const core::Decimal subTotal = core::ParseNumber(v[1]);
                             if (!rate) rate = core::ParseNumber(f.edtTSalesTax->text()).shifted(2);
                             // The column and its sum add up: each line's due is summed as printed.
                             const core::Decimal lineDue = (subTotal * *rate).rounded(2);
                             for (int c : {0, 1, 2, 3})
                                 *columns[size_t(c)] << text(v[size_t(c)]);
                             *columns[4] << core::FormatMoney(lineDue);
                             // Sales of one day follow each other: their date is one text.
                             if (v[4] != lastDate) {
                                 lastDate = std::string(v[4]);
                                 dateText = text(v[4]);
                             }
                             *columns[5] << dateText;
                             net += subTotal;
                             collected += core::ParseNumber(v[2]);
                             gross += core::ParseNumber(v[3]);
                             due += lineDue;
                         });
    r.setCaption("QRTaxCompanyName", f.edtCompanyName->text());
    r.setCaption("QRTaxSubTotal", core::FormatMoney(net));
    r.setCaption("QRTaxCollected", core::FormatMoney(collected));
    r.setCaption("QRTaxTotal", core::FormatMoney(gross));
    r.setCaption("QRTaxDue", core::FormatMoney(due));
    pos.sub.bandReports->preview("QRTaxReport");
}

void DayReports::doPrintDaily() {
    namespace S = store::sale;
    if (!pos.administrator()) return;
    auto& f = pos.form;
    if (!f.edtPrintInvTo->text().isEmpty()) {
        doPrintDailyRange();
        return;
    }
    Report& r = (*pos.sub.bandReports)["QRDaily"];
    r.setCaption("qrlblDailyCompany", f.edtCompanyName->text());
    r.setCaption("qrlblDailyDate", today());
    r.setCaption("qrlblDailyReportDate", f.edtPrintInvFrom->text());
    const QStringList columns = {"qrmemDailyCustomer", "qrmemDailyInvoice", "qrmemDailyCost",
                                 "qrmemDailyPrice",    "qrmemDailyTax",     "qrmemDailyNet",
                                 "qrmemDailyClerk"};
    for (const QString& c : columns)
        r.clear(c);
    for (const char* total : {"qrlblDailySales", "qrlblDailyTax", "qrlblDailyNet"})
        r.setCaption(total, "0.00");

    // The product summary, built afresh on every run (a stopped run leaves nothing behind).
    QStringList names = {"  ", " PRODUCT NAME ", QString(27, '-'), "  "};
    QStringList counts = {"  ", "COUNT", QString(16, '-'), "  "};
    LazyKey day(f.edtPrintInvFrom->text().isEmpty() ? "01/01/2000" : f.edtPrintInvFrom->text());
    core::Decimal sales, tax, net;
    const int lines = S::LINE_COUNT;
    pos.tables.sale.scan(
        fieldsWith({S::NAME, S::INVOICE, S::TOTAL, S::TAX, S::DATE, S::CLERK}, true, true),
        [&](std::int64_t, const std::vector<std::string_view>& v) {
            if (dayKey(v[4]) != day()) return;
            std::vector<std::string_view> costs(static_cast<size_t>(lines));
            for (int n = 0; n < lines; ++n)
                costs[size_t(n)] = v[6 + 2 * size_t(n)];
            const core::Decimal cost = saleCost(costs);
            for (int n = 0; n < lines; ++n) {
                const QString line = text(v[7 + 2 * size_t(n)]);
                if (line.isEmpty()) continue;
                const qsizetype blank = line.indexOf(' ');
                const QString quantity = blank < 0 ? line : line.left(blank);
                const QString name = blank < 0 ? QString() : line.mid(blank).trimmed();
                bool found = false;
                for (qsizetype i = 0; i < names.size(); ++i)
                    if (names[i] == name) {
                        counts[i] = core::FormatMoney(core::ParseNumber(counts[i]) +
                                                      core::ParseNumber(quantity));
                        found = true;
                    }
                if (!found) {
                    names << name;
                    counts << quantity;
                }
            }
            const core::Decimal total = core::ParseNumber(v[2]);
            const core::Decimal saleTax = core::ParseNumber(v[3]);
            const core::Decimal saleNet = total - cost - saleTax;
            r.addLine(columns[0], text(v[0]));
            r.addLine(columns[1], text(v[1]));
            r.addLine(columns[2], core::FormatMoney(cost));
            r.addLine(columns[3], text(v[2]));
            r.addLine(columns[4], text(v[3]));
            r.addLine(columns[5], core::FormatMoney(saleNet));
            r.addLine(columns[6], text(v[5]));
            sales += total;
            tax += saleTax;
            net += saleNet;
        });
    f.memDailySales->setLines(names);
    f.memDailyCount->setLines(counts);
    // Into the summary band through the scratch file, as the other list memos are filled.
    core::writeLines(kScratchFile, counts);
    r.loadLines("qrmemDailyCount", kScratchFile);
    core::writeLines(kScratchFile, names);
    r.loadLines("qrmemDailySales", kScratchFile);
    r.setCaption("qrlblDailySales", core::FormatMoney(sales));
    r.setCaption("qrlblDailyTax", core::FormatMoney(tax));
    r.setCaption("qrlblDailyNet", core::FormatMoney(net));
    pos.sub.bandReports->preview("QRDaily");
    f.memDailySales->clearLines();
    f.memDailyCount->clearLines();
}

void DayReports::doPrintDailyRange() {
    namespace S = store::sale;
    if (!pos.administrator()) return;
    auto& f = pos.form;
    Report& r = (*pos.sub.bandReports)["qrDailyTotal"];
    const QStringList columns = {"qrmemDailyTotalDate", "qrmemDailyTotalSubtotal",
                                 "qrmemDailyTotalTax", "qrmemDailyTotal"};
    // Every run starts from empty columns, also after a run that stopped on bad data.
    for (const QString& c : columns)
        r.clear(c);
    const QString from = f.edtPrintInvFrom->text().isEmpty() ? today() : f.edtPrintInvFrom->text();
    qint64 lastKey = dayKey(from);
    LazyKey low(from);
    LazyKey high(f.edtPrintInvTo->text().isEmpty() ? today() : f.edtPrintInvTo->text());
    struct Sums {
        core::Decimal total, subTotal, tax;
    } day, grand;
    QString dateText;
    auto closeLine = [&] {
        grand.total += day.total;
        grand.subTotal += day.subTotal;
        grand.tax += day.tax;
        r.addLine(columns[0], dateText);
        r.addLine(columns[1], core::FormatMoney(day.subTotal));
        r.addLine(columns[2], core::FormatMoney(day.tax));
        r.addLine(columns[3], core::FormatMoney(day.total));
    };
    pos.tables.sale.scan({S::DATE, S::TOTAL, S::SUBTOTAL, S::TAX}, [&](std::int64_t,
                                                                       const std::vector<
                                                                           std::string_view>& v) {
        const qint64 key = dayKey(v[0]);
        if (key < low() || key > high()) return;
        const Sums sale{core::ParseNumber(v[1]), core::ParseNumber(v[2]), core::ParseNumber(v[3])};
        if (day.total.sign() > 0 && key != lastKey) {
            closeLine();
            lastKey = key;
            day = sale;
        } else {
            day.total += sale.total;
            day.subTotal += sale.subTotal;
            day.tax += sale.tax;
        }
        dateText = text(v[0]);
    });
    closeLine();
    r.setCaption("qrlblDailyTotalReportCompany", f.edtCompanyName->text());
    r.setCaption("qrlblDailyTotalReportDate", today());
    r.setCaption("qrlblDailyTotalSubtotal", core::FormatMoney(grand.subTotal));
    r.setCaption("qrlblDailyTotalTax", core::FormatMoney(grand.tax));
    r.setCaption("qrlblDailyTotal", core::FormatMoney(grand.total));
    pos.sub.bandReports->preview("qrDailyTotal");
    for (const QString& c : columns)
        r.clear(c);
}

void DayReports::doPrintYearEnd() {
    namespace S = store::sale;
    if (!pos.administrator()) return;
    auto& f = pos.form;
    Report& r = (*pos.sub.bandReports)["QRYearEnd"];
    for (const char* c : {"qrmemYearEndSales", "qrmemYearEndTax", "qrmemYearEndNet"})
        r.clear(c);
    for (const char* c : {"qrlblYearEndSalesTotal", "qrlblYearEndTaxTotal", "qrlblYearEndNetTotal"})
        r.setCaption(c, QString());
    const qint64 low =
        dayKey(f.edtPrintInvFrom->text().isEmpty() ? today() : f.edtPrintInvFrom->text());
    const qint64 high =
        dayKey(f.edtPrintInvTo->text().isEmpty() ? today() : f.edtPrintInvTo->text());
    std::array<core::Decimal, 13> sales{}, tax{}, gross{};
    pos.tables.sale.scan(fieldsWith({S::DATE, S::TOTAL, S::TAX}, true),
                         [&](std::int64_t, const std::vector<std::string_view>& v) {
                             const qint64 key = dayKey(v[0]);
                             if (key < low || key > high) return;
                             const core::Decimal cost = saleCost({v.begin() + 3, v.end()});
                             // The month is read off the date text itself: "03" or "3/" is March.
                             const std::string_view d = v[0];
                             int month = 0;
                             if (d.size() >= 2 && d[0] >= '0' && d[0] <= '9') {
                                 if (d[0] == '0' && d[1] >= '1' && d[1] <= '9')
                                     month = d[1] - '0';
                                 else if (d[0] >= '1' && d[0] <= '9' && d[1] == '/')
                                     month = d[0] - '0';
                                 else if (d[0] == '1' && d[1] >= '0' && d[1] <= '2')
                                     month = 10 + (d[1] - '0');
                             }
                             if (!month) return;
                             const core::Decimal total = core::ParseNumber(v[1]);
                             sales[size_t(month)] += total;
                             tax[size_t(month)] += core::ParseNumber(v[2]);
                             gross[size_t(month)] += total - cost;
                         });
    static const char* const names[] = {"JANUARY",   "FEBRUARY", "MARCH",    "APRIL",
                                        "MAY",       "JUNE",     "JULY",     "AUGUST",
                                        "SEPTEMBER", "OCTOBER",  "NOVEMBER", "DECEMBER"};
    core::Decimal yearSales, yearTax, yearGross;
    for (int m = 1; m <= 12; ++m) {
        yearSales += sales[size_t(m)];
        yearTax += tax[size_t(m)];
        yearGross += gross[size_t(m)];
        r.addLine("qrmemYearEndSales", names[m - 1]);
        r.addLine("qrmemYearEndSales", core::FormatMoney(sales[size_t(m)]));
        r.addLine("qrmemYearEndSales", "  ");
        r.addLine("qrmemYearEndTax", "  ");
        r.addLine("qrmemYearEndTax", core::FormatMoney(tax[size_t(m)]));
        r.addLine("qrmemYearEndTax", "  ");
        r.addLine("qrmemYearEndNet", "  ");
        r.addLine("qrmemYearEndNet", core::FormatMoney(gross[size_t(m)] - tax[size_t(m)]));
        r.addLine("qrmemYearEndNet", "  ");
    }
    r.setCaption("qrlblYearEndSalesTotal", core::FormatMoney(yearSales));
    r.setCaption("qrlblYearEndTaxTotal", core::FormatMoney(yearTax));
    r.setCaption("qrlblYearEndNetTotal", core::FormatMoney(yearGross - yearTax));
    r.setCaption("qrlblYearEndCompany", f.edtCompanyName->text());
    r.setCaption("qrlblYearEndDate", f.edtPrintInvTo->text());
    r.setCaption("qrlblYearEndDay", today());
    pos.sub.bandReports->preview("QRYearEnd");
}

} // namespace reports
