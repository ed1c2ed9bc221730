#pragma once
#include <cstddef>
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
    void presssymvol(std::string_view caption);
    // A click on "пробел".
    void glLabel17Click();
    // A typed character (one Windows-1251 byte) while the window's key preview is on.
    void FormKeyPress(char key);

    // Typed characters waiting to sound never exceed this many.
    static constexpr size_t kKeyBufferCapacity = 20;

private:
    void prepareTextWindow();

    TextWindow& text_;
    Progress& progress_;
    Clock& clock_;
    EventPump& events_;
    FormState& state_;
    SignPlayer& player_;
};

} // namespace kelvatron
