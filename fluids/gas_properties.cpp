#include "fluids/gas_properties.h"

#include <cmath>
#include <vector>

#include "fluids/fluid_messages.h"
#include "fluids/fluid_units.h"
#include "record/tag_record.h"

namespace quorven {
namespace {

using fluid_units::kLbFt3PerGCm3Fluids;
using fluid_units::kMissingVapourPressure_psia;
using fluid_units::kPsiPerBarFluids;
using fluid_units::kR_cm3bar_molK;
using fluid_units::kRankinePerKelvin;

constexpr std::size_t kFluidNameChars = 34;

// The working values of the components found, in list order.
struct GasComponents {
    std::vector<double> x, MW, Pc, Tc, Vc, omega, dipole, cpA, cpB, cpC, cpD, vp_base_psia, vp_flow_psia;
    std::vector<KijVector> kij;
    std::string single_name;
    double sum_x = 0.0;
};

// A component's vapour pressure [psia] at T [K] for the phase decision: its critical
// pressure at or above its critical temperature, below it its equation or the generalised
// vapour pressure (ComponentPhaseVapourPressure). Error #30 when its equation gives nothing;
// negative when not even the generalised one can be formed.
double ComponentVapourPressure(const PropertyRecord& r, double T, MessageSink& sink) {
    if (!(r.Crit_Temp > T)) return r.Crit_Press * kPsiPerBarFluids;
    const PhaseVapourPressure p = ComponentPhaseVapourPressure(r, T);
    if (p.equation_failed) CError(sink).Show(fluid_msg::kErrorNoVapourPressure);
    return p.bar.ok() ? p.bar.value * kPsiPerBarFluids : -1.0;
}

bool RoundsToOne(double sum) {
    return std::floor(sum * 1e6 + 0.5) == 1e6;  // rounded half-up to 6 decimals
}

// The mixture vapour pressure sum x Pvp [psia]; a mixture whose Kay's critical temperature
// is not above T counts as vapour (9999999). Negative when a component's vapour pressure
// cannot be formed: the phase cannot be decided.
double MixtureVapourPressure(const GasComponents& c, const std::vector<double>& vp, double T) {
    double kay_tc = 0.0, sum = 0.0;
    bool undecided = false;
    for (std::size_t i = 0; i < c.x.size(); ++i) {
        undecided = undecided || vp[i] < 0.0;
        kay_tc += c.x[i] * c.Tc[i];
        sum += c.x[i] * vp[i];
    }
    if (!(kay_tc > T)) return kMissingVapourPressure_psia;
    return undecided ? -1.0 : sum;
}

struct Density {
    double Z = 0.0;
    double rho_g_cm3 = 0.0;
    bool ok = false;
};

Density GasDensity(const GasComponents& c, GasEquation code, double MW, double P_bar, double T_K) {
    const PropValue z = CubicZ(c.x, code, P_bar, T_K, c.Pc, c.Tc, c.omega, c.kij);
    if (!z.ok()) return {};
    const double rho = MW * P_bar / (kR_cm3bar_molK * T_K * z.value);
    if (!(std::isfinite(rho) && rho > 0.0)) return {};
    return {z.value, rho, true};
}

GasResult Failed() {
    return GasResult{};
}

}  // namespace

const char* GasEquationPrefix(GasEquation code) {
    switch (code) {
        case GasEquation::RedlichKwong:
            return "RK-";
        case GasEquation::SoaveRedlichKwong:
            return "SRK-";
        case GasEquation::BenedictWebbRubin:
            return "BWR-";
    }
    return "";
}

GasResult GasProperties(const PropertyDatabase& db, const ComponentList& list, GasEquation code,
                        double Pf_psia, double Tf_R, double Pb_psia, double Tb_R, MessageSink& sink) {
    CError error(sink);
    if (!db.Present()) {
        error.Show(fluid_msg::kErrorNoDatabase);
        return Failed();
    }
    if (!fluid_msg::ConditionsAboveZero({{Pf_psia, fluid_msg::kErrorFlowingPressure},
                                         {Tf_R, fluid_msg::kErrorFlowingTemperature},
                                         {Pb_psia, fluid_msg::kErrorBasePressure},
                                         {Tb_R, fluid_msg::kErrorBaseTemperature}},
                                        sink))
        return Failed();
    if (code != GasEquation::RedlichKwong && code != GasEquation::SoaveRedlichKwong &&
        code != GasEquation::BenedictWebbRubin) {
        error.Show(fluid_msg::kErrorIncompleteData);
        return Failed();
    }
    const double Tf = Tf_R / kRankinePerKelvin, Tb = Tb_R / kRankinePerKelvin;
    const double Pf_bar = Pf_psia / kPsiPerBarFluids, Pb_bar = Pb_psia / kPsiPerBarFluids;

    // 1. The components found, in list order.
    GasComponents c;
    const int occupied = list.Occupied();
    for (std::vector<double>* v : {&c.x, &c.MW, &c.Pc, &c.Tc, &c.Vc, &c.omega, &c.dipole, &c.cpA, &c.cpB,
                                   &c.cpC, &c.cpD, &c.vp_base_psia, &c.vp_flow_psia})
        v->reserve(static_cast<std::size_t>(occupied));
    c.kij.reserve(static_cast<std::size_t>(occupied));
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
        c.Pc.push_back(r->Crit_Press);
        c.Tc.push_back(r->Crit_Temp);
        c.Vc.push_back(r->Crit_Vol);
        c.omega.push_back(r->Acentric);
        c.dipole.push_back(r->Dipole);
        c.cpA.push_back(r->Cp_A);
        c.cpB.push_back(r->Cp_B);
        c.cpC.push_back(r->Cp_C);
        c.cpD.push_back(r->Cp_D);
        KijVector k{};
        const double* src = code == GasEquation::SoaveRedlichKwong ? r->Kij_SRK : r->Kij_RK;
        for (std::size_t p = 0; p < kKijPositions; ++p) k[p] = src[p];
        c.kij.push_back(k);
        c.single_name = std::string(CompName(*r));
    }

    // 2. The mole fractions found must add up to 1.
    if (!RoundsToOne(c.sum_x)) {
        error.Show(fluid_msg::kErrorMolePercentTotal);
        return Failed();
    }

    // 3, 4. Mixture vapour pressures and molecular weight. Without them the phase, and
    // so whether a gas answer is wanted at all, is unknown.
    GasResult out;
    out.VPb_psia = MixtureVapourPressure(c, c.vp_base_psia, Tb);
    out.VPf_psia = MixtureVapourPressure(c, c.vp_flow_psia, Tf);
    if (out.VPb_psia < 0.0 || out.VPf_psia < 0.0) {
        error.Show(fluid_msg::kErrorIncompleteData);
        return Failed();
    }
    for (std::size_t i = 0; i < c.x.size(); ++i) out.MW += c.x[i] * c.MW[i];

    // 5. Base conditions.
    if (out.VPb_psia > Pb_psia) {
        const Density base = GasDensity(c, code, out.MW, Pb_bar, Tb);
        if (!base.ok) {
            error.Show(fluid_msg::kErrorIncompleteData);
            return Failed();
        }
        out.Zb = base.Z;
        out.rho_b_lb_ft3 = base.rho_g_cm3 * kLbFt3PerGCm3Fluids;
    } else {
        out.liquid_at_base = true;
    }

    // 6, 8. Flowing conditions.
    if (!(Pf_psia < out.VPf_psia)) {
        error.Show(fluid_msg::kErrorLiquidState);
        return Failed();
    }
    const Density flow = GasDensity(c, code, out.MW, Pf_bar, Tf);
    if (!flow.ok) {
        error.Show(fluid_msg::kErrorIncompleteData);
        return Failed();
    }
    out.Zf = flow.Z;
    out.rho_f_lb_ft3 = flow.rho_g_cm3 * kLbFt3PerGCm3Fluids;

    double sumA = 0.0, sumB = 0.0, sumC = 0.0, sumD = 0.0;
    for (std::size_t i = 0; i < c.x.size(); ++i) {
        sumA += c.x[i] * c.cpA[i];
        sumB += c.x[i] * c.cpB[i];
        sumC += c.x[i] * c.cpC[i];
        sumD += c.x[i] * c.cpD[i];
    }
    const PropValue cp = IdealGasCp(sumB, sumC, sumD, out.MW, Tf, sumA);
    const PropValue k = cp.ok() ? IsentropicExponent(cp.value, out.MW) : PropValue{};
    const PropValue visc = ChungViscosity(Tf, flow.rho_g_cm3, c.x, c.MW, c.Tc, c.Vc, c.omega, c.dipole);

    // 7. The fluid's name.
    if (occupied == 1) {
        out.FluidName = std::string(GasEquationPrefix(code)) + c.single_name;
    } else {
        out.FluidName = std::string(GasEquationPrefix(code)) + "GAS/VAPOR";
    }
    if (out.FluidName.size() > kFluidNameChars) out.FluidName.resize(kFluidNameChars);

    if (out.liquid_at_base) CWarning(sink).Show(fluid_msg::kWarningLiquidAtBase);
    if (visc.ok()) {
        out.Visc = visc.value;
    } else {
        error.Show(fluid_msg::kErrorNoViscosity);
    }
    if (k.ok()) {
        out.K = k.value;
    } else {
        error.Show(fluid_msg::kErrorNoSpecificHeatRatio);
    }
    out.Ok = true;
    return out;
}

}  // namespace quorven
