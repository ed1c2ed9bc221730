#pragma once
#include <QObject>
#include <QString>
#include <vector>

#include "training/iambickeyer.h"

namespace kelvatron {

struct KeyPortName {
    QString name;        // what open() takes, e.g. "ttyUSB0"
    QString description; // the adapter's own description, may be empty
};

// A key or paddle on a serial adapter as the sending panel sees it: the platform's serial key
// reader lives behind this, so the panel neither links nor touches the port itself. A straight
// key or the dit paddle reports as Paddle::Dit, the dah paddle as Paddle::Dah.
class KeyPortLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual std::vector<KeyPortName> ports() const = 0;
    // Starts watching the named port; a failure is reported through failed().
    virtual bool open(const QString& name) = 0;
    virtual void close() = 0;

signals:
    void contactChanged(kelvatron::Paddle which, bool down, double atMs);
    // A port that cannot be opened or went away, as the learner should read it.
    void failed(const QString& message);
};

} // namespace kelvatron
