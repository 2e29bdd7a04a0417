#pragma once

#include "core/pos.h"

namespace maintenance {

// The help window with its topics, the setup helper's close, and the About panel.
class Help {
public:
    explicit Help(core::Pos& pos) : pos(pos) {}

    void Help2Click();
    // A mouse button released over line `line` of the topic list.
    void memHelpIndexMouseUp(int line);
    void lblHelpPrintClick();
    void helpFormClose();
    void setupHelperFormClose();
    void About1Click();
    void btnAboutCloseClick();

private:
    core::Pos& pos;
};

} // namespace maintenance
