#pragma once

#include "core/pos.h"
#include "ui/main_form.h"

#include <QList>

#include <memory>
#include <vector>

class QWidget;
class QApplication;

namespace ui {
class MainWindow;
}

namespace program {

// The application title, style and font every window uses.
void applyLook(QApplication& app);

// The whole program: the four windows, the tables, the handlers and their wiring.
// main() makes one with the Qt services; pos-scenario makes one with recording services.
class Program {
public:
    explicit Program(const core::Services& services);
    ~Program();

    // Shows the main window centred on the desktop and activates it.
    void show();
    ui::MainForm& form() { return m_form; }
    core::Pos& pos() { return *m_pos; }
    QList<QWidget*> windows() const;
    // Lets Timer1 tick once, when it runs.
    void tick();

private:
    // Makes a handler object, owned here and reachable by the others through `slot`.
    template <class T> T* make(T*& slot);

    ui::MainForm m_form;
    std::unique_ptr<ui::MainWindow> m_main;
    std::unique_ptr<QWidget> m_changeDue, m_help, m_setupHelper;
    std::unique_ptr<core::Pos> m_pos;
    std::vector<std::shared_ptr<void>> m_handlers; // taken down in the reverse order of making
};

} // namespace program
