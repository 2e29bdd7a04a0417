// pos-scenario [--keep] FILE...: plays scenario files against the program, unattended.
#include "driver/runner.h"
#include "program/program.h"

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
    QStringList files;
    for (const QString& a : app.arguments().mid(1)) {
        if (a == "--keep")
            keep = true;
        else
            files << QFileInfo(a).absoluteFilePath();
    }
    if (files.isEmpty()) {
        std::fprintf(stderr, "usage: pos-scenario [--keep] FILE...\n");
        return 2;
    }
    const QString home = QDir::currentPath();
    int passed = 0, failed = 0;
    for (const QString& file : files) {
        driver::Outcome o;
        {
            driver::Runner runner(keep);
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
