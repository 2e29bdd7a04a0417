#pragma once

#include <stdexcept>
#include <string>

namespace store {

// Every error that ends a handler and shows the error box derives from this.
class PosError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A table engine failure: missing or damaged file, wrong layout, refused operation.
class EngineError : public PosError {
public:
    using PosError::PosError;
};

// A table that is there but is not what it should be: not a table, another layout, damaged
// pages, or rows that do not read. Unlike a table out of reach (locked, server gone), trying
// again later will not help.
class DamagedTable : public EngineError {
public:
    using EngineError::EngineError;
};

// Text that should have been a number or a date.
class ConversionError : public PosError {
public:
    using PosError::PosError;
};

// "'%s' is not a valid floating point value"
ConversionError notAFloat(const std::string& text);

} // namespace store
