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

#include "app/commands/command_table.h"
#include "form/meter_choices.h"
#include "record/units.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace quorven {

class CChildFrame;
class CQuorven64Doc;
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
    // Opening a project named on the command line, in the recent-file list or
    // dropped on the frame. Projects cannot be opened by this version yet: says so,
    // or says that the file cannot be read.
    void OpenProjectFile(const std::filesystem::path& path);
    void ApplyLook(int id);
    // The meter dialogs' remembered choices, owned by the application object.
    void UseMeterMemory(MeterDialogMemory& memory) { meter_memory_ = &memory; }
    int Look() const { return look_; }
    // What the Fluids commands keep for the program run: the component list, the
    // property database (read from the program directory at its first use), the
    // remembered equation-of-state position.
    FluidSession& Fluids();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildActions();
    void BuildMenu(QMenu* menu, std::span<const MenuNode> nodes);
    void BuildToolBar();
    void BuildStatusBar();
    void FillRecentFiles();
    void ShowAbout();
    void ShowHelp();
    void OnActiveWindowChanged();

    Profile& profile_;
    MessageSink& sink_;
    QMdiArea* mdi_;
    QToolBar* tool_bar_ = nullptr;
    std::array<QLabel*, 3> panes_{};
    std::map<int, QAction*> actions_;
    QMetaObject::Connection activation_;
    int look_;
    bool tag_clipboard_full_ = false;
    MeterDialogMemory own_meter_memory_;
    MeterDialogMemory* meter_memory_ = &own_meter_memory_;
    std::unique_ptr<FluidSession> fluids_;
    std::unique_ptr<PropertyDatabase> database_;
};

}  // namespace quorven
