#pragma once
// The data rows of the main form: which quantity each of the seven fluid-data rows
// and the three sizing-data rows holds for the record's fluid and sizing choices,
// with its label. The form lays itself out from these, and the Calculate command's
// input check tests the same rows, so both agree on what "missing" means.

#include <array>
#include <optional>
#include <string>

#include "record/tag_record.h"
#include "record/units.h"

namespace quorven {

// What a row holds (and so which record field and unit conversion it uses).
enum class RowKind {
    None,             // the row is hidden
    BaseGravity,      // "Gb": Base_RhoGZ, liquid specific gravity at base
    FlowGravity,      // "Gf1": Flow_RhoGZ, liquid specific gravity flowing
    BaseDensity,      // "Db": Base_RhoGZ [lb/ft3]
    FlowDensity,      // "Df1": Flow_RhoGZ [lb/ft3]
    FlowPressure,     // "Pf1": Flow_Press [psia]
    FlowTemperature,  // "Tf1": Flow_Temp [deg R]
    Viscosity,        // "u": Property_Visc [cP]
    LiquidFp,         // "Fp": Property_KFp
    VapourPressure,   // "Pv": Property_MwDenVp [psia]
    GasGravity,       // "Gg": Property_MwDenVp (specific gravity)
    MolecularWeight,  // "Mw": Property_MwDenVp
    BaseZ,            // "Zb": Base_RhoGZ
    FlowZ,            // "Zf1": Flow_RhoGZ
    IsentropicK,      // "Cp/Cv, K": Property_KFp
    // Sizing rows.
    MaxFlow,     // "Qm"/"qm"/"Wm": Flow_Max
    NormalFlow,  // "Qn"/"qn"/"Wn": Flow_Norm
    SingleFlow,  // "Q"/"q"/"W": Flow_Max (critical drop and restriction)
    DpMax,       // "dPm": Dp_Max [inH2O]
    DpNormal,    // "dPn": Dp_Norm [inH2O]
    DpSingle,    // "dP": Dp_Max [inH2O] (restriction)
    Bore,        // "Bore": Bore [in]
    HOverD,      // "H/D": SegHs / Pipe_IDia (wedge meters)
};

struct FormRow {
    RowKind kind = RowKind::None;
    std::string label;      // as the form shows it, tap digit included ("Pf1", "Pf2")
    bool required = false;  // the input check needs a value greater than 0
};

inline constexpr int kFluidRowCount = 7;
inline constexpr int kSizingRowCount = 3;
using FluidRows = std::array<FormRow, kFluidRowCount>;
using SizingRows = std::array<FormRow, kSizingRowCount>;

// Title of the fluid-data area for the record's fluid choices ("Liq Vol-SG@Base"
// ...); empty for a combination the form does not know.
std::string FluidEquationTitle(const TagRecord& r);
// Fluid-data rows 1 to 7 (index 0 to 6) for Fluid_Equation, Fluid_Condition,
// Fluid_Property, Calc_Mode and Tap_Loc.
FluidRows FluidDataRows(const TagRecord& r);
// Sizing-data rows 1 to 3 for Calc_SizeParam, Calc_Mode, the flow kind and the meter.
SizingRows SizingDataRows(const TagRecord& r);

// The row's value as the form shows it, in the record's display units; empty for a
// hidden row (or an H/D with no pipe diameter).
std::optional<double> RowDisplayValue(const TagRecord& r, RowKind kind);
// The value the input check tests: the display value, except that temperatures are
// tested in deg R and flowing pressures as absolute pressures (a gauge pressure of
// 0 is atmospheric, not missing).
std::optional<double> RowCheckValue(const TagRecord& r, RowKind kind);

// The unit list a row's box selects from; none for ratios.
std::optional<Quantity> RowQuantity(RowKind kind);
// The record's selection in the list of q; -1 where the form has no box for q.
int32_t UnitSelection(const TagRecord& r, Quantity q);
// Display text of a row's value in the row's format (the number formats of the
// unit lists); empty for a hidden row.
std::string RowValueText(const TagRecord& r, RowKind kind);

}  // namespace quorven
