#include "program/program.h"

#include "app/preferences.h"
#include "app/startup.h"
#include "app/users.h"
#include "catalog/barcodes.h"
#include "catalog/customers.h"
#include "catalog/lists.h"
#include "catalog/products.h"
#include "catalog/table_browser.h"
#include "maintenance/backup.h"
#include "maintenance/help.h"
#include "maintenance/year_archive.h"
#include "register/cancel.h"
#include "register/devices/devices.h"
#include "register/journal.h"
#include "register/product_lookup.h"
#include "register/receivables.h"
#include "register/ring_up.h"
#include "register/sale_lines.h"
#include "register/totals.h"
#include "reports/band_reports.h"
#include "reports/day_reports.h"
#include "reports/exports.h"
#include "reports/invoices.h"
#include "reports/list_reports.h"
#include "reports/print_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_services.h"
#include "ui/widgets.h"
#include "ui/wiring.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

// The pictures live in a static library: register them before the first window.
static void initPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace program {

using namespace ui;

void applyLook(QApplication& app) {
    app.setApplicationName("Marlow POS");
    app.setStyle("Fusion");
    QFont font("Liberation Sans");
    font.setPixelSize(11);
    app.setFont(font);
    app.setQuitOnLastWindowClosed(false);
}

namespace {

void wireApp(core::Pos& pos, MainWindow& main) {
    auto& f = pos.form;
    app::Startup* s = pos.sub.startup;
    auto* dialogs = dynamic_cast<QtDialogs*>(pos.services.dialogs);
    main.onActivate = [&pos, s, dialogs] {
        // The focus coming back from our own message box is not a new activation.
        if (dialogs && dialogs->takeModalClosed()) return;
        core::guard(pos, [s] { s->FormActivate(); });
    };
    main.onKey = [&pos, s](int key) { core::guard(pos, [s, key] { s->FormKeyDown(key); }); };
    main.onClose = [&pos] { pos.services.lifetime->end(); };

    on(pos, f.btnDataBase, &QPushButton::clicked, [s] { s->btnDataBaseClick(); });
    on(pos, f.btnDataBaseOK, &QPushButton::clicked, [s] { s->btnDataBaseOKClick(); });
    on(pos, f.btnDataBaseCancel, &QPushButton::clicked, [s] { s->btnDataBaseCancelClick(); });
    on(pos, f.btnPOK, &QPushButton::clicked, [s] { s->btnPOKClick(); });
    // Enter in either login field presses OK.
    on(pos, f.edtPUsername, &QLineEdit::returnPressed, [s] { s->btnPOKClick(); });
    on(pos, f.edtPPassword, &QLineEdit::returnPressed, [s] { s->btnPOKClick(); });
    on(pos, f.DataPath1, &QAction::triggered, [s] { s->DataPath1Click(); });
    on(pos, f.Exit1, &QAction::triggered, [s] { s->Exit1Click(); });
    on(pos, f.Timer1, &QTimer::timeout, [s] { s->Timer1Timer(); });
}

void wirePreferences(core::Pos& pos) {
    auto& f = pos.form;
    app::Preferences* p = pos.sub.prefs;
    on(pos, f.Preferences1, &QAction::triggered, [p] { p->Preferences1Click(); });
    for (QPushButton* save : {f.btnCSave, f.btnTSave})
        on(pos, save, &QPushButton::clicked, [p] { p->btnCSaveClick(); });
    for (QPushButton* cancel : {f.btnCCancel, f.btnTCancel, f.btnSCancel})
        on(pos, cancel, &QPushButton::clicked, [p] { p->btnCCancelClick(); });
    onExit(pos, f.edtTSalesTax, [p] { p->edtSalesTaxExit(); });
    app::Users* u = pos.sub.users;
    on(pos, f.PageControl1, &QTabWidget::currentChanged, [&f, u] {
        if (f.PageControl1->currentWidget() == f.tabSecurity) u->tabSecurityShow();
    });
    on(pos, f.cbxSUsername, &QComboBox::currentTextChanged, [u] { u->cbxSUsernameChange(); });
    on(pos, f.btnSSave, &QPushButton::clicked, [u] { u->btnSSaveClick(); });
    on(pos, f.btnSRemove, &QPushButton::clicked, [u] { u->btnSRemoveClick(); });
    for (QLineEdit* phone : {f.edtCPhone, f.edtCFax})
        onExit(pos, phone, [phone] { phone->setText(catalog::phoneForm(phone->text())); });
}

void wireDevices(core::Pos& pos) {
    reg::Devices* d = pos.sub.devices;
    on(pos, pos.form.btnSOpen, &QPushButton::clicked, [d] { d->btnSOpenClick(); });
    on(pos, pos.form.imgMarlowPOS, &PictureButton::doubleClicked,
       [d] { d->imgMarlowPOSDblClick(); });
}

void wireLists(core::Pos& pos) {
    auto& f = pos.form;
    catalog::Lists* l = pos.sub.lists;
    on(pos, f.Category1, &QAction::triggered, [l] { l->Category1Click(); });
    on(pos, f.CreditCards1, &QAction::triggered, [l] { l->cbxTypeDblClick(); });
    onDoubleClick(pos, f.cbxType, [l] { l->cbxTypeDblClick(); });
    on(pos, f.btnCloseCategory, &QPushButton::clicked, [l] { l->btnCloseCategoryClick(); });
}

void wirePrinting(core::Pos& pos) {
    using Way = reports::PrintDialog::Way;
    auto& f = pos.form;
    reports::PrintDialog* d = pos.sub.printDialog;
    on(pos, f.Lists1, &QAction::triggered, [d] { d->Print1Click(Way::Lists); });
    on(pos, f.Reports1, &QAction::triggered, [d] { d->Print1Click(Way::Reports); });
    on(pos, f.Invoices1, &QAction::triggered, [d] { d->Print1Click(Way::Invoices); });
    on(pos, f.Lists2, &QAction::triggered, [d] { d->Print1Click(Way::ExportLists); });
    on(pos, f.rbnPrintCustomers, &QRadioButton::clicked, [d] { d->rbnPrintCustomersClick(); });
    on(pos, f.rbnPrintSales, &QRadioButton::clicked, [d] { d->rbnPrintSalesClick(); });
    on(pos, f.rbnPrintInventory, &QRadioButton::clicked, [d] { d->rbnPrintInventoryClick(); });
    on(pos, f.rbnPrintOrderList, &QRadioButton::clicked, [d] { d->rbnPrintOrderListClick(); });
    on(pos, f.rbnReceivables, &QRadioButton::clicked, [d] { d->rbnReceivablesClick(); });
    on(pos, f.rbnDaily, &QRadioButton::clicked, [d] { d->rbnDailyClick(); });
    for (QRadioButton* r : {f.rbnPrintTax, f.rbnYearEnd})
        on(pos, r, &QRadioButton::clicked, [d] { d->rbnPrintTaxClick(); });
    on(pos, f.btnPrintOk, &QPushButton::clicked, [d] { d->btnPrintOkClick(); });
    on(pos, f.btnPrintCancel, &QPushButton::clicked, [d] { d->btnPrintCancelClick(); });
    // Print is the default button: Enter in either field presses it.
    for (QLineEdit* e : {f.edtPrintInvFrom, f.edtPrintInvTo})
        on(pos, e, &QLineEdit::returnPressed, [d] { d->btnPrintOkClick(); });
}

void wireArchive(core::Pos& pos) {
    maintenance::YearArchive* a = pos.sub.yearArchive;
    on(pos, pos.form.PriorYear1, &QAction::triggered, [a] { a->PriorYear1Click(); });
    on(pos, pos.form.CurrentYear1, &QAction::triggered, [a] { a->CurrentYear1Click(); });
    on(pos, pos.form.CloseYear1, &QAction::triggered, [a] { a->CloseYear1Click(); });
}

void wireHelpAndBackup(core::Pos& pos) {
    auto& f = pos.form;
    maintenance::Backup* b = pos.sub.backup;
    maintenance::Help* h = pos.sub.help;
    on(pos, f.Backup1, &QAction::triggered, [b] { b->Backup1Click(); });
    on(pos, f.Restore1, &QAction::triggered, [b] { b->Restore1Click(); });
    on(pos, f.Help2, &QAction::triggered, [h] { h->Help2Click(); });
    for (QPushButton* help : {f.btnDataPathHelp, f.btnPHelp, f.btnSHelp})
        on(pos, help, &QPushButton::clicked, [h] { h->Help2Click(); });
    QObject::connect(
        f.memHelpIndex, &MemoList::mouseReleasedAtLine, f.memHelpIndex,
        [&pos, h](int line) { core::guard(pos, [h, line] { h->memHelpIndexMouseUp(line); }); });
    onClick(pos, f.lblHelpPrint, [h] { h->lblHelpPrintClick(); });
    onClose(pos, f.TForm3, [h] { h->helpFormClose(); });
    onClose(pos, f.TForm4, [h] { h->setupHelperFormClose(); });
    on(pos, f.About1, &QAction::triggered, [h] { h->About1Click(); });
    on(pos, f.btnAboutClose, &QPushButton::clicked, [h] { h->btnAboutCloseClick(); });
}

void wireBrowser(core::Pos& pos) {
    auto& f = pos.form;
    catalog::TableBrowser* b = pos.sub.browser;
    on(pos, f.Customers1, &QAction::triggered, [b] { b->Customers1Click(); });
    on(pos, f.Products1, &QAction::triggered, [b] { b->Products1Click(); });
    on(pos, f.Sales1, &QAction::triggered, [b] { b->Sales1Click(); });
    on(pos, f.cbxDatabase, &QComboBox::currentTextChanged, [b] { b->cbxDatabaseChange(); });
    on(pos, f.btnDBEdit, &QPushButton::clicked, [b] { b->btnDBEditClick(); });
    on(pos, f.btnDelete, &QPushButton::clicked, [b] { b->btnDeleteClick(); });
    on(pos, f.btnDatabaseClose, &QPushButton::clicked, [b] { b->btnDatabaseCloseClick(); });
    QObject::connect(f.DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged,
                     f.DBGrid1, [&pos, b](const QModelIndex& now) {
                         core::guard(pos, [b, row = now.row()] { b->DBGrid1RowChosen(row); });
                     });
}

void wireReceivables(core::Pos& pos) {
    auto& f = pos.form;
    reg::Receivables* r = pos.sub.receivables;
    on(pos, f.Payment1, &QAction::triggered, [r] { r->Payment1Click(); });
    QObject::connect(f.StringGrid3, &GridView::charTyped, f.StringGrid3,
                     [&pos, r](const QString& ch) {
                         core::guard(pos, [r, ch] { r->StringGrid3KeyPress(ch); });
                     });
    on(pos, f.StringGrid3, &GridView::escapePressed, [r] { r->StringGrid3KeyDown(); });
    QObject::connect(f.StringGrid3, &GridView::rowClicked, f.StringGrid3, [&pos, r](int row) {
        core::guard(pos, [r, row] { r->StringGrid3MouseUp(row); });
    });
}

void wireSale(core::Pos& pos) {
    auto& f = pos.form;
    reg::SaleLines* l = pos.sub.lines;
    reg::Totals* t = pos.sub.totals;
    reg::ProductLookup* k = pos.sub.lookup;
    catalog::Products* p = pos.sub.products;

    on(pos, f.imgAddItem, &PictureButton::clicked, [l] { l->imgAddItemClick(); });
    QObject::connect(
        f.memProductList, &MemoList::mouseReleasedAtLine, f.memProductList,
        [&pos, l](int line) { core::guard(pos, [l, line] { l->memProductListMouseUp(line); }); });
    onExit(pos, f.edtDiscount, [l] { l->edtDiscountExit(); });
    onDoubleClick(pos, f.lblTotal, [l] { l->lblTotalDblClick(); });
    on(pos, f.imgNote, &PictureButton::clicked, [l] { l->imgNoteClick(); });
    on(pos, f.btnNote, &QPushButton::clicked, [l] { l->btnNoteClick(); });
    on(pos, f.edtNote, &QLineEdit::returnPressed, [l] { l->btnNoteClick(); });

    on(pos, f.imgTotal, &PictureButton::clicked, [t] { t->imgTotalClick(); });
    reg::RingUp* r = pos.sub.ringUp;
    reg::Cancel* c = pos.sub.cancel;
    on(pos, f.imgRingUp, &PictureButton::clicked, [r] { r->imgRingUpClick(); });
    on(pos, f.imgCancel, &PictureButton::clicked, [c] { c->imgCancelClick(); });
    onExit(pos, f.edtAmount, [t] { t->edtAmountExit(); });
    onKeyPress(pos, f.edtAmount, [t](int, const QString&) { t->edtAmountKeyDown(); });
    on(pos, f.rbnCashSale, &QRadioButton::clicked, [t] { t->rbnCashSaleClick(); });
    on(pos, f.rbnCreditSale, &QRadioButton::clicked, [t] { t->rbnCreditSaleClick(); });
    onExit(pos, f.edtInvLink, [t] { t->edtInvLinkExit(); });

    on(pos, f.edtBarcodeHidden, &QLineEdit::returnPressed, [k] { k->edtBarcodeHiddenEnter(); });
    onClick(pos, f.edtBarcodeHidden, [k] { k->edtBarcodeHiddenClick(); });
    on(pos, f.edtProductName, &QLineEdit::textChanged, [k] { k->edtProductNameChange(); });
    onDoubleClick(pos, f.edtProductName, [k] { k->edtProductNameDblClick(); });
    on(pos, f.btnQuickQuantity, &QPushButton::clicked, [k] { k->btnQuickQuantityClick(); });
    on(pos, f.edtQuickQuantity, &QLineEdit::returnPressed, [k] { k->btnQuickQuantityClick(); });
    onKeyPress(pos, f.edtBarCode, [k](int key, const QString& text) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            k->edtBarCodeKeyPress(true);
        else if (!text.isEmpty())
            k->edtBarCodeKeyPress(false);
    });
    for (QLineEdit* e : {f.edtQuantity, f.edtMinimum, f.edtQuickQuantity})
        onExit(pos, e, [p] { p->edtMinimumExit(); });
}

void wireCustomers(core::Pos& pos) {
    auto& f = pos.form;
    catalog::Customers* c = pos.sub.customers;
    on(pos, f.btnNewCustomer, &QPushButton::clicked, [c] { c->New1Click(); });
    on(pos, f.New1, &QAction::triggered, [c] { c->New1Click(); });
    on(pos, f.btnEditCustomer, &QPushButton::clicked, [c] { c->Edit2Click(); });
    on(pos, f.Edit2, &QAction::triggered, [c] { c->Edit2Click(); });
    on(pos, f.btnSaveCust, &QPushButton::clicked, [c] { c->btnSaveCustClick(); });
    on(pos, f.btnClrCust, &QPushButton::clicked, [c] { c->btnClrCustClick(); });
    on(pos, f.imgCustSearch, &PictureButton::clicked, [c] { c->imgCustSearchClick(); });
    QObject::connect(f.StringGrid1, &GridView::charTyped, f.StringGrid1,
                     [&pos, c](const QString& ch) {
                         core::guard(pos, [c, ch] { c->StringGrid1KeyPress(ch); });
                     });
    on(pos, f.StringGrid1, &GridView::escapePressed, [c] { c->StringGrid1KeyDown(); });
    QObject::connect(f.StringGrid1, &GridView::rowClicked, f.StringGrid1, [&pos, c](int row) {
        core::guard(pos, [c, row] { c->StringGrid1MouseUp(row); });
    });
    for (QRadioButton* r : f.RadioGroup1->findChildren<QRadioButton*>())
        on(pos, r, &QRadioButton::clicked, [c] { c->RadioGroup1Click(); });
    for (QLineEdit* phone : {f.edtPhone1, f.edtPhone2})
        onExit(pos, phone, [phone] { phone->setText(catalog::phoneForm(phone->text())); });
}

// A kind of sale or a customer chosen with lines on the register is noted in the open sale's
// journal, after the handlers that choose it.
void wireJournal(core::Pos& pos) {
    auto& f = pos.form;
    reg::Journal* j = pos.sub.journal;
    for (QRadioButton* r : {f.rbnCashSale, f.rbnCreditSale, f.rbnQuote, f.rbnRefund})
        on(pos, r, &QRadioButton::toggled, [j] { j->noteSale(); });
    for (QPushButton* b : {f.btnSaveCust, f.btnClrCust})
        on(pos, b, &QPushButton::clicked, [j] { j->noteSale(); });
    on(pos, f.StringGrid1, &GridView::rowClicked, [j] { j->noteSale(); });
}

void wireProducts(core::Pos& pos) {
    auto& f = pos.form;
    catalog::Products* p = pos.sub.products;
    catalog::Barcodes* b = pos.sub.barcodes;
    on(pos, f.btnNewProduct, &QPushButton::clicked, [p] { p->New2Click(); });
    on(pos, f.New2, &QAction::triggered, [p] { p->New2Click(); });
    on(pos, f.btnEditProduct, &QPushButton::clicked, [p] { p->Edit3Click(); });
    on(pos, f.Edit3, &QAction::triggered, [p] { p->Edit3Click(); });
    // Only the user's own changes of the category count, not the program's.
    on(pos, f.cbxCategory, &QComboBox::textActivated, [p] { p->cbxCategoryChange(); });
    on(pos, f.cbxCategory->lineEdit(), &QLineEdit::textEdited, [p] { p->cbxCategoryChange(); });
    on(pos, f.btnSaveProduct, &QPushButton::clicked, [p] { p->btnSaveProductClick(); });
    on(pos, f.btnclrProd, &QPushButton::clicked, [p] { p->doLockProduct(); });
    on(pos, f.imgProdSearch, &PictureButton::clicked, [p] { p->imgProdSearchClick(); });
    on(pos, f.imgProduct, &PictureButton::clicked, [p] { p->imgProductClick(); });
    QObject::connect(f.StringGrid2, &GridView::charTyped, f.StringGrid2,
                     [&pos, p](const QString& ch) {
                         core::guard(pos, [p, ch] { p->StringGrid2KeyPress(ch); });
                     });
    on(pos, f.StringGrid2, &GridView::escapePressed, [p] { p->StringGrid2KeyDown(); });
    QObject::connect(f.StringGrid2, &GridView::rowClicked, f.StringGrid2, [&pos, p](int row) {
        core::guard(pos, [p, row] { p->StringGrid2MouseUp(row); });
    });
    for (QLineEdit* e : {f.edtCost, f.edtPrice})
        onExit(pos, e, [p] { p->edtPriceExit(); });
    // View ▸ Product Info is a check item: choosing it toggles its mark by itself.

    on(pos, f.imgMiniBarcode, &PictureButton::clicked, [b] { b->imgMiniBarcodeClick(); });
    onClick(pos, f.edtBarCode, [b] { b->edtBarCodeClick(); });
    on(pos, f.edtBarcodeEnter, &QLineEdit::returnPressed, [b] { b->edtBarcodeEnterEnter(); });
    on(pos, f.edtBarcodeVerify, &QLineEdit::textChanged, [b] { b->edtBarcodeVerifyChange(); });
    on(pos, f.btnCancelBarcode, &QPushButton::clicked, [b] { b->btnCancelBarcodeClick(); });
    on(pos, f.Barcodes1, &QAction::triggered, [b] { b->doPrintBarcodes(); });
}

void wirePictureFeedback(MainForm& f) {
    // The big buttons: the panel's bevel rises and the picture moves while pressed.
    const std::pair<QFrame*, PictureButton*> big[] = {{f.pnlAddItem, f.imgAddItem},
                                                      {f.pnlTotal, f.imgTotal},
                                                      {f.pnlRingUp, f.imgRingUp},
                                                      {f.pnlCancel, f.imgCancel}};
    for (auto [panel, img] : big) {
        QObject::connect(img, &PictureButton::pressed, panel, [panel, img] {
            panel->setFrameShadow(QFrame::Raised);
            img->move(4, 4);
        });
        QObject::connect(img, &PictureButton::released, panel, [panel, img] {
            panel->setFrameShadow(QFrame::Sunken);
            img->move(3, 3);
        });
    }
    // The small ones: their bevel sinks while pressed.
    const std::pair<QFrame*, PictureButton*> small[] = {{f.Bevel13, f.imgCustSearch},
                                                        {f.Bevel14, f.imgProdSearch},
                                                        {f.Bevel15, f.imgProduct},
                                                        {f.Bevel16, f.imgNote},
                                                        {f.Bevel12, f.imgMiniBarcode}};
    for (auto [bevel, img] : small) {
        QObject::connect(img, &PictureButton::pressed, bevel,
                         [bevel] { bevel->setFrameShadow(QFrame::Sunken); });
        QObject::connect(img, &PictureButton::released, bevel,
                         [bevel] { bevel->setFrameShadow(QFrame::Raised); });
    }
}

} // namespace

template <class T> T* Program::make(T*& slot) {
    auto owned = std::make_shared<T>(*m_pos);
    slot = owned.get();
    m_handlers.push_back(std::move(owned));
    return slot;
}

Program::Program(const core::Services& services) {
    initPictures();
    m_main = std::make_unique<MainWindow>(m_form);
    m_changeDue.reset(buildChangeDueWindow(m_form));
    m_help.reset(buildHelpWindow(m_form));
    m_setupHelper.reset(buildSetupHelperWindow(m_form));
    m_pos = std::make_unique<core::Pos>(m_form, services);
    if (auto* qt = dynamic_cast<QtDialogs*>(services.dialogs)) qt->setParent(m_main.get());

    core::Pos& pos = *m_pos;
    auto& sub = pos.sub;
    make(sub.devices);
    make(sub.startup);
    make(sub.prefs);
    make(sub.users);
    make(sub.lists);
    make(sub.products);
    make(sub.customers);
    make(sub.barcodes);
    make(sub.browser);
    make(sub.lines);
    make(sub.totals);
    make(sub.lookup);
    make(sub.cancel);
    make(sub.journal);
    make(sub.ringUp);
    make(sub.receivables);
    make(sub.bandReports);
    make(sub.invoices);
    make(sub.printDialog);
    make(sub.listReports);
    make(sub.dayReports);
    make(sub.exports);
    make(sub.yearArchive);
    make(sub.backup);
    make(sub.help);
    wireApp(pos, *m_main);
    wirePreferences(pos);
    wireDevices(pos);
    wireLists(pos);
    wireSale(pos);
    wirePictureFeedback(m_form);
    wireCustomers(pos);
    wireJournal(pos);
    wireProducts(pos);
    wirePrinting(pos);
    wireReceivables(pos);
    wireArchive(pos);
    wireBrowser(pos);
    wireHelpAndBackup(pos);
}

Program::~Program() {
    // From here on no event reaches a handler: taking the windows down can still send
    // focus and close events. Then the windows, the handlers (the ports close with them)
    // and last the tables.
    m_pos->closing = true;
    m_main->onActivate = nullptr;
    m_main->onKey = nullptr;
    m_main->onClose = nullptr;
    m_setupHelper.reset();
    m_help.reset();
    m_changeDue.reset();
    m_main.reset();
    while (!m_handlers.empty())
        m_handlers.pop_back();
    m_pos.reset();
}

void Program::show() {
    // The main window, the change window and the help window sit in the middle of the
    // desktop; the setup helper in the middle of the main window.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QPoint centre = screen->availableGeometry().center();
        for (QWidget* w : {static_cast<QWidget*>(m_main.get()), m_changeDue.get(), m_help.get()}) {
            QRect r = w->frameGeometry();
            r.moveCenter(centre);
            w->move(r.topLeft());
        }
        QRect helper = m_setupHelper->frameGeometry();
        helper.moveCenter(m_main->frameGeometry().center());
        m_setupHelper->move(helper.topLeft());
    }
    m_main->show();
    m_main->activateWindow();
    m_main->raise();
}

QList<QWidget*> Program::windows() const {
    return {m_main.get(), m_changeDue.get(), m_help.get(), m_setupHelper.get()};
}

void Program::tick() {
    if (m_form.Timer1->isActive())
        core::guard(*m_pos, [this] { m_pos->sub.startup->Timer1Timer(); });
}

} // namespace program
