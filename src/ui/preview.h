#pragma once

#include "core/document.h"

#include <QDateTime>
#include <QDialog>

class QLabel;
class QPrinter;
class QScrollArea;

namespace ui {

class PageView;

// "Print Preview": one page at a time, drawn when it is looked at, with zoom to fit, 100 %
// and to width, first, previous, next and last page, printer setup, print and Close.
class PreviewWindow : public QDialog {
public:
    PreviewWindow(const core::Document& document, QWidget* parent);
    ~PreviewWindow() override;

    int page() const { return m_page; }
    void showPage(int page);
    // How many pages have been drawn so far (for the benchmark: the first paint).
    int paints() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class Zoom { Fit, Actual, Width };
    void setZoom(Zoom zoom);
    void applyZoom();
    void printerSetup();
    void print();

    const core::Document& m_document;
    PageView* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_pageLabel = nullptr;
    Zoom m_zoom = Zoom::Fit;
    int m_page = 0;
    std::unique_ptr<QPrinter> m_printer; // the printer chosen in printer setup, if any
};

// Prints the document on the chosen printer (or the default one) with the "Printing
// progress" window and its Cancel. With no printer installed it writes a PDF into
// printouts/ and says where in that window. A printer that fails throws PosError.
void printDocument(const core::Document& document, QWidget* parent, QPrinter* chosen = nullptr);

// Writes the document as a PDF file; throws PosError when the file cannot be written.
void writePdf(const core::Document& document, const QString& path);

// printouts/REPORT-yyyyMMdd-hhmmss.pdf in the working directory, with -2, -3, … added
// rather than overwrite an earlier one; the folder is made when missing.
QString printoutPath(const QString& report, const QDateTime& when);

} // namespace ui
