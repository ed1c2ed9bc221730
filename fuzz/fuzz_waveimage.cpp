// Any bytes handed to the sound device as a WAVE image: the parser either refuses them or gives
// samples that lie inside the image, in whole frames of a format the mixer can play.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "audio/waveimage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> image(data, size);
    auto wave = kelvatron::parseWaveImage(image);
    if (!wave) return 0;
    const uint8_t* first = wave->samples.data();
    const uint8_t* last = first + wave->samples.size();
    if (!wave->samples.empty() && (first < data || last > data + size)) std::abort();
    if (wave->bytesPerFrame() == 0 || wave->samples.size() % wave->bytesPerFrame() != 0) std::abort();
    // Touch every sample byte so the sanitizer sees any read outside the image.
    volatile uint8_t sum = 0;
    for (uint8_t b : wave->samples) sum = sum + b;
    return 0;
}
