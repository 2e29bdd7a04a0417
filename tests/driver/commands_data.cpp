// Set-up and checks of files and tables.
#include "app/users.h"
#include "driver/runner.h"
#include "driver/runner_support.h"
#include "store/data_dir.h"
#include "store/place.h"
#include "store/server_source.h"
#include "test_server.h"
#include "store/table.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace driver {
namespace {

store::Kind kindByName(const QString& name) {
    if (const store::Layout* l = store::layoutByName(name.toStdString())) return l->kind;
    fail("unknown table kind " + show(name));
}

// Field values of a `row` or `expect-row` command: positional "A|B|C" or NAME=VALUE pairs.
std::vector<std::pair<int, QString>> fieldValues(const store::Layout& layout,
                                                 const QStringList& args) {
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

} // namespace

// The table a scenario names: one of the four, or a .tbl path relative to $WORK; on a server
// also an archived year by its name.
std::unique_ptr<store::Table> Runner::openTable(const QString& name, bool readOnly) {
    std::string path;
    store::Kind kind;
    if (const store::Layout* l = store::layoutByName(name.toStdString())) {
        path = store::tablePlace(m_dataPath.toStdString(), name.toStdString());
        kind = l->kind;
    } else if (m_server && !name.contains('/') && !name.endsWith(".tbl")) {
        path = store::tablePlace(m_dataPath.toStdString(), name.toStdString());
        const auto found = store::serverTableKind(*store::serverTable(path));
        if (!found) fail("no table of the shop is named " + show(name));
        kind = *found;
    } else {
        path = QDir(m_work).absoluteFilePath(name).toStdString();
        const auto found = store::fileKind(path);
        if (!found) fail("not a table file: " + show(name));
        kind = *found;
    }
    auto t = std::make_unique<store::Table>(kind);
    t->setFileName(path);
    t->setReadOnly(readOnly);
    t->open();
    return t;
}

void Runner::cmdToday(const Command& c) {
    const QStringList& a = c.args;
    need(c, 1);
    QDate d = QDate::fromString(a[1], "MM/dd/yyyy");
    if (!d.isValid()) fail("not a date: " + show(a[1]));
    m_rec->clock.date = d;
}

void Runner::cmdFile(const Command& c) {
    const QStringList& a = c.args;
    need(c, 1);
    QString path = QDir(m_work).absoluteFilePath(a[1]);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) fail("cannot write " + show(a[1]));
    if (c.block)
        for (const QString& l : *c.block)
            f.write((l + "\r\n").toUtf8());
}

void Runner::cmdNoFile(const Command& c) {
    const QStringList& a = c.args;
    need(c, 1);
    QFile::remove(QDir(m_work).absoluteFilePath(a[1]));
}

void Runner::cmdRow(const Command& c) {
    const QStringList& a = c.args;
    need(c, 2);
    auto t = openTable(a[1], false);
    const auto values = fieldValues(t->layout(), a.mid(2));
    t->append();
    for (auto& [pos, value] : values)
        t->setText(pos, value.toStdString());
    t->post();
}

void Runner::cmdNewTable(const Command& c) {
    const QStringList& a = c.args;
    need(c, 2);
    const QString path = QDir(m_work).absoluteFilePath(a[1]);
    QDir().mkpath(QFileInfo(path).path());
    store::createTableFile(path.toStdString(), kindByName(a[2]));
}

void Runner::cmdUser(const Command& c) {
    const QStringList& a = c.args;
    need(c, 3);
    store::Table t(store::Kind::Security);
    t.setFileName(store::tablePlace(m_dataPath.toStdString(), "security"));
    t.open();
    t.append();
    t.setText(store::security::USERNAME, a[1].toStdString());
    t.setText(store::security::PASSWORD, app::hashPassword(a[2]).toStdString());
    t.setText(store::security::GROUP, a[3].toStdString());
    t.post();
}

void Runner::cmdSerialFail(const Command& c) {
    const QStringList& a = c.args;
    need(c, 1);
    m_rec->serial.failing.insert(a[1]);
}

void Runner::cmdServerStop(const Command&) {
    if (!m_server) fail("server-stop needs a run with --backend postgresql");
    m_server->stop();
}

void Runner::cmdServerStart(const Command&) {
    if (!m_server) fail("server-start needs a run with --backend postgresql");
    m_server->start();
}

void Runner::cmdSetShop(const Command& c) {
    need(c, 1);
    Command set = c;
    set.args = QStringList{"set", c.args[1], m_dataPath};
    cmdSet(set);
}

void Runner::cmdPrinterFail(const Command&) {
    m_rec->reports.failing = true;
    m_rec->printer.failing = true;
}

void Runner::cmdSerialBreak(const Command& c) {
    need(c, 1);
    m_rec->serial.broken.insert(c.args[1]);
}

void Runner::cmdExpectRows(const Command& c) {
    need(c, 2);
    auto t = openTable(c.args[1], true);
    expectEqual("rows of " + c.args[1], c.args[2], QString::number(t->recordCount()));
}

void Runner::cmdExpectRow(const Command& c) {
    const QStringList& a = c.args;
    need(c, 3);
    auto t = openTable(a[1], true);
    const int n = parseInt(a[2]);
    t->first();
    for (int i = 0; i < n && !t->eof(); ++i)
        t->next();
    if (t->eof() || n < 0) fail(QString("%1 has no row %2").arg(a[1]).arg(n));
    for (auto& [pos, value] : fieldValues(t->layout(), a.mid(3)))
        expectEqual(QString("%1 row %2 %3")
                        .arg(a[1])
                        .arg(n)
                        .arg(QString::fromStdString(t->layout().fields[pos].name)),
                    value, QString::fromStdString(t->text(pos)));
}

void Runner::cmdExpectFile(const Command& c) {
    const QStringList& a = c.args;
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
}

void Runner::cmdExpectNoFile(const Command& c) {
    const QStringList& a = c.args;
    need(c, 1);
    if (QFileInfo::exists(QDir(m_work).absoluteFilePath(a[1])))
        fail("the file " + show(a[1]) + " exists");
}

} // namespace driver
