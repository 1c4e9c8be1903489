#pragma once
// The calculation sheet fixtures of tests/data/reports: calculated tag records kept
// as NAME=VALUE lists (made by tests/data/reports/make-fixtures), and the project
// settings the sheets print with.

#include <fstream>
#include <sstream>
#include <string>

#include "project/project_settings.h"
#include "record/cformat.h"
#include "record/record_fields.h"
#include "record/tag_record.h"
#include "record/text_codec.h"

namespace quorven::testing_reports {

inline std::string FixturePath(const std::string& name) {
    return std::string(QUORVEN_TEST_DATA) + "/reports/" + name;
}

// The record of a fixture: a new record with the listed fields set. Returns false
// when the file is missing or a line does not name a field.
inline bool LoadFixture(const std::string& name, TagRecord& r, std::string& error) {
    std::ifstream in(FixturePath(name + ".fields"));
    if (!in) {
        error = "no fixture " + name;
        return false;
    }
    r = NewTagRecord();
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const std::size_t eq = line.find('=');
        const FieldInfo* f = eq == std::string::npos ? nullptr : FindField(line.substr(0, eq));
        if (!f) {
            error = "bad line: " + line;
            return false;
        }
        const std::string value = line.substr(eq + 1);
        double v = 0;
        switch (f->kind) {
            case FieldKind::Text:
                SetTextField(r, *f, Utf8ToCp1252(value));
                break;
            case FieldKind::Int32:
                SetInt(r, *f, static_cast<int32_t>(std::stol(value)));
                break;
            case FieldKind::Double:
                if (!ParseFiniteDouble(value, v)) {
                    error = "bad number: " + line;
                    return false;
                }
                SetDouble(r, *f, v);
                break;
            case FieldKind::Bytes:
                break;
        }
    }
    return true;
}

// A project's company and client data for the sheets.
inline ProjectSettings FixtureSettings() {
    ProjectSettings s = DefaultProjectSettings();
    SetText(s.Company_Name, "Northwind Process Engineering Ltd.");
    SetText(s.Company_Address, "12 Harbour Road, Aberdeen AB11 5PQ");
    SetText(s.Company_Phone, "+44 1224 000 000");
    SetText(s.Client, "Caledonia Energy");
    SetText(s.Project, "Gas Plant Debottleneck");
    SetText(s.JobPO_No, "J-2026-117");
    return s;
}

// The fixtures: one per meter family and fluid case the sheet distinguishes.
inline constexpr const char* kFixtures[] = {"gas-volume", "gas-mass",      "liquid-mass",
                                            "steam",      "critical-drop", "restriction",
                                            "wedge",      "segmental",     "uncalculated"};

}  // namespace quorven::testing_reports
