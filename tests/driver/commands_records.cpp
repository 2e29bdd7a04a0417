// What the recording stand-ins saw: boxes, serial ports, reports, print jobs, programs.
#include "driver/runner.h"
#include "driver/runner_support.h"

#include <QMap>

namespace driver {

RecordedBox Runner::takeErrorBox() {
    if (m_rec->dialogs.boxes.empty()) fail("no error box was shown");
    RecordedBox b = m_rec->dialogs.boxes.front();
    m_rec->dialogs.boxes.pop_front();
    if (!b.error)
        fail(QString("the box %1 %2 is not an error box").arg(show(b.caption), show(b.text)));
    return b;
}

const RecordingReports::Output& Runner::lastOutput(const QString& report) {
    if (!m_rec->reports.last.contains(report))
        fail("the report " + show(report) + " was never output");
    return m_rec->reports.last[report];
}

void Runner::cmdAnswer(const Command& c) {
    const QStringList& a = c.args;
    need(c, 1);
    static const QMap<QString, core::Button> buttons = {{"OK", core::Button::OK},
                                                        {"Cancel", core::Button::Cancel},
                                                        {"Yes", core::Button::Yes},
                                                        {"No", core::Button::No}};
    for (const QString& b : a.mid(1)) {
        if (!buttons.contains(b)) fail("unknown button " + show(b));
        m_rec->dialogs.answers.push_back(buttons[b]);
    }
}

void Runner::cmdChoose(const Command& c) {
    const QStringList& a = c.args;
    need(c, 1);
    m_rec->dialogs.fileAnswers.push_back(a[1]);
}

void Runner::cmdChooseCancel(const Command& c) {
    m_rec->dialogs.fileAnswers.push_back(std::nullopt);
}

void Runner::cmdExpectBox(const Command& c) {
    const QStringList& a = c.args;
    need(c, 2);
    if (m_rec->dialogs.boxes.empty()) fail("no box was shown (expected " + show(a[2]) + ")");
    RecordedBox b = m_rec->dialogs.boxes.front();
    m_rec->dialogs.boxes.pop_front();
    expectEqual("box caption", a[1], b.caption);
    expectEqual("box text", a[2], b.text);
}

void Runner::cmdExpectError(const Command& c) {
    need(c, 1);
    expectEqual("error text", c.args[1], takeErrorBox().text);
}

void Runner::cmdExpectErrorAny(const Command&) {
    takeErrorBox();
}

void Runner::cmdExpectNoBox(const Command&) {
    if (!m_rec->dialogs.boxes.empty()) {
        const RecordedBox& b = m_rec->dialogs.boxes.front();
        fail(QString("a box was shown: %1 %2").arg(show(b.caption), show(b.text)));
    }
}

void Runner::cmdExpectSerial(const Command& c) {
    const QStringList& a = c.args;
    need(c, 2);
    QStringList& log = m_rec->serial.log[a[1]];
    QString got = log.isEmpty() ? "none" : log.join(' ');
    log.clear();
    if (a[2].toUpper() != got.toUpper()) expectEqual("serial " + a[1], a[2], got);
}

void Runner::cmdExpectBaud(const Command& c) {
    const QStringList& a = c.args;
    need(c, 2);
    if (!m_rec->serial.baud.contains(a[1])) fail(show(a[1]) + " was never opened");
    expectEqual("speed of " + a[1], a[2], QString::number(m_rec->serial.baud[a[1]]));
}

void Runner::cmdExpectReport(const Command& c) {
    const QStringList& a = c.args;
    need(c, 2);
    // What the pages show, as a person would read them, not what the report was given.
    const std::optional<QStringList> printed = lastOutput(a[1]).document.printed(a[2]);
    if (!printed) fail(a[1] + " has no element " + show(a[2]));
    if (c.block) {
        expectLines(a[1] + " " + a[2], *c.block, *printed);
    } else {
        need(c, 3);
        expectEqual(a[1] + " " + a[2], a[3], printed->join("\r"));
    }
}

void Runner::cmdExpectPages(const Command& c) {
    need(c, 2);
    expectEqual("pages of " + c.args[1], c.args[2],
                QString::number(lastOutput(c.args[1]).document.pages.size()));
}

void Runner::cmdExpectOutput(const Command& c) {
    const QStringList& a = c.args;
    need(c, 2);
    QString got = "none";
    if (m_rec->reports.last.contains(a[1]) && !m_rec->reports.last[a[1]].checked) {
        got = m_rec->reports.last[a[1]].preview ? "preview" : "print";
        m_rec->reports.last[a[1]].checked = true;
    }
    expectEqual("output of " + a[1], a[2], got);
}

void Runner::cmdExpectPrinted(const Command& c) {
    const QStringList& a = c.args;
    need(c, 1);
    if (m_rec->printer.jobs.empty()) fail("nothing was printed");
    auto job = m_rec->printer.jobs.front();
    m_rec->printer.jobs.pop_front();
    expectEqual("print job title", a[1], job.title);
    expectLines("print job " + a[1], block(c), job.lines);
}

void Runner::cmdExpectNoPrint(const Command&) {
    if (!m_rec->printer.jobs.empty())
        fail("a print job was made: " + show(m_rec->printer.jobs.front().title));
}

void Runner::cmdExpectLaunched(const Command& c) {
    const QStringList& a = c.args;
    need(c, 1);
    if (m_rec->launcher.started.empty()) fail("no program was started");
    QStringList got = m_rec->launcher.started.front();
    m_rec->launcher.started.pop_front();
    expectEqual("started program", a.mid(1).join(' '), got.join(' '));
}

void Runner::cmdExpectEnded(const Command& c) {
    if (!m_rec->lifetime.ended()) fail("the program has not ended");
}

void Runner::cmdExpectRunning(const Command& c) {
    if (m_rec->lifetime.ended()) fail("the program has ended");
}

} // namespace driver
