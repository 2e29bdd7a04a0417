#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace store {

enum class Kind { Customer, Product, Sale, Security, Journal };
inline constexpr Kind kAllKinds[] = {Kind::Customer, Kind::Product, Kind::Sale, Kind::Security,
                                     Kind::Journal};

struct FieldDef {
    std::string name;
    int width = 0;        // characters; 0 for the number field
    bool numeric = false; // only the sale table's INVOICE
};

struct IndexDef {
    std::string name; // the name callers activate it by
    int field = 0;
};

struct Layout {
    Kind kind;
    std::string kindName; // "customer", "product", "sale", "security"
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes; // the named indexes callers may activate
    std::string defaultIndex;      // active after open; "" means stored order
    std::vector<int> lookupFields; // extra indexes that only speed up equality searches
};

const Layout& layoutOf(Kind kind);
const Layout* layoutByName(const std::string& kindName);

// Field positions, as every other subsystem addresses fields.
namespace customer {
enum : int {
    NAME,
    ADDRESS1,
    ADDRESS2,
    CITY,
    STATE,
    ZIP,
    PHONE1,
    PHONE2,
    LICENSE,
    DLSTATE,
    CARD,
    EXPIRE,
    TYPE,
    CLERK,
    FIELD_COUNT
};
}
namespace product {
enum : int {
    CATEGORY,
    PRODUCT,
    QUANTITY,
    MINIMUM,
    COST,
    PRICE,
    GROSS,
    VENDER,
    TAX,
    BARCODE,
    CLERK,
    FIELD_COUNT
};
}
namespace security {
enum : int { USERNAME, PASSWORD, GROUP, FIELD_COUNT };
}
// A register's journal of its open sale: a row per product line, in the order rung in, each
// with the sale's kind and customer as they were when it was written.
namespace journal {
enum : int {
    QUANTITY,
    TEXT,
    PRICE,
    COST,
    CATEGORY,
    PRODUCT, // the identity of the product row its stock moved on
    TAXABLE, // T or F
    REFUND,  // T or F
    KIND,    // cash, credit, quote or refund
    NAME,
    ADDRESS1,
    ADDRESS2,
    CITY,
    STATE,
    ZIP,
    PHONE1,
    PHONE2,
    FIELD_COUNT
};
}
namespace sale {
enum : int {
    NAME,
    ADDRESS1,
    ADDRESS2,
    CITY,
    STATE,
    ZIP,
    PHONE1,
    PHONE2,
    CARD,
    EXPIRE,
    TYPE,
    CARDAUTH = 311,
    CHARGE1,
    CHARGE2,
    NOTE,
    PAID,
    BALANCE,
    TOTAL,
    DATE,
    TAX,
    INVOICE,
    SUBTOTAL,
    LINK,
    CLERK,
    FIELD_COUNT
};
constexpr int LINE_COUNT = 100;
constexpr int prod(int n) {
    return 11 + 3 * n;
}
constexpr int cost(int n) {
    return 12 + 3 * n;
}
constexpr int price(int n) {
    return 13 + 3 * n;
}
} // namespace sale

// A number's text is never cut to fit its field: one that is longer (blanks at its end aside)
// throws an error naming the field.
void requireNumberFits(const Layout& layout, int pos, std::string_view text);

} // namespace store
