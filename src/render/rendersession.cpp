#include "render/rendersession.h"

namespace kelvatron {

RenderSession::RenderSession(const std::string& path, ToneFormat format, uint32_t seed)
    : writer_(path, format.rate()), timeline_(writer_, format, seed) {}

bool RenderSession::finish() {
    timeline_.finish();
    return writer_.commit();
}

} // namespace kelvatron
