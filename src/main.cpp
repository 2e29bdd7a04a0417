#include "program/program.h"
#include "ui/qt_services.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    program::applyLook(app);
    ui::QtDialogs dialogs;
    ui::QtReportOutput reports;
    ui::QtTextPrinter printer;
    ui::QtSerialPorts serial;
    ui::SystemClock clock;
    ui::QtLauncher launcher;
    ui::QtLifetime lifetime;
    program::Program program({&dialogs, &reports, &printer, &serial, &clock, &launcher, &lifetime});
    program.show();
    return app.exec();
}
