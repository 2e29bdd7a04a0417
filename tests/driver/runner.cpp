#include "driver/runner.h"

#include "driver/runner_support.h"
#include "program/program.h"
#include "store/data_dir.h"
#include "test_server.h"
#include "ui/main_form.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace driver {

Runner::Runner(bool keep, testsupport::TestServer* server) : m_keep(keep), m_server(server) {
    if (server) m_serverShop = QString::fromStdString(server->freshUri());
}

Runner::~Runner() {
    stopProgram();
}

void Runner::settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

void Runner::setUp(const QString& work) {
    m_work = work;
    m_data = work + "/data";
    QDir::setCurrent(m_work);
    // The shop's tables: the data directory, or a fresh database on the runner's server.
    m_dataPath = m_serverShop.isEmpty() ? m_data + "/" : m_serverShop;
    store::createShop(m_dataPath.toStdString());
    QFile f(m_work + "/datapath.pos");
    if (!f.open(QIODevice::WriteOnly)) fail("cannot write datapath.pos");
    f.write((m_dataPath + "\r\n").toUtf8());
    m_rec = std::make_unique<RecordingServices>();
}

namespace {
// Timer1 ticks only when a scenario says `tick`, never by the clock of a busy machine.
class StopTimer : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::Timer; }
};
} // namespace

void Runner::startProgram() {
    m_rec->lifetime.reset();
    m_program = std::make_unique<program::Program>(m_rec->services());
    m_program->form().Timer1->installEventFilter(new StopTimer(m_program->form().Timer1));
    m_program->show();
    // Start-up may show another window of ours (the setup helper), which then takes over.
    if (!QTest::qWaitFor([] { return QApplication::activeWindow() != nullptr; }, 5000))
        fail("the main window did not become active");
    settle();
}

void Runner::stopProgram() {
    if (!m_program) return;
    for (QWidget* w : m_program->windows())
        w->hide();
    m_program.reset();
    settle();
}

Outcome Runner::run(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return {false, 0, "cannot read the file"};
    QTemporaryDir tmp(QDir::tempPath() + "/pos-scenario-XXXXXX");
    tmp.setAutoRemove(!m_keep);
    const QString work = QFileInfo(tmp.path()).canonicalFilePath();
    if (m_keep) std::printf("WORK %s\n", qPrintable(work));

    m_dir = QFileInfo(file).absolutePath();
    ParseResult parsed = parseScenario(QString::fromUtf8(in.readAll()), work, work + "/data");
    if (parsed.errorLine) return {false, parsed.errorLine, parsed.error};

    int line = 0;
    try {
        setUp(work);
        for (const Command& c : parsed.commands) {
            line = c.line;
            runCommand(c);
            if (!m_rec->dialogs.problems.isEmpty()) fail(m_rec->dialogs.problems.takeFirst());
        }
        line = parsed.commands.empty() ? 0 : parsed.commands.back().line;
        // Nothing the program showed, printed or started may pass unchecked.
        if (!m_rec->dialogs.boxes.empty()) {
            const RecordedBox& b = m_rec->dialogs.boxes.front();
            fail(QString("a box was not checked: %1 %2").arg(show(b.caption), show(b.text)));
        }
        if (!m_rec->printer.jobs.empty())
            fail("a print job was not checked: " + show(m_rec->printer.jobs.front().title));
        if (!m_rec->launcher.started.empty())
            fail("a program start was not checked: " + m_rec->launcher.started.front().join(' '));
        // Answers nobody asked for mean a question that never came.
        if (!m_rec->dialogs.answers.empty()) fail("a queued answer was never used");
        if (!m_rec->dialogs.fileAnswers.empty())
            fail("a queued file or folder choice was never used");
    } catch (const Failure& f) {
        stopProgram();
        return {false, line, f.message};
    } catch (const std::exception& e) {
        stopProgram();
        return {false, line, QString("error: ") + e.what()};
    }
    stopProgram();
    return {true, 0, {}};
}

void Runner::runCommand(const Command& c) {
    using Handler = void (Runner::*)(const Command&);
    static const QHash<QString, Handler> commands = {
        {"today", &Runner::cmdToday},
        {"file", &Runner::cmdFile},
        {"nofile", &Runner::cmdNoFile},
        {"row", &Runner::cmdRow},
        {"newtable", &Runner::cmdNewTable},
        {"user", &Runner::cmdUser},
        {"serial-fail", &Runner::cmdSerialFail},
        {"serial-break", &Runner::cmdSerialBreak},
        {"printer-fail", &Runner::cmdPrinterFail},
        {"server-stop", &Runner::cmdServerStop},
        {"server-start", &Runner::cmdServerStart},
        {"set-shop", &Runner::cmdSetShop},
        {"expect-rows", &Runner::cmdExpectRows},
        {"expect-row", &Runner::cmdExpectRow},
        {"expect-file", &Runner::cmdExpectFile},
        {"expect-nofile", &Runner::cmdExpectNoFile},
        {"start", &Runner::cmdStart},
        {"restart", &Runner::cmdRestart},
        {"click", &Runner::cmdClick},
        {"dblclick", &Runner::cmdDblClick},
        {"menu", &Runner::cmdMenu},
        {"set", &Runner::cmdSet},
        {"type", &Runner::cmdType},
        {"key", &Runner::cmdKey},
        {"focus", &Runner::cmdFocus},
        {"leave", &Runner::cmdLeave},
        {"select", &Runner::cmdSelect},
        {"line", &Runner::cmdLine},
        {"cell", &Runner::cmdCell},
        {"activate", &Runner::cmdActivate},
        {"tick", &Runner::cmdTick},
        {"close", &Runner::cmdClose},
        {"screenshot", &Runner::cmdScreenshot},
        {"expect", &Runner::cmdExpect},
        {"answer", &Runner::cmdAnswer},
        {"choose", &Runner::cmdChoose},
        {"choose-cancel", &Runner::cmdChooseCancel},
        {"expect-box", &Runner::cmdExpectBox},
        {"expect-error", &Runner::cmdExpectError},
        {"expect-error-any", &Runner::cmdExpectErrorAny},
        {"expect-no-box", &Runner::cmdExpectNoBox},
        {"expect-serial", &Runner::cmdExpectSerial},
        {"expect-baud", &Runner::cmdExpectBaud},
        {"expect-report", &Runner::cmdExpectReport},
        {"expect-pages", &Runner::cmdExpectPages},
        {"expect-output", &Runner::cmdExpectOutput},
        {"expect-printed", &Runner::cmdExpectPrinted},
        {"expect-no-print", &Runner::cmdExpectNoPrint},
        {"expect-launched", &Runner::cmdExpectLaunched},
        {"expect-ended", &Runner::cmdExpectEnded},
        {"expect-running", &Runner::cmdExpectRunning},
        {"include", &Runner::cmdInclude},
        {"repeat", &Runner::cmdRepeat},
    };
    const Handler handler = commands.value(c.args[0]);
    if (!handler) fail("unknown command " + show(c.args[0]));
    (this->*handler)(c);
    settle();
}

program::Program& Runner::running() {
    if (!m_program) fail("the program is not started");
    return *m_program;
}

QObject* Runner::object(const QString& name) {
    for (QWidget* w : running().windows()) {
        if (w->objectName() == name) return w;
        if (QObject* o = w->findChild<QObject*>(name)) return o;
    }
    fail("no control named " + show(name));
}

QWidget* Runner::widget(const QString& name) {
    if (auto* w = qobject_cast<QWidget*>(object(name))) return w;
    fail(show(name) + " is not a control");
}

void Runner::focusOn(QWidget* w) {
    // The clerk clicks the window first when another one of ours is in front.
    if (!w->window()->isActiveWindow()) {
        w->window()->activateWindow();
        if (!QTest::qWaitForWindowActive(w->window(), 2000))
            fail(show(w->window()->objectName()) + " could not be activated");
    }
    w->setFocus(Qt::TabFocusReason);
    settle();
}

void Runner::cmdInclude(const Command& c) {
    const QStringList& a = c.args;
    // Shared set-up: the commands of another file (relative to this one), in order.
    need(c, 1);
    if (++m_includeDepth > 8) fail("includes nest too deep");
    const QString path = QDir(m_dir).absoluteFilePath(a[1]);
    QFile inc(path);
    if (!inc.open(QIODevice::ReadOnly)) fail("cannot read " + show(a[1]));
    ParseResult parsed = parseScenario(QString::fromUtf8(inc.readAll()), m_work, m_data);
    if (parsed.errorLine)
        fail(QString("%1:%2: %3").arg(a[1]).arg(parsed.errorLine).arg(parsed.error));
    // A fixture's own includes are relative to the fixture.
    const QString including = m_dir;
    m_dir = QFileInfo(path).absolutePath();
    for (const Command& sub : parsed.commands)
        runCommand(sub);
    m_dir = including;
    --m_includeDepth;
}

void Runner::cmdRepeat(const Command& c) {
    const QStringList& a = c.args;
    // `repeat N COMMAND ARGS…`: the command N times, as if written N times.
    need(c, 2);
    const int n = parseInt(a[1]);
    Command once = c;
    once.args = a.mid(2);
    for (int i = 0; i < n; ++i)
        runCommand(once);
}

} // namespace driver
