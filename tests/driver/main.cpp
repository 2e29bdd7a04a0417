// pos-scenario [--keep] [--backend files|postgresql] FILE...: plays scenario files against
// the program, unattended; with postgresql each scenario's tables are in a fresh database on
// a server the runner starts for the run and stops at its end.
#include "driver/runner.h"
#include "program/program.h"
#include "test_server.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {
// Qt's own chatter about the offscreen platform would drown the PASS and FAIL lines.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& msg) {
    if (type == QtCriticalMsg || type == QtFatalMsg ||
        qEnvironmentVariableIsSet("POS_SCENARIO_VERBOSE"))
        std::fprintf(stderr, "%s\n", qPrintable(msg));
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    program::applyLook(app);

    bool keep = false;
    QString backend = "files";
    QStringList files;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--keep")
            keep = true;
        else if (args[i] == "--backend" && i + 1 < args.size())
            backend = args[++i];
        else
            files << QFileInfo(args[i]).absoluteFilePath();
    }
    if (files.isEmpty() || (backend != "files" && backend != "postgresql")) {
        std::fprintf(stderr, "usage: pos-scenario [--keep] [--backend files|postgresql] FILE...\n");
        return 2;
    }
    std::unique_ptr<testsupport::TestServer> server;
    if (backend == "postgresql") {
        try {
            server = std::make_unique<testsupport::TestServer>();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "pos-scenario: %s\n", e.what());
            return 2;
        }
    }
    const QString home = QDir::currentPath();
    int passed = 0, failed = 0;
    for (const QString& file : files) {
        driver::Outcome o;
        {
            driver::Runner runner(keep, server.get());
            o = runner.run(file);
        }
        QDir::setCurrent(home);
        QString shown = QDir(home).relativeFilePath(file);
        if (o.passed) {
            ++passed;
            std::printf("PASS %s\n", qPrintable(shown));
        } else {
            ++failed;
            std::printf("FAIL %s:%d: %s\n", qPrintable(shown), o.line, qPrintable(o.message));
        }
        std::fflush(stdout);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
