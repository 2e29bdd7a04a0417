#include "reports/invoices.h"

#include "core/characters.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "register/cancel.h"
#include "reports/band_reports.h"
#include "store/text.h"
#include "ui/main_form.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace reports {

namespace {
const char* const kProducts = "QRmemInvoiceProduct";
const char* const kPrices = "QRmemInvoicePrice";
const char* const kBodyFile = "invoice1.pos";
const char* const kAmountFile = "invoice2.pos";

QString field(const store::Table& t, int f) {
    return core::fieldText(t, f);
}
} // namespace

QString receiptLine(const QString& text, const QString& amount) {
    QString t = text.trimmed();
    const QString a = amount.trimmed();
    const qsizetype length = core::charCount(t);
    if (length < 30) t += QString(30 - length, ' ');
    return core::leftChars(t, std::max<qsizetype>(0, 30 - core::charCount(a))) + QString(9, ' ') +
           a;
}

Report& Invoices::invoice() {
    return (*pos.sub.bandReports)["QRInvoice"];
}

void Invoices::loadLogo() {
    Element& logo = invoice().element("QRimgInvoiceLogo");
    logo.picture = QImage();
    try {
        invoice().loadPicture("QRimgInvoiceLogo", pos.form.edtCLogoFile->text());
    } catch (const core::PosError&) {
        // No logo, or none that can be read: the invoice simply has none.
    }
}

void Invoices::companyLabels() {
    auto& f = pos.form;
    Report& r = invoice();
    r.setCaption("QRInvoiceBusinessName", f.edtCompanyName->text());
    r.setCaption("QRInvoiceBAddress1", f.edtCAddress1->text());
    r.setCaption("QRInvoiceBAddress2", f.edtCAddress2->text());
    r.setCaption("QRInvoiceBCity", f.edtCCity->text());
    r.setCaption("QRInvoiceBState", f.edtCState->text());
    r.setCaption("QRInvoiceBZip", f.edtCZip->text());
    r.setCaption("QRInvoiceBPhone", f.edtCPhone->text());
    r.setCaption("QRInvoiceBFax", f.edtCFax->text());
}

QStringList Invoices::receiptHeader(const QString& clerkLine, const QString& number) {
    auto& f = pos.form;
    return {f.edtCompanyName->text(),
            f.edtCAddress1->text(),
            f.edtCAddress2->text(),
            f.edtCCity->text() + "," + f.edtCState->text() + " " + f.edtCZip->text(),
            f.edtCPhone->text(),
            pos.services.clock->today().toString("MM/dd/yyyy"),
            clerkLine,
            "Invoice #: " + number,
            "  "};
}

QStringList Invoices::receiptBody() {
    auto& f = pos.form;
    QStringList lines;
    for (int i = 0; i < f.memProductList->count(); ++i)
        lines << receiptLine(f.memQuantity->line(i) + " " + f.memProductList->line(i),
                             f.memProductPrice->line(i));
    return lines;
}

void Invoices::output(bool preview) {
    if (preview)
        pos.sub.bandReports->preview("QRInvoice");
    else
        pos.sub.bandReports->print("QRInvoice");
}

void Invoices::clearSaleLists() {
    auto& f = pos.form;
    for (ui::MemoList* m :
         {f.memProductList, f.memProductPrice, f.memProductCost, f.memCategoryHidden})
        m->clearLines();
}

void Invoices::clearReportMemos() {
    invoice().clear(kProducts);
    invoice().clear(kPrices);
}

void Invoices::imgPrintInvoiceClick() {
    auto& f = pos.form;
    const bool printing = f.ckbxInvoicePrinting->isChecked();
    const QString number = QString::number(pos.state.nextInvoiceNumber);
    const QString today = pos.services.clock->today().toString("MM/dd/yyyy");
    if (!f.ckbxReceiptPrinter->isChecked()) {
        Report& r = invoice();
        clearReportMemos();
        loadLogo();
        r.setCaption("QRInvoiceNumber", number);
        r.setCaption("QRInvoiceDate", today);
        companyLabels();
        r.setCaption("QRInvoiceCustomer", f.edtCustomer->text());
        r.setCaption("QRInvoiceCAddress1", f.edtAddress1->text());
        r.setCaption("QRInvoiceCAddress2", f.edtAddress2->text());
        r.setCaption("QRInvoiceCCity", f.edtCity->text());
        r.setCaption("QRInvoiceCState", f.edtState->text());
        r.setCaption("QRInvoiceCZip", f.edtZip->text());
        r.setCaption("QRInvoiceCPhone", f.edtPhone1->text());
        for (int i = 0; i < f.memProductList->count(); ++i) {
            r.addLine(kProducts,
                      "  " + (f.memQuantity->line(i) + " " + f.memProductList->line(i)).trimmed());
            r.addLine(kPrices, f.memProductPrice->line(i) + "  ");
        }
        r.setCaption("QRInvoiceTotal", pos.sale.balanceDueText);
        r.setCaption("QRInvoiceSlogan", f.edtCSlogan->text());
        r.setCaption("qrlblInvoiceNote", f.edtNote->text());
        if (printing) output(f.ckbxPreviewInvoice->isChecked());
        f.edtAuthorization->clear();
        clearReportMemos();
    } else {
        QStringList lines = receiptHeader("Clerk: " + pos.state.currentUser, number);
        lines << "Customer: " + f.edtCustomer->text();
        if (f.rbnCreditSale->isChecked())
            lines << "Credit Card Exp: " + (f.edtExpire2->text().isEmpty() ? f.edtExpire->text()
                                                                           : f.edtExpire2->text());
        lines << "  ";
        lines << receiptBody();
        lines << receiptLine("Balance", pos.sale.balanceDueText);
        if (printing) pos.services.printer->print("Invoice", lines);
        f.edtAuthorization->clear();
    }
    // A quote's lines stay, so that the reset gives their stock back.
    if (!f.rbnQuote->isChecked()) clearSaleLists();
    pos.sub.cancel->imgCancelClick();
}

void Invoices::customerLabelsFromRecord() {
    namespace S = store::sale;
    const store::Table& sales = pos.tables.sale;
    Report& r = invoice();
    r.setCaption("QRInvoiceCustomer", field(sales, S::NAME));
    r.setCaption("QRInvoiceCAddress1", field(sales, S::ADDRESS1));
    r.setCaption("QRInvoiceCAddress2", field(sales, S::ADDRESS2));
    r.setCaption("QRInvoiceCCity", field(sales, S::CITY));
    r.setCaption("QRInvoiceCState", field(sales, S::STATE));
    r.setCaption("QRInvoiceCZip", field(sales, S::ZIP));
    r.setCaption("QRInvoiceCPhone", field(sales, S::PHONE1));
}

void Invoices::forEachInRange(qint64 from, qint64 to, const std::function<void()>& print) {
    namespace S = store::sale;
    store::Table& sales = pos.tables.sale;
    // Pass 1 by invoice number, pass 2 by the invoice a sale is linked to: a linked sale
    // follows the invoices of the range.
    for (int pass = 0; pass < 2; ++pass)
        for (sales.first(); !sales.eof(); sales.next()) {
            const qint64 key = pass == 0 ? qint64(sales.number(S::INVOICE))
                                         : core::ParseWhole(field(sales, S::LINK));
            if (key >= from && key <= to) print();
        }
}

bool Invoices::range(qint64& from, qint64& to) {
    auto& f = pos.form;
    if (f.edtPrintInvFrom->text().isEmpty()) return false;
    if (f.edtPrintInvTo->text().isEmpty()) f.edtPrintInvTo->setText(f.edtPrintInvFrom->text());
    from = core::ParseWhole(f.edtPrintInvFrom->text());
    to = core::ParseWhole(f.edtPrintInvTo->text());
    return true;
}

void Invoices::bodyFromRecord() {
    namespace S = store::sale;
    auto& f = pos.form;
    const store::Table& sales = pos.tables.sale;
    auto add = [&](const QString& text, const QString& amount) {
        f.memProductList->addLine(text);
        f.memProductPrice->addLine(amount);
    };
    for (int i = 0; i < S::LINE_COUNT; ++i)
        if (!field(sales, S::prod(i)).isEmpty())
            add("  " + field(sales, S::prod(i)), field(sales, S::price(i)) + "  ");
    add("  Sales Tax", field(sales, S::TAX) + "  ");
    add("  __________", "______  ");
    add(" ", " ");
    add(" Total", field(sales, S::TOTAL) + "  ");
    add(" Amount Paid", field(sales, S::PAID) + "  ");
    const QString cards = field(sales, S::CARDAUTH);
    if (!cards.isEmpty()) {
        add(" ", " ");
        add(" " + cards.section('|', 0, 0), field(sales, S::CHARGE1) + "  ");
    }
    if (field(sales, S::CHARGE2) != "0.00") {
        const qsizetype bar = cards.indexOf('|');
        add(" " + (bar < 0 ? QString() : cards.mid(bar + 1)), field(sales, S::CHARGE2) + "  ");
    }
}

void Invoices::transferBody() {
    auto& f = pos.form;
    QStringList body = f.memProductList->lines(), amounts = f.memProductPrice->lines();
    // Line n of one file belongs to line n of the other.
    while (amounts.size() < body.size())
        amounts << QString();
    while (body.size() < amounts.size())
        body << QString();
    core::writeLines(kBodyFile, body);
    core::writeLines(kAmountFile, amounts);
    invoice().loadLines(kProducts, kBodyFile);
    invoice().loadLines(kPrices, kAmountFile);
}

void Invoices::doPrintInvoice() {
    namespace S = store::sale;
    auto& f = pos.form;
    if (f.ckbxReceiptPrinter->isChecked()) {
        doPrintReceiptInvoice();
        return;
    }
    qint64 from = 0, to = 0;
    if (!range(from, to)) return;
    Report& r = invoice();
    clearReportMemos();
    loadLogo();
    r.setCaption("QRInvoiceNumber", QString::number(pos.state.nextInvoiceNumber));
    r.setCaption("QRInvoiceDate", pos.services.clock->today().toString("MM/dd/yyyy"));
    companyLabels();
    const store::Table& sales = pos.tables.sale;
    forEachInRange(from, to, [&] {
        customerLabelsFromRecord();
        bodyFromRecord();
        r.setCaption("QRInvoiceNumber",
                     QString::fromStdString(store::shortestNumber(sales.number(S::INVOICE))));
        r.setCaption("QRInvoiceSlogan", f.edtCSlogan->text());
        r.setCaption("QRInvoiceDate", field(sales, S::DATE));
        r.setCaption("qrlblInvoiceNote", field(sales, S::NOTE));
        transferBody();
        r.setCaption("QRInvoiceTotal", field(sales, S::BALANCE));
        output(f.ckbxPreviewInvoice->isChecked());
        f.imgInvoice->hide();
        f.edtAuthorization->clear();
        clearReportMemos();
        clearSaleLists();
    });
}

void Invoices::doPrintReceiptInvoice() {
    namespace S = store::sale;
    auto& f = pos.form;
    qint64 from = 0, to = 0;
    if (!range(from, to)) return;
    const store::Table& sales = pos.tables.sale;
    forEachInRange(from, to, [&] {
        bodyFromRecord();
        QStringList lines =
            receiptHeader("Clerk: " + pos.state.currentUser,
                          QString::fromStdString(store::shortestNumber(sales.number(S::INVOICE))));
        lines << receiptBody();
        lines << receiptLine("Balance due", field(sales, S::BALANCE));
        if (f.ckbxInvoicePrinting->isChecked()) pos.services.printer->print("Invoice", lines);
        f.edtAuthorization->clear();
        clearSaleLists();
    });
}

void Invoices::paymentReceipt(const QString& number, bool credit) {
    namespace S = store::sale;
    auto& f = pos.form;
    QStringList lines = receiptHeader(pos.state.currentUser, number);
    lines << "Customer: " + f.edtCustomer->text();
    if (credit)
        lines << "Credit Card Exp: " +
                     (f.edtExpire2->text().isEmpty() ? f.edtExpire->text() : f.edtExpire2->text());
    lines << "  ";
    lines << receiptBody();
    lines << receiptLine("Balance due", field(pos.tables.sale, S::BALANCE));
    if (f.ckbxInvoicePrinting->isChecked()) pos.services.printer->print("Invoice", lines);
}

void Invoices::paymentInvoice(const QString& number) {
    namespace S = store::sale;
    auto& f = pos.form;
    const store::Table& sales = pos.tables.sale;
    Report& r = invoice();
    loadLogo();
    r.setCaption("QRInvoiceNumber", number);
    companyLabels();
    customerLabelsFromRecord();
    r.setCaption("QRInvoiceDate", field(sales, S::DATE));
    r.setCaption("qrlblInvoiceNote", field(sales, S::NOTE));
    r.setCaption("QRInvoiceTotal", field(sales, S::BALANCE));
    r.setCaption("QRInvoiceSlogan", f.edtCSlogan->text());
    transferBody();
    output(true);
    clearReportMemos();
}

} // namespace reports
