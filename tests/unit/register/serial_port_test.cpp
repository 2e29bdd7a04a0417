// The real serial layer against a pseudo-terminal: settings, speed and the bytes.
#include "core/errors.h"
#include "ui/qt_services.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {
QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "register_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* a = QCoreApplication::instance() ? QCoreApplication::instance()
                                                              : new QCoreApplication(argc, argv);
    return *a;
}

struct Pty {
    int master = -1;
    QString slave;
    Pty() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) slave = ptsname(master);
    }
    ~Pty() {
        if (master >= 0) close(master);
    }
    QByteArray read(int expected) {
        QByteArray out;
        while (out.size() < expected) {
            pollfd p{master, POLLIN, 0};
            if (poll(&p, 1, 2000) <= 0) break;
            char buf[256];
            ssize_t n = ::read(master, buf, sizeof buf);
            if (n <= 0) break;
            out.append(buf, int(n));
        }
        return out;
    }
};
} // namespace

TEST(SerialPorts, PortNamesMapToDevices) {
    EXPECT_EQ(ui::serialDevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(ui::serialDevicePath("COM8"), "/dev/ttyS7");
    EXPECT_EQ(ui::serialDevicePath("com3"), "/dev/ttyS2");
    EXPECT_EQ(ui::serialDevicePath("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(ui::serialDevicePath("COM9"), "COM9");
}

TEST(SerialPorts, WritesExactBytesAt8N1WithTheChosenSpeed) {
    app();
    Pty pty;
    ASSERT_FALSE(pty.slave.isEmpty());
    ui::QtSerialPorts ports;
    auto port = ports.open(pty.slave, 2400);
    const QByteArray bytes("\x1f\x0e\x12Widget\r\n\x00\xff", 12);
    port->write(bytes);
    EXPECT_EQ(pty.read(bytes.size()), bytes);

    // The settings as the device sees them.
    int fd = ::open(pty.slave.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios t{};
    ASSERT_EQ(tcgetattr(fd, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), B2400);
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), tcflag_t(0));
    ::close(fd);
}

TEST(SerialPorts, AMissingDeviceIsASerialError) {
    app();
    ui::QtSerialPorts ports;
    EXPECT_THROW(ports.open("/dev/no-such-port", 9600), core::SerialError);
}
