#pragma once
#include <QObject>
#include <QString>
#include <optional>
#include <vector>

#include "exercises/qcodes.h"

namespace kelvatron {

class Clock;
class DrillKeyer;
class QCodeDrillView;

// The "Q-коды" page's controller: every code once in a drawn order, each keyed, typed and
// entered, then shown with its meaning.
class QCodePage : public QObject {
    Q_OBJECT
public:
    QCodePage(QCodeDrillView& view, DrillKeyer& keyer, Clock& clock);

    bool running() const { return running_; }
    void stop();
    // The code keyed now; empty when no run goes.
    std::string_view current() const;

private:
    void start();
    void keyCode();
    void answer(const QString& typed);
    void takeAnswer(const QString& typed);
    void repeat();

    QCodeDrillView& view_;
    DrillKeyer& keyer_;
    Clock& clock_;
    std::vector<AirCode> codes_;
    size_t index_ = 0;
    int right_ = 0;
    bool running_ = false;
    bool keying_ = false;
    std::optional<QString> pending_;
};

} // namespace kelvatron
