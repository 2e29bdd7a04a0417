#include "maintenance/help.h"

#include "core/errors.h"
#include "core/text_file.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QFileInfo>
#include <QFrame>
#include <QTimer>

namespace maintenance {

namespace {
QStringList loadWhole(const QString& file) {
    if (!QFileInfo(file).isFile())
        throw core::FileError(QString("Cannot open file %1").arg(file).toStdString());
    return core::readLines(file);
}
} // namespace

void Help::Help2Click() {
    auto& f = pos.form;
    const QStringList topics = loadWhole("index.pos");
    const QStringList first = loadWhole("h0.pos");
    f.memHelpIndex->setLines(topics);
    f.memHelpText->setLines(first);
    f.TForm3->show();
    f.TForm3->raise();
}

void Help::memHelpIndexMouseUp(int line) {
    auto& f = pos.form;
    f.memHelpText->clearLines();
    const QString file = QString("h%1.pos").arg(line);
    if (line < 0 || !QFileInfo(file).isFile()) return;
    f.memHelpText->setLines(core::readLines(file));
    f.pnlHelpImage->setVisible(line == 25);
}

void Help::lblHelpPrintClick() {
    const QStringList lines = pos.form.memHelpText->lines();
    core::writeLines("help.pos", lines);
    pos.services.printer->print("Help", core::readLines("help.pos"));
}

void Help::helpFormClose() {
    pos.form.pnlHelpImage->hide();
}

void Help::setupHelperFormClose() {
    pos.form.Timer1->stop();
}

void Help::About1Click() {
    pos.form.pnlAbout->show();
    pos.form.pnlAbout->raise();
}

void Help::btnAboutCloseClick() {
    pos.form.pnlAbout->hide();
}

} // namespace maintenance
