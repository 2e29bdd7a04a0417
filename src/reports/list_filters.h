#pragma once

#include <QString>

// Which customers and sales the lists and exports take, by the From and To fields.
namespace reports {

// Only the letters A to Z turned to a to z, every other character as it is.
QString asciiLower(const QString& text);

// Customers from `from` ("A" when empty) to `to` ("Z" when empty): a name is in when its
// first characters, as many as each end has, compare at or above the low end and at or below
// the high end, character code by character code.
class CustomerRange {
public:
    CustomerRange(const QString& from, const QString& to);
    bool contains(const QString& name) const;

private:
    QString m_low, m_high;
};

// Sales whose name begins with `from` ("A" when empty), letter case aside.
class NamePrefix {
public:
    explicit NamePrefix(const QString& from);
    bool matches(const QString& name) const;

private:
    QString m_key;
};

} // namespace reports
