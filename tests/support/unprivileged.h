#pragma once
#include <unistd.h>

namespace kelvatron::test {

// Root reads and writes whatever the permission bits say, so a test of what an ordinary user
// meets drops to "nobody" while this lives when it runs as root; as anyone else it changes
// nothing. Only the effective ids change, so they can be taken back.
class Unprivileged {
public:
    Unprivileged() : root_(::geteuid() == 0) {
        if (root_) ok_ = ::setegid(kNobody) == 0 && ::seteuid(kNobody) == 0;
    }
    ~Unprivileged() {
        if (root_) ok_ = ::seteuid(0) == 0 && ::setegid(0) == 0;
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

    bool ok() const { return ok_; }

private:
    static constexpr uid_t kNobody = 65534;
    bool root_;
    bool ok_ = true;
};

} // namespace kelvatron::test
