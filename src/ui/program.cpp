#include "ui/program.h"

#include "app/startup.h"
#include "ui/main_window.h"
#include "ui/qt_services.h"
#include "ui/widgets.h"
#include "ui/wiring.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

// The pictures live in a static library: register them before the first window.
static void initPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace ui {

void applyLook(QApplication& app) {
    app.setApplicationName("Marlow POS");
    app.setApplicationDisplayName("Marlow POS");
    app.setStyle("Fusion");
    QFont font("Liberation Sans");
    font.setPixelSize(11);
    app.setFont(font);
    app.setQuitOnLastWindowClosed(false);
}

Program::Program(const core::Services& services) {
    initPictures();
    m_main = std::make_unique<MainWindow>(m_form);
    m_changeDue.reset(buildChangeDueWindow(m_form));
    m_help.reset(buildHelpWindow(m_form));
    m_setupHelper.reset(buildSetupHelperWindow(m_form));
    m_pos = std::make_unique<core::Pos>(m_form, services);
    if (auto* qt = dynamic_cast<QtDialogs*>(services.dialogs)) qt->setParent(m_main.get());

    m_startup = std::make_unique<app::Startup>(*m_pos);
    m_pos->sub.startup = m_startup.get();
    wireApp();
}

Program::~Program() {
    // Handlers first, then the tables (with the context), then the windows.
    m_startup.reset();
    m_pos.reset();
}

void Program::wireApp() {
    auto& f = m_form;
    auto& pos = *m_pos;
    app::Startup* s = m_startup.get();
    auto* dialogs = dynamic_cast<QtDialogs*>(pos.services.dialogs);
    m_main->onActivate = [&pos, s, dialogs] {
        // The focus coming back from our own message box is not a new activation.
        if (dialogs && dialogs->takeModalClosed()) return;
        core::guard(pos, [s] { s->FormActivate(); });
    };
    m_main->onKey = [&pos, s](int key) { core::guard(pos, [s, key] { s->FormKeyDown(key); }); };
    m_main->onClose = [&pos] { pos.services.lifetime->end(); };

    on(pos, f.btnDataBase, &QPushButton::clicked, [s] { s->btnDataBaseClick(); });
    on(pos, f.btnDataBaseOK, &QPushButton::clicked, [s] { s->btnDataBaseOKClick(); });
    on(pos, f.btnDataBaseCancel, &QPushButton::clicked, [s] { s->btnDataBaseCancelClick(); });
    on(pos, f.btnPOK, &QPushButton::clicked, [s] { s->btnPOKClick(); });
    // Enter in either login field presses OK.
    on(pos, f.edtPUsername, &QLineEdit::returnPressed, [s] { s->btnPOKClick(); });
    on(pos, f.edtPPassword, &QLineEdit::returnPressed, [s] { s->btnPOKClick(); });
    on(pos, f.DataPath1, &QAction::triggered, [s] { s->DataPath1Click(); });
    on(pos, f.Exit1, &QAction::triggered, [s] { s->Exit1Click(); });
    on(pos, f.Timer1, &QTimer::timeout, [s] { s->Timer1Timer(); });
}

void Program::show() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = m_main->frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        m_main->move(r.topLeft());
    }
    m_main->show();
    m_main->activateWindow();
    m_main->raise();
}

QList<QWidget*> Program::windows() const {
    return {m_main.get(), m_changeDue.get(), m_help.get(), m_setupHelper.get()};
}

void Program::tick() {
    if (m_form.Timer1->isActive()) core::guard(*m_pos, [this] { m_startup->Timer1Timer(); });
}

} // namespace ui
