#pragma once

#include "core/pos.h"

#include <functional>

namespace reports {

struct Report;

// A receipt's body line: the text cut so that the amount always ends in column 39.
QString receiptLine(const QString& text, const QString& amount);

// Invoices and receipts: of the sale just rung up, reprinted from the sale table by number
// range, and of a payment on account.
class Invoices {
public:
    explicit Invoices(core::Pos& pos) : pos(pos) {}

    // After ring-up: the invoice or receipt of the sale, the lists emptied unless it is a
    // quote, and the register reset.
    void imgPrintInvoiceClick();
    // The stored invoices numbered From to To (and the sales linked to them), as page
    // invoices or, with the receipt printer, as receipts.
    void doPrintInvoice();
    void doPrintReceiptInvoice();

    // The payment on invoice `number` just recorded, its record current in the sale table.
    void paymentReceipt(const QString& number, bool credit);
    void paymentInvoice(const QString& number);

private:
    Report& invoice();
    // The logo, or none when it cannot be read: the invoice goes on without it.
    void loadLogo();
    void companyLabels();
    QStringList receiptHeader(const QString& clerkLine, const QString& number);
    QStringList receiptBody();
    // The sale lists through the transfer files into the report's two memos.
    void transferBody();
    // The body of the current sale record into the sale lists.
    void bodyFromRecord();
    void customerLabelsFromRecord();
    // Runs `print` on every stored sale of the range, in two passes: by INVOICE, by LINK.
    void forEachInRange(qint64 from, qint64 to, const std::function<void()>& print);
    void output(bool preview);
    void clearSaleLists();
    void clearReportMemos();
    // From and To of the print dialog, the empty To taken as From; false when From is empty.
    bool range(qint64& from, qint64& to);

    core::Pos& pos;
};

} // namespace reports
