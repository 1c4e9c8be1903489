#include "reports/sheet_values.h"

#include <cmath>
#include <optional>

#include "record/cformat.h"
#include "record/choice_codes.h"

namespace quorven {

std::string Num(std::string_view format, double v) {
    if (!std::isfinite(v)) return kNoValue;
    return CFormat(format, {v});
}

std::string Num(std::string (*fmt)(double), double v) {
    if (!std::isfinite(v)) return kNoValue;
    return fmt(v);
}

std::string WithUnit(const std::string& value, std::string_view unit) {
    if (value == kNoValue) return value;
    return CFormat("%s %s", {value, unit});
}

std::string UnitNameOf(const TagRecord& r, const UnitTables& t, Quantity q) {
    int32_t selection = 0;
    std::string_view stored;
    switch (q) {
        case Quantity::Flow:
            selection = r.Unit_Flow_Set, stored = GetText(r.Unit_Flow_Text);
            break;
        case Quantity::Pressure:
            selection = r.Unit_Press_Set, stored = GetText(r.Unit_Press_Text);
            break;
        case Quantity::BasePressure:
            // The record keeps no text of its own for the base pressure unit.
            selection = r.Unit_BasePress_Set, stored = GetText(r.Unit_AtmPress_Text);
            break;
        case Quantity::AtmPressure:
            selection = r.Unit_AtmPress_Set, stored = GetText(r.Unit_AtmPress_Text);
            break;
        case Quantity::DiffPressure:
            selection = r.Unit_DpPress_Set, stored = GetText(r.Unit_Dpress_Text);
            break;
        case Quantity::Temperature:
            selection = r.Unit_Temp_Set, stored = GetText(r.Unit_Temp_Text);
            break;
        case Quantity::BaseTemperature:
            selection = r.Unit_BaseTemp_Set, stored = GetText(r.Unit_Temp_Text);
            break;
        case Quantity::DpRefTemperature:
            selection = r.Unit_DpRefTemp_Set, stored = GetText(r.Unit_Temp_Text);
            break;
        case Quantity::Density:
            selection = r.Unit_Dens_Set, stored = GetText(r.Unit_Dens_Text);
            break;
        case Quantity::Viscosity:
            selection = r.Unit_Visc_Set, stored = GetText(r.Unit_Visc_Text);
            break;
        case Quantity::Velocity:
            selection = r.Unit_Velocity_Set, stored = GetText(r.Unit_Velo_Text);
            break;
        case Quantity::Gravity:
            selection = r.Unit_GLocal_Set;
            break;
        case Quantity::Bore:
            selection = r.Unit_Bore_Set, stored = GetText(r.Unit_Bore_Text);
            break;
        case Quantity::PipeSize:
            selection = r.Unit_Pipe_Set, stored = GetText(r.Unit_Pipe_Text);
            break;
    }
    const std::optional<UnitList> list = ListOf(r, q);
    if (list && IsUnitIndex(*list, selection)) return std::string(UnitName(t, *list, selection));
    return std::string(stored);
}

char FlowSymbol(const TagRecord& r) {
    const int32_t eq = r.Fluid_Equation;
    const int32_t cond = r.Fluid_Condition;
    const bool base =
        (eq == Code(FluidEquation::GasVolume) && cond == Code(FluidCondition::GasBase)) ||
        (eq == Code(FluidEquation::LiquidVolume) && cond == Code(FluidCondition::LiquidBaseTemp));
    const bool flowing =
        (eq == Code(FluidEquation::GasVolume) && cond == Code(FluidCondition::GasFlowing)) ||
        (eq == Code(FluidEquation::LiquidVolume) && cond == Code(FluidCondition::LiquidFlowingTemp));
    if (base) return 'Q';
    if (flowing) return 'q';
    return 'W';
}

char TapDigit(const TagRecord& r) {
    return r.Tap_Loc == Code(TapLoc::Upstream) ? '1' : '2';
}

std::string_view SheetTemperatureName(int32_t index) {
    constexpr std::string_view kNames[] = {"degF", "degR", "degC", "degK"};
    if (index < 0 || index > 3) return kNames[0];
    return kNames[index];
}

}  // namespace quorven
