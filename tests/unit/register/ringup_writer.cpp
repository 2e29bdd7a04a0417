// ringup-writer DIR [pay|N]: rings up credit sales through the register's handlers until it
// is killed, or with "pay" takes payments of 0.01 on the first open invoice; the durability
// tests kill it at random moments. With a number it rings up that many sales and ends: the
// many-register test runs several at once on one shop.
#include "driver/recording_services.h"
#include "program/program.h"
#include "register/product_lookup.h"
#include "register/receivables.h"
#include "register/ring_up.h"
#include "register/totals.h"
#include "ui/main_form.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    if (argc < 2 || !QDir::setCurrent(argv[1])) return 2;
    driver::RecordingServices rec;
    program::Program program(rec.services());
    program.show();
    if (!QTest::qWaitFor([] { return QApplication::activeWindow() != nullptr; }, 5000)) return 3;
    ui::MainForm& f = program.form();
    core::Pos& pos = program.pos();
    std::printf("ready\n");
    std::fflush(stdout);
    if (argc > 2 && QByteArray(argv[2]) == "pay") {
        for (;;) {
            pos.sub.receivables->Payment1Click();
            pos.sub.receivables->StringGrid3MouseUp(0);
            f.edtAmount->setText("0.01");
            pos.sub.ringUp->imgRingUpClick();
            if (!rec.dialogs.boxes.empty()) return 4;
        }
    }
    const long count = argc > 2 ? std::atol(argv[2]) : 0;
    for (long card = 1; count == 0 || card <= count; ++card) {
        f.edtBarcodeHidden->setText("W");
        pos.sub.lookup->edtBarcodeHiddenEnter();
        pos.sub.totals->imgTotalClick();
        f.rbnCreditSale->setChecked(true);
        f.edtAmount->setText("12.34");
        f.edtCreditCard2->setText(QString::number(card));
        f.edtAuthorization->setText("A");
        pos.sub.ringUp->imgRingUpClick();
        if (!rec.dialogs.boxes.empty()) {
            // every ring-up must go through silently
            std::fprintf(stderr, "%s\n", qPrintable(rec.dialogs.boxes.front().text));
            return 4;
        }
    }
    return 0;
}
