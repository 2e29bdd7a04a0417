#pragma once

#include "driver/scenario_parser.h"

#include <QString>
#include <QStringList>
#include <QWidget>

// What the command functions of the runner share: failing a step and comparing texts.
namespace driver {

// A scenario step that did not go as written.
struct Failure {
    QString message;
};

[[noreturn]] inline void fail(const QString& message) {
    throw Failure{message};
}

// A text as the failure messages show it: quoted, with its control characters escaped.
inline QString show(const QString& s) {
    QString out = s;
    out.replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t");
    return "\"" + out + "\"";
}

inline void expectEqual(const QString& what, const QString& expected, const QString& got) {
    if (expected != got)
        fail(QString("%1 (expected %2, got %3)").arg(what, show(expected), show(got)));
}

inline void expectLines(const QString& what, const QStringList& expected, const QStringList& got) {
    if (expected == got) return;
    fail(QString("%1 (expected %2 lines [%3], got %4 lines [%5])")
             .arg(what)
             .arg(expected.size())
             .arg(expected.join(" | "))
             .arg(got.size())
             .arg(got.join(" | ")));
}

inline bool parseBool(const QString& v) {
    if (v == "true") return true;
    if (v == "false") return false;
    fail("expected true or false, not " + show(v));
}

inline int parseInt(const QString& v) {
    bool ok = false;
    const int n = v.toInt(&ok);
    if (!ok) fail("expected a whole number, not " + show(v));
    return n;
}

// Fails unless the command has at least n arguments after its word.
inline void need(const Command& c, int n) {
    if (c.args.size() < n + 1) fail(QString("'%1' needs %2 arguments").arg(c.args[0]).arg(n));
}

inline const QStringList& block(const Command& c) {
    if (!c.block) fail(QString("'%1' needs an <<END block").arg(c.args[0]));
    return *c.block;
}

inline bool usable(const QWidget* w) {
    return w->isEnabled() && w->isVisible();
}

} // namespace driver
