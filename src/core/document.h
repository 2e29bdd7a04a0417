#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace core {

// How a text prints; a document keeps each once and its texts refer to it.
struct TextStyle {
    QString family = "Liberation Sans";
    int pointSize = 10;
    bool bold = false, italic = false, underline = false;
    int alignment = 0; // Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight
};

// A composed report: pages of positioned text, lines, rectangles and pictures, in inches
// from the page's top-left corner, ready to be painted on a preview, a printer or a PDF.
// Items are small, as a long list prints hundreds of thousands of them.
struct DocItem {
    enum class Kind { Text, Line, Rect, Picture };
    Kind kind = Kind::Text;
    QRectF rect; // a line runs from the top-left to the bottom-right corner

    // Text: drawn from the top of the box with its style, clipped to the box.
    QString text;
    int style = 0; // in Document::styles

    // Line and Rect: a black outline of this width in points (0: none), a fill, a hatch.
    double penWidth = 0;
    std::optional<QColor> fill;
    bool hatch = false; // black diagonal cross hatch over the fill

    int picture = -1; // in Document::pictures

    // What the text shows, for checks: the element's name, and for a memo row its line
    // number (a word-wrapped line prints as several rows of the same number; -1 for a label).
    QString element;
    int line = -1;
};

// The rows of one memo, shared by the pages that print parts of it: a list of many
// thousand lines is laid out once and made into text items only for the page looked at.
struct MemoRows {
    QString element;
    int style = 0;
    double left = 0, width = 0, lineHeight = 0; // inches; left from the page's edge
    QStringList rows;                           // every printed row, line after line
    std::vector<int> start{0};                  // where each line's rows begin; one more than lines
    // Or, when every line prints as one row (the common case): the rows are the lines,
    // shared with the report, and `start` is not kept.
    bool oneRowEach = false;
    // Where each line starts in its band's content, the same for every memo of the band.
    std::shared_ptr<const std::vector<double>> lineTop;

    size_t lines() const { return oneRowEach ? size_t(rows.size()) : start.size() - 1; }
    int rowCount(size_t line) const { return oneRowEach ? 1 : start[line + 1] - start[line]; }
    const QString& row(size_t line, int r) const {
        return rows[oneRowEach ? qsizetype(line) : qsizetype(start[line] + r)];
    }
};

// The rows of a memo that a page prints: content offsets from `base` up to `end`, the row
// at `base` printed at `top` inches from the page's top.
struct MemoPart {
    std::shared_ptr<const MemoRows> memo;
    double base = 0, end = 0, top = 0;
};

struct DocPage {
    std::vector<std::shared_ptr<const std::vector<DocItem>>> shared; // headers, footers
    std::vector<DocItem> items;
    std::vector<MemoPart> memoParts;
    // Everything the page shows: the shared bands, its items, then the memo rows made into
    // text items.
    std::vector<DocItem> allItems() const;
};

struct Document {
    QString name;             // the report's name, e.g. "QRInvoice"
    QString title;            // the print job's title
    QSizeF pageSize{8.5, 11}; // inches
    std::vector<DocPage> pages;
    std::vector<TextStyle> styles{TextStyle{}};
    std::vector<QImage> pictures;
    QStringList elements; // the names of every label and memo of the report

    // What an element printed, read from the pages: a label its text (once, however many
    // pages repeat it), a memo its lines (rows of one line joined again, across pages).
    // Nullopt when the report has no such element.
    std::optional<QStringList> printed(const QString& element) const;
};

// Text as it can print: tabs and other control characters become blanks. Text without any
// is shared, not copied.
QString printable(const QString& text);

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
