#include "core/document.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <map>

namespace core {

QString printable(const QString& text) {
    const auto control = [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; };
    if (std::none_of(text.begin(), text.end(), control)) return text;
    QString out = text;
    for (QChar& c : out)
        if (control(c)) c = ' ';
    return out;
}

std::vector<DocItem> DocPage::allItems() const {
    constexpr double eps = 1e-6;
    std::vector<DocItem> all;
    for (const auto& band : shared)
        all.insert(all.end(), band->begin(), band->end());
    all.insert(all.end(), items.begin(), items.end());
    for (const MemoPart& part : memoParts) {
        const MemoRows& m = *part.memo;
        const std::vector<double>& lineTop = *m.lineTop;
        // The line holding `base`: the last that starts at or before it.
        const auto first = std::upper_bound(lineTop.begin(), lineTop.end() - 1, part.base + eps);
        for (size_t i = first == lineTop.begin() ? 0 : size_t(first - lineTop.begin()) - 1;
             i < m.lines() && lineTop[i] < part.end - eps; ++i)
            for (int r = 0; r < m.rowCount(i); ++r) {
                const double at = lineTop[i] + r * m.lineHeight;
                if (at < part.base - eps) continue;
                if (at >= part.end - eps) break;
                DocItem item;
                item.rect = QRectF(m.left, part.top + at - part.base, m.width, m.lineHeight);
                item.text = printable(m.row(i, r));
                item.style = m.style;
                item.element = m.element;
                item.line = int(i);
                all.push_back(std::move(item));
            }
    }
    return all;
}

std::optional<QStringList> Document::printed(const QString& element) const {
    if (!elements.contains(element)) return std::nullopt;
    std::map<int, QString> lines;
    for (const DocPage& page : pages)
        for (const DocItem& item : page.allItems()) {
            if (item.kind != DocItem::Kind::Text || item.element != element) continue;
            if (item.line < 0) return QStringList{item.text};
            lines[item.line] += item.text;
        }
    QStringList out;
    for (auto& [n, text] : lines)
        out << text;
    return out;
}

QFont documentFont(const QString& family, int pointSize, bool bold, bool italic, bool underline) {
    QFont font(family);
    font.setPixelSize(pointSize * int(kUnitsPerInch / 72));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    // The same advances on screen, printer and PDF, so composition measures what prints.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

Document plainTextDocument(const QString& title, const QStringList& lines) {
    Document d;
    d.name = title;
    d.title = title;
    const QString family = "Liberation Mono";
    const int size = 8;
    const double lineHeight =
        QFontMetricsF(documentFont(family, size, false, false, false)).lineSpacing() /
        kUnitsPerInch;
    const double margin = 0.5;
    const double width = d.pageSize.width() - 2 * margin;
    const int perPage = std::max(1, int((d.pageSize.height() - 2 * margin) / lineHeight));
    for (qsizetype i = 0; i < lines.size() || d.pages.empty(); ++i) {
        if (i % perPage == 0) d.pages.emplace_back();
        if (i >= lines.size()) break;
        DocItem item;
        item.rect = QRectF(margin, margin + double(i % perPage) * lineHeight, width, lineHeight);
        item.text = lines[i];
        item.element = "text";
        item.line = int(i);
        d.pages.back().items.push_back(std::move(item));
    }
    d.elements << "text";
    d.styles[0].family = family;
    d.styles[0].pointSize = size;
    d.styles[0].alignment = Qt::AlignLeft;
    return d;
}

namespace {
QRectF units(const QRectF& inches) {
    return {inches.x() * kUnitsPerInch, inches.y() * kUnitsPerInch, inches.width() * kUnitsPerInch,
            inches.height() * kUnitsPerInch};
}

QPen pen(double points) {
    QPen p(Qt::black, points * kUnitsPerInch / 72);
    p.setCapStyle(Qt::FlatCap);
    return p;
}
} // namespace

void paintPage(QPainter& painter, const Document& document, int page, const QRectF& target) {
    if (page < 0 || page >= int(document.pages.size())) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(target.topLeft());
    const double scale = target.width() / (document.pageSize.width() * kUnitsPerInch);
    painter.scale(scale, scale);
    painter.fillRect(units(QRectF(QPointF(0, 0), document.pageSize)), Qt::white);
    for (const DocItem& item : document.pages[size_t(page)].allItems()) {
        const QRectF r = units(item.rect);
        switch (item.kind) {
        case DocItem::Kind::Text: {
            painter.save();
            painter.setClipRect(r.adjusted(0, 0, 0, r.height())); // descenders may overhang
            const TextStyle& style = document.styles[size_t(item.style)];
            painter.setFont(documentFont(style.family, style.pointSize, style.bold, style.italic,
                                         style.underline));
            painter.setPen(Qt::black);
            // The blanks where a wrapped line broke belong to the text, not to its place.
            QString shown = item.text;
            while (shown.endsWith(' '))
                shown.chop(1);
            painter.drawText(r, style.alignment | Qt::AlignTop | Qt::TextSingleLine, shown);
            painter.restore();
            break;
        }
        case DocItem::Kind::Line:
            painter.setPen(pen(item.penWidth));
            painter.drawLine(r.topLeft(), r.bottomRight());
            break;
        case DocItem::Kind::Rect:
            if (item.fill) painter.fillRect(r, *item.fill);
            if (item.hatch) {
                QBrush hatch(Qt::black, Qt::DiagCrossPattern);
                // Eight units a period as it comes: spread it to about 1/20 inch.
                hatch.setTransform(QTransform::fromScale(4.5, 4.5));
                painter.fillRect(r, hatch);
            }
            if (item.penWidth > 0) {
                painter.setPen(pen(item.penWidth));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(r);
            }
            break;
        case DocItem::Kind::Picture:
            if (item.picture >= 0) painter.drawImage(r, document.pictures[size_t(item.picture)]);
            break;
        }
    }
    painter.restore();
}

} // namespace core
