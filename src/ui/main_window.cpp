#include "ui/main_window.h"

#include "ui/builder.h"

#include <QApplication>
#include <QFont>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

namespace ui {
using namespace build;

namespace {
const QColor kCustomerGrid(204, 255, 255);
const QColor kProductGrid(245, 234, 255);

void setTextColor(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

QAction* item(QAction*& slot, const char* name, QMenu* menu, const QString& text) {
    slot = menu->addAction(text);
    slot->setObjectName(name);
    return slot;
}

QMenu* submenu(QMenu*& slot, const char* name, QMenu* parent, const QString& text) {
    slot = parent->addMenu(text);
    slot->setObjectName(name);
    slot->menuAction()->setObjectName(QString(name) + "Item");
    return slot;
}

// A 55 × 55 picture-button panel: lowered bevel, the picture at 3,3.
void pictureButton(QFrame*& pnl, const char* pnlName, PictureButton*& img, const char* imgName,
                   const QString& svg, QWidget* p, int x, int y) {
    panel(pnl, pnlName, p, x, y, 55, 55);
    pnl->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture(img, imgName, svg, pnl, 3, 3, 49, 49);
}
} // namespace

MainWindow::MainWindow(MainForm& form) : f(form) {
    setObjectName("TForm1");
    f.TForm1 = this;
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString());

    auto* c = new QWidget(this);
    c->setObjectName("ClientArea");
    c->setFixedSize(797, 511);
    setCentralWidget(c);

    f.Timer1 = new QTimer(this);
    f.Timer1->setObjectName("Timer1");
    f.Timer1->setInterval(1000);

    buildMenus();
    buildCustomerPanel(c);
    buildProductPanel(c);
    buildRegister(c);
    buildGrids(c);
    buildStartPanels(c);
    buildPreferences(c);
    buildSmallPanels(c);
    buildListEditorAndPrint(c);
    buildBrowserAndAbout(c);

    setFixedSize(sizeHint());
    qApp->installEventFilter(this);
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    auto top = [&](QMenu*& slot, const char* name, const QString& text) {
        slot = bar->addMenu(text);
        slot->setObjectName(name);
        slot->menuAction()->setObjectName(QString(name) + "Item");
        slot->menuAction()->setEnabled(false); // enabled by doEnableFields
    };
    top(f.File1, "File1", "&File");
    item(NAMED(Backup1), f.File1, "Backup");
    item(NAMED(Restore1), f.File1, "Restore");
    submenu(NAMED(Print1), f.File1, "Print");
    item(NAMED(Lists1), f.Print1, "Lists");
    item(NAMED(Reports1), f.Print1, "Reports");
    item(NAMED(Invoices1), f.Print1, "Invoices");
    item(NAMED(Barcodes1), f.Print1, "Barcodes");
    submenu(NAMED(Export1), f.File1, "Export");
    item(NAMED(Lists2), f.Export1, "Lists");
    item(NAMED(Payment1), f.File1, "Receivables");
    item(NAMED(Preferences1), f.File1, "Preferences");
    f.File1->addSeparator();
    item(NAMED(Exit1), f.File1, "Exit");

    top(f.Edit1, "Edit1", "&Edit");
    submenu(NAMED(Customer1), f.Edit1, "Customer");
    item(NAMED(New1), f.Customer1, "New");
    item(NAMED(Edit2), f.Customer1, "Edit");
    submenu(NAMED(Product2), f.Edit1, "Product");
    item(NAMED(New2), f.Product2, "New");
    item(NAMED(Edit3), f.Product2, "Edit");
    item(NAMED(Category1), f.Edit1, "Categories");
    item(NAMED(CreditCards1), f.Edit1, "Credit Cards");
    item(NAMED(DataPath1), f.Edit1, "Data Path");

    top(f.View1, "View1", "&View");
    item(NAMED(Product1), f.View1, "Product Info");
    f.Product1->setCheckable(true);
    item(NAMED(Customers1), f.View1, "Customer DB");
    item(NAMED(Products1), f.View1, "Product DB");
    item(NAMED(Sales1), f.View1, "Sale DB");
    submenu(NAMED(Archive1), f.View1, "Archive");
    item(NAMED(PriorYear1), f.Archive1, "Prior Year");
    item(NAMED(CurrentYear1), f.Archive1, "Current Year");
    item(NAMED(CloseYear1), f.Archive1, "Close Year");

    top(f.Help1, "Help1", "&Help");
    item(NAMED(Help2), f.Help1, "Help");
    item(NAMED(About1), f.Help1, "About Marlow POS");
}

void MainWindow::buildCustomerPanel(QWidget* c) {
    QGroupBox* g = group(NAMED(pnlCustomer), "Customer", c, 10, 3, 275, 287);
    const int x = 8, w = 259;
    int y = 16;
    caption(g, "Name", x, y);
    edit(NAMED(edtCustomer), g, x, y + 13, w);
    f.edtCustomer->setToolTip("[Last Name, First Middle]");
    y += 35;
    caption(g, "Address 1", x, y);
    edit(NAMED(edtAddress1), g, x, y + 13, w);
    y += 35;
    caption(g, "Address 2 / Email Address", x, y);
    edit(NAMED(edtAddress2), g, x, y + 13, w);
    y += 35;
    caption(g, "City", x, y);
    edit(NAMED(edtCity), g, x, y + 13, 140);
    caption(g, "State", x + 146, y);
    edit(NAMED(edtState), g, x + 146, y + 13, 36);
    caption(g, "Zip", x + 188, y);
    edit(NAMED(edtZip), g, x + 188, y + 13, 71);
    y += 35;
    caption(g, "Phone 1", x, y);
    edit(NAMED(edtPhone1), g, x, y + 13, 126);
    caption(g, "Phone 2", x + 133, y);
    edit(NAMED(edtPhone2), g, x + 133, y + 13, 126);
    y += 35;
    caption(g, "Drivers License", x, y);
    edit(NAMED(edtDriversLic), g, x, y + 13, 182);
    caption(g, "State", x + 188, y);
    combo(NAMED(cbxLicState), g, x + 188, y + 13, 71);
    y += 35;
    caption(g, "Credit Card", x, y);
    edit(NAMED(edtCreditCard), g, x, y + 13, 126);
    caption(g, "Expire", x + 133, y);
    edit(NAMED(edtExpire), g, x + 133, y + 13, 48);
    caption(g, "Type", x + 188, y);
    combo(NAMED(cbxType), g, x + 188, y + 13, 71);
    y += 40;
    button(NAMED(btnSaveCust), "Save", g, x, y, 75);
    button(NAMED(btnClrCust), "Cancel", g, x + 81, y, 75);
    bevel(NAMED(Bevel13), g, w + x - 30, y - 5, 30, 30);
    picture(NAMED(imgCustSearch), ":/pictures/customer_search.svg", f.Bevel13, 2, 2, 26, 26);
    f.imgCustSearch->setToolTip("Find a customer");

    for (QWidget* w2 :
         {static_cast<QWidget*>(f.edtCustomer), static_cast<QWidget*>(f.edtAddress1),
          static_cast<QWidget*>(f.edtAddress2), static_cast<QWidget*>(f.edtCity),
          static_cast<QWidget*>(f.edtState), static_cast<QWidget*>(f.edtZip),
          static_cast<QWidget*>(f.edtPhone1), static_cast<QWidget*>(f.edtPhone2),
          static_cast<QWidget*>(f.edtDriversLic), static_cast<QWidget*>(f.cbxLicState),
          static_cast<QWidget*>(f.edtCreditCard), static_cast<QWidget*>(f.edtExpire),
          static_cast<QWidget*>(f.cbxType), static_cast<QWidget*>(f.btnSaveCust),
          static_cast<QWidget*>(f.btnClrCust), static_cast<QWidget*>(f.imgCustSearch)})
        w2->setEnabled(false);
}

void MainWindow::buildProductPanel(QWidget* c) {
    QGroupBox* g = group(NAMED(pnlProduct), "Product", c, 5, 299, 285, 185);
    const int x = 8;
    int y = 15;
    caption(g, "Category", x, y);
    combo(NAMED(cbxCategory), g, x, y + 13, 140);
    caption(g, "Barcode", x + 146, y);
    edit(NAMED(edtBarCode), g, x + 146, y + 13, 123);
    y += 35;
    caption(g, "Product Name", x, y);
    edit(NAMED(edtProduct), g, x, y + 13, 269);
    y += 35;
    const char* names[] = {"Quantity", "Min.", "Cost", "Price", "Gross"};
    QLineEdit** fieldSlots[] = {&f.edtQuantity, &f.edtMinimum, &f.edtCost, &f.edtPrice,
                                &f.edtGross};
    const char* objectNames[] = {"edtQuantity", "edtMinimum", "edtCost", "edtPrice", "edtGross"};
    const char* initial[] = {"0", "0", "0.00", "0.00", "0.00"};
    for (int i = 0; i < 5; ++i) {
        caption(g, names[i], x + i * 54, y);
        edit(*fieldSlots[i], objectNames[i], g, x + i * 54, y + 13, 50)->setText(initial[i]);
    }
    f.edtGross->setReadOnly(true);
    y += 35;
    caption(g, "Vender", x, y);
    edit(NAMED(edtVendor), g, x, y + 13, 104);
    check(NAMED(ckbxTaxPaid), "Sales Tax", g, x + 112, y + 14, 80);
    f.ckbxTaxPaid->setChecked(true);
    bevel(NAMED(Bevel12), g, x + 199, y + 2, 30, 30);
    picture(NAMED(imgMiniBarcode), ":/pictures/barcode.svg", f.Bevel12, 2, 2, 26, 26);
    f.imgMiniBarcode->setToolTip("Barcode Search");
    y += 38;
    button(NAMED(btnSaveProduct), "Save", g, x, y, 75);
    button(NAMED(btnclrProd), "Cancel", g, x + 81, y, 75);
    bevel(NAMED(Bevel14), g, x + 239, y - 6, 30, 30);
    picture(NAMED(imgProdSearch), ":/pictures/product_search.svg", f.Bevel14, 2, 2, 26, 26);
    f.imgProdSearch->setToolTip("Find a product");

    for (QWidget* w : g->findChildren<QWidget*>())
        // A combo box's own text field follows the box: disabling it alone would keep it so.
        if (qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                 qobject_cast<QCheckBox*>(w) || qobject_cast<QPushButton*>(w) ||
                 qobject_cast<PictureButton*>(w))
            w->setEnabled(false);
}

void MainWindow::buildRegister(QWidget* c) {
    QFont heading = font();
    heading.setBold(true);
    heading.setPixelSize(13);
    caption(c, "Cash Register", 430, 3, 120, 16)->setFont(heading);

    caption(c, "Qty  [F11]", 310, 20);
    edit(NAMED(edtSaleQuantity), c, 310, 34, 50, 21)->setText("1");
    caption(c, "Product", 366, 20);
    edit(NAMED(edtProductName), c, 366, 34, 186, 21)->setReadOnly(true);
    caption(c, "Barcode  [F12]", 558, 20);
    edit(NAMED(edtBarcodeHidden), c, 558, 34, 95, 21);
    f.edtSaleQuantity->setEnabled(false);
    f.edtBarcodeHidden->setEnabled(false);
    bevel(NAMED(Bevel15), c, 659, 21, 34, 34);
    picture(NAMED(imgProduct), ":/pictures/product_list.svg", f.Bevel15, 2, 2, 30, 30);
    f.imgProduct->setToolTip("Pick a product");
    f.imgProduct->setEnabled(false);
    edit(NAMED(edtCategoryNameHidden), c, 0, 0, 10)->hide();

    label(NAMED(lblUnitPrice), "Unit Price", c, 698, 18, 86);
    f.lblUnitPrice->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label(NAMED(lblTotal), "0.00", c, 698, 31, 86, 24);
    QFont amount = font();
    amount.setBold(true);
    amount.setPixelSize(20);
    f.lblTotal->setFont(amount);
    f.lblTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextColor(f.lblTotal, QColor(0, 0, 128));

    memo(NAMED(memQuantity), c, 310, 56, 53, 353);
    memo(NAMED(memProductList), c, 366, 56, 319, 353);
    memo(NAMED(memProductPrice), c, 688, 56, 90, 353);
    for (MemoList* m : {f.memQuantity, f.memProductList, f.memProductPrice}) {
        m->setReadOnly(true);
        m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    // The three lists show one sale line per row: they scroll together.
    for (MemoList* a : {f.memQuantity, f.memProductList, f.memProductPrice})
        for (MemoList* b : {f.memQuantity, f.memProductList, f.memProductPrice})
            if (a != b)
                connect(a->verticalScrollBar(), &QScrollBar::valueChanged, b->verticalScrollBar(),
                        &QScrollBar::setValue);
    f.memQuantity->document()->setDefaultTextOption(QTextOption(Qt::AlignRight));
    f.memProductPrice->document()->setDefaultTextOption(QTextOption(Qt::AlignRight));
    memo(NAMED(memProductCost), c, 0, 0, 10, 10)->hide();
    memo(NAMED(memCategoryHidden), c, 0, 0, 10, 10)->hide();
    memo(NAMED(memDailySales), c, 0, 0, 10, 10)->hide();
    memo(NAMED(memDailyCount), c, 0, 0, 10, 10)->hide();

    caption(c, "Inv Link", 310, 416);
    edit(NAMED(edtInvLink), c, 310, 430, 52)->setText("0");
    caption(c, "Sales Tax", 366, 416);
    edit(NAMED(edtSalesTax), c, 366, 430, 52);
    caption(c, "Discount", 422, 416);
    edit(NAMED(edtDiscount), c, 422, 430, 52)->setText("0");
    caption(c, "Tendered", 478, 416);
    edit(NAMED(edtAmount), c, 478, 430, 62)->setText("0.00");
    for (QLineEdit* e : {f.edtInvLink, f.edtSalesTax, f.edtDiscount, f.edtAmount})
        e->setEnabled(false);
    radio(NAMED(rbnCashSale), "Cash", c, 310, 457, 52);
    radio(NAMED(rbnCreditSale), "Credit", c, 364, 457, 56);
    radio(NAMED(rbnQuote), "Quote", c, 422, 457, 56);
    radio(NAMED(rbnRefund), "Refund", c, 478, 457, 62);
    f.rbnCashSale->setChecked(true);
    for (QRadioButton* r : {f.rbnCashSale, f.rbnCreditSale, f.rbnQuote, f.rbnRefund})
        r->setEnabled(false);

    pictureButton(NAMED(pnlAddItem), NAMED(imgAddItem), ":/pictures/add_item.svg", c, 546, 420);
    pictureButton(NAMED(pnlTotal), NAMED(imgTotal), ":/pictures/total.svg", c, 605, 420);
    pictureButton(NAMED(pnlRingUp), NAMED(imgRingUp), ":/pictures/ring_up.svg", c, 664, 420);
    pictureButton(NAMED(pnlCancel), NAMED(imgCancel), ":/pictures/cancel.svg", c, 723, 420);
    f.imgAddItem->setToolTip("Add Item");
    f.imgTotal->setToolTip("Total");
    f.imgRingUp->setToolTip("Ring Up");
    f.imgCancel->setToolTip("Cancel");
    for (PictureButton* p : {f.imgAddItem, f.imgTotal, f.imgRingUp, f.imgCancel})
        p->setEnabled(false);

    button(NAMED(btnNewCustomer), "New Customer [F2]", c, 10, 487, 112, 21);
    button(NAMED(btnEditCustomer), "Edit Customer [F3]", c, 125, 487, 112, 21);
    button(NAMED(btnNewProduct), "New Product [F4]", c, 240, 487, 112, 21);
    button(NAMED(btnEditProduct), "Edit Product [F5]", c, 355, 487, 112, 21);
    for (QPushButton* b : {f.btnNewCustomer, f.btnEditCustomer, f.btnNewProduct, f.btnEditProduct})
        b->setEnabled(false);
    bevel(NAMED(Bevel16), c, 478, 486, 24, 24);
    picture(NAMED(imgNote), ":/pictures/note.svg", f.Bevel16, 2, 2, 20, 20);
    f.imgNote->setToolTip("Add a note to the invoice");
    picture(NAMED(imgMarlowPOS), ":/pictures/marlow_strip.svg", c, 546, 484, 234, 26);
}

void MainWindow::buildGrids(QWidget* c) {
    f.StringGrid1 =
        new GridView(14, {140, 140, 140, 100, 25, 40, 80, 80, 100, 25, 100, 40, 60, 100}, c);
    f.StringGrid1->setObjectName("StringGrid1");
    f.StringGrid1->setGeometry(301, 2, 487, 483);
    setBackground(f.StringGrid1, kCustomerGrid);
    f.StringGrid2 = new GridView(11, {150, 300, 75, 75, 75, 75, 75, 200, 25, 150, 150}, c);
    f.StringGrid2->setObjectName("StringGrid2");
    f.StringGrid2->setGeometry(301, 2, 487, 483);
    setBackground(f.StringGrid2, kProductGrid);
    f.StringGrid1->hide();
    f.StringGrid2->hide();
    label(NAMED(lblSearchString), "", c, 600, 466, 170, 16);
    setBackground(f.lblSearchString, kCustomerGrid);
    f.lblSearchString->hide();

    group(NAMED(RadioGroup1), "Search By", c, 620, 250, 150, 150);
    const char* items[] = {"Customer Name", "Address 1", "Address 2",  "Phone 1",
                           "Phone 2",       "License",   "Credit Card"};
    for (int i = 0; i < 7; ++i) {
        auto* r = new QRadioButton(items[i], f.RadioGroup1);
        r->setObjectName(QString("RadioGroup1Item%1").arg(i));
        r->setGeometry(8, 18 + i * 18, 136, 17);
        r->setChecked(i == 0);
    }
    setBackground(f.RadioGroup1, palette().color(QPalette::Window));
    f.RadioGroup1->hide();
}

void MainWindow::buildStartPanels(QWidget* c) {
    QFrame* p = panel(NAMED(pnlDataPath), c, 199, 170, 400, 130);
    label(NAMED(lblDataBaseInstructions), "Enter the path to your database files", p, 12, 12, 376,
          16);
    QFont bold = font();
    bold.setBold(true);
    f.lblDataBaseInstructions->setFont(bold);
    edit(NAMED(edtDataBase), p, 12, 40, 376, 22);
    button(NAMED(btnDataBase), "Browse", p, 12, 82, 80, 26);
    button(NAMED(btnDataBaseOK), "OK", p, 120, 82, 80, 26);
    button(NAMED(btnDataBaseCancel), "Close", p, 208, 82, 80, 26);
    button(NAMED(btnDataPathHelp), "Help", p, 308, 82, 80, 26);
    p->hide();

    QFrame* s = panel(NAMED(pnlSecurity), c, 274, 150, 250, 170);
    QLabel* h = caption(s, "SECURITY", 0, 10, 250, 20);
    h->setAlignment(Qt::AlignCenter);
    QFont big = font();
    big.setBold(true);
    big.setPixelSize(15);
    h->setFont(big);
    caption(s, "Username", 20, 42);
    edit(NAMED(edtPUsername), s, 20, 56, 210, 22);
    // No stored user name is longer than its field; what is typed beyond it cannot match.
    limitCharacters(f.edtPUsername, 30);
    caption(s, "Password", 20, 84);
    edit(NAMED(edtPPassword), s, 20, 98, 210, 22);
    f.edtPPassword->setEchoMode(QLineEdit::Password);
    button(NAMED(btnPOK), "OK", s, 85, 132, 80, 26);
    f.btnPOK->setDefault(true);
    s->hide();
}

void MainWindow::buildPreferences(QWidget* c) {
    f.PageControl1 = new QTabWidget(c);
    f.PageControl1->setObjectName("PageControl1");
    f.PageControl1->setGeometry(150, 30, 500, 440);
    f.PageControl1->setAutoFillBackground(true);
    auto page = [&](QWidget*& slot, const char* name, const QString& title) {
        slot = new QWidget;
        slot->setObjectName(name);
        f.PageControl1->addTab(slot, title);
        return slot;
    };

    QWidget* co = page(NAMED(tabCompany), "Company Information");
    struct Field {
        QLineEdit** slot;
        const char* name;
        const char* label;
        int x, y, w;
    };
    const Field fields[] = {{&f.edtCompanyName, "edtCompanyName", "Company Name", 20, 20, 450},
                            {&f.edtCAddress1, "edtCAddress1", "Address 1", 20, 60, 450},
                            {&f.edtCAddress2, "edtCAddress2", "Address 2", 20, 100, 450},
                            {&f.edtCCity, "edtCCity", "City", 20, 140, 240},
                            {&f.edtCState, "edtCState", "State", 270, 140, 60},
                            {&f.edtCZip, "edtCZip", "Zip", 340, 140, 130},
                            {&f.edtCPhone, "edtCPhone", "Phone", 20, 180, 220},
                            {&f.edtCFax, "edtCFax", "Fax", 250, 180, 220},
                            {&f.edtCSlogan, "edtCSlogan", "Company Slogan", 20, 220, 450},
                            {&f.edtCLogoFile, "edtCLogoFile", "Path To Logo Bitmap", 20, 260, 450}};
    for (const Field& fd : fields) {
        caption(co, fd.label, fd.x, fd.y);
        edit(*fd.slot, fd.name, co, fd.x, fd.y + 14, fd.w, 21);
    }
    button(NAMED(btnCSave), "Save", co, 20, 370, 90, 26);
    button(NAMED(btnCCancel), "Cancel", co, 120, 370, 90, 26);
    button(NAMED(btnPHelp), "Help", co, 380, 370, 90, 26);

    QWidget* se = page(NAMED(tabSettings), "Settings");
    memo(NAMED(memTSettings), se, 10, 10, 470, 70);
    f.memTSettings->setLines({"Settings:", "This page MUST be filled in correctly for program to ",
                              "function properly. Incorrect information in these fields ",
                              "can cause errors on other portions of the program."});
    f.memTSettings->setReadOnly(true);
    caption(se, "Sales Tax", 10, 90);
    edit(NAMED(edtTSalesTax), se, 10, 104, 80, 21)->setText("0");
    QGroupBox* drawer = frameBox("Cash Drawer", se, 10, 135, 150, 100);
    check(NAMED(ckbxTCashDrawer), "Present", drawer, 10, 20, 120);
    combo(NAMED(cbxSComPort), drawer, 10, 42, 80, {"COM1", "COM2", "COM3", "COM4", "COM5"});
    button(NAMED(btnSOpen), "Open", drawer, 10, 68, 80, 24);
    QGroupBox* search = frameBox("Search Options", se, 170, 135, 150, 100);
    radio(NAMED(rbCategory), "Category", search, 10, 20, 120);
    radio(NAMED(rbProductName), "Name", search, 10, 42, 120);
    f.rbCategory->setChecked(true);
    check(NAMED(ckbxCustomerSearch), "Customer Extended", search, 10, 68, 135);
    QGroupBox* inv = frameBox("Invoicing", se, 330, 135, 150, 100);
    check(NAMED(ckbxInvoicePrinting), "Print Invoices", inv, 10, 20, 130)->setChecked(true);
    check(NAMED(ckbxPreviewInvoice), "Preview Invoices", inv, 10, 42, 130)->setChecked(true);
    check(NAMED(ckbxReceiptPrinter), "Receipt Printer", inv, 10, 64, 130);
    QGroupBox* general = frameBox("General", se, 10, 245, 150, 60);
    check(NAMED(ckbxCashCustomer), "Cash Customers", general, 10, 24, 130);
    QGroupBox* pole = frameBox("Pole Display", se, 170, 245, 310, 110);
    check(NAMED(ckbxPole), "Present", pole, 10, 20, 90);
    caption(pole, "Com Port", 110, 18);
    combo(NAMED(cbxPoleComPort), pole, 110, 32, 80,
          {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"});
    caption(pole, "Baud Rate", 200, 18);
    combo(NAMED(cbxPoleBaudRate), pole, 200, 32, 90,
          {"1200", "2400", "4800", "9600", "19200", "38400", "57600"});
    caption(pole, "Scrolling Message", 10, 60);
    edit(NAMED(edtPoleMsg), pole, 10, 74, 280, 21);
    button(NAMED(btnTSave), "Save", se, 10, 370, 90, 26);
    button(NAMED(btnTCancel), "Cancel", se, 110, 370, 90, 26);
    button(NAMED(btnSHelp), "Help", se, 390, 370, 90, 26);

    QWidget* sec = page(NAMED(tabSecurity), "Security");
    QLabel* h = caption(sec, "SECURITY", 0, 10, 490, 20);
    h->setAlignment(Qt::AlignCenter);
    QFont bold = font();
    bold.setBold(true);
    h->setFont(bold);
    memo(NAMED(memSMessage), sec, 20, 36, 450, 84);
    f.memSMessage->setLines({"Enter a username and password for each person who ",
                             "will be using the system. The username will be affixed",
                             "to records added or modified by the user. The records",
                             "include the adding and modifying of products and the",
                             "making of sales."});
    f.memSMessage->setReadOnly(true);
    radio(NAMED(rbSAdministrator), "Administrator", sec, 20, 130, 120);
    caption(sec, "Administrators have full program control", 150, 132);
    radio(NAMED(rbSUser), "User", sec, 20, 152, 120);
    caption(sec, "Users are limited to sales and inventory", 150, 154);
    f.rbSUser->setChecked(true);
    caption(sec, "User Name", 20, 185);
    combo(NAMED(cbxSUsername), sec, 20, 199, 220, {}, 21);
    caption(sec, "Password", 20, 228);
    edit(NAMED(edtSPassword), sec, 20, 242, 220, 21)->setEchoMode(QLineEdit::Password);
    caption(sec, "Confirm Password", 20, 271);
    edit(NAMED(edtConfirmPassword), sec, 20, 285, 220, 21)->setEchoMode(QLineEdit::Password);
    button(NAMED(btnSSave), "Update", sec, 20, 370, 90, 26);
    button(NAMED(btnSRemove), "Remove", sec, 120, 370, 90, 26);
    button(NAMED(btnSCancel), "Cancel", sec, 220, 370, 90, 26);

    f.PageControl1->hide();
}

void MainWindow::buildSmallPanels(QWidget* c) {
    QFrame* p = panel(NAMED(pnlChangePrice), c, 560, 60, 180, 80);
    caption(p, "Change Price?", 10, 8, 160, 16);
    edit(NAMED(edtChangePrice), p, 10, 32, 160, 22)->setText("0.00");
    p->hide();

    p = panel(NAMED(pnlNote), c, 320, 300, 460, 100);
    caption(p, "This message will appear across the bottom of the invoice", 10, 10, 440, 16);
    edit(NAMED(edtNote), p, 10, 34, 440, 22);
    button(NAMED(btnNote), "Close", p, 185, 66, 90, 26)->setDefault(true);
    p->hide();

    p = panel(NAMED(pnlQuickQuantity), c, 440, 150, 180, 100);
    caption(p, "New Quantity", 10, 10, 160, 16);
    edit(NAMED(edtQuickQuantity), p, 10, 34, 160, 22);
    button(NAMED(btnQuickQuantity), "Close", p, 45, 66, 90, 26)->setDefault(true);
    p->hide();

    p = panel(NAMED(pnlAuthorization), c, 310, 300, 230, 112);
    caption(p, "Authorization Number", 10, 6);
    edit(NAMED(edtAuthorization), p, 10, 20, 210, 20);
    caption(p, "Card Number", 10, 44);
    edit(NAMED(edtCreditCard2), p, 10, 58, 130, 20);
    caption(p, "Expire", 146, 44);
    edit(NAMED(edtExpire2), p, 146, 58, 74, 20);
    caption(p, "Type", 10, 82);
    combo(NAMED(cbxType2), p, 46, 82, 174);
    p->hide();

    p = panel(NAMED(pnlPayment), c, 301, 60, 420, 300);
    f.StringGrid3 = new GridView(4, {205, 65, 65, 65}, p);
    f.StringGrid3->setObjectName("StringGrid3");
    f.StringGrid3->setGeometry(4, 4, 412, 292);
    p->hide();

    p = panel(NAMED(pnlBarCode), c, 300, 150, 260, 150);
    caption(p, "Scan item 2 times to verify barcode", 10, 10, 240, 16);
    caption(p, "Barcode", 10, 36);
    edit(NAMED(edtBarcodeEnter), p, 10, 50, 240, 21);
    caption(p, "Verify", 10, 76);
    edit(NAMED(edtBarcodeVerify), p, 10, 90, 240, 21);
    button(NAMED(btnCancelBarcode), "Cancel", p, 85, 118, 90, 24);
    p->hide();
}

void MainWindow::buildListEditorAndPrint(QWidget* c) {
    QFrame* p = panel(NAMED(pnlCategory), c, 310, 138, 185, 225);
    label(NAMED(lblCategoryNames), "Categories", p, 4, 4, 177, 18);
    f.lblCategoryNames->setAlignment(Qt::AlignCenter);
    memo(NAMED(memCategories), p, 4, 24, 177, 166);
    memo(NAMED(memCardType), p, 4, 24, 177, 166);
    f.memCardType->hide();
    button(NAMED(btnCloseCategory), "Close", p, 52, 194, 80, 25);

    QFrame* pr = panel(NAMED(pnlPrint), p, 1, 1, 183, 224);
    pr->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setBackground(pr, QColor(128, 128, 128));
    label(NAMED(lblPrintPanel), "Print Selection", pr, 2, 2, 179, 26);
    QFont title("Liberation Sans");
    title.setPointSize(16);
    f.lblPrintPanel->setFont(title);
    f.lblPrintPanel->setAlignment(Qt::AlignCenter);
    setBackground(f.lblPrintPanel, palette().color(QPalette::Highlight));
    setTextColor(f.lblPrintPanel, Qt::white);
    picture(NAMED(imgInvoice), ":/pictures/invoice.svg", pr, 50, 34, 80, 94);
    f.imgInvoice->hide();
    struct R {
        QRadioButton** slot;
        const char* name;
        const char* text;
        int y;
    };
    const R radios[] = {{&f.rbnPrintCustomers, "rbnPrintCustomers", "Customer List", 42},
                        {&f.rbnPrintSales, "rbnPrintSales", "Sales List", 59},
                        {&f.rbnPrintInventory, "rbnPrintInventory", "Inventory List", 75},
                        {&f.rbnPrintOrderList, "rbnPrintOrderList", "Order List", 91},
                        {&f.rbnReceivables, "rbnReceivables", "Receivables List", 107},
                        {&f.rbnDaily, "rbnDaily", "Daily Report", 43},
                        {&f.rbnYearEnd, "rbnYearEnd", "Year End Report", 60},
                        {&f.rbnPrintTax, "rbnPrintTax", "Tax Report", 76}};
    for (const R& r : radios) {
        radio(*r.slot, r.name, r.text, pr, 51, r.y, 125, 16)->hide();
        setTextColor(*r.slot, Qt::white);
    }
    label(NAMED(lblPrintWhatlabel), "Enter Below", pr, 4, 128, 175, 14);
    f.lblPrintWhatlabel->setAlignment(Qt::AlignCenter);
    QFont under = font();
    under.setUnderline(true);
    f.lblPrintWhatlabel->setFont(under);
    setTextColor(f.lblPrintWhatlabel, Qt::white);
    label(NAMED(lblPrintWhat), "", pr, 9, 145, 164, 14);
    f.lblPrintWhat->setAlignment(Qt::AlignCenter);
    setBackground(f.lblPrintWhat, QColor(255, 255, 225));
    label(NAMED(lblPrintFrom), "From", pr, 10, 161, 78, 13);
    label(NAMED(lblPrintTo), "To", pr, 94, 161, 79, 13);
    setTextColor(f.lblPrintFrom, Qt::white);
    setTextColor(f.lblPrintTo, Qt::white);
    edit(NAMED(edtPrintInvFrom), pr, 10, 175, 78, 21);
    edit(NAMED(edtPrintInvTo), pr, 94, 175, 79, 21);
    button(NAMED(btnPrintOk), "Print", pr, 10, 200, 78, 22)->setDefault(true);
    button(NAMED(btnPrintCancel), "Cancel", pr, 94, 200, 79, 22);
    pr->hide();
    p->hide();
}

void MainWindow::buildBrowserAndAbout(QWidget* c) {
    QFrame* p = panel(NAMED(pnlDataBase), c, 4, 4, 789, 503);
    f.DBGrid1 = new QTableView(p);
    f.DBGrid1->setObjectName("DBGrid1");
    f.DBGrid1->setGeometry(8, 8, 773, 440);
    f.DBGrid1->verticalHeader()->setDefaultSectionSize(18);
    f.DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    caption(p, "Table", 8, 456);
    combo(NAMED(cbxDatabase), p, 8, 470, 120, {"Customers", "Products", "Sales"});
    f.cbxDatabase->setCurrentText("Customers");
    label(NAMED(lblDataBasePath), "", p, 140, 474, 250, 14);
    button(NAMED(btnDBEdit), "Edit Record", p, 420, 468, 110, 26);
    button(NAMED(btnDelete), "Delete Record", p, 540, 468, 110, 26);
    button(NAMED(btnDatabaseClose), "Close", p, 670, 468, 110, 26);
    picture(NAMED(imgOutline1), ":/pictures/outline.svg", p, 2, 2, 785, 450);
    f.imgOutline1->setAttribute(Qt::WA_TransparentForMouseEvents);
    f.imgOutline1->hide();
    p->hide();

    QFrame* a = panel(NAMED(pnlAbout), c, 268, 160, 313, 209);
    setBackground(a, QColor(128, 128, 128));
    QLabel* t = caption(a, " About Marlow POS", 2, 2, 309, 20);
    setBackground(t, palette().color(QPalette::Highlight));
    setTextColor(t, Qt::white);
    for (const auto& [text, y] :
         {std::pair{"Program Name:  Marlow POS", 34}, {"Version:  4.0", 54}}) {
        QLabel* l = caption(a, text, 90, y, 210, 16);
        setTextColor(l, Qt::white);
    }
    PictureButton* logo = nullptr;
    picture(logo, "imgAboutLogo", ":/pictures/ring_up.svg", a, 14, 32, 60, 60);
    QLabel* d = caption(a,
                        "An inexpensive alternative to a cash register for the small shop:\n"
                        "sales, customers and stock, invoices and receipts, lists and\n"
                        "reports, help pages and backups, all in one program.",
                        14, 100, 290, 60);
    d->setWordWrap(true);
    setTextColor(d, Qt::white);
    button(NAMED(btnAboutClose), "Close", a, 116, 172, 80, 26)->setDefault(true);
    a->hide();
}

bool MainWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && onActivate) onActivate();
    return QMainWindow::event(e);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    // The window sees every key before the focused control: once per key, at the control
    // that has the focus (or the window itself when no control has it).
    if (e->type() == QEvent::KeyPress && onKey && isActiveWindow()) {
        QWidget* focus = QApplication::focusWidget();
        QObject* target = focus ? static_cast<QObject*>(focus) : static_cast<QObject*>(this);
        if (watched == target && (!focus || focus->window() == this))
            onKey(static_cast<QKeyEvent*>(e)->key());
    }
    return QMainWindow::eventFilter(watched, e);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    QMainWindow::closeEvent(e);
    if (onClose) onClose();
}

QWidget* buildChangeDueWindow(MainForm& f) {
    auto* w = new QWidget(nullptr,
                          Qt::Window | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    w->setObjectName("TForm2");
    // The change shows without taking the keyboard from the register.
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setWindowTitle("Change Due");
    w->setFixedSize(260, 90);
    label(NAMED(f2lblChangeDue), "0.00", w, 10, 10, 240, 70);
    QFont big("Liberation Sans");
    big.setPixelSize(40);
    big.setBold(true);
    f.f2lblChangeDue->setFont(big);
    f.f2lblChangeDue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextColor(f.f2lblChangeDue, Qt::red);
    f.TForm2 = w;
    return w;
}

namespace {
// A small fixed window that stays on top, with system menu and minimise only.
QWidget* toolWindow(const char* name, const QString& caption, int width, int height) {
    auto* w =
        new QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowSystemMenuHint |
                                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    w->setObjectName(name);
    w->setWindowTitle(caption);
    w->setFixedSize(width, height);
    return w;
}
} // namespace

QWidget* buildHelpWindow(MainForm& f) {
    QWidget* w = toolWindow("TForm3", "Help", 469, 348);
    label(NAMED(lblSubject), "Topic", w, 8, 6, 140, 16);
    QFont bold = w->font();
    bold.setBold(true);
    f.lblSubject->setFont(bold);
    label(NAMED(lblHelpPrint), "Print", w, 420, 6, 40, 16);
    QFont link = w->font();
    link.setUnderline(true);
    f.lblHelpPrint->setFont(link);
    setTextColor(f.lblHelpPrint, Qt::blue);
    f.lblHelpPrint->setCursor(Qt::PointingHandCursor);
    memo(NAMED(memHelpIndex), w, 8, 26, 160, 314);
    f.memHelpIndex->setReadOnly(true);
    f.memHelpIndex->setFont(bold);
    f.memHelpIndex->viewport()->setCursor(Qt::PointingHandCursor);
    memo(NAMED(memHelpText), w, 174, 26, 287, 314);
    f.memHelpText->setReadOnly(true);
    f.memHelpText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setBackground(f.memHelpText, QColor(255, 255, 225));
    QFrame* p = panel(NAMED(pnlHelpImage), w, 230, 120, 180, 148);
    auto* img = new QLabel(p);
    img->setObjectName("imgHelpImage");
    img->setGeometry(2, 2, 176, 144);
    img->setAlignment(Qt::AlignCenter);
    // Topic 25 is about the register's big buttons: Ring Up stands for them.
    img->setPixmap(QIcon(":/pictures/ring_up.svg").pixmap(120, 120));
    f.imgHelpImage = img;
    p->hide();
    f.TForm3 = w;
    return w;
}

QWidget* buildSetupHelperWindow(MainForm& f) {
    QWidget* w = toolWindow("TForm4", "Setup Helper", 216, 301);
    setBackground(w, QColor(0, 0, 128));
    label(NAMED(Label1), "STARTUP LIST OF THINGS TO DO", w, 0, 4, 216, 22);
    QFont bold = w->font();
    bold.setBold(true);
    f.Label1->setFont(bold);
    f.Label1->setAlignment(Qt::AlignCenter);
    setBackground(f.Label1, QColor(0, 0, 128));
    setTextColor(f.Label1, Qt::white);
    memo(NAMED(Memo1), w, 6, 30, 204, 265);
    f.Memo1->setLines({"",
                       "1.Completely fill in COMPANY ",
                       "   INFORMATION",
                       "",
                       "2.Enter users on the SECURITY",
                       "   panel   [optional]",
                       "",
                       "3.Enter program SETTINGS",
                       "",
                       "4.Enter product CATEGORIES ",
                       "   [see HELP]",
                       "",
                       "5.Enter accepted CREDIT",
                       "   CARD TYPES [optional]",
                       "",
                       "6.Enter new PRODUCTS under ",
                       "   appropriate CATEGORIES",
                       "",
                       "7.Read HELP files with emphasis",
                       "   on MAKING A SALE tutorial"});
    QFont list = bold;
    list.setPixelSize(10); // the twenty lines fit without a scroll bar
    f.Memo1->setFont(list);
    f.Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    f.Memo1->setReadOnly(true);
    setBackground(f.Memo1, QColor(255, 255, 225));
    setTextColor(f.Memo1, Qt::black);
    f.Memo1->setEnabled(false);
    f.Memo1->viewport()->setCursor(Qt::ForbiddenCursor);
    f.TForm4 = w;
    return w;
}

} // namespace ui
