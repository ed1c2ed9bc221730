#include "platform/serialkeylink.h"

namespace kelvatron {

SerialKeyLink::SerialKeyLink(std::unique_ptr<KeyLinePort> port, const Clock& clock,
                             PortLister lister, QObject* parent)
    : KeyPortLink(parent), reader_(std::move(port), clock), lister_(std::move(lister)) {
    connect(&reader_, &SerialKeyReader::lineChanged, this,
            [this](KeyLine line, bool down, double atMs) {
                emit contactChanged(line == KeyLine::Cts ? Paddle::Dit : Paddle::Dah, down, atMs);
            });
    connect(&reader_, &SerialKeyReader::failed, this, &KeyPortLink::failed);
}

std::vector<KeyPortName> SerialKeyLink::ports() const {
    std::vector<KeyPortName> names;
    for (const auto& p : lister_())
        names.push_back({QString::fromStdString(p.name), QString::fromStdString(p.description)});
    return names;
}

bool SerialKeyLink::open(const QString& name) {
    return reader_.start(name);
}

} // namespace kelvatron
