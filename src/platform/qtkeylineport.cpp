#include "platform/qtkeylineport.h"

#include <QSerialPortInfo>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace kelvatron {

namespace {

std::string reasonOf(const QSerialPort& port) {
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return "такого порта нет";
    case QSerialPort::PermissionError:
        return "нет доступа: порт занят другой программой или пользователь не входит в группу "
               "dialout";
    case QSerialPort::OpenError:
        return "порт уже открыт";
    default:
        return port.errorString().toStdString();
    }
}

// Unix 98 pseudo-terminal slaves (/dev/pts/N) have majors 136 to 143.
bool isPseudoTerminal(int fd) {
    struct stat st {};
    return fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && major(st.st_rdev) >= 136 &&
           major(st.st_rdev) <= 143;
}

// A pseudo-terminal or a device without modem control has nothing a key can be wired to; its
// lines would never change, and reading them fails as if the adapter had gone.
bool hasModemLines(int fd) {
    int bits = 0;
    if (ioctl(fd, TIOCMGET, &bits) == -1 && (errno == EINVAL || errno == ENOTTY)) return false;
    return !isPseudoTerminal(fd);
}

// The signal that pulls the waiting thread out of its wait: it does nothing but end the call
// with EINTR (no SA_RESTART).
int wakeSignal() {
    static const int signal = [] {
        const int s = SIGRTMIN + 4;
        struct sigaction action {};
        action.sa_handler = [](int) {};
        sigemptyset(&action.sa_mask);
        sigaction(s, &action, nullptr);
        return s;
    }();
    return signal;
}

} // namespace

QtKeyLinePort::QtKeyLinePort() {
    QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError) gone_ = true;
    });
}

bool QtKeyLinePort::open(const std::string& name, std::string& reason) {
    gone_ = false;
    port_.clearError();
    port_.setPortName(QString::fromStdString(name));
    if (!port_.open(QIODevice::ReadWrite)) {
        reason = reasonOf(port_);
        return false;
    }
    if (!hasModemLines(int(port_.handle()))) {
        reason = isPseudoTerminal(int(port_.handle()))
                     ? "это псевдотерминал, у него нет линий CTS и DSR, к которым подключают "
                       "ключ; выберите порт адаптера"
                     : "у этого порта нет линий CTS и DSR, к которым подключают ключ; выберите "
                       "порт адаптера";
        port_.close();
        return false;
    }
    // The key closes a contact between DTR or RTS and the status line it is read on.
    port_.setDataTerminalReady(true);
    port_.setRequestToSend(true);
    return true;
}

std::optional<KeyLines> QtKeyLinePort::lines() {
    if (gone_ || !port_.isOpen()) return std::nullopt;
    const auto pins = port_.pinoutSignals();
    // Pulled out, or lines it cannot read: either way the key is no longer heard.
    if (gone_ || port_.error() != QSerialPort::NoError) return std::nullopt;
    return KeyLines{pins.testFlag(QSerialPort::ClearToSendSignal),
                    pins.testFlag(QSerialPort::DataSetReadySignal)};
}

// TIOCMIWAIT: the serial core and most USB adapters' drivers wake the caller on a line change;
// others refuse at once. A port pulled out wakes it too, with an error: the next look tells.
LineWait QtKeyLinePort::waitForChange() {
    wakeSignal();
    {
        std::lock_guard lock(waiterMutex_);
        waiter_ = pthread_self();
        hasWaiter_ = true;
    }
    const int result = ioctl(int(port_.handle()), TIOCMIWAIT, TIOCM_CTS | TIOCM_DSR);
    const int error = errno;
    {
        std::lock_guard lock(waiterMutex_);
        hasWaiter_ = false;
    }
    if (result == 0) return LineWait::Changed;
    if (error == EINTR) return LineWait::Interrupted;
    if (error == EIO || error == ENODEV) return LineWait::Changed;
    return LineWait::Unsupported;
}

void QtKeyLinePort::interruptWait() {
    std::lock_guard lock(waiterMutex_);
    if (hasWaiter_) pthread_kill(waiter_, wakeSignal());
}

void QtKeyLinePort::close() {
    if (port_.isOpen()) port_.close();
    port_.clearError();
}

std::vector<SerialPortChoice> availableKeyPorts() {
    std::vector<SerialPortChoice> ports;
    for (const auto& info : QSerialPortInfo::availablePorts())
        ports.push_back({info.portName().toStdString(), info.description().toStdString()});
    return ports;
}

} // namespace kelvatron
