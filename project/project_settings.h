#pragma once
// The 3352-byte project settings block: content of a project's ".fil" file and of
// the configuration file. Every region sits at its fixed byte offset; the block is
// copied to and from files byte for byte (little-endian, no header).

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "record/unit_tables.h"

namespace quorven {

struct ProjectSettings {
    char Printer_LogFont[60];  // printer font in the Windows LOGFONTA layout
    char Reserved[41];         // not interpreted; written as found
    char Company_Name[51];
    char Company_Address[51];
    char Company_Phone[51];
    char User_Name[26];
    char Client[31];
    char Project[31];
    char Location[31];
    char JobPO_No[16];
    char CalcSO_No[16];
    char GasBaseVolFlow_Names[12][10];
    char GasFlowingVolFlow_Names[12][10];
    char GasMassFlow_Names[12][10];
    char LiquidBaseVolFlow_Names[12][10];
    char LiquidFlowingVolFlow_Names[12][10];
    char LiquidMassFlow_Names[12][10];
    char Pressure_Names[12][12];
    char AbsPressure_Names[12][12];
    char DiffPressure_Names[12][12];
    char Density_Names[12][16];
    char Viscosity_Names[12][12];
    char BoreLength_Names[3][4];
    char PipeSizeLength_Names[3][4];
    char Speed_Names[4][7];
    char Acceleration_Names[2][7];
    char Temperature_Names[4][7];
    char Pad1987[1];
    UnitDefaults Defaults;
    char Printer_FaceName[41];
    char Pad2133[3];
    int32_t Printer_FontSize;  // points
    char Pad2140[4];
    double Margin_Top;     // inches
    double Margin_Bottom;  // top margin + 9 in: bottom of the printable area
    double Margin_Left;
    double Margin_Right;  // position of the right margin, inches
    double Line_Spacing;
    double GasBaseVolFlow_Factors[12];
    double GasFlowingVolFlow_Factors[12];
    double GasMassFlow_Factors[12];
    double LiquidBaseVolFlow_Factors[12];
    double LiquidFlowingVolFlow_Factors[12];
    double LiquidMassFlow_Factors[12];
    double Pressure_Factors[12];
    double AbsPressure_Factors[12];
    double DiffPressure_Factors[12];
    double Density_Factors[12];
    double Viscosity_Factors[12];
    double Speed_Factors[4];
    double Acceleration_Factors[2];
    double BoreLength_Factors[4];  // fourth slot unused, zero
    double PipeSizeLength_Factors[4];
};

static_assert(std::endian::native == std::endian::little, "settings files are little-endian");
static_assert(sizeof(ProjectSettings) == 3352);
static_assert(offsetof(ProjectSettings, Reserved) == 60);
static_assert(offsetof(ProjectSettings, Company_Name) == 101);
static_assert(offsetof(ProjectSettings, Company_Address) == 152);
static_assert(offsetof(ProjectSettings, Company_Phone) == 203);
static_assert(offsetof(ProjectSettings, User_Name) == 254);
static_assert(offsetof(ProjectSettings, Client) == 280);
static_assert(offsetof(ProjectSettings, Project) == 311);
static_assert(offsetof(ProjectSettings, Location) == 342);
static_assert(offsetof(ProjectSettings, JobPO_No) == 373);
static_assert(offsetof(ProjectSettings, CalcSO_No) == 389);
static_assert(offsetof(ProjectSettings, GasBaseVolFlow_Names) == 405);
static_assert(offsetof(ProjectSettings, GasFlowingVolFlow_Names) == 525);
static_assert(offsetof(ProjectSettings, GasMassFlow_Names) == 645);
static_assert(offsetof(ProjectSettings, LiquidBaseVolFlow_Names) == 765);
static_assert(offsetof(ProjectSettings, LiquidFlowingVolFlow_Names) == 885);
static_assert(offsetof(ProjectSettings, LiquidMassFlow_Names) == 1005);
static_assert(offsetof(ProjectSettings, Pressure_Names) == 1125);
static_assert(offsetof(ProjectSettings, AbsPressure_Names) == 1269);
static_assert(offsetof(ProjectSettings, DiffPressure_Names) == 1413);
static_assert(offsetof(ProjectSettings, Density_Names) == 1557);
static_assert(offsetof(ProjectSettings, Viscosity_Names) == 1749);
static_assert(offsetof(ProjectSettings, BoreLength_Names) == 1893);
static_assert(offsetof(ProjectSettings, PipeSizeLength_Names) == 1905);
static_assert(offsetof(ProjectSettings, Speed_Names) == 1917);
static_assert(offsetof(ProjectSettings, Acceleration_Names) == 1945);
static_assert(offsetof(ProjectSettings, Temperature_Names) == 1959);
static_assert(offsetof(ProjectSettings, Pad1987) == 1987);
static_assert(offsetof(ProjectSettings, Defaults) == 1988);
static_assert(offsetof(ProjectSettings, Printer_FaceName) == 2092);
static_assert(offsetof(ProjectSettings, Pad2133) == 2133);
static_assert(offsetof(ProjectSettings, Printer_FontSize) == 2136);
static_assert(offsetof(ProjectSettings, Pad2140) == 2140);
static_assert(offsetof(ProjectSettings, Margin_Top) == 2144);
static_assert(offsetof(ProjectSettings, Margin_Bottom) == 2152);
static_assert(offsetof(ProjectSettings, Margin_Left) == 2160);
static_assert(offsetof(ProjectSettings, Margin_Right) == 2168);
static_assert(offsetof(ProjectSettings, Line_Spacing) == 2176);
static_assert(offsetof(ProjectSettings, GasBaseVolFlow_Factors) == 2184);
static_assert(offsetof(ProjectSettings, GasFlowingVolFlow_Factors) == 2280);
static_assert(offsetof(ProjectSettings, GasMassFlow_Factors) == 2376);
static_assert(offsetof(ProjectSettings, LiquidBaseVolFlow_Factors) == 2472);
static_assert(offsetof(ProjectSettings, LiquidFlowingVolFlow_Factors) == 2568);
static_assert(offsetof(ProjectSettings, LiquidMassFlow_Factors) == 2664);
static_assert(offsetof(ProjectSettings, Pressure_Factors) == 2760);
static_assert(offsetof(ProjectSettings, AbsPressure_Factors) == 2856);
static_assert(offsetof(ProjectSettings, DiffPressure_Factors) == 2952);
static_assert(offsetof(ProjectSettings, Density_Factors) == 3048);
static_assert(offsetof(ProjectSettings, Viscosity_Factors) == 3144);
static_assert(offsetof(ProjectSettings, Speed_Factors) == 3240);
static_assert(offsetof(ProjectSettings, Acceleration_Factors) == 3272);
static_assert(offsetof(ProjectSettings, BoreLength_Factors) == 3288);
static_assert(offsetof(ProjectSettings, PipeSizeLength_Factors) == 3320);

inline constexpr std::size_t kProjectSettingsSize = sizeof(ProjectSettings);

// The settings of a new document: company placeholders, "Times Roman" 9 pt, 0.75 in
// margins, line spacing 1.1, the default unit lists and selections.
ProjectSettings DefaultProjectSettings();

// The unit lists held in the block, and their replacement.
UnitTables UnitTablesOf(const ProjectSettings& s);
void StoreUnitTables(ProjectSettings& s, const UnitTables& t);

// What the settings save does to the lists: the non-flow lists and the default
// selections always go back to their defaults; the six flow lists too when asked.
void RestoreDefaultUnits(ProjectSettings& s, bool flow_lists_too);

// The block as the 3352 bytes of a file.
std::string SettingsToBytes(const ProjectSettings& s);

// Reads a block from file bytes. Only exactly 3352 bytes are accepted (anything
// else returns false and leaves s untouched); the block read is then checked.
bool SettingsFromBytes(std::string_view bytes, ProjectSettings& s,
                       std::vector<std::string>* repairs = nullptr);

// A block read from a file is untrusted: every text slot is terminated within its
// width, every used factor that is not finite and positive gets its default, and
// every default selection outside its list is reset. Returns what was repaired.
std::vector<std::string> CheckProjectSettings(ProjectSettings& s);

}  // namespace quorven
