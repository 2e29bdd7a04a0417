#pragma once

#include "core/pos.h"

namespace reg {

// Cancel: give the lines' stock back, then reset the register to idle.
class Cancel {
public:
    explicit Cancel(core::Pos& pos) : pos(pos) {}

    void imgCancelClick();
    void giveBackStock();
    void doReset();

private:
    core::Pos& pos;
};

} // namespace reg
