#include "ui/qt_services.h"

#include "core/errors.h"
#include "ui/preview.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSerialPort>

namespace ui {
namespace {

QMessageBox::StandardButton toQt(core::Button b) {
    switch (b) {
    case core::Button::OK:
        return QMessageBox::Ok;
    case core::Button::Cancel:
        return QMessageBox::Cancel;
    case core::Button::Yes:
        return QMessageBox::Yes;
    case core::Button::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

class QtSerialPort : public core::SerialPort {
public:
    explicit QtSerialPort(std::unique_ptr<QSerialPort> port) : m_port(std::move(port)) {}
    ~QtSerialPort() override { m_port->close(); }
    void write(const QByteArray& bytes) override {
        if (m_port->write(bytes) != bytes.size() || !m_port->waitForBytesWritten(2000))
            throw core::SerialError(QString("Cannot write to %1: %2")
                                        .arg(m_port->portName(), m_port->errorString())
                                        .toStdString());
        m_port->flush();
    }

private:
    std::unique_ptr<QSerialPort> m_port;
};

} // namespace

core::Button QtDialogs::message(const QString& caption, const QString& text,
                                const std::vector<core::Button>& buttons,
                                core::Button defaultButton, core::Icon icon) {
    QMessageBox box(m_parent);
    box.setWindowTitle(caption);
    box.setText(QString(text).replace('\r', '\n'));
    QMessageBox::Icon qIcon = QMessageBox::NoIcon;
    switch (icon) {
    case core::Icon::None:
        break;
    case core::Icon::Information:
        qIcon = QMessageBox::Information;
        break;
    case core::Icon::Warning:
        qIcon = QMessageBox::Warning;
        break;
    case core::Icon::Error:
        qIcon = QMessageBox::Critical;
        break;
    case core::Icon::Question:
        qIcon = QMessageBox::Question;
        break;
    }
    box.setIcon(qIcon);
    QMessageBox::StandardButtons set;
    for (core::Button b : buttons)
        set |= toQt(b);
    box.setStandardButtons(set);
    box.setDefaultButton(toQt(defaultButton));
    int r = box.exec();
    m_modalClosed = true;
    for (core::Button b : buttons)
        if (r == toQt(b)) return b;
    // Closed with Esc or the title bar: the Cancel or No button, else the default.
    for (core::Button b : buttons)
        if (b == core::Button::Cancel || b == core::Button::No) return b;
    return defaultButton;
}

void QtDialogs::error(const QString& text) {
    QMessageBox::critical(m_parent, "Marlow POS", QString(text).replace('\r', '\n'));
    m_modalClosed = true;
}

std::optional<QString> QtDialogs::chooseFolder(const QString& title, const QString& start) {
    QString dir = QFileDialog::getExistingDirectory(m_parent, title, start);
    m_modalClosed = true;
    if (dir.isEmpty()) return std::nullopt;
    return dir;
}

std::optional<QString> QtDialogs::openFile(const QString& title, const QString& dir,
                                           const QString& filter) {
    QString f = QFileDialog::getOpenFileName(m_parent, title, dir, filter);
    m_modalClosed = true;
    if (f.isEmpty()) return std::nullopt;
    return f;
}

std::optional<QString> QtDialogs::saveFile(const QString& title, const QString& dir,
                                           const QString& filter) {
    QString f = QFileDialog::getSaveFileName(m_parent, title, dir, filter);
    m_modalClosed = true;
    if (f.isEmpty()) return std::nullopt;
    return f;
}

std::optional<QString> QtDialogs::chooseItem(const QString& title, const QString& label,
                                             const QStringList& items) {
    bool ok = false;
    const QString item = QInputDialog::getItem(m_parent, title, label, items, 0, false, &ok);
    m_modalClosed = true;
    if (!ok || item.isEmpty()) return std::nullopt;
    return item;
}

std::optional<QString> QtDialogs::askName(const QString& title, const QString& label,
                                          const QString& suggestion) {
    bool ok = false;
    const QString name =
        QInputDialog::getText(m_parent, title, label, QLineEdit::Normal, suggestion, &ok);
    m_modalClosed = true;
    if (!ok) return std::nullopt;
    return name.trimmed();
}

void QtReportOutput::output(core::Document doc, bool preview) {
    if (preview) {
        PreviewWindow window(doc, QApplication::activeWindow());
        window.exec();
        return;
    }
    printDocument(doc, QApplication::activeWindow());
}

void QtTextPrinter::print(const QString& title, const QStringList& lines) {
    printDocument(core::plainTextDocument(title, lines), QApplication::activeWindow());
}

QString serialDevicePath(const QString& name) {
    static const QRegularExpression com("^COM([1-8])$", QRegularExpression::CaseInsensitiveOption);
    auto m = com.match(name.trimmed());
    if (m.hasMatch()) return "/dev/ttyS" + QString::number(m.captured(1).toInt() - 1);
    return name.trimmed();
}

std::unique_ptr<core::SerialPort> QtSerialPorts::open(const QString& name, int baud) {
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(serialDevicePath(name));
    if (!port->open(QIODevice::ReadWrite))
        throw core::SerialError(QString("Cannot open the serial port %1: %2")
                                    .arg(name, port->errorString())
                                    .toStdString());
    bool ok = port->setBaudRate(baud) && port->setDataBits(QSerialPort::Data8) &&
              port->setParity(QSerialPort::NoParity) && port->setStopBits(QSerialPort::OneStop) &&
              port->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok)
        throw core::SerialError(QString("Cannot set up the serial port %1: %2")
                                    .arg(name, port->errorString())
                                    .toStdString());
    // A pseudo-terminal or a simple adapter cannot drive its modem lines; the port still works.
    port->setDataTerminalReady(false);
    port->setRequestToSend(false);
    port->clearError();
    return std::make_unique<QtSerialPort>(std::move(port));
}

QDate SystemClock::today() {
    return QDate::currentDate();
}

bool QtLauncher::start(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

void QtLifetime::end() {
    m_ended = true;
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

} // namespace ui
