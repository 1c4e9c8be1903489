#pragma once
// The project and tag commands without their windows: New, Open, Save (the
// settings) and Delete Project; Save, Retrieve and Delete Tag, a tag to and from a
// tag file, Copy and Paste Tag; the company and customer data. They reach the user
// through the message sink, the file chooser and the dialogs below, which the
// desktop program implements and tests fake.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "messages/messages.h"
#include "messages/platform.h"
#include "project/database.h"
#include "project/project_document.h"
#include "project/tag_clipboard.h"

namespace quorven {

// The customer data of the settings (Windows-1252, as stored). The "Project
// Information" dialog edits all six, "Customer Data" the first five, and
// "Confirm Project Database Delete" shows the first five.
struct CustomerTexts {
    std::string client;     // 30 characters
    std::string project;    // 30
    std::string location;   // 30
    std::string jobpo_no;   // 15
    std::string calcso_no;  // 15
    std::string user_name;  // 25: kept with the company data
};
struct CompanyTexts {
    std::string name;       // 50
    std::string address;    // 50
    std::string phone;      // 50
    std::string user_name;  // 25
};
CustomerTexts CustomerTextsOf(const ProjectSettings& s);
void StoreCustomerTexts(ProjectSettings& s, const CustomerTexts& t);  // user name included
CompanyTexts CompanyTextsOf(const ProjectSettings& s);
void StoreCompanyTexts(ProjectSettings& s, const CompanyTexts& t);

// What the "Project Tag Selection" dialog shows: the stored tag numbers, sorted
// without regard to case, and for the highlighted one its service, line number
// and P&ID number, read from the project without touching the document.
class TagBrowser {
public:
    TagBrowser(CDatabase& db, MessageSink& sink);
    const std::vector<std::string>& Tags() const { return tags_; }  // Windows-1252
    int Count() const { return static_cast<int>(tags_.size()); }
    // The first tag that begins with `typed`, compared without regard to case; -1.
    int FindPrefix(std::string_view typed) const;
    struct Details {
        std::string service, line_no, pid_no;  // Windows-1252
    };
    Details Read(std::string_view tag);

private:
    CDatabase& db_;
    MessageSink& sink_;
    std::vector<std::string> tags_;
};

// The answers of "Tag Data Overwrite Warning!", numbered as the dialog returns them;
// what each means is the importing command's choice.
enum class OverwriteAnswer { Yes = 1, No = 2, All = 3, Cancel = 4 };

class ProjectDialogs {
public:
    virtual ~ProjectDialogs() = default;
    virtual bool ProjectInformation(CustomerTexts& texts) = 0;              // template 103; OK: true
    virtual bool ConfirmProjectDelete(const CustomerTexts& texts) = 0;      // template 104; OK: true
    virtual std::optional<std::string> SelectTag(TagBrowser& browser) = 0;  // template 106; the tag chosen
    virtual bool CompanyData(CompanyTexts& texts) = 0;                      // template 345
    virtual bool CustomerData(CustomerTexts& texts) = 0;                    // template 346
    // Template 105: the tag (Windows-1252) already exists; replace it with imported data?
    virtual OverwriteAnswer TagDataOverwrite(std::string_view tag) = 0;
};

// What a command may use to ask and show.
struct CommandUi {
    MessageSink& sink;
    FileChooser& chooser;
    ProjectDialogs& dialogs;
};

// --- Start-up and the configuration --------------------------------------------
// The configuration into the document (its settings, unit lists and the record's
// default units), or, when there is none, a new one written from the document's.
// Returns whether a configuration file was read. A document without a
// configuration directory neither reads nor writes one.
bool LoadConfiguration(ProjectDocument& doc, MessageSink& sink);
// Writes the document's settings as the configuration.
bool SaveConfiguration(ProjectDocument& doc, MessageSink& sink);

// --- Project commands -----------------------------------------------------------
// New Project: asks for the file and the project information, writes the
// configuration and creates the three files with the document's settings and the
// customer data given. The document's own settings are left as they were (they
// belong to its project). Returns the new settings file, to be opened in a window
// of its own; nothing when cancelled, refused or failed.
std::optional<std::string> NewProject(ProjectDocument& doc, CommandUi& ui);
// Open Project's chooser.
std::optional<std::string> ChooseProjectToOpen(FileChooser& chooser);
// Opens a project into a document (a new window's): its settings (a settings file
// that cannot be used is reported and the configuration's settings stay), its
// database with whatever an interrupted change left, and the upgrade of older
// records. False, with the reason shown, when the settings file does not exist.
bool OpenProject(ProjectDocument& doc, const std::string& settings_path, MessageSink& sink);
// Save Project: the unit lists back to their defaults as asked, then, when the
// user agrees, the record's unit selections as the defaults, written to the
// project's settings file and the configuration (only the configuration while no
// project is open).
void SaveProjectSettings(ProjectDocument& doc, MessageSink& sink);
// Delete Project: asks for the file, shows its customer data and on OK deletes the
// project's files. Returns the deleted settings file (windows showing that project
// are closed to it); nothing when cancelled or failed.
std::optional<std::string> DeleteProject(ProjectDocument& doc, CommandUi& ui);

// --- Tag commands ---------------------------------------------------------------
// Whether the current tag may be replaced: true when it has no unsaved edits or the
// user agrees to discard them (`next` names what replaces it, may be empty).
bool MayDiscardEdits(const ProjectDocument& doc, MessageSink& sink, std::string_view next = {});
// The same question ending with `question` ("Discard them and ...?").
bool MayDiscardEditsFor(const ProjectDocument& doc, MessageSink& sink, std::string_view question);
// Save Tag. True when the tag is stored; TagSaved is set only then.
bool SaveTag(ProjectDocument& doc, MessageSink& sink);
// Retrieve Tag. True when another tag became the current one; on Cancel nothing
// changed.
bool RetrieveTag(ProjectDocument& doc, CommandUi& ui);
// Reads a stored tag into the document as Retrieve does after its dialog.
bool LoadStoredTag(ProjectDocument& doc, std::string_view tag, MessageSink& sink);
// Delete Tag: removes the chosen tag from the index after "Delete the tag:  %s?".
// The document keeps its record; when that was the deleted tag it is no longer
// saved. True when a tag was removed.
bool DeleteTag(ProjectDocument& doc, CommandUi& ui);
bool SaveTagToFile(ProjectDocument& doc, CommandUi& ui);
// Reads a tag file into the document (after asking about unsaved edits); in a
// project window the tag can then be saved into the project.
bool RetrieveTagFromFile(ProjectDocument& doc, CommandUi& ui);
// Paste Tag: the clipboard's carried fields into the document's record, after
// asking about unsaved edits. False when the clipboard is empty or the user kept
// the edits (the copy then stays in the clipboard).
bool PasteTagInto(ProjectDocument& doc, TagClipboard& clipboard, MessageSink& sink);
// Clear Calc: after asking about unsaved edits, the document's record is blanked
// (ResetTagData and Clear Datasheet; units and uncertainty set-up kept), `redraw`
// runs, and a notice says what was cleared: the window's copy only, the stored
// tag being unchanged until a tag is saved over it. False when the user kept the
// edits.
bool ClearCalcCommand(ProjectDocument& doc, MessageSink& sink, const std::function<void()>& redraw = {});
// Company Data and Customer Data: the dialog, then the configuration is written.
bool EditCompanyData(ProjectDocument& doc, CommandUi& ui);
bool EditCustomerData(ProjectDocument& doc, CommandUi& ui);

}  // namespace quorven
