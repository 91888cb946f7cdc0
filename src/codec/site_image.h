#pragma once
// The panel's site data image: the settings of the current store as the
// fixed 6144-byte block the panel keeps, and back.

#include <cstdint>

constexpr int kSiteImageSize = 6144;

// The format versions the panel and the tool know. A send judges the whole
// setting, so a value the image would cut to 1 or 2 is still refused.
inline bool SiteImageVersionKnown(uint32_t version) {
    return version == 1 || version == 2;
}

// The format version an image states (its first 16-bit word), whether known
// or not.
uint32_t SiteImageVersion(const uint8_t* image);

// Reads an image into the current store. Gives 1 when the image's format
// version is understood: the current store is emptied first, the settings are
// created in the panel's order and the store checksum is recorded as the
// loaded one. Gives 0 for an unsupported version and leaves the store untouched.
int SiteImageDecode(const uint8_t* image);

// The checksum of the image's version-2 layout (a version-1 image widened as
// the decode widens it, its second user code zero): the check value a send
// of the decoded site writes. Gives the format version, 0 when unsupported.
int SiteImageCheckValue(const uint8_t* image, uint16_t* checkValue);

// Fills the 6144 bytes of image from the current store and gives the image
// checksum. The 5-second and pulse time texts are rewritten in place in the
// form the panel will give back; the day/night texts are left as they are;
// a missing site detail is created empty.
uint16_t SiteImageEncode(uint8_t* image);
