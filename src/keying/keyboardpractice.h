#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

namespace kelvatron {

struct FormState;
class Clock;
class EventPump;
class Progress;
class SignPlayer;
class TextWindow;

// Sounds the sign of a clicked on-screen key or of a typed key at once, and shows it.
class KeyboardPractice {
public:
    KeyboardPractice(TextWindow& text, Progress& progress, Clock& clock, EventPump& events,
                     FormState& state, SignPlayer& player);

    // A click on one of the 44 character keys; its caption (UTF-8) tells which sign.
    void pressKey(std::string_view caption);
    // A click on "пробел".
    void pressSpace();
    // A typed character (one Windows-1251 byte) while the window's key preview is on. Keys
    // typed while a sign sounds join the queue and sound in turn, each after the one before;
    // between two signs the window handles its events, so a click (stop, close) is answered
    // when the sign being played ends rather than after the whole queue.
    void typeKey(char key);
    // Empties the queue: the sign that sounds ends, nothing after it.
    void stopKeying();

    // Typed characters waiting to sound never exceed this many.
    static constexpr size_t kKeyBufferCapacity = 20;
    // A byte that no key maps to a sign; it waits in the queue for any key without one.
    static constexpr char kKeyWithoutSign = '\0';

private:
    void prepareTextWindow();
    void soundKeyBuffer();

    TextWindow& text_;
    Progress& progress_;
    Clock& clock_;
    EventPump& events_;
    FormState& state_;
    SignPlayer& player_;
    // While the queue sounds: whether a transmission ran when it began. A key that arrives while
    // a transmission started since is being keyed cannot wait for that transmission to end, so
    // it sounds the queue itself.
    std::optional<bool> soundingInTransmission_;
};

} // namespace kelvatron
