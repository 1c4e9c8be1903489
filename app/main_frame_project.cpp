// The main frame's project and tag commands: New, Open, Close, Save and Delete
// Project; Save, Retrieve and Delete Tag, tag files, Copy and Paste Tag; company
// and customer data; and the question before a window with unsaved edits closes.
// The work itself is done by the Qt-free commands of project/.

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/commands/command_ids.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/platform/profile.h"
#include "app/platform/qt_text.h"
#include "app/view.h"
#include "project/configuration.h"
#include "project/project_commands.h"

namespace quorven {
namespace {

using namespace cmd;

// Two names of one project file are the same file.
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    const bool same = std::filesystem::equivalent(a, b, ec);
    return !ec ? same : a == b;
}

}  // namespace

void CMainFrame::CommitPendingEdit() {
    // An edit of the form stores its value when it loses the focus. The focus moves
    // to the form itself rather than nowhere: a window without a focus widget would
    // hand the keyboard, and with it the active window, to another project's form
    // when a dialog closes.
    if (auto* child = qobject_cast<CChildFrame*>(mdi_->activeSubWindow())) {
        QWidget* focus = QApplication::focusWidget();
        if (focus != nullptr && child->isAncestorOf(focus)) child->View().setFocus(Qt::OtherFocusReason);
    }
}

CChildFrame* CMainFrame::WindowOfProject(const std::string& settings_path) const {
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        auto* child = qobject_cast<CChildFrame*>(w);
        if (child == nullptr) continue;
        const CQuorven64Doc& doc = child->Document();
        if (doc.project_open && doc.database && SameFile(doc.database->Paths().Settings(), settings_path))
            return child;
    }
    return nullptr;
}

void CMainFrame::OpenProjectFile(const std::filesystem::path& path) {
    const std::string settings = path.string();
    if (CChildFrame* open = WindowOfProject(settings)) {
        mdi_->setActiveSubWindow(open);
        return;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        Message m;
        m.caption = "Open Project";
        m.text = "The project file\n" + settings + "\ncannot be opened: it does not exist or cannot be read.";
        sink_.Show(m);
        return;
    }
    CChildFrame* child = OpenDocumentWindow();
    CQuorven64Doc& doc = child->Document();
    if (!OpenProject(doc, settings, sink_)) {
        child->close();
        return;
    }
    doc.title = ToQString(doc.project_name) + QStringLiteral(".fil");
    profile_.AddRecentFile(settings);
    doc.NotifyRecordChanged();
    doc.MarkBaseline();
    OnActiveWindowChanged();
}

bool CMainFrame::RunProjectCommand(int id) {
    static constexpr int kProjectCommands[] = {
        kNewProject, kOpenProject, kCloseProject, kSaveProject,   kDeleteProject,
        kSaveTag,    kRetrieveTag, kDeleteTag,    kSaveTagToFile, kRetrieveTagFromFile,
        kCopyTag,    kPasteTag,    kCompanyData,  kCustomerData,
    };
    if (std::find(std::begin(kProjectCommands), std::end(kProjectCommands), id) == std::end(kProjectCommands))
        return false;
    CQuorven64Doc* doc = ActiveDocument();
    // Commands that need no window work on the configuration's settings.
    ProjectDocument scratch;
    scratch.config_dir = config_dir_;
    if (doc == nullptr) LoadConfiguration(scratch, sink_);
    ProjectDocument& target = doc != nullptr ? static_cast<ProjectDocument&>(*doc) : scratch;
    CommandUi ui{sink_, *chooser_, *dialogs_};
    bool changed = false;
    bool loaded = false;  // the record was read or stored: it is the baseline of later edits
    switch (id) {
        case kNewProject:
            if (const std::optional<std::string> created = NewProject(target, ui)) OpenProjectFile(*created);
            break;
        case kOpenProject:
            if (const std::optional<std::string> chosen = ChooseProjectToOpen(*chooser_))
                OpenProjectFile(*chosen);
            break;
        case kCloseProject:
            if (QMdiSubWindow* w = mdi_->activeSubWindow()) w->close();
            break;
        case kSaveProject:
            CommitPendingEdit();
            SaveProjectSettings(target, sink_);
            changed = true;
            break;
        case kDeleteProject:
            if (const std::optional<std::string> deleted = DeleteProject(target, ui)) {
                // Every window of that project is closed to it: its tags are gone.
                for (QMdiSubWindow* w : mdi_->subWindowList()) {
                    auto* child = qobject_cast<CChildFrame*>(w);
                    if (child == nullptr) continue;
                    CQuorven64Doc& d = child->Document();
                    if (d.database && d.database->Paths().Settings() == ProjectPathsOf(*deleted).Settings()) {
                        d.project_open = false;
                        d.database.reset();
                        d.tag_saved = false;
                        d.NotifyRecordChanged();
                    }
                }
            }
            break;
        case kSaveTag:
            CommitPendingEdit();
            changed = SaveTag(target, sink_);
            loaded = changed;
            break;
        case kRetrieveTag:
            CommitPendingEdit();
            changed = RetrieveTag(target, ui);
            loaded = changed;
            break;
        case kDeleteTag:
            CommitPendingEdit();
            changed = DeleteTag(target, ui);
            break;
        case kSaveTagToFile:
            CommitPendingEdit();
            changed = SaveTagToFile(target, ui);
            loaded = changed;
            break;
        case kRetrieveTagFromFile:
            CommitPendingEdit();
            changed = RetrieveTagFromFile(target, ui);
            loaded = changed;
            break;
        case kCopyTag:
            CommitPendingEdit();
            CopyTag(target.record, *clipboard_);
            break;
        case kPasteTag:
            CommitPendingEdit();
            changed = PasteTagInto(target, *clipboard_, sink_);
            break;
        case kCompanyData:
            changed = EditCompanyData(target, ui);
            break;
        case kCustomerData:
            changed = EditCustomerData(target, ui);
            break;
        default:
            return false;
    }
    if (changed && doc != nullptr) doc->NotifyRecordChanged();
    // After the form has drawn the record, which may still store a display value.
    if (loaded && doc != nullptr) doc->MarkBaseline();
    UpdateCommands();
    return true;
}

// Exit asks every window with unsaved edits first; one "No" keeps them all open.
void CMainFrame::closeEvent(QCloseEvent* event) {
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        auto* child = qobject_cast<CChildFrame*>(w);
        if (child == nullptr) continue;
        mdi_->setActiveSubWindow(child);
        if (!MayDiscardEdits(child->Document(), sink_)) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

}  // namespace quorven
