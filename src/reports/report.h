#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The band report model: a page of bands of fixed kinds, each holding labels, memos,
// shapes and pictures, positioned in inches from the top-left corner of their band.
namespace reports {

inline const QColor kWhite{255, 255, 255};
inline const QColor kAqua{0, 255, 255};
inline const QColor kSilver{192, 192, 192};
inline const QColor kPaleYellow{255, 255, 225};

// Frame sides, to be or-ed.
enum Side { None = 0, Top = 1, Left = 2, Bottom = 4, Right = 8, AllSides = 15 };
enum class Align { Left, Center, Right };

// How an element looks; every field has the report's default.
struct Style {
    QString face = "Arial";
    int size = 10;
    bool bold = false, italic = false, underline = false;
    Align align = Align::Left;
    bool fixedWidth = false; // a label clips at its box instead of widening to its text
    bool wordWrap = false;   // a memo breaks long lines at blanks
    int frame = None;
    std::optional<QColor> background; // unset: white, or the band's colour on an aqua band
    bool transparent = false;
};

struct Element {
    enum class Kind { Label, Memo, Shape, Image };
    enum class Shape { Rectangle, Line };
    Kind kind = Kind::Label;
    QString name;
    double left = 0, top = 0, width = 0;
    double height = 0; // 0: a label is one line high, a memo reaches to its band's bottom
    Style style;

    QString caption;   // a label's text
    QStringList lines; // a memo's lines

    Shape shape = Shape::Rectangle;
    std::optional<QColor> fill; // a rectangle's fill (white when unset)
    bool hatch = false;
    double pen = 1; // points

    QImage picture;
};

struct Band {
    enum class Kind { PageHeader, Title, Detail, Summary, PageFooter };
    Kind kind = Kind::Detail;
    QString name;
    double height = 0;
    QColor background = kWhite;
    int frame = None;
    std::vector<Element> elements;
};

struct Report {
    QString name;
    bool pageFrame = false;
    bool headerOnFirstPage = true;
    bool footerOnLastPage = true;
    bool printWhenEmpty = true;
    std::vector<Band> bands; // in print order

    // The element of this name; throws when the report has none.
    Element& element(const QString& name);
    const Band* band(Band::Kind kind) const;

    // The operations the filling code uses.
    void setCaption(const QString& label, const QString& text);
    void clear(const QString& memo);
    void addLine(const QString& memo, const QString& text);
    // The lines of a text file (CR LF) replace the memo's lines.
    void loadLines(const QString& memo, const QString& fileName);
    // bmp, ico, png, jpg, gif or svg; throws with the loader's reason when it cannot.
    void loadPicture(const QString& image, const QString& fileName);

private:
    // Where each element is, by band and place, found once: filling code names elements
    // for every line it adds.
    QHash<QString, std::pair<int, int>> m_places;
};

// The ten reports, each as its layout gives it, with nothing filled in.
Report invoiceLayout();
Report salesListLayout();
Report customersLayout();
Report inventoryLayout();
Report taxReportLayout();
Report orderListLayout();
Report yearEndLayout();
Report receivablesLayout();
Report dailyLayout();
Report dailyTotalLayout();
std::vector<Report> allLayouts();

} // namespace reports
