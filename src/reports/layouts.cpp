// The layouts of the ten reports: bands in print order, each with its elements as
// name, left, top, width (height where it has one), content and style.
#include "reports/report.h"

namespace reports {
namespace {

using K = Band::Kind;
constexpr Align C = Align::Center;
constexpr Align R = Align::Right;

Element label(const QString& name, double left, double top, double width,
              const QString& caption = {}, Style style = {}) {
    Element e;
    e.kind = Element::Kind::Label;
    e.name = name;
    e.left = left, e.top = top, e.width = width;
    e.caption = caption;
    e.style = style;
    return e;
}

Element memo(const QString& name, double left, double top, double width, Style style = {},
             double height = 0) {
    Element e;
    e.kind = Element::Kind::Memo;
    e.name = name;
    e.left = left, e.top = top, e.width = width, e.height = height;
    e.style = style;
    return e;
}

Element rect(const QString& name, double left, double top, double width, double height,
             std::optional<QColor> fill = {}, bool hatch = false) {
    Element e;
    e.kind = Element::Kind::Shape;
    e.shape = Element::Shape::Rectangle;
    e.name = name;
    e.left = left, e.top = top, e.width = width, e.height = height;
    e.fill = fill;
    e.hatch = hatch;
    return e;
}

Element rule(const QString& name, double left, double top, double width, double pen = 2) {
    Element e;
    e.kind = Element::Kind::Shape;
    e.shape = Element::Shape::Line;
    e.name = name;
    e.left = left, e.top = top, e.width = width;
    e.pen = pen;
    return e;
}

Element image(const QString& name, double left, double top, double width, double height) {
    Element e;
    e.kind = Element::Kind::Image;
    e.name = name;
    e.left = left, e.top = top, e.width = width, e.height = height;
    return e;
}

Band band(K kind, const QString& name, double height, std::vector<Element> elements,
          QColor background = kWhite, int frame = None) {
    Band b;
    b.kind = kind;
    b.name = name;
    b.height = height;
    b.background = background;
    b.frame = frame;
    b.elements = std::move(elements);
    return b;
}

// Labels on an aqua band or an aqua shape are aqua too, unless they are marked white.
Band onAqua(Band b) {
    for (Element& e : b.elements)
        if (e.kind == Element::Kind::Label && !e.style.background && !e.style.transparent)
            e.style.background = kAqua;
    return b;
}

const Style bold{.bold = true};
const Style white{.background = kWhite};
Style size(int points, bool isBold = false) {
    return {.size = points, .bold = isBold};
}
Style underlined(int points, Align align = Align::Left, bool isBold = false, bool fixed = false) {
    return {.size = points, .bold = isBold, .underline = true, .align = align, .fixedWidth = fixed};
}

Report report(const QString& name, std::vector<Band> bands, bool pageFrame = false) {
    Report r;
    r.name = name;
    r.pageFrame = pageFrame;
    r.bands = std::move(bands);
    return r;
}

} // namespace

Report invoiceLayout() {
    const Style s12{.size = 12};
    const Style b12{.size = 12, .bold = true};
    const Style heading{.size = 12, .bold = true, .fixedWidth = true};
    return report(
        "QRInvoice",
        {band(K::PageHeader, "QRInvoiceHeadBand", 3.34,
              {image("QRimgInvoiceLogo", 0.25, 0.24, 4.76, 1.19),
               rect("QRShapeDateBox", 5.11, 0.25, 2.12, 1.18),
               rect("QRShapeBusiness", 0.25, 1.50, 3.51, 1.43),
               rect("QRShapeCustomer", 3.92, 1.50, 3.34, 1.43),
               rect("QRShapeDivider", 0.25, 3.00, 7.01, 0.26, {}, true),
               label("QRlblInvoiceNumber", 5.25, 0.42, 0.78, "Invoice #:", b12),
               label("QRInvoiceNumber", 6.08, 0.43, 1.32, {}, s12),
               label("QRlblInvoiceDate", 5.58, 0.93, 0.44, "Date:", b12),
               label("QRInvoiceDate", 6.10, 0.92, 1.10, {}, s12),
               label("QRInvoiceBusinessName", 0.33, 1.64, 1.85, {}, s12),
               label("QRInvoiceBAddress1", 0.33, 1.89, 1.57, {}, s12),
               label("QRInvoiceBAddress2", 0.33, 2.14, 1.57, {}, s12),
               label("QRInvoiceBCity", 0.33, 2.39, 1.15, {}, s12),
               label("QRInvoiceBState", 2.59, 2.39, 0.24, {}, s12),
               label("QRInvoiceBZip", 3.00, 2.39, 0.72, {}, s12),
               label("QRInvoiceBPhone", 0.33, 2.64, 1.33, {}, s12),
               label("QRlblInvoiceBFax", 2.21, 2.65, 0.30, "Fax:", size(11)),
               label("QRInvoiceBFax", 2.59, 2.65, 1.14, {}, s12),
               label("QRInvoiceCustomer", 4.00, 1.64, 1.46, {}, s12),
               label("QRInvoiceCAddress1", 4.00, 1.88, 1.58, {}, s12),
               label("QRInvoiceCAddress2", 4.00, 2.14, 1.58, {}, s12),
               label("QRInvoiceCCity", 4.02, 2.40, 1.16, {}, s12),
               label("QRInvoiceCState", 6.02, 2.40, 0.24, {}, s12),
               label("QRInvoiceCZip", 6.42, 2.40, 0.72, {}, s12),
               label("QRInvoiceCPhone", 4.03, 2.66, 1.34, {}, s12),
               label("QRlblProductServices", 0.75, 3.03, 1.64, "Products & Services", heading),
               label("QRlblInvoicePrice", 6.46, 3.03, 0.42, "Price", heading)},
              kWhite, Top | Left | Right),
         band(K::Detail, "QRBand1", 6.14,
              {memo("QRmemInvoiceProduct", 0.25, 0.08, 5.51, {.wordWrap = true, .frame = AllSides},
                    6.01),
               memo("QRmemInvoicePrice", 5.83, 0.08, 1.43, {.align = R, .frame = AllSides}, 6.01)},
              kWhite, Bottom | Left | Right),
         band(K::PageFooter, "QRBand2", 0.51,
              {rect("QRShapeFooter", 0.01, 0.01, 7.47, 0.48, kSilver),
               label("QRInvoiceSlogan", 0.05, 0.03, 5.83, {},
                     {.face = "Times New Roman",
                      .size = 12,
                      .bold = true,
                      .italic = true,
                      .align = C,
                      .fixedWidth = true,
                      .transparent = true}),
               label("qrlblInvoiceNote", 0.06, 0.24, 5.82, {}, {.align = C, .fixedWidth = true}),
               label("QRlblInvoiceTotal", 5.95, 0.03, 1.28, "Balance",
                     {.size = 12,
                      .bold = true,
                      .align = C,
                      .fixedWidth = true,
                      .background = kSilver}),
               label("QRInvoiceTotal", 5.93, 0.24, 1.31, {},
                     {.size = 12,
                      .bold = true,
                      .align = C,
                      .fixedWidth = true,
                      .background = kPaleYellow})},
              kWhite, AllSides)},
        true);
}

Report salesListLayout() {
    return report(
        "QRSalesList",
        {onAqua(band(K::PageHeader, "QRBand4", 0.96,
                     {rect("QRSalesShapeTitle", 0.00, 0.00, 7.49, 0.96, kAqua),
                      label("QRlblSaleList", 2.48, 0.14, 2.43, "Sales List",
                            {.face = "Times New Roman",
                             .size = 26,
                             .bold = true,
                             .underline = true,
                             .align = C,
                             .fixedWidth = true}),
                      label("QRlblSaleCompanyName", 0.05, 0.25, 1.54),
                      label("QRSalesDate", 6.33, 0.25, 0.83), rule("QRShape7", 0.01, 0.58, 7.47),
                      label("QRlblSalesCustomer", 0.14, 0.69, 1.06, "Customer Name", bold),
                      label("QRlblSalesInvoice", 2.86, 0.70, 1.05, "Invoice Number", bold),
                      label("QRlblSalesTax", 4.71, 0.69, 0.67, "Sales Tax", bold),
                      label("QRlblSalesTotal", 5.86, 0.69, 0.69, "Sale Total", bold),
                      label("QRlblSalesDate", 6.83, 0.69, 0.31, "Date", bold)})),
         band(K::Detail, "QRbandSalesDetail", 9.03,
              {memo("QRmemSalesName", 0.02, 0.00, 2.60),
               memo("QRmemSalesInvoice", 2.64, 0.00, 1.26, {.align = C}),
               memo("QRmemSalesTax", 3.91, 0.00, 1.44, {.align = R, .wordWrap = true}),
               memo("QRmemSalesTotal", 5.38, 0.00, 1.17, {.align = R}),
               memo("QRmemSalesDate", 6.61, 0.00, 0.83, {.align = C})})},
        true);
}

Report customersLayout() {
    const Style heading{.bold = true, .align = C, .fixedWidth = true};
    const Style small{.size = 9};
    return report(
        "QRCustomers",
        {onAqua(band(K::PageHeader, "QRbandCustomerPH", 1.16,
                     {label("QRlblCustomerTitle", 2.67, 0.26, 2.23, "Customer List",
                            underlined(26, C, false, true)),
                      label("QRCustomerCompany", 0.17, 0.42, 1.36),
                      label("QRCustomerDate", 6.17, 0.42, 1.07, {}, {.align = C}),
                      rect("QRShape3", 0.03, 0.74, 7.43, 0.03, Qt::black),
                      label("QRlblCustomerName", 0.05, 0.86, 1.15, "Customer Name", heading),
                      label("QRlblCustomerAddress1", 1.75, 0.86, 0.92, "Address #1", heading),
                      label("QRlblCustomerAddress2", 3.67, 0.86, 0.80, "Address #2", heading),
                      label("QRlblCustomerCity", 4.72, 0.86, 1.16, "City    State,  Zip", heading),
                      label("QRlblCustomerPhone", 6.55, 0.86, 0.64, "Phone", heading)},
                     kAqua, AllSides)),
         band(K::Detail, "QRBand3", 8.85,
              {memo("QRmemCustomerName", 0.03, 0.03, 1.68, small),
               memo("QrmemCustomerAddress1", 1.76, 0.03, 1.82, small),
               memo("QRmemCustomerAddress2", 3.62, 0.03, 1.05, small),
               memo("QRmemCustomerCity", 4.73, 0.03, 1.77, small),
               memo("QRmemCustomerPhone", 6.54, 0.03, 0.89, small)})});
}

Report inventoryLayout() {
    Report r =
        report("QRInventory",
               {onAqua(band(
                    K::PageHeader, "QRBand6", 0.86,
                    {rect("QRInventoryShapeTitle", 0.01, 0.01, 7.48, 0.84, kAqua),
                     label("QRlblInventoryTitle", 2.33, 0.11, 2.76, "Inventory List",
                           underlined(24, C, true, true)),
                     label("QRlblInventoryCompanyName", 0.08, 0.22, 1.80),
                     label("QRlblInventoryTotal", 5.23, 0.14, 0.34, "Total "),
                     label("QRInventoryTotal", 4.93, 0.31, 1.03, {}, {.align = C}),
                     label("QRInventoryDate", 6.41, 0.22, 1.02), rule("QRShape6", 0.02, 0.50, 7.46),
                     label("QRlblCategoryTitle", 0.23, 0.60, 0.60, "Category", bold),
                     label("QRlblInventoryProduct", 1.77, 0.60, 1.30, "Product Description", bold),
                     label("QRlblInventoryCostTitle", 3.57, 0.60, 0.29, "Cost", bold),
                     label("QRlblInventoryPriceTitle", 4.28, 0.60, 0.35, "Price", bold),
                     label("QRlblInventoryGrossTitle", 4.97, 0.59, 0.38, "Gross", bold),
                     label("QRlblInventoryVendorTitle", 5.90, 0.58, 0.49, "Vendor", bold),
                     label("QRlblInventoryQuantityTitle", 6.74, 0.59, 0.56, "Quantity", bold)})),
                band(K::Summary, "QRBand12", 9.06,
                     {memo("QRmemInventoryCategory", 0.04, 0.04, 1.04),
                      memo("QRmemInventoryProduct", 1.12, 0.04, 1.92),
                      memo("QRmemInventoryCost", 3.08, 0.04, 0.78, {.align = R}),
                      memo("QRmemInventoryPrice", 3.89, 0.04, 0.76, {.align = R}),
                      memo("QRmemInventoryGross", 4.68, 0.04, 0.70, {.align = R}),
                      memo("QRmemInventoryVendor", 5.46, 0.04, 1.23),
                      memo("QRmemInventoryQuantity", 6.72, 0.04, 0.75, {.align = R})})},
               true);
    r.footerOnLastPage = false; // it has no footer band
    return r;
}

Report taxReportLayout() {
    const Style whiteCentred{.align = C, .background = kWhite};
    return report(
        "QRTaxReport",
        {onAqua(band(K::PageHeader, "QRBand8", 1.11,
                     {label("QRlblTaxReport", 2.75, 0.20, 2.46, "Sales Tax Report",
                            underlined(22, Align::Left, true)),
                      label("QRTaxCompanyName", 0.06, 0.31, 1.35),
                      label("QRlblTaxDateFrom", 5.60, 0.31, 0.72, {}, {.fixedWidth = true}),
                      label("QRlblTaxTo", 6.33, 0.31, 0.16, "To"),
                      label("QRlblTaxDateTo", 6.54, 0.31, 0.90, {}, {.fixedWidth = true}),
                      rect("QRShape1", 0.25, 0.59, 7.01, 0.42),
                      label("QRlblTaxInvoice", 0.33, 0.71, 0.53, "Invoice #", white),
                      label("QRlblTaxSubtotal", 1.60, 0.62, 0.90, "Sale Sub-Total", white),
                      label("QRTaxSubTotal", 1.59, 0.81, 0.96, {}, whiteCentred),
                      label("QRlblTaxCollected", 3.03, 0.62, 0.83, "Tax Collected", white),
                      label("QRTaxCollected", 2.89, 0.79, 0.99, {}, whiteCentred),
                      label("QRlblTaxTotalSale", 4.50, 0.64, 0.61, "Sale Total", white),
                      label("QRTaxTotal", 4.46, 0.81, 0.72, {}, whiteCentred),
                      label("QRlblTaxDue", 5.75, 0.62, 0.51, "Tax Due", white),
                      label("QRTaxDue", 5.70, 0.80, 0.67, {}, whiteCentred),
                      label("QRlblTaxDate", 6.61, 0.71, 0.60, "Sale Date", white)},
                     kAqua)),
         band(K::Detail, "QRBand9", 8.81,
              {memo("QRmemTaxInvoice", 0.29, 0.03, 0.64),
               memo("QRmemTaxNet", 1.51, 0.02, 0.94, {.align = R, .wordWrap = true}),
               memo("QRmemTaxCollected", 2.89, 0.02, 0.93, {.align = R}),
               memo("QRmemTaxGross", 4.43, 0.02, 0.70, {.align = R}),
               memo("QRmemTaxDue", 5.66, 0.03, 0.66, {.align = R}),
               memo("QRmemTaxDate", 6.51, 0.03, 0.76, {.align = C})})});
}

Report orderListLayout() {
    return report(
        "QROrderList",
        {onAqua(band(K::PageHeader, "QRBand10", 0.93,
                     {label("QRlblOrderList", 3.06, 0.17, 1.35, "Order List", underlined(22, C)),
                      label("QROrderListCompanyName", 0.11, 0.26, 1.69),
                      label("QROrderListDate", 6.17, 0.27, 1.04),
                      rect("QRShape2", 0.08, 0.58, 7.34, 0.28),
                      label("QRlblOrderListDescription", 0.25, 0.64, 0.69, "Description", white),
                      label("QRlblOrderListCost", 3.66, 0.64, 0.29, "Cost", white),
                      label("QRlblOrderListPrice", 4.51, 0.64, 0.32, "Price", white),
                      label("QRlblOrderListVendor", 5.10, 0.64, 0.44, "Vendor", white)},
                     kAqua)),
         band(K::Detail, "QRBand11", 9.08,
              {memo("QRmemOrderListPart", 0.53, 0.02, 2.90),
               memo("QRmemOrderListCost", 3.44, 0.02, 1.05, {.align = R}),
               memo("QRmemOrderListPrice", 4.52, 0.02, 0.84, {.align = R}),
               memo("QRmemOrderListVendor", 5.54, 0.02, 2.40)})});
}

Report yearEndLayout() {
    const Style totals{.size = 12, .align = C};
    return report(
        "QRYearEnd",
        {onAqua(
             band(K::Title, "QRBand16", 0.93,
                  {label("QRLabel13", 2.58, 0.10, 2.45, "Year End Report", underlined(24)),
                   label("qrlblYearEndCompany", 0.25, 0.17, 1.35),
                   label("qrlblYearEndDay", 6.12, 0.17, 1.02),
                   label("QRLabel20", 5.31, 0.36, 0.79, "Year Ending:"),
                   label("qrlblYearEndDate", 6.12, 0.36, 1.06), rule("QRShape5", 0.02, 0.54, 7.47),
                   label("QRLabel14", 0.19, 0.67, 0.94, "Monthly Sales", bold),
                   label("QRLabel15", 2.56, 0.67, 1.33, "Sales Tax Collected", bold),
                   label("QRLabel16", 4.82, 0.67, 0.76, "Net Income", bold)},
                  kAqua)),
         band(K::Detail, "QRBand17", 8.00,
              {memo("qrmemYearEndSales", 0.21, 0.00, 2.01),
               memo("qrmemYearEndTax", 2.30, 0.00, 1.59, {.align = R}),
               memo("qrmemYearEndNet", 4.01, 0.00, 1.59, {.align = R})}),
         onAqua(band(K::PageFooter, "QRBand18", 1.00,
                     {label("QRLabel17", 0.50, 0.17, 1.10, "Total Sales", underlined(16)),
                      label("QRLabel18", 3.33, 0.17, 0.98, "Sales Tax", underlined(16)),
                      label("QRLabel19", 6.01, 0.18, 1.11, "Net Income", underlined(16)),
                      label("qrlblYearEndSalesTotal", 0.24, 0.58, 1.71, {}, totals),
                      label("qrlblYearEndTaxTotal", 3.06, 0.57, 1.55, {}, totals),
                      label("qrlblYearEndNetTotal", 5.79, 0.56, 1.54, {}, totals)},
                     kAqua))});
}

Report receivablesLayout() {
    const Style wrapRight{.align = R, .wordWrap = true};
    return report(
        "QRReceivables",
        {onAqua(band(K::PageHeader, "QRBand5", 1.01,
                     {label("QRLabel21", 2.16, 0.10, 3.32, "Accounts Receivable", underlined(26)),
                      label("QRlblRecCompanyName", 0.08, 0.33, 1.51),
                      label("QRlblRecARTotal", 5.72, 0.16, 0.53, "AR Total", underlined(10)),
                      label("QRRecARTotal", 5.57, 0.33, 0.88, {}, {.align = C, .fixedWidth = true}),
                      label("QRlblRecDate", 6.59, 0.33, 0.86, {}, {.align = C}),
                      rule("QRShape8", 0.00, 0.64, 7.49),
                      label("QRlblRecCustomerName", 0.04, 0.75, 0.99, "Customer Name"),
                      label("QRlblRecInvoice", 3.41, 0.75, 0.42, "Invoice"),
                      label("QRlblRecSaleTotal", 4.40, 0.75, 0.61, "Sale Total"),
                      label("QRlblRecBalanceDue", 5.38, 0.75, 0.78, "Balance Due"),
                      label("QRlblRecBalDate", 6.57, 0.75, 0.75, "Date of Sale")},
                     kAqua)),
         band(K::Detail, "QRBand7", 9.00,
              {memo("QRmemRecName", 0.07, 0.02, 2.71, {.wordWrap = true}),
               memo("QRmemRecInvoice", 2.82, 0.02, 1.01, wrapRight),
               memo("QRmemRecTotal", 3.92, 0.02, 1.09, wrapRight),
               memo("QRmemRecBalance", 5.17, 0.02, 0.99, wrapRight),
               memo("QRmemRecDate", 6.46, 0.03, 0.98, {.align = C, .wordWrap = true})})});
}

Report dailyLayout() {
    return report(
        "QRDaily",
        {onAqua(band(K::PageHeader, "QRBand13", 0.84,
                     {label("QRLabel1", 2.81, 0.08, 1.80, "Daily Report", underlined(24, C)),
                      label("qrlblDailyCompany", 0.08, 0.11, 1.53, {}, size(12, true)),
                      label("qrlblDailyDate", 6.33, 0.11, 1.12, {}, size(12, true)),
                      label("QRLabel2", 0.06, 0.39, 0.77, "Report Date:"),
                      label("qrlblDailyReportDate", 0.84, 0.39, 0.78, {}, {.fixedWidth = true}),
                      rule("QRShape4", 0.00, 0.57, 7.51),
                      label("QRLabel3", 0.32, 0.62, 0.59, "Customer"),
                      label("QRLabel4", 1.54, 0.62, 0.53, "Invoice #"),
                      label("QRLabel5", 2.82, 0.62, 0.29, "Cost"),
                      label("QRLabel6", 3.53, 0.61, 0.64, "Sale Price"),
                      label("QRLabel7", 4.56, 0.62, 0.54, "Sale Tax"),
                      label("QRLabel8", 5.26, 0.62, 0.70, "Net Income"),
                      label("QRLabel9", 6.54, 0.62, 0.32, "Clerk")},
                     kAqua)),
         band(K::Detail, "QRBand14", 7.99,
              {memo("qrmemDailyCustomer", 0.00, 0.02, 1.51),
               memo("qrmemDailyInvoice", 1.53, 0.02, 0.56, {.align = C}),
               memo("qrmemDailyCost", 2.17, 0.02, 0.93, {.align = R}),
               memo("qrmemDailyPrice", 3.12, 0.02, 1.05, {.align = R}),
               memo("qrmemDailyTax", 4.21, 0.02, 0.89, {.align = R}),
               memo("qrmemDailyNet", 5.14, 0.02, 0.83, {.align = R}),
               memo("qrmemDailyClerk", 6.10, 0.03, 1.35)}),
         band(K::Summary, "QRBand19", 1.58,
              {memo("qrmemDailyCount", 0.27, 0.00, 0.66, {.align = R}),
               memo("qrmemDailySales", 1.50, 0.00, 5.64)}),
         onAqua(band(K::PageFooter, "QRBand15", 0.55,
                     {label("QRLabel10", 0.06, 0.12, 0.96, "TOTAL SALES:"),
                      label("qrlblDailySales", 1.07, 0.14, 0.91),
                      label("QRLabel11", 2.66, 0.12, 0.78, "SALES TAX:"),
                      label("qrlblDailyTax", 3.48, 0.12, 0.78),
                      label("QRLabel12", 5.08, 0.14, 1.24, "NET FROM SALES:"),
                      label("qrlblDailyNet", 6.35, 0.14, 0.77)},
                     kAqua))});
}

Report dailyTotalLayout() {
    const Style fixed{.fixedWidth = true};
    return report(
        "qrDailyTotal",
        {onAqua(
             band(K::PageHeader, "QRBand20", 1.01,
                  {label("QRLabel22", 2.83, 0.11, 1.95, "Daily Report", underlined(26)),
                   label("qrlblDailyTotalReportCompany", 0.17, 0.25, 2.47, {}, size(12, true)),
                   label("qrlblDailyTotalReportDate", 6.19, 0.25, 2.06, {}, size(12, true)),
                   rule("QRShape9", 0.00, 0.65, 7.51), label("QRLabel23", 0.29, 0.75, 0.29, "Date"),
                   label("QRLabel24", 2.94, 0.75, 0.51, "Subtotal"),
                   label("QRLabel25", 4.94, 0.75, 0.23, "Tax"),
                   label("QRLabel26", 6.80, 0.75, 0.30, "Total")},
                  kAqua)),
         band(K::Detail, "QRBand21", 8.46,
              {memo("qrmemDailyTotalDate", 0.17, 0.00, 1.84),
               memo("qrmemDailyTotalSubtotal", 2.08, 0.00, 1.34, {.align = R}),
               memo("qrmemDailyTotalTax", 3.75, 0.00, 1.43, {.align = R}),
               memo("qrmemDailyTotal", 5.67, 0.00, 1.43, {.align = R})}),
         onAqua(band(K::PageFooter, "QRBand22", 0.51,
                     {label("QRLabel27", 0.49, 0.17, 0.94, "Sales Subtotal:", underlined(10)),
                      label("qrlblDailyTotalSubtotal", 1.55, 0.17, 1.01, {}, fixed),
                      label("QRLabel28", 3.03, 0.17, 0.60, "Tax Total:", underlined(10)),
                      label("qrlblDailyTotalTax", 3.72, 0.17, 1.17, {}, fixed),
                      label("QRLabel29", 5.31, 0.17, 0.80, "Gross Sales:", underlined(10)),
                      label("qrlblDailyTotal", 6.23, 0.17, 0.78, {}, fixed)},
                     kAqua))});
}

std::vector<Report> allLayouts() {
    return {invoiceLayout(),   salesListLayout(), customersLayout(), inventoryLayout(),
            taxReportLayout(), orderListLayout(), yearEndLayout(),   receivablesLayout(),
            dailyLayout(),     dailyTotalLayout()};
}

} // namespace reports
