#pragma once
// What the meter, pipe and calculation set-up dialogs write into a tag record
// when the user presses OK. Qt-free: the dialogs gather the choices, these
// functions decide the record. Each works on the caller's copy of the record.

#include <cstdint>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "record/misc_util.h"
#include "record/tag_record.h"

namespace quorven {

// The choices remembered for the rest of the program run by the meter dialogs,
// shared by all documents (members of the application object).
struct MeterDialogMemory {
    int32_t plate_type = Code(MeterType::ConcentricOrifice);
    int32_t plate_std = Code(CalcStd::ReaderHarrisGallagher1998);
    int32_t tap_position[7] = {0, 0, 0, 0, 0, 0, 0};  // per plate type, in radio order 1128..1134
    int32_t plate_material_position[7] = {6, 6, 6, 6, 6, 6, 6};
    int32_t ifoa_pipe_material_position = 6;
    int32_t ifoa_mfr = Code(IfoaMfr::SiebeFoxboro);
    int32_t ifoa_size = Code(IfoaSize::Quadrant05);
    int32_t nozzle_type = Code(MeterType::AsmeLongRadiusNozzle);
    int32_t nozzle_std = Code(CalcStd::NozzleRhg1998);
    int32_t nozzle_material_position = 6;
    int32_t nozzle_diffuser = 0;
    int32_t venturi_type = Code(MeterType::VenturiMachined);
    int32_t venturi_std = Code(CalcStd::VenturiIso5167_4_2022);
    int32_t venturi_material_position = 6;
    int32_t uvt_material_position = 6;
    int32_t loloss_material_position = 6;
    int32_t custom_material_position = 6;
    int32_t proprietary1_material_position = 6;
    int32_t proprietary2_material_position = 6;
    int32_t wedge_type = Code(MeterType::WedgeIso5167_6);
    int32_t wedge_material_position = 6;
    int32_t wedge_pipe_material_position = 6;
    int32_t critdrop_nozzle_type = Code(MeterType::CriticalCylindricalNozzle);
    int32_t critdrop_plate_type = Code(MeterType::CriticalThickOrifice);
    int32_t critdrop_material_position = 6;
};

// The last critical-drop device confirmed in a critical-drop dialog, kept by the
// document for the calculation set-up, and the maximum differential the tag had
// when the set-up put it into critical-drop mode: Calculate replaces Dp_Max there
// by the choked differential, and the user's value comes back with the flow-meter
// or restriction mode.
struct CritDropMemory {
    int32_t type = Code(MeterType::CriticalThickOrifice);
    int32_t material = 6;
    double meter_dp_max = 0.0;    // 0: none kept
    std::string meter_dp_tag_no;  // the tag it belongs to
};

// Index 0..6 of an orifice plate type (1128..1134) in the memory arrays; -1 for others.
int PlateTypeIndex(int32_t plate_type);

// The standards an orifice plate type enables (restriction mode: 1139 only).
std::vector<int32_t> OrificeStandardsEnabled(int32_t plate_type, int32_t calc_mode);
// The standard a plate type forces, or 0 when the user's choice among the enabled ones stands.
int32_t OrificeStandardForced(int32_t plate_type, int32_t calc_mode);
// Tap style list of a plate type and checked standard (Windows-1252 texts); the
// position + 1 is stored as Tap_Style.
std::vector<std::string> OrificeTapList(int32_t plate_type, int32_t calc_std, int32_t calc_mode);

struct OrificeChoice {
    int32_t plate_type = Code(MeterType::ConcentricOrifice);
    int32_t calc_std = Code(CalcStd::ReaderHarrisGallagher1998);
    int32_t tap_position = 0;
    int32_t material = 6;  // material index 1..44
    int32_t ifoa_pipe_material = 6;
    int32_t ifoa_mfr = Code(IfoaMfr::SiebeFoxboro);
    int32_t ifoa_size = Code(IfoaSize::Quadrant05);
};
// DpRefTemp [deg R] of a discharge coefficient standard: 68 deg F for the ISO 5167 /
// ASME MFC-3M editions referenced at 68 deg F (1137, 1703, 1774), 60 deg F otherwise.
double OrificeDpRefTemp(int32_t calc_std);
void ApplyOrificeChoice(TagRecord& r, const OrificeChoice& c, const CMiscUtil& misc);

// Calculation set-up OK: size parameter, mode and the meter changes the mode implies.
// Entering critical-drop mode keeps the tag's Dp_Max in `crit`; leaving it restores
// that value, or clears Dp_Max (a missing input Calculate names) when none was kept
// for this tag, so that a choked differential is never taken for the user's.
void ApplyCalcSetup(TagRecord& r, int32_t size_param, int32_t calc_mode, CritDropMemory& crit);

struct NozzleRule {
    std::vector<int32_t> standards;
    int32_t default_std;
    bool diffuser_enabled;
};
NozzleRule NozzleRuleOf(int32_t nozzle_type);
void ApplyNozzleChoice(TagRecord& r, int32_t type, int32_t material, int32_t diffuser, int32_t calc_std);
void ApplyVenturiChoice(TagRecord& r, int32_t type, int32_t material, int32_t exit, int32_t calc_std);
// UVT, Lo Loss and the proprietary meters: one type, one material, standard 1137.
void ApplySimpleMeterChoice(TagRecord& r, int32_t type, int32_t material);
// Critical-drop nozzle, orifice and venturi: type and material.
void ApplyCritDropChoice(TagRecord& r, int32_t type, int32_t material);
// Wedge meters go to dP sizing: they are never sized for bore.
void ApplyWedgeChoice(TagRecord& r, int32_t type, int32_t material, int32_t pipe_material);
// Custom meter: the texts are cut to their fields (34 and 24 characters); a
// coefficient that is not a finite number above 0 leaves C unchanged.
void ApplyCustomMeterChoice(TagRecord& r, int32_t type, int32_t material, const std::string& style_text,
                            const std::string& tap_text, double coefficient);

// One entry of the pipe dialog's size list: the text shown in the pipe size unit
// and the nominal size in inches it stands for.
struct PipeSizeEntry {
    std::string text;
    double inches;
};
// The sizes of a material's group shown in the pipe size unit: "in" as inches
// ("%.2f"), "mm" as DN, "cm" as DN / 10, any other unit as inches x factor.
std::vector<PipeSizeEntry> PipeSizeList(int32_t material, const std::string& unit_text, double unit_factor,
                                        const CMiscUtil& misc);
// The nominal size [in] of a shown or typed size text: a listed text gives its
// own size; another number is converted by the unit factor and snapped. Returns
// false for a text that is not a finite number above 0.
bool NominalSizeFromText(const std::string& text, int32_t material, const std::string& unit_text,
                         double unit_factor, const CMiscUtil& misc, double& inches);

struct PipeChoice {
    int32_t material = 1;
    int32_t sched_position = 0;
    double nominal_in = 0;
    double idia_in = 0;
};
// Pipe OK: size, diameter, material (emptying Pipe_Matl_DS when it changed) and
// schedule; the stainless table diameter is taken again for a standard schedule.
void ApplyPipeChoice(TagRecord& r, const PipeChoice& c, const CMiscUtil& misc);
// "NON-STD" position of a material's schedule list.
int32_t NonStdSchedulePosition(int32_t material, const CMiscUtil& misc);

// Base conditions as typed in the record's units. Error #8 for a base pressure not
// above 0, #9 for a base temperature not above 0 deg R, and the same for a base
// whose rescaled gas flows at base would not be finite; then nothing is written and
// the number of the error is returned (0 when the record took the values, gas
// volume flows at base rescaled to the same quantity of gas).
struct BaseChoice {
    int32_t tap_loc = Code(TapLoc::Upstream);
    double base_press = 0;   // in the base pressure unit
    double base_temp = 0;    // in the base temperature unit
    double dp_ref_temp = 0;  // in the dP reference temperature unit
    double atm_press = 0;    // in the atmospheric pressure unit
};
int ApplyBaseChoice(TagRecord& r, const BaseChoice& c, MessageSink& sink);

}  // namespace quorven
