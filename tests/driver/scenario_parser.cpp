#include "driver/scenario_parser.h"

namespace driver {
namespace {

QString substitute(QString s, const QString& work, const QString& data) {
    // $DATA first would not matter, but $WORK must not eat the start of another name.
    s.replace("$DATA", data);
    s.replace("$WORK", work);
    return s;
}

// One line's arguments; false with `error` set when a quote or escape is broken.
bool splitArgs(const QString& line, QStringList& out, QString& error) {
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        while (i < n && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= n) break;
        QString arg;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                QChar c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c != '\\') {
                    arg += c;
                    continue;
                }
                if (i >= n) break;
                QChar e = line[i++];
                switch (e.unicode()) {
                case '"':
                    arg += '"';
                    break;
                case '\\':
                    arg += '\\';
                    break;
                case 'r':
                    arg += '\r';
                    break;
                case 'n':
                    arg += '\n';
                    break;
                case 't':
                    arg += '\t';
                    break;
                case 'x': {
                    bool ok = false;
                    int v = i + 2 <= n ? line.mid(i, 2).toInt(&ok, 16) : 0;
                    if (!ok) {
                        error = "a \\x escape needs two hex digits";
                        return false;
                    }
                    arg += QChar(v);
                    i += 2;
                    break;
                }
                default:
                    error = QString("unknown escape \\%1").arg(e);
                    return false;
                }
            }
            if (!closed) {
                error = "a quoted argument is not closed";
                return false;
            }
            if (i < n && line[i] != ' ' && line[i] != '\t') {
                error = "a quoted argument runs into the next one";
                return false;
            }
        } else {
            while (i < n && line[i] != ' ' && line[i] != '\t')
                arg += line[i++];
        }
        out << arg;
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
        if (!splitArgs(lines[i], cmd.args, error)) {
            result.errorLine = i + 1;
            result.error = error;
            return result;
        }
        // A quoted "<<END" is a plain argument; only the bare word opens a block.
        bool block = !cmd.args.isEmpty() && cmd.args.last() == "<<END" &&
                     !lines[i].trimmed().endsWith("\"<<END\"");
        if (block) {
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
