// Actions on the program's controls, and the `expect` checks of what they show.
#include "driver/runner.h"
#include "driver/runner_support.h"
#include "program/program.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

namespace driver {
namespace {

Qt::Key keyByName(const QString& name, QString* text) {
    static const QMap<QString, Qt::Key> named = {
        {"Enter", Qt::Key_Return}, {"Escape", Qt::Key_Escape}, {"Backspace", Qt::Key_Backspace},
        {"Tab", Qt::Key_Tab},      {"Up", Qt::Key_Up},         {"Down", Qt::Key_Down},
        {"Left", Qt::Key_Left},    {"Right", Qt::Key_Right}};
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

// The control or menu item an `expect` names.
struct Target {
    QString name;
    QWidget* w;
    QAction* act;
};

QString readText(const Target& t, const QString&) {
    QWidget* w = t.w;
    if (t.act) return stripAmpersand(t.act->text());
    if (w && w->isWindow()) return w->windowTitle();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* cb = qobject_cast<QComboBox*>(w)) return cb->currentText();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    if (auto* m = qobject_cast<ui::MemoList*>(w)) return m->lines().join("\r\n");
    fail(show(t.name) + " has no text");
}

QStringList readLines(const Target& t) {
    auto* m = qobject_cast<ui::MemoList*>(t.w);
    if (!m) fail(show(t.name) + " is not a multi-line list");
    return m->lines();
}

QStringList readItems(const Target& t) {
    auto* cb = qobject_cast<QComboBox*>(t.w);
    if (!cb) fail(show(t.name) + " is not a combo box");
    return comboItems(cb);
}

QString readFlag(const Target& t, const QString& prop) {
    bool got = false;
    if (t.act) {
        got = prop == "enabled"   ? t.act->isEnabled()
              : prop == "visible" ? t.act->isVisible()
              : prop == "checked" ? t.act->isChecked()
                                  : false;
    } else if (QWidget* w = t.w) {
        if (prop == "enabled")
            got = w->isEnabled();
        else if (prop == "visible")
            got = w->isVisible();
        else if (prop == "focus")
            got = w->hasFocus();
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            got = b->isChecked();
        else
            fail(show(t.name) + " cannot be checked");
    } else {
        fail(show(t.name) + " is not a control");
    }
    return got ? "true" : "false";
}

QString readCount(const Target& t, const QString&) {
    if (auto* m = qobject_cast<ui::MemoList*>(t.w)) return QString::number(m->count());
    if (auto* cb = qobject_cast<QComboBox*>(t.w)) return QString::number(cb->count());
    if (auto* g = qobject_cast<QTableView*>(t.w)) return QString::number(g->model()->rowCount());
    fail(show(t.name) + " has nothing to count");
}

// The string grids and the table browser's grid alike.
QTableView* grid(const Target& t) {
    auto* g = qobject_cast<QTableView*>(t.w);
    if (!g) fail(show(t.name) + " is not a grid");
    return g;
}

QString readGridRow(const Target& t, const QString& prop) {
    QTableView* g = grid(t);
    const int rows = g->model()->rowCount();
    const int r = parseInt(prop.mid(4));
    if (r < 0 || r >= rows)
        fail(QString("%1 has no row %2 (it has %3)").arg(t.name).arg(r).arg(rows));
    QStringList cells;
    for (int col = 0; col < g->model()->columnCount(); ++col)
        cells << g->model()->index(r, col).data().toString();
    return cells.join('|');
}

QString readTop(const Target& t, const QString&) {
    const int top = grid(t)->rowAt(0);
    return QString::number(top < 0 ? 0 : top);
}

QString readColor(const Target& t, const QString&) {
    if (!t.w) fail(show(t.name) + " is not a control");
    return colorText(t.w);
}

} // namespace

void Runner::cmdStart(const Command&) {
    if (m_program) fail("the program is already started");
    startProgram();
}

void Runner::cmdRestart(const Command&) {
    stopProgram();
    startProgram();
}

void Runner::cmdClick(const Command& c) {
    const QStringList& a = c.args;
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
}

void Runner::cmdDblClick(const Command& c) {
    const QStringList& a = c.args;
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
}

void Runner::cmdMenu(const Command& c) {
    const QStringList& a = c.args;
    need(c, 1);
    auto* main = qobject_cast<QMainWindow*>(running().form().TForm1);
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
}

void Runner::cmdSet(const Command& c) {
    const QStringList& a = c.args;
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
}

void Runner::cmdType(const Command& c) {
    const QStringList& a = c.args;
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
}

void Runner::cmdKey(const Command& c) {
    const QStringList& a = c.args;
    need(c, 2);
    QWidget* w = widget(a[1]);
    if (!usable(w)) fail(show(a[1]) + " is disabled or hidden and cannot take the key");
    focusOn(w);
    QString text;
    Qt::Key key = keyByName(a[2], &text);
    pressKey(key, text);
}

void Runner::cmdFocus(const Command& c) {
    const QStringList& a = c.args;
    need(c, 1);
    focusOn(widget(a[1]));
}

void Runner::cmdLeave(const Command& c) {
    const QStringList& a = c.args;
    need(c, 1);
    QWidget* w = widget(a[1]);
    if (!w->hasFocus()) focusOn(w);
    w->clearFocus();
}

void Runner::cmdSelect(const Command& c) {
    const QStringList& a = c.args;
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
}

void Runner::cmdLine(const Command& c) {
    const QStringList& a = c.args;
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
}

void Runner::cmdCell(const Command& c) {
    const QStringList& a = c.args;
    need(c, 2);
    auto* g = qobject_cast<QTableView*>(widget(a[1]));
    if (!g) fail(show(a[1]) + " is not a grid");
    if (!usable(g)) return;
    int row = parseInt(a[2]);
    const int rows = g->model()->rowCount();
    QPoint at;
    if (row >= 0 && row < rows) {
        QModelIndex idx = g->model()->index(row, 0);
        g->scrollTo(idx);
        at = g->visualRect(idx).center();
    } else {
        int last = rows - 1;
        int y = last >= 0 ? g->visualRect(g->model()->index(last, 0)).bottom() + 4 : 4;
        if (y >= g->viewport()->height() || y < 0) fail("the grid has no space below its rows");
        at = QPoint(10, y);
    }
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
}

void Runner::cmdActivate(const Command& c) {
    QWidget other;
    other.setWindowTitle("another program");
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    if (!QTest::qWaitForWindowActive(&other, 2000)) fail("another window could not be activated");
    other.hide();
    QWidget* main = running().form().TForm1;
    main->activateWindow();
    if (!QTest::qWaitForWindowActive(main, 2000)) fail("the main window did not come back");
}

void Runner::cmdTick(const Command& c) {
    const QStringList& a = c.args;
    int n = a.size() > 1 ? parseInt(a[1]) : 1;
    for (int i = 0; i < n; ++i)
        running().tick();
}

void Runner::cmdClose(const Command& c) {
    const QStringList& a = c.args;
    need(c, 1);
    widget(a[1])->window()->close();
}

void Runner::cmdScreenshot(const Command& c) {
    const QStringList& a = c.args;
    // Not a check: a picture of a window, for a person to look at.
    need(c, 2);
    QString path = QDir(m_work).absoluteFilePath(a[2]);
    if (!widget(a[1])->window()->grab().save(path)) fail("cannot write " + show(path));
}

// `expect NAME PROP VALUE`: each property reads what the control shows as text, to be
// compared with VALUE (or, for `lines` and `items`, as lines to compare with the block).
void Runner::cmdExpect(const Command& c) {
    need(c, 2);
    const QString& name = c.args[1];
    const QString& prop = c.args[2];
    Target t{name, nullptr, nullptr};
    QObject* o = object(name);
    t.w = qobject_cast<QWidget*>(o);
    t.act = qobject_cast<QAction*>(o);
    if (auto* menu = qobject_cast<QMenu*>(o)) t.act = menu->menuAction(), t.w = nullptr;
    const QString what = name + " " + prop;

    using LinesReader = QStringList (*)(const Target&);
    static const QHash<QString, LinesReader> lineProps = {{"lines", readLines},
                                                          {"items", readItems}};
    using TextReader = QString (*)(const Target&, const QString& prop);
    static const QHash<QString, TextReader> textProps = {
        {"text", readText},    {"enabled", readFlag}, {"visible", readFlag},
        {"checked", readFlag}, {"focus", readFlag},   {"count", readCount},
        {"top", readTop},      {"color", readColor},  {"row:", readGridRow}};

    if (LinesReader read = lineProps.value(prop)) {
        expectLines(what, block(c), read(t));
        return;
    }
    const QString key = prop.startsWith("row:") ? QString("row:") : prop;
    const TextReader read = textProps.value(key);
    if (!read) fail("unknown property " + show(prop));
    need(c, 3);
    const QString& want = c.args[3];
    if (read == readFlag) parseBool(want);
    expectEqual(what, want, read(t, prop));
}

} // namespace driver
