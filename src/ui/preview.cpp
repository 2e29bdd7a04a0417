#include "ui/preview.h"

#include "core/errors.h"

#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace ui {

// One page of the document at the window's zoom, painted only when shown.
class PageView : public QWidget {
public:
    PageView(const core::Document& document, QWidget* parent)
        : QWidget(parent), m_document(document) {}
    void setPage(int page) {
        m_page = page;
        update();
    }
    void setPixelsPerInch(double ppi) {
        const QSizeF page = m_document.pageSize * ppi;
        setFixedSize(int(page.width()) + 2, int(page.height()) + 2);
        update();
    }
    int paints() const { return m_paints; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().dark());
        core::paintPage(painter, m_document, m_page, QRectF(1, 1, width() - 2, height() - 2));
        ++m_paints;
    }

private:
    const core::Document& m_document;
    int m_page = 0;
    int m_paints = 0;
};

PreviewWindow::PreviewWindow(const core::Document& document, QWidget* parent)
    : QDialog(parent), m_document(document) {
    setObjectName("PreviewWindow");
    setWindowTitle("Print Preview");
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* bar = new QHBoxLayout;
    auto button = [&](const QString& caption, auto slot) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        bar->addWidget(b);
        return b;
    };
    button("Zoom to Fit", [this] { setZoom(Zoom::Fit); });
    button("100 %", [this] { setZoom(Zoom::Actual); });
    button("Zoom to Width", [this] { setZoom(Zoom::Width); });
    bar->addSpacing(12);
    button("First", [this] { showPage(0); });
    button("Previous", [this] { showPage(m_page - 1); });
    m_pageLabel = new QLabel(this);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    m_pageLabel->setMinimumWidth(90);
    bar->addWidget(m_pageLabel);
    button("Next", [this] { showPage(m_page + 1); });
    button("Last", [this] { showPage(int(m_document.pages.size()) - 1); });
    bar->addSpacing(12);
    button("Printer Setup", [this] { printerSetup(); });
    button("Print", [this] { print(); });
    bar->addStretch();
    button("&Close", [this] { accept(); });

    m_view = new PageView(document, this);
    m_scroll = new QScrollArea(this);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(m_view);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);
    resize(860, 900);
    showPage(0);
    applyZoom();
}

PreviewWindow::~PreviewWindow() = default;

int PreviewWindow::paints() const {
    return m_view->paints();
}

void PreviewWindow::showPage(int page) {
    const int count = int(m_document.pages.size());
    m_page = std::clamp(page, 0, std::max(0, count - 1));
    m_view->setPage(m_page);
    m_pageLabel->setText(QString("Page %1 of %2").arg(count ? m_page + 1 : 0).arg(count));
}

void PreviewWindow::setZoom(Zoom zoom) {
    m_zoom = zoom;
    applyZoom();
}

void PreviewWindow::applyZoom() {
    const QSizeF page = m_document.pageSize;
    const QSize room = m_scroll->viewport()->size() - QSize(4, 4);
    double ppi = logicalDpiX();
    if (m_zoom == Zoom::Fit)
        ppi = std::min(room.width() / page.width(), room.height() / page.height());
    else if (m_zoom == Zoom::Width)
        ppi = (room.width() - m_scroll->verticalScrollBar()->sizeHint().width()) / page.width();
    m_view->setPixelsPerInch(std::max(ppi, 10.0));
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_zoom != Zoom::Actual) applyZoom();
}

void PreviewWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Only now does the page's room have its size.
    applyZoom();
}

void PreviewWindow::printerSetup() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setWindowTitle("Printer Setup");
    if (dialog.exec() != QDialog::Accepted) m_printer.reset();
}

void PreviewWindow::print() {
    try {
        printDocument(m_document, this, m_printer.get());
    } catch (const std::exception& e) {
        // The preview stays open: the clerk may set up another printer and try again.
        QMessageBox::critical(this, "Marlow POS", QString::fromUtf8(e.what()));
    }
}

namespace {

// Paints every page on a device already set up for US Letter; false when cancelled.
bool paintAll(const core::Document& document, QPagedPaintDevice& device, QPainter& painter,
              QProgressDialog* progress) {
    const QRectF target(QPointF(0, 0), QSizeF(device.width(), device.height()));
    for (size_t i = 0; i < document.pages.size(); ++i) {
        if (progress) {
            progress->setValue(int(i));
            progress->setLabelText(
                QString("Printing page %1 of %2").arg(i + 1).arg(document.pages.size()));
            QApplication::processEvents();
            if (progress->wasCanceled()) return false;
        }
        if (i > 0 && !device.newPage())
            throw core::PosError(QString("The printer stopped at page %1 of %2.")
                                     .arg(i + 1)
                                     .arg(document.title)
                                     .toStdString());
        core::paintPage(painter, document, int(i), target);
    }
    return true;
}

QPageLayout letter() {
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

} // namespace

QString printoutPath(const QString& report, const QDateTime& when) {
    QDir dir = QDir::current();
    dir.mkpath("printouts");
    const QString stem =
        dir.absoluteFilePath("printouts/" + report + "-" + when.toString("yyyyMMdd-hhmmss"));
    QString path = stem + ".pdf";
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QString("%1-%2.pdf").arg(stem).arg(n);
    return path;
}

void writePdf(const core::Document& document, const QString& path) {
    QPdfWriter pdf(path);
    pdf.setTitle(document.title);
    pdf.setCreator("Marlow POS");
    pdf.setResolution(1200);
    pdf.setPageLayout(letter());
    QPainter painter;
    if (!painter.begin(&pdf))
        throw core::PosError(QString("Cannot write %1.").arg(path).toStdString());
    paintAll(document, pdf, painter, nullptr);
    painter.end();
}

void printDocument(const core::Document& document, QWidget* parent, QPrinter* chosen) {
    QProgressDialog progress(parent);
    progress.setWindowTitle("Printing progress");
    progress.setCancelButtonText("Cancel");
    progress.setRange(0, int(document.pages.size()));
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    progress.show();

    if (!chosen && QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer here: the paper becomes a PDF, never nothing.
        const QString path = printoutPath(document.name, QDateTime::currentDateTime());
        writePdf(document, path);
        progress.setValue(progress.maximum());
        progress.setLabelText("There is no printer: the document was written to\n" + path);
        progress.setCancelButtonText("OK");
        progress.exec();
        return;
    }
    QPrinter defaultPrinter(QPrinter::HighResolution);
    QPrinter& printer = chosen ? *chosen : defaultPrinter;
    printer.setDocName(document.title);
    printer.setFullPage(true);
    printer.setPageLayout(letter());
    QPainter painter;
    if (!painter.begin(&printer))
        throw core::PosError(QString("The printer %1 cannot print %2.")
                                 .arg(printer.printerName(), document.title)
                                 .toStdString());
    if (!paintAll(document, printer, painter, &progress)) {
        printer.abort();
        return;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw core::PosError(QString("The printer %1 could not finish %2.")
                                 .arg(printer.printerName(), document.title)
                                 .toStdString());
}

} // namespace ui
