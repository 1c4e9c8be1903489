#include "app/commands/command_table.h"

#include <algorithm>

#include "app/commands/command_ids.h"
#include "record/cformat.h"
#include "record/choice_codes.h"

namespace quorven {
namespace {

using namespace cmd;

constexpr int kMeterMode = Code(CalcMode::Meter);
constexpr int kCriticalDropMode = Code(CalcMode::CriticalDrop);
constexpr int kRestrictionMode = Code(CalcMode::Restriction);

// The rules below see a record: EnableRuleHolds checks that one is there first.
const TagRecord& Rec(const CommandState& s) {
    return *s.record;
}

bool TagCalculated(const CommandState& s) {
    return Rec(s).Calc_Status != 0;
}
bool InProjectFile(const CommandState& s) {
    return Rec(s).Rec_Version4 != 0;
}
bool InProjectAndCalculated(const CommandState& s) {
    return InProjectFile(s) && TagCalculated(s);
}
bool ClipboardFull(const CommandState& s) {
    return s.tag_clipboard_full;
}
bool ReportReady(const CommandState& s) {
    return TagCalculated(s) && s.project_open;
}

bool MeterMode(const CommandState& s) {
    return Rec(s).Calc_Mode == kMeterMode;
}
bool CriticalDropMode(const CommandState& s) {
    return Rec(s).Calc_Mode == kCriticalDropMode;
}
bool MeterOrRestriction(const CommandState& s) {
    return Rec(s).Calc_Mode == kMeterMode || Rec(s).Calc_Mode == kRestrictionMode;
}
bool NotRestriction(const CommandState& s) {
    return Rec(s).Calc_Mode != kRestrictionMode;
}
// Gas or liquid is read from the fluid equation, the field that always carries it.
bool Gas(const CommandState& s) {
    return !IsLiquid(Rec(s));
}
bool Liquid(const CommandState& s) {
    return IsLiquid(Rec(s));
}

bool ManometerAllowed(const CommandState& s) {
    return MeterMode(s);
}
bool SatLiquidAllowed(const CommandState& s) {
    return MeterMode(s) && Liquid(s);
}
bool VaporQualityAllowed(const CommandState& s) {
    return MeterMode(s) && Rec(s).Fluid_Equation == Code(FluidEquation::GasMass);
}
bool CritDropGas(const CommandState& s) {
    return CriticalDropMode(s) && Gas(s);
}
bool CritDropLiquid(const CommandState& s) {
    return CriticalDropMode(s) && Liquid(s);
}
bool MeterOrCritDropLiquid(const CommandState& s) {
    return MeterMode(s) || CritDropLiquid(s);
}

bool ManometerChecked(const CommandState& s) {
    return Rec(s).Factor_Manometer != 0;
}
bool DrainChecked(const CommandState& s) {
    return Rec(s).Factor_Drain != 0;
}
bool WaterVaporChecked(const CommandState& s) {
    return Rec(s).Factor_H2OvapIncl != 0;
}
bool SatLiquidChecked(const CommandState& s) {
    return Rec(s).Factor_SatLiq != 0;
}
bool VaporQualityChecked(const CommandState& s) {
    return Rec(s).Factor_VapQual != 0;
}

bool ToolBarChecked(const CommandState& s) {
    return s.tool_bar_visible;
}
bool StatusBarChecked(const CommandState& s) {
    return s.status_bar_visible;
}

template <int kIndex>
bool RecentFilePresent(const CommandState& s) {
    return s.recent_file_count > kIndex;
}
template <int kLook>
bool LookChecked(const CommandState& s) {
    return s.application_look == kLook;
}

// A document command that is built: enabled by its rule.
constexpr CommandInfo DocCommand(int id, std::string_view caption, std::string_view shortcut = {},
                                 CommandRule enabled = nullptr, CommandRule checked = nullptr) {
    return CommandInfo{id, caption, shortcut, false, true, enabled, checked};
}
constexpr CommandInfo Frame(int id, std::string_view caption, std::string_view shortcut = {},
                            CommandRule enabled = nullptr, CommandRule checked = nullptr) {
    return CommandInfo{id, caption, shortcut, false, false, enabled, checked};
}

constexpr CommandInfo kCommands[] = {
    // File, Project
    Frame(kNewProject, "&New Project... \tCtrl-N", "Ctrl+N"),
    Frame(kOpenProject, "&Open Project...\tCtrl+O", "Ctrl+O"),
    DocCommand(kCloseProject, "&Close Project... \tAlt+C", "Alt+C"),
    DocCommand(kSaveProject, "&Save Project...\tCtrl+Alt+S", "Ctrl+Alt+S"),
    Frame(kDeleteProject, "&Delete Project..."),
    DocCommand(kExportAscii, "&Export ASCII File...\tCtrl+E", "Ctrl+E", InProjectFile),
    DocCommand(kImportAscii, "&Import ASCII File...\tCtrl+I", "Ctrl+I"),
    // File, Calculation
    DocCommand(kBatchCalc, "&Batch Calc...\tCtrl+B", "Ctrl+B"),
    DocCommand(kClearCalc, "&Clear Calc...\tCtrl+Alt+C", "Ctrl+Alt+C"),
    // File, Datasheet
    DocCommand(kEnterDatasheet, "&Enter Datasheet Data...\tCtrl+D", "Ctrl+D", ReportReady),
    DocCommand(kClearDatasheet, "&Clear Datasheet\tCtrl+Alt+D", "Ctrl+Alt+D"),
    // File, Print
    DocCommand(kPrintCalcSheet, "&Calc Sheet...\tCtrl+P", "Ctrl+P", ReportReady),
    DocCommand(kPrintDatasheet, "&Datasheet...", {}, ReportReady),
    DocCommand(kPrintCalibration, "Ca&libration Chart...", {}, ReportReady),
    DocCommand(kPrintUncertainty, "&Meter Uncertainty Calc...", {}, ReportReady),
    DocCommand(kBatchPrintCalcSheets, "&Batch Print - Calc Sheets..."),
    DocCommand(kBatchPrintDatasheets, "B&atch Print - Datasheets..."),
    DocCommand(kBatchPrintCalibration, "Batch &Print - Calibration Charts..."),
    DocCommand(kBatchPrintUncertainty, "Batch P&rint - Uncertainty Calcs..."),
    DocCommand(kBatchPrintTagIndex, "Ba&tch Print - Tag Index..."),
    // File, Print Preview
    DocCommand(kPreviewCalcSheet, "&Calc Sheet...\tCtrl+Alt+V", "Ctrl+Alt+V", ReportReady),
    DocCommand(kPreviewDatasheet, "&Datasheet...", {}, ReportReady),
    DocCommand(kPreviewCalibration, "Ca&libration Chart...", {}, ReportReady),
    DocCommand(kPreviewUncertainty, "Meter &Uncertainty Calc...", {}, ReportReady),
    DocCommand(kBatchPreviewCalcSheets, "&Batch Preview - Calc Sheets..."),
    DocCommand(kBatchPreviewDatasheets, "B&atch Preview - Datasheets..."),
    DocCommand(kBatchPreviewCalibration, "Batch &Preview - Calibration Charts..."),
    DocCommand(kBatchPreviewUncertainty, "Batch P&review - Uncertainty Calcs..."),
    DocCommand(kBatchPreviewTagIndex, "Ba&tch Preview - Tag Index..."),
    // File
    DocCommand(kExportCalcSheetPdf, "E&xport Calc Sheet to PDF...", {}, ReportReady),
    DocCommand(kExportDatasheetPdf, "Expor&t Datasheet to PDF...", {}, ReportReady),
    DocCommand(kExportCalibrationPdf, "Export Calibration C&hart to PDF...", {}, ReportReady),
    DocCommand(kExportUncertaintyPdf, "Export Uncertaint&y Calc to PDF...", {}, ReportReady),
    Frame(kPrinterFont, "Set Printer &Font..."),
    Frame(kPageSetup, "P&age Setup..."),
    DocCommand(kPackProject, "&Pack Project Database"),
    DocCommand(kRebuildIndex, "&Rebuild Project Index"),
    Frame(kRecentFile1 + 0, "Recent File 1", {}, RecentFilePresent<0>),
    Frame(kRecentFile1 + 1, "Recent File 2", {}, RecentFilePresent<1>),
    Frame(kRecentFile1 + 2, "Recent File 3", {}, RecentFilePresent<2>),
    Frame(kRecentFile1 + 3, "Recent File 4", {}, RecentFilePresent<3>),
    Frame(kExit, "E&xit"),
    // Edit
    DocCommand(kCopyTag, "&Copy Tag\tCtrl+C", "Ctrl+C", TagCalculated),
    DocCommand(kPasteTag, "&Paste Tag\tCtrl+V", "Ctrl+V", ClipboardFull),
    // Tag
    DocCommand(kSaveTag, "&Save Tag\tCtrl+S", "Ctrl+S", InProjectAndCalculated),
    DocCommand(kRetrieveTag, "&Retrieve Tag...\tAlt+R", "Alt+R", InProjectFile),
    DocCommand(kDeleteTag, "&Delete Tag...\tAlt+D", "Alt+D"),
    DocCommand(kSaveTagToFile, "Save Tag to &File...", {}, TagCalculated),
    DocCommand(kRetrieveTagFromFile, "Retrieve Tag from F&ile..."),
    // Fluids
    DocCommand(kFluidAga8, "&AGA Natural Gas..."),
    DocCommand(kFluidGasesCalc, "&Gases && Vapors..."),
    DocCommand(kFluidLiquidsCalc, "&Liquids..."),
    DocCommand(kSatSteamPressure, "Sat Steam @ &Pressure..."),
    DocCommand(kSatSteamTemperature, "Sat Steam @ &Temperature..."),
    DocCommand(kSuperheatedSteam, "&Superheated Steam..."),
    DocCommand(kCompressedWater, "&Compressed Water..."),
    DocCommand(kGasSetup, "&Gases && Vapors..."),
    DocCommand(kLiquidSetup, "&Liquids..."),
    // Sizing
    DocCommand(kCalcSetup, "Calculation &Setup..."),
    DocCommand(kCalculate, "&Calculate Sizing Parameter\tF9", "F9"),
    // Factors
    DocCommand(kFactorManometer, "&Manometer...", {}, ManometerAllowed, ManometerChecked),
    DocCommand(kFactorDrainVent, "&Drain/Vent Hole...", {}, MeterMode, DrainChecked),
    DocCommand(kFactorWaterVapor, "&Water Vapor...", {}, Gas, WaterVaporChecked),
    DocCommand(kFactorSatLiquid, "&Saturated Liquid...", {}, SatLiquidAllowed, SatLiquidChecked),
    DocCommand(kFactorVaporQuality, "&Vapor Quality...", {}, VaporQualityAllowed, VaporQualityChecked),
    // Meter and Pipe
    DocCommand(kOrificePlate, "&Orifice Plate...", {}, MeterOrRestriction),
    DocCommand(kFlowNozzle, "&Flow Nozzle...", {}, MeterOrRestriction),
    DocCommand(kVenturi, "&Venturi...", {}, NotRestriction),
    DocCommand(kUvt, "UVT\xC2\xAE Universal Venturi Tube...", {}, MeterMode),
    DocCommand(kLoLoss, "&Lo Loss\xC2\xAE Flow Tube...", {}, MeterMode),
    DocCommand(kWedgeMeters, "&Wedge Meters...", {}, MeterMode),
    DocCommand(kCritDropNozzle, "Critical Drop &Nozzle...", {}, CritDropGas),
    DocCommand(kCritDropOrifice, "Critical Drop Orifice &Plate...", {}, CriticalDropMode),
    DocCommand(kCritDropVenturi, "Critial Drop Venturi...", {}, CritDropLiquid),
    DocCommand(kCustomMeter, "Custom &Meter...", {}, MeterMode),
    DocCommand(kPipeData, "&Pipe Data..."),
    DocCommand(kProprietary1, "Proprietary Meter 1...", {}, MeterMode),
    DocCommand(kProprietary2, "Proprietary Meter 2...", {}, MeterMode),
    DocCommand(kProprietary1Alt, "Proprietary Meter 1 (Critical Drop)...", {}, MeterOrCritDropLiquid),
    // Menu bar
    DocCommand(kBase, "&Base..."),
    // Utility
    DocCommand(kFlowUnits1, "&Gas Volume @ Base Conditions..."),
    DocCommand(kFlowUnits2, "Gas Volume @ &Flowing Conditions..."),
    DocCommand(kFlowUnits3, "Gas/Vapor &Mass..."),
    DocCommand(kFlowUnits4, "&Liquid Volume @ Base Conditions..."),
    DocCommand(kFlowUnits5, "Liquid &Volume @ Flowing Conditions..."),
    DocCommand(kFlowUnits6, "Liquid M&ass..."),
    DocCommand(kCompanyData, "&Company Data..."),
    DocCommand(kCustomerData, "C&ustomer Data..."),
    DocCommand(kUncertainty, "U&ncertainty..."),
    // View
    Frame(kViewToolBar, "&Toolbar", {}, nullptr, ToolBarChecked),
    Frame(kViewStatusBar, "&Status Bar", {}, nullptr, StatusBarChecked),
    Frame(kLookWindows2000, "Windows &2000", {}, nullptr, LookChecked<kLookWindows2000>),
    Frame(kLookOfficeXP, "Office &XP", {}, nullptr, LookChecked<kLookOfficeXP>),
    Frame(kLookWindowsXP, "&Windows XP", {}, nullptr, LookChecked<kLookWindowsXP>),
    Frame(kLookOffice2003, "Office 200&3", {}, nullptr, LookChecked<kLookOffice2003>),
    Frame(kLookVS2005, "Visual Studio 200&5", {}, nullptr, LookChecked<kLookVS2005>),
    Frame(kLookVS2008, "Visual Studio 200&8", {}, nullptr, LookChecked<kLookVS2008>),
    Frame(kLookOffice2007Blue, "&Blue Style", {}, nullptr, LookChecked<kLookOffice2007Blue>),
    Frame(kLookOffice2007Black, "B&lack Style", {}, nullptr, LookChecked<kLookOffice2007Black>),
    Frame(kLookOffice2007Silver, "&Silver Style", {}, nullptr, LookChecked<kLookOffice2007Silver>),
    Frame(kLookOffice2007Aqua, "&Aqua Style", {}, nullptr, LookChecked<kLookOffice2007Aqua>),
    Frame(kLookWindows7, "Win&dows 7", {}, nullptr, LookChecked<kLookWindows7>),
    // Window
    Frame(kWindowCascade, "&Cascade"),
    Frame(kWindowTile, "&Tile"),
    // Help
    Frame(kHelpTopics, "&Help Topics\tF1", "F1"),
    Frame(kAbout, "&About Quorven..."),
};

using K = MenuNode::Kind;
constexpr MenuNode C(int id) {
    return MenuNode{K::Command, id, {}, {}};
}
constexpr MenuNode kSep{K::Separator, 0, {}, {}};
constexpr MenuNode Sub(std::string_view caption, std::span<const MenuNode> children) {
    return MenuNode{K::Submenu, 0, caption, children};
}

constexpr MenuNode kFileProject[] = {C(kNewProject),  C(kOpenProject),   C(kCloseProject),
                                     C(kSaveProject), C(kDeleteProject), kSep,
                                     C(kExportAscii), C(kImportAscii)};
constexpr MenuNode kFileCalc[] = {C(kBatchCalc), C(kClearCalc)};
constexpr MenuNode kFileDatasheet[] = {C(kEnterDatasheet), C(kClearDatasheet)};
constexpr MenuNode kFilePrint[] = {C(kPrintCalcSheet),
                                   C(kPrintDatasheet),
                                   C(kPrintCalibration),
                                   C(kPrintUncertainty),
                                   kSep,
                                   C(kBatchPrintCalcSheets),
                                   C(kBatchPrintDatasheets),
                                   C(kBatchPrintCalibration),
                                   C(kBatchPrintUncertainty),
                                   C(kBatchPrintTagIndex)};
constexpr MenuNode kFilePreview[] = {C(kPreviewCalcSheet),
                                     C(kPreviewDatasheet),
                                     C(kPreviewCalibration),
                                     C(kPreviewUncertainty),
                                     kSep,
                                     C(kBatchPreviewCalcSheets),
                                     C(kBatchPreviewDatasheets),
                                     C(kBatchPreviewCalibration),
                                     C(kBatchPreviewUncertainty),
                                     C(kBatchPreviewTagIndex)};
constexpr MenuNode kFileUtilities[] = {C(kPackProject), C(kRebuildIndex)};
constexpr MenuNode kFile[] = {Sub("&Project", kFileProject),
                              Sub("&Calculation", kFileCalc),
                              Sub("&Datasheet", kFileDatasheet),
                              kSep,
                              Sub("&Print", kFilePrint),
                              Sub("Print Pre&view", kFilePreview),
                              C(kExportCalcSheetPdf),
                              C(kExportDatasheetPdf),
                              C(kExportCalibrationPdf),
                              C(kExportUncertaintyPdf),
                              C(kPrinterFont),
                              C(kPageSetup),
                              kSep,
                              Sub("&Utilities", kFileUtilities),
                              kSep,
                              MenuNode{K::RecentFiles, 0, {}, {}},
                              kSep,
                              C(kExit)};
constexpr MenuNode kEdit[] = {C(kCopyTag), C(kPasteTag)};
constexpr MenuNode kTag[] = {C(kSaveTag), C(kRetrieveTag),   C(kDeleteTag),
                             kSep,        C(kSaveTagToFile), C(kRetrieveTagFromFile)};
constexpr MenuNode kFluidCalc[] = {C(kFluidAga8), C(kFluidGasesCalc), C(kFluidLiquidsCalc)};
constexpr MenuNode kFluidSetup[] = {C(kGasSetup), C(kLiquidSetup)};
constexpr MenuNode kFluids[] = {Sub("&Calc Fluid Properties", kFluidCalc),
                                kSep,
                                C(kSatSteamPressure),
                                C(kSatSteamTemperature),
                                C(kSuperheatedSteam),
                                C(kCompressedWater),
                                kSep,
                                Sub("&Fluid Setup", kFluidSetup)};
constexpr MenuNode kSizing[] = {C(kCalcSetup), C(kCalculate)};
constexpr MenuNode kFactors[] = {C(kFactorManometer), C(kFactorDrainVent), C(kFactorWaterVapor),
                                 C(kFactorSatLiquid), C(kFactorVaporQuality)};
constexpr MenuNode kMeterPipe[] = {C(kOrificePlate),
                                   C(kFlowNozzle),
                                   C(kVenturi),
                                   C(kUvt),
                                   C(kLoLoss),
                                   C(kWedgeMeters),
                                   kSep,
                                   C(kCritDropNozzle),
                                   C(kCritDropOrifice),
                                   C(kCritDropVenturi),
                                   kSep,
                                   C(kCustomMeter),
                                   kSep,
                                   C(kPipeData)};
constexpr MenuNode kFlowUnits[] = {C(kFlowUnits1), C(kFlowUnits2), C(kFlowUnits3),
                                   C(kFlowUnits4), C(kFlowUnits5), C(kFlowUnits6)};
constexpr MenuNode kUser[] = {C(kCompanyData), C(kCustomerData)};
constexpr MenuNode kUtility[] = {Sub("Flow &Units Setup", kFlowUnits), Sub("U&ser", kUser), C(kUncertainty)};
constexpr MenuNode kOffice2007[] = {C(kLookOffice2007Blue), C(kLookOffice2007Black), C(kLookOffice2007Silver),
                                    C(kLookOffice2007Aqua)};
constexpr MenuNode kLooksMenu[] = {C(kLookWindows2000),
                                   C(kLookOfficeXP),
                                   C(kLookWindowsXP),
                                   C(kLookOffice2003),
                                   C(kLookVS2005),
                                   C(kLookVS2008),
                                   Sub("Office 200&7", kOffice2007),
                                   C(kLookWindows7)};
constexpr MenuNode kView[] = {C(kViewToolBar), C(kViewStatusBar), Sub("Application &Look", kLooksMenu)};
constexpr MenuNode kWindow[] = {C(kWindowCascade), C(kWindowTile)};
constexpr MenuNode kHelp[] = {C(kHelpTopics), kSep, C(kAbout)};

constexpr MenuNode kMenuBar[] = {
    Sub("&File", kFile),
    Sub("&Edit", kEdit),
    Sub("&Tag", kTag),
    Sub("F&luids", kFluids),
    Sub("&Sizing", kSizing),
    Sub("F&actors", kFactors),
    Sub("&Meter and Pipe", kMeterPipe),
    C(kBase),
    Sub("&Utility", kUtility),
    Sub("&View", kView),
    Sub("&Window", kWindow),
    Sub("&Help", kHelp),
};

}  // namespace

std::span<const CommandInfo> AllCommands() {
    return kCommands;
}

const CommandInfo* FindCommand(int id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const CommandInfo& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

bool EnableRuleHolds(int id, const CommandState& state) {
    const CommandInfo* c = FindCommand(id);
    if (c == nullptr) return false;
    if (c->needs_document && state.record == nullptr) return false;
    return c->enabled == nullptr || c->enabled(state);
}

bool IsCommandEnabled(int id, const CommandState& state) {
    const CommandInfo* c = FindCommand(id);
    return c != nullptr && !c->pending && EnableRuleHolds(id, state);
}

bool IsCommandChecked(int id, const CommandState& state) {
    const CommandInfo* c = FindCommand(id);
    if (c == nullptr || c->checked == nullptr) return false;
    if (c->needs_document && state.record == nullptr) return false;
    return c->checked(state);
}

std::array<std::string, 3> StatusPaneTexts(const CommandState& state) {
    std::array<std::string, 3> panes;
    if (state.record != nullptr) {
        if (state.record->Calc_Status == 0) panes[0] = " CALC ";
        if (!state.tag_saved) panes[1] = " SAVE ";
    }
    panes[2] = state.record != nullptr && state.project_open
                   ? CFormat("PROJECT:  %s", {std::string_view(state.project_name)})
                   : std::string("PROJECT:  CLOSED");
    return panes;
}

std::span<const MenuNode> MenuBar() {
    return kMenuBar;
}

}  // namespace quorven
