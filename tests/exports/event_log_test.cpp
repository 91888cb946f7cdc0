#include "exports/event_log.h"
#include "exports/event_time.h"
#include "model/model_fixture.h"

#include <chrono>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

using EventLogTest = SiteStoreTest;

TEST(EventTime, KnownTimes) {
    struct Case {
        int32_t time;
        const char* text;
    } cases[] = {
        {946684800, "1/1/2000 0:00:00"},
        {951827696, "29/2/2000 12:34:56"},
        {951868800, "1/3/2000 0:00:00"},
        {1234567890, "13/2/2009 23:31:30"},
        {2145916799, "31/12/2037 23:59:59"},
        {INT32_MAX, "19/1/2038 3:14:07"},
        // Before 2000 the real calendar date is shown.
        {946684799, "31/12/1999 23:59:59"},
        {0, "1/1/1970 0:00:00"},
        {-1, "31/12/1969 23:59:59"},
        {INT32_MIN, "13/12/1901 20:45:52"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EventTimeText(c.time), c.text) << c.time;
}

TEST(EventTime, AgreesWithTheCalendarOverTheWholeRange) {
    using namespace std::chrono;
    for (int64_t t = INT32_MIN; t <= INT32_MAX; t += 104729 * 7) {
        sys_seconds s{seconds{t}};
        sys_days d = floor<days>(s);
        year_month_day ymd{d};
        hh_mm_ss<seconds> hms{s - d};
        EventTime e = ConvertEventTime(static_cast<int32_t>(t));
        ASSERT_EQ(e.year, static_cast<int>(ymd.year())) << t;
        ASSERT_EQ(e.month, static_cast<int>(static_cast<unsigned>(ymd.month()))) << t;
        ASSERT_EQ(e.day, static_cast<int>(static_cast<unsigned>(ymd.day()))) << t;
        ASSERT_EQ(e.hour, hms.hours().count()) << t;
        ASSERT_EQ(e.minute, hms.minutes().count()) << t;
        ASSERT_EQ(e.second, hms.seconds().count()) << t;
    }
}

TEST(EventLog, ColumnsAndExportLines) {
    struct Case {
        const char* stored;
        std::vector<std::string> columns;
        const char* line;
    } cases[] = {
        {"5, 12, 946684800",
         {"5", " 12", "", "1/1/2000 0:00:00", "  DEVICE IN ALARM   ", "ON"},
         "5,  12,,1/1/2000 0:00:00,   DEVICE IN ALARM   , ON\r\n"},
        {"133, 12, 946684800",
         {"133", " 12", "", "1/1/2000 0:00:00", "  DEVICE IN ALARM   ", "OFF"},
         "133,  12,,1/1/2000 0:00:00,   DEVICE IN ALARM   , OFF\r\n"},
        {"4, 12, 946684800",
         {"4", " 12", "", "1/1/2000 0:00:00", "   DEVICE NORMAL    ", "ON"},
         "4,  12,,1/1/2000 0:00:00,    DEVICE NORMAL    , ON\r\n"},
        {"4, 200, 946684800",
         {"4", "", "8", "1/1/2000 0:00:00", "   DEVICE NORMAL    ", "ON"},
         "4, ,8, 1/1/2000 0:00:00,    DEVICE NORMAL    , ON\r\n"},
        {"4, 193, 951827696",
         {"4", "", "1", "29/2/2000 12:34:56", "   DEVICE NORMAL    ", "ON"},
         "4, ,1, 29/2/2000 12:34:56,    DEVICE NORMAL    , ON\r\n"},
        {"4, 0, 946684800",
         {"4", "", "", "1/1/2000 0:00:00", "   DEVICE NORMAL    ", "ON"},
         "4, ,,1/1/2000 0:00:00,    DEVICE NORMAL    , ON\r\n"},
        {"45, 192, 946684800",
         {"45", " 192", "", "1/1/2000 0:00:00", "   FBP COMMS FAULT  ", "ON"},
         "45,  192,,1/1/2000 0:00:00,    FBP COMMS FAULT  , ON\r\n"},
        {"46, 0, 946684800",
         {"46", "", "", "1/1/2000 0:00:00", "Event 46", "ON"},
         "46, ,,1/1/2000 0:00:00, Event 46, ON\r\n"},
        {"174, 0, 946684800",
         {"174", "", "", "1/1/2000 0:00:00", "Event 46", "OFF"},
         "174, ,,1/1/2000 0:00:00, Event 46, OFF\r\n"},
        // Damaged values from an edited file: missing fields are empty and 0.
        {"abc",
         {"abc", "", "", "1/1/1970 0:00:00", " SOUND ALARMS ACTIVE", "ON"},
         "abc, ,,1/1/1970 0:00:00,  SOUND ALARMS ACTIVE, ON\r\n"},
        {"",
         {"", "", "", "1/1/1970 0:00:00", " SOUND ALARMS ACTIVE", "ON"},
         ", ,,1/1/1970 0:00:00,  SOUND ALARMS ACTIVE, ON\r\n"},
        {"2,7",
         {"2", "7", "", "1/1/1970 0:00:00", "    PANEL RESET     ", "ON"},
         "2, 7,,1/1/1970 0:00:00,     PANEL RESET     , ON\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EventRow row = EventRowOf(c.stored);
        for (int i = 0; i < kEventColumnCount; ++i)
            EXPECT_EQ(row.columns[i], c.columns[i]) << kEventColumnHeaders[i];
        EXPECT_EQ(EventExportLine(c.stored), c.line);
    }
}

TEST(EventLog, LongValuesAreCutTo64CharactersForTheirRow) {
    std::string code(70, '7');
    EXPECT_EQ(EventRowOf((code + ", 1, 0").c_str()).columns[0], std::string(64, '7'));
}

TEST_F(EventLogTest, CombinedListKeepsTheFirst1000NonFireFirstSortedByTime) {
    // 700 non-fire events late in time, 500 fire events earlier: the
    // combined list keeps all non-fire events and the first 300 fire ones.
    for (int n = 1; n <= 700; ++n)
        SettingSet(("NonFireEvent_" + std::to_string(n)).c_str(),
                   ("4, 1, " + std::to_string(1000000000 + 701 - n)).c_str());
    for (int n = 1; n <= 500; ++n)
        SettingSet(("FireEvent_" + std::to_string(n)).c_str(),
                   ("5, 2, " + std::to_string(990000000 + n)).c_str());
    std::vector<const char*> combined = CollectEvents(EventList::Combined);
    ASSERT_EQ(combined.size(), 1000u);
    EXPECT_STREQ(combined[0], "5, 2, 990000001");
    EXPECT_STREQ(combined[299], "5, 2, 990000300");
    EXPECT_STREQ(combined[300], "4, 1, 1000000001");
    EXPECT_STREQ(combined[999], "4, 1, 1000000700");

    EXPECT_EQ(CollectEvents(EventList::Fire).size(), 500u);
    std::vector<const char*> nonFire = CollectEvents(EventList::NonFire);
    ASSERT_EQ(nonFire.size(), 700u);
    EXPECT_STREQ(nonFire[0], "4, 1, 1000000001");

    std::vector<EventRow> rows = EventLogRows(EventList::Fire);
    ASSERT_EQ(rows.size(), 500u);
    EXPECT_EQ(rows[0].columns[4], "  DEVICE IN ALARM   ");
}

TEST_F(EventLogTest, ListEndsAtTheFirstGapAndSortsExtremeTimes) {
    SettingSet("FireEvent_1", "1, 0, 2147483647");
    SettingSet("FireEvent_2", "1, 0, -2147483648");
    SettingSet("FireEvent_3", "1, 0, 0");
    SettingSet("FireEvent_5", "1, 0, 5");
    std::vector<const char*> events = CollectEvents(EventList::Fire);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_STREQ(events[0], "1, 0, -2147483648");
    EXPECT_STREQ(events[1], "1, 0, 0");
    EXPECT_STREQ(events[2], "1, 0, 2147483647");
}

TEST_F(EventLogTest, DamagedValuesSortByTheTimeTheyShow) {
    // A value without a time field shows 1/1/1970 0:00:00 and sorts there;
    // the well-formed events around it stay in time order.
    const char* stored[] = {"1, 0, 30", "junk", "1, 0, 10", "1, 0, -5", "2,7", "1, 0, 20"};
    int n = 0;
    for (const char* value : stored)
        SettingSet(("NonFireEvent_" + std::to_string(++n)).c_str(), value);
    std::vector<const char*> events = CollectEvents(EventList::NonFire);
    std::vector<std::string> got(events.begin(), events.end());
    EXPECT_EQ(got, (std::vector<std::string>{"1, 0, -5", "junk", "2,7", "1, 0, 10", "1, 0, 20",
                                             "1, 0, 30"}));
}

TEST_F(EventLogTest, DamagedValuesDoNotUpsetTheSort) {
    // Values without a time sort as time 0; the well-formed ones around them
    // are still ordered and nothing is lost or repeated.
    std::vector<std::string> stored;
    for (int n = 1; n <= 300; ++n) {
        std::string value =
            n % 7 == 0 ? "junk" + std::to_string(n) : "1, 0, " + std::to_string((n * 7919) % 1000);
        stored.push_back(value);
        SettingSet(("NonFireEvent_" + std::to_string(n)).c_str(), value.c_str());
    }
    std::vector<const char*> events = CollectEvents(EventList::NonFire);
    ASSERT_EQ(events.size(), stored.size());
    std::multiset<std::string> got(events.begin(), events.end());
    EXPECT_EQ(got, std::multiset<std::string>(stored.begin(), stored.end()));
    for (size_t i = 1; i < events.size(); ++i) {
        auto shownTime = [](const char* value) {
            std::string text = value;
            size_t comma = text.rfind(',');
            return text.starts_with("junk") ? 0 : std::stoi(text.substr(comma + 1));
        };
        EXPECT_LE(shownTime(events[i - 1]), shownTime(events[i])) << i;
    }
}

TEST_F(EventLogTest, ExportWritesHeaderAndCombinedLines) {
    std::string path = Path("log.csv");
    ASSERT_EQ(ExportEventLog(path.c_str()), 1);
    EXPECT_EQ(Read(path), "Event,Address,Zone,Time,Event text,On/Off\r\n");

    SettingSet("FireEvent_1", "5, 12, 951827696");
    SettingSet("NonFireEvent_1", "4, 200, 946684800");
    ASSERT_EQ(ExportEventLog(path.c_str()), 1);
    EXPECT_EQ(Read(path), "Event,Address,Zone,Time,Event text,On/Off\r\n"
                          "4, ,8, 1/1/2000 0:00:00,    DEVICE NORMAL    , ON\r\n"
                          "5,  12,,29/2/2000 12:34:56,   DEVICE IN ALARM   , ON\r\n");
}

#ifndef _WIN32
TEST_F(EventLogTest, ExportReportsAFullDiskOrAMissingFolder) {
    for (int n = 1; n <= 1000; ++n)
        SettingSet(("FireEvent_" + std::to_string(n)).c_str(), "5, 12, 951827696");
    std::string path = Write("log.csv", "old contents");
    int result = WithFileSizeLimit(4096, [&] { return ExportEventLog(path.c_str()); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Read(path), "old contents");
    EXPECT_EQ(ExportEventLog(Path("no/such/folder/log.csv").c_str()), 0);
}
#endif

} // namespace
