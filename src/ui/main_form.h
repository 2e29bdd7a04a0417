#pragma once

// Every named control of the four windows, as the handlers of all subsystems know them.
// MainWindow and the small windows create the widgets and fill this struct.

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QTimer;
class QWidget;

namespace ui {

class GridView;
class MemoList;
class PictureButton;

struct MainForm {
    // Windows
    QWidget* TForm1 = nullptr;
    QWidget* TForm2 = nullptr;
    QWidget* TForm3 = nullptr;
    QWidget* TForm4 = nullptr;
    QTimer* Timer1 = nullptr;

    // Menus
    QMenu *File1 = nullptr, *Edit1 = nullptr, *View1 = nullptr, *Help1 = nullptr;
    QMenu *Print1 = nullptr, *Export1 = nullptr, *Customer1 = nullptr, *Product2 = nullptr,
          *Archive1 = nullptr;
    QAction *Backup1 = nullptr, *Restore1 = nullptr, *Lists1 = nullptr, *Reports1 = nullptr,
            *Invoices1 = nullptr, *Barcodes1 = nullptr, *Lists2 = nullptr, *Payment1 = nullptr,
            *Preferences1 = nullptr, *Exit1 = nullptr;
    QAction *New1 = nullptr, *Edit2 = nullptr, *New2 = nullptr, *Edit3 = nullptr,
            *Category1 = nullptr, *CreditCards1 = nullptr, *DataPath1 = nullptr;
    QAction *Product1 = nullptr, *Customers1 = nullptr, *Products1 = nullptr, *Sales1 = nullptr,
            *PriorYear1 = nullptr, *CurrentYear1 = nullptr, *CloseYear1 = nullptr;
    QAction *Help2 = nullptr, *About1 = nullptr;

    // Customer panel
    QGroupBox* pnlCustomer = nullptr;
    QLineEdit *edtCustomer = nullptr, *edtAddress1 = nullptr, *edtAddress2 = nullptr,
              *edtCity = nullptr, *edtState = nullptr, *edtZip = nullptr, *edtPhone1 = nullptr,
              *edtPhone2 = nullptr, *edtDriversLic = nullptr, *edtCreditCard = nullptr,
              *edtExpire = nullptr;
    QComboBox *cbxLicState = nullptr, *cbxType = nullptr;
    QPushButton *btnSaveCust = nullptr, *btnClrCust = nullptr;
    PictureButton* imgCustSearch = nullptr;
    QFrame* Bevel13 = nullptr;

    // Product panel
    QGroupBox* pnlProduct = nullptr;
    QComboBox* cbxCategory = nullptr;
    QLineEdit *edtBarCode = nullptr, *edtProduct = nullptr, *edtQuantity = nullptr,
              *edtMinimum = nullptr, *edtCost = nullptr, *edtPrice = nullptr, *edtGross = nullptr,
              *edtVendor = nullptr;
    QCheckBox* ckbxTaxPaid = nullptr;
    QPushButton *btnSaveProduct = nullptr, *btnclrProd = nullptr;
    PictureButton *imgProdSearch = nullptr, *imgMiniBarcode = nullptr;
    QFrame *Bevel14 = nullptr, *Bevel12 = nullptr;

    // Register: entry row, amount, lines
    QLineEdit *edtSaleQuantity = nullptr, *edtProductName = nullptr, *edtBarcodeHidden = nullptr,
              *edtCategoryNameHidden = nullptr;
    PictureButton* imgProduct = nullptr;
    QFrame* Bevel15 = nullptr;
    QLabel *lblUnitPrice = nullptr, *lblTotal = nullptr;
    MemoList *memQuantity = nullptr, *memProductList = nullptr, *memProductPrice = nullptr,
             *memProductCost = nullptr, *memCategoryHidden = nullptr, *memDailySales = nullptr,
             *memDailyCount = nullptr;

    // Register: tendering row and picture buttons
    QLineEdit *edtInvLink = nullptr, *edtSalesTax = nullptr, *edtDiscount = nullptr,
              *edtAmount = nullptr;
    QRadioButton *rbnCashSale = nullptr, *rbnCreditSale = nullptr, *rbnQuote = nullptr,
                 *rbnRefund = nullptr;
    QFrame *pnlAddItem = nullptr, *pnlTotal = nullptr, *pnlRingUp = nullptr, *pnlCancel = nullptr;
    PictureButton *imgAddItem = nullptr, *imgTotal = nullptr, *imgRingUp = nullptr,
                  *imgCancel = nullptr;

    // Bottom row
    QPushButton *btnNewCustomer = nullptr, *btnEditCustomer = nullptr, *btnNewProduct = nullptr,
                *btnEditProduct = nullptr;
    PictureButton *imgNote = nullptr, *imgMarlowPOS = nullptr;
    QFrame* Bevel16 = nullptr;

    // Search grids
    GridView *StringGrid1 = nullptr, *StringGrid2 = nullptr, *StringGrid3 = nullptr;
    QLabel* lblSearchString = nullptr;
    QGroupBox* RadioGroup1 = nullptr;

    // Data path and login
    QFrame* pnlDataPath = nullptr;
    QLabel* lblDataBaseInstructions = nullptr;
    QLineEdit* edtDataBase = nullptr;
    QPushButton *btnDataBase = nullptr, *btnDataBaseOK = nullptr, *btnDataBaseCancel = nullptr,
                *btnDataPathHelp = nullptr;
    QFrame* pnlSecurity = nullptr;
    QLineEdit *edtPUsername = nullptr, *edtPPassword = nullptr;
    QPushButton* btnPOK = nullptr;

    // Preference pages
    QTabWidget* PageControl1 = nullptr;
    QWidget *tabCompany = nullptr, *tabSettings = nullptr, *tabSecurity = nullptr;
    QLineEdit *edtCompanyName = nullptr, *edtCAddress1 = nullptr, *edtCAddress2 = nullptr,
              *edtCCity = nullptr, *edtCState = nullptr, *edtCZip = nullptr, *edtCPhone = nullptr,
              *edtCFax = nullptr, *edtCSlogan = nullptr, *edtCLogoFile = nullptr;
    QPushButton *btnCSave = nullptr, *btnCCancel = nullptr, *btnPHelp = nullptr;
    MemoList* memTSettings = nullptr;
    QLineEdit* edtTSalesTax = nullptr;
    QCheckBox *ckbxTCashDrawer = nullptr, *ckbxCustomerSearch = nullptr,
              *ckbxInvoicePrinting = nullptr, *ckbxPreviewInvoice = nullptr,
              *ckbxReceiptPrinter = nullptr, *ckbxCashCustomer = nullptr, *ckbxPole = nullptr;
    QComboBox *cbxSComPort = nullptr, *cbxPoleComPort = nullptr, *cbxPoleBaudRate = nullptr;
    QPushButton* btnSOpen = nullptr;
    QRadioButton *rbCategory = nullptr, *rbProductName = nullptr;
    QLineEdit* edtPoleMsg = nullptr;
    QPushButton *btnTSave = nullptr, *btnTCancel = nullptr, *btnSHelp = nullptr;
    MemoList* memSMessage = nullptr;
    QRadioButton *rbSAdministrator = nullptr, *rbSUser = nullptr;
    QComboBox* cbxSUsername = nullptr;
    QLineEdit *edtSPassword = nullptr, *edtConfirmPassword = nullptr;
    QPushButton *btnSSave = nullptr, *btnSRemove = nullptr, *btnSCancel = nullptr;

    // Small register panels
    QFrame* pnlChangePrice = nullptr;
    QLineEdit* edtChangePrice = nullptr;
    QFrame* pnlNote = nullptr;
    QLineEdit* edtNote = nullptr;
    QPushButton* btnNote = nullptr;
    QFrame* pnlQuickQuantity = nullptr;
    QLineEdit* edtQuickQuantity = nullptr;
    QPushButton* btnQuickQuantity = nullptr;
    QFrame* pnlAuthorization = nullptr;
    QLineEdit *edtAuthorization = nullptr, *edtCreditCard2 = nullptr, *edtExpire2 = nullptr;
    QComboBox* cbxType2 = nullptr;
    QFrame* pnlPayment = nullptr;

    // List editor and print dialog
    QFrame* pnlCategory = nullptr;
    QLabel* lblCategoryNames = nullptr;
    MemoList *memCategories = nullptr, *memCardType = nullptr;
    QPushButton* btnCloseCategory = nullptr;
    QFrame* pnlPrint = nullptr;
    QLabel *lblPrintPanel = nullptr, *lblPrintWhatlabel = nullptr, *lblPrintWhat = nullptr,
           *lblPrintFrom = nullptr, *lblPrintTo = nullptr;
    PictureButton* imgInvoice = nullptr;
    QRadioButton *rbnPrintCustomers = nullptr, *rbnPrintSales = nullptr,
                 *rbnPrintInventory = nullptr, *rbnPrintOrderList = nullptr,
                 *rbnReceivables = nullptr, *rbnDaily = nullptr, *rbnYearEnd = nullptr,
                 *rbnPrintTax = nullptr;
    QLineEdit *edtPrintInvFrom = nullptr, *edtPrintInvTo = nullptr;
    QPushButton *btnPrintOk = nullptr, *btnPrintCancel = nullptr;

    // Barcode verification
    QFrame* pnlBarCode = nullptr;
    QLineEdit *edtBarcodeEnter = nullptr, *edtBarcodeVerify = nullptr;
    QPushButton* btnCancelBarcode = nullptr;

    // Table browser
    QFrame* pnlDataBase = nullptr;
    QTableView* DBGrid1 = nullptr;
    QComboBox* cbxDatabase = nullptr;
    QLabel* lblDataBasePath = nullptr;
    QPushButton *btnDBEdit = nullptr, *btnDelete = nullptr, *btnDatabaseClose = nullptr;
    PictureButton* imgOutline1 = nullptr;

    // About
    QFrame* pnlAbout = nullptr;
    QPushButton* btnAboutClose = nullptr;

    // Change due, help and setup helper windows
    QLabel* f2lblChangeDue = nullptr;
    QLabel *lblSubject = nullptr, *lblHelpPrint = nullptr;
    MemoList *memHelpIndex = nullptr, *memHelpText = nullptr;
    QFrame* pnlHelpImage = nullptr;
    QLabel* imgHelpImage = nullptr;
    QLabel* Label1 = nullptr;
    MemoList* Memo1 = nullptr;
};

} // namespace ui
