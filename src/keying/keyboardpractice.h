#pragma once
#include <cstddef>

namespace kelvatron {

struct FormControls;
struct FormState;
struct Services;
class SignPlayer;
class TglLabel;

// Sounds the sign of a clicked on-screen key or of a typed key at once, and shows it.
class KeyboardPractice {
public:
    KeyboardPractice(FormControls& ui, Services& services, FormState& state, SignPlayer& player);

    // A click on one of the 44 character keys; the caption tells which sign.
    void presssymvol(TglLabel* sender);
    // A click on "пробел".
    void glLabel17Click();
    // A typed character (one Windows-1251 byte) while the window's key preview is on.
    void FormKeyPress(char key);

    // Typed characters waiting to sound never exceed this many.
    static constexpr size_t kKeyBufferCapacity = 20;

private:
    void prepareTextWindow();

    FormControls& ui_;
    Services& services_;
    FormState& state_;
    SignPlayer& player_;
};

} // namespace kelvatron
