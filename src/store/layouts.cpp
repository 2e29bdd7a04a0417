#include "store/layouts.h"

#include "store/errors.h"
#include "store/text.h"

namespace store {
namespace {

Layout makeCustomer() {
    return {Kind::Customer,
            "customer",
            {{"NAME", 30},
             {"ADDRESS1", 30},
             {"ADDRESS2", 30},
             {"CITY", 30},
             {"STATE", 2},
             {"ZIP", 10},
             {"PHONE1", 20},
             {"PHONE2", 20},
             {"LICENSE", 20},
             {"DLSTATE", 2},
             {"CARD", 20},
             {"EXPIRE", 5},
             {"TYPE", 10},
             {"CLERK", 30}},
            {{"NAME", customer::NAME}},
            "NAME",
            {}};
}

Layout makeProduct() {
    return {Kind::Product,
            "product",
            {{"CATEGORY", 30},
             {"PRODUCT", 80},
             {"QUANTITY", 10},
             {"MINIMUM", 10},
             {"COST", 10},
             {"PRICE", 10},
             {"GROSS", 10},
             {"VENDER", 10},
             {"TAX", 10},
             {"BARCODE", 50},
             {"CLERK", 30}},
            {{"CATEGORY", product::CATEGORY}},
            "CATEGORY",
            // Scans and lookups find products by barcode and by exact name.
            {product::BARCODE, product::PRODUCT}};
}

Layout makeSecurity() {
    return {Kind::Security,
            "security",
            {{"USERNAME", 30}, {"PASSWORD", 128}, {"GROUP", 1}},
            {{"USERNAME", security::USERNAME}},
            "",
            {}};
}

Layout makeSale() {
    Layout l{Kind::Sale, "sale", {}, {{"INVOICE", sale::INVOICE}, {"NAME", sale::NAME}},
             "INVOICE",  {}};
    l.fields = {{"NAME", 30}, {"ADDRESS1", 30}, {"ADDRESS2", 30}, {"CITY", 30},
                {"STATE", 2}, {"ZIP", 10},      {"PHONE1", 20},   {"PHONE2", 20},
                {"CARD", 20}, {"EXPIRE", 5},    {"TYPE", 20}};
    for (int n = 0; n < sale::LINE_COUNT; ++n) {
        const auto num = std::to_string(n);
        l.fields.push_back({"PROD" + num, 80});
        l.fields.push_back({"COST" + num, 10});
        l.fields.push_back({"PRICE" + num, 10});
    }
    const std::vector<FieldDef> tail = {
        {"CARDAUTH", 100}, {"CHARGE1", 20}, {"CHARGE2", 20}, {"NOTE", 250}, {"PAID", 20},
        {"BALANCE", 20},   {"TOTAL", 20},   {"DATE", 20},    {"TAX", 20},   {"INVOICE", 0, true},
        {"SUBTOTAL", 20},  {"LINK", 20},    {"CLERK", 30}};
    l.fields.insert(l.fields.end(), tail.begin(), tail.end());
    return l;
}

Layout makeJournal() {
    return {Kind::Journal,
            "journal",
            {{"QUANTITY", 20},
             {"TEXT", 160},
             {"PRICE", 20},
             {"COST", 20},
             {"CATEGORY", 30},
             {"PRODUCT", 20},
             {"TAXABLE", 1},
             {"REFUND", 1},
             {"KIND", 10},
             {"NAME", 30},
             {"ADDRESS1", 30},
             {"ADDRESS2", 30},
             {"CITY", 30},
             {"STATE", 2},
             {"ZIP", 10},
             {"PHONE1", 20},
             {"PHONE2", 20}},
            {},
            "",
            {}};
}

} // namespace

const Layout& layoutOf(Kind kind) {
    static const Layout customerLayout = makeCustomer();
    static const Layout productLayout = makeProduct();
    static const Layout saleLayout = makeSale();
    static const Layout securityLayout = makeSecurity();
    static const Layout journalLayout = makeJournal();
    switch (kind) {
    case Kind::Customer:
        return customerLayout;
    case Kind::Product:
        return productLayout;
    case Kind::Sale:
        return saleLayout;
    case Kind::Journal:
        return journalLayout;
    case Kind::Security:
        break;
    }
    return securityLayout;
}

const Layout* layoutByName(const std::string& kindName) {
    for (Kind k : kAllKinds)
        if (layoutOf(k).kindName == kindName) return &layoutOf(k);
    return nullptr;
}

void requireNumberFits(const Layout& layout, int pos, std::string_view text) {
    const FieldDef& field = layout.fields.at(size_t(pos));
    if (field.numeric) return;
    const std::string_view kept = trimRight(text);
    int chars = 0;
    for (char c : kept)
        chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (chars <= field.width) return;
    throw PosError("The number '" + std::string(kept) + "' does not fit the field " + field.name +
                   " (" + std::to_string(field.width) + " characters).");
}

} // namespace store
