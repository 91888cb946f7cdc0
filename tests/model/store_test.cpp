#include "model/settings_store.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

// Home slot as the store hashes names, computed independently here.
uint32_t Home(const std::string& name) {
    uint32_t h = 5381;
    for (unsigned char c : name)
        h = h * 33 + c;
    return h % kStoreBucketCount;
}

// Groups of names "kN" that share one home slot.
std::vector<std::vector<std::string>> CollidingNames(int groups, int perGroup) {
    std::map<uint32_t, std::vector<std::string>> byHome;
    std::vector<std::vector<std::string>> result;
    for (int i = 0; result.size() < static_cast<size_t>(groups); ++i) {
        std::string name = "k" + std::to_string(i);
        auto& bucket = byHome[Home(name)];
        bucket.push_back(name);
        if (bucket.size() == static_cast<size_t>(perGroup))
            result.push_back(bucket);
    }
    return result;
}

class StoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = StoreSelect(nullptr);
        StoreInit(&store);
    }
    void TearDown() override {
        StoreFree(&store);
        if (previous)
            StoreSelect(previous);
    }
    SettingsStore store;
    SettingsStore* previous = nullptr;
};

TEST_F(StoreTest, SetNeverOverwritesAndGivesTheField) {
    char* x = SettingSet("X", "7");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(SettingSet("X", "5"), x);
    EXPECT_STREQ(SettingGet("X"), "7");
    std::strcpy(x, "9");
    EXPECT_STREQ(SettingGet("X"), "9");
    EXPECT_EQ(SettingGet("missing"), nullptr);
}

TEST_F(StoreTest, SetFlagChangesOnlyTheFirstCharacter) {
    std::strcpy(SettingSet("F", ""), "10");
    EXPECT_STREQ(SettingSetFlag("F", true), "10");
    EXPECT_STREQ(SettingSetFlag("F", false), "00");
    EXPECT_STREQ(SettingSetFlag("New", true), "1");
}

TEST_F(StoreTest, GetIntReadsLikeTheStandardConversion) {
    struct Case {
        const char* value;
        uint32_t expected;
    } cases[] = {
        {"0:30", 0},
        {" 12abc", 12},
        {"abc", 0},
        {"-1", 0xFFFFFFFFu},
        {"+42", 42},
        {"4294967295", 0xFFFFFFFFu},
        {"4294967296", 0xFFFFFFFFu},
        {"99999999999999999999", 0xFFFFFFFFu},
        {"\t\n 7", 7},
        {"", 0},
        {"-0", 0},
        {"-4294967295", 1},
    };
    for (const Case& c : cases) {
        SettingPut("N", c.value);
        EXPECT_EQ(SettingGetInt("N"), c.expected) << '"' << c.value << '"';
    }
    EXPECT_EQ(SettingGetInt("Absent"), 0u);
}

TEST_F(StoreTest, ChecksumIsSeedPlusBytesOfNamesAndValues) {
    EXPECT_EQ(StoreChecksum(), 0x5A5A5A5Au);
    SettingSet("A", "1");
    EXPECT_EQ(StoreChecksum(), 0x5A5A5A5Au + 65 + 49);
    SettingDelete("A");
    EXPECT_EQ(StoreChecksum(), 0x5A5A5A5Au);
    SettingSet("B", "\xff\xff");
    EXPECT_EQ(StoreChecksum(), 0x5A5A5A5Au + 66 + 255 + 255);
}

TEST_F(StoreTest, NoCurrentStoreGivesTheSeedAndNothing) {
    SettingsStore empty;
    EXPECT_EQ(StoreChecksum(&empty), 0x5A5A5A5Au);
    EXPECT_EQ(SettingGet(&empty, "A"), nullptr);
    EXPECT_EQ(SettingSet(&empty, "A", "1"), nullptr);
    StoreFree(nullptr);
}

TEST_F(StoreTest, ExplicitFormsLeaveTheCurrentStoreAlone) {
    SettingsStore other;
    StoreSelect(&store);
    SettingsStore* before = StoreSelect(nullptr);
    // StoreInit makes its store current; put the site store back.
    StoreInit(&other);
    StoreSelect(before);
    SettingSet(&other, "Cell", "x");
    EXPECT_EQ(SettingGet("Cell"), nullptr);
    EXPECT_STREQ(SettingGet(&other, "Cell"), "x");
    EXPECT_EQ(StoreSelect(nullptr), &store);
    StoreFree(&other);
}

TEST_F(StoreTest, LongNamesAndValuesAreCut) {
    std::string longName(300, 'n');
    std::string longValue(5000, 'v');
    char* field = SettingSet(longName.c_str(), longValue.c_str());
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(std::strlen(field), 1023u);
    EXPECT_EQ(SettingGet(std::string(127, 'n').c_str()), field);
    EXPECT_EQ(SettingGet(longName.c_str()), field);
    EXPECT_EQ(store.recordCount, 1u);
    SettingPut(longName.c_str(), longValue.c_str());
    EXPECT_EQ(std::strlen(field), 1023u);
}

// Records are used again after a delete or a freed store; a caller may have
// written anywhere in a value field. A new setting's fields must still hold
// nothing but NUL behind their text, or a caller that writes a first
// character (SettingSetFlag, say) would bring old bytes back to life.
TEST_F(StoreTest, ANewSettingsFieldsAreNulBehindTheirTextAlsoInAUsedRecord) {
    auto clean = [](const char* field, size_t size) {
        size_t n = std::strlen(field);
        for (size_t i = n; i < size; ++i)
            if (field[i] != '\0')
                return false;
        return true;
    };
    for (int round = 0; round < 3; ++round) {
        std::vector<std::string> names;
        for (int i = 0; i < 50; ++i) {
            names.push_back(std::string(100, 'n') + std::to_string(i));
            char* field = SettingSet(names.back().c_str(), std::string(1023, 'v').c_str());
            ASSERT_NE(field, nullptr);
            std::memset(field, 'w', kSettingValueSize); // a careless caller, no NUL at all
        }
        if (round == 1) {
            StoreFree(&store);
            StoreInit(&store);
        } else {
            for (const auto& n : names)
                SettingDelete(n.c_str());
        }
        for (int i = 0; i < 60; ++i) {
            const std::string name = "m" + std::to_string(i);
            char* field = SettingSet(name.c_str(), i % 2 ? "" : "1");
            ASSERT_NE(field, nullptr);
            ASSERT_TRUE(clean(field, kSettingValueSize)) << round << " " << name;
            const SettingRecord* record =
                reinterpret_cast<const SettingRecord*>(field - offsetof(SettingRecord, value));
            ASSERT_STREQ(record->name, name.c_str());
            ASSERT_TRUE(clean(record->name, kSettingNameSize)) << round << " " << name;
            SettingSetFlag(name.c_str(), true);
            EXPECT_STREQ(SettingGet(name.c_str()), "1") << name;
        }
        for (int i = 0; i < 60; ++i)
            SettingDelete(("m" + std::to_string(i)).c_str());
        EXPECT_EQ(store.recordCount, 0u);
    }
}

TEST_F(StoreTest, NamesSharingAHomeSlotAreFoundInEitherOrder) {
    auto groups = CollidingNames(2, 3);
    const auto& g = groups[0];
    SettingSet(g[1].c_str(), "b");
    SettingSet(g[0].c_str(), "a");
    SettingSet(g[2].c_str(), "c");
    EXPECT_STREQ(SettingGet(g[0].c_str()), "a");
    EXPECT_STREQ(SettingGet(g[1].c_str()), "b");
    SettingDelete(g[1].c_str()); // the first of the chain
    EXPECT_EQ(SettingGet(g[1].c_str()), nullptr);
    EXPECT_STREQ(SettingGet(g[0].c_str()), "a");
    EXPECT_STREQ(SettingGet(g[2].c_str()), "c");
    EXPECT_EQ(store.recordCount, 2u);
}

TEST_F(StoreTest, ValueFieldKeepsItsAddressWhileOthersComeAndGo) {
    auto g = CollidingNames(1, 4)[0];
    for (const auto& n : g)
        SettingSet(n.c_str(), n.c_str());
    char* last = SettingGet(g[3].c_str());
    SettingDelete(g[0].c_str());
    SettingDelete(g[1].c_str());
    EXPECT_EQ(SettingGet(g[3].c_str()), last);
    EXPECT_STREQ(last, g[3].c_str());
}

TEST_F(StoreTest, ARecordWhoseHomeIsTakenGoesToTheLowestFreeSlot) {
    auto g = CollidingNames(1, 2)[0];
    SettingSet(g[0].c_str(), "1");
    SettingSet(g[1].c_str(), "2");
    int home = static_cast<int>(Home(g[0]));
    EXPECT_EQ(StoreRecordAt(&store, home)->value, SettingGet(g[0].c_str()));
    EXPECT_EQ(StoreRecordAt(&store, home == 0 ? 1 : 0)->value, SettingGet(g[1].c_str()));
}

// Random set/get/delete on names that crowd a few home slots, against a map.
TEST_F(StoreTest, RandomOperationsAgreeWithAMap) {
    // Names whose homes are the lowest slots, which the free-slot search
    // hands out first: chains run through other names' home slots.
    std::vector<std::string> names;
    std::map<uint32_t, int> perHome;
    for (int i = 0; names.size() < 360; ++i) {
        std::string name = "n" + std::to_string(i);
        uint32_t home = Home(name);
        if (home < 64 && perHome[home]++ < 6)
            names.push_back(name);
    }
    for (const auto& g : CollidingNames(20, 8))
        names.insert(names.end(), g.begin(), g.end());
    std::map<std::string, std::string> model;
    std::mt19937 rng(12345);
    for (int step = 0; step < 40000; ++step) {
        const std::string& name = names[rng() % names.size()];
        int op = static_cast<int>(rng() % 10);
        if (op < 5) {
            std::string value = std::to_string(step);
            char* field = SettingPut(name.c_str(), value.c_str());
            ASSERT_NE(field, nullptr);
            model[name] = value;
        } else if (op < 8) {
            SettingDelete(name.c_str());
            model.erase(name);
        } else {
            const char* v = SettingGet(name.c_str());
            auto it = model.find(name);
            ASSERT_EQ(v != nullptr, it != model.end()) << name << " at step " << step;
            if (v) {
                ASSERT_STREQ(v, it->second.c_str());
            }
        }
        ASSERT_EQ(store.recordCount, model.size()) << "step " << step;
        if (step % 97 == 0) {
            // Every held name found, each name held once, nothing else held.
            std::map<std::string, int> held;
            for (int i = 0; i < kStoreSlotCount; ++i)
                if (const SettingRecord* r = StoreRecordAt(&store, i))
                    ++held[r->name];
            ASSERT_EQ(held.size(), model.size());
            for (const auto& [n, count] : held) {
                ASSERT_EQ(count, 1) << n;
                ASSERT_NE(SettingGet(n.c_str()), nullptr) << n;
            }
        }
    }
}

TEST_F(StoreTest, FillsToTheLimitAndRefusesBeyondIt) {
    std::mt19937 rng(7);
    std::vector<std::string> names;
    for (int i = 0; i < kStoreSlotCount; ++i) {
        names.push_back("s" + std::to_string(i));
        ASSERT_NE(SettingSet(names.back().c_str(), "v"), nullptr) << i;
    }
    EXPECT_GE(kStoreSlotCount, 10000);
    EXPECT_EQ(store.recordCount, static_cast<uint32_t>(kStoreSlotCount));
    uint32_t checksum = StoreChecksum();
    EXPECT_EQ(SettingSet("one-more", "v"), nullptr);
    EXPECT_EQ(SettingSetFlag("one-more", true), nullptr);
    EXPECT_EQ(StoreChecksum(), checksum);
    for (const auto& n : names)
        ASSERT_NE(SettingGet(n.c_str()), nullptr) << n;
    // Deleting some frees room again; the rest stay findable.
    for (int i = 0; i < 3000; ++i)
        SettingDelete(names[rng() % names.size()].c_str());
    for (int i = 0; i < 3000; ++i)
        SettingPut(("again" + std::to_string(i)).c_str(), "w");
    for (int i = 0; i < kStoreSlotCount; ++i) {
        if (const SettingRecord* r = StoreRecordAt(&store, i)) {
            ASSERT_EQ(SettingGet(r->name), r->value) << r->name;
        }
    }
}

} // namespace
