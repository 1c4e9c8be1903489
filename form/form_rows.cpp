#include "form/form_rows.h"

#include <cmath>
#include <vector>

#include "engine/calculate.h"
#include "record/cformat.h"
#include "record/choice_codes.h"
#include "record/formats.h"
#include "record/units.h"

namespace quorven {
namespace {

using enum RowKind;

// Fluid rows as the form lays them out; `tap` is the digit of the pressure tap
// ("1" upstream, "2" downstream) appended to the flowing-state labels.
FormRow Row(RowKind kind, const std::string& tap, bool required = true) {
    FormRow row;
    row.kind = kind;
    row.required = required;
    switch (kind) {
        case BaseGravity:
            row.label = "Gb";
            break;
        case FlowGravity:
            row.label = "Gf" + tap;
            break;
        case BaseDensity:
            row.label = "Db";
            break;
        case FlowDensity:
            row.label = "Df" + tap;
            break;
        case FlowPressure:
            row.label = "Pf" + tap;
            break;
        case FlowTemperature:
            row.label = "Tf" + tap;
            break;
        case Viscosity:
            row.label = "u";
            break;
        case LiquidFp:
            row.label = "Fp";
            break;
        case VapourPressure:
            row.label = "Pv";
            break;
        case GasGravity:
            row.label = "Gg";
            break;
        case MolecularWeight:
            row.label = "Mw";
            break;
        case BaseZ:
            row.label = "Zb";
            break;
        case FlowZ:
            row.label = "Zf" + tap;
            break;
        case IsentropicK:
            row.label = "Cp/Cv, K";
            break;
        default:
            break;
    }
    return row;
}

}  // namespace

std::string FluidEquationTitle(const TagRecord& r) {
    const int32_t eq = r.Fluid_Equation, cond = r.Fluid_Condition, prop = r.Fluid_Property;
    const bool sg = prop == Code(FluidProperty::LiquidSG),
               dens_l = prop == Code(FluidProperty::LiquidDensity);
    const bool pvt = prop == Code(FluidProperty::GasSG) || prop == Code(FluidProperty::GasMW);
    const bool dens_g = prop == Code(FluidProperty::GasDensity);
    const bool liq_base = cond == Code(FluidCondition::LiquidBaseTemp);
    const bool liq_flow = cond == Code(FluidCondition::LiquidFlowingTemp);
    const bool gas_base = cond == Code(FluidCondition::GasBase);
    const bool gas_flow = cond == Code(FluidCondition::GasFlowing);
    if (eq == Code(FluidEquation::LiquidVolume)) {
        if (sg && liq_base) return "Liq Vol-SG@Base";
        if (sg && liq_flow) return "Liq Vol-SG@Flowing";
        if (dens_l && liq_base) return "Liq Vol-Density@Base";
        if (dens_l && liq_flow) return "Liq Vol-Density@Flowing";
    } else if (eq == Code(FluidEquation::LiquidMass)) {
        if (sg) return "Liq Mass-SG";
        if (dens_l) return "Liq Mass-Density";
    } else if (eq == Code(FluidEquation::GasVolume)) {
        if (pvt && gas_base) return "Gas Vol-PVT@Base";
        if (pvt && gas_flow) return "Gas Vol-PVT@Flow";
        if (dens_g && gas_base) return "Gas Vol-Density@Base";
        if (dens_g && gas_flow) return "Gas Vol-Density@Flow";
    } else if (eq == Code(FluidEquation::GasMass)) {
        if (pvt) return "Vapor Mass-PVT@Flow";
        if (dens_g) return "Vapor Mass-Density";
    }
    return {};
}

FluidRows FluidDataRows(const TagRecord& r) {
    const std::string tap = r.Tap_Loc == Code(TapLoc::Downstream) ? "2" : "1";
    const std::string title = FluidEquationTitle(r);
    const RowKind gas_property =
        r.Fluid_Property == Code(FluidProperty::GasMW) ? MolecularWeight : GasGravity;
    const bool critical = r.Calc_Mode == Code(CalcMode::CriticalDrop);
    std::vector<FormRow> rows;
    auto add = [&](RowKind k, bool required = true) { rows.push_back(Row(k, tap, required)); };
    // The vapour pressure is needed only where a liquid may flash; 0 is a valid
    // vapour pressure for a liquid far below its boiling point, so it is never missing.
    auto liquid_tail = [&] {
        add(FlowPressure);
        add(FlowTemperature);
        add(Viscosity);
        add(LiquidFp);
        add(VapourPressure, false);
    };
    if (title == "Liq Vol-SG@Base") {
        add(BaseGravity);
        add(FlowGravity);
        liquid_tail();
    } else if (title == "Liq Vol-SG@Flowing" || title == "Liq Mass-SG") {
        add(FlowGravity);
        liquid_tail();
    } else if (title == "Liq Vol-Density@Base") {
        add(BaseDensity);
        add(FlowDensity);
        liquid_tail();
    } else if (title == "Liq Vol-Density@Flowing" || title == "Liq Mass-Density") {
        add(FlowDensity);
        liquid_tail();
    } else if (title == "Gas Vol-PVT@Base") {
        add(gas_property);
        add(BaseZ);
        add(FlowZ);
        add(FlowPressure);
        add(FlowTemperature);
        add(Viscosity);
        add(IsentropicK);
    } else if (title == "Gas Vol-PVT@Flow" || title == "Vapor Mass-PVT@Flow") {
        add(gas_property);
        add(FlowZ);
        add(FlowPressure);
        add(FlowTemperature);
        add(Viscosity);
        add(IsentropicK);
    } else if (title == "Gas Vol-Density@Base") {
        add(BaseDensity);
        add(FlowDensity);
        add(FlowPressure);
        add(FlowTemperature);
        add(Viscosity);
        add(IsentropicK);
        if (critical) add(MolecularWeight);
    } else if (title == "Gas Vol-Density@Flow" || title == "Vapor Mass-Density") {
        add(FlowDensity);
        add(FlowPressure);
        add(FlowTemperature);
        add(Viscosity);
        add(IsentropicK);
        if (critical) add(MolecularWeight);
    }
    FluidRows out{};
    for (std::size_t i = 0; i < rows.size() && i < out.size(); ++i) out[i] = rows[i];
    return out;
}

SizingRows SizingDataRows(const TagRecord& r) {
    // Volume at base conditions "Q", at flowing conditions "q", mass "W".
    char q = 'Q';
    if (const auto kind = FlowKindOf(r)) {
        if (*kind == FlowKind::GasFlowing || *kind == FlowKind::LiquidFlowing) q = 'q';
        if (*kind == FlowKind::GasMass || *kind == FlowKind::LiquidMass) q = 'W';
    }
    const bool wedge = IsWedgeMeter(r.Meter_Type);
    auto flow = [&](RowKind k) {
        std::string label(1, q);
        if (k == MaxFlow) label.push_back('m');
        if (k == NormalFlow) label.push_back('n');
        return FormRow{k, label, true};
    };
    const FormRow bore = wedge ? FormRow{HOverD, "H/D", true} : FormRow{Bore, "Bore", true};
    const FormRow dpm{DpMax, "dPm", true}, dpn{DpNormal, "dPn", true}, dp{DpSingle, "dP", true};
    const int32_t p = r.Calc_SizeParam;
    const bool by_bore = p == Code(SizeParam::Bore), by_dp = p == Code(SizeParam::Dp);
    const bool by_flow = p == Code(SizeParam::Flow);
    if (r.Calc_Mode == Code(CalcMode::Meter)) {
        if (by_bore) return {flow(MaxFlow), flow(NormalFlow), dpm};
        if (by_dp) return {flow(MaxFlow), flow(NormalFlow), bore};
        if (by_flow) return {bore, dpm, dpn};
    } else if (r.Calc_Mode == Code(CalcMode::CriticalDrop)) {
        if (by_bore || by_dp) return {flow(SingleFlow), FormRow{}, FormRow{}};
        if (by_flow) return {bore, FormRow{}, FormRow{}};
    } else if (r.Calc_Mode == Code(CalcMode::Restriction)) {
        if (by_bore) return {flow(SingleFlow), dp, FormRow{}};
        if (by_dp) return {flow(SingleFlow), bore, FormRow{}};
        if (by_flow) return {bore, dp, FormRow{}};
    }
    return {};
}

std::optional<double> RowDisplayValue(const TagRecord& r, RowKind kind) {
    switch (kind) {
        case None:
            return std::nullopt;
        case BaseGravity:
        case BaseZ:
            return r.Base_RhoGZ;
        case FlowGravity:
        case FlowZ:
            return r.Flow_RhoGZ;
        case BaseDensity:
            return ToUser(r, Quantity::Density, r.Base_RhoGZ);
        case FlowDensity:
            return ToUser(r, Quantity::Density, r.Flow_RhoGZ);
        case FlowPressure:
            return ToUser(r, Quantity::Pressure, r.Flow_Press);
        case FlowTemperature:
            return ToUser(r, Quantity::Temperature, r.Flow_Temp);
        case Viscosity:
            return ToUser(r, Quantity::Viscosity, r.Property_Visc);
        case LiquidFp:
        case IsentropicK:
            return r.Property_KFp;
        case VapourPressure:
            return ToUser(r, Quantity::AtmPressure, r.Property_MwDenVp);
        case GasGravity:
        case MolecularWeight:
            return r.Property_MwDenVp;
        case MaxFlow:
        case SingleFlow:
            return ToUser(r, Quantity::Flow, r.Flow_Max);
        case NormalFlow:
            return ToUser(r, Quantity::Flow, r.Flow_Norm);
        case DpMax:
        case DpSingle:
            return ToUser(r, Quantity::DiffPressure, r.Dp_Max);
        case DpNormal:
            return ToUser(r, Quantity::DiffPressure, r.Dp_Norm);
        case Bore:
            return ToUser(r, Quantity::Bore, r.Bore);
        case HOverD:
            if (!(r.Pipe_IDia > 0.0)) return std::nullopt;
            return r.SegHs / r.Pipe_IDia;
    }
    return std::nullopt;
}

std::optional<double> RowCheckValue(const TagRecord& r, RowKind kind) {
    if (kind == FlowTemperature) return r.Flow_Temp;  // deg R
    if (kind == FlowPressure) return r.Flow_Press;    // psia
    return RowDisplayValue(r, kind);
}

std::optional<Quantity> RowQuantity(RowKind k) {
    switch (k) {
        case RowKind::BaseDensity:
        case RowKind::FlowDensity:
            return Quantity::Density;
        case RowKind::FlowPressure:
            return Quantity::Pressure;
        case RowKind::FlowTemperature:
            return Quantity::Temperature;
        case RowKind::Viscosity:
            return Quantity::Viscosity;
        case RowKind::VapourPressure:
            return Quantity::AtmPressure;
        case RowKind::MaxFlow:
        case RowKind::NormalFlow:
        case RowKind::SingleFlow:
            return Quantity::Flow;
        case RowKind::DpMax:
        case RowKind::DpNormal:
        case RowKind::DpSingle:
            return Quantity::DiffPressure;
        case RowKind::Bore:
            return Quantity::Bore;
        default:
            return std::nullopt;
    }
}

int32_t UnitSelection(const TagRecord& r, Quantity q) {
    switch (q) {
        case Quantity::Flow:
            return r.Unit_Flow_Set;
        case Quantity::Pressure:
            return r.Unit_Press_Set;
        case Quantity::AtmPressure:
            return r.Unit_AtmPress_Set;
        case Quantity::BasePressure:
            return r.Unit_BasePress_Set;
        case Quantity::BaseTemperature:
            return r.Unit_BaseTemp_Set;
        case Quantity::DpRefTemperature:
            return r.Unit_DpRefTemp_Set;
        case Quantity::DiffPressure:
            return r.Unit_DpPress_Set;
        case Quantity::Temperature:
            return r.Unit_Temp_Set;
        case Quantity::Density:
            return r.Unit_Dens_Set;
        case Quantity::Viscosity:
            return r.Unit_Visc_Set;
        case Quantity::Bore:
            return r.Unit_Bore_Set;
        case Quantity::Velocity:
            return r.Unit_Velocity_Set;
        case Quantity::PipeSize:
            return r.Unit_Pipe_Set;
        default:
            return -1;
    }
}

std::string RowValueText(const TagRecord& r, RowKind k) {
    const std::optional<double> v = RowDisplayValue(r, k);
    if (!v) return {};
    switch (k) {
        case RowKind::GasGravity:
            return FmtFixed("%.5f", *v);
        case RowKind::MolecularWeight:
            return FmtFixed("%.4f", *v);
        case RowKind::FlowPressure:
        case RowKind::VapourPressure:
            return FmtPressure(*v);
        case RowKind::FlowTemperature:
            return FmtTemperature(*v);
        case RowKind::Viscosity:
            return FmtViscosity(*v);
        case RowKind::LiquidFp:
        case RowKind::IsentropicK:
            return FmtFixed("%.4f", *v);
        case RowKind::MaxFlow:
        case RowKind::NormalFlow:
        case RowKind::SingleFlow:
            return FmtFlow(*v);
        case RowKind::DpMax:
        case RowKind::DpNormal:
        case RowKind::DpSingle:
            return FmtDiffPressure(*v);
        case RowKind::Bore:
        case RowKind::HOverD:
            return FmtFixed("%.4f", *v);
        default:
            return FmtDensity(*v);
    }
}

}  // namespace quorven
