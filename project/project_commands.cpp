#include "project/project_commands.h"

#include <algorithm>
#include <cctype>

#include "messages/messages.h"
#include "project/configuration.h"
#include "project/notices.h"
#include "project/tag_file.h"
#include "record/cformat.h"
#include "record/formats.h"
#include "record/tag_reset.h"
#include "record/text_codec.h"
#include "record/units.h"

namespace quorven {
namespace {

constexpr const char* kProjectFilter = "Project Files (*.fil)|*.fil||";
constexpr const char* kTagFilter = "Tag File (*.tag)|*.tag||";

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Alphabetical without regard to case; tags that differ only in case keep a fixed order.
bool LessNoCase(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(Lower(a[i]));
        const auto y = static_cast<unsigned char>(Lower(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(),
                                                      [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string Shown(std::string_view cp1252) {
    return Cp1252ToUtf8(cp1252);
}

// A read record joins the document as Retrieve Tag and Open Tag File leave it: the
// flow unit taken again from the document's lists at the record's selection, and
// its equation choice remembered as the default of its kind.
void TakeRecord(ProjectDocument& doc, const TagRecord& read) {
    doc.record = read;
    (void)ReapplyFlowUnit(doc.record, doc.unit_tables);
    RememberFluidEquation(doc.settings.Defaults, doc.record);
}

}  // namespace

CustomerTexts CustomerTextsOf(const ProjectSettings& s) {
    return {std::string(GetText(s.Client)),    std::string(GetText(s.Project)),
            std::string(GetText(s.Location)),  std::string(GetText(s.JobPO_No)),
            std::string(GetText(s.CalcSO_No)), std::string(GetText(s.User_Name))};
}

void StoreCustomerTexts(ProjectSettings& s, const CustomerTexts& t) {
    SetText(s.Client, t.client);
    SetText(s.Project, t.project);
    SetText(s.Location, t.location);
    SetText(s.JobPO_No, t.jobpo_no);
    SetText(s.CalcSO_No, t.calcso_no);
    SetText(s.User_Name, t.user_name);
}

CompanyTexts CompanyTextsOf(const ProjectSettings& s) {
    return {std::string(GetText(s.Company_Name)), std::string(GetText(s.Company_Address)),
            std::string(GetText(s.Company_Phone)), std::string(GetText(s.User_Name))};
}

void StoreCompanyTexts(ProjectSettings& s, const CompanyTexts& t) {
    SetText(s.Company_Name, t.name);
    SetText(s.Company_Address, t.address);
    SetText(s.Company_Phone, t.phone);
    SetText(s.User_Name, t.user_name);
}

// --- Tag browser ------------------------------------------------------------------

TagBrowser::TagBrowser(CDatabase& db, MessageSink& sink) : db_(db), sink_(sink) {
    db_.Sync(sink_);
    if (!db_.IndexPresent()) CError(sink_).Show(msg::kErrDatabaseOpen);
    for (const IndexEntry& e : db_.Entries())
        if (e.state == EntryState::Valid && db_.FindTag(e.tag) == e.position) tags_.push_back(e.tag);
    std::stable_sort(tags_.begin(), tags_.end(), LessNoCase);
}

int TagBrowser::FindPrefix(std::string_view typed) const {
    for (std::size_t i = 0; i < tags_.size(); ++i)
        if (StartsWithNoCase(tags_[i], typed)) return static_cast<int>(i);
    return -1;
}

TagBrowser::Details TagBrowser::Read(std::string_view tag) {
    TagRecord r;
    if (!db_.ReadTag(tag, r, sink_)) return {};
    return {std::string(GetText(r.Service)), std::string(GetText(r.Line_No)), std::string(GetText(r.Pid_No))};
}

// --- Configuration ----------------------------------------------------------------

bool LoadConfiguration(ProjectDocument& doc, MessageSink& sink) {
    if (doc.config_dir.empty()) return false;
    const std::string path = doc.ConfigFile();
    const SettingsRead read = ReadConfig(*doc.files, path, doc.settings, sink);
    if (read == SettingsRead::Missing) {
        (void)WriteConfig(*doc.files, path, doc.SettingsToWrite(), sink);
        return false;
    }
    if (read != SettingsRead::Read) return false;
    doc.unit_tables = UnitTablesOf(doc.settings);
    ApplyUnitDefaults(doc.record, doc.settings);
    return true;
}

bool SaveConfiguration(ProjectDocument& doc, MessageSink& sink) {
    if (doc.config_dir.empty()) return true;
    return WriteConfig(*doc.files, doc.ConfigFile(), doc.SettingsToWrite(), sink);
}

// --- Project commands -------------------------------------------------------------

std::optional<std::string> NewProject(ProjectDocument& doc, CommandUi& ui) {
    FileChoice choice;
    choice.save = true;
    choice.title = "New Project File";
    choice.filter = kProjectFilter;
    choice.default_ext = "fil";
    const std::optional<std::string> path = ui.chooser.Choose(choice);
    if (!path) return std::nullopt;
    const ProjectPaths paths = ProjectPathsOf(*path);
    // The name of the program's default project, in any letter case: on a file
    // system that ignores case "project.fil" is the same file.
    std::string lower = paths.name;
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    if (lower == "project") {
        ShowNotice(
            ui.sink, "WARNING",
            "''Project'' is a reserved name and cannot be used as a project name!\nCancelling operation.");
        return std::nullopt;
    }
    // The new project starts from this window's settings with the customer data
    // given. The window keeps its own: they are its project's, and its sheets and
    // Save Project must never take up another project's client.
    ProjectSettings settings = doc.SettingsToWrite();
    CustomerTexts texts = CustomerTextsOf(settings);
    if (!ui.dialogs.ProjectInformation(texts)) return std::nullopt;
    StoreCustomerTexts(settings, texts);
    if (!doc.config_dir.empty()) (void)WriteConfig(*doc.files, doc.ConfigFile(), settings, ui.sink);
    if (!CDatabase::CreateProject(*doc.files, paths, settings, ui.sink)) return std::nullopt;
    return paths.Settings();
}

std::optional<std::string> ChooseProjectToOpen(FileChooser& chooser) {
    FileChoice choice;
    choice.title = "Open Project File";
    choice.filter = kProjectFilter;
    choice.default_ext = "fil";
    return chooser.Choose(choice);
}

bool OpenProject(ProjectDocument& doc, const std::string& settings_path, MessageSink& sink) {
    const ProjectPaths paths = ProjectPathsOf(settings_path);
    FileLayer& files = *doc.files;
    const SettingsRead read = ReadSettingsFile(files, paths.Settings(), doc.settings);
    if (read == SettingsRead::Missing) {
        ShowNotice(sink, "Open Project",
                   "The project file\n" + paths.Settings() + "\ncannot be opened: it does not exist.");
        return false;
    }
    if (read == SettingsRead::Refused) {
        // The configuration's customer data are those of the project saved last,
        // not this one's: they are not shown, printed or saved as this project's.
        CustomerTexts none;
        none.user_name = std::string(GetText(doc.settings.User_Name));
        StoreCustomerTexts(doc.settings, none);
        ShowNotice(
            sink, "Open Project",
            "The settings file\n" + paths.Settings() +
                "\nis damaged (it is not 3352 bytes long) and was not used: the project opens with the "
                "unit, page and company settings of the configuration file and without customer data. "
                "Enter them with Customer Data; Save Project writes a new settings file.");
    }
    doc.unit_tables = UnitTablesOf(doc.settings);
    ApplyUnitDefaults(doc.record, doc.settings);
    doc.record.Rec_Version4 = 1;
    doc.project_dir = paths.dir;
    doc.project_name = paths.name;
    doc.database = std::make_unique<CDatabase>(files, paths);
    (void)doc.database->Open(sink);
    (void)doc.database->UpgradeIfNeeded(sink);
    doc.project_open = true;
    doc.tag_saved = false;
    doc.MarkBaseline();
    return true;
}

void SaveProjectSettings(ProjectDocument& doc, MessageSink& sink) {
    const bool flow_too = AskYesNo(sink, "Replace Flow Units",
                                   "Replace any existing custom flow units with default flow units?");
    ProjectSettings s = doc.SettingsToWrite();
    RestoreDefaultUnits(s, flow_too);
    doc.settings = s;
    doc.unit_tables = UnitTablesOf(s);
    (void)ReapplyFlowUnit(doc.record, doc.unit_tables);
    if (!AskYesNo(sink, "Save Current Project Settings", "Refresh current project with new settings?"))
        return;
    StoreSelections(doc.settings.Defaults, doc.record);
    // Without an open project the settings are the defaults of the configuration
    // only; no project file is made in the program directory.
    if (doc.project_open && doc.database) {
        if (!doc.files->Replace(doc.database->Paths().Settings(), SettingsToBytes(doc.SettingsToWrite()))) {
            CError(sink).Show(msg::kErrProjectCreate);
            return;
        }
    }
    (void)SaveConfiguration(doc, sink);
}

std::optional<std::string> DeleteProject(ProjectDocument& doc, CommandUi& ui) {
    FileChoice choice;
    choice.title = "Delete Project File";
    choice.filter = kProjectFilter;
    choice.default_ext = "fil";
    const std::optional<std::string> path = ui.chooser.Choose(choice);
    if (!path) return std::nullopt;
    FileLayer& files = *doc.files;
    const auto bytes = files.ReadAll(*path, kProjectSettingsSize + 1);
    if (!bytes) return std::nullopt;
    ProjectSettings shown = DefaultProjectSettings();
    CustomerTexts texts;
    if (SettingsFromBytes(*bytes, shown)) texts = CustomerTextsOf(shown);
    if (!ui.dialogs.ConfirmProjectDelete(texts)) return std::nullopt;
    const ProjectPaths paths = ProjectPathsOf(*path);
    // The settings file first: once it is gone the project is gone, whatever
    // happens to the rest.
    if (!files.Remove(*path)) {
        ShowNotice(ui.sink, "Delete Project",
                   "The project file\n" + *path + "\ncould not be deleted. Nothing was deleted.");
        return std::nullopt;
    }
    for (const std::string& p : {paths.Index(), paths.Records(), paths.Journal()}) (void)files.Remove(p);
    if (doc.database && doc.database->Paths().Settings() == paths.Settings()) {
        doc.project_open = false;
        doc.database.reset();
    }
    return *path;
}

// --- Tag commands -----------------------------------------------------------------

bool MayDiscardEdits(const ProjectDocument& doc, MessageSink& sink, std::string_view next) {
    if (!doc.HasUnsavedEdits()) return true;
    return MayDiscardEditsFor(
        doc, sink,
        next.empty() ? std::string("Discard them?") : "Discard them and open \"" + Shown(next) + "\"?");
}

bool MayDiscardEditsFor(const ProjectDocument& doc, MessageSink& sink, std::string_view question) {
    if (!doc.HasUnsavedEdits()) return true;
    const std::string_view tag = GetText(doc.record.Tag_No);
    std::string text = tag.empty() ? std::string("The current tag has changes that are not saved.")
                                   : "The tag \"" + Shown(tag) + "\" has changes that are not saved.";
    text += "\n";
    text += question;
    return AskYesNo(sink, "Unsaved Changes", text);
}

bool SaveTag(ProjectDocument& doc, MessageSink& sink) {
    if (GetText(doc.record.Tag_No).empty()) {
        CWarning(sink).Show(msg::kWarnNoTagNumber);
        return false;
    }
    if (!doc.project_open || !doc.database) {
        CError(sink).Show(msg::kErrNoProjectOpen);
        return false;
    }
    if (doc.database->WriteTag(doc.record, WriteMode::Ask, sink) != WriteOutcome::Saved) return false;
    doc.tag_saved = true;
    doc.MarkBaseline();
    return true;
}

bool LoadStoredTag(ProjectDocument& doc, std::string_view tag, MessageSink& sink) {
    if (!doc.project_open || !doc.database) {
        CError(sink).Show(msg::kErrNoProjectOpen);
        return false;
    }
    TagRecord read;
    if (!doc.database->ReadTag(tag, read, sink)) return false;
    TakeRecord(doc, read);
    doc.record.DpRefTemp = RoundTo(doc.record.DpRefTemp, 2);
    doc.tag_saved = true;
    doc.MarkBaseline();
    return true;
}

bool RetrieveTag(ProjectDocument& doc, CommandUi& ui) {
    if (!doc.project_open || !doc.database) {
        CError(ui.sink).Show(msg::kErrNoProjectOpen);
        return false;
    }
    doc.database->Sync(ui.sink);
    if (!doc.database->IndexPresent()) {
        CError(ui.sink).Show(msg::kErrIndexMissing);
        return false;
    }
    TagBrowser browser(*doc.database, ui.sink);
    const std::optional<std::string> tag = ui.dialogs.SelectTag(browser);
    if (!tag || !MayDiscardEdits(doc, ui.sink, *tag)) return false;
    return LoadStoredTag(doc, *tag, ui.sink);
}

bool DeleteTag(ProjectDocument& doc, CommandUi& ui) {
    if (!doc.project_open || !doc.database) {
        CError(ui.sink).Show(msg::kErrNoProjectOpen);
        return false;
    }
    doc.database->Sync(ui.sink);
    if (!doc.database->IndexPresent()) {
        CWarning(ui.sink).Show(msg::kWarnDeleteReserved);
        return false;
    }
    TagBrowser browser(*doc.database, ui.sink);
    const std::optional<std::string> tag = ui.dialogs.SelectTag(browser);
    if (!tag) return false;
    if (!AskYesNo(ui.sink, "CONFIRM TAG DELETION",
                  CFormat("Delete the tag:  %s?", {std::string_view(Shown(*tag))}), MessageIcon::Question))
        return false;
    if (!doc.database->RemoveTag(*tag, ui.sink)) return false;
    if (GetText(doc.record.Tag_No) == *tag) doc.tag_saved = false;
    return true;
}

bool SaveTagToFile(ProjectDocument& doc, CommandUi& ui) {
    FileChoice choice;
    choice.save = true;
    choice.title = "Tag Save";
    choice.filter = kTagFilter;
    choice.default_ext = "tag";
    choice.initial_name = "*.tag";
    const std::optional<std::string> path = ui.chooser.Choose(choice);
    if (!path || !WriteTagFile(*path, doc.record, ui.sink, *doc.files)) return false;
    doc.MarkBaseline();  // the work is kept in the file
    return true;
}

bool RetrieveTagFromFile(ProjectDocument& doc, CommandUi& ui) {
    FileChoice choice;
    choice.title = "Retrieve Tag";
    choice.filter = kTagFilter;
    choice.default_ext = "tag";
    choice.initial_name = "*.tag";
    const std::optional<std::string> path = ui.chooser.Choose(choice);
    if (!path) return false;
    TagRecord read;
    if (!ReadTagFile(*path, read, ui.sink, nullptr, *doc.files)) return false;
    if (!MayDiscardEdits(doc, ui.sink, GetText(read.Tag_No))) return false;
    TakeRecord(doc, read);
    // A tag file holds a record of the current format; in a project window it is
    // one of the project's records to be (it can be saved there).
    if (doc.project_open) doc.record.Rec_Version4 = 1;
    doc.tag_saved = false;
    doc.MarkBaseline();
    return true;
}

bool PasteTagInto(ProjectDocument& doc, TagClipboard& clipboard, MessageSink& sink) {
    if (!clipboard.full) return false;
    const std::string_view copied = GetText(clipboard.copy.Tag_No);
    if (!MayDiscardEditsFor(doc, sink,
                            copied.empty()
                                ? std::string("Discard them and paste the copied tag?")
                                : "Discard them and paste the copied tag \"" + Shown(copied) + "\"?"))
        return false;
    if (!PasteTag(clipboard, doc.record)) return false;
    doc.tag_saved = false;
    return true;
}

bool ClearCalcCommand(ProjectDocument& doc, MessageSink& sink, const std::function<void()>& redraw) {
    if (!MayDiscardEditsFor(doc, sink, "Discard them and clear the calculation?")) return false;
    const std::string tag(GetText(doc.record.Tag_No));
    const bool stored = !tag.empty() && doc.project_open && doc.database && doc.database->FindTag(tag) >= 0;
    ClearCalc(doc.record);
    doc.tag_saved = false;
    // A blank tag holds no work: replacing it asks nothing.
    doc.MarkBaseline();
    if (redraw) redraw();
    // Only the window's copy was cleared; the stored tag keeps its calculation and
    // datasheet until a tag is saved over it.
    std::string text = "Calculation and datasheet data cleared in this window.";
    if (stored)
        text += "\nThe tag \"" + Shown(tag) +
                "\" stored in the project is unchanged until a tag is saved under its number.";
    ShowNotice(sink, "NOTICE", text, MessageIcon::Information);
    return true;
}

bool EditCompanyData(ProjectDocument& doc, CommandUi& ui) {
    CompanyTexts texts = CompanyTextsOf(doc.settings);
    if (!ui.dialogs.CompanyData(texts)) return false;
    StoreCompanyTexts(doc.settings, texts);
    (void)SaveConfiguration(doc, ui.sink);
    return true;
}

bool EditCustomerData(ProjectDocument& doc, CommandUi& ui) {
    CustomerTexts texts = CustomerTextsOf(doc.settings);
    if (!ui.dialogs.CustomerData(texts)) return false;
    texts.user_name = std::string(GetText(doc.settings.User_Name));
    StoreCustomerTexts(doc.settings, texts);
    (void)SaveConfiguration(doc, ui.sink);
    return true;
}

}  // namespace quorven
