#pragma once

#include "driver/recording_services.h"
#include "driver/scenario_parser.h"

#include <QString>

#include <memory>

class QObject;
class QWidget;

namespace program {
class Program;
}
namespace store {
class Table;
}
namespace testsupport {
class TestServer;
}

namespace driver {

struct Outcome {
    bool passed = false;
    int line = 0;
    QString message;
};

// Plays one scenario file against the real program in a fresh working directory.
class Runner {
public:
    // With a server, the shop's tables are in a fresh database there, not in $DATA.
    explicit Runner(bool keep, testsupport::TestServer* server = nullptr);
    ~Runner();
    Outcome run(const QString& file);

private:
    // Looks the command word up in the table of commands and runs its function.
    void runCommand(const Command& c);
    void setUp(const QString& work);
    void startProgram();
    void stopProgram();
    void settle();

    program::Program& running();
    QObject* object(const QString& name);
    QWidget* widget(const QString& name);
    void focusOn(QWidget* w);
    std::unique_ptr<store::Table> openTable(const QString& name, bool readOnly);
    RecordedBox takeErrorBox();
    const RecordingReports::Output& lastOutput(const QString& report);

    // One function per command of the scenario language.
    void cmdToday(const Command& c);
    void cmdFile(const Command& c);
    void cmdNoFile(const Command& c);
    void cmdRow(const Command& c);
    void cmdNewTable(const Command& c);
    void cmdUser(const Command& c);
    void cmdSerialFail(const Command& c);
    void cmdSerialBreak(const Command& c);
    void cmdPrinterFail(const Command& c);
    void cmdServerStop(const Command& c);
    void cmdServerStart(const Command& c);
    void cmdSetShop(const Command& c);
    void cmdExpectRows(const Command& c);
    void cmdExpectRow(const Command& c);
    void cmdExpectFile(const Command& c);
    void cmdExpectNoFile(const Command& c);
    void cmdStart(const Command& c);
    void cmdRestart(const Command& c);
    void cmdClick(const Command& c);
    void cmdDblClick(const Command& c);
    void cmdMenu(const Command& c);
    void cmdSet(const Command& c);
    void cmdType(const Command& c);
    void cmdKey(const Command& c);
    void cmdFocus(const Command& c);
    void cmdLeave(const Command& c);
    void cmdSelect(const Command& c);
    void cmdLine(const Command& c);
    void cmdCell(const Command& c);
    void cmdActivate(const Command& c);
    void cmdTick(const Command& c);
    void cmdClose(const Command& c);
    void cmdScreenshot(const Command& c);
    void cmdExpect(const Command& c);
    void cmdAnswer(const Command& c);
    void cmdChoose(const Command& c);
    void cmdChooseCancel(const Command& c);
    void cmdExpectBox(const Command& c);
    void cmdExpectError(const Command& c);
    void cmdExpectErrorAny(const Command& c);
    void cmdExpectNoBox(const Command& c);
    void cmdExpectSerial(const Command& c);
    void cmdExpectBaud(const Command& c);
    void cmdExpectReport(const Command& c);
    void cmdExpectPages(const Command& c);
    void cmdExpectOutput(const Command& c);
    void cmdExpectPrinted(const Command& c);
    void cmdExpectNoPrint(const Command& c);
    void cmdExpectLaunched(const Command& c);
    void cmdExpectEnded(const Command& c);
    void cmdExpectRunning(const Command& c);
    void cmdInclude(const Command& c);
    void cmdRepeat(const Command& c);

    bool m_keep;
    QString m_work, m_data;
    testsupport::TestServer* m_server = nullptr;
    QString m_serverShop;
    QString m_dataPath; // as datapath.pos holds it
    QString m_dir; // the folder of the scenario file, for `include`
    int m_includeDepth = 0;
    std::unique_ptr<RecordingServices> m_rec;
    std::unique_ptr<program::Program> m_program;
    int m_outputsSeen = 0;
};

} // namespace driver
