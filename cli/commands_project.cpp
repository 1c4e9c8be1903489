// quorven-cli project new|info|list|get|put|delete-tag|delete|settings: projects
// (the settings, record and index files) without the desktop. Whatever an
// interrupted change left is finished or undone and reported, as when the desktop
// opens the project; questions (cutting an incomplete record, the upgrade of older
// records) are answered No, so the command line never changes a project it was not
// asked to change.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "messages/messages.h"
#include "project/configuration.h"
#include "project/database.h"
#include "project/project_commands.h"
#include "project/tag_file.h"
#include "record/choice_codes.h"
#include "record/text_codec.h"

namespace quorven::cli {
namespace {

struct ProjectOptions {
    std::string project;
    std::string tag;
    std::string file;
    std::string out;
    bool json = false;
    bool replace = false;
    bool yes = false;
    std::vector<std::string> assignments;
};

// The settings file a command names: "DIR/NAME" or "DIR/NAME.fil".
std::string SettingsPathOf(const std::string& arg) {
    std::filesystem::path p(arg);
    if (p.extension() != ".fil") p += ".fil";
    return p.string();
}

std::string Utf8(std::string_view cp1252) {
    return Cp1252ToUtf8(cp1252);
}

// Opens the project's database; false (with the reason on stderr) when the
// settings file does not exist.
bool OpenDatabase(const std::string& arg, CliMessageSink& sink, std::unique_ptr<CDatabase>& db) {
    const std::string settings = SettingsPathOf(arg);
    if (!DiskFiles().Stat(settings)) {
        std::cerr << "project: " << settings << " does not exist.\n";
        return false;
    }
    db = std::make_unique<CDatabase>(DiskFiles(), ProjectPathsOf(settings));
    db->Open(sink);
    return true;
}

std::string StatusText(int32_t status) {
    switch (status) {
        case 0:
            return "not calculated";
        case kStatusCalculated:
            return "calculated";
        case kStatusWarningsSuppressed:
            return "calculated, limit warnings suppressed";
        default:
            return "status " + std::to_string(status);
    }
}

int Emit(const ProjectOptions& o, const CliMessageSink& sink, nlohmann::json j, const std::string& text,
         bool ok) {
    if (o.json) {
        j["messages"] = sink.Json();
        j["ok"] = ok;
        std::cout << j.dump(2) << '\n';
    } else if (!text.empty()) {
        std::cout << text;
    }
    return ok ? 0 : 1;
}

CliMessageSink QuietFor(const ProjectOptions& o) {
    CliMessageSink sink;
    sink.quiet = o.json;
    return sink;
}

int ProjectNew(const ProjectOptions& o) {
    CliMessageSink sink = QuietFor(o);
    const ProjectPaths paths = ProjectPathsOf(SettingsPathOf(o.project));
    std::string lower = paths.name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    if (lower == "project" || paths.name.empty()) {
        std::cerr << "project new: \"" << paths.name << "\" cannot be used as a project name.\n";
        return Emit(o, sink, {}, "", false);
    }
    const bool ok = CDatabase::CreateProject(DiskFiles(), paths, DefaultProjectSettings(), sink);
    nlohmann::json j{{"settings", paths.Settings()}, {"records", paths.Records()}, {"index", paths.Index()}};
    return Emit(
        o, sink, j,
        ok ? "Created " + paths.Settings() + ", " + paths.Records() + " and " + paths.Index() + ".\n" : "",
        ok);
}

nlohmann::json SettingsJson(const ProjectSettings& s);

int ProjectInfo(const ProjectOptions& o) {
    CliMessageSink sink = QuietFor(o);
    std::unique_ptr<CDatabase> db;
    if (!OpenDatabase(o.project, sink, db)) return Emit(o, sink, {}, "", false);
    ProjectSettings s = DefaultProjectSettings();
    const SettingsRead read = ReadSettingsFile(DiskFiles(), db->Paths().Settings(), s);
    std::size_t tags = 0;
    for (const IndexEntry& e : db->Entries())
        if (e.state == EntryState::Valid && db->FindTag(e.tag) == e.position) ++tags;
    nlohmann::json j = SettingsJson(s);
    j["settings_file"] = read == SettingsRead::Read ? "read" : "damaged: the configuration's settings apply";
    j["name"] = db->Paths().name;
    j["tags"] = tags;
    j["index_entries"] = db->Entries().size();
    j["damaged_index_entries"] = db->BadEntries();
    j["record_file_bytes"] = db->RecordFileSize();
    j["index_present"] = db->IndexPresent();
    std::string text = "Project " + db->Paths().name + " (" + db->Paths().Settings() + ")\n";
    text += "  settings file: " + j["settings_file"].get<std::string>() + "\n";
    text += "  tags: " + std::to_string(tags) + " (index entries " + std::to_string(db->Entries().size()) +
            ", damaged " + std::to_string(db->BadEntries()) + "; record file " +
            std::to_string(db->RecordFileSize()) + " bytes)\n";
    for (const auto& [key, value] : j["settings"].items()) text += "  " + key + ": " + value.dump() + "\n";
    return Emit(o, sink, j, text, read == SettingsRead::Read);
}

int ProjectList(const ProjectOptions& o) {
    CliMessageSink sink = QuietFor(o);
    std::unique_ptr<CDatabase> db;
    if (!OpenDatabase(o.project, sink, db)) return Emit(o, sink, {}, "", false);
    nlohmann::json list = nlohmann::json::array();
    std::string text;
    bool ok = db->IndexPresent() && db->BadEntries() == 0;
    if (!ok) std::cerr << "project list: the index " << db->Paths().Index() << " is missing.\n";
    for (const IndexEntry& e : db->Entries()) {
        if (e.state != EntryState::Valid || db->FindTag(e.tag) != e.position) continue;
        TagRecord r;
        if (!db->ReadTag(e.tag, r, sink)) {
            ok = false;
            continue;
        }
        list.push_back({{"tag", Utf8(e.tag)},
                        {"service", Utf8(GetText(r.Service))},
                        {"status", StatusText(r.Calc_Status)},
                        {"Calc_Status", r.Calc_Status},
                        {"position", e.position}});
        text += Utf8(e.tag) + "\t" + Utf8(GetText(r.Service)) + "\t" + StatusText(r.Calc_Status) + "\n";
    }
    return Emit(o, sink, {{"tags", list}}, text, ok);
}

int ProjectGet(const ProjectOptions& o) {
    CliMessageSink sink = QuietFor(o);
    std::unique_ptr<CDatabase> db;
    if (!OpenDatabase(o.project, sink, db)) return Emit(o, sink, {}, "", false);
    TagRecord r;
    const std::string tag = Utf8ToCp1252(o.tag);
    if (!db->ReadTag(tag, r, sink)) {
        if (db->FindTag(tag) < 0) std::cerr << "project get: no tag \"" << o.tag << "\" in the project.\n";
        return Emit(o, sink, {}, "", false);
    }
    const bool ok = WriteTagFile(o.out, r, sink);
    return Emit(o, sink, {{"tag", o.tag}, {"out", o.out}},
                ok ? "Wrote " + o.tag + " to " + o.out + ".\n" : "", ok);
}

int ProjectPut(const ProjectOptions& o) {
    CliMessageSink sink = QuietFor(o);
    std::unique_ptr<CDatabase> db;
    if (!OpenDatabase(o.project, sink, db)) return Emit(o, sink, {}, "", false);
    TagRecord r = NewTagRecord();
    std::vector<RecordRepair> repairs;
    if (!ReadTagFile(o.file, r, sink, &repairs)) return Emit(o, sink, {}, "", false);
    // What the record check had to change is not stored as if it had been given:
    // the file is refused, as tag set and import refuse such values.
    if (!repairs.empty()) {
        for (const RecordRepair& fix : repairs)
            std::cerr << "project put: " << o.file << ": " << RepairText(fix) << ".\n";
        CError(sink).Show(msg::kErrTagFileRead);
        return Emit(o, sink, {}, "", false);
    }
    const std::string tag = Utf8(GetText(r.Tag_No));
    if (tag.empty()) {
        CWarning(sink).Show(msg::kWarnNoTagNumber);
        return Emit(o, sink, {}, "", false);
    }
    if (!o.replace && db->FindTag(GetText(r.Tag_No)) >= 0) {
        std::cerr << "project put: the tag \"" << tag << "\" is already stored; --replace replaces it.\n";
        return Emit(o, sink, {{"tag", tag}}, "", false);
    }
    // A record stored in a project carries the current-format marker, as Save Tag
    // gives it on the desktop. Without it the next open takes the project for one
    // of the previous format and offers the upgrade, which steps every pipe
    // schedule on: the stored pipes would change.
    r.Rec_Version4 = 1;
    const bool ok = db->WriteTag(r, WriteMode::Replace, sink) == WriteOutcome::Saved;
    return Emit(o, sink, {{"tag", tag}}, ok ? "Stored " + tag + ".\n" : "", ok);
}

int ProjectDeleteTag(const ProjectOptions& o) {
    CliMessageSink sink = QuietFor(o);
    std::unique_ptr<CDatabase> db;
    if (!OpenDatabase(o.project, sink, db)) return Emit(o, sink, {}, "", false);
    const std::string tag = Utf8ToCp1252(o.tag);
    if (db->FindTag(tag) < 0) {
        std::cerr << "project delete-tag: no tag \"" << o.tag << "\" in the project.\n";
        return Emit(o, sink, {{"tag", o.tag}}, "", false);
    }
    const bool ok = db->RemoveTag(tag, sink);
    return Emit(o, sink, {{"tag", o.tag}}, ok ? "Deleted " + o.tag + ".\n" : "", ok);
}

int ProjectDelete(const ProjectOptions& o) {
    CliMessageSink sink = QuietFor(o);
    const ProjectPaths paths = ProjectPathsOf(SettingsPathOf(o.project));
    if (!DiskFiles().Stat(paths.Settings())) {
        std::cerr << "project delete: " << paths.Settings() << " does not exist.\n";
        return Emit(o, sink, {}, "", false);
    }
    if (!o.yes) {
        std::cerr << "project delete: this deletes every tag of " << paths.name << "; add --yes to do it.\n";
        return Emit(o, sink, {}, "", false);
    }
    bool ok = DiskFiles().Remove(paths.Settings());
    if (ok)
        for (const std::string& p : {paths.Index(), paths.Records(), paths.Journal()})
            ok = DiskFiles().Remove(p) && ok;
    if (!ok) std::cerr << "project delete: not every file of " << paths.name << " could be removed.\n";
    return Emit(o, sink, {{"deleted", paths.Settings()}}, ok ? "Deleted project " + paths.name + ".\n" : "",
                ok);
}

// --- settings ---------------------------------------------------------------------
struct TextSlot {
    const char* name;
    char* (*field)(ProjectSettings&);
    std::size_t width;
};
#define QV_SLOT(f)                                                                  \
    {                                                                               \
#f, [](ProjectSettings & s) { return &s.f[0]; }, sizeof(ProjectSettings::f) \
    }
const TextSlot kTextSlots[] = {
    QV_SLOT(Company_Name), QV_SLOT(Company_Address), QV_SLOT(Company_Phone),
    QV_SLOT(User_Name),    QV_SLOT(Client),          QV_SLOT(Project),
    QV_SLOT(Location),     QV_SLOT(JobPO_No),        QV_SLOT(CalcSO_No),
};
#undef QV_SLOT

struct SelectionSlot {
    const char* name;
    int32_t UnitDefaults::*field;
};
const SelectionSlot kSelectionSlots[] = {
    {"Unit_GasBaseFlow_Set", &UnitDefaults::Unit_GasBaseFlow_Set},
    {"Unit_GasFlowingFlow_Set", &UnitDefaults::Unit_GasFlowingFlow_Set},
    {"Unit_GasMassFlow_Set", &UnitDefaults::Unit_GasMassFlow_Set},
    {"Unit_LiqBaseFlow_Set", &UnitDefaults::Unit_LiqBaseFlow_Set},
    {"Unit_LiqFlowingFlow_Set", &UnitDefaults::Unit_LiqFlowingFlow_Set},
    {"Unit_LiqMassFlow_Set", &UnitDefaults::Unit_LiqMassFlow_Set},
    {"Unit_Press_Set", &UnitDefaults::Unit_Press_Set},
    {"Unit_BasePress_Set", &UnitDefaults::Unit_BasePress_Set},
    {"Unit_AtmPress_Set", &UnitDefaults::Unit_AtmPress_Set},
    {"Unit_DpPress_Set", &UnitDefaults::Unit_DpPress_Set},
    {"Unit_Temp_Set", &UnitDefaults::Unit_Temp_Set},
    {"Unit_BaseTemp_Set", &UnitDefaults::Unit_BaseTemp_Set},
    {"Unit_DpRefTemp_Set", &UnitDefaults::Unit_DpRefTemp_Set},
    {"Unit_Dens_Set", &UnitDefaults::Unit_Dens_Set},
    {"Unit_Visc_Set", &UnitDefaults::Unit_Visc_Set},
    {"Unit_Velocity_Set", &UnitDefaults::Unit_Velocity_Set},
    {"Unit_GLocal_Set", &UnitDefaults::Unit_GLocal_Set},
    {"Unit_Bore_Set", &UnitDefaults::Unit_Bore_Set},
    {"Unit_Pipe_Set", &UnitDefaults::Unit_Pipe_Set},
    {"Unit_PressSys_Set", &UnitDefaults::Unit_PressSys_Set},
};

nlohmann::json SettingsJson(const ProjectSettings& settings) {
    ProjectSettings s = settings;
    nlohmann::json texts = nlohmann::json::object();
    for (const TextSlot& t : kTextSlots) texts[t.name] = Utf8(GetText(t.field(s), t.width));
    for (const SelectionSlot& u : kSelectionSlots) texts[u.name] = s.Defaults.*u.field;
    return {{"settings", texts}};
}

// Applies NAME=VALUE; an error sentence, or "". A text with a character that
// Windows-1252 cannot hold is refused with Error #1004, as tag set refuses it.
std::string AssignSetting(ProjectSettings& s, const std::string& assignment, MessageSink& sink) {
    const std::size_t eq = assignment.find('=');
    if (eq == std::string::npos) return "Expected NAME=VALUE, got \"" + assignment + "\".";
    const std::string name = assignment.substr(0, eq);
    const std::string value = assignment.substr(eq + 1);
    for (const TextSlot& t : kTextSlots) {
        if (name != t.name) continue;
        const std::optional<std::string> exact = Utf8ToCp1252Exact(value);
        if (!exact) {
            CError(sink).Show(msg::kErrTextNotStorable);
            return name + " cannot hold \"" + value + "\": not every character has a Windows-1252 form.";
        }
        const std::string& bytes = *exact;
        if (bytes.size() >= t.width)
            return name + " holds at most " + std::to_string(t.width - 1) + " characters.";
        SetText(t.field(s), t.width, bytes);
        return {};
    }
    for (const SelectionSlot& u : kSelectionSlots) {
        if (name != u.name) continue;
        int32_t v = 0;
        const auto res = std::from_chars(value.data(), value.data() + value.size(), v);
        if (value.empty() || res.ec != std::errc() || res.ptr != value.data() + value.size())
            return name + " needs a whole number, got \"" + value + "\".";
        UnitDefaults check = s.Defaults;
        check.*u.field = v;
        if (CheckUnitDefaults(check) != 0)
            return name + " cannot be " + value + ": no unit of its list has that index.";
        s.Defaults.*u.field = v;
        return {};
    }
    return "Unknown setting \"" + name + "\".";
}

int ProjectSettingsCommand(const ProjectOptions& o) {
    CliMessageSink sink = QuietFor(o);
    const std::string path = SettingsPathOf(o.project);
    ProjectSettings s = DefaultProjectSettings();
    const SettingsRead read = ReadSettingsFile(DiskFiles(), path, s);
    if (read != SettingsRead::Read) {
        std::cerr << "project settings: " << path
                  << (read == SettingsRead::Missing ? " does not exist.\n"
                                                    : " is not a 3352-byte settings file.\n");
        return Emit(o, sink, {}, "", false);
    }
    for (const std::string& a : o.assignments) {
        const std::string error = AssignSetting(s, a, sink);
        if (!error.empty()) {
            std::cerr << error << " Nothing was written.\n";
            return Emit(o, sink, {}, "", false);
        }
    }
    if (!o.assignments.empty() && !DiskFiles().Replace(path, SettingsToBytes(s))) {
        CError(sink).Show(msg::kErrProjectCreate);
        return Emit(o, sink, {}, "", false);
    }
    const nlohmann::json j = SettingsJson(s);
    std::string text;
    for (const auto& [key, value] : j["settings"].items())
        text += key + " = " + (value.is_string() ? value.get<std::string>() : value.dump()) + "\n";
    return Emit(o, sink, j, text, true);
}

}  // namespace

void RegisterProjectCommands(CLI::App& app, CommandContext& ctx) {
    auto o = std::make_shared<ProjectOptions>();
    CLI::App* project = app.add_subcommand("project", "Projects: settings, record and index files.");
    project->require_subcommand(1);
    auto add = [&](const char* name, const char* help, int (*run)(const ProjectOptions&)) {
        CLI::App* sub = project->add_subcommand(name, help);
        sub->add_flag("--json", o->json, "JSON output, with messages and ok");
        sub->callback([&ctx, o, run] { ctx.action = [o, run] { return run(*o); }; });
        return sub;
    };
    add("new", "Create an empty project: DIR/NAME.fil, .fdb and .idx.", ProjectNew)
        ->add_option("PROJECT", o->project, "DIR/NAME")
        ->required();
    add("info", "Company, customer and unit settings, and the number of tags.", ProjectInfo)
        ->add_option("PROJECT", o->project, "settings file P.fil")
        ->required();
    add("list", "Every tag: number, service, calculation status.", ProjectList)
        ->add_option("PROJECT", o->project, "settings file P.fil")
        ->required();
    CLI::App* get = add("get", "Write a stored tag to a tag file.", ProjectGet);
    get->add_option("PROJECT", o->project, "settings file P.fil")->required();
    get->add_option("TAG", o->tag, "tag number")->required();
    get->add_option("--out", o->out, "tag file to write")->required();
    CLI::App* put = add("put", "Store a tag file in the project.", ProjectPut);
    put->add_option("PROJECT", o->project, "settings file P.fil")->required();
    put->add_option("FILE", o->file, "tag file to read")->required();
    put->add_flag("--replace", o->replace, "replace a stored tag of the same number");
    CLI::App* del_tag = add("delete-tag", "Remove a tag from the project.", ProjectDeleteTag);
    del_tag->add_option("PROJECT", o->project, "settings file P.fil")->required();
    del_tag->add_option("TAG", o->tag, "tag number")->required();
    CLI::App* del = add("delete", "Delete the project's files.", ProjectDelete);
    del->add_option("PROJECT", o->project, "settings file P.fil")->required();
    del->add_flag("--yes", o->yes, "really delete every tag of the project");
    CLI::App* settings =
        add("settings", "Show or set company, customer and default unit settings.", ProjectSettingsCommand);
    settings->add_option("PROJECT", o->project, "settings file P.fil")->required();
    settings->add_option("ASSIGNMENTS", o->assignments, "NAME=VALUE ...");
}

}  // namespace quorven::cli
