#pragma once

#include "core/document.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace core {

// Everything that would block an unattended run or touch the world outside the data
// files goes through these; the program gets Qt implementations, tests recording ones.

enum class Button { OK, Cancel, Yes, No };
enum class Icon { None, Information, Warning, Error, Question };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal message box; `text` breaks lines with "\r". Returns the button chosen.
    virtual Button message(const QString& caption, const QString& text,
                           const std::vector<Button>& buttons, Button defaultButton, Icon icon) = 0;
    // The error box: caption "Marlow POS", the message, OK.
    virtual void error(const QString& text) = 0;
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& start) = 0;
    virtual std::optional<QString> openFile(const QString& title, const QString& dir,
                                            const QString& filter) = 0;
    virtual std::optional<QString> saveFile(const QString& title, const QString& dir,
                                            const QString& filter) = 0;
    // One of `items` picked from a list (where a shop on a server has names, not files).
    virtual std::optional<QString> chooseItem(const QString& title, const QString& label,
                                              const QStringList& items) = 0;
    // A name typed in, `suggestion` offered.
    virtual std::optional<QString> askName(const QString& title, const QString& label,
                                           const QString& suggestion) = 0;

    void inform(const QString& caption, const QString& text) {
        message(caption, text, {Button::OK}, Button::OK, Icon::Information);
    }
};

class ReportOutput {
public:
    virtual ~ReportOutput() = default;
    // Shows the composed report in a preview window (modal) or prints it directly.
    virtual void output(Document document, bool preview) = 0;
};

class TextPrinter {
public:
    virtual ~TextPrinter() = default;
    // A plain-text job on the default printer.
    virtual void print(const QString& title, const QStringList& lines) = 0;
};

class SerialPort {
public:
    virtual ~SerialPort() = default; // closes the port
    virtual void write(const QByteArray& bytes) = 0;
};

class SerialPorts {
public:
    virtual ~SerialPorts() = default;
    // Opens a port by its settings name ("COM1" … "COM8" or a device path); throws
    // SerialError when it cannot.
    virtual std::unique_ptr<SerialPort> open(const QString& name, int baud) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() = 0;
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts an outside program; false when it could not be started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
};

class Lifetime {
public:
    virtual ~Lifetime() = default;
    // Ends the program once the running handler has returned.
    virtual void end() = 0;
    virtual bool ended() const = 0;
};

struct Services {
    Dialogs* dialogs = nullptr;
    ReportOutput* reports = nullptr;
    TextPrinter* printer = nullptr;
    SerialPorts* serial = nullptr;
    Clock* clock = nullptr;
    Launcher* launcher = nullptr;
    Lifetime* lifetime = nullptr;
};

} // namespace core
