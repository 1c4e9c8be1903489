#pragma once
// The command table of the desktop program: every menu and accelerator command by
// its numeric identifier, with its caption, accelerator, and its enable and check
// rules as plain functions of the document state. The Qt frame asks these rules
// before a menu shows and whenever the record changes; tests ask them directly.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "record/tag_record.h"

namespace quorven {

// What the rules look at: the active project window's document (if any) and the
// few program-wide items.
struct CommandState {
    const TagRecord* record = nullptr;  // the active document's tag; null when no window is open
    bool project_open = false;          // the document's ProjectOpen
    bool tag_saved = true;              // the document's TagSaved
    std::string project_name;           // the document's ProjectName
    bool tag_clipboard_full = false;    // the internal tag clipboard holds a copy
    int application_look = 215;
    bool tool_bar_visible = true;
    bool status_bar_visible = true;
    int recent_file_count = 0;
};

using CommandRule = bool (*)(const CommandState&);

struct CommandInfo {
    int id = 0;
    std::string_view caption;       // menu text as shown: '&' marks the mnemonic, '\t' starts the key text
    std::string_view shortcut;      // the accelerator in portable key text ("Ctrl+Alt+S"), or empty
    bool pending = false;           // its feature is not built yet: shown, never enabled
    bool needs_document = true;     // acts on the active project window's document
    CommandRule enabled = nullptr;  // extra condition; null means always
    CommandRule checked = nullptr;  // null: the command is not a check item
};

// Every command, menu order.
std::span<const CommandInfo> AllCommands();
// The command with this identifier, or null.
const CommandInfo* FindCommand(int id);

// The command's own rule, leaving out whether its feature is built yet. False for
// a document command when no document is open, and for an unknown identifier.
bool EnableRuleHolds(int id, const CommandState& state);
// What the menu shows: the rule holds and the feature is built.
bool IsCommandEnabled(int id, const CommandState& state);
bool IsCommandChecked(int id, const CommandState& state);

// The three status-bar pane texts: " CALC " while the tag needs calculating,
// " SAVE " while it differs from its stored copy, and the project pane.
std::array<std::string, 3> StatusPaneTexts(const CommandState& state);

// The menu tree. A Submenu holds children; RecentFiles stands for the four
// recent-file commands, which the frame fills with the profile's names.
struct MenuNode {
    enum class Kind { Command, Submenu, Separator, RecentFiles };
    Kind kind = Kind::Separator;
    int id = 0;                // Command
    std::string_view caption;  // Submenu
    std::span<const MenuNode> children;
};
std::span<const MenuNode> MenuBar();

}  // namespace quorven
