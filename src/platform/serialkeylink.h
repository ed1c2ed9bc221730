#pragma once
#include <functional>
#include <memory>

#include "platform/qtkeylineport.h"
#include "platform/serialkeyreader.h"
#include "training/keyportlink.h"

namespace kelvatron {

// The sending panel's serial key through the serial key reader: CTS keys the straight key or
// the dit paddle, DSR the dah paddle.
class SerialKeyLink : public KeyPortLink {
    Q_OBJECT
public:
    using PortLister = std::function<std::vector<SerialPortChoice>()>;

    SerialKeyLink(std::unique_ptr<KeyLinePort> port, const Clock& clock,
                  PortLister lister = availableKeyPorts, QObject* parent = nullptr);

    std::vector<KeyPortName> ports() const override;
    bool open(const QString& name) override;
    void close() override { reader_.stop(); }
    SerialKeyReader& reader() { return reader_; }

private:
    SerialKeyReader reader_;
    PortLister lister_;
};

} // namespace kelvatron
