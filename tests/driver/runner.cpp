#include "driver/runner.h"

#include "app/users.h"
#include "store/data_dir.h"
#include "store/table.h"
#include "ui/main_form.h"
#include "ui/program.h"
#include "ui/widgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace driver {
namespace {

// A scenario step that did not go as written.
struct Failure {
    QString message;
};

[[noreturn]] void fail(const QString& message) {
    throw Failure{message};
}

QString show(const QString& s) {
    QString out = s;
    out.replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t");
    return "\"" + out + "\"";
}

void expectEqual(const QString& what, const QString& expected, const QString& got) {
    if (expected != got)
        fail(QString("%1 (expected %2, got %3)").arg(what, show(expected), show(got)));
}

void expectLines(const QString& what, const QStringList& expected, const QStringList& got) {
    if (expected == got) return;
    fail(QString("%1 (expected %2 lines [%3], got %4 lines [%5])")
             .arg(what)
             .arg(expected.size())
             .arg(expected.join(" | "))
             .arg(got.size())
             .arg(got.join(" | ")));
}

bool parseBool(const QString& v) {
    if (v == "true") return true;
    if (v == "false") return false;
    fail("expected true or false, not " + show(v));
}

int parseInt(const QString& v) {
    bool ok = false;
    int n = v.toInt(&ok);
    if (!ok) fail("expected a whole number, not " + show(v));
    return n;
}

void need(const Command& c, int n) {
    if (c.args.size() < n + 1) fail(QString("'%1' needs %2 arguments").arg(c.args[0]).arg(n));
}

const QStringList& block(const Command& c) {
    if (!c.block) fail(QString("'%1' needs an <<END block").arg(c.args[0]));
    return *c.block;
}

store::Kind kindByName(const QString& name) {
    if (const store::Layout* l = store::layoutByName(name.toStdString())) return l->kind;
    fail("unknown table kind " + show(name));
}

// The table file a scenario names: one of the four, or a .tbl path relative to $WORK.
std::pair<std::string, store::Kind> tableFile(const QString& work, const QString& data,
                                              const QString& name) {
    if (const store::Layout* l = store::layoutByName(name.toStdString()))
        return {(data + "/" + name + ".tbl").toStdString(), l->kind};
    std::string path = QDir(work).absoluteFilePath(name).toStdString();
    auto kind = store::fileKind(path);
    if (!kind) fail("not a table file: " + show(name));
    return {path, *kind};
}

// Field values of a `row` or `expect-row` command: positional "A|B|C" or NAME=VALUE pairs.
std::vector<std::pair<int, QString>> fieldValues(const store::Layout& layout,
                                                 const QStringList& args, bool* positional) {
    auto fieldIndex = [&](const QString& name) {
        for (size_t i = 0; i < layout.fields.size(); ++i)
            if (QString::fromStdString(layout.fields[i].name) == name) return int(i);
        return -1;
    };
    std::vector<std::pair<int, QString>> out;
    bool named = !args.isEmpty();
    for (const QString& a : args) {
        int eq = a.indexOf('=');
        if (eq <= 0 || fieldIndex(a.left(eq)) < 0) named = false;
    }
    *positional = !named;
    if (named) {
        for (const QString& a : args) {
            int eq = a.indexOf('=');
            out.push_back({fieldIndex(a.left(eq)), a.mid(eq + 1)});
        }
        return out;
    }
    QStringList values = args.join(' ').split('|');
    if (values.size() > int(layout.fields.size()))
        fail(QString("%1 fields given, the table has %2")
                 .arg(values.size())
                 .arg(layout.fields.size()));
    for (int i = 0; i < int(layout.fields.size()); ++i)
        out.push_back({i, i < values.size() ? values[i] : ""});
    return out;
}

Qt::Key keyByName(const QString& name, QString* text) {
    static const QMap<QString, Qt::Key> named = {
        {"Enter", Qt::Key_Return}, {"Escape", Qt::Key_Escape}, {"Backspace", Qt::Key_Backspace},
        {"Tab", Qt::Key_Tab},      {"Up", Qt::Key_Up},         {"Down", Qt::Key_Down}};
    if (named.contains(name)) {
        *text = name == "Enter"       ? "\r"
                : name == "Escape"    ? "\x1b"
                : name == "Backspace" ? "\b"
                : name == "Tab"       ? "\t"
                                      : "";
        return named[name];
    }
    if (name.size() >= 2 && name[0] == 'F') {
        bool ok = false;
        int n = name.mid(1).toInt(&ok);
        if (ok && n >= 1 && n <= 12) {
            text->clear();
            return Qt::Key(Qt::Key_F1 + n - 1);
        }
    }
    if (name.size() == 1) {
        *text = name;
        return Qt::Key(name[0].toUpper().unicode());
    }
    fail("unknown key " + show(name));
}

void pressKey(Qt::Key key, const QString& text) {
    QWidget* target = QApplication::focusWidget();
    if (!target) target = QApplication::activeWindow();
    if (!target) fail("no window has the focus for the key");
    QTest::sendKeyEvent(QTest::Press, target, key, text, Qt::NoModifier);
    // The press may have moved the focus; the release goes where the keyboard now points.
    QWidget* now = QApplication::focusWidget();
    if (!now) now = QApplication::activeWindow();
    if (now) QTest::sendKeyEvent(QTest::Release, now, key, text, Qt::NoModifier);
}

QString colorText(QWidget* w) {
    QColor c = w->palette().color(w->backgroundRole());
    return QString("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue());
}

QStringList comboItems(QComboBox* c) {
    QStringList items;
    for (int i = 0; i < c->count(); ++i)
        items << c->itemText(i);
    return items;
}

QString stripAmpersand(QString s) {
    return s.remove('&');
}

} // namespace

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
    store::createDataDirectory(m_data.toStdString());
    QFile f(m_work + "/datapath.pos");
    if (!f.open(QIODevice::WriteOnly)) fail("cannot write datapath.pos");
    f.write((m_data + "/\r\n").toUtf8());
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
    m_program = std::make_unique<ui::Program>(m_rec->services());
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
    const QString& cmd = c.args[0];
    const QStringList& a = c.args;

    auto program = [&]() -> ui::Program& {
        if (!m_program) fail("the program is not started");
        return *m_program;
    };
    auto object = [&](const QString& name) -> QObject* {
        for (QWidget* w : program().windows()) {
            if (w->objectName() == name) return w;
            if (QObject* o = w->findChild<QObject*>(name)) return o;
        }
        fail("no control named " + show(name));
    };
    auto widget = [&](const QString& name) -> QWidget* {
        if (auto* w = qobject_cast<QWidget*>(object(name))) return w;
        fail(show(name) + " is not a control");
    };
    auto usable = [](QWidget* w) { return w->isEnabled() && w->isVisible(); };
    auto focusOn = [&](QWidget* w) {
        // The clerk clicks the window first when another one of ours is in front.
        if (!w->window()->isActiveWindow()) {
            w->window()->activateWindow();
            if (!QTest::qWaitForWindowActive(w->window(), 2000))
                fail(show(w->window()->objectName()) + " could not be activated");
        }
        w->setFocus(Qt::TabFocusReason);
        settle();
    };

    // ---- set-up
    if (cmd == "today") {
        need(c, 1);
        QDate d = QDate::fromString(a[1], "MM/dd/yyyy");
        if (!d.isValid()) fail("not a date: " + show(a[1]));
        m_rec->clock.date = d;
    } else if (cmd == "file") {
        need(c, 1);
        QString path = QDir(m_work).absoluteFilePath(a[1]);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) fail("cannot write " + show(a[1]));
        if (c.block)
            for (const QString& l : *c.block)
                f.write((l + "\r\n").toUtf8());
    } else if (cmd == "nofile") {
        need(c, 1);
        QFile::remove(QDir(m_work).absoluteFilePath(a[1]));
    } else if (cmd == "row") {
        need(c, 2);
        auto [path, kind] = tableFile(m_work, m_data, a[1]);
        store::Table t(kind);
        t.setFileName(path);
        t.open();
        bool positional = false;
        auto values = fieldValues(t.layout(), a.mid(2), &positional);
        t.append();
        for (auto& [pos, value] : values)
            t.setText(pos, value.toStdString());
        t.post();
    } else if (cmd == "newtable") {
        need(c, 2);
        store::createTableFile(QDir(m_work).absoluteFilePath(a[1]).toStdString(), kindByName(a[2]));
    } else if (cmd == "user") {
        need(c, 3);
        store::Table t(store::Kind::Security);
        t.setFileName((m_data + "/security.tbl").toStdString());
        t.open();
        t.append();
        t.setText(store::security::USERNAME, a[1].toStdString());
        t.setText(store::security::PASSWORD, app::hashPassword(a[2]).toStdString());
        t.setText(store::security::GROUP, a[3].toStdString());
        t.post();
    } else if (cmd == "serial-fail") {
        need(c, 1);
        m_rec->serial.failing.insert(a[1]);
    } else if (cmd == "start") {
        if (m_program) fail("the program is already started");
        startProgram();
    } else if (cmd == "restart") {
        stopProgram();
        startProgram();

        // ---- actions
    } else if (cmd == "click") {
        need(c, 1);
        QWidget* w = widget(a[1]);
        // A tab page is clicked on its tab, which shows while the page is hidden.
        auto* stack = w->parentWidget();
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs && tabs->indexOf(w) >= 0) {
            if (usable(tabs) && tabs->isTabEnabled(tabs->indexOf(w))) tabs->setCurrentWidget(w);
            return;
        }
        if (!usable(w)) return;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            const size_t boxes = m_rec->dialogs.boxes.size();
            if (b->focusPolicy() & Qt::ClickFocus) focusOn(b);
            // A box shown by the exit handler of the field left takes the click, as the
            // mouse press was spent on leaving the field.
            if (m_rec->dialogs.boxes.size() != boxes || !usable(b)) return;
            b->click();
        } else if (auto* m = qobject_cast<QAbstractScrollArea*>(w)) {
            QTest::mouseClick(m->viewport(), Qt::LeftButton, {}, m->viewport()->rect().center());
        } else {
            QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        }
    } else if (cmd == "dblclick") {
        need(c, 1);
        QWidget* w = widget(a[1]);
        if (!usable(w)) return;
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
            w = combo->lineEdit();
        if (auto* m = qobject_cast<QAbstractScrollArea*>(w)) w = m->viewport();
        // As the mouse does it: press, release, double click, release.
        const QPoint at = w->rect().center();
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
        QTest::mouseDClick(w, Qt::LeftButton, {}, at);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
    } else if (cmd == "menu") {
        need(c, 1);
        auto* main = qobject_cast<QMainWindow*>(program().form().TForm1);
        QStringList path = a[1].split('/');
        QList<QAction*> actions = main->menuBar()->actions();
        QAction* found = nullptr;
        for (int i = 0; i < path.size(); ++i) {
            found = nullptr;
            for (QAction* act : actions)
                if (stripAmpersand(act->text()) == path[i]) found = act;
            if (!found) fail("no menu item " + show(path.mid(0, i + 1).join('/')));
            if (!found->isEnabled() || !found->isVisible()) return; // a disabled menu ignores it
            if (i + 1 < path.size()) {
                if (!found->menu()) fail(show(path[i]) + " is not a menu");
                actions = found->menu()->actions();
            }
        }
        found->trigger();
    } else if (cmd == "set") {
        need(c, 2);
        QWidget* w = widget(a[1]);
        if (!usable(w)) fail(show(a[1]) + " is disabled or hidden: nothing can be pasted into it");
        // As a paste: the whole text replaced, the change handlers of typing run.
        auto paste = [&](QLineEdit* e) {
            if (e->isReadOnly()) fail(show(a[1]) + " is read-only");
            e->selectAll();
            if (a[2].isEmpty())
                e->del();
            else
                e->insert(a[2]);
        };
        if (auto* e = qobject_cast<QLineEdit*>(w))
            paste(e);
        else if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit())
            paste(cb->lineEdit());
        else if (auto* m = qobject_cast<QPlainTextEdit*>(w))
            m->setPlainText(a[2]);
        else
            fail(show(a[1]) + " holds no text to set");
    } else if (cmd == "type") {
        need(c, 2);
        QWidget* w = widget(a[1]);
        if (!usable(w)) fail(show(a[1]) + " cannot take the focus");
        focusOn(w);
        for (QChar ch : a[2]) {
            if (ch == '\r')
                pressKey(Qt::Key_Return, "\r");
            else if (ch == '\b')
                pressKey(Qt::Key_Backspace, "\b");
            else if (ch == '\t')
                pressKey(Qt::Key_Tab, "\t");
            else
                pressKey(Qt::Key(ch.toUpper().unicode()), QString(ch));
            settle();
        }
    } else if (cmd == "key") {
        need(c, 2);
        QWidget* w = widget(a[1]);
        if (!usable(w)) fail(show(a[1]) + " is disabled or hidden and cannot take the key");
        focusOn(w);
        QString text;
        Qt::Key key = keyByName(a[2], &text);
        pressKey(key, text);
    } else if (cmd == "focus") {
        need(c, 1);
        focusOn(widget(a[1]));
    } else if (cmd == "leave") {
        need(c, 1);
        QWidget* w = widget(a[1]);
        if (!w->hasFocus()) focusOn(w);
        w->clearFocus();
    } else if (cmd == "select") {
        need(c, 2);
        QWidget* w = widget(a[1]);
        if (auto* cb = qobject_cast<QComboBox*>(w)) {
            if (!usable(cb)) fail(show(a[1]) + " is disabled or hidden");
            int i = cb->findText(a[2], Qt::MatchExactly);
            if (i < 0) fail(show(a[1]) + " has no item " + show(a[2]));
            focusOn(cb); // choosing with the mouse moves the focus there first
            cb->setCurrentIndex(i);
            emit cb->activated(i);
            emit cb->textActivated(cb->itemText(i));
        } else {
            QRadioButton* hit = nullptr;
            for (QRadioButton* r : w->findChildren<QRadioButton*>())
                if (r->text() == a[2]) hit = r;
            if (!hit) fail(show(a[1]) + " has no choice " + show(a[2]));
            if (usable(hit)) hit->click();
        }
    } else if (cmd == "line") {
        need(c, 2);
        auto* m = qobject_cast<ui::MemoList*>(widget(a[1]));
        if (!m) fail(show(a[1]) + " is not a multi-line list");
        if (!usable(m)) return;
        int n = parseInt(a[2]);
        QPoint at;
        if (n < m->count()) {
            QTextCursor cur(m->document()->findBlockByNumber(n));
            m->setTextCursor(cur);
            m->ensureCursorVisible();
            at = m->cursorRect(cur).center();
        } else {
            QTextBlock last = m->document()->lastBlock();
            QRect r = m->cursorRect(QTextCursor(last));
            if (r.bottom() + 8 >= m->viewport()->height())
                fail(show(a[1]) + " has no space below its text to click");
            at = QPoint(m->viewport()->width() / 2, r.bottom() + 8);
        }
        QTest::mouseClick(m->viewport(), Qt::LeftButton, {}, at);
    } else if (cmd == "cell") {
        need(c, 2);
        auto* g = qobject_cast<ui::GridView*>(widget(a[1]));
        if (!g) fail(show(a[1]) + " is not a grid");
        if (!usable(g)) return;
        int row = parseInt(a[2]);
        QPoint at;
        if (row >= 0 && row < g->rowCount()) {
            QModelIndex idx = g->model()->index(row, 0);
            g->scrollTo(idx);
            at = g->visualRect(idx).center();
        } else {
            int last = g->rowCount() - 1;
            int y = last >= 0 ? g->visualRect(g->model()->index(last, 0)).bottom() + 4 : 4;
            if (y >= g->viewport()->height() || y < 0) fail("the grid has no space below its rows");
            at = QPoint(10, y);
        }
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
    } else if (cmd == "activate") {
        QWidget other;
        other.setWindowTitle("another program");
        other.resize(100, 100);
        other.show();
        other.activateWindow();
        if (!QTest::qWaitForWindowActive(&other, 2000))
            fail("another window could not be activated");
        other.hide();
        QWidget* main = program().form().TForm1;
        main->activateWindow();
        if (!QTest::qWaitForWindowActive(main, 2000)) fail("the main window did not come back");
    } else if (cmd == "tick") {
        int n = a.size() > 1 ? parseInt(a[1]) : 1;
        for (int i = 0; i < n; ++i)
            program().tick();
    } else if (cmd == "close") {
        need(c, 1);
        widget(a[1])->window()->close();
    } else if (cmd == "answer") {
        need(c, 1);
        static const QMap<QString, core::Button> buttons = {{"OK", core::Button::OK},
                                                            {"Cancel", core::Button::Cancel},
                                                            {"Yes", core::Button::Yes},
                                                            {"No", core::Button::No}};
        for (const QString& b : a.mid(1)) {
            if (!buttons.contains(b)) fail("unknown button " + show(b));
            m_rec->dialogs.answers.push_back(buttons[b]);
        }
    } else if (cmd == "choose") {
        need(c, 1);
        m_rec->dialogs.fileAnswers.push_back(a[1]);
    } else if (cmd == "choose-cancel") {
        m_rec->dialogs.fileAnswers.push_back(std::nullopt);

        // ---- expectations
    } else if (cmd == "expect") {
        need(c, 2);
        const QString& name = a[1];
        const QString prop = a[2];
        QObject* o = object(name);
        auto value = [&]() -> QString {
            need(c, 3);
            return a[3];
        };
        auto* w = qobject_cast<QWidget*>(o);
        auto* act = qobject_cast<QAction*>(o);
        if (auto* menu = qobject_cast<QMenu*>(o)) act = menu->menuAction(), w = nullptr;
        const QString what = name + " " + prop;
        if (prop == "text") {
            QString got;
            if (act)
                got = stripAmpersand(act->text());
            else if (w && w->isWindow())
                got = w->windowTitle();
            else if (auto* e = qobject_cast<QLineEdit*>(w))
                got = e->text();
            else if (auto* l = qobject_cast<QLabel*>(w))
                got = l->text();
            else if (auto* cb = qobject_cast<QComboBox*>(w))
                got = cb->currentText();
            else if (auto* b = qobject_cast<QAbstractButton*>(w))
                got = b->text();
            else if (auto* g = qobject_cast<QGroupBox*>(w))
                got = g->title();
            else if (auto* m = qobject_cast<ui::MemoList*>(w))
                got = m->lines().join("\r\n");
            else
                fail(show(name) + " has no text");
            expectEqual(what, value(), got);
        } else if (prop == "lines") {
            auto* m = qobject_cast<ui::MemoList*>(w);
            if (!m) fail(show(name) + " is not a multi-line list");
            expectLines(what, block(c), m->lines());
        } else if (prop == "items") {
            auto* cb = qobject_cast<QComboBox*>(w);
            if (!cb) fail(show(name) + " is not a combo box");
            expectLines(what, block(c), comboItems(cb));
        } else if (prop == "enabled" || prop == "visible" || prop == "checked" || prop == "focus") {
            bool got = false;
            if (act) {
                got = prop == "enabled"   ? act->isEnabled()
                      : prop == "visible" ? act->isVisible()
                      : prop == "checked" ? act->isChecked()
                                          : false;
            } else if (w) {
                if (prop == "enabled")
                    got = w->isEnabled();
                else if (prop == "visible")
                    got = w->isVisible();
                else if (prop == "focus")
                    got = w->hasFocus();
                else if (auto* b = qobject_cast<QAbstractButton*>(w))
                    got = b->isChecked();
                else
                    fail(show(name) + " cannot be checked");
            } else {
                fail(show(name) + " is not a control");
            }
            bool want = parseBool(value());
            if (got != want)
                fail(QString("%1 (expected %2, got %3)")
                         .arg(what, want ? "true" : "false", got ? "true" : "false"));
        } else if (prop == "count") {
            int got = 0;
            if (auto* m = qobject_cast<ui::MemoList*>(w))
                got = m->count();
            else if (auto* cb = qobject_cast<QComboBox*>(w))
                got = cb->count();
            else if (auto* g = qobject_cast<ui::GridView*>(w))
                got = g->rowCount();
            else
                fail(show(name) + " has nothing to count");
            expectEqual(what, value(), QString::number(got));
        } else if (prop.startsWith("row:")) {
            auto* g = qobject_cast<ui::GridView*>(w);
            if (!g) fail(show(name) + " is not a grid");
            int r = parseInt(prop.mid(4));
            if (r < 0 || r >= g->rowCount())
                fail(QString("%1 has no row %2 (it has %3)").arg(name).arg(r).arg(g->rowCount()));
            QStringList cells;
            for (int col = 0; col < g->model()->columnCount(); ++col)
                cells << g->model()->index(r, col).data().toString();
            expectEqual(what, value(), cells.join('|'));
        } else if (prop == "top") {
            auto* g = qobject_cast<ui::GridView*>(w);
            if (!g) fail(show(name) + " is not a grid");
            expectEqual(what, value(), QString::number(g->topRow()));
        } else if (prop == "color") {
            if (!w) fail(show(name) + " is not a control");
            expectEqual(what, value(), colorText(w));
        } else {
            fail("unknown property " + show(prop));
        }
    } else if (cmd == "expect-box") {
        need(c, 2);
        if (m_rec->dialogs.boxes.empty()) fail("no box was shown (expected " + show(a[2]) + ")");
        RecordedBox b = m_rec->dialogs.boxes.front();
        m_rec->dialogs.boxes.pop_front();
        expectEqual("box caption", a[1], b.caption);
        expectEqual("box text", a[2], b.text);
    } else if (cmd == "expect-error" || cmd == "expect-error-any") {
        if (m_rec->dialogs.boxes.empty()) fail("no error box was shown");
        RecordedBox b = m_rec->dialogs.boxes.front();
        m_rec->dialogs.boxes.pop_front();
        if (!b.error)
            fail(QString("the box %1 %2 is not an error box").arg(show(b.caption), show(b.text)));
        if (cmd == "expect-error") {
            need(c, 1);
            expectEqual("error text", a[1], b.text);
        }
    } else if (cmd == "expect-no-box") {
        if (!m_rec->dialogs.boxes.empty()) {
            const RecordedBox& b = m_rec->dialogs.boxes.front();
            fail(QString("a box was shown: %1 %2").arg(show(b.caption), show(b.text)));
        }
    } else if (cmd == "expect-rows" || cmd == "expect-row") {
        need(c, 2);
        auto [path, kind] = tableFile(m_work, m_data, a[1]);
        store::Table t(kind);
        t.setFileName(path);
        t.setReadOnly(true);
        t.open();
        if (cmd == "expect-rows") {
            expectEqual("rows of " + a[1], a[2], QString::number(t.recordCount()));
            return;
        }
        need(c, 3);
        int n = parseInt(a[2]);
        t.first();
        for (int i = 0; i < n && !t.eof(); ++i)
            t.next();
        if (t.eof() || n < 0) fail(QString("%1 has no row %2").arg(a[1]).arg(n));
        bool positional = false;
        auto values = fieldValues(t.layout(), a.mid(3), &positional);
        for (auto& [pos, value] : values)
            expectEqual(QString("%1 row %2 %3")
                            .arg(a[1])
                            .arg(n)
                            .arg(QString::fromStdString(t.layout().fields[pos].name)),
                        value, QString::fromStdString(t.text(pos)));
    } else if (cmd == "expect-file") {
        need(c, 1);
        QFile f(QDir(m_work).absoluteFilePath(a[1]));
        if (!f.open(QIODevice::ReadOnly)) fail("no file " + show(a[1]));
        QString got = QString::fromUtf8(f.readAll());
        QString want;
        for (const QString& l : block(c))
            want += l + "\r\n";
        if (got != want) {
            QStringList g = got.split("\r\n");
            if (!g.isEmpty() && g.last().isEmpty()) g.removeLast();
            expectLines("file " + a[1], block(c), g);
            expectEqual("file " + a[1], want, got);
        }
    } else if (cmd == "expect-nofile") {
        need(c, 1);
        if (QFileInfo::exists(QDir(m_work).absoluteFilePath(a[1])))
            fail("the file " + show(a[1]) + " exists");
    } else if (cmd == "expect-serial") {
        need(c, 2);
        QStringList& log = m_rec->serial.log[a[1]];
        QString got = log.isEmpty() ? "none" : log.join(' ');
        log.clear();
        if (a[2].toUpper() != got.toUpper()) expectEqual("serial " + a[1], a[2], got);
    } else if (cmd == "expect-baud") {
        need(c, 2);
        if (!m_rec->serial.baud.contains(a[1])) fail(show(a[1]) + " was never opened");
        expectEqual("speed of " + a[1], a[2], QString::number(m_rec->serial.baud[a[1]]));
    } else if (cmd == "expect-report" || cmd == "expect-pages") {
        need(c, 2);
        if (!m_rec->reports.last.contains(a[1]))
            fail("the report " + show(a[1]) + " was never output");
        const core::Document& d = m_rec->reports.last[a[1]].document;
        if (cmd == "expect-pages") {
            expectEqual("pages of " + a[1], a[2], QString::number(d.pages.size()));
            return;
        }
        if (!d.elements.contains(a[2])) fail(a[1] + " has no element " + show(a[2]));
        if (c.block)
            expectLines(a[1] + " " + a[2], *c.block, d.elements[a[2]]);
        else {
            need(c, 3);
            expectEqual(a[1] + " " + a[2], a[3], d.elements[a[2]].join("\r"));
        }
    } else if (cmd == "expect-output") {
        need(c, 2);
        QString got = "none";
        if (m_rec->reports.last.contains(a[1]) && !m_rec->reports.last[a[1]].checked) {
            got = m_rec->reports.last[a[1]].preview ? "preview" : "print";
            m_rec->reports.last[a[1]].checked = true;
        }
        expectEqual("output of " + a[1], a[2], got);
    } else if (cmd == "expect-printed") {
        need(c, 1);
        if (m_rec->printer.jobs.empty()) fail("nothing was printed");
        auto job = m_rec->printer.jobs.front();
        m_rec->printer.jobs.pop_front();
        expectEqual("print job title", a[1], job.title);
        expectLines("print job " + a[1], block(c), job.lines);
    } else if (cmd == "expect-no-print") {
        if (!m_rec->printer.jobs.empty())
            fail("a print job was made: " + show(m_rec->printer.jobs.front().title));
    } else if (cmd == "expect-launched") {
        need(c, 1);
        if (m_rec->launcher.started.empty()) fail("no program was started");
        QStringList got = m_rec->launcher.started.front();
        m_rec->launcher.started.pop_front();
        expectEqual("started program", a.mid(1).join(' '), got.join(' '));
    } else if (cmd == "include") {
        // Shared set-up: the commands of another file (relative to this one), in order.
        need(c, 1);
        if (++m_includeDepth > 8) fail("includes nest too deep");
        QFile inc(QDir(m_dir).absoluteFilePath(a[1]));
        if (!inc.open(QIODevice::ReadOnly)) fail("cannot read " + show(a[1]));
        ParseResult parsed = parseScenario(QString::fromUtf8(inc.readAll()), m_work, m_data);
        if (parsed.errorLine)
            fail(QString("%1:%2: %3").arg(a[1]).arg(parsed.errorLine).arg(parsed.error));
        for (const Command& sub : parsed.commands)
            runCommand(sub);
        --m_includeDepth;
    } else if (cmd == "repeat") {
        // `repeat N COMMAND ARGS…`: the command N times, as if written N times.
        need(c, 2);
        const int n = parseInt(a[1]);
        Command once = c;
        once.args = a.mid(2);
        for (int i = 0; i < n; ++i)
            runCommand(once);
    } else if (cmd == "screenshot") {
        // Not a check: a picture of a window, for a person to look at.
        need(c, 2);
        QString path = QDir(m_work).absoluteFilePath(a[2]);
        if (!widget(a[1])->window()->grab().save(path)) fail("cannot write " + show(path));
    } else if (cmd == "expect-ended") {
        if (!m_rec->lifetime.ended()) fail("the program has not ended");
    } else if (cmd == "expect-running") {
        if (m_rec->lifetime.ended()) fail("the program has ended");
    } else {
        fail("unknown command " + show(cmd));
    }
    settle();
}

} // namespace driver
