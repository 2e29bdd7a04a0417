#pragma once

#include "core/pos.h"

namespace app {

// From launch to a usable main window: data path, tables, login, enabling, shortcuts.
class Startup {
public:
    explicit Startup(core::Pos& pos);

    void FormActivate();
    void btnDataBaseClick();
    void btnDataBaseOKClick();
    void btnDataBaseCancelClick();
    void btnPOKClick();
    void doInit();
    void doEnableFields();
    void DataPath1Click();
    void Exit1Click();
    void Timer1Timer();
    void FormKeyDown(int key);

private:
    void openTables(const QString& path);

    core::Pos& pos;
};

// The working directory's file that names the data directory.
inline const char* const kDataPathFile = "datapath.pos";

} // namespace app
