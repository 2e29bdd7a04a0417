#pragma once

#include "core/services.h"

class QWidget;

namespace ui {

class QtDialogs : public core::Dialogs {
public:
    // Boxes are centred over `parent` (the main window), set once it exists.
    void setParent(QWidget* parent) { m_parent = parent; }
    core::Button message(const QString& caption, const QString& text,
                         const std::vector<core::Button>& buttons, core::Button defaultButton,
                         core::Icon icon) override;
    void error(const QString& text) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& start) override;
    std::optional<QString> openFile(const QString& title, const QString& dir,
                                    const QString& filter) override;
    std::optional<QString> saveFile(const QString& title, const QString& dir,
                                    const QString& filter) override;
    std::optional<QString> chooseItem(const QString& title, const QString& label,
                                      const QStringList& items) override;
    std::optional<QString> askName(const QString& title, const QString& label,
                                   const QString& suggestion) override;

    // True once after a modal box closed: the main window's reactivation that follows is
    // the box giving the focus back, not the clerk coming back to the program.
    bool takeModalClosed() {
        bool was = m_modalClosed;
        m_modalClosed = false;
        return was;
    }

private:
    QWidget* m_parent = nullptr;
    bool m_modalClosed = false;
};

class QtReportOutput : public core::ReportOutput {
public:
    void output(core::Document document, bool preview) override;
};

class QtTextPrinter : public core::TextPrinter {
public:
    void print(const QString& title, const QStringList& lines) override;
};

class QtSerialPorts : public core::SerialPorts {
public:
    std::unique_ptr<core::SerialPort> open(const QString& name, int baud) override;
};

class SystemClock : public core::Clock {
public:
    QDate today() override;
};

class QtLauncher : public core::Launcher {
public:
    bool start(const QString& program, const QStringList& arguments) override;
};

class QtLifetime : public core::Lifetime {
public:
    void end() override;
    bool ended() const override { return m_ended; }

private:
    bool m_ended = false;
};

// The device path of a port as the settings name it: "COM1" … "COM8" are the first eight
// serial ports, a name starting with "/" is the device itself.
QString serialDevicePath(const QString& name);

} // namespace ui
