// Text import: any file merged into a new site, then the texts centred.
// Property: every imported display text fits one display line.

#include "exports/text_import.h"
#include "fuzz_support.h"
#include "model/site_defaults.h"
#include "model/site_file.h"

#include <cstring>

namespace {

void CheckWidth(const char* format, int number) {
    char name[40];
    std::snprintf(name, sizeof name, format, number);
    if (const char* value = SettingGet(name))
        FUZZ_CHECK(std::strlen(value) <= kDisplayTextWidth);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = FuzzFilePath("import.txt");
    if (!WriteFuzzFile(input, data, size))
        return 0;
    ScratchStore site;
    FillSiteDefaults();
    SiteFileRead(input.c_str());
    CentreImportedTexts();
    for (int n = 1; n <= kLoopAddresses; ++n)
        CheckWidth("DeviceText_%d", n);
    for (int n = 1; n <= kZones; ++n)
        CheckWidth("ZoneText_%d", n);
    CheckWidth("BannerText_%d", 1);
    CheckWidth("BannerText_%d", 2);
    return 0;
}
