#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QPainter;

namespace core {

// A composed report: pages of positioned text, lines, rectangles and pictures, in inches
// from the page's top-left corner, ready to be painted on a preview, a printer or a PDF.
struct DocItem {
    enum class Kind { Text, Line, Rect, Picture };
    Kind kind = Kind::Text;
    QRectF rect; // a line runs from the top-left to the bottom-right corner

    // Text: drawn from the top of the box with the alignment, clipped to the box.
    QString text;
    QString family = "Liberation Sans";
    int pointSize = 10;
    bool bold = false, italic = false, underline = false;
    int alignment = 0; // Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight

    // Line and Rect: a black outline of this width in points (0: none), a fill, a hatch.
    double penWidth = 0;
    std::optional<QColor> fill;
    bool hatch = false; // black diagonal cross hatch over the fill

    QImage picture;

    // What the text shows, for checks: the element's name, and for a memo row its line
    // number (a word-wrapped line prints as several rows of the same number; -1 for a label).
    QString element;
    int line = -1;
};

struct DocPage {
    std::vector<DocItem> items;
};

struct Document {
    QString name;             // the report's name, e.g. "QRInvoice"
    QString title;            // the print job's title
    QSizeF pageSize{8.5, 11}; // inches
    std::vector<DocPage> pages;
    QStringList elements; // the names of every label and memo of the report

    // What an element printed, read from the pages: a label its text (once, however many
    // pages repeat it), a memo its lines (rows of one line joined again, across pages).
    // Nullopt when the report has no such element.
    std::optional<QStringList> printed(const QString& element) const;
};

// Lines printed as they are, in an 8-point monospaced face without wrapping, a half-inch
// margin around them, on as many letter pages as they need (receipts and help pages).
Document plainTextDocument(const QString& title, const QStringList& lines);

// The font of a text item in the painter's units, 1/720 inch (a point is ten units).
QFont documentFont(const QString& family, int pointSize, bool bold, bool italic, bool underline);
inline constexpr double kUnitsPerInch = 720;

// Draws one page into `target`, a rectangle of the painter's current coordinates that
// stands for the whole page.
void paintPage(QPainter& painter, const Document& document, int page, const QRectF& target);

} // namespace core
