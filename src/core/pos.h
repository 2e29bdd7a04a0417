#pragma once

#include "core/decimal.h"
#include "core/services.h"
#include "store/table.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace ui {
struct MainForm;
}
namespace app {
class Preferences;
class Startup;
class Users;
} // namespace app
namespace catalog {
class Barcodes;
class TableBrowser;
class Customers;
class Lists;
class Products;
} // namespace catalog
namespace reg {
class Devices;
class SaleLines;
class Totals;
class ProductLookup;
class Cancel;
class Journal;
class RingUp;
class Receivables;
} // namespace reg
namespace maintenance {
class Backup;
class Help;
class YearArchive;
} // namespace maintenance
namespace reports {
class BandReports;
class DayReports;
class Exports;
class Invoices;
class ListReports;
class PrintDialog;
} // namespace reports

namespace core {

// Program-wide state, held for the life of the program.
struct AppState {
    QString dataPath;    // as read from datapath.pos: a folder ending with "/", or a server URI
    QString currentUser; // "No Security" when the user table holds no user
    QString userGroup = "A";
    bool loginPending = false;
    bool startupDone = false;
    bool customerEditMode = false;    // set, the customer panel's Save changes the record
    bool productEditMode = false;     // the same for the product panel
    std::int64_t productEditRow = 0;  // the product row that Edit or the barcode lookup chose
    std::int64_t productPanelRow = 0; // the product row the panel was last filled from
    QString poleMessage;              // the idle text of the pole display
    QString gridSearchText;           // type-ahead of the customer and receivables grids
    QString productSearchText;        // type-ahead of the product grid
    bool pickingProductForSale = false;
    bool productSearchOpened = false;
    qint64 nextInvoiceNumber = 0;   // the number the current sale's invoice gets
    bool paymentMode = false;       // an open invoice is picked: Ring Up records a payment
    QString paymentInvoice;         // its number
    bool saleTableReopened = false; // a read-only year's table opened writable for a payment
    bool invoiceMode = false;       // the print dialog was opened to reprint invoices
    bool exportMode = false;        // the print dialog was opened from the Export menu
};

// What the register keeps beside the five line lists while a sale is made.
struct SaleState {
    Decimal saleSubTotal;
    Decimal taxableTotal;
    Decimal saleTax; // rounded to the cent, so that the total is the sum of what is shown
    Decimal saleTotal;
    bool saleTotalled = false;
    // Set the moment ring-up has stored the sale: from then on nothing may give its stock
    // back or store it again, whatever fails while the register finishes.
    bool stored = false;

    // Per product line, hidden: the product row its stock came from and whether it counted
    // as taxable, so that removal and cancel undo exactly what the add did.
    struct LineSource {
        std::int64_t productRow = 0;
        bool taxable = false;
        bool refund = false;    // a refund line: its stock came in and goes out again
        bool stockTaken = true; // false once its stock has been given back
        std::int64_t journalRow = 0; // its row in the journal of the open sale
    };
    std::vector<LineSource> lines;

    // Set by ring-up.
    QString balanceDueText, changeDueText, tenderedText, paymentKindText, cardText;
};

// The four tables, open from start-up until the program ends, and the register's journal of
// its open sale.
struct Tables {
    store::Table customer{store::Kind::Customer};
    store::Table product{store::Kind::Product};
    store::Table sale{store::Kind::Sale};
    store::Table security{store::Kind::Security};
    store::Table journal{store::Kind::Journal};
};

// The subsystems' handler objects, so that one can call the shared procedures of another.
struct Subsystems {
    app::Startup* startup = nullptr;
    app::Preferences* prefs = nullptr;
    app::Users* users = nullptr;
    reg::Devices* devices = nullptr;
    reg::SaleLines* lines = nullptr;
    reg::Totals* totals = nullptr;
    reg::ProductLookup* lookup = nullptr;
    reg::Cancel* cancel = nullptr;
    reg::Journal* journal = nullptr;
    reg::RingUp* ringUp = nullptr;
    reg::Receivables* receivables = nullptr;
    reports::BandReports* bandReports = nullptr;
    reports::Invoices* invoices = nullptr;
    reports::PrintDialog* printDialog = nullptr;
    reports::ListReports* listReports = nullptr;
    reports::DayReports* dayReports = nullptr;
    reports::Exports* exports = nullptr;
    maintenance::YearArchive* yearArchive = nullptr;
    maintenance::Backup* backup = nullptr;
    maintenance::Help* help = nullptr;
    catalog::Barcodes* barcodes = nullptr;
    catalog::Lists* lists = nullptr;
    catalog::Customers* customers = nullptr;
    catalog::Products* products = nullptr;
    catalog::TableBrowser* browser = nullptr;
};

// The context every handler object receives: the form, the tables, the state, the services.
struct Pos {
    Pos(ui::MainForm& f, const Services& s) : form(f), services(s) {}
    Pos(const Pos&) = delete;
    Pos& operator=(const Pos&) = delete;

    ui::MainForm& form;
    Services services;
    AppState state;
    SaleState sale;
    Tables tables;
    Subsystems sub;
    bool closing = false; // the program is being taken down: handlers no longer run

    // Operations reserved to Administrators start with this and return silently when false.
    bool administrator() const { return state.userGroup == "A"; }
    Dialogs& dialogs() { return *services.dialogs; }
};

// A field of the current row as the controls show it.
inline QString fieldText(const store::Table& table, int field) {
    return QString::fromStdString(table.text(field));
}

// Runs a handler; an error ends it, shows the error box and the program goes on. Nothing
// runs once the program is closing.
void guard(Pos& pos, const std::function<void()>& handler);

} // namespace core
