#pragma once

#include "store/errors.h"

namespace core {

using store::ConversionError;
using store::EngineError;
using store::PosError;

// A serial port that cannot be opened or written.
class SerialError : public PosError {
public:
    using PosError::PosError;
};

// Reading or writing one of the program's own files failed.
class FileError : public PosError {
public:
    using PosError::PosError;
};

} // namespace core
