#include "form/fluid_entry.h"

#include <cmath>

#include "messages/messages.h"
#include "record/cformat.h"
#include "record/choice_codes.h"
#include "record/gas_law.h"
#include "record/tag_reset.h"
#include "record/units.h"

namespace quorven {
namespace {

constexpr int kErrorFlowingPressure = msg::kErrFlowingPressure;
constexpr int kErrorFlowingTemperature = msg::kErrFlowingTemperature;
constexpr int kWarningFlowsNotConverted = msg::kWarnFlowsNotConverted;

constexpr int32_t Code(FluidEquation e) {
    return static_cast<int32_t>(e);
}
constexpr int32_t Code(FluidCondition c) {
    return static_cast<int32_t>(c);
}
constexpr int32_t Code(FluidProperty p) {
    return static_cast<int32_t>(p);
}

bool Positive(double x) {
    return std::isfinite(x) && x > 0.0;
}

// a / b, or 0 when it is not a positive finite number (a missing datum).
double PositiveRatio(double a, double b) {
    const double q = a / b;
    return Positive(a) && Positive(b) && Positive(q) ? q : 0.0;
}

// The flows of the record converted between two flow kinds. Each kind is weighed by the
// mass a unit of its flow carries (1 for mass flows): new flow = flow x from / to. The
// same kind needs no weight; a weight of 0 that the conversion needs leaves the flows as
// they are and shows Warning #36 (when there is a flow to convert).
void ConvertFlows(TagRecord& r, bool same_kind, double from, double to, MessageSink& sink) {
    if (same_kind) return;
    if (!(Positive(from) && Positive(to))) {
        if (r.Flow_Max != 0.0 || r.Flow_Norm != 0.0) CWarning(sink).Show(kWarningFlowsNotConverted);
        return;
    }
    const double max = ConvertedVolume(r.Flow_Max, from, to), norm = ConvertedVolume(r.Flow_Norm, from, to);
    if ((max == 0.0 && r.Flow_Max != 0.0) || (norm == 0.0 && r.Flow_Norm != 0.0)) {
        CWarning(sink).Show(kWarningFlowsNotConverted);
        return;
    }
    r.Flow_Max = max;
    r.Flow_Norm = norm;
}

// Gas flow kinds: mass, volume at base conditions, volume at flowing conditions.
enum class GasFlow { Mass, Base, Flowing };
GasFlow GasFlowOf(const EquationChoice& c) {
    if (c.equation == Code(FluidEquation::GasMass)) return GasFlow::Mass;
    return c.condition == Code(FluidCondition::GasFlowing) ? GasFlow::Flowing : GasFlow::Base;
}
double GasFlowWeight(GasFlow k, double rho_b, double rho_f) {
    switch (k) {
        case GasFlow::Mass:
            return 1.0;
        case GasFlow::Base:
            return rho_b;
        case GasFlow::Flowing:
            return rho_f;
    }
    return 0.0;
}
void ConvertGasFlows(TagRecord& r, const EquationChoice& previous, double rho_b, double rho_f,
                     MessageSink& sink) {
    const GasFlow from = GasFlowOf(previous), to = GasFlowOf(ChoiceOf(r));
    ConvertFlows(r, from == to, GasFlowWeight(from, rho_b, rho_f), GasFlowWeight(to, rho_b, rho_f), sink);
}

// Liquid flow kinds: mass (lb/h), volume (bbl/d) at base or at flowing temperature.
enum class LiquidFlow { Mass, Base, Flowing };
LiquidFlow LiquidFlowOf(const EquationChoice& c) {
    if (c.equation == Code(FluidEquation::LiquidMass)) return LiquidFlow::Mass;
    return c.condition == Code(FluidCondition::LiquidFlowingTemp) ? LiquidFlow::Flowing : LiquidFlow::Base;
}
double LiquidFlowWeight(LiquidFlow k, double SGb, double SGf) {
    switch (k) {
        case LiquidFlow::Mass:
            return 1.0;
        case LiquidFlow::Base:
            return kLbPerHourPerGpmWater / kBblPerDayPerGpm * SGb;
        case LiquidFlow::Flowing:
            return kLbPerHourPerGpmWater / kBblPerDayPerGpm * SGf;
    }
    return 0.0;
}

// Base and flowing density or gravity fields of a liquid from its gravities.
void StoreLiquidGravities(TagRecord& r, double SGb, double SGf, double rho_w) {
    if (r.Fluid_Property == Code(FluidProperty::LiquidSG)) {
        r.Base_RhoGZ = SGb;
        r.Flow_RhoGZ = SGf;
    } else {
        r.Base_RhoGZ = SGb * rho_w;
        r.Flow_RhoGZ = SGf * rho_w;
    }
}

}  // namespace

// --- Choices ---

EquationChoice ChoiceOf(const TagRecord& r) {
    return {r.Fluid_Equation, r.Fluid_Condition, r.Fluid_Property};
}

void StoreChoice(TagRecord& r, const EquationChoice& c) {
    r.Fluid_Equation = c.equation;
    r.Fluid_Condition = c.condition;
    r.Fluid_Property = c.property;
}

bool IsGasChoice(const EquationChoice& c) {
    return (c.equation == Code(FluidEquation::GasVolume) || c.equation == Code(FluidEquation::GasMass)) &&
           (c.condition == Code(FluidCondition::GasBase) ||
            c.condition == Code(FluidCondition::GasFlowing)) &&
           (c.property == Code(FluidProperty::GasSG) || c.property == Code(FluidProperty::GasMW) ||
            c.property == Code(FluidProperty::GasDensity));
}

bool IsLiquidChoice(const EquationChoice& c) {
    return (c.equation == Code(FluidEquation::LiquidVolume) ||
            c.equation == Code(FluidEquation::LiquidMass)) &&
           (c.condition == Code(FluidCondition::LiquidBaseTemp) ||
            c.condition == Code(FluidCondition::LiquidFlowingTemp)) &&
           (c.property == Code(FluidProperty::LiquidSG) || c.property == Code(FluidProperty::LiquidDensity));
}

EquationChoice RememberedGasChoice(const UnitDefaults& d) {
    return {d.Gas_Fluid_Equation, d.Gas_Fluid_Condition, d.Gas_Fluid_Property};
}

EquationChoice RememberedLiquidChoice(const UnitDefaults& d) {
    return {d.Liquid_Fluid_Equation, d.Liquid_Fluid_Condition, d.Liquid_Fluid_Property};
}

void RememberChoice(UnitDefaults& d, const EquationChoice& c) {
    if (IsGasChoice(c)) {
        d.Gas_Fluid_Equation = c.equation;
        d.Gas_Fluid_Condition = c.condition;
        d.Gas_Fluid_Property = c.property;
    } else if (IsLiquidChoice(c)) {
        d.Liquid_Fluid_Equation = c.equation;
        d.Liquid_Fluid_Condition = c.condition;
        d.Liquid_Fluid_Property = c.property;
    }
}

EquationChoice PreviousGasChoice(const TagRecord& r, const UnitDefaults& d) {
    const EquationChoice own = ChoiceOf(r);
    return IsGasChoice(own) ? own : RememberedGasChoice(d);
}

EquationChoice PreviousLiquidChoice(const TagRecord& r, const UnitDefaults& d) {
    const EquationChoice own = ChoiceOf(r);
    return IsLiquidChoice(own) ? own : RememberedLiquidChoice(d);
}

// --- Conversions ---

void ApplyGasChoiceChange(TagRecord& r, const EquationChoice& previous, MessageSink& sink) {
    const double MW = r.Property_MwDenVp * kAirMolarMass;
    const double rho_b = GasDensity(r.Base_Press, MW, r.Base_RhoGZ, r.Base_Temp);
    const double rho_f = GasDensity(r.Flow_Press, MW, r.Flow_RhoGZ, r.Flow_Temp);
    ConvertGasFlows(r, previous, rho_b, rho_f, sink);
    if (r.Fluid_Property == Code(FluidProperty::GasMW)) {
        r.Property_MwDenVp = MW;
    } else if (r.Fluid_Property == Code(FluidProperty::GasDensity)) {
        r.Property_MwDenVp = MW;
        r.Base_RhoGZ = rho_b;
        r.Flow_RhoGZ = rho_f;
    }
}

void ApplyGasSetupChange(TagRecord& r, const EquationChoice& previous, MessageSink& sink) {
    const int32_t new_property = r.Fluid_Property;
    double MW = 0.0, SG = 0.0, Zb = 0.0, Zf = 0.0;
    if (previous.property == Code(FluidProperty::GasDensity)) {
        // A density tag keeps a molecular weight, or in older tags a gravity: a value above
        // 2 cannot be a gas gravity of practice and is read as a molecular weight.
        if (r.Property_MwDenVp > 2.0) {
            MW = r.Property_MwDenVp;
            SG = MW / kAirMolarMass;
        } else {
            SG = r.Property_MwDenVp;
            MW = SG * kAirMolarMass;
        }
        Zb = GasCompressibility(r.Base_Press, MW, r.Base_RhoGZ, r.Base_Temp);
        Zf = GasCompressibility(r.Flow_Press, MW, r.Flow_RhoGZ, r.Flow_Temp);
    } else {
        if (previous.property == Code(FluidProperty::GasMW)) {
            MW = r.Property_MwDenVp;
            SG = MW / kAirMolarMass;
        } else {
            SG = r.Property_MwDenVp;
            MW = SG * kAirMolarMass;
        }
        Zb = r.Base_RhoGZ;
        Zf = r.Flow_RhoGZ;
        if (Zb == 0.0 && new_property != Code(FluidProperty::GasDensity)) Zb = 1.0;
    }
    // A base Z that is missing or beyond what a gas at base conditions can have is taken
    // as 1 when there is a flowing Z.
    if (Zf > 0.0 && (Zb == 0.0 || Zb > 1.2)) Zb = 1.0;
    const double rho_b = GasDensity(r.Base_Press, MW, Zb, r.Base_Temp);
    const double rho_f = GasDensity(r.Flow_Press, MW, Zf, r.Flow_Temp);
    if (new_property == Code(FluidProperty::GasDensity)) {
        r.Base_RhoGZ = rho_b;
        r.Flow_RhoGZ = rho_f;
        r.Property_MwDenVp = MW;
    } else {
        r.Base_RhoGZ = Zb;
        r.Flow_RhoGZ = Zf;
        r.Property_MwDenVp = new_property == Code(FluidProperty::GasMW) ? MW : SG;
    }
    ConvertGasFlows(r, previous, rho_b, rho_f, sink);
}

void ApplyLiquidChoiceChange(TagRecord& r, const EquationChoice& previous, double rho_w, MessageSink& sink) {
    const bool to_density = r.Fluid_Property == Code(FluidProperty::LiquidDensity);
    double SGb = 0.0, SGf = 0.0;
    if (previous.property == Code(FluidProperty::LiquidDensity)) {
        // A stored value above 10 is a density [lb/ft3]; below, an old tag's gravity.
        SGb = r.Base_RhoGZ > 10.0 ? PositiveRatio(r.Base_RhoGZ, rho_w) : r.Base_RhoGZ;
        SGf = r.Flow_RhoGZ > 10.0 ? PositiveRatio(r.Flow_RhoGZ, rho_w) : r.Flow_RhoGZ;
        if (!to_density) {
            r.Base_RhoGZ = PositiveRatio(r.Base_RhoGZ, rho_w);
            r.Flow_RhoGZ = PositiveRatio(r.Flow_RhoGZ, rho_w);
        }
    } else {
        SGb = r.Base_RhoGZ;
        SGf = r.Flow_RhoGZ;
        if (to_density) {
            r.Base_RhoGZ *= rho_w;
            r.Flow_RhoGZ *= rho_w;
        }
    }
    const LiquidFlow from = LiquidFlowOf(previous), to = LiquidFlowOf(ChoiceOf(r));
    ConvertFlows(r, from == to, LiquidFlowWeight(from, SGb, SGf), LiquidFlowWeight(to, SGb, SGf), sink);
}

// --- Commands ---

void ApplyGasProperties(TagRecord& r, UnitDefaults& d, const UnitTables& t, const GasPropertySet& g,
                        const EquationChoice& chosen, MessageSink& sink) {
    const EquationChoice previous = PreviousGasChoice(r, d);
    SetText(r.Fluid, g.fluid_name);
    r.Flow_Press = g.Pf_psia;
    r.Flow_Temp = g.Tf_R;
    r.Base_RhoGZ = g.Zb;
    r.Flow_RhoGZ = g.Zf;
    r.Property_MwDenVp = g.MW / kAirMolarMass;
    r.Property_Visc = g.visc_cP;
    r.Property_KFp = g.k;
    StoreChoice(r, chosen);
    ApplyGasChoiceChange(r, previous, sink);
    RememberChoice(d, chosen);
    (void)SelectFlowUnitOfKind(r, t);
    r.Calc_Status = kStatusNotCalculated;
}

void ApplyLiquidProperties(TagRecord& r, UnitDefaults& d, const UnitTables& t, const LiquidPropertySet& l,
                           const EquationChoice& chosen, double rho_w) {
    SetText(r.Fluid, l.fluid_name);
    r.Flow_Press = l.Pf_psia;
    r.Flow_Temp = l.Tf_R;
    StoreChoice(r, chosen);
    StoreLiquidGravities(r, l.SGb, l.SGf, rho_w);
    r.Property_MwDenVp = l.VPf_psia;
    r.Property_Visc = l.visc_cP;
    r.Property_KFp = l.Fp;
    RememberChoice(d, chosen);
    (void)SelectFlowUnitOfKind(r, t);
    r.Calc_Status = kStatusNotCalculated;
}

std::optional<Aga8Results> ComputeAga8(const std::array<double, aga8::kComponentCount>& percent,
                                       double Pf_psia, double Tf_R, double Pb_psia, double Tb_R) {
    int numbers[aga8::kComponentCount];
    double amounts[aga8::kComponentCount];
    std::size_t n = 0;
    for (int i = 0; i < aga8::kComponentCount; ++i) {
        if (percent[i] != 0.0) {
            numbers[n] = i + 1;
            amounts[n] = percent[i];
            ++n;
        }
    }
    // The AGA 8 report's program converts with 1 psi = 6894.757 Pa and K = R / 1.8.
    const auto MPa = [](double psia) { return psia * aga8::kPaPerPsi / 1e6; };
    CFluidAGA8NaturalGas gas;
    return gas.Compute(std::span<const int>(numbers, n), std::span<const double>(amounts, n), MPa(Pf_psia),
                       Tf_R / 1.8, MPa(Pb_psia), Tb_R / 1.8);
}

void ApplyAga8NaturalGas(TagRecord& r, UnitDefaults& d, const UnitTables& t, const Aga8Entry& e,
                         const Aga8Results& z, const EquationChoice& chosen, MessageSink& sink) {
    const EquationChoice previous = PreviousGasChoice(r, d);
    r.Flow_Press = e.Pf_psia;
    r.Flow_Temp = e.Tf_R;
    r.Property_Visc = e.visc_cP;
    r.Property_KFp = e.k;
    r.Base_RhoGZ = z.Zb;
    r.Flow_RhoGZ = z.Zf;
    r.Property_MwDenVp = z.MW / kAirMolarMass;
    StoreChoice(r, chosen);
    ApplyGasChoiceChange(r, previous, sink);
    RememberChoice(d, chosen);
    (void)SelectFlowUnitOfKind(r, t);
    r.Calc_Status = kStatusNotCalculated;
}

void ApplySteam(TagRecord& r, UnitDefaults& d, const UnitTables& t, const SteamProperties& s,
                SteamCommand kind) {
    SetText(r.Fluid, kind == SteamCommand::Superheated ? "SUPERHEATED STEAM" : "SATURATED STEAM");
    const EquationChoice steam{Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing),
                               Code(FluidProperty::GasDensity)};
    StoreChoice(r, steam);
    RememberChoice(d, steam);
    r.Flow_Press = s.P_psia;
    r.Flow_Temp = s.T_R;
    r.Base_RhoGZ = 0.0;
    r.Flow_RhoGZ = s.density_lb_ft3;
    r.Property_Visc = s.viscosity_cP;
    r.Property_KFp = s.k;
    SelectFlowUnit(r, t, r.Unit_GasMassFlow_Set);
    r.Property_MwDenVp = kSteamMolarMass;
    r.Calc_Status = kStatusNotCalculated;
}

void ApplyCompressedWater(TagRecord& r, UnitDefaults& d, const UnitTables& t, double Pf_psia, double Tf_R,
                          const CompressedWaterProperties& w, const EquationChoice& chosen, double rho_w) {
    r.Flow_Press = Pf_psia;
    r.Flow_Temp = Tf_R;
    r.Property_KFp = w.Fp;
    r.Property_Visc = w.viscosity_cP;
    r.Property_MwDenVp = w.vapour_pressure_psia;
    StoreChoice(r, chosen);
    if (r.Fluid_Property == Code(FluidProperty::LiquidDensity)) {
        r.Base_RhoGZ = w.base_density_lb_ft3;
        r.Flow_RhoGZ = w.density_lb_ft3;
    } else {
        // Gravities relative to the reference water (14.7 psia, 60 deg F), of the water at
        // the tag's base and at the flowing state.
        r.Base_RhoGZ = PositiveRatio(w.base_density_lb_ft3, rho_w);
        r.Flow_RhoGZ = PositiveRatio(w.density_lb_ft3, rho_w);
    }
    SetText(r.Fluid, "WATER");
    RememberChoice(d, chosen);
    (void)SelectFlowUnitOfKind(r, t);
    r.Calc_Status = kStatusNotCalculated;
}

void ApplyGasSetup(TagRecord& r, UnitDefaults& d, const UnitTables& t, const EquationChoice& chosen,
                   bool reset_first, MessageSink& sink) {
    if (reset_first) ResetTagData(r);
    const EquationChoice previous = PreviousGasChoice(r, d);
    StoreChoice(r, chosen);
    ApplyGasSetupChange(r, previous, sink);
    RememberChoice(d, chosen);
    (void)SelectFlowUnitOfKind(r, t);
    r.Calc_Status = kStatusNotCalculated;
}

void ApplyLiquidSetup(TagRecord& r, UnitDefaults& d, const UnitTables& t, const EquationChoice& chosen,
                      bool reset_first, double rho_w, MessageSink& sink) {
    if (reset_first) ResetTagData(r);
    const EquationChoice previous = PreviousLiquidChoice(r, d);
    StoreChoice(r, chosen);
    ApplyLiquidChoiceChange(r, previous, rho_w, sink);
    RememberChoice(d, chosen);
    (void)SelectFlowUnitOfKind(r, t);
    r.Property_KFp = 1.0;  // a liquid's Fp
    r.Calc_Status = kStatusNotCalculated;
}

Message GasSetupQuestion() {
    Message m;
    m.kind = MessageKind::Warning;
    m.caption = "NOTE";
    m.text =
        "Current fluid data is for a liquid fluid and cannot be converted to a gas or vapor fluid.\n"
        "Do you want to delete the current liquid data?";
    m.icon = MessageIcon::Exclamation;
    m.buttons = MessageButtons::YesNo;
    m.default_answer = MessageAnswer::No;
    m.system_modal = true;
    return m;
}

Message LiquidSetupQuestion() {
    Message m = GasSetupQuestion();
    m.text =
        "Current fluid data is for a gas or vapor fluid and cannot be converted to a liquid fluid.\n"
        "Do you want to delete the current gas or vapor data?";
    return m;
}

// --- Pressure and temperature entry ---

double ShownPressure(const TagRecord& r, double psia) {
    return ToUser(r, Quantity::Pressure, psia);
}

double ShownTemperature(const TagRecord& r, double rankine) {
    return ToUser(r, Quantity::Temperature, rankine);
}

std::string PressureEntryText(double shown) {
    const char* format = shown >= 1000.0 ? "%.1f" : shown >= 100.0 ? "%.2f" : "%.4f";
    return CFormat(format, {shown});
}

std::string TemperatureEntryText(double shown) {
    return CFormat("%.2f", {shown});
}

std::optional<double> EnteredPressure(const TagRecord& r, double typed, MessageSink& sink) {
    double psia = 0.0;
    if (!FromUser(r, Quantity::Pressure, typed, psia) || !Positive(psia)) {
        CError(sink).Show(kErrorFlowingPressure);
        return std::nullopt;
    }
    return psia;
}

std::optional<double> EnteredTemperature(const TagRecord& r, double typed, MessageSink& sink) {
    double rankine = 0.0;
    if (!FromUser(r, Quantity::Temperature, typed, rankine) || !Positive(rankine)) {
        CError(sink).Show(kErrorFlowingTemperature);
        return std::nullopt;
    }
    return rankine;
}

}  // namespace quorven
