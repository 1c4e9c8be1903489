// Builds the demo project at build time: quorven_make_demo OUT/NAME TAG.txt ...
// makes OUT/NAME.fil, .fdb and .idx anew and stores one tag per NAME=VALUE list,
// each calculated as the Calculate button does (without message boxes). A list
// that names an unknown field, a value its field cannot hold, or a tag that does
// not calculate fails the build.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "form/calculate_command.h"
#include "messages/messages.h"
#include "project/database.h"
#include "record/cformat.h"
#include "record/file_io.h"
#include "record/record_check.h"
#include "record/record_fields.h"

namespace {

using namespace quorven;

bool Assign(TagRecord& r, const std::string& line, std::string& error) {
    const std::size_t eq = line.find('=');
    const FieldInfo* f = eq == std::string::npos ? nullptr : FindField(line.substr(0, eq));
    if (f == nullptr) {
        error = "not a field assignment: " + line;
        return false;
    }
    const std::string value = line.substr(eq + 1);
    switch (f->kind) {
        case FieldKind::Int32: {
            double v = 0;
            if (!ParseFiniteDouble(value, v) || !IsValidIntValue(f->name, static_cast<int32_t>(v))) break;
            SetInt(r, *f, static_cast<int32_t>(v));
            return true;
        }
        case FieldKind::Double: {
            double v = 0;
            if (!ParseFiniteDouble(value, v)) break;
            SetDouble(r, *f, v);
            return true;
        }
        case FieldKind::Text:
            if (SetTextField(r, *f, value)) return true;
            break;
        case FieldKind::Bytes:
            break;
    }
    error = "field cannot hold this value: " + line;
    return false;
}

bool MakeTag(const std::string& list, TagRecord& r) {
    const auto text = ReadFileBytes(list, 1 << 16);
    if (!text) {
        std::fprintf(stderr, "%s: cannot be read\n", list.c_str());
        return false;
    }
    r = NewTagRecord();
    std::size_t start = 0;
    while (start < text->size()) {
        std::size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        const std::string line = text->substr(start, end - start);
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        std::string error;
        if (!Assign(r, line, error)) {
            std::fprintf(stderr, "%s: %s\n", list.c_str(), error.c_str());
            return false;
        }
    }
    NullMessageSink quiet;
    CalculateInputs in;
    in.interactive = false;
    in.date_text = std::string(GetText(r.Date));
    const CalculateResult res = OnCalculate(r, in, quiet);
    if (!res.check.ok || !res.sized || r.Calc_Status == 0) {
        std::fprintf(stderr, "%s: the tag does not calculate\n", list.c_str());
        return false;
    }
    r.Rec_Version4 = 1;
    return CheckRecord(r).empty();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: quorven_make_demo OUT/NAME TAG.txt ...\n");
        return 2;
    }
    const ProjectPaths paths = ProjectPathsOf(std::string(argv[1]) + ".fil");
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(argv[1]).parent_path(), ec);
    FileLayer& disk = DiskFiles();
    for (const std::string& f : {paths.Settings(), paths.Records(), paths.Index(), paths.Journal()})
        disk.Remove(f);
    ProjectSettings settings = DefaultProjectSettings();
    SetText(settings.Client, "Quorven demonstration");
    SetText(settings.Project, "Demo plant");
    SetText(settings.Location, "Anywhere");
    RecordingMessageSink sink;
    if (!CDatabase::CreateProject(disk, paths, settings, sink)) return 1;
    CDatabase db(disk, paths);
    db.Open(sink);
    for (int i = 2; i < argc; ++i) {
        TagRecord r;
        if (!MakeTag(argv[i], r)) return 1;
        if (db.WriteTag(r, WriteMode::Replace, sink) != WriteOutcome::Saved) return 1;
    }
    if (!sink.messages.empty()) {
        for (const Message& m : sink.messages)
            std::fprintf(stderr, "%s: %s\n", m.caption.c_str(), m.text.c_str());
        return 1;
    }
    return 0;
}
