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
};

} // namespace kelvatron
