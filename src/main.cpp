// marlow-pos [--workdir DIR]: the register. Its working directory is the shop folder: DIR, or
// else ~/.local/share/marlow-pos, made and filled on first start.
#include "program/program.h"
#include "store/data_dir.h"
#include "ui/qt_services.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <cstdio>

namespace {
std::atomic<bool> stopRequested{false};

// The files shipped beside the program: the help pages and states.pos.
QString sharedFiles() {
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../share/marlow-pos");
}

// Makes the shop folder ready: the folder, the shipped files it lacks, and on a first start
// an empty data directory where the data path panel suggests it.
bool prepareShopFolder(const QString& folder) {
    if (!QDir().mkpath(folder)) return false;
    const QDir shared(sharedFiles());
    for (const QString& name : shared.entryList(QDir::Files)) {
        const QString target = QDir(folder).filePath(name);
        if (!QFileInfo::exists(target)) QFile::copy(shared.filePath(name), target);
    }
    const QString data = QDir(folder).filePath("data");
    if (!QFileInfo::exists(QDir(folder).filePath("datapath.pos")) && !QFileInfo::exists(data)) {
        try {
            store::createDataDirectory(data.toStdString());
        } catch (const std::exception&) {
            // The data path panel then asks for a folder, as on any first start.
        }
    }
    return QDir::setCurrent(folder);
}
} // namespace

int main(int argc, char** argv) {
    QCommandLineParser options;
    options.setApplicationDescription("Marlow POS, the point-of-sale register of a small shop.");
    options.addHelpOption();
    options.addVersionOption();
    QCommandLineOption workdir("workdir",
                               "Keep the shop's files in DIR instead of "
                               "~/.local/share/marlow-pos.",
                               "DIR");
    options.addOption(workdir);
    // --help and --version answer on the terminal, without a display.
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--help" || a == "-h" || a == "--help-all" || a == "--version" || a == "-v") {
            QCoreApplication app(argc, argv);
            app.setApplicationVersion(QStringLiteral(MARLOW_VERSION));
            options.process(app);
            return 0;
        }
    }
    QApplication app(argc, argv);
    app.setApplicationVersion(QStringLiteral(MARLOW_VERSION));
    options.process(app);
    const QString folder =
        options.isSet(workdir)
            ? QFileInfo(options.value(workdir)).absoluteFilePath()
            : QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                  .filePath("marlow-pos");
    if (!prepareShopFolder(folder)) {
        std::fprintf(stderr, "marlow-pos: cannot use the shop folder %s\n", qPrintable(folder));
        return 1;
    }

    program::applyLook(app);
    ui::QtDialogs dialogs;
    ui::QtReportOutput reports;
    ui::QtTextPrinter printer;
    ui::QtSerialPorts serial;
    ui::SystemClock clock;
    ui::QtLauncher launcher;
    ui::QtLifetime lifetime;
    program::Program program({&dialogs, &reports, &printer, &serial, &clock, &launcher, &lifetime});
    // Asked to stop (the computer shutting down), the register ends as File, Exit does.
    std::signal(SIGTERM, [](int) { stopRequested = true; });
    QTimer stopWatch;
    QObject::connect(&stopWatch, &QTimer::timeout, &app, [&lifetime] {
        if (stopRequested) lifetime.end();
    });
    stopWatch.start(200);
    program.show();
    return app.exec();
}
