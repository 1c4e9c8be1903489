#pragma once
// CMiscUtil: the fixed reference data of the program (element and pipe materials,
// pipe schedules, nominal sizes, inside diameters of standard pipe) and the texts
// that name the sizing parameter, the coefficient standard and the fluid equation.
// Stateless: every operation is a pure lookup. Texts are Windows-1252 bytes (the
// degree sign is "\xB0"); an index outside its table gives "" (or 0).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "record/formats.h"

namespace quorven {

// The standard pipe table itself: carbon steel (ASME B36.10M) or stainless
// (ASME B36.19M) group; 0 where the table has no pipe.
double StandardPipeInsideDiameter(bool stainless, double nominal_in, std::string_view schedule);

class CMiscUtil {
public:
    static constexpr int kMaterialCount = 44;  // material indexes 1..44

    // Dialog name with the validity range of the expansion correlation, in deg F
    // for temperature unit index 0 or 1 and in deg C for 2 or 3.
    std::string_view MaterialName(int32_t temp_unit, int32_t index) const;
    // Upper-case datasheet name (Elem_Matl, Pipe_Matl).
    std::string_view MaterialTag(int32_t index) const;
    // The material index at a position of the alphabetically sorted combo box; 0
    // for a position outside it.
    int32_t MaterialFromListPosition(int32_t position) const;
    // Materials 2 to 9, 41 and 42 use the stainless schedules.
    bool IsStainless(int32_t material) const;

    // Schedule texts of the material's group; "NON-STD" is the last of each.
    std::span<const std::string_view> Schedules(int32_t material) const;
    std::string_view ScheduleText(int32_t material, int32_t position) const;
    // Position of a schedule text in the material's list, or -1.
    int32_t SchedulePosition(int32_t material, std::string_view text) const;
    // The schedule as the form's schedule box shows it: the record's text, or, where
    // the record holds none (a new tag keeps only the position), the text at the
    // record's position.
    std::string ShownScheduleText(int32_t material, int32_t position, std::string_view text) const;

    // "0.50" ... "48.00" (33 sizes).
    std::span<const std::string_view> NominalSizeTexts() const;
    // "0.50" ... "30.00": the sizes up to the largest of ASME B36.19M (stainless).
    std::span<const std::string_view> StainlessNominalSizeTexts() const;
    std::string_view NominalSizeText(int32_t position) const;
    // A size in inches rounded to the nominal size whose window holds it; a value in
    // no window is returned unchanged.
    double SnapNominalSize(double inches) const;
    // DN in mm of an exact nominal inch size (1.25 -> 30, 2.5 -> 60); other values
    // are returned unchanged.
    double NominalSizeMm(double inches) const;
    // Inside diameter [in] of standard pipe (ASME B36.10M carbon steel, B36.19M
    // stainless); 0 when the table has no pipe for the combination.
    double PipeInsideDiameter(int32_t material, double nominal_in, std::string_view schedule) const;

    // The display formats (record/formats.h), for callers that hold a CMiscUtil.
    std::string FmtFlow(double v) const { return quorven::FmtFlow(v); }
    std::string FmtPressure(double v) const { return quorven::FmtPressure(v); }
    std::string FmtAtmPressure(double v) const { return quorven::FmtAtmPressure(v); }
    std::string FmtBasePressure(double v) const { return quorven::FmtBasePressure(v); }
    std::string FmtDiffPressure(double v) const { return quorven::FmtDiffPressure(v); }
    std::string FmtSixPlaces(double v) const { return quorven::FmtSixPlaces(v); }
    std::string FmtDensity(double v) const { return quorven::FmtDensity(v); }
    std::string FmtViscosity(double v) const { return quorven::FmtViscosity(v); }
    std::string FmtShort(double v) const { return quorven::FmtShort(v); }
    double RoundTo(double x, int n) const { return quorven::RoundTo(x, n); }

    // "FLOWMETER BORE" / "FLOWMETER CALC FOR BORE" ...; "" for other combinations.
    std::string_view SizingParameterText(bool short_form, int32_t calc_mode, int32_t size_param) const;
    // The discharge coefficient standard's name, then the overrides by calculation
    // mode and meter type; `previous` is kept when nothing applies.
    std::string StandardText(int32_t calc_std, int32_t calc_mode, int32_t meter_type, int32_t ifoa_mfr,
                             std::string_view previous = {}) const;
    // "LIQUID-VOLUME-SG-BASE" ...; `previous` is kept for other combinations.
    std::string FluidEquationText(int32_t equation, int32_t condition, int32_t property,
                                  std::string_view previous = {}) const;
};

}  // namespace quorven
