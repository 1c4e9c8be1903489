#include "engine/noise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>

#include "record/choice_codes.h"
#include "record/constants.h"
#include "record/gas_law.h"

namespace quorven {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kNoiseFloorDba = 30.0;
constexpr double kFlashingNoiseDba = 90.0;

bool IsAnyOf(int32_t code, std::initializer_list<MeterType> types) {
    for (MeterType t : types) {
        if (code == Code(t)) return true;
    }
    return false;
}

bool InRange(int32_t code, MeterType first, MeterType last) {
    return code >= Code(first) && code <= Code(last);
}

// ASME B36.10M-2018, Table 1: outside diameters of welded and seamless wrought
// steel pipe, NPS 1/8 to 12 [in].
struct OutsideDiameter {
    double nominal, outside;
};
constexpr std::array<OutsideDiameter, 18> kOutsideDiameters{{
    {0.125, 0.405},
    {0.25, 0.54},
    {0.375, 0.675},
    {0.5, 0.84},
    {0.75, 1.05},
    {1.0, 1.315},
    {1.25, 1.66},
    {1.5, 1.9},
    {2.0, 2.375},
    {2.5, 2.875},
    {3.0, 3.5},
    {3.5, 4.0},
    {4.0, 4.5},
    {5.0, 5.563},
    {6.0, 6.625},
    {8.0, 8.625},
    {10.0, 10.75},
    {12.0, 12.75},
}};

// Acoustic efficiency curves of the aerodynamic estimator, one per value of
// A = 0.84 C (0.6, 0.7, 0.8, 0.9, 1.0), polynomials in the pressure ratio r, constant
// term first: r <= 1.5 (degree 5) and r > 1.5 (degree 6).
constexpr std::array<std::array<double, 6>, 5> kEfficiencyLowRatio{{
    {-0.04788399, 0.2059816, -0.351537, 0.2977651, -0.1254388, 0.02111293},
    {0.05510964, -0.2299718, 0.383174, -0.318485, 0.1318712, -0.02169738},
    {-0.06183992, 0.262623, -0.4438913, 0.3734369, -0.1565262, 0.02619719},
    {-0.02791339, 0.1193165, -0.2031563, 0.1723803, -0.07300118, 0.01237403},
    {0.01131172, -0.04817665, 0.08160693, -0.06860547, 0.02854822, -0.004684679},
}};
constexpr std::array<std::array<double, 7>, 5> kEfficiencyHighRatio{{
    {-0.002487, 0.0023905, -0.00036857, 3.7662e-05, -2.2964e-06, 7.3837e-08, -9.6358e-10},
    {-0.0020027, 0.0016416, -8.9689e-05, -6.766e-06, 1.187e-08, -5.8747e-08, 9.9407e-10},
    {-0.001376, 0.00087974, 0.00018394, -5.0328e-05, 4.6315e-06, -1.9124e-07, 2.9709e-09},
    {-0.0014365, 0.00084892, 0.00020601, -5.4575e-05, 4.9962e-06, -2.0588e-07, 3.195e-09},
    {-7.1699e-05, -0.00059081, 0.00059, -9.961e-05, 7.6415e-06, -2.82e-07, 4.0454e-09},
}};

template <std::size_t N>
double Polynomial(const std::array<double, N>& c, double x) {
    double sum = 0.0;
    for (std::size_t i = N; i-- > 0;) sum = sum * x + c[i];
    return sum;
}

double EfficiencyCurve(int index, double r) {
    const auto i = static_cast<std::size_t>(index);
    return r <= 1.5 ? Polynomial(kEfficiencyLowRatio[i], r) : Polynomial(kEfficiencyHighRatio[i], r);
}

// Flowing and base gas densities [lb/ft3] from the record's fluid data: ideal gas with
// compressibility, R = 10.73151 psia ft3 / (lb-mol R), air 28.9625 lb/lb-mol.
double GasDensityOf(const TagRecord& r, double P, double Z, double T) {
    double M = 0.0;
    if (r.Fluid_Property == Code(FluidProperty::GasMW)) {
        M = r.Property_MwDenVp;
    } else if (r.Fluid_Property == Code(FluidProperty::GasSG)) {
        M = kAirMolarMass * r.Property_MwDenVp;
    } else {
        return 0.0;
    }
    return GasDensity(P, M, Z, T);
}

double FlowingGasDensity(const TagRecord& r) {
    if (r.Fluid_Property == Code(FluidProperty::GasDensity)) return r.Flow_RhoGZ;
    return GasDensityOf(r, r.Flow_Press, r.Flow_RhoGZ, r.Flow_Temp);
}

double BaseGasDensity(const TagRecord& r) {
    if (r.Fluid_Property == Code(FluidProperty::GasDensity)) return r.Base_RhoGZ;
    return GasDensityOf(r, r.Base_Press, r.Base_RhoGZ, r.Base_Temp);
}

// Mass flow [lb/h] of the gas at `Flow_Max`.
double GasMassFlow(const TagRecord& r) {
    if (r.Fluid_Equation == Code(FluidEquation::GasVolume)) {
        if (r.Fluid_Condition == Code(FluidCondition::GasFlowing)) return r.Flow_Max * FlowingGasDensity(r);
        if (r.Fluid_Condition == Code(FluidCondition::GasBase)) return r.Flow_Max * BaseGasDensity(r);
    }
    return r.Flow_Max;
}

// ANSI/ISA-75.01.01-2007 eq. (11) with Fk = k / 1.4: expansion factor
// Y = 1 - x / (3 Fk xT), not below its choked value 2/3.
double ValveExpansionFactor_Isa75(double x, double Fk, double xT) {
    const double Y = 1.0 - x / (3.0 * Fk * xT);
    return Y < 2.0 / 3.0 ? 2.0 / 3.0 : Y;
}

// ANSI/ISA-75.01.01-2007 eq. (8), mass flow form with N6 = 63.3 (lb/h, psia, lb/ft3):
// Cv = W / (N6 Y sqrt(x P1 rho1)), x limited to the choked Fk xT.
double ValveCoefficient_Isa75(double W, double Y, double P1, double x, double Fk, double xT, double rho1) {
    return W / (63.3 * Y * std::sqrt(P1 * std::min(Fk * xT, x) * rho1));
}

std::optional<double> Fail(TagRecord& r, MessageSink& sink, bool interactive, int error) {
    r.Outlet_Noise = 0.0;
    if (interactive && error != 0) CError(sink).Show(error);
    return std::nullopt;
}

double FiniteOrZero(double v) {
    return std::isfinite(v) ? v : 0.0;
}

}  // namespace

double PipeOutsideDiameter(double nominal) {
    if (nominal >= 14.0) return nominal;  // ASME B36.10M: OD = NPS from NPS 14 on
    for (const OutsideDiameter& row : kOutsideDiameters) {
        if (std::fabs(nominal - row.nominal) < 0.001) return row.outside;
    }
    return 0.0;
}

double PipeWallThickness(double nominal, double inside) {
    return (PipeOutsideDiameter(nominal) - inside) / 2.0;
}

double VenaContractaCoefficient(int32_t meter_type) {
    using enum MeterType;
    // Orifice plates, the square-edged and thick critical-drop orifices included.
    if (InRange(meter_type, ConcentricOrifice, ConicOrifice) ||
        IsAnyOf(meter_type, {CustomOrifice, CriticalSquareEdgedOrifice, CriticalThickOrifice})) {
        return 0.98;
    }
    // Nozzles, the critical-flow nozzles included.
    if (InRange(meter_type, AsmeLongRadiusNozzle, VenturiNozzle) ||
        IsAnyOf(meter_type, {CustomThroatTapNozzle, CustomWallTapNozzle, CriticalCylindricalNozzle,
                             CriticalToroidalNozzle})) {
        return 0.99;
    }
    // Venturis, flow tubes and wedges, and any other device: no contraction beyond C.
    return 1.0;
}

double LiquidCriticalPressureRatioFactor(double Pv, double Pc) {
    return 0.96 - 0.28 * std::sqrt(Pv / Pc);
}

std::optional<double> ChokedLiquidDp(const TagRecord& r, double w, MessageSink& sink, bool interactive) {
    const double Pf = r.Flow_Press;
    const double Pv = r.Property_MwDenVp;
    if (!(Pv >= 0.0 && Pv < Pf) || !std::isfinite(Pf) || !std::isfinite(w)) {
        if (interactive) CError(sink).Show(msg::kErrVapourPressureNotBelowUpstream);
        return std::nullopt;
    }
    const double FF = LiquidCriticalPressureRatioFactor(Pv, kWaterCriticalPressurePsia);
    return w * w * (Pf - FF * Pv);
}

double LiquidThroatVelocity(const TagRecord& r, double d, double water_v60) {
    const double area_ft2_over_pi4 = (d / 12.0) * (d / 12.0);
    if (r.Fluid_Equation == Code(FluidEquation::LiquidVolume)) {
        // US bbl/d through the circle: 5.614583 ft3/bbl / 86400 s/d / (pi/4).
        const double v = r.Flow_Norm * 8.2739718e-5 / area_ft2_over_pi4;
        if (r.Fluid_Condition == Code(FluidCondition::LiquidFlowingTemp)) return v;
        if (r.Fluid_Condition == Code(FluidCondition::LiquidBaseTemp)) {
            return ConvertedVolume(v, r.Base_RhoGZ, r.Flow_RhoGZ);
        }
        return 0.0;
    }
    if (r.Fluid_Equation == Code(FluidEquation::LiquidMass)) {
        const double SG =
            r.Fluid_Property == Code(FluidProperty::LiquidSG) ? r.Flow_RhoGZ : r.Flow_RhoGZ * water_v60;
        return r.Flow_Norm * 8.2739718e-5 * 34.28571429 / (area_ft2_over_pi4 * SG * 500.2296054);
    }
    return 0.0;
}

double AcousticEfficiency(double A, double r) {
    int lower = -1;  // index of the curve below A
    if (A >= 0.2 && A < 0.7) {
        lower = 0;  // also extrapolates the 0.6 and 0.7 curves below A = 0.6
    } else if (A >= 0.7 && A < 0.8) {
        lower = 1;
    } else if (A >= 0.8 && A < 0.9) {
        lower = 2;
    } else if (A >= 0.9 && A <= 1.0) {
        lower = 3;
    }
    if (lower < 0) return 1e-10;
    const double A_lower = 0.6 + 0.1 * lower;
    const double c_lower = EfficiencyCurve(lower, r);
    const double c_upper = EfficiencyCurve(lower + 1, r);
    const double G = c_lower + (A - A_lower) / 0.1 * (c_upper - c_lower);
    return G > 0.0 ? G : 1e-10;
}

std::optional<double> LiquidOutletNoise(TagRecord& r, MessageSink& sink, bool interactive, double water_v60) {
    const double rho =
        r.Fluid_Property == Code(FluidProperty::LiquidSG) ? r.Flow_RhoGZ / water_v60 : r.Flow_RhoGZ;
    const double w = VenaContractaCoefficient(r.Meter_Type);
    const double d_vc = std::sqrt(r.C) * r.Bore * w;
    const double v_vc = d_vc > 0.0 ? LiquidThroatVelocity(r, d_vc, water_v60) : kNaN;
    const double v_pipe = r.Pipe_IDia > 0.0 ? LiquidThroatVelocity(r, r.Pipe_IDia, water_v60) : kNaN;
    r.Velocity_Vc = FiniteOrZero(v_vc);
    r.Velocity_Pipe = FiniteOrZero(v_pipe);
    const double g2 = 2.0 * r.Factor_ManoGlocal;
    const double Pf = r.Flow_Press;
    const double Pv = r.Property_MwDenVp;
    const double P2 = Pf - r.Dp_Max / kInH2OPerPsiRecovery * r.Dp_Loss / 100.0;
    const double Pvc = (v_pipe * v_pipe / g2 + Pf * 144.0 / rho - v_vc * v_vc / g2) * rho / 144.0;
    if (!(rho > 0.0) || !(g2 > 0.0) || !std::isfinite(Pvc) || !std::isfinite(P2) || !std::isfinite(Pv)) {
        return Fail(r, sink, interactive, msg::kErrNoSolution);
    }
    const bool cavitating = Pvc < Pv && Pv < P2;
    if (!cavitating && Pv > P2) {
        r.Outlet_Noise = kFlashingNoiseDba;
        return kFlashingNoiseDba;
    }

    const double t = PipeWallThickness(r.Pipe_NomDia, r.Pipe_IDia);
    const double dp_norm_psi = r.Dp_Norm / kInH2OPerPsiNoise;
    if (!(t > 0.0) || !(dp_norm_psi >= 0.0) || !std::isfinite(dp_norm_psi)) {
        return Fail(r, sink, interactive, msg::kErrNoSolution);
    }
    double L = kNoiseFloorDba;
    if (dp_norm_psi > 0.0) {  // no differential, no flow noise: the floor
        L = 20.0 * std::log10(dp_norm_psi) + 10.0 * std::log10((3.1415927 / 4.0) * r.Bore * r.Bore / 0.04) -
            30.0 * std::log10(t) + 5.0;
        if (cavitating) {
            const std::optional<double> choked = ChokedLiquidDp(r, w, sink, interactive);
            if (!choked) return Fail(r, sink, interactive, 0);  // Error #13 already shown
            const double excess = r.Dp_Max / kInH2OPerPsiNoise + 1.0 - *choked;
            if (excess > 0.0) L += 5.0 * std::log10(excess);
        }
        if (!std::isfinite(L)) return Fail(r, sink, interactive, msg::kErrNoSolution);
        L = std::max(L, kNoiseFloorDba);
    }
    r.Outlet_Noise = L;
    return L;
}

std::optional<double> GasOutletNoise(TagRecord& r, double critical_pressure, MessageSink& sink,
                                     bool interactive) {
    const double Pf = r.Flow_Press;
    const double rho_f = FlowingGasDensity(r);
    const double W = GasMassFlow(r);
    const double t = PipeWallThickness(r.Pipe_NomDia, r.Pipe_IDia);
    const bool critical = r.Calc_Mode == Code(CalcMode::CriticalDrop);
    const double dP = critical ? Pf - critical_pressure : r.Dp_Max / kInH2OPerPsiNoise;
    const double x = r.Calc_Mode == Code(CalcMode::Restriction) ? dP / Pf : critical_pressure / Pf;
    if (!(Pf > 0.0) || !(r.Flow_Temp > 0.0) || !(r.Pipe_IDia > 0.0) || !(t > 0.0) || !(r.C > 0.0) ||
        !(rho_f > 0.0) || !(W >= 0.0) || !(dP >= 0.0) || !(dP < Pf) || !std::isfinite(W) ||
        !std::isfinite(x) || !std::isfinite(r.Flow_Temp)) {
        return Fail(r, sink, interactive, msg::kErrNoSolution);
    }
    if (W == 0.0 || dP == 0.0) {  // no flow or no pressure drop: no flow noise
        r.Outlet_Noise = kNoiseFloorDba;
        return kNoiseFloorDba;
    }
    const double A = 0.84 * r.C;
    const double B = r.C * r.C;  // pressure differential ratio factor xT
    const double Fk = KFpOrOne(r) / 1.4;
    const double Y = ValveExpansionFactor_Isa75(x, Fk, B);
    const double Cv = ValveCoefficient_Isa75(W, Y, Pf, x, Fk, B, rho_f);
    const double ratio = Pf / (Pf - dP);
    const double G = AcousticEfficiency(A, ratio);
    const double power = r.Pipe_IDia * r.Pipe_IDia * Cv * 28.0 * A * Pf * dP * G * r.Flow_Temp / (t * t * t);
    const double L = 10.0 * std::log10(power);
    if (!(Fk > 0.0) || !std::isfinite(Cv) || !std::isfinite(L)) {
        return Fail(r, sink, interactive, msg::kErrNoSolution);
    }
    r.Outlet_Noise = std::max(L, kNoiseFloorDba);
    return r.Outlet_Noise;
}

std::optional<double> OutletNoise(TagRecord& r, double critical_pressure, MessageSink& sink,
                                  bool interactive) {
    if (r.Fluid_Equation == Code(FluidEquation::LiquidVolume) ||
        r.Fluid_Equation == Code(FluidEquation::LiquidMass)) {
        return LiquidOutletNoise(r, sink, interactive);
    }
    return GasOutletNoise(r, critical_pressure, sink, interactive);
}

}  // namespace quorven
