#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace driver {

struct Command {
    int line = 0;                     // 1-based line of the command in its file
    QStringList args;                 // the command word first
    std::optional<QStringList> block; // the lines of a trailing <<END argument
};

struct ParseResult {
    std::vector<Command> commands;
    int errorLine = 0; // 0 when the file parsed
    QString error;
};

// Splits a scenario file into commands: blanks separate arguments, double quotes hold
// blanks and escapes, a last argument <<END takes the following lines up to END.
// $WORK and $DATA are replaced in every argument and block line.
ParseResult parseScenario(const QString& text, const QString& work, const QString& data);

} // namespace driver
