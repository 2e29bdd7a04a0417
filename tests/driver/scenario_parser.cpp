#include "driver/scenario_parser.h"

#include <vector>

namespace driver {
namespace {

QString substitute(QString s, const QString& work, const QString& data) {
    // $DATA first would not matter, but $WORK must not eat the start of another name.
    s.replace("$DATA", data);
    s.replace("$WORK", work);
    return s;
}

struct Arg {
    QString text;
    bool quoted = false; // some stretch of it was in double quotes
};

// One escape inside a quoted stretch, `line[i]` being the character after the backslash.
bool unescape(const QString& line, qsizetype& i, QString& arg, QString& error) {
    const qsizetype n = line.size();
    if (i >= n) {
        error = "a quoted argument is not closed";
        return false;
    }
    const QChar e = line[i++];
    switch (e.unicode()) {
    case '"':
        arg += '"';
        return true;
    case '\\':
        arg += '\\';
        return true;
    case 'r':
        arg += '\r';
        return true;
    case 'n':
        arg += '\n';
        return true;
    case 't':
        arg += '\t';
        return true;
    case 'x': {
        bool ok = false;
        const int v = i + 2 <= n ? line.mid(i, 2).toInt(&ok, 16) : 0;
        if (!ok) {
            error = "a \\x escape needs two hex digits";
            return false;
        }
        arg += QChar(v);
        i += 2;
        return true;
    }
    default:
        error = QString("unknown escape \\%1").arg(e);
        return false;
    }
}

// One line's arguments, as a shell splits them: an argument is a run of plain and quoted
// stretches up to a blank. False with `error` set when a quote or escape is broken.
bool splitArgs(const QString& line, std::vector<Arg>& out, QString& error) {
    qsizetype i = 0;
    const qsizetype n = line.size();
    auto blank = [&](qsizetype k) { return line[k] == ' ' || line[k] == '\t'; };
    while (i < n) {
        while (i < n && blank(i))
            ++i;
        if (i >= n) break;
        Arg arg;
        while (i < n && !blank(i)) {
            if (line[i] != '"') {
                arg.text += line[i++];
                continue;
            }
            arg.quoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c != '\\')
                    arg.text += c;
                else if (!unescape(line, i, arg.text, error))
                    return false;
            }
            if (!closed) {
                error = "a quoted argument is not closed";
                return false;
            }
        }
        out.push_back(std::move(arg));
    }
    return true;
}

} // namespace

ParseResult parseScenario(const QString& text, const QString& work, const QString& data) {
    ParseResult result;
    QStringList lines = text.split('\n');
    for (QString& l : lines)
        if (l.endsWith('\r')) l.chop(1);

    for (int i = 0; i < lines.size(); ++i) {
        const QString trimmed = lines[i].trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('#')) continue;
        Command cmd;
        cmd.line = i + 1;
        QString error;
        std::vector<Arg> args;
        if (!splitArgs(lines[i], args, error)) {
            result.errorLine = i + 1;
            result.error = error;
            return result;
        }
        for (const Arg& a : args)
            cmd.args << a.text;
        // A quoted "<<END" is a plain argument; only the bare word opens a block.
        if (!args.empty() && args.back().text == "<<END" && !args.back().quoted) {
            cmd.args.removeLast();
            QStringList blockLines;
            int j = i + 1;
            while (j < lines.size() && lines[j] != "END")
                blockLines << substitute(lines[j++], work, data);
            if (j >= lines.size()) {
                result.errorLine = i + 1;
                result.error = "the <<END block has no END line";
                return result;
            }
            cmd.block = blockLines;
            i = j;
        }
        for (QString& a : cmd.args)
            a = substitute(a, work, data);
        result.commands.push_back(std::move(cmd));
    }
    return result;
}

} // namespace driver
