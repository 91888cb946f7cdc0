#pragma once
// A fresh site store for each editor test, current for the test's duration,
// and a shown grid sized as the editor's open command sizes it.

#include "grid_fixture.h"
#include "model/settings_store.h"

#include <cstdio>
#include <string>

class EditorTest : public GridTest {
  protected:
    void SetUp() override {
        previous_ = StoreSelect(nullptr);
        StoreInit(&site_);
        GridTest::SetUp();
    }
    void TearDown() override {
        GridTest::TearDown();
        StoreFree(&site_);
        StoreSelect(previous_);
    }

    static std::string Name(const char* format, int a) {
        char name[kSettingNameSize];
        std::snprintf(name, sizeof name, format, a);
        return name;
    }
    static std::string Name(const char* format, int a, int b) {
        char name[kSettingNameSize];
        std::snprintf(name, sizeof name, format, a, b);
        return name;
    }
    // The setting's value, or "(absent)".
    static std::string Value(const std::string& name) {
        const char* value = SettingGet(name.c_str());
        return value ? value : "(absent)";
    }
    static void Put(const std::string& name, const char* value) { SettingPut(name.c_str(), value); }

    uint32_t Colour(int row, int column) {
        GridCell cell;
        cell.row = row;
        cell.column = column;
        return grid_->CellColour(cell);
    }
    bool Locked(int row, int column) {
        GridCell cell;
        cell.row = row;
        cell.column = column;
        grid_->GetCell(cell);
        return cell.locked != 0;
    }

    SettingsStore site_;
    SettingsStore* previous_ = nullptr;
};
