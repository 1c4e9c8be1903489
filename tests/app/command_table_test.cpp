#include "app/commands/command_table.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <string>

#include "app/commands/command_ids.h"
#include "app/commands/looks.h"

namespace quorven {
namespace {

// The document a rule row starts from: a new tag (gas volume, flow-meter mode,
// not calculated, not in a project file); each row changes one or two fields.
struct RuleFixture {
    TagRecord record = NewTagRecord();
    CommandState state;
    RuleFixture() { state.record = &record; }
};

using Setup = void (*)(RuleFixture&);

struct RuleCase {
    const char* what;
    int id;
    Setup setup;
    bool enabled;  // the command's own rule
    bool checked;
};

// Expected values read off the main form's enable and check table, row by row,
// with both sides of each condition.
const RuleCase kRuleCases[] = {
    {"save tag: in project and calculated", 32784,
     [](RuleFixture& f) {
         f.record.Rec_Version4 = 1;
         f.record.Calc_Status = 1;
     },
     true, false},
    {"save tag: in project, not calculated", 32784, [](RuleFixture& f) { f.record.Rec_Version4 = 1; }, false,
     false},
    {"save tag: calculated, not in project", 32784, [](RuleFixture& f) { f.record.Calc_Status = 1; }, false,
     false},
    {"save tag: calculated with warnings suppressed", 32784,
     [](RuleFixture& f) {
         f.record.Rec_Version4 = 1;
         f.record.Calc_Status = 20;
     },
     true, false},
    {"retrieve tag: in project", 32783, [](RuleFixture& f) { f.record.Rec_Version4 = 1; }, true, false},
    {"retrieve tag: not in project", 32783, [](RuleFixture&) {}, false, false},
    {"export: in project", 32814, [](RuleFixture& f) { f.record.Rec_Version4 = 1; }, true, false},
    {"export: not in project", 32814, [](RuleFixture&) {}, false, false},
    {"copy tag: calculated", 57634, [](RuleFixture& f) { f.record.Calc_Status = 1; }, true, false},
    {"copy tag: not calculated", 57634, [](RuleFixture&) {}, false, false},
    {"save tag to file: calculated", 32848, [](RuleFixture& f) { f.record.Calc_Status = 1; }, true, false},
    {"save tag to file: not calculated", 32848, [](RuleFixture&) {}, false, false},
    {"paste tag: clipboard full", 57637, [](RuleFixture& f) { f.state.tag_clipboard_full = true; }, true,
     false},
    {"paste tag: clipboard empty", 57637, [](RuleFixture&) {}, false, false},
    {"print calc sheet: calculated, project open", 32818,
     [](RuleFixture& f) {
         f.record.Calc_Status = 1;
         f.state.project_open = true;
     },
     true, false},
    {"print calc sheet: calculated, no project", 32818, [](RuleFixture& f) { f.record.Calc_Status = 1; },
     false, false},
    {"print calc sheet: project open, not calculated", 32818,
     [](RuleFixture& f) { f.state.project_open = true; }, false, false},
    {"preview uncertainty: calculated, project open", 32831,
     [](RuleFixture& f) {
         f.record.Calc_Status = 1;
         f.state.project_open = true;
     },
     true, false},
    {"datasheet entry: not calculated", 32826, [](RuleFixture& f) { f.state.project_open = true; }, false,
     false},
    {"datasheet entry: calculated, project open", 32826,
     [](RuleFixture& f) {
         f.record.Calc_Status = 1;
         f.state.project_open = true;
     },
     true, false},
    {"clear datasheet: a document is enough", 32827, [](RuleFixture&) {}, true, false},
    {"manometer: meter mode, factor on", 32788, [](RuleFixture& f) { f.record.Factor_Manometer = 1; }, true,
     true},
    {"manometer: critical drop", 32788,
     [](RuleFixture& f) { f.record.Calc_Mode = Code(CalcMode::CriticalDrop); }, false, false},
    {"drain/vent: restriction", 32789,
     [](RuleFixture& f) { f.record.Calc_Mode = Code(CalcMode::Restriction); }, false, false},
    {"drain/vent: meter mode, factor on", 32789, [](RuleFixture& f) { f.record.Factor_Drain = 1; }, true,
     true},
    {"water vapour: gas volume", 32790, [](RuleFixture&) {}, true, false},
    {"water vapour: gas mass in critical drop, factor on", 32790,
     [](RuleFixture& f) {
         f.record.Fluid_Equation = Code(FluidEquation::GasMass);
         f.record.Calc_Mode = Code(CalcMode::CriticalDrop);
         f.record.Factor_H2OvapIncl = 1;
     },
     true, true},
    {"water vapour: liquid", 32790,
     [](RuleFixture& f) { f.record.Fluid_Equation = Code(FluidEquation::LiquidMass); }, false, false},
    {"saturated liquid: meter mode, liquid mass", 32791,
     [](RuleFixture& f) {
         f.record.Fluid_Equation = Code(FluidEquation::LiquidMass);
         f.record.Factor_SatLiq = 1;
     },
     true, true},
    {"saturated liquid: meter mode, gas", 32791, [](RuleFixture&) {}, false, false},
    {"saturated liquid: restriction, liquid", 32791,
     [](RuleFixture& f) {
         f.record.Fluid_Equation = Code(FluidEquation::LiquidVolume);
         f.record.Calc_Mode = Code(CalcMode::Restriction);
     },
     false, false},
    {"vapour quality: meter mode, gas mass", 32792,
     [](RuleFixture& f) {
         f.record.Fluid_Equation = Code(FluidEquation::GasMass);
         f.record.Factor_VapQual = 1;
     },
     true, true},
    {"vapour quality: meter mode, gas volume", 32792, [](RuleFixture&) {}, false, false},
    {"vapour quality: critical drop, gas mass", 32792,
     [](RuleFixture& f) {
         f.record.Fluid_Equation = Code(FluidEquation::GasMass);
         f.record.Calc_Mode = Code(CalcMode::CriticalDrop);
     },
     false, false},
    {"orifice plate: restriction", 32794,
     [](RuleFixture& f) { f.record.Calc_Mode = Code(CalcMode::Restriction); }, true, false},
    {"orifice plate: critical drop", 32794,
     [](RuleFixture& f) { f.record.Calc_Mode = Code(CalcMode::CriticalDrop); }, false, false},
    {"flow nozzle: meter", 32795, [](RuleFixture&) {}, true, false},
    {"venturi: restriction", 32796, [](RuleFixture& f) { f.record.Calc_Mode = Code(CalcMode::Restriction); },
     false, false},
    {"venturi: critical drop", 32796,
     [](RuleFixture& f) { f.record.Calc_Mode = Code(CalcMode::CriticalDrop); }, true, false},
    {"UVT: meter", 32797, [](RuleFixture&) {}, true, false},
    {"Lo Loss: critical drop", 32798,
     [](RuleFixture& f) { f.record.Calc_Mode = Code(CalcMode::CriticalDrop); }, false, false},
    {"wedge: restriction", 32800, [](RuleFixture& f) { f.record.Calc_Mode = Code(CalcMode::Restriction); },
     false, false},
    {"proprietary 2: meter", 32847, [](RuleFixture&) {}, true, false},
    {"crit drop nozzle: critical drop, gas mass", 32801,
     [](RuleFixture& f) {
         f.record.Calc_Mode = Code(CalcMode::CriticalDrop);
         f.record.Fluid_Equation = Code(FluidEquation::GasMass);
     },
     true, false},
    // A gas tag whose condition field still holds a liquid code is a gas tag.
    {"crit drop nozzle: gas with stale liquid condition", 32801,
     [](RuleFixture& f) {
         f.record.Calc_Mode = Code(CalcMode::CriticalDrop);
         f.record.Fluid_Condition = Code(FluidCondition::LiquidBaseTemp);
     },
     true, false},
    {"crit drop nozzle: critical drop, liquid", 32801,
     [](RuleFixture& f) {
         f.record.Calc_Mode = Code(CalcMode::CriticalDrop);
         f.record.Fluid_Equation = Code(FluidEquation::LiquidVolume);
         f.record.Fluid_Condition = Code(FluidCondition::LiquidBaseTemp);
     },
     false, false},
    {"crit drop nozzle: meter mode, gas", 32801, [](RuleFixture&) {}, false, false},
    {"crit drop orifice: critical drop", 32802,
     [](RuleFixture& f) { f.record.Calc_Mode = Code(CalcMode::CriticalDrop); }, true, false},
    {"crit drop orifice: restriction", 32802,
     [](RuleFixture& f) { f.record.Calc_Mode = Code(CalcMode::Restriction); }, false, false},
    {"crit drop venturi: critical drop, liquid", 32871,
     [](RuleFixture& f) {
         f.record.Calc_Mode = Code(CalcMode::CriticalDrop);
         f.record.Fluid_Equation = Code(FluidEquation::LiquidMass);
         f.record.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
     },
     true, false},
    {"crit drop venturi: critical drop, gas", 32871,
     [](RuleFixture& f) { f.record.Calc_Mode = Code(CalcMode::CriticalDrop); }, false, false},
    {"custom meter: meter", 32803, [](RuleFixture&) {}, true, false},
    {"custom meter: restriction", 32803,
     [](RuleFixture& f) { f.record.Calc_Mode = Code(CalcMode::Restriction); }, false, false},
    {"32867: meter mode", 32867, [](RuleFixture&) {}, true, false},
    {"32867: critical drop, liquid", 32867,
     [](RuleFixture& f) {
         f.record.Calc_Mode = Code(CalcMode::CriticalDrop);
         f.record.Fluid_Equation = Code(FluidEquation::LiquidVolume);
     },
     true, false},
    {"32867: critical drop, gas", 32867,
     [](RuleFixture& f) { f.record.Calc_Mode = Code(CalcMode::CriticalDrop); }, false, false},
    {"32867: restriction, liquid", 32867,
     [](RuleFixture& f) {
         f.record.Calc_Mode = Code(CalcMode::Restriction);
         f.record.Fluid_Equation = Code(FluidEquation::LiquidVolume);
     },
     false, false},
    {"delete tag: always", 32785, [](RuleFixture&) {}, true, false},
    {"retrieve tag from file: always", 32849, [](RuleFixture&) {}, true, false},
    {"calculate: always", 32810, [](RuleFixture&) {}, true, false},
    {"base: always", 32804, [](RuleFixture&) {}, true, false},
    {"look: the chosen one is checked", 216, [](RuleFixture& f) { f.state.application_look = 216; }, true,
     true},
    {"look: another is not", 215, [](RuleFixture& f) { f.state.application_look = 216; }, true, false},
    {"tool bar shown", 59392, [](RuleFixture&) {}, true, true},
    {"status bar hidden", 59393, [](RuleFixture& f) { f.state.status_bar_visible = false; }, true, false},
    {"recent file 2 of 2", 57617, [](RuleFixture& f) { f.state.recent_file_count = 2; }, true, false},
    {"recent file 3 of 2", 57618, [](RuleFixture& f) { f.state.recent_file_count = 2; }, false, false},
    {"no window: copy tag", 57634,
     [](RuleFixture& f) {
         f.record.Calc_Status = 1;
         f.state.record = nullptr;
     },
     false, false},
    {"no window: manometer not checked", 32788,
     [](RuleFixture& f) {
         f.record.Factor_Manometer = 1;
         f.state.record = nullptr;
     },
     false, false},
    {"no window: about", 57664, [](RuleFixture& f) { f.state.record = nullptr; }, true, false},
    {"unknown identifier", 12345, [](RuleFixture&) {}, false, false},
};

void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << c.what << " (" << c.id << ")";
}

class CommandRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(CommandRules, EnableAndCheckFollowTheDocument) {
    const RuleCase& c = GetParam();
    RuleFixture f;
    c.setup(f);
    EXPECT_EQ(EnableRuleHolds(c.id, f.state), c.enabled);
    EXPECT_EQ(IsCommandChecked(c.id, f.state), c.checked);
    // What the menu shows: the rule, and never a feature still to come.
    const CommandInfo* info = FindCommand(c.id);
    EXPECT_EQ(IsCommandEnabled(c.id, f.state), c.enabled && info != nullptr && !info->pending);
}

INSTANTIATE_TEST_SUITE_P(MainForm, CommandRules, ::testing::ValuesIn(kRuleCases),
                         [](const ::testing::TestParamInfo<RuleCase>& row) {
                             return "row" + std::to_string(row.index);
                         });

void CollectMenuIds(std::span<const MenuNode> nodes, std::multiset<int>& ids, int& recent_lists) {
    for (const MenuNode& n : nodes) {
        if (n.kind == MenuNode::Kind::Command) ids.insert(n.id);
        if (n.kind == MenuNode::Kind::RecentFiles) ++recent_lists;
        if (n.kind == MenuNode::Kind::Submenu) {
            EXPECT_FALSE(n.children.empty()) << n.caption;
            CollectMenuIds(n.children, ids, recent_lists);
        }
    }
}

TEST(CommandTable, EveryCommandHasOneMenuEntryExceptTheThreeWithout) {
    std::multiset<int> in_menu;
    int recent_lists = 0;
    CollectMenuIds(MenuBar(), in_menu, recent_lists);
    EXPECT_EQ(recent_lists, 1);
    const std::set<int> without_menu = {32846, 32847, 32867, 57616, 57617, 57618, 57619};
    std::set<int> seen;
    for (const CommandInfo& c : AllCommands()) {
        SCOPED_TRACE(c.id);
        EXPECT_TRUE(seen.insert(c.id).second) << "identifier twice in the table";
        EXPECT_EQ(in_menu.count(c.id), without_menu.count(c.id) ? 0u : 1u);
    }
    for (int id : in_menu) EXPECT_NE(FindCommand(id), nullptr) << id;
}

// The accelerator table of the main form, F1 for help and F9 for Calculate.
TEST(CommandTable, AcceleratorsAreThoseOfTheMainForm) {
    const std::map<std::string, int> kAccelerators = {
        {"Ctrl+C", 57634}, {"Ctrl+V", 57637},     {"Ctrl+B", 32816}, {"Ctrl+Alt+C", 32817},
        {"Alt+C", 57602},  {"Ctrl+Alt+D", 32827}, {"Ctrl+D", 32826}, {"Ctrl+Alt+V", 32828},
        {"Ctrl+P", 32818}, {"Ctrl+E", 32814},     {"Ctrl+I", 32815}, {"Ctrl+N", 32837},
        {"Ctrl+O", 32811}, {"Ctrl+Alt+S", 32812}, {"Alt+D", 32785},  {"Alt+R", 32783},
        {"Ctrl+S", 32784}, {"F1", 57667},         {"F9", 32810},
    };
    std::map<std::string, int> found;
    for (const CommandInfo& c : AllCommands()) {
        if (c.shortcut.empty()) continue;
        EXPECT_TRUE(found.emplace(std::string(c.shortcut), c.id).second) << c.shortcut << " twice";
    }
    EXPECT_EQ(found, kAccelerators);
}

TEST(CommandTable, CaptionsKeepTheProgramsTexts) {
    const std::pair<int, std::string_view> kCaptions[] = {
        {32837, "&New Project... \tCtrl-N"},  // the menu shows "Ctrl-N" as the program always did
        {57602, "&Close Project... \tAlt+C"},
        {32810, "&Calculate Sizing Parameter\tF9"},
        {32871, "Critial Drop Venturi..."},
        {32776, "&Gases && Vapors..."},
        {32824, "Ba&tch Print - Tag Index..."},
        {205, "Windows &2000"},
        {206, "Office &XP"},
        {207, "&Windows XP"},
        {208, "Office 200&3"},
        {209, "Visual Studio 200&5"},
        {210, "Visual Studio 200&8"},
        {215, "&Blue Style"},
        {216, "B&lack Style"},
        {217, "&Silver Style"},
        {218, "&Aqua Style"},
        {219, "Win&dows 7"},
        {57664, "&About Quorven..."},
    };
    for (const auto& [id, caption] : kCaptions) {
        SCOPED_TRACE(id);
        ASSERT_NE(FindCommand(id), nullptr);
        EXPECT_EQ(FindCommand(id)->caption, caption);
    }
}

TEST(CommandTable, PendingCommandsStayDisabledWhateverTheirRule) {
    RuleFixture f;
    f.record.Calc_Status = 1;
    f.record.Rec_Version4 = 1;
    f.state.project_open = true;
    f.state.tag_clipboard_full = true;
    int pending = 0;
    for (const CommandInfo& c : AllCommands()) {
        if (!c.pending) continue;
        ++pending;
        EXPECT_FALSE(IsCommandEnabled(c.id, f.state)) << c.id;
    }
    EXPECT_EQ(pending, 0);  // every command of the menus is built
    // The frame's own commands work now.
    for (int id : {57665, 57664, 57667, 215, 59392, 59393, 57650, 57651})
        EXPECT_TRUE(IsCommandEnabled(id, f.state)) << id;
}

TEST(CommandTable, EachLookHasACommandAndAStyleQtProvides) {
    EXPECT_EQ(ApplicationLooks().size(), 11u);
    for (const ApplicationLook& look : ApplicationLooks()) {
        SCOPED_TRACE(look.id);
        EXPECT_NE(FindCommand(look.id), nullptr);
        EXPECT_TRUE(look.style == "Fusion" || look.style == "Windows");
    }
    EXPECT_EQ(FindApplicationLook(218).id, 218);
    EXPECT_EQ(FindApplicationLook(-7).id, 215);  // a damaged profile value gives the default look
}

struct PaneCase {
    const char* what;
    int calc_status;
    bool tag_saved;
    bool project_open;
    bool has_window;
    std::array<std::string, 3> panes;
};

TEST(StatusPanes, ShowCalcSaveAndProject) {
    const PaneCase kCases[] = {
        {"new tag, no project", 0, false, false, true, {" CALC ", " SAVE ", "PROJECT:  CLOSED"}},
        {"calculated, saved, project", 1, true, true, true, {"", "", "PROJECT:  Plant7"}},
        {"suppressed warnings count as calculated",
         20,
         false,
         true,
         true,
         {"", " SAVE ", "PROJECT:  Plant7"}},
        {"no window", 0, false, true, false, {"", "", "PROJECT:  CLOSED"}},
    };
    for (const PaneCase& c : kCases) {
        SCOPED_TRACE(c.what);
        RuleFixture f;
        f.record.Calc_Status = c.calc_status;
        f.state.tag_saved = c.tag_saved;
        f.state.project_open = c.project_open;
        f.state.project_name = "Plant7";
        if (!c.has_window) f.state.record = nullptr;
        EXPECT_EQ(StatusPaneTexts(f.state), c.panes);
    }
}

}  // namespace
}  // namespace quorven
