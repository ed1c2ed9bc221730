#include "platform/qtkeylineport.h"

#include <QSerialPortInfo>

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
