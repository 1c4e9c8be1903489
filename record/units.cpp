#include "record/units.h"

#include <cmath>

#include "record/choice_codes.h"

namespace quorven {
namespace {

// deg R = deg F + 459.67; K = deg R x 5/9 (ITS-90 definitions, NIST SP 811, 2008, B.8).
constexpr double kRankineAtZeroF = 459.67;
constexpr double kKelvinAtZeroC = 273.15;

struct Binding {
    UnitList list;
    int32_t TagRecord::*selection;
    double TagRecord::*factor;  // nullptr: no factor field
};

std::optional<Binding> BindingOf(Quantity q) {
    switch (q) {
        case Quantity::Flow:
            return std::nullopt;
        case Quantity::Pressure:
            return Binding{UnitList::Pressure, &TagRecord::Unit_Press_Set, &TagRecord::Unit_Press};
        case Quantity::BasePressure:
            return Binding{UnitList::AbsPressure, &TagRecord::Unit_BasePress_Set, &TagRecord::Unit_BasePress};
        case Quantity::AtmPressure:
            return Binding{UnitList::AbsPressure, &TagRecord::Unit_AtmPress_Set, &TagRecord::Unit_AtmPress};
        case Quantity::DiffPressure:
            return Binding{UnitList::DiffPressure, &TagRecord::Unit_DpPress_Set, &TagRecord::Unit_Dpress};
        case Quantity::Temperature:
            return Binding{UnitList::Temperature, &TagRecord::Unit_Temp_Set, nullptr};
        case Quantity::BaseTemperature:
            return Binding{UnitList::Temperature, &TagRecord::Unit_BaseTemp_Set, nullptr};
        case Quantity::DpRefTemperature:
            return Binding{UnitList::Temperature, &TagRecord::Unit_DpRefTemp_Set, nullptr};
        case Quantity::Density:
            return Binding{UnitList::Density, &TagRecord::Unit_Dens_Set, &TagRecord::Unit_Dens};
        case Quantity::Viscosity:
            return Binding{UnitList::Viscosity, &TagRecord::Unit_Visc_Set, &TagRecord::Unit_Visc};
        case Quantity::Velocity:
            return Binding{UnitList::Speed, &TagRecord::Unit_Velocity_Set, &TagRecord::Unit_Velo};
        case Quantity::Gravity:
            return Binding{UnitList::Acceleration, &TagRecord::Unit_GLocal_Set, &TagRecord::Unit_Glocal};
        case Quantity::Bore:
            return Binding{UnitList::BoreLength, &TagRecord::Unit_Bore_Set, &TagRecord::Unit_Bore};
        case Quantity::PipeSize:
            return Binding{UnitList::PipeSizeLength, &TagRecord::Unit_Pipe_Set, &TagRecord::Unit_Pipe};
    }
    return std::nullopt;
}

// The text field a selection fills, if the quantity has one.
void StoreText(TagRecord& r, Quantity q, std::string_view name) {
    switch (q) {
        case Quantity::Pressure:
            SetText(r.Unit_Press_Text, name);
            break;
        case Quantity::AtmPressure:
            SetText(r.Unit_AtmPress_Text, name);
            break;
        case Quantity::DiffPressure:
            SetText(r.Unit_Dpress_Text, name);
            break;
        case Quantity::Temperature:
            SetText(r.Unit_Temp_Text, name);
            break;
        case Quantity::Density:
            SetText(r.Unit_Dens_Text, name);
            break;
        case Quantity::Viscosity:
            SetText(r.Unit_Visc_Text, name);
            break;
        case Quantity::Velocity:
            SetText(r.Unit_Velo_Text, name);
            break;
        case Quantity::Bore:
            SetText(r.Unit_Bore_Text, name);
            break;
        case Quantity::PipeSize:
            SetText(r.Unit_Pipe_Text, name);
            break;
        default:
            break;
    }
}

bool Usable(double factor) {
    return std::isfinite(factor) && factor > 0;
}

}  // namespace

std::optional<UnitList> ListOf(const TagRecord& r, Quantity q) {
    if (q == Quantity::Flow) {
        const std::optional<FlowKind> k = FlowKindOf(r);
        if (!k) return std::nullopt;
        return FlowListOf(*k);
    }
    return BindingOf(q)->list;
}

double ScaleToUser(double internal, double factor) {
    return internal * factor;
}

double DensityToUser(double lb_ft3, double factor) {
    return lb_ft3 / factor;
}

double DensityFromUser(double typed, double factor) {
    return typed * factor;
}

double GaugePressureToUser(double psia, double factor, double atm_psia) {
    if (psia == 0.0) return 0.0;
    return (psia - atm_psia) * factor;
}

double GaugePressureFromUser(double typed, double factor, double atm_psia) {
    return typed / factor + atm_psia;
}

double TemperatureToUser(int32_t index, double rankine) {
    if (rankine == 0.0) return 0.0;
    switch (index) {
        case 1:
            return rankine;
        case 2:
            return rankine * 5.0 / 9.0 - kKelvinAtZeroC;
        case 3:
            return rankine * 5.0 / 9.0;
        default:
            return rankine - kRankineAtZeroF;
    }
}

double TemperatureFromUser(int32_t index, double typed) {
    switch (index) {
        case 1:
            return typed;
        case 2:
            return typed * 1.8 + 32.0 + kRankineAtZeroF;
        case 3:
            return typed * 1.8;
        default:
            return typed + kRankineAtZeroF;
    }
}

double FactorOf(const TagRecord& r, Quantity q) {
    if (q == Quantity::Flow) {
        if (Usable(r.Unit_Flow)) return r.Unit_Flow;
        const std::optional<FlowKind> k = FlowKindOf(r);
        const double f = k ? UnitFactor(DefaultUnitTables(), FlowListOf(*k), FlowSelection(r, *k)) : 0.0;
        return Usable(f) ? f : 1.0;
    }
    const std::optional<Binding> b = BindingOf(q);
    if (!b->factor) return 1.0;
    if (Usable(r.*(b->factor))) return r.*(b->factor);
    const double f = UnitFactor(DefaultUnitTables(), b->list, r.*(b->selection));
    return Usable(f) ? f : 1.0;
}

double ToUser(const TagRecord& r, Quantity q, double internal) {
    switch (q) {
        case Quantity::Temperature:
            return TemperatureToUser(r.Unit_Temp_Set, internal);
        case Quantity::BaseTemperature:
            return TemperatureToUser(r.Unit_BaseTemp_Set, internal);
        case Quantity::DpRefTemperature:
            return TemperatureToUser(r.Unit_DpRefTemp_Set, internal);
        case Quantity::Density:
            return DensityToUser(internal, FactorOf(r, q));
        case Quantity::Pressure:
            if (r.Unit_PressSys_Set == 0) return GaugePressureToUser(internal, FactorOf(r, q), r.AtmPress);
            return ScaleToUser(internal, FactorOf(r, q));
        default:
            return ScaleToUser(internal, FactorOf(r, q));
    }
}

bool FromUser(const TagRecord& r, Quantity q, double typed, double& internal) {
    if (!std::isfinite(typed)) return false;
    double v = 0;
    switch (q) {
        case Quantity::Temperature:
            v = TemperatureFromUser(r.Unit_Temp_Set, typed);
            break;
        case Quantity::BaseTemperature:
            v = TemperatureFromUser(r.Unit_BaseTemp_Set, typed);
            break;
        case Quantity::DpRefTemperature:
            v = TemperatureFromUser(r.Unit_DpRefTemp_Set, typed);
            break;
        case Quantity::Density:
            v = DensityFromUser(typed, FactorOf(r, q));
            break;
        case Quantity::Pressure:
            v = r.Unit_PressSys_Set == 0 ? GaugePressureFromUser(typed, FactorOf(r, q), r.AtmPress)
                                         : typed / FactorOf(r, q);
            break;
        default:
            v = typed / FactorOf(r, q);
            break;
    }
    if (!std::isfinite(v)) return false;
    internal = v;
    return true;
}

UnitList FlowListOf(FlowKind k) {
    return static_cast<UnitList>(static_cast<int>(k) - 1);
}

std::optional<FlowKind> FlowKindOf(const TagRecord& r) {
    const int32_t eq = r.Fluid_Equation, cond = r.Fluid_Condition, prop = r.Fluid_Property;
    if (eq == Code(FluidEquation::GasVolume)) {
        if (prop < Code(FluidProperty::GasSG) || prop > Code(FluidProperty::GasDensity)) return std::nullopt;
        return cond == Code(FluidCondition::GasBase) ? FlowKind::GasBase : FlowKind::GasFlowing;
    }
    if (eq == Code(FluidEquation::GasMass)) return FlowKind::GasMass;
    if (eq == Code(FluidEquation::LiquidVolume)) {
        if (prop != Code(FluidProperty::LiquidSG) && prop != Code(FluidProperty::LiquidDensity))
            return std::nullopt;
        return cond == Code(FluidCondition::LiquidBaseTemp) ? FlowKind::LiquidBase : FlowKind::LiquidFlowing;
    }
    if (eq == Code(FluidEquation::LiquidMass)) return FlowKind::LiquidMass;
    return std::nullopt;
}

int32_t& FlowSelection(TagRecord& r, FlowKind k) {
    switch (k) {
        case FlowKind::GasBase:
            return r.Unit_GasBaseFlow_Set;
        case FlowKind::GasFlowing:
            return r.Unit_GasFlowingFlow_Set;
        case FlowKind::GasMass:
            return r.Unit_GasMassFlow_Set;
        case FlowKind::LiquidBase:
            return r.Unit_LiqBaseFlow_Set;
        case FlowKind::LiquidFlowing:
            return r.Unit_LiqFlowingFlow_Set;
        case FlowKind::LiquidMass:
            break;
    }
    return r.Unit_LiqMassFlow_Set;
}

int32_t FlowSelection(const TagRecord& r, FlowKind k) {
    switch (k) {
        case FlowKind::GasBase:
            return r.Unit_GasBaseFlow_Set;
        case FlowKind::GasFlowing:
            return r.Unit_GasFlowingFlow_Set;
        case FlowKind::GasMass:
            return r.Unit_GasMassFlow_Set;
        case FlowKind::LiquidBase:
            return r.Unit_LiqBaseFlow_Set;
        case FlowKind::LiquidFlowing:
            return r.Unit_LiqFlowingFlow_Set;
        case FlowKind::LiquidMass:
            break;
    }
    return r.Unit_LiqMassFlow_Set;
}

bool SelectFlowUnit(TagRecord& r, const UnitTables& t, int32_t index) {
    const std::optional<FlowKind> k = FlowKindOf(r);
    if (!k) return false;
    const UnitList list = FlowListOf(*k);
    const double factor = UnitFactor(t, list, index);
    if (!IsUnitIndex(list, index) || !Usable(factor)) return false;
    r.Unit_Flow_Set = index;
    FlowSelection(r, *k) = index;
    SetText(r.Unit_Flow_Text, UnitName(t, list, index));
    r.Unit_Flow = factor;
    return true;
}

bool SelectUnit(TagRecord& r, const UnitTables& t, Quantity q, int32_t index) {
    const std::optional<Binding> b = BindingOf(q);
    if (!b || !IsUnitIndex(b->list, index)) return false;
    if (b->factor) {
        const double factor = UnitFactor(t, b->list, index);
        if (!Usable(factor)) return false;
        r.*(b->factor) = factor;
    }
    r.*(b->selection) = index;
    StoreText(r, q, UnitName(t, b->list, index));
    if (q == Quantity::Pressure) r.Unit_PressSys_Set = index % 2;
    return true;
}

bool PairLiquidAtmPressure(TagRecord& r, const UnitTables& t) {
    if (r.Fluid_Equation != Code(FluidEquation::LiquidVolume) &&
        r.Fluid_Equation != Code(FluidEquation::LiquidMass))
        return false;
    if (!IsUnitIndex(UnitList::Pressure, r.Unit_Press_Set)) return false;
    return SelectUnit(r, t, Quantity::AtmPressure, r.Unit_Press_Set / 2);
}

void RefreshFlowFactorAfterListEdit(TagRecord& r, const UnitTables& t, FlowKind k) {
    if (FlowKindOf(r) != k) return;
    const double factor = UnitFactor(t, FlowListOf(k), FlowSelection(r, k));
    if (Usable(factor)) r.Unit_Flow = factor;
}

bool ReapplyFlowUnit(TagRecord& r, const UnitTables& t) {
    return SelectFlowUnit(r, t, r.Unit_Flow_Set) || SelectFlowUnitOfKind(r, t);
}

bool SelectFlowUnitOfKind(TagRecord& r, const UnitTables& t) {
    const std::optional<FlowKind> k = FlowKindOf(r);
    if (!k) return false;
    return SelectFlowUnit(r, t, FlowSelection(r, *k)) || SelectFlowUnit(r, t, 0);
}

void StoreSelections(UnitDefaults& d, const TagRecord& r) {
    d.Unit_GasBaseFlow_Set = r.Unit_GasBaseFlow_Set;
    d.Unit_GasFlowingFlow_Set = r.Unit_GasFlowingFlow_Set;
    d.Unit_GasMassFlow_Set = r.Unit_GasMassFlow_Set;
    d.Unit_LiqBaseFlow_Set = r.Unit_LiqBaseFlow_Set;
    d.Unit_LiqFlowingFlow_Set = r.Unit_LiqFlowingFlow_Set;
    d.Unit_LiqMassFlow_Set = r.Unit_LiqMassFlow_Set;
    d.Unit_Press_Set = r.Unit_Press_Set;
    d.Unit_BasePress_Set = r.Unit_BasePress_Set;
    d.Unit_AtmPress_Set = r.Unit_AtmPress_Set;
    d.Unit_DpPress_Set = r.Unit_DpPress_Set;
    d.Unit_Temp_Set = r.Unit_Temp_Set;
    d.Unit_BaseTemp_Set = r.Unit_BaseTemp_Set;
    d.Unit_DpRefTemp_Set = r.Unit_DpRefTemp_Set;
    d.Unit_Dens_Set = r.Unit_Dens_Set;
    d.Unit_Visc_Set = r.Unit_Visc_Set;
    d.Unit_Velocity_Set = r.Unit_Velocity_Set;
    d.Unit_GLocal_Set = r.Unit_GLocal_Set;
    d.Unit_Bore_Set = r.Unit_Bore_Set;
    d.Unit_Pipe_Set = r.Unit_Pipe_Set;
    d.Unit_PressSys_Set = r.Unit_PressSys_Set;
    CheckUnitDefaults(d);  // a damaged record never leaves a bad index in the settings
}

void RememberFluidEquation(UnitDefaults& d, const TagRecord& r) {
    if (r.Fluid_Equation == Code(FluidEquation::GasVolume) ||
        r.Fluid_Equation == Code(FluidEquation::GasMass)) {
        d.Gas_Fluid_Equation = r.Fluid_Equation;
        d.Gas_Fluid_Condition = r.Fluid_Condition;
        d.Gas_Fluid_Property = r.Fluid_Property;
    } else if (r.Fluid_Equation == Code(FluidEquation::LiquidVolume) ||
               r.Fluid_Equation == Code(FluidEquation::LiquidMass)) {
        d.Liquid_Fluid_Equation = r.Fluid_Equation;
        d.Liquid_Fluid_Condition = r.Fluid_Condition;
        d.Liquid_Fluid_Property = r.Fluid_Property;
    } else {
        return;
    }
    CheckUnitDefaults(d);
}

void RefreshUnitFactors(TagRecord& r, const UnitTables& t) {
    for (Quantity q : {Quantity::Pressure, Quantity::BasePressure, Quantity::AtmPressure,
                       Quantity::DiffPressure, Quantity::Density, Quantity::Viscosity, Quantity::Velocity,
                       Quantity::Gravity, Quantity::Bore, Quantity::PipeSize}) {
        const Binding b = *BindingOf(q);
        const double factor = UnitFactor(t, b.list, r.*(b.selection));
        if (Usable(factor)) r.*(b.factor) = factor;
    }
}

}  // namespace quorven
