// Site data image decoder and encoder. Property: once decoded, a site
// encodes to an image that decodes and encodes to itself.

#include "codec/site_image.h"
#include "fuzz_support.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t image[kSiteImageSize] = {};
    std::memcpy(image, data, size < sizeof image ? size : sizeof image);

    ScratchStore first;
    if (!SiteImageDecode(image))
        return 0;
    uint8_t encoded[kSiteImageSize];
    const uint16_t checksum = SiteImageEncode(encoded);

    ScratchStore second;
    FUZZ_CHECK(SiteImageDecode(encoded) == 1);
    uint8_t again[kSiteImageSize];
    FUZZ_CHECK(SiteImageEncode(again) == checksum);
    FUZZ_CHECK(std::memcmp(encoded, again, sizeof encoded) == 0);
    return 0;
}
