#pragma once
#include <cstdint>
#include <vector>

namespace kelvatron {

class Clock;
class SignPlayer;
struct TimingValues;

// Keys the signs of a transmission through the sign player, element by element, and owes the
// silences that follow them (the pause after a sign, the transmission's own waits) until just
// before the next sound. What the window does in between (writing the sign, moving the progress
// bar, handling events) then runs inside the silence instead of lengthening it, so the listener
// hears the sign player's spacing exactly.
class TransmissionKeyer {
public:
    TransmissionKeyer(SignPlayer& player, Clock& clock, TimingValues& timing);

    // One Windows-1251 symbol of the sign table; a byte without a sign sounds nothing and owes
    // no pause.
    void key(char symbol);
    // Owes a silence of ms milliseconds after everything owed so far.
    void wait(int32_t ms);
    // Just after key(): when the sign's elements ended (before the dot's silence that closes
    // them).
    double elementsEnded() const;
    // Owes what is still missing of ms milliseconds of silence since `moment` on the clock
    // (nothing when the silence owed already reaches that far).
    void waitSince(double moment, int32_t ms);
    // Sleeps whatever is still owed, each wait shortened by the time already gone since the
    // silence began.
    void settle();

private:
    SignPlayer& player_;
    Clock& clock_;
    TimingValues& timing_;
    std::vector<int32_t> owed_;
    double silenceBegan_ = 0;
};

} // namespace kelvatron
