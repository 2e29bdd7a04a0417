#pragma once

#include "core/pos.h"

namespace app {

// The shop's details and settings: prefs.pos, the preference pages, the window caption
// and the next invoice number.
class Preferences {
public:
    explicit Preferences(core::Pos& pos) : pos(pos) {}

    void doLoadPrefs();
    void doShowPreferences();
    void Preferences1Click();
    void btnCSaveClick();
    void doErrorCheck();
    void doErrorMessage(const QString& label);
    // Cancel on any preference tab, and Esc.
    void btnCCancelClick();
    void edtSalesTaxExit();

private:
    // Opens the pole display; a port that cannot be opened is reported and the rest of the
    // load or save goes on, so the shop can still reach the preferences to fix it.
    void openPoleReportingErrors();

    core::Pos& pos;
};

inline const char* const kPrefsFile = "prefs.pos";

} // namespace app
