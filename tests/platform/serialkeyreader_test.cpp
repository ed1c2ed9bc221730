#include <QCoreApplication>
#include <gtest/gtest.h>

#include <chrono>
#include <pty.h>
#include <thread>
#include <unistd.h>

#include "platform/qtkeylineport.h"
#include "platform/serialkeyreader.h"
#include "support/fakeclock.h"
#include "support/fakekeylineport.h"

using namespace kelvatron;

namespace {

// A reader on a fake port, logging what it reports; at() sets the lines and polls as the timer.
struct Harness {
    Harness() {
        auto owned = std::make_unique<test::FakeKeyLinePort>();
        port = owned.get();
        reader = std::make_unique<SerialKeyReader>(std::move(owned), clock);
        QObject::connect(reader.get(), &SerialKeyReader::lineChanged,
                         [this](KeyLine line, bool down, double at) {
                             log.push_back(std::string(line == KeyLine::Cts ? "cts " : "dsr ") +
                                           (down ? "down " : "up ") + std::to_string(int(at)));
                         });
        QObject::connect(reader.get(), &SerialKeyReader::failed,
                         [this](const QString& m) { log.push_back(m.toStdString()); });
    }
    void at(double t, bool cts, bool dsr) {
        clock.time = t;
        port->now = {cts, dsr};
        reader->poll();
    }

    // The log outlives the reader, which reports its lines released as it ends.
    std::vector<std::string> log;
    test::FakeClock clock;
    test::FakeKeyLinePort* port;
    std::unique_ptr<SerialKeyReader> reader;
};

} // namespace

TEST(SerialKeyReader, ReportsEachLineChangeOnceWithItsTime) {
    Harness h;
    ASSERT_TRUE(h.reader->start("ttyUSB0"));
    h.at(10, true, false);
    h.at(11, false, false); // bounce within 3 ms of the change: not reported
    h.at(12, true, false);
    h.at(70, false, false);
    h.at(71, false, true);
    h.at(72, true, true); // back 2 ms after its release: reported once the bounce is over
    h.at(75, true, true);
    h.reader->stop();
    EXPECT_EQ(h.log, (std::vector<std::string>{"cts down 10", "cts up 70", "dsr down 71",
                                               "cts down 75", "cts up 75", "dsr up 75"}));
    EXPECT_FALSE(h.port->isOpen);
}

TEST(SerialKeyReader, APortThatVanishesReleasesTheKeyAndStops) {
    Harness h;
    h.reader->start("ttyUSB9");
    h.at(5, false, true);
    h.port->vanished = true;
    h.at(9, false, true);
    h.at(10, false, true); // a poll after the end does nothing
    EXPECT_EQ(
        h.log,
        (std::vector<std::string>{
            "dsr down 5", "dsr up 9",
            "Порт «ttyUSB9» больше не отвечает: адаптер отключён? Передача идёт с клавиатуры."}));
    EXPECT_FALSE(h.reader->running());
    EXPECT_FALSE(h.port->isOpen);
}

// Every millisecond from the first contact until two seconds after the key was last seen down,
// every 10 ms while it rests.
TEST(SerialKeyReader, LooksOftenOnlyWhileTheKeyIsInUse) {
    Harness h;
    h.reader->start("ttyUSB0");
    const struct {
        double t;
        bool cts, dsr;
        int intervalMs;
    } rows[] = {{0, false, false, 10},    {500, true, false, 1},    {560, false, false, 1},
                {1000, false, true, 1},   {1060, false, false, 1},  {2999, false, false, 1},
                {3001, false, false, 10}, {5000, false, false, 10}, {5010, true, true, 1}};
    for (const auto& r : rows) {
        h.at(r.t, r.cts, r.dsr);
        EXPECT_EQ(h.reader->pollIntervalMs(), r.intervalMs) << r.t;
    }
}

// The waiting thread's news comes through the event loop: spins it until `done`, for a second
// at most (a hand-over between threads, not a wait for time to pass).
template <class Done> bool spinUntil(Done done) {
    for (int i = 0; i < 1000 && !done(); ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

// Where the driver tells of a change, a resting key costs no look: the reader waits, takes the
// change at once, looks every millisecond while the key is in use, waits again once it rests,
// and stopping ends the wait.
TEST(SerialKeyReader, WaitsOnTheDriverWhileTheKeyRests) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    Harness h;
    h.port->waits = true;
    ASSERT_TRUE(h.reader->start("ttyUSB0"));
    EXPECT_EQ(h.reader->pollIntervalMs(), 0);
    ASSERT_TRUE(spinUntil([&] { return h.port->waiting.load(); }));
    h.clock.time = 100;
    h.port->change({true, false});
    ASSERT_TRUE(spinUntil([&] { return !h.log.empty(); }));
    EXPECT_EQ(h.log, std::vector<std::string>{"cts down 100"});
    EXPECT_EQ(h.reader->pollIntervalMs(), 1);
    h.at(160, false, false);
    h.at(2200, false, false);
    EXPECT_EQ(h.reader->pollIntervalMs(), 0);
    ASSERT_TRUE(spinUntil([&] { return h.port->waiting.load(); }));
    h.reader->stop();
    EXPECT_FALSE(h.port->waiting);
    EXPECT_FALSE(h.port->isOpen);
    EXPECT_EQ(h.log, (std::vector<std::string>{"cts down 100", "cts up 160"}));
}

// A pseudo-terminal opens like a serial port but has no modem lines: it is refused with the
// reason, not taken for an adapter that went away at the first look.
TEST(QtKeyLinePort, APseudoTerminalIsRefusedForItsMissingLines) {
    int master = -1, slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    const std::string name = ttyname(slave);
    test::FakeClock clock;
    SerialKeyReader reader(std::make_unique<QtKeyLinePort>(), clock);
    QString message;
    QObject::connect(&reader, &SerialKeyReader::failed, [&](const QString& m) { message = m; });
    EXPECT_FALSE(reader.start(QString::fromStdString(name)));
    EXPECT_EQ(message.toStdString(),
              "Не удалось открыть порт «" + name +
                  "»: это псевдотерминал, у него нет линий CTS и DSR, к которым подключают ключ; "
                  "выберите порт адаптера. Передача идёт с клавиатуры.");
    close(slave), close(master);
}
