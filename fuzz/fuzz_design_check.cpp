// Design checker on a site loaded from any file, the defaults added as a
// load adds them. Property: the report fits its buffer, and a count-only run
// finds the same number of faults.

#include "check/design_check.h"
#include "fuzz_support.h"
#include "model/site_defaults.h"
#include "model/site_file.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = FuzzFilePath("check.psf");
    static std::unique_ptr<char[]> report(new char[kDesignReportSize]);
    if (!WriteFuzzFile(input, data, size))
        return 0;
    ScratchStore site;
    SiteFileRead(input.c_str());
    FillSiteDefaults();
    const int faults = CheckDesign(report.get());
    FUZZ_CHECK(faults >= 0);
    FUZZ_CHECK(std::memchr(report.get(), '\0', kDesignReportSize) != nullptr);
    FUZZ_CHECK(CheckDesign(nullptr) == faults);
    return 0;
}
