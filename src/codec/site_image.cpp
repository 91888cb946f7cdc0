#include "codec/site_image.h"

#include <cstring>

// Placeholder until the image layout lands.
int SiteImageDecode(const uint8_t*) {
    return 0;
}

uint16_t SiteImageEncode(uint8_t* image) {
    std::memset(image, 0, kSiteImageSize);
    return 0;
}
