// ringup-writer DIR [pay|lines|cancel|N]: rings up credit sales through the register's
// handlers until it is killed, or with "pay" takes payments of 0.01 on the first open invoice,
// or with "lines" rings in and removes lines of products P0, P1, P2 without ever ending the
// sale; the durability tests kill it at random moments. "cancel" cancels the sale the register
// brought back and ends. With a number it rings up that many sales and ends: the
// many-register test runs several at once on one shop.
//
// Once the register is open it prints "ready" and how many lines of P0, P1 and P2 it shows.
#include "driver/recording_services.h"
#include "program/program.h"
#include "register/cancel.h"
#include "register/product_lookup.h"
#include "register/receivables.h"
#include "register/ring_up.h"
#include "register/sale_lines.h"
#include "register/totals.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTest>

#include <cstdio>
#include <cstdlib>

int run(int argc, char** argv) {
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
    int counts[3] = {};
    for (int i = 0; i < f.memProductList->count(); ++i)
        for (int p = 0; p < 3; ++p)
            counts[p] += f.memProductList->line(i) == QString("P%1").arg(p);
    std::printf("ready %d %d %d\n", counts[0], counts[1], counts[2]);
    std::fflush(stdout);
    const QByteArray mode = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    rec.dialogs.boxes.clear(); // the box saying a sale was brought back
    if (mode == "cancel") {
        pos.sub.cancel->imgCancelClick();
        return rec.dialogs.boxes.empty() && f.memProductList->count() == 0 ? 0 : 4;
    }
    if (mode == "lines") {
        for (unsigned n = QRandomGenerator::global()->generate();; n = n * 1103515245u + 12345u) {
            const int lines = f.memProductList->count();
            if (lines > 0 && (lines >= 60 || (n >> 16) % 4 == 0)) {
                pos.sub.lines->memProductListMouseUp(int((n >> 8) % unsigned(lines)));
            } else {
                f.edtBarcodeHidden->setText(QString("B%1").arg((n >> 12) % 3));
                pos.sub.lookup->edtBarcodeHiddenEnter();
            }
            if (!rec.dialogs.boxes.empty()) return 4;
        }
    }
    if (mode == "pay") {
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

int main(int argc, char** argv) {
    // A handler's error is a failure of the test, never a crash that looks like a kill.
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 5;
    }
}
