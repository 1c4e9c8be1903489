#pragma once
// The three datasheet pages without widgets: what each page shows beside its
// boxes (the tag's calculated data, in display units), which record field each
// box edits and how many characters it takes, and what OK stores. The desktop
// dialogs build their controls from these descriptions and hand the typed texts
// back; the printed datasheet uses the same family rules and texts.
//
// All texts here are Windows-1252 bytes, as the record holds them. A value that is
// not finite shows as a dash, never as "inf" or "nan".

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "messages/messages.h"
#include "project/project_settings.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {

// Control identifiers of the datasheet pages. Page 1 keeps the numbers of the
// program's dialog templates; the boxes of pages 2 and 3 are numbered here.
namespace ds {
// Page 1: header and revision table.
inline constexpr int kSpecNo = 1435;
inline constexpr int kShtNo = 1436;
inline constexpr int kShtOf = 1437;
inline constexpr int kRevNo = 1438;
inline constexpr int kBy = 1439;
inline constexpr int kChk = 1440;
inline constexpr int kSpecDate = 1441;
inline constexpr int kRevNo1 = 1422;  // to 1425
inline constexpr int kRevBy[4] = {1426, 1427, 1428, 1433};
inline constexpr int kRevDate[4] = {1430, 1431, 1432, 1429};
inline constexpr int kPidNo = 1449;
inline constexpr int kMaxPress = 1455;
inline constexpr int kMaxTemp = 1456;
// Page 2: element, taps, pipe.
inline constexpr int kElemRow15 = 2115;       // the editable box of row 15
inline constexpr int kElemRow16 = 2116;       // row 16 (body material on the venturi and tube pages)
inline constexpr int kElemRow16b = 2126;      // row 16, second box (throat material)
inline constexpr int kElemRow17 = 2117;       // row 17 (the free label of user line 1)
inline constexpr int kElemRow17b = 2127;      // row 17, second box (the value of user line 1)
inline constexpr int kPlateThick = 2118;      // "PLATE THICKNESS" of the orifice page (row 16)
inline constexpr int kPlateThickFree = 2136;  // the free text box of manual thickness selection
inline constexpr int kMfr = 2120;
inline constexpr int kModel = 2121;
inline constexpr int kTapQuant = 2123;
inline constexpr int kTapSize = 2133;
inline constexpr int kTapOrient = 2124;
inline constexpr int kPipeMatl = 2140;
inline constexpr int kPipeConnRate = 2141;
inline constexpr int kPipeUps = 2142;
inline constexpr int kPipeDown = 2143;
inline constexpr int kPipeRunBy = 2144;
inline constexpr int kUserLine2Label = 2145;
inline constexpr int kUserLine2Value = 2146;
// Page 3: meter, options, notes.
inline constexpr int kMeterTypeDs = 2232;
inline constexpr int kMeterChart = 2234;
inline constexpr int kMeterMult = 2235;
inline constexpr int kUserLine3Label = 2236;
inline constexpr int kUserLine3Value = 2237;
inline constexpr int kFlangeBy = 2240;
inline constexpr int kFlangeRate = 2241;
inline constexpr int kFlangeType = 2242;
inline constexpr int kFlangeMatl = 2243;
inline constexpr int kVanes = 2244;
inline constexpr int kStuds = 2245;
inline constexpr int kNuts = 2246;
inline constexpr int kGaskets = 2247;
inline constexpr int kUserLine4Label = 2248;
inline constexpr int kUserLine4Value = 2249;
inline constexpr int kUserLine5Label = 2250;
inline constexpr int kUserLine5Value = 2251;
inline constexpr int kNotes1 = 2252;
inline constexpr int kNotes2 = 2253;
inline constexpr int kNotes3 = 2254;
inline constexpr int kMisc = 2255;
// The buttons that move the focus to a group, first to third on each page.
inline constexpr int kGroupButton[3] = {2301, 2302, 2303};
// The two buttons of "Orifice Plate Thickness Selection".
inline constexpr int kAutoThickness = 2311;
inline constexpr int kManualThickness = 2312;
}  // namespace ds

// The datasheet families: which element rows the entry pages offer and the
// printed datasheet prints.
enum class DatasheetFamily {
    Orifice,            // orifice plates 1128-1134, critical-drop plates 1373, 1374, calibrated 1360
    Nozzle,             // flow nozzles 1150-1153, critical-drop nozzles 1369, 1370
    CalibratedNozzle,   // 1361
    Venturi,            // classical venturis 1156-1158
    CalibratedVenturi,  // 1362
    Tube,               // UVT 1163, Lo Loss 1165, proprietary meters 1684, 1687
    CalibratedTube,     // 1363
    Wedge,              // wedge meters 1690-1697
    None,               // 1359, 1762, 1766, 1776: no element rows
};
DatasheetFamily DatasheetFamilyOf(int32_t meter_type);

// Meter types whose "PLATE THICKNESS" box opens the thickness selection.
bool HasPlateThicknessSelection(int32_t meter_type);

// "LIQUID" (1345, 1346), "GAS" (1352) or "VAPOR" (1353); "" otherwise.
std::string_view DatasheetStateWord(int32_t fluid_equation);
// Row 14: Meter_Style_Text and Meter joined by one blank, or the fixed texts of
// the thick plate and the calibrated meters.
std::string ElementTypeText(const TagRecord& r);
// Whether line 36 of the datasheet holds the manometer's seal density (a seal
// liquid is given) in place of the free user line 3: the printed form and the
// datasheet page show the same row.
bool SealDensityOnLine36(const TagRecord& r);
// The exit cone of the venturis 1156-1158.
std::string_view ExitConeText(int32_t venturi_exit);
// Row 18: the coefficient standard's text, with the wedge names and "CRITICAL
// DROP SIZING" for critical-drop sizing.
std::string DatasheetStandardText(const TagRecord& r);
// The nominal pipe size as the pipe unit shows it: "%.2f" of the snapped size in
// inches, "%.0f" of the DN number for millimetres, "%.1f" of DN / 10 for
// centimetres.
std::string NominalPipeSizeText(const TagRecord& r);
// The name of the record's unit of q in the unit lists `t` (the record's own
// text where the selection lies outside them).
std::string UnitTextOf(const TagRecord& r, const UnitTables& t, Quantity q);

// One control of a page.
enum class DsKind {
    Static,  // read-only text
    Text,    // an edit box storing into `field`
    List,    // an editable list: a typed text or one of `choices`, stored into `field`
    Number,  // MAX PRESS or MAX TEMP: a number in display units
};
struct DsItem {
    DsKind kind = DsKind::Static;
    int id = 0;                        // 0 for a static text without identifier
    std::string label;                 // caption in front of the control, may be empty
    std::string text;                  // what the control shows when the page opens
    int max_chars = 0;                 // Text, List: the box's limit
    std::string field;                 // Text, List: record field name
    std::vector<std::string> choices;  // List
    std::string unit;                  // Number: the unit text shown after the box
};
struct DsRow {
    int number = 0;       // the form's line number; 0 for unnumbered rows
    std::string caption;  // may carry "&&" for a literal '&', as dialog captions do
    std::vector<DsItem> items;
};
struct DsGroup {
    std::string title;   // "ELEMENT", "TAPS", ...; "" for the page head
    std::string button;  // the button that moves the focus to the group ("&Taps"); may be empty
    int button_id = 0;
    int first_box = 0;  // the box that button focuses
    std::vector<DsRow> rows;
};
struct DsPage {
    std::string caption;  // "Datasheet - Part 1 of 3", ...
    std::vector<DsGroup> groups;
};

// What the page shows for the record. Page 1 reads the company and customer data
// of the project settings.
DsPage DatasheetPage1(const TagRecord& r, const ProjectSettings& s, const UnitTables& t);
DsPage DatasheetPage2(const TagRecord& r, const UnitTables& t);
DsPage DatasheetPage3(const TagRecord& r, const UnitTables& t);

// The record as page 2 opens on it: a quadrant or conic plate whose thickness
// text still reads "0.0..." gets it composed first.
void PrepareDatasheetPage2(TagRecord& r, MessageSink& sink, const UnitTables& t);

// "&Automatically Select Plate Thickness": composes Elem_Thick (and the
// quadrant's note line) from the sizing result.
void AutoSelectPlateThickness(TagRecord& r, MessageSink& sink, const UnitTables& t);

// Finds a control of a page by identifier; null when the page has none.
const DsItem* FindDsItem(const DsPage& page, int id);

// OK on a page: every box found in `typed` (identifier -> text) is stored in its
// field, cut to the box's limit and the field's width; boxes not in `typed` are
// left as they are. A number box whose text is unchanged keeps the stored value
// exactly; an empty one stores 0 (not given); otherwise the number is converted
// from display units (a gauge pressure gets the atmospheric pressure added).
// Returns the identifier of a number box whose text is not a finite number (the
// record is then left untouched), or 0.
int StoreDatasheetPage(TagRecord& r, const DsPage& page, const std::map<int, std::string>& typed);

// The notice of Clear Datasheet.
inline constexpr const char* kDatasheetClearedText = "Datasheet data deleted for this tag number.";
inline constexpr const char* kDatasheetClearedCaption = "NOTICE";

}  // namespace quorven
