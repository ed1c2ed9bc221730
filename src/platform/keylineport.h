#pragma once
#include <optional>
#include <string>

namespace kelvatron {

// The two status lines a key or paddle is wired to on a serial adapter: a straight key or the
// dit paddle on CTS, the dah paddle on DSR; DTR and RTS feed them.
enum class KeyLine { Cts, Dsr };

struct KeyLines {
    bool cts = false;
    bool dsr = false;
    bool operator==(const KeyLines&) const = default;
};

// How a wait for the lines to change ended.
enum class LineWait { Changed, Interrupted, Unsupported };

// A serial port as the key reader needs it, so tests can pass one that fails or vanishes.
class KeyLinePort {
public:
    virtual ~KeyLinePort() = default;
    // Opens the named port and raises DTR and RTS to feed the key; on failure says why, in
    // Russian, in `reason`.
    virtual bool open(const std::string& name, std::string& reason) = 0;
    // The lines now, or nothing once the port has gone (the adapter pulled out) or fails.
    virtual std::optional<KeyLines> lines() = 0;
    virtual void close() = 0;
    // Blocks, on a thread of its own, until CTS or DSR changes or the port fails (Changed), or
    // interruptWait() is called (Interrupted); Unsupported at once where the driver cannot wait
    // so. Never called while the port is being opened or closed.
    virtual LineWait waitForChange() { return LineWait::Unsupported; }
    // Whether waitForChange() may wait: false where it never does.
    virtual bool waitsForChange() const { return false; }
    // From any thread: ends a waitForChange() blocked now.
    virtual void interruptWait() {}
};

} // namespace kelvatron
