#include <gtest/gtest.h>

#include <deque>

#include "platform/serialkeyreader.h"
#include "support/fakeclock.h"

using namespace kelvatron;

namespace {

// A port whose lines the test sets, that can refuse to open and can vanish.
class FakeKeyLinePort : public KeyLinePort {
public:
    bool open(const std::string& name, std::string& reason) override {
        opened = name;
        reason = refusal;
        isOpen = refusal.empty();
        return isOpen;
    }
    std::optional<KeyLines> lines() override {
        if (vanished) return std::nullopt;
        return now;
    }
    void close() override {
        isOpen = false;
        ++closes;
    }

    std::string refusal, opened;
    bool vanished = false, isOpen = false;
    KeyLines now;
    int closes = 0;
};

struct Harness {
    Harness() {
        auto owned = std::make_unique<FakeKeyLinePort>();
        port = owned.get();
        reader = std::make_unique<SerialKeyReader>(std::move(owned), clock);
        QObject::connect(reader.get(), &SerialKeyReader::lineChanged,
                         [this](KeyLine line, bool down, double at) {
                             log.push_back(std::string(line == KeyLine::Cts ? "cts " : "dsr ") +
                                           (down ? "down " : "up ") + std::to_string(int(at)));
                         });
        QObject::connect(reader.get(), &SerialKeyReader::failed,
                         [this](const QString& m) { messages.push_back(m.toStdString()); });
    }
    // Sets the lines at time t and polls once, as the timer would.
    void at(double t, bool cts, bool dsr) {
        clock.time = t;
        port->now = {cts, dsr};
        reader->poll();
    }

    test::FakeClock clock;
    FakeKeyLinePort* port;
    std::unique_ptr<SerialKeyReader> reader;
    std::vector<std::string> log, messages;
};

} // namespace

TEST(SerialKeyReader, ReportsEachLineChangeOnceWithItsTime) {
    Harness h;
    ASSERT_TRUE(h.reader->start("ttyUSB0"));
    EXPECT_EQ(h.port->opened, "ttyUSB0");
    h.at(10, true, false);
    h.at(11, false, false); // bounce: within 3 ms of the change, not reported
    h.at(12, true, false);
    h.at(70, false, false);
    h.at(71, false, true);
    h.at(72, true, true); // CTS came back 2 ms after its release: reported once the bounce is over
    h.at(75, true, true);
    h.reader->stop();
    EXPECT_EQ(h.log, (std::vector<std::string>{"cts down 10", "cts up 70", "dsr down 71",
                                               "cts down 75", "cts up 75", "dsr up 75"}));
    EXPECT_TRUE(h.messages.empty());
    EXPECT_EQ(h.port->closes, 1);
}

TEST(SerialKeyReader, APortThatFailsOrVanishesIsReportedAndStopsCleanly) {
    struct Case {
        const char* name;
        std::string refusal;
        bool vanishWhileHeld;
        std::vector<std::string> log;
        std::string message;
    };
    const Case cases[] = {
        {"cannot be opened",
         "такого порта нет",
         false,
         {},
         "Не удалось открыть порт «ttyUSB9»: такого порта нет. Передача идёт с клавиатуры."},
        {"vanishes with the key held",
         "",
         true,
         {"dsr down 5", "dsr up 9"},
         "Порт «ttyUSB9» пропал: адаптер отключён? Передача идёт с клавиатуры."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.port->refusal = c.refusal;
        EXPECT_EQ(h.reader->start("ttyUSB9"), c.refusal.empty());
        if (c.vanishWhileHeld) {
            h.at(5, false, true);
            h.port->vanished = true;
            h.at(9, false, true);
            h.at(10, false, true); // a poll after the end does nothing
        }
        EXPECT_EQ(h.log, c.log);
        EXPECT_EQ(h.messages, std::vector<std::string>{c.message});
        EXPECT_FALSE(h.reader->running());
        EXPECT_FALSE(h.port->isOpen);
    }
}
