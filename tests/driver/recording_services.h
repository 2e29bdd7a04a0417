#pragma once

#include "core/services.h"

#include <QMap>
#include <QSet>

#include <deque>
#include <map>

namespace driver {

// The stand-ins pos-scenario and the tests use for everything that would block an
// unattended run or reach outside the data files.

struct RecordedBox {
    QString caption;
    QString text;
    bool error = false;
};

class RecordingDialogs : public core::Dialogs {
public:
    core::Button message(const QString& caption, const QString& text,
                         const std::vector<core::Button>& buttons, core::Button defaultButton,
                         core::Icon icon) override;
    void error(const QString& text) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& start) override;
    std::optional<QString> openFile(const QString& title, const QString& dir,
                                    const QString& filter) override;
    std::optional<QString> saveFile(const QString& title, const QString& dir,
                                    const QString& filter) override;
    std::optional<QString> chooseItem(const QString& title, const QString& label,
                                      const QStringList& items) override;
    std::optional<QString> askName(const QString& title, const QString& label,
                                   const QString& suggestion) override;

    std::deque<core::Button> answers;               // for the next message boxes
    std::deque<std::optional<QString>> fileAnswers; // for the next file, folder, list or name dialogs
    std::deque<RecordedBox> boxes;                  // shown and not yet checked
    QStringList problems; // answers that did not fit the box they were given to

private:
    std::optional<QString> nextFile(const QString& title);
};

class RecordingReports : public core::ReportOutput {
public:
    void output(core::Document document, bool preview) override;
    struct Output {
        core::Document document;
        bool preview = false;
        bool checked = false;
    };
    QMap<QString, Output> last; // by report name
    bool failing = false;       // every output fails, as a printer out of paper
};

class RecordingPrinter : public core::TextPrinter {
public:
    void print(const QString& title, const QStringList& lines) override;
    struct Job {
        QString title;
        QStringList lines;
    };
    std::deque<Job> jobs; // not yet checked
    bool failing = false;
};

class RecordingSerialPorts : public core::SerialPorts {
public:
    std::unique_ptr<core::SerialPort> open(const QString& name, int baud) override;
    std::map<QString, QStringList>
        log;                 // tokens since the last check, by port name (stable references)
    QMap<QString, int> baud; // the speed each port was last opened at
    QSet<QString> failing;   // ports whose open fails
    QSet<QString> broken;    // ports whose writes fail, open or not
};

class FixedClock : public core::Clock {
public:
    QDate today() override { return date; }
    QDate date{2004, 3, 7};
};

class RecordingLauncher : public core::Launcher {
public:
    bool start(const QString& program, const QStringList& arguments) override;
    std::deque<QStringList> started; // program then arguments, not yet checked
};

class RecordingLifetime : public core::Lifetime {
public:
    void end() override { m_ended = true; }
    bool ended() const override { return m_ended; }
    void reset() { m_ended = false; }

private:
    bool m_ended = false;
};

struct RecordingServices {
    RecordingDialogs dialogs;
    RecordingReports reports;
    RecordingPrinter printer;
    RecordingSerialPorts serial;
    FixedClock clock;
    RecordingLauncher launcher;
    RecordingLifetime lifetime;

    core::Services services() {
        return {&dialogs, &reports, &printer, &serial, &clock, &launcher, &lifetime};
    }
};

} // namespace driver
