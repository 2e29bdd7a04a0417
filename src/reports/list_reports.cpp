#include "reports/list_reports.h"

#include "core/number_text.h"
#include "core/text_file.h"
#include "register/sale_lines.h"
#include "reports/band_reports.h"
#include "reports/list_filters.h"
#include "ui/main_form.h"

#include <QFrame>
#include <QLineEdit>

namespace reports {

namespace {
QString text(std::string_view v) {
    return QString::fromUtf8(v.data(), qsizetype(v.size()));
}

void clearColumns(Report& r, const QStringList& columns) {
    for (const QString& c : columns)
        r.clear(c);
}
} // namespace

void ListReports::show(const QString& report, const QString& companyLabel,
                       const QString& dateLabel) {
    Report& r = (*pos.sub.bandReports)[report];
    r.setCaption(companyLabel, pos.form.edtCompanyName->text());
    r.setCaption(dateLabel, pos.services.clock->today().toString("MM/dd/yyyy"));
    pos.sub.bandReports->preview(report);
}

void ListReports::doPrintCustomers() {
    namespace C = store::customer;
    auto& f = pos.form;
    Report& r = (*pos.sub.bandReports)["QRCustomers"];
    const QStringList columns = {"QRmemCustomerName", "QrmemCustomerAddress1",
                                 "QRmemCustomerAddress2", "QRmemCustomerCity",
                                 "QRmemCustomerPhone"};
    clearColumns(r, columns);
    const CustomerRange range(f.edtPrintInvFrom->text(), f.edtPrintInvTo->text());
    pos.tables.customer.scan(
        {C::NAME, C::ADDRESS1, C::ADDRESS2, C::CITY, C::STATE, C::ZIP, C::PHONE1},
        [&](std::int64_t, const std::vector<std::string_view>& v) {
            const QString name = text(v[0]);
            if (!range.contains(name)) return;
            r.addLine(columns[0], name);
            r.addLine(columns[1], text(v[1]));
            r.addLine(columns[2], text(v[2]));
            r.addLine(columns[3], text(v[3]) + ", " + text(v[4]) + " " + text(v[5]));
            r.addLine(columns[4], text(v[6]));
        });
    show("QRCustomers", "QRCustomerCompany", "QRCustomerDate");
}

void ListReports::doPrintSales() {
    namespace S = store::sale;
    Report& r = (*pos.sub.bandReports)["QRSalesList"];
    const QStringList columns = {"QRmemSalesName", "QRmemSalesInvoice", "QRmemSalesTax",
                                 "QRmemSalesTotal", "QRmemSalesDate"};
    clearColumns(r, columns);
    const NamePrefix prefix(pos.form.edtPrintInvFrom->text());
    pos.tables.sale.scan({S::NAME, S::INVOICE, S::TAX, S::TOTAL, S::DATE},
                         [&](std::int64_t, const std::vector<std::string_view>& v) {
                             if (!prefix.matches(text(v[0]))) return;
                             for (int c = 0; c < 5; ++c)
                                 r.addLine(columns[c], text(v[size_t(c)]));
                         });
    show("QRSalesList", "QRlblSaleCompanyName", "QRSalesDate");
}

void ListReports::doPrintInventory() {
    namespace P = store::product;
    Report& r = (*pos.sub.bandReports)["QRInventory"];
    const QStringList columns = {"QRmemInventoryCategory", "QRmemInventoryProduct",
                                 "QRmemInventoryCost",     "QRmemInventoryPrice",
                                 "QRmemInventoryGross",    "QRmemInventoryVendor",
                                 "QRmemInventoryQuantity"};
    clearColumns(r, columns);
    core::Decimal total;
    pos.tables.product.scan(
        {P::CATEGORY, P::PRODUCT, P::COST, P::PRICE, P::GROSS, P::VENDER, P::QUANTITY},
        [&](std::int64_t, const std::vector<std::string_view>& v) {
            for (int c = 0; c < 7; ++c)
                r.addLine(columns[c], text(v[size_t(c)]));
            total += core::ParseNumber(v[2]) * core::ParseNumber(v[6]);
        });
    r.setCaption("QRInventoryTotal", core::FormatMoney(total));
    show("QRInventory", "QRlblInventoryCompanyName", "QRInventoryDate");
}

void ListReports::doPrintOrderList() {
    auto& f = pos.form;
    Report& r = (*pos.sub.bandReports)["QROrderList"];
    const QStringList columns = {"QRmemOrderListPart", "QRmemOrderListCost", "QRmemOrderListPrice",
                                 "QRmemOrderListVendor"};
    clearColumns(r, columns);
    if (!core::fileExists(reg::kOrderListFile)) return;
    const QStringList lines = core::readLines(reg::kOrderListFile);
    // Four lines a product; a last one cut short reads its missing lines as empty.
    for (qsizetype i = 0; i < lines.size(); i += 4)
        for (int c = 0; c < 4; ++c)
            r.addLine(columns[c], core::lineAt(lines, int(i) + c));
    show("QROrderList", "QROrderListCompanyName", "QROrderListDate");
    f.pnlPrint->hide();
    f.pnlCategory->hide();
    const auto answer = pos.dialogs().message(
        "Delete List", "Do you want to delete this order list?",
        {core::Button::OK, core::Button::Cancel}, core::Button::OK, core::Icon::Question);
    if (answer == core::Button::OK) core::removeFile(reg::kOrderListFile);
}

void ListReports::doPrintReceivablesList() {
    namespace S = store::sale;
    Report& r = (*pos.sub.bandReports)["QRReceivables"];
    const QStringList columns = {"QRmemRecName", "QRmemRecInvoice", "QRmemRecTotal",
                                 "QRmemRecBalance", "QRmemRecDate"};
    clearColumns(r, columns);
    core::Decimal total;
    pos.tables.sale.scan({S::NAME, S::INVOICE, S::TOTAL, S::BALANCE, S::DATE},
                         [&](std::int64_t, const std::vector<std::string_view>& v) {
                             const core::Decimal balance = core::ParseNumber(v[3]);
                             if (balance.sign() <= 0) return;
                             for (int c = 0; c < 5; ++c)
                                 r.addLine(columns[c], text(v[size_t(c)]));
                             total += balance;
                         });
    r.setCaption("QRRecARTotal", core::FormatMoney(total));
    show("QRReceivables", "QRlblRecCompanyName", "QRlblRecDate");
}

} // namespace reports
