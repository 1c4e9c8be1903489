#include "record/record_check.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <span>
#include <string_view>

#include "record/choice_codes.h"
#include "record/record_fields.h"

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

// Unit list indexes: every unit list holds far fewer than 64 entries; the unit
// tables check the exact list lengths where they are used.
constexpr int32_t kMaxUnitIndex = 63;

const IntRule kIntRules[] = {
    {"Calc_Status", kCalcStatus, 0, 0},
    {"Unit_GasBaseFlow_Set", {}, 0, kMaxUnitIndex},
    {"Unit_GasFlowingFlow_Set", {}, 0, kMaxUnitIndex},
    {"Unit_GasMassFlow_Set", {}, 0, kMaxUnitIndex},
    {"Unit_LiqBaseFlow_Set", {}, 0, kMaxUnitIndex},
    {"Unit_LiqFlowingFlow_Set", {}, 0, kMaxUnitIndex},
    {"Unit_LiqMassFlow_Set", {}, 0, kMaxUnitIndex},
    {"Unit_Flow_Set", {}, 0, kMaxUnitIndex},
    {"Unit_Press_Set", {}, 0, kMaxUnitIndex},
    {"Unit_BasePress_Set", {}, 0, kMaxUnitIndex},
    {"Unit_AtmPress_Set", {}, 0, kMaxUnitIndex},
    {"Unit_DpPress_Set", {}, 0, kMaxUnitIndex},
    {"Unit_Temp_Set", {}, 0, 3},
    {"Unit_BaseTemp_Set", {}, 0, 3},
    {"Unit_DpRefTemp_Set", {}, 0, 3},
    {"Unit_Dens_Set", {}, 0, kMaxUnitIndex},
    {"Unit_Visc_Set", {}, 0, kMaxUnitIndex},
    {"Unit_Velocity_Set", {}, 0, kMaxUnitIndex},
    {"Unit_GLocal_Set", {}, 0, kMaxUnitIndex},
    {"Unit_Bore_Set", {}, 0, kMaxUnitIndex},
    {"Unit_Pipe_Set", {}, 0, kMaxUnitIndex},
    {"Unit_PressSys_Set", kFlag, 0, 0},
    {"Fluid_Equation", {}, 0, 0},
    {"Fluid_Condition", {}, 0, 0},
    {"Fluid_Property", {}, 0, 0},
    {"Factor_Manometer", kFlag, 0, 0},
    {"Factor_Drain", kFlag, 0, 0},
    {"Factor_DrainType", kDrainType, 0, 0},
    {"Factor_Drain_HoleSel", {}, 0, kMaxUnitIndex},
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
    {"Pipe_Sched", {}, 0, 13},
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
                    repairs.push_back({f.name, std::string(p, f.width)});
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
                    repairs.push_back({f.name, std::isnan(v) ? "nan" : (v > 0 ? "inf" : "-inf")});
                    SetDouble(r, f, GetDouble(fresh, f));
                }
                break;
            }
            case FieldKind::Bytes: break;
        }
    }
    return repairs;
}

}  // namespace quorven
