#include "render/rendersession.h"

namespace kelvatron {

RenderSession::RenderSession(const std::string& path, ToneFormat format, uint32_t seed,
                             int64_t longestSamples, std::unique_ptr<SignalChain> chain)
    : writer_(path, format.rate(), longestSamples),
      timeline_(writer_, format, seed, std::move(chain)) {}

bool RenderSession::finish() {
    timeline_.finish();
    return writer_.commit();
}

} // namespace kelvatron
