#include "record/record_check.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <span>
#include <string_view>

#include "record/choice_codes.h"
#include "record/misc_util.h"
#include "record/record_fields.h"
#include "record/text_codec.h"
#include "record/unit_tables.h"

namespace quorven {
namespace {

constexpr int32_t kFlag[] = {0, 1};
constexpr int32_t kCalcStatus[] = {0, 1, 20};
constexpr int32_t kTapLoc[] = {1109, 1110};
constexpr int32_t kVenturiExit[] = {1160, 1161};
constexpr int32_t kIfoaMfr[] = {1143, 1144};
constexpr int32_t kIfoaSize[] = {1145, 1146, 1147, 1148};
constexpr int32_t kDrainType[] = {1187, 1189, 1190};
constexpr int32_t kH2Ovap[] = {1211, 1212, 1213};

// A rule is either a list of codes or an inclusive range.
struct IntRule {
    const char* field;
    std::span<const int32_t> codes;
    int32_t lo;
    int32_t hi;
};

constexpr int32_t kNoLimit = 1 << 30;

// Unit list indexes: the last index of each list, so an index read from a file
// never reaches past its list.
int32_t LastIndex(UnitList list) {
    return ShapeOf(list).entries - 1;
}

// Pipe schedule positions: the carbon steel list is the longer one; the stainless
// list is checked against the pipe material below.
constexpr int32_t kLastCarbonSchedule = 14;

// The drain-hole table position: the table is far shorter than this.
constexpr int32_t kMaxDrainHoleSel = 63;
constexpr int32_t kStainlessNonStd = 4;

const IntRule kIntRules[] = {
    {"Calc_Status", kCalcStatus, 0, 0},
    {"Unit_GasBaseFlow_Set", {}, 0, LastIndex(UnitList::GasBaseVolFlow)},
    {"Unit_GasFlowingFlow_Set", {}, 0, LastIndex(UnitList::GasFlowingVolFlow)},
    {"Unit_GasMassFlow_Set", {}, 0, LastIndex(UnitList::GasMassFlow)},
    {"Unit_LiqBaseFlow_Set", {}, 0, LastIndex(UnitList::LiquidBaseVolFlow)},
    {"Unit_LiqFlowingFlow_Set", {}, 0, LastIndex(UnitList::LiquidFlowingVolFlow)},
    {"Unit_LiqMassFlow_Set", {}, 0, LastIndex(UnitList::LiquidMassFlow)},
    {"Unit_Flow_Set", {}, 0, LastIndex(UnitList::GasBaseVolFlow)},
    {"Unit_Press_Set", {}, 0, LastIndex(UnitList::Pressure)},
    {"Unit_BasePress_Set", {}, 0, LastIndex(UnitList::AbsPressure)},
    {"Unit_AtmPress_Set", {}, 0, LastIndex(UnitList::AbsPressure)},
    {"Unit_DpPress_Set", {}, 0, LastIndex(UnitList::DiffPressure)},
    {"Unit_Temp_Set", {}, 0, LastIndex(UnitList::Temperature)},
    {"Unit_BaseTemp_Set", {}, 0, LastIndex(UnitList::Temperature)},
    {"Unit_DpRefTemp_Set", {}, 0, LastIndex(UnitList::Temperature)},
    {"Unit_Dens_Set", {}, 0, LastIndex(UnitList::Density)},
    {"Unit_Visc_Set", {}, 0, LastIndex(UnitList::Viscosity)},
    {"Unit_Velocity_Set", {}, 0, LastIndex(UnitList::Speed)},
    {"Unit_GLocal_Set", {}, 0, LastIndex(UnitList::Acceleration)},
    {"Unit_Bore_Set", {}, 0, LastIndex(UnitList::BoreLength)},
    {"Unit_Pipe_Set", {}, 0, LastIndex(UnitList::PipeSizeLength)},
    {"Unit_PressSys_Set", kFlag, 0, 0},
    {"Fluid_Equation", {}, 0, 0},
    {"Fluid_Condition", {}, 0, 0},
    {"Fluid_Property", {}, 0, 0},
    {"Factor_Manometer", kFlag, 0, 0},
    {"Factor_Drain", kFlag, 0, 0},
    {"Factor_DrainType", kDrainType, 0, 0},
    {"Factor_Drain_HoleSel", {}, 0, kMaxDrainHoleSel},
    {"Factor_H2OvapSetup", kH2Ovap, 0, 0},
    {"Factor_H2OvapIncl", kFlag, 0, 0},
    {"Factor_SatLiq", kFlag, 0, 0},
    {"Factor_VapQual", kFlag, 0, 0},
    {"Meter_Type", {}, 0, 0},
    {"Meter_VenturiExit", kVenturiExit, 0, 0},
    {"Meter_IFOAMfr", kIfoaMfr, 0, 0},
    {"Meter_IFOASize", kIfoaSize, 0, 0},
    {"Meter_IFOAPipeMatl", {}, 1, 44},
    {"Tap_Style", {}, 1, 4},
    {"Tap_Loc", kTapLoc, 0, 0},
    {"Matl_Pipe", {}, 1, 44},
    {"Matl_Elem", {}, 1, 44},
    {"Pipe_Sched", {}, 0, kLastCarbonSchedule},
    {"Calc_Mode", {}, 0, 0},
    {"Calc_Std", {}, 0, 0},
    {"Calc_SizeParam", {}, 0, 0},
    {"Calc_Rev", {}, 0, kNoLimit},
    {"Meter_Diffuser", kFlag, 0, 0},
    {"Uncert_StraightRun", kFlag, 0, 0},
    {"Uncert_Incl", kFlag, 0, 0},
    {"Uncert_BoreMode", kFlag, 0, 0},
};

std::span<const int32_t> CodesOf(std::string_view field, std::span<const int32_t> given) {
    if (field == "Fluid_Equation") return FluidEquationCodes();
    if (field == "Fluid_Condition") return FluidConditionCodes();
    if (field == "Fluid_Property") return FluidPropertyCodes();
    if (field == "Meter_Type") return MeterTypeCodes();
    if (field == "Calc_Mode") return CalcModeCodes();
    if (field == "Calc_Std") return CalcStdCodes();
    if (field == "Calc_SizeParam") return SizeParamCodes();
    return given;
}

const IntRule* FindRule(std::string_view field) {
    const auto it = std::find_if(std::begin(kIntRules), std::end(kIntRules),
                                 [&](const IntRule& r) { return field == r.field; });
    return it == std::end(kIntRules) ? nullptr : &*it;
}

bool Accepts(const IntRule& rule, int32_t v) {
    const std::span<const int32_t> codes = CodesOf(rule.field, rule.codes);
    if (!codes.empty()) return std::find(codes.begin(), codes.end(), v) != codes.end();
    return v >= rule.lo && v <= rule.hi;
}

// The condition and the property input are those of the equation's kind: the
// flow equations have no branch for a gas with a liquid's condition (nor the
// reverse) and would compute nothing. One of the other kind becomes the first
// choice of the equation's kind, as the equation set-up dialogs start. A field
// already reset above is not listed twice.
void CheckFluidChoices(TagRecord& r, std::vector<RecordRepair>& repairs) {
    const bool liquid = IsLiquidEquation(r.Fluid_Equation);
    const auto among = []<typename E>(int32_t v, std::initializer_list<E> set) {
        return std::any_of(set.begin(), set.end(), [v](E c) { return Code(c) == v; });
    };
    const bool condition_fits =
        liquid ? among(r.Fluid_Condition, {FluidCondition::LiquidBaseTemp, FluidCondition::LiquidFlowingTemp})
               : among(r.Fluid_Condition, {FluidCondition::GasBase, FluidCondition::GasFlowing});
    const bool property_fits =
        liquid ? among(r.Fluid_Property, {FluidProperty::LiquidSG, FluidProperty::LiquidDensity})
               : among(r.Fluid_Property,
                       {FluidProperty::GasSG, FluidProperty::GasMW, FluidProperty::GasDensity});
    const std::string reason = "does not go with Fluid_Equation " + std::to_string(r.Fluid_Equation);
    const auto reset = [&](const char* field, int32_t& value, int32_t first) {
        const bool listed = std::any_of(repairs.begin(), repairs.end(),
                                        [field](const RecordRepair& x) { return x.field == field; });
        if (!listed) repairs.push_back({field, std::to_string(value), reason});
        value = first;
    };
    if (!condition_fits)
        reset("Fluid_Condition", r.Fluid_Condition,
              Code(liquid ? FluidCondition::LiquidBaseTemp : FluidCondition::GasBase));
    if (!property_fits)
        reset("Fluid_Property", r.Fluid_Property,
              Code(liquid ? FluidProperty::LiquidSG : FluidProperty::GasSG));
}

}  // namespace

bool IsValidIntValue(const char* field, int32_t value) {
    const IntRule* rule = FindRule(field);
    return !rule || Accepts(*rule, value);
}

std::vector<RecordRepair> CheckRecord(TagRecord& r) {
    std::vector<RecordRepair> repairs;
    const TagRecord fresh = NewTagRecord();
    for (const FieldInfo& f : RecordFields()) {
        switch (f.kind) {
            case FieldKind::Text: {
                char* p = reinterpret_cast<char*>(&r) + f.offset;
                if (!std::memchr(p, '\0', f.width)) {
                    repairs.push_back({f.name, std::string(p, f.width), "has no end within its field"});
                    p[f.width - 1] = '\0';
                }
                break;
            }
            case FieldKind::Int32: {
                const IntRule* rule = FindRule(f.name);
                const int32_t v = GetInt(r, f);
                if (rule && !Accepts(*rule, v)) {
                    repairs.push_back({f.name, std::to_string(v)});
                    SetInt(r, f, GetInt(fresh, f));
                }
                break;
            }
            case FieldKind::Double: {
                const double v = GetDouble(r, f);
                if (!std::isfinite(v)) {
                    repairs.push_back(
                        {f.name, std::isnan(v) ? "nan" : (v > 0 ? "inf" : "-inf"), "is not a finite number"});
                    SetDouble(r, f, GetDouble(fresh, f));
                }
                break;
            }
            case FieldKind::Bytes:
                break;
        }
    }
    // A stainless pipe has the shorter schedule list; a position past it becomes
    // "NON-STD", so the stored inside diameter is kept and never looked up again.
    if (CMiscUtil().IsStainless(r.Matl_Pipe) && r.Pipe_Sched > kStainlessNonStd) {
        repairs.push_back(
            {"Pipe_Sched", std::to_string(r.Pipe_Sched), "is past the stainless steel schedules"});
        r.Pipe_Sched = kStainlessNonStd;
    }
    CheckFluidChoices(r, repairs);
    return repairs;
}

std::vector<RecordRepair> RecordProblems(const TagRecord& r) {
    TagRecord copy = r;
    return CheckRecord(copy);
}

std::string RepairText(const RecordRepair& repair) {
    return repair.field + " " + Cp1252ToUtf8(repair.was) + " " +
           (repair.reason.empty() ? std::string("is not one of its values") : repair.reason);
}

}  // namespace quorven
