// Critical-drop (choked) gas flow through nozzles, venturis and orifices.
//
// The flow of a perfect gas at sonic throat velocity (ISO 9300:2005; ASME
// MFC-7M-1987; R. W. Miller, Flow Measurement Engineering Handbook, 3rd ed.,
// 1996, ch. 9):
//   W = C A Pf C* sqrt(gc MW / (R Tf)),  C* = sqrt(k / Z (2 / (k + 1))^((k+1)/(k-1)))
// and, with the approach velocity of the pipe (Miller, ch. 9), a factor E.
// The constants below gather A, gc, R, 3600 s/h and the unit of each flow form.

#include "engine/critical.h"

#include <cmath>
#include <initializer_list>

#include "engine/calculate.h"
#include "engine/coefficients.h"
#include "engine/factors.h"
#include "engine/limits.h"
#include "record/choice_codes.h"
#include "record/constants.h"
#include "record/gas_law.h"

namespace quorven {
namespace {

// The solution runs this many rounds; each one updates Rd from the flow or bore
// of the last (no convergence test: ten rounds settle C to well below 1e-9).
constexpr int kCriticalRounds = 10;

// Mass flow [lb/h] of air-relative gas, d in in, P psia, T deg R:
// 3600 (pi/4) sqrt(gc kAirMolarMass / Ru) with gc 32.174, Ru 1545.349 ft lbf/(lbmol R).
constexpr double kMassMw = 2195.591;
// Standard volume [ft3/h] per unit of the above: kMassMw Ru' / kAirMolarMass, Ru' = 10.7316.
constexpr double kVolume = 813.5358;
// Mass flow [lb/h] from sqrt(rho Z P) (rho lb/ft3): 3600 (pi/4) sqrt(144 gc) / 144.
constexpr double kMassDensity = 1336.485;

// Critical-flow coefficient C = A - B / Rd^E (Miller, 3rd ed., ch. 9: the
// ASME MFC-7M toroidal and cylindrical throat nozzles; the thick plate).
struct CriticalRow {
    double A, B, E;
};
constexpr CriticalRow kCriticalRows[] = {
    {0.99354, 1.525, 0.5},  // 0: toroidal throat nozzle, and any other type
    {1.0, 7.21, 0.5},       // 1: cylindrical throat nozzle, Rd < 4e5
    {0.9886, 0.0, 0.0},     // 2: cylindrical throat nozzle, 4e5 <= Rd < 2.8e6
    {1.0, 0.222, 0.2},      // 3: cylindrical throat nozzle, Rd >= 2.8e6
    {0.83932, 0.0, 0.0},    // 4: thick orifice plate
};

bool Finite(double v) {
    return std::isfinite(v);
}
bool PositiveFinite(double v) {
    return v > 0.0 && Finite(v);
}

bool IsAnyOf(int32_t t, std::initializer_list<MeterType> types) {
    for (MeterType m : types)
        if (t == Code(m)) return true;
    return false;
}

// The coefficient row of a cylindrical throat nozzle at Rd.
int CylindricalRow(double Rd) {
    if (Rd < 400000.0) return 1;
    if (Rd < 2800000.0) return 2;
    return 3;
}

// The venturi standards that give the welded-sheet venturi its 0.985
// (ASME MFC-3M-1989, ISO 5167-1:1991, ISO 5167-4:2022).
bool HasWeldedCoefficient(int32_t standard) {
    return standard == Code(CalcStd::VenturiAsmeMfc3M1989) ||
           standard == Code(CalcStd::VenturiIso5167_1991) || standard == Code(CalcStd::VenturiIso5167_4_2022);
}

// Start value of C for the types the table above leaves open (the critical-drop
// venturis 1766, 1684, 1687 and any other): their correlation when it gives one,
// else the record's coefficient, else that of the critical venturi, 0.985.
// Only Rd of the first round depends on it: the rounds end on row 0.
double StartCoefficient(TagRecord& r) {
    NullMessageSink quiet;
    const double c = DischargeCoefficient(r, quiet, false);
    if (PositiveFinite(c)) return c;
    if (PositiveFinite(r.C)) return r.C;
    return 0.985;
}

// The flow factor F: the flow of the device per unit coefficient, for the
// record's fluid input; `t` is (Fa d)^2 for flow, 1/W for bore sizing. 0 when
// the fluid input is one the device does not take.
double FlowFactor(const TagRecord& r, double t, double Cstar, double Z) {
    const double Pf = r.Flow_Press, Tf = r.Flow_Temp, Pb = r.Base_Press, Tb = r.Base_Temp;
    const double Zb = r.Base_RhoGZ, rho = r.Flow_RhoGZ, x = r.Property_MwDenVp;
    const int32_t eq = r.Fluid_Equation, cond = r.Fluid_Condition, prop = r.Fluid_Property;
    const bool mw = prop == Code(FluidProperty::GasMW), sg = prop == Code(FluidProperty::GasSG);
    const bool den = prop == Code(FluidProperty::GasDensity);
    if (eq == Code(FluidEquation::GasVolume) && cond == Code(FluidCondition::GasBase)) {
        if (mw) return t * kVolume * Zb * Tb * Cstar * Pf / (std::sqrt(x * Tf / kAirMolarMass) * Pb);
        if (sg) return t * kVolume * Zb * Tb * Cstar * Pf / (std::sqrt(x * Tf) * Pb);
        if (den) return std::sqrt(rho * Z * Pf) * t * kMassDensity * Cstar / r.Base_RhoGZ;
    } else if (eq == Code(FluidEquation::GasVolume) && cond == Code(FluidCondition::GasFlowing)) {
        if (mw) return std::sqrt(kAirMolarMass * Tf / x) * t * kVolume * Z * Cstar;
        if (sg) return std::sqrt(Tf / x) * t * kVolume * Z * Cstar;
        if (den) return std::sqrt(Pf * Z) * t * kMassDensity * Cstar / std::sqrt(rho);
    } else if (eq == Code(FluidEquation::GasMass)) {
        if (mw) return std::sqrt(x / kAirMolarMass / Tf) * t * kMassMw * Cstar * Pf;
        if (sg) return std::sqrt(x / Tf) * t * kMassMw * Cstar * Pf;
        if (den) return std::sqrt(rho * Z * Pf) * t * kMassDensity * Cstar;
    }
    return 0.0;
}

// Compressibility at flow: Zf of the record, or, with density input, from the
// molecular weight and the density. Z cancels from every density form of the
// flow factor, so without a molecular weight it is taken as 1.
double FlowingZ(const TagRecord& r) {
    if (r.Fluid_Property != Code(FluidProperty::GasDensity)) return r.Flow_RhoGZ;
    const double Z = GasCompressibility(r.Flow_Press, r.Property_MwDenVp, r.Flow_RhoGZ, r.Flow_Temp);
    return Z > 0.0 ? Z : 1.0;
}

}  // namespace

double CriticalFlowFunction(double k, double Z) {
    const double n = k > 1.0 ? (k + 1.0) / (k - 1.0) : 0.0;
    const double c = std::sqrt(k / Z * std::pow(2.0 / (k + 1.0), n));
    return PositiveFinite(c) ? c : 0.0;
}

double CriticalNozzleCoefficient(int32_t meter_type, double Rd) {
    if (!PositiveFinite(Rd)) return 0.0;
    int row = 0;
    if (meter_type == Code(MeterType::CriticalCylindricalNozzle)) row = CylindricalRow(Rd);
    if (meter_type == Code(MeterType::CriticalThickOrifice)) row = 4;
    const CriticalRow& c = kCriticalRows[row];
    const double C = c.B == 0.0 ? c.A : c.A - c.B / std::pow(Rd, c.E);
    return PositiveFinite(C) ? C : 0.0;
}

bool CCalculate::SizeCriticalGas(TagRecord& r, bool interactive) {
    const auto fail = [&]() {
        r.Calc_Status = kStatusNotCalculated;
        return Fail(interactive);
    };
    r.Calc_Status = kStatusNotCalculated;
    if (r.Property_KFp == 0.0) r.Property_KFp = 1.0;
    const double D = r.Pipe_IDia;
    if (!PositiveFinite(D)) return fail();
    const bool for_flow =
        r.Calc_Mode == Code(CalcMode::CriticalDrop) && r.Calc_SizeParam == Code(SizeParam::Flow);
    if (for_flow) {
        if (!PositiveFinite(r.Bore) || !(r.Bore < D)) return fail();
        r.Beta = r.Bore / D;
    } else {
        if (!PositiveFinite(r.Flow_Max)) return fail();
        r.Beta = 0.0;
        r.Bore = 0.0;
    }

    const int32_t type = r.Meter_Type;
    const bool density = r.Fluid_Property == Code(FluidProperty::GasDensity);
    const bool venturi_c = IsAnyOf(
        type, {MeterType::VenturiMachined, MeterType::VenturiRoughCast, MeterType::VenturiWeldedSheet});
    const bool square_edged = type == Code(MeterType::CriticalSquareEdgedOrifice);
    const double k = r.Property_KFp;
    const double n = k > 1.0 ? (k + 1.0) / (k - 1.0) : 0.0;

    NullMessageSink repeat_sink;  // the thermal expansion warnings once only
    for (int round = 0; round < kCriticalRounds; ++round) {
        ThermalExpansion(r, round == 0 ? static_cast<MessageSink&>(sink_) : repeat_sink);
        r.Flow_Norm = r.Flow_Max;
        const double Z = FlowingZ(r);
        const double Cstar = CriticalFlowFunction(k, Z);
        if (!PositiveFinite(Cstar)) return fail();
        r.Y = Cstar;
        const double fd = r.Fa_Meter * r.Bore;
        const double t = for_flow ? fd * fd : 1.0 / r.Flow_Max;
        const double F = FlowFactor(r, t, Cstar, Z);
        if (!PositiveFinite(F)) return fail();

        // First estimate of C (Miller, ch. 9; ISO 5167-4 for the venturis).
        double C = r.C;
        if (type == Code(MeterType::VenturiMachined))
            C = r.Rd > 1e6 ? 1.0 : 0.995;
        else if (type == Code(MeterType::VenturiRoughCast))
            C = 0.984;
        else if (type == Code(MeterType::VenturiWeldedSheet) && HasWeldedCoefficient(r.Calc_Std))
            C = 0.985;
        else if (type == Code(MeterType::CriticalCylindricalNozzle))
            C = kCriticalRows[CylindricalRow(r.Rd)].A;
        else if (type == Code(MeterType::CriticalToroidalNozzle))
            C = kCriticalRows[0].A;
        else if (square_edged && round == 0)
            C = 0.6;
        else if (type == Code(MeterType::CriticalThickOrifice))
            C = kCriticalRows[4].A;
        else if (round == 0 || !PositiveFinite(C))
            C = StartCoefficient(r);
        if (!PositiveFinite(C)) return fail();

        // Estimate of the bore or flow, for the Reynolds number.
        if (for_flow) {
            const double W = C * F;
            if (!PositiveFinite(W)) return fail();
            r.Flow_Max = W;
        } else {
            // A throat as wide as the pipe is no critical-drop device.
            const double d = 1.0 / std::sqrt(F * C);
            if (!PositiveFinite(d) || !(d < D)) return fail();
            r.Bore = d;
        }
        r.Beta = r.Bore / D;
        const double Rd = PipeReynolds(r, r.Flow_Max);
        if (!PositiveFinite(Rd)) return fail();
        r.Rd = Rd;

        if (!venturi_c && !square_edged) C = CriticalNozzleCoefficient(type, Rd);
        if (!PositiveFinite(C)) return fail();

        // Approach velocity term of the choked flow (Miller, ch. 9).
        const double b2 = r.Beta * r.Beta;
        const double E = 1.0 + k / 2.0 * std::pow(2.0 / (k + 1.0), n) * b2 * b2;
        if (!PositiveFinite(E)) return fail();
        r.E_Ftp = E;
        const double s = density ? std::sqrt(E) : E;

        if (square_edged) {
            // The sharp-edged plate takes the orifice coefficient with pipe taps
            // (API 2530, 1985); its E term is not that of the choked flow.
            r.Tap_Style = 4;
            C = Api2530Coefficient(r);
            r.E_Ftp = E;
            if (!PositiveFinite(C)) return fail();
        }
        r.C = C;

        if (for_flow) {
            const double W = C * F * s;
            if (!PositiveFinite(W)) return fail();
            r.Flow_Max = r.Flow_Norm = W;
        } else {
            const double d = 1.0 / std::sqrt(F * C * s) / r.Fa_Meter;
            if (!PositiveFinite(d) || !(d < D)) return fail();
            r.Bore = d;
        }
        r.Beta = r.Bore / D;
    }
    r.Calc_Status = kStatusCalculated;

    r.Fdh = 1.0;
    const double fdh = DrainHoleFactor(r);
    if (!PositiveFinite(fdh)) return fail();
    r.Fdh = fdh;
    if (interactive) {
        const bool stands =
            context_.check_limits ? context_.check_limits(r, sink_) : CheckLimits(r, sink_, true);
        if (!stands) return false;
    }
    if (for_flow) {
        r.Flow_Max = r.Flow_Norm = r.Flow_Max * fdh;
    } else {
        r.Beta = r.Beta / std::sqrt(fdh);
        r.Bore = r.Beta * D;
    }
    if (!context_.default_project) r.Rec_Version4 = 1;
    return true;
}

}  // namespace quorven
