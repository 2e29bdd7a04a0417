#pragma once

#include "core/pos.h"

#include <QByteArray>

#include <memory>

namespace reg {

// One serial port as the register keeps it: a name and a speed that take effect at the
// next open; closing a closed port is harmless.
class SerialLine {
public:
    explicit SerialLine(core::SerialPorts& ports) : m_ports(ports) {}
    void setPortName(const QString& name) { m_name = name; }
    const QString& portName() const { return m_name; }
    void setBaud(int baud) { m_baud = baud; }
    int baud() const { return m_baud; }
    void open();
    void close() { m_port.reset(); }
    bool isOpen() const { return m_port != nullptr; }
    // All bytes leave in order before it returns; throws when the port is not open.
    void write(const QByteArray& bytes);

private:
    core::SerialPorts& m_ports;
    QString m_name = "COM1";
    int m_baud = 9600;
    std::unique_ptr<core::SerialPort> m_port;
};

// The cash drawer and the pole display.
class Devices {
public:
    explicit Devices(core::Pos& pos);

    SerialLine ComPort1; // cash drawer, 9600 bits per second
    SerialLine ComPort2; // pole display

    void doDrawerOpen();
    void btnSOpenClick();
    void imgMarlowPOSDblClick();

    // The pole speed from cbxPoleBaudRate; an unknown text selects 1200 and shows it.
    void setPoleSpeedFromSetting();
    // Opens the pole port and sends the idle message (loading and saving the preferences).
    void openPole();

    // Pole messages; each sends nothing while the pole display is off.
    void poleIdle();
    void poleItemAdded(const QString& lineText);
    void poleItemAddedTotals(const QString& linePrice, const core::Decimal& subTotal);
    void poleItemRemoved(const QString& productName, const QString& linePrice,
                         const core::Decimal& subTotal);
    void poleTaxAndTotal(const core::Decimal& tax, const core::Decimal& total);
    void poleChange(const QString& changeDueText);

private:
    bool polePresent() const;
    void pole(const QByteArray& bytes);

    core::Pos& pos;
};

} // namespace reg
