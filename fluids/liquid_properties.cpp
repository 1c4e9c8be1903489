#include "fluids/liquid_properties.h"

#include <cmath>
#include <vector>

#include "fluids/fluid_messages.h"
#include "fluids/fluid_units.h"
#include "fluids/steam_ifc67.h"
#include "record/tag_record.h"

namespace quorven {
namespace {

using fluid_units::kLbFt3PerGCm3Fluids;
using fluid_units::kMissingVapourPressure_psia;
using fluid_units::kPsiPerBarFluids;
using fluid_units::kRankinePerKelvin;

constexpr std::size_t kFluidNameChars = 34;

struct LiquidComponents {
    std::vector<double> x, MW, Tc, Pc, omega, visc_A, visc_B, visc_C, visc_D, hbt_Tc, hbt_omega, hbt_Vstar,
        Tr, vp_base_psia, vp_flow_psia;
    std::vector<int32_t> visc_eqn, vol_class;
    std::string single_name;
    double sum_x = 0.0;
};

// A component's own vapour pressure [psia] at T [K]: its equation, or without one the
// generalised vapour pressure (ComponentPhaseVapourPressure), below its critical
// temperature; 0 above it. Error #30 when its equation gives nothing, and 0 when not even
// the generalised one can be formed.
double ComponentVapourPressure(const PropertyRecord& r, double T, MessageSink& sink) {
    if (!(r.Crit_Temp > T)) return 0.0;
    const PhaseVapourPressure p = ComponentPhaseVapourPressure(r, T);
    if (p.equation_failed || !p.bar.ok()) CError(sink).Show(fluid_msg::kErrorNoVapourPressure);
    return p.bar.ok() ? p.bar.value * kPsiPerBarFluids : 0.0;
}

bool RoundsToOne(double sum) {
    return std::floor(sum * 1e6 + 0.5) == 1e6;  // rounded half-up to 6 decimals
}

HbtVolumeResult Volume(const LiquidComponents& c, double P_bar, double T_K, MessageSink& sink) {
    const HbtVolumeResult v =
        HbtVolume(c.x, c.Pc, c.hbt_Tc, c.hbt_omega, c.hbt_Vstar, c.vol_class, P_bar, T_K);
    if (v.volume.ok() && v.extrapolated) CWarning(sink).Show(fluid_msg::kWarningHbtExtrapolated);
    return v;
}

}  // namespace

LiquidResult LiquidProperties(const PropertyDatabase& db, const ComponentList& list, double Pf_psia,
                              double Tf_R, double Tb_R, MessageSink& sink) {
    CError error(sink);
    LiquidResult out;
    if (!db.Present()) {
        error.Show(fluid_msg::kErrorNoDatabase);
        return out;
    }
    if (!fluid_msg::ConditionsAboveZero({{Pf_psia, fluid_msg::kErrorFlowingPressure},
                                         {Tf_R, fluid_msg::kErrorFlowingTemperature},
                                         {Tb_R, fluid_msg::kErrorBaseTemperature}},
                                        sink))
        return out;
    const double rho_w = CSteamTable::ReferenceWaterDensity();
    const double Tf = Tf_R / kRankinePerKelvin, Tb = Tb_R / kRankinePerKelvin;
    const double Pf_bar = Pf_psia / kPsiPerBarFluids;

    // 2. The components found, in list order.
    LiquidComponents c;
    const int occupied = list.Occupied();
    for (int s = 0; s < occupied; ++s) {
        const ComponentEntry& e = list.slots[s];
        const PropertyRecord* r = db.ByNumber(e.Comp_No);
        if (!r || CompName(*r) != GetText(e.Comp_Name)) continue;  // not (or no longer) in the database
        const double x = e.Mole_Pct / 100.0;
        c.sum_x += x;
        c.vp_base_psia.push_back(ComponentVapourPressure(*r, Tb, sink));
        c.vp_flow_psia.push_back(ComponentVapourPressure(*r, Tf, sink));
        c.x.push_back(x);
        c.MW.push_back(r->Mol_Wt);
        c.Tc.push_back(r->Crit_Temp);
        c.Pc.push_back(r->Crit_Press);
        c.omega.push_back(r->Acentric);
        c.visc_eqn.push_back(r->LiqVisc_Eqn);
        c.visc_A.push_back(r->LiqVisc_A);
        c.visc_B.push_back(r->LiqVisc_B);
        c.visc_C.push_back(r->LiqVisc_C);
        c.visc_D.push_back(r->LiqVisc_D);
        c.vol_class.push_back(r->LiqVol_Class);
        c.hbt_Tc.push_back(r->Hbt_Tc);
        c.hbt_omega.push_back(r->Hbt_Omega);
        c.hbt_Vstar.push_back(r->Hbt_Vstar);
        c.Tr.push_back(r->Crit_Temp > 0.0 ? Tf / r->Crit_Temp : 0.0);
        c.single_name = std::string(CompName(*r));
    }

    // 3. The mole fractions found must add up to 1.
    if (!RoundsToOne(c.sum_x)) {
        error.Show(fluid_msg::kErrorMolePercentTotal);
        return out;
    }

    // 4. Mixture vapour pressures and molecular weight.
    double Tpc = 0.0, vpb = 0.0, vpf = 0.0;
    for (std::size_t i = 0; i < c.x.size(); ++i) {
        Tpc += c.x[i] * c.Tc[i];
        vpb += c.x[i] * c.vp_base_psia[i];
        vpf += c.x[i] * c.vp_flow_psia[i];
        out.MW += c.x[i] * c.MW[i];
    }
    out.VPb_psia = Tb < Tpc ? vpb : kMissingVapourPressure_psia;
    out.VPf_psia = Tf < Tpc ? vpf : kMissingVapourPressure_psia;

    // 5. A mixture vapour pressure of 0 cannot decide the phase.
    if (out.VPb_psia == 0.0 || out.VPf_psia == 0.0) {
        error.Show(fluid_msg::kErrorIncompleteData);
        return LiquidResult{};
    }

    // 7. Vapour at flowing conditions.
    if (!(Pf_psia > out.VPf_psia)) {
        error.Show(fluid_msg::kErrorVapourState);
        return LiquidResult{};
    }

    // 6.1 Flowing density and viscosity.
    const HbtVolumeResult vf = Volume(c, Pf_bar, Tf, sink);
    if (!(vf.volume.ok() && vf.volume.value > 0.0 && out.MW > 0.0)) {
        error.Show(fluid_msg::kErrorVapourOnlyData);
        return LiquidResult{};
    }
    out.rho_f_lb_ft3 = out.MW / vf.volume.value * kLbFt3PerGCm3Fluids;
    out.SGf = out.rho_f_lb_ft3 / rho_w;
    if (!(std::isfinite(out.SGf) && out.SGf > 0.0)) {  // data far out of range: no usable density
        error.Show(fluid_msg::kErrorVapourOnlyData);
        return LiquidResult{};
    }
    const PropValue visc = LiquidViscosity(c.x, c.visc_eqn, c.visc_A, c.visc_B, c.visc_C, c.visc_D,
                                           c.vp_flow_psia, c.Pc, c.Tr, c.omega, Pf_bar, Tf);
    if (visc.ok()) {
        out.Visc = visc.value;
    } else {
        error.Show(fluid_msg::kErrorNoViscosity);
    }

    // 6.2 Base temperature, at the flowing pressure.
    if (Pf_psia > out.VPb_psia) {
        const HbtVolumeResult vb = Volume(c, Pf_bar, Tb, sink);
        if (vb.volume.ok() && vb.volume.value > 0.0)
            out.SGb = out.MW / vb.volume.value * kLbFt3PerGCm3Fluids / rho_w;
    } else {
        out.vapour_at_base = true;
        CWarning(sink).Show(fluid_msg::kWarningVapourAtBase);
    }

    // 6.4 The fluid's name.
    out.FluidName = occupied == 1 ? c.single_name : "LIQUID MIX";
    if (out.FluidName.size() > kFluidNameChars) out.FluidName.resize(kFluidNameChars);
    if (!(std::isfinite(out.SGb) && out.SGb > 0.0)) out.SGb = 0.0;
    out.Fp = 1.0;
    out.Ok = true;
    return out;
}

}  // namespace quorven
