#pragma once
// The main frame: menu bar, tool bar "Standard", status bar with its three panes,
// and the workspace holding one window per open project. Every command is a
// QAction found by its identifier; enable and check states come from the command
// table, asked before a menu shows and whenever the record or the active window
// changes.

#include <QMainWindow>
#include <QMetaObject>
#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/commands/command_table.h"
#include "form/meter_choices.h"
#include "project/tag_clipboard.h"
#include "record/units.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;
class QCloseEvent;

namespace quorven {

class CChildFrame;
class CQuorven64Doc;
class FileChooser;
class ProjectDialogs;
class MessageSink;
struct FluidSession;
class PropertyDatabase;
class Profile;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // The application title.
    static constexpr const char* kTitle = "Quorven Version 4.0";

    CMainFrame(Profile& profile, MessageSink& sink, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // A new project window showing a fresh document ("Std Screen"), maximised.
    CChildFrame* OpenDocumentWindow();
    CQuorven64Doc* ActiveDocument() const;
    void RunFactorDialog(int id);
    void RunAccuDialog();
    void RunUnitsSetup(FlowKind k);
    QMdiArea* Workspace() const { return mdi_; }

    QAction* Action(int id) const;
    CommandState CurrentCommandState() const;
    // Enable and check every command and redraw the status panes.
    void UpdateCommands();
    std::array<QString, 3> StatusPanes() const;

    // Runs a command by its identifier (what its menu entry, key or button does).
    void RunCommand(int id);
    // Opens a project (named on the command line, in the recent-file list, dropped
    // on the frame or chosen by Open Project) in a window of its own; a project
    // that is open already has its window brought to the front.
    void OpenProjectFile(const std::filesystem::path& path);
    // The window showing the project of this settings file, or null.
    CChildFrame* WindowOfProject(const std::string& settings_path) const;
    void ApplyLook(int id);
    // The meter dialogs' remembered choices, owned by the application object.
    void UseMeterMemory(MeterDialogMemory& memory) { meter_memory_ = &memory; }
    // The internal tag clipboard, owned by the application object.
    void UseTagClipboard(TagClipboard& clipboard) { clipboard_ = &clipboard; }
    // Where quorven.cfg is kept; empty (the default): windows use no configuration file.
    void SetConfigurationDirectory(std::string dir) { config_dir_ = std::move(dir); }
    // The file chooser and the project dialogs: Qt's unless a test puts its own.
    void UseFileChooser(FileChooser& chooser) { chooser_ = &chooser; }
    void UseProjectDialogs(ProjectDialogs& dialogs) { dialogs_ = &dialogs; }
    int Look() const { return look_; }
    // What the Fluids commands keep for the program run: the component list, the
    // property database (read from the program directory at its first use), the
    // remembered equation-of-state position.
    FluidSession& Fluids();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildActions();
    void BuildMenu(QMenu* menu, std::span<const MenuNode> nodes);
    void BuildToolBar();
    void BuildStatusBar();
    void FitScreen();
    void FillRecentFiles();
    void ShowAbout();
    void ShowHelp();
    void OnActiveWindowChanged();
    bool RunProjectCommand(int id);
    bool RunReportCommand(int id);
    void CommitPendingEdit();

    Profile& profile_;
    MessageSink& sink_;
    QMdiArea* mdi_;
    QToolBar* tool_bar_ = nullptr;
    std::array<QLabel*, 3> panes_{};
    std::map<int, QAction*> actions_;
    std::vector<QMenu*> check_groups_;  // submenus checked while one of their items is
    QMetaObject::Connection activation_;
    int look_;
    TagClipboard own_clipboard_;
    TagClipboard* clipboard_ = &own_clipboard_;
    std::string config_dir_;
    std::unique_ptr<FileChooser> own_chooser_;
    FileChooser* chooser_;
    std::unique_ptr<ProjectDialogs> own_dialogs_;
    ProjectDialogs* dialogs_;
    MeterDialogMemory own_meter_memory_;
    MeterDialogMemory* meter_memory_ = &own_meter_memory_;
    std::unique_ptr<FluidSession> fluids_;
    std::unique_ptr<PropertyDatabase> database_;
};

}  // namespace quorven
