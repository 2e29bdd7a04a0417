#pragma once

#include "ui/main_form.h"

#include <QMainWindow>

#include <functional>

namespace ui {

// The main window: builds every named control at its place and fills the MainForm.
// It knows nothing of what the controls do; the wiring connects them to the handlers.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainForm& form);

    // Runs on every activation of the window (FormActivate).
    std::function<void()> onActivate;
    // Runs on every key pressed while the window is active, before the focused control.
    std::function<void(int key)> onKey;
    // Runs when the window is closed: closing the main window ends the program.
    std::function<void()> onClose;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenus();
    void buildCustomerPanel(QWidget* c);
    void buildProductPanel(QWidget* c);
    void buildRegister(QWidget* c);
    void buildGrids(QWidget* c);
    void buildStartPanels(QWidget* c);
    void buildPreferences(QWidget* c);
    void buildSmallPanels(QWidget* c);
    void buildListEditorAndPrint(QWidget* c);
    void buildBrowserAndAbout(QWidget* c);

    MainForm& f;
};

// The change-due, help and setup helper windows.
QWidget* buildChangeDueWindow(MainForm& f);
QWidget* buildHelpWindow(MainForm& f);
QWidget* buildSetupHelperWindow(MainForm& f);

} // namespace ui
