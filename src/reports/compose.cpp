#include "reports/compose.h"

#include <QFontMetricsF>

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>

namespace reports {

QString installedFace(const QString& face) {
    if (face.compare("Arial", Qt::CaseInsensitive) == 0) return "Liberation Sans";
    if (face.compare("Times New Roman", Qt::CaseInsensitive) == 0) return "Liberation Serif";
    if (face.compare("Courier New", Qt::CaseInsensitive) == 0) return "Liberation Mono";
    return face;
}

namespace {

constexpr double kEps = 1e-6;
constexpr double kThinPen = 0.75;    // points: frames, boxes and the page frame
constexpr double kFrameInset = 0.03; // inches between a frame and the text inside

// Text measures of the layout's fonts, in inches.
class Metrics {
public:
    const QFontMetricsF& of(const Style& s) {
        const auto key = std::make_tuple(s.face, s.size, s.bold, s.italic);
        auto it = m_cache.find(key);
        if (it == m_cache.end())
            it = m_cache
                     .emplace(key, QFontMetricsF(core::documentFont(installedFace(s.face), s.size,
                                                                    s.bold, s.italic, false)))
                     .first;
        return it->second;
    }
    double width(const Style& s, const QString& text) {
        return of(s).horizontalAdvance(text) / core::kUnitsPerInch;
    }
    double lineHeight(const Style& s) { return of(s).lineSpacing() / core::kUnitsPerInch; }
    // No character of the font is wider than this.
    double widest(const Style& s) { return of(s).maxWidth() / core::kUnitsPerInch; }
    double textHeight(const Style& s) { return of(s).height() / core::kUnitsPerInch; }

private:
    std::map<std::tuple<QString, int, bool, bool>, QFontMetricsF> m_cache;
};

// Most lines fit as they are; a short one is known to without measuring it.
bool fitsWithoutWrap(const QString& line, double width, const Style& style, Metrics& metrics) {
    return line.size() * metrics.widest(style) <= width ||
           metrics.width(style, line) <= width + kEps;
}

// A line broken into rows that fit `width`: at blanks, and inside a word only when the word
// alone is wider. The rows joined give the line back, blanks included.
std::vector<QString> wrapLine(const QString& line, double width, const Style& style,
                              Metrics& metrics) {
    if (fitsWithoutWrap(line, width, style, metrics)) return {line};
    std::vector<QString> rows;
    QString row;
    double rowWidth = 0;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        qsizetype end = i;
        while (end < n && line[end] != ' ')
            ++end;
        qsizetype next = end;
        while (next < n && line[next] == ' ')
            ++next;
        const QString word = line.mid(i, end - i);
        const double wordWidth = metrics.width(style, word);
        if (rowWidth + wordWidth <= width + kEps || (row.isEmpty() && wordWidth <= width)) {
            row += line.mid(i, next - i);
            rowWidth += metrics.width(style, line.mid(i, next - i));
            i = next;
            continue;
        }
        if (!row.isEmpty()) {
            rows.push_back(row);
            row.clear();
            rowWidth = 0;
            continue;
        }
        // A word wider than the column: as many characters as fit, at least one a row.
        qsizetype k = i;
        double w = 0;
        while (k < end) {
            const qsizetype step = line[k].isHighSurrogate() && k + 1 < end ? 2 : 1;
            const double cw = metrics.width(style, line.mid(k, step));
            if (k > i && w + cw > width + kEps) break;
            w += cw;
            k += step;
        }
        if (k < end) {
            rows.push_back(line.mid(i, k - i));
            i = k;
        } else {
            row = line.mid(i, next - i);
            rowWidth = w;
            i = next;
        }
    }
    if (!row.isEmpty() || rows.empty()) rows.push_back(row);
    return rows;
}

// The memos of one band, laid out line by line so that line n of every memo starts on
// the same printed row, however many rows a word-wrapped line of another memo takes.
struct Flow {
    struct Memo {
        const Element* element;
        double designHeight;
        std::shared_ptr<core::MemoRows> data; // the rows, shared with the pages
        double lineHeight() const { return data->lineHeight; }
        size_t lines() const { return data->lines(); }
        int rowCount(size_t line) const { return data->rowCount(line); }
    };
    std::vector<Memo> memos;
    std::vector<double> lineTop; // where each line starts in the content; the last is the end
    double maxTop = 0;           // the lowest memo top in the band

    double total() const { return lineTop.back(); }
    // The first cut at a line's end that leaves no more than `room` after `base`.
    double lineCut(double base, double room) const {
        auto it = std::upper_bound(lineTop.begin(), lineTop.end(), base + room + kEps);
        if (it == lineTop.begin()) return base;
        const double cut = *std::prev(it);
        return cut > base + kEps ? cut : base;
    }
};

class Composer {
public:
    explicit Composer(const Report& report) : m_report(report) {
        m_doc.name = report.name;
        m_doc.title = report.name;
        for (const Band& b : report.bands)
            for (const Element& e : b.elements)
                if (e.kind == Element::Kind::Label || e.kind == Element::Kind::Memo)
                    m_doc.elements << e.name;
        m_header = report.band(Band::Kind::PageHeader);
        m_footer = report.band(Band::Kind::PageFooter);
    }

    core::Document run() {
        if (!m_report.printWhenEmpty && allMemosEmpty()) return m_doc;
        newPage();
        for (const Band& b : m_report.bands)
            if (b.kind == Band::Kind::Title || b.kind == Band::Kind::Detail ||
                b.kind == Band::Kind::Summary)
                placeBody(b);
        finishPage(true);
        return std::move(m_doc);
    }

private:
    bool allMemosEmpty() const {
        for (const Band& b : m_report.bands)
            for (const Element& e : b.elements)
                if (e.kind == Element::Kind::Memo && !e.lines.isEmpty()) return false;
        return true;
    }

    std::vector<core::DocItem>& items() { return m_doc.pages.back().items; }

    void newPage() {
        if (!m_doc.pages.empty()) finishPage(false);
        m_doc.pages.emplace_back();
        m_y = kMargin;
        if (m_header && (m_report.headerOnFirstPage || m_doc.pages.size() > 1)) {
            placeStatic(*m_header, m_y);
            m_y += m_header->height;
        }
        m_limit = kMargin + kPrintableHeight - (m_footer ? m_footer->height : 0);
        m_fresh = true;
    }

    void finishPage(bool last) {
        if (m_footer && (!last || m_report.footerOnLastPage))
            placeStatic(*m_footer, kMargin + kPrintableHeight - m_footer->height);
        // Drawn last, so that no band's colour covers it.
        if (m_report.pageFrame)
            rect(QRectF(kMargin, kMargin, kPrintableWidth, kPrintableHeight), kThinPen, {});
    }

    void rect(const QRectF& r, double pen, std::optional<QColor> fill, bool hatch = false) {
        core::DocItem item;
        item.kind = core::DocItem::Kind::Rect;
        item.rect = r;
        item.penWidth = pen;
        item.fill = fill;
        item.hatch = hatch;
        items().push_back(std::move(item));
    }

    void line(QPointF from, QPointF to, double pen) {
        core::DocItem item;
        item.kind = core::DocItem::Kind::Line;
        item.rect = QRectF(from, to);
        item.penWidth = pen;
        items().push_back(std::move(item));
    }

    void frame(const QRectF& r, int sides) {
        if (sides == AllSides) return rect(r, kThinPen, {});
        if (sides & Top) line(r.topLeft(), r.topRight(), kThinPen);
        if (sides & Bottom) line(r.bottomLeft(), r.bottomRight(), kThinPen);
        if (sides & Left) line(r.topLeft(), r.bottomLeft(), kThinPen);
        if (sides & Right) line(r.topRight(), r.bottomRight(), kThinPen);
    }

    // What every text of an element shares, made once: a memo may print many thousand rows.
    const core::DocItem& prototype(const Element& e) {
        auto it = m_prototypes.find(&e);
        if (it != m_prototypes.end()) return it->second;
        core::TextStyle style;
        style.family = installedFace(e.style.face);
        style.pointSize = e.style.size;
        style.bold = e.style.bold;
        style.italic = e.style.italic;
        style.underline = e.style.underline;
        style.alignment = e.style.align == Align::Center  ? Qt::AlignHCenter
                          : e.style.align == Align::Right ? Qt::AlignRight
                                                          : Qt::AlignLeft;
        m_doc.styles.push_back(style);
        core::DocItem item;
        item.kind = core::DocItem::Kind::Text;
        item.style = int(m_doc.styles.size()) - 1;
        item.element = e.name;
        return m_prototypes.emplace(&e, std::move(item)).first->second;
    }

    Flow flowOf(const Band& band) {
        Flow flow;
        size_t lines = 0;
        for (const Element& e : band.elements) {
            if (e.kind != Element::Kind::Memo) continue;
            auto data = std::make_shared<core::MemoRows>();
            // Text inside a framed column keeps clear of its lines.
            const double inset = e.style.frame ? kFrameInset : 0;
            data->element = e.name;
            data->style = prototype(e).style;
            data->left = kMargin + e.left + inset;
            data->width = e.width - 2 * inset;
            data->lineHeight = m_metrics.lineHeight(e.style);
            // Lines that print as they are are shared, not copied: a list of many thousand
            // lines costs nothing to lay out.
            const double widest = m_metrics.widest(e.style);
            // (Control characters become blanks only when rows are made text items.)
            const bool asTheyAre =
                !e.style.wordWrap ||
                std::all_of(e.lines.begin(), e.lines.end(), [&](const QString& l) {
                    return l.size() * widest <= data->width ||
                           fitsWithoutWrap(l, data->width, e.style, m_metrics);
                });
            if (asTheyAre) {
                data->rows = e.lines;
                data->oneRowEach = true;
            }
            for (const QString& line : asTheyAre ? QStringList() : e.lines) {
                const QString text = core::printable(line);
                if (e.style.wordWrap)
                    for (QString& r : wrapLine(text, data->width, e.style, m_metrics))
                        data->rows.push_back(std::move(r));
                else
                    data->rows.push_back(text);
                data->start.push_back(int(data->rows.size()));
            }
            lines = std::max(lines, data->lines());
            flow.maxTop = std::max(flow.maxTop, e.top);
            flow.memos.push_back(
                {&e, e.height > 0 ? e.height : std::max(0.0, band.height - e.top), data});
        }
        flow.lineTop.assign(lines + 1, 0);
        for (size_t i = 0; i < lines; ++i) {
            double tallest = 0;
            for (const Flow::Memo& m : flow.memos)
                if (i < m.lines()) tallest = std::max(tallest, m.rowCount(i) * m.lineHeight());
            flow.lineTop[i + 1] = flow.lineTop[i] + tallest;
        }
        auto lineTop = std::make_shared<const std::vector<double>>(flow.lineTop);
        for (Flow::Memo& m : flow.memos)
            m.data->lineTop = lineTop;
        return flow;
    }

    void text(const QRectF& r, const QString& t, const Element& e, int lineNo) {
        core::DocItem item = prototype(e);
        item.rect = r;
        item.text = t;
        item.line = lineNo;
        items().push_back(std::move(item));
    }

    // The band's colour and frame over `height` at `top`.
    void bandBox(const Band& b, double top, double height) {
        const QRectF r(kMargin, top, kPrintableWidth, height);
        if (b.background != kWhite) rect(r, 0, b.background);
        frame(r, b.frame);
    }

    void label(const Element& e, double bandTop) {
        const QString caption = core::printable(e.caption);
        // A header's labels repeat on every page: measured once.
        auto known = m_labelWidths.find(&e);
        if (known == m_labelWidths.end())
            known = m_labelWidths.emplace(&e, m_metrics.width(e.style, caption)).first;
        const double textWidth = known->second;
        double width = e.width;
        if (!e.style.fixedWidth) width = std::max(width, textWidth);
        const QRectF r(kMargin + e.left, bandTop + e.top, width, m_metrics.textHeight(e.style));
        if (!e.style.transparent) {
            // An auto-size label is as wide as its text: its colour covers no more.
            QRectF back = r;
            if (!e.style.fixedWidth) {
                const double slack = width - textWidth;
                back.setLeft(r.left() + (e.style.align == Align::Center  ? slack / 2
                                         : e.style.align == Align::Right ? slack
                                                                         : 0));
                back.setWidth(textWidth);
            }
            rect(back, 0, e.style.background.value_or(kWhite));
        }
        frame(r, e.style.frame);
        text(r, caption, e, -1);
    }

    void shape(const Element& e, double bandTop) {
        const double x = kMargin + e.left, y = bandTop + e.top;
        if (e.shape == Element::Shape::Line)
            line(QPointF(x, y), QPointF(x + e.width, y), e.pen);
        else
            rect(QRectF(x, y, e.width, e.height), kThinPen, e.fill.value_or(kWhite), e.hatch);
    }

    void picture(const Element& e, double bandTop) {
        if (e.picture.isNull()) return;
        // At its own size, shrunk to the box when larger (never enlarged).
        const double dpmX = e.picture.dotsPerMeterX() > 0 ? e.picture.dotsPerMeterX() : 3780;
        const double dpmY = e.picture.dotsPerMeterY() > 0 ? e.picture.dotsPerMeterY() : 3780;
        QSizeF size(e.picture.width() / dpmX * 39.37, e.picture.height() / dpmY * 39.37);
        if (size.width() > e.width || size.height() > e.height)
            size.scale(e.width, e.height, Qt::KeepAspectRatio);
        core::DocItem item;
        item.kind = core::DocItem::Kind::Picture;
        item.rect = QRectF(QPointF(kMargin + e.left, bandTop + e.top), size);
        m_doc.pictures.push_back(e.picture);
        item.picture = int(m_doc.pictures.size()) - 1;
        items().push_back(std::move(item));
    }

    // Everything but the memos' lines: labels, shapes, pictures, in their order.
    void elements(const Band& b, double top) {
        for (const Element& e : b.elements) {
            switch (e.kind) {
            case Element::Kind::Label:
                label(e, top);
                break;
            case Element::Kind::Shape:
                shape(e, top);
                break;
            case Element::Kind::Image:
                picture(e, top);
                break;
            case Element::Kind::Memo:
                break;
            }
        }
    }

    // A band printed as designed (headers and footers never stretch).
    void placeStatic(const Band& b, double top) {
        // A header or footer prints the same on every page: laid out once, then shared.
        core::DocPage& page = m_doc.pages.back();
        auto known = m_staticBands.find(&b);
        if (known != m_staticBands.end() && known->second.first == top) {
            page.shared.push_back(known->second.second);
            page.memoParts.insert(page.memoParts.end(), known->second.third.begin(),
                                  known->second.third.end());
            return;
        }
        const size_t items = page.items.size(), parts = page.memoParts.size();
        bandBox(b, top, b.height);
        elements(b, top);
        Flow flow = flowOf(b);
        memoPart(flow, top, 0, flow.total() + 1,
                 [&](const Flow::Memo& m) { return m.designHeight; });
        auto laid = std::make_shared<const std::vector<core::DocItem>>(
            std::make_move_iterator(page.items.begin() + std::ptrdiff_t(items)),
            std::make_move_iterator(page.items.end()));
        page.items.resize(items);
        std::vector<core::MemoPart> memoParts(page.memoParts.begin() + std::ptrdiff_t(parts),
                                              page.memoParts.end());
        page.shared.push_back(laid);
        m_staticBands[&b] = {top, laid, std::move(memoParts)};
    }

    // The first line that may have rows at or after `base`.
    static size_t firstLine(const Flow& flow, double base) {
        const auto it = std::upper_bound(flow.lineTop.begin(), flow.lineTop.end() - 1, base + kEps);
        return it == flow.lineTop.begin() ? 0 : size_t(it - flow.lineTop.begin()) - 1;
    }

    // Where the rows that fit before `cut` end: the cut itself, or earlier where a row of
    // some memo would cross it (the rows after that wait for the next page in every memo).
    static double partEnd(const Flow& flow, double base, double cut) {
        double end = std::min(cut, flow.total());
        for (const Flow::Memo& m : flow.memos)
            for (size_t i = firstLine(flow, base); i < m.lines(); ++i) {
                if (flow.lineTop[i] >= end - kEps) break;
                for (int r = 0; r < m.rowCount(i); ++r) {
                    const double at = flow.lineTop[i] + double(r) * m.lineHeight();
                    if (at >= base - kEps && at + m.lineHeight() > cut + kEps) {
                        end = std::min(end, at);
                        break;
                    }
                }
            }
        return end;
    }

    // The memo boxes, and the rows whose content offset lies in [base, end).
    template <class BoxHeight>
    void memoPart(const Flow& flow, double top, double base, double end, BoxHeight boxHeight) {
        for (const Flow::Memo& m : flow.memos) {
            const Element& e = *m.element;
            const QRectF box(kMargin + e.left, top + e.top, e.width, boxHeight(m));
            if (e.style.background) rect(box, 0, e.style.background);
            frame(box, e.style.frame);
            if (m.lines() > 0)
                m_doc.pages.back().memoParts.push_back({m.data, base, end, top + e.top});
        }
    }

    // A title, detail or summary band: stretched to its memos, continued on new pages
    // when it does not fit above the footer, all memos breaking after the same line.
    void placeBody(const Band& b) {
        const Flow flow = flowOf(b);
        const double total = flow.total();
        double natural = b.height;
        for (const Flow::Memo& m : flow.memos)
            natural = std::max(natural, m.element->top + std::max(m.designHeight, total));

        double base = 0;
        bool first = true;
        for (;;) {
            const double height = first ? natural : flow.maxTop + (total - base);
            // The rest of the band, here and whole.
            auto placeRest = [&] {
                bandBox(b, m_y, height);
                if (first) elements(b, m_y);
                memoPart(flow, m_y, base, total + 1, [&](const Flow::Memo& m) {
                    return first ? std::max(m.designHeight, total) : total - base;
                });
                m_y += height;
                m_fresh = false;
            };
            if (m_y + height <= m_limit + kEps) return placeRest();
            const double avail = m_limit - m_y;
            double cut = flow.lineCut(base, avail - flow.maxTop);
            if (cut <= base + kEps || total <= base + kEps) {
                // Not one whole line fits (or the band is taller than a page by design):
                // on a page with room to gain, start again on the next one.
                if (!m_fresh) {
                    newPage();
                    continue;
                }
                if (total <= base + kEps) return placeRest();
                // One line taller than a page: break it between rows, a row at least.
                double tallest = 0;
                for (const Flow::Memo& m : flow.memos)
                    tallest = std::max(tallest, m.lineHeight());
                cut = base + std::max(avail - flow.maxTop, tallest);
            }
            const double end = partEnd(flow, base, cut);
            bandBox(b, m_y, avail);
            if (first) elements(b, m_y);
            memoPart(flow, m_y, base, end,
                     [&](const Flow::Memo& m) { return avail - m.element->top; });
            base = end;
            first = false;
            newPage();
        }
    }

    const Report& m_report;
    Metrics m_metrics;
    core::Document m_doc;
    const Band* m_header = nullptr;
    const Band* m_footer = nullptr;
    double m_y = 0, m_limit = 0;
    bool m_fresh = true;
    std::unordered_map<const Element*, core::DocItem> m_prototypes;
    std::unordered_map<const Element*, double> m_labelWidths;
    struct StaticBand {
        double first; // where it was laid out
        std::shared_ptr<const std::vector<core::DocItem>> second;
        std::vector<core::MemoPart> third;
    };
    std::unordered_map<const Band*, StaticBand> m_staticBands;
};

} // namespace

core::Document compose(const Report& report) {
    return Composer(report).run();
}

} // namespace reports
