#include "register/devices/devices.h"

#include "core/errors.h"
#include "core/number_text.h"
#include "register/devices/pole.h"
#include "ui/main_form.h"

#include <QCheckBox>
#include <QComboBox>

namespace reg {
namespace {
QByteArray bytes(const QString& text) {
    return poleBytes(text);
}
const QByteArray kClear("\x1f\x0e", 2);
} // namespace

void SerialLine::open() {
    if (m_port) return;
    m_port = m_ports.open(m_name, m_baud);
}

void SerialLine::write(const QByteArray& data) {
    if (!m_port)
        throw core::SerialError(
            QString("The serial port %1 is not open.").arg(m_name).toStdString());
    m_port->write(data);
}

Devices::Devices(core::Pos& p)
    : ComPort1(*p.services.serial), ComPort2(*p.services.serial), pos(p) {}

void Devices::doDrawerOpen() {
    auto& f = pos.form;
    ComPort1.close();
    ComPort1.setPortName(f.cbxSComPort->currentText());
    if (!f.ckbxTCashDrawer->isChecked()) return;
    for (int i = 0; i < 3; ++i) {
        ComPort1.open();
        ComPort1.write("A");
        if (i < 2) ComPort1.close();
    }
}

void Devices::btnSOpenClick() {
    if (pos.form.ckbxTCashDrawer->isChecked()) doDrawerOpen();
}

void Devices::imgMarlowPOSDblClick() {
    doDrawerOpen();
}

void Devices::setPoleSpeedFromSetting() {
    static const int speeds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600};
    QComboBox* box = pos.form.cbxPoleBaudRate;
    for (int s : speeds)
        if (box->currentText() == QString::number(s)) {
            ComPort2.setBaud(s);
            return;
        }
    ComPort2.setBaud(1200);
    box->setCurrentText("1200");
}

bool Devices::polePresent() const {
    return pos.form.ckbxPole->isChecked();
}

void Devices::pole(const QByteArray& bytes) {
    // A display that could not be opened was reported when the preferences loaded or were
    // saved; the register goes on without it rather than stopping at every line.
    if (!ComPort2.isOpen()) return;
    ComPort2.write(bytes);
}

void Devices::openPole() {
    if (!polePresent()) return;
    ComPort2.open();
    poleIdle();
}

void Devices::poleIdle() {
    if (!polePresent()) return;
    pole(kClear);
    pole("\x05");
    pole(bytes(pos.state.poleMessage) + '\r');
    pole("\r");
}

void Devices::poleItemAdded(const QString& lineText) {
    if (!polePresent()) return;
    pole(kClear);
    pole("\x12");
    pole(bytes(poleTopLine(lineText)));
}

void Devices::poleItemAddedTotals(const QString& linePrice, const core::Decimal& subTotal) {
    if (!polePresent()) return;
    pole(bytes(poleSpread(linePrice, core::FormatMoney(subTotal), 19)) + '\r');
}

void Devices::poleItemRemoved(const QString& productName, const QString& linePrice,
                              const core::Decimal& subTotal) {
    if (!polePresent()) return;
    pole(kClear);
    pole("\x12");
    pole(bytes(poleTopLine(productName)));
    pole(bytes(poleSpread("-" + linePrice, core::FormatMoney(subTotal), 19)) + '\r');
}

void Devices::poleTaxAndTotal(const core::Decimal& tax, const core::Decimal& total) {
    if (!polePresent()) return;
    pole(bytes(poleSpread("TAX-> ", core::FormatMoney(tax), 20)));
    pole(bytes(poleSpread("TOTAL-> ", core::FormatMoney(total), 19)) + '\r');
}

void Devices::poleChange(const QString& changeDueText) {
    if (!polePresent()) return;
    pole("\n\n\r");
    pole("     CHANGE DUE     ");
    pole(bytes(poleSpread("TOTAL-> ", changeDueText, 19)) + '\r');
}

} // namespace reg
