#pragma once

#include "core/services.h"
#include "store/table.h"

#include <QString>

#include <functional>

namespace ui {
struct MainForm;
}
namespace app {
class Preferences;
class Startup;
} // namespace app
namespace catalog {
class Lists;
}
namespace reg {
class Devices;
}

namespace core {

// Program-wide state, held for the life of the program.
struct AppState {
    QString dataPath;    // as read from datapath.pos, ending with "/"
    QString currentUser; // "No Security" when the user table holds no user
    QString userGroup = "A";
    bool loginPending = false;
    bool startupDone = false;
    bool productEditMode = false; // shared by the customer and product panels
    QString poleMessage;          // the idle text of the pole display
    qint64 nextInvoiceNumber = 0; // the number the current sale's invoice gets
};

// The four tables, open from start-up until the program ends.
struct Tables {
    store::Table customer{store::Kind::Customer};
    store::Table product{store::Kind::Product};
    store::Table sale{store::Kind::Sale};
    store::Table security{store::Kind::Security};
};

// The subsystems' handler objects, so that one can call the shared procedures of another.
struct Subsystems {
    app::Startup* startup = nullptr;
    app::Preferences* prefs = nullptr;
    reg::Devices* devices = nullptr;
    catalog::Lists* lists = nullptr;
};

// The context every handler object receives: the form, the tables, the state, the services.
struct Pos {
    Pos(ui::MainForm& f, const Services& s) : form(f), services(s) {}
    Pos(const Pos&) = delete;
    Pos& operator=(const Pos&) = delete;

    ui::MainForm& form;
    Services services;
    AppState state;
    Tables tables;
    Subsystems sub;

    // Operations reserved to Administrators start with this and return silently when false.
    bool administrator() const { return state.userGroup == "A"; }
    Dialogs& dialogs() { return *services.dialogs; }
};

// Runs a handler; an error ends it, shows the error box and the program goes on.
void guard(Pos& pos, const std::function<void()>& handler);

} // namespace core
