#pragma once

#include <QFont>
#include <QImage>
#include <QMap>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;

namespace core {

// A composed report: pages of positioned text, lines, boxes and pictures, in points,
// ready to be painted on a preview, a printer or a PDF.
struct DocItem {
    enum class Kind { Text, Line, Box, Picture };
    Kind kind = Kind::Text;
    QRectF rect; // a line runs from the top-left to the bottom-right corner
    QString text;
    QFont font;
    int alignment = 0; // Qt::Alignment flags
    double penWidth = 1;
    QImage picture;
};

struct DocPage {
    std::vector<DocItem> items;
};

struct Document {
    QString name;  // the report's name, e.g. "QRInvoice"
    QString title; // the print job's title
    QSizeF pageSize{612, 792};
    std::vector<DocPage> pages;
    // What each named label printed (memos: their lines), for checks of the output.
    QMap<QString, QStringList> elements;
};

// Draws one page; the painter's coordinates are the document's points.
void paintPage(QPainter& painter, const DocPage& page);

} // namespace core
