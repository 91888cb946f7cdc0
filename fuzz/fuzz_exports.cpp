// The four CSV exports of a site loaded from any file (with or without the
// defaults of a new site, as chosen by the first byte). Property: the matrix
// and text exports read back as CSV with their fixed shape, whatever the
// texts hold.

#include "exports/csv_reader.h"
#include "exports/event_log.h"
#include "exports/exports.h"
#include "fuzz_support.h"
#include "model/site_defaults.h"
#include "model/site_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = FuzzFilePath("export.psf");
    if (size == 0 || !WriteFuzzFile(input, data + 1, size - 1))
        return 0;
    ScratchStore site;
    SiteFileRead(input.c_str());
    if (data[0] & 1)
        FillSiteDefaults();

    DeviceDataCsv();
    EventLogCsv();

    std::vector<CsvRecord> records;
    FUZZ_CHECK(ReadCsv(MatrixCsv(), &records));
    FUZZ_CHECK(records.size() == 36);
    for (const CsvRecord& record : records)
        FUZZ_CHECK(record.size() == 34 && record.back().empty());

    FUZZ_CHECK(ReadCsv(TextsCsv(), &records));
    FUZZ_CHECK(records.size() == 193);
    for (size_t line = 0; line < records.size(); ++line)
        FUZZ_CHECK(records[line].size() == (line <= 2 ? 3u : line <= 32 ? 2u : 1u));
    return 0;
}
