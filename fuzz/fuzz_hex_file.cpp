// Intel HEX reader and the firmware fields read from its image. Property:
// a refused file leaves the image all 0xFF.

#include "codec/hex_file.h"
#include "fuzz_support.h"

#include <algorithm>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = FuzzFilePath("firmware.hex");
    static std::unique_ptr<unsigned char[]> image(new unsigned char[kFirmwareImageSize]);
    if (!WriteFuzzFile(input, data, size))
        return 0;
    const int read = ReadHexFile(input.c_str(), image.get(), kFirmwareImageSize);
    if (!read) {
        FUZZ_CHECK(std::all_of(image.get(), image.get() + kFirmwareImageSize,
                               [](unsigned char b) { return b == 0xFF; }));
        return 0;
    }
    char raw[kFirmwareVersionChars + 1];
    FirmwareImageVersion(image.get(), kFirmwareImageSize, raw);
    FUZZ_CHECK(raw[kFirmwareVersionChars] == '\0');
    const std::string typeName = FirmwareImageTypeName(image.get(), kFirmwareImageSize);
    FUZZ_CHECK(typeName.size() <= kFirmwareTypeChars);
    FirmwareTypeKnown(typeName);
    FirmwareVersionText(raw);
    FirmwareVersionNumber(raw);
    return 0;
}
