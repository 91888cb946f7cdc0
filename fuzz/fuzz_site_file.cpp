// Site file reader. Property: whatever a file gave the store is saved and
// read back unchanged, with a matching check value.

#include "fuzz_support.h"
#include "model/site_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = FuzzFilePath("site.psf");
    static const std::string saved = FuzzFilePath("saved.psf");
    if (!WriteFuzzFile(input, data, size))
        return 0;
    ScratchStore first;
    int dropped = 0;
    const int read = SiteFileRead(input.c_str(), &dropped);
    FUZZ_CHECK(read == 0 || read == -1);
    FUZZ_CHECK(SiteFileWrite(saved.c_str()));

    ScratchStore second;
    FUZZ_CHECK(SiteFileRead(saved.c_str()) == 0);
    FUZZ_CHECK(SameSettings(first.Get(), second.Get()));
    return 0;
}
