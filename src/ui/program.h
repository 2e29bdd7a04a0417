#pragma once

#include "core/pos.h"
#include "ui/main_form.h"

#include <QList>

#include <memory>

class QWidget;
class QApplication;

namespace app {
class Preferences;
class Startup;
} // namespace app
namespace catalog {
class Barcodes;
class Customers;
class Lists;
class Products;
} // namespace catalog
namespace reports {
class Invoices;
}
namespace reg {
class Cancel;
class RingUp;
class Devices;
class ProductLookup;
class SaleLines;
class Totals;
} // namespace reg

namespace ui {

class MainWindow;

// The application title, style and font every window uses.
void applyLook(QApplication& app);

// The whole program: the four windows, the tables, the handlers and their wiring.
// main() makes one with the Qt services; pos-scenario makes one with recording services.
class Program {
public:
    explicit Program(const core::Services& services);
    ~Program();

    // Shows the main window centred on the desktop and activates it.
    void show();
    MainForm& form() { return m_form; }
    core::Pos& pos() { return *m_pos; }
    QList<QWidget*> windows() const;
    // Lets Timer1 tick once, when it runs.
    void tick();

private:
    void wireApp();
    void wirePreferences();
    void wireDevices();
    void wireLists();
    void wireSale();
    void wirePictureFeedback();
    void wireCustomers();
    void wireProducts();

    MainForm m_form;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<QWidget> m_changeDue, m_help, m_setupHelper;
    std::unique_ptr<core::Pos> m_pos;
    std::unique_ptr<reg::Devices> m_devices;
    std::unique_ptr<app::Startup> m_startup;
    std::unique_ptr<app::Preferences> m_prefs;
    std::unique_ptr<catalog::Lists> m_lists;
    std::unique_ptr<catalog::Products> m_products;
    std::unique_ptr<catalog::Customers> m_customers;
    std::unique_ptr<catalog::Barcodes> m_barcodes;
    std::unique_ptr<reg::SaleLines> m_saleLines;
    std::unique_ptr<reg::Totals> m_totals;
    std::unique_ptr<reg::ProductLookup> m_lookup;
    std::unique_ptr<reg::Cancel> m_cancel;
    std::unique_ptr<reg::RingUp> m_ringUp;
    std::unique_ptr<reports::Invoices> m_invoices;
};

} // namespace ui
