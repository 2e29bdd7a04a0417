#include "reports/compose.h"
#include "reports/day_reports.h"

#include "core/errors.h"
#include "test_dir.h"
#include "ui/preview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <cmath>
#include <map>

using namespace reports;
using core::DocItem;
using core::Document;

namespace {

// Text measures need the font database: one application for the whole binary, made lazily
// so that test discovery runs without a display, and never taken down (its end at exit
// would come after Qt's own).
void needApp() {
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "reports_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// Every text item of an element, with the page it is on.
std::vector<std::pair<int, DocItem>> itemsOf(const Document& d, const QString& element) {
    std::vector<std::pair<int, DocItem>> out;
    for (size_t p = 0; p < d.pages.size(); ++p)
        for (const DocItem& i : d.pages[p].allItems())
            if (i.kind == DocItem::Kind::Text && i.element == element) out.push_back({int(p), i});
    return out;
}

DocItem first(const Document& d, const QString& element) {
    auto items = itemsOf(d, element);
    if (items.empty()) throw std::runtime_error("no item " + element.toStdString());
    return items.front().second;
}

constexpr double kNear = 1e-6;

} // namespace

TEST(Compose, InvoiceElementsSitWhereTheLayoutPutsThem) {
    needApp();
    Report r = invoiceLayout();
    r.setCaption("QRInvoiceNumber", "42");
    r.addLine("QRmemInvoiceProduct", "1 Widget");
    r.addLine("QRmemInvoicePrice", "10.00");
    const Document d = compose(r);
    ASSERT_EQ(d.pages.size(), 1u);
    // Bands start at the half-inch margin; elements are placed from their band's top.
    const DocItem& number = first(d, "QRInvoiceNumber");
    EXPECT_NEAR(number.rect.left(), 0.5 + 6.08, kNear);
    EXPECT_NEAR(number.rect.top(), 0.5 + 0.43, kNear);
    EXPECT_EQ(d.styles[size_t(number.style)].pointSize, 12);
    const DocItem& product = first(d, "QRmemInvoiceProduct");
    EXPECT_NEAR(product.rect.top(), 0.5 + 3.34 + 0.08, kNear);
    EXPECT_NEAR(first(d, "QRmemInvoicePrice").rect.top(), product.rect.top(), kNear);
    EXPECT_EQ(d.styles[size_t(first(d, "QRmemInvoicePrice").style)].alignment, Qt::AlignRight);
    // The footer at the bottom of the printable area.
    EXPECT_NEAR(first(d, "QRlblInvoiceTotal").rect.top(), 10.5 - 0.51 + 0.03, kNear);
    // A framed memo keeps its full design height with one line.
    bool fullBox = false;
    for (const DocItem& i : d.pages[0].allItems())
        fullBox |= i.kind == DocItem::Kind::Rect && i.penWidth > 0 &&
                   std::abs(i.rect.left() - (0.5 + 0.25)) < kNear &&
                   std::abs(i.rect.height() - 6.01) < kNear;
    EXPECT_TRUE(fullBox);
    EXPECT_EQ(*d.printed("QRInvoiceNumber"), QStringList{"42"});
    EXPECT_EQ(*d.printed("QRlblInvoiceNumber"), QStringList{"Invoice #:"});
    EXPECT_FALSE(d.printed("NoSuchElement"));
}

TEST(Compose, AnEmptyReportPrintsItsBandsOnce) {
    needApp();
    const Document d = compose(dailyTotalLayout());
    ASSERT_EQ(d.pages.size(), 1u);
    EXPECT_EQ(*d.printed("QRLabel22"), QStringList{"Daily Report"});
    EXPECT_EQ(*d.printed("QRLabel27"), QStringList{"Sales Subtotal:"});
    EXPECT_EQ(*d.printed("qrmemDailyTotal"), QStringList{});
}

TEST(Compose, AListOverSeveralPagesKeepsItsRowsAndRepeatsHeaderAndFooter) {
    needApp();
    Report r = dailyTotalLayout();
    QStringList dates, totals;
    for (int i = 0; i < 150; ++i) {
        dates << QString("day %1").arg(i);
        totals << QString("%1.00").arg(i);
        r.addLine("qrmemDailyTotalDate", dates.back());
        r.addLine("qrmemDailyTotal", totals.back());
    }
    const Document d = compose(r);
    ASSERT_GE(d.pages.size(), 2u);
    EXPECT_EQ(itemsOf(d, "QRLabel22").size(), d.pages.size()); // header on every page
    EXPECT_EQ(itemsOf(d, "QRLabel27").size(), d.pages.size()); // footer on every page, last too
    EXPECT_EQ(*d.printed("qrmemDailyTotalDate"), dates);
    EXPECT_EQ(*d.printed("qrmemDailyTotal"), totals);
    const auto left = itemsOf(d, "qrmemDailyTotalDate"), right = itemsOf(d, "qrmemDailyTotal");
    for (size_t n = 0; n < left.size(); ++n) {
        EXPECT_EQ(left[n].first, right[n].first) << n;
        EXPECT_NEAR(left[n].second.rect.top(), right[n].second.rect.top(), 0.011) << n;
        EXPECT_LE(left[n].second.rect.bottom(), 10.5 - 0.51 + kNear) << n;
        EXPECT_GE(left[n].second.rect.top(), 0.5 + 1.01 - kNear) << n;
    }
}

TEST(Compose, AWrappedLineKeepsTheOtherColumnsOnItsRowAcrossABreak) {
    needApp();
    Report r = receivablesLayout();
    const QString longName = QString("HARDWARE AND GARDEN SUPPLIES OF SPRINGFIELD ").repeated(3);
    for (int i = 0; i < 140; ++i) {
        r.addLine("QRmemRecName", i % 7 == 3 ? longName : QString("NAME %1").arg(i));
        r.addLine("QRmemRecInvoice", QString::number(i));
        r.addLine("QRmemRecBalance", "5.00");
    }
    const Document d = compose(r);
    ASSERT_GE(d.pages.size(), 2u);
    EXPECT_EQ(d.printed("QRmemRecName")->at(3), longName);
    // Every row of a line, in every memo, is on one page; line n of each memo starts level.
    std::map<int, std::pair<int, double>> start; // line → page and top of its first row
    for (const QString memo : {"QRmemRecName", "QRmemRecInvoice", "QRmemRecBalance"}) {
        std::map<int, std::pair<int, double>> mine;
        for (auto [page, item] : itemsOf(d, memo)) {
            auto [it, added] = mine.insert({item.line, {page, item.rect.top()}});
            if (!added) {
                EXPECT_EQ(it->second.first, page) << memo.toStdString() << item.line;
            }
        }
        for (auto& [line, at] : mine) {
            auto [it, added] = start.insert({line, at});
            if (added) continue;
            EXPECT_EQ(it->second.first, at.first) << line;
            EXPECT_NEAR(it->second.second, at.second, 0.011) << line;
        }
    }
    // The wrapped line takes several rows; the line after it starts below all of them.
    const auto rows = itemsOf(d, "QRmemRecName");
    int rowsOfThree = 0;
    for (auto [page, item] : rows)
        rowsOfThree += item.line == 3;
    EXPECT_GE(rowsOfThree, 2);
    EXPECT_GT(start[4].second, start[3].second + rowsOfThree * 0.15);
}

TEST(Compose, AutoSizeLabelsWidenAndFixedWidthLabelsClip) {
    needApp();
    Report r = invoiceLayout();
    const QString long_ = "A CUSTOMER WITH A VERY LONG NAME INDEED";
    r.setCaption("QRInvoiceCustomer", long_);
    r.setCaption("QRInvoiceTotal", long_);
    const Document d = compose(r);
    EXPECT_GT(first(d, "QRInvoiceCustomer").rect.width(), 1.46 + 1);
    EXPECT_NEAR(first(d, "QRInvoiceTotal").rect.width(), 1.31, kNear);
    EXPECT_EQ(first(d, "QRInvoiceTotal").text, long_);
}

TEST(Compose, HostileInputIsComposedOrRefusedClearly) {
    needApp();
    Report r = invoiceLayout();
    for (int i = 0; i < 100000; ++i)
        r.addLine("QRmemInvoicePrice", "1.00");
    const QString huge = QString("x").repeated(10000);
    r.addLine("QRmemInvoiceProduct", huge);
    r.setCaption("QRInvoiceCustomer", "tab\there\x01"
                                      "bell");
    r.bands[0].elements[5].style.face = "No Such Face Installed";
    const Document d = compose(r);
    EXPECT_GT(d.pages.size(), 100u);
    EXPECT_EQ(d.printed("QRmemInvoiceProduct")->at(0), huge);
    EXPECT_EQ(d.printed("QRmemInvoicePrice")->size(), 100000);
    EXPECT_EQ(*d.printed("QRInvoiceCustomer"), QStringList{"tab here bell"});

    TestDir dir;
    const QString corrupt = QString::fromStdString(dir.file("logo.png"));
    QFile f(corrupt);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture at all");
    f.close();
    for (const QString& bad : {QString(), corrupt, QString::fromStdString(dir.file("gone.bmp")),
                               QString::fromStdString(dir.file("logo.wmf"))})
        EXPECT_THROW(r.loadPicture("QRimgInvoiceLogo", bad), core::FileError) << bad.toStdString();
    EXPECT_THROW(r.setCaption("NoSuchLabel", "x"), core::PosError);
}

TEST(Compose, ThePdfHasTheTextWhereCompositionPutIt) {
    needApp();
    Report r = invoiceLayout();
    r.setCaption("QRInvoiceNumber", "QWERTY");
    r.addLine("QRmemInvoiceProduct", "ZXCVB");
    const Document d = compose(r);
    TestDir dir;
    const QString pdf = QString::fromStdString(dir.file("invoice.pdf"));
    ui::writePdf(d, pdf);
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(20000));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString word : {"QWERTY", "ZXCVB"}) {
        const QRegularExpression re(
            QString(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">%1<)re")
                .arg(word));
        const auto m = re.match(html);
        ASSERT_TRUE(m.hasMatch()) << word.toStdString() << "\n" << html.toStdString();
        const DocItem& item =
            first(d, word == "QWERTY" ? "QRInvoiceNumber" : "QRmemInvoiceProduct");
        // In points; the glyphs' box starts a little right of and below the text's box.
        EXPECT_NEAR(m.captured(1).toDouble(), item.rect.left() * 72, 2.0) << word.toStdString();
        EXPECT_NEAR(m.captured(2).toDouble(), item.rect.top() * 72, 4.0) << word.toStdString();
    }
}

TEST(Compose, PrintoutsNeverOverwriteAndLinesLoadFromFiles) {
    needApp();
    TestDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.path().string()));
    const QDateTime when(QDate(2026, 12, 9), QTime(10, 30, 5));
    const QString a = ui::printoutPath("QRInvoice", when);
    EXPECT_TRUE(a.endsWith("printouts/QRInvoice-20261209-103005.pdf")) << a.toStdString();
    QFile(a).open(QIODevice::WriteOnly);
    const QString b = ui::printoutPath("QRInvoice", when);
    EXPECT_TRUE(b.endsWith("printouts/QRInvoice-20261209-103005-2.pdf")) << b.toStdString();

    QFile lines("invoice1.pos");
    ASSERT_TRUE(lines.open(QIODevice::WriteOnly));
    lines.write("1 Widget\r\n\r\n2 Gadget\r\n");
    lines.close();
    Report r = invoiceLayout();
    r.addLine("QRmemInvoiceProduct", "gone");
    r.loadLines("QRmemInvoiceProduct", "invoice1.pos");
    EXPECT_EQ(r.element("QRmemInvoiceProduct").lines, (QStringList{"1 Widget", "", "2 Gadget"}));
    EXPECT_THROW(r.loadLines("QRmemInvoiceProduct", "missing.pos"), core::FileError);
    QDir::setCurrent(old);
}

TEST(DayKey, OrdersEveryDateAsTheCalendarDoesAndRefusesNonDates) {
    const char* ordered[] = {"12/31/1979", "01/01/1980", "2/29/2004",  "03/01/2004",
                             "12/31/2043", "01/01/2044", "06/15/2099", "01/01/2100"};
    for (size_t i = 1; i < std::size(ordered); ++i)
        EXPECT_LT(dayKey(std::string_view(ordered[i - 1])), dayKey(std::string_view(ordered[i])))
            << ordered[i];
    EXPECT_EQ(dayKey(std::string_view("3/7/2004")), dayKey(std::string_view("03/07/2004")));
    for (const char* bad : {"13/45/2004", "2/30/2004", "", "abc", "03/07/04", "03-07-2004",
                            "03/07/2004/1", "/07/2004"}) {
        try {
            dayKey(std::string_view(bad));
            ADD_FAILURE() << bad;
        } catch (const core::ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' is not a valid date");
        }
    }
}
