#include "engine/uncertainty.h"

#include <cmath>
#include <initializer_list>

#include "record/choice_codes.h"

namespace quorven {
namespace {

constexpr int32_t kPipeTaps = 4;  // Tap_Style of pipe (2.5 D / 8 D) taps

bool IsAnyOf(int32_t code, std::initializer_list<MeterType> types) {
    for (MeterType t : types) {
        if (code == Code(t)) return true;
    }
    return false;
}

bool InRange(int32_t code, MeterType first, MeterType last) {
    return code >= Code(first) && code <= Code(last);
}

// ISO 5167-2:2003, 5.3.3.1: uncertainty of the Reader-Harris/Gallagher coefficient
// of a square-edged orifice with corner, flange or D and D/2 taps, with its
// additions for pipes below 71.12 mm (2.8 in) and for beta > 0.5 at ReD < 10000.
// Above beta 0.75, outside the standard, the uncertainty is taken as beta percent.
double OrificeUC_Iso5167_2(double beta, double D, double Rd) {
    double u = 0.0;
    if (beta >= 0.1 && beta < 0.2) {
        u = 0.7 - beta;
    } else if (beta >= 0.2 && beta <= 0.6) {
        u = 0.5;
    } else if (beta > 0.6 && beta <= 0.75) {
        u = 1.667 * beta - 0.5;
    } else if (beta > 0.75) {
        u = beta;
    }
    if (beta <= 0.75) {
        if (D < 2.8) u += 0.9 * (0.75 - beta) * (2.8 - D);
        if (beta > 0.5 && Rd < 10000.0) u += 0.5;
    }
    return u;
}

// API 2530 / AGA Report No. 3 (1985): orifice with pipe taps (Buckingham equation).
double OrificeUC_PipeTaps(double beta) {
    if (beta >= 0.2 && beta < 0.51) return 0.8;
    if (beta >= 0.51) return 1.6;
    return 0.0;
}

// ASME long radius nozzle: ASME PTC 19.5 (2004) wall-tap nozzle, or ISO 5167-3:2003
// (2 % for 0.2 <= beta <= 0.8) under the other standards.
double LongRadiusNozzleUC(int32_t calc_std, double beta) {
    if (calc_std == Code(CalcStd::NozzlePtc195)) {
        if (beta >= 0.2 && beta <= 0.7) return 1.0;
        if (beta > 0.7) return 1.5;
        return 0.0;
    }
    if (beta >= 0.2 && beta <= 0.8) return 2.0;
    return 0.0;
}

// ISO 5167-3:2003, ISA 1932 nozzle: 0.8 % for beta <= 0.6, (2 beta - 0.4) % above.
double IsaNozzleUC_Iso5167_3(double beta) {
    if (beta > 0.6) return 2.0 * beta - 0.4;
    return 0.8;
}

// ISO 5167-3:2003, venturi nozzle: (1.2 + 1.5 beta^4) %.
double VenturiNozzleUC_Iso5167_3(double beta) {
    return 1.2 + 1.5 * std::pow(beta, 4);
}

// A diameter tolerance as a percentage of the diameter; 0 for no tolerance, whatever
// the diameter, and nothing when the diameter gives no finite value.
std::optional<double> RelativePercent(double tolerance, double diameter) {
    if (tolerance == 0.0) return 0.0;
    const double u = tolerance / diameter * 100.0;
    if (!std::isfinite(u)) return std::nullopt;
    return u;
}

}  // namespace

double PipeSensitivity(double beta) {
    const double b4 = std::pow(beta, 4);
    return 2.0 * b4 / (b4 - 1.0);
}

double BoreSensitivity(double beta) {
    const double b4 = std::pow(beta, 4);
    return 2.0 / (1.0 - b4);
}

// The D and Rd arguments also serve the rows that depend on the pipe size or the
// Reynolds number of the record (eccentric plates, generic wedge, machined venturi):
// every caller passes the record's `Pipe_IDia` and `Rd`.
double DischargeCoefUncertainty(const TagRecord& r, double D, int32_t meter_type, int32_t tap_style,
                                double beta, double Rd) {
    using enum MeterType;
    if (IsAnyOf(meter_type, {ConcentricOrifice, CustomOrifice})) {
        return tap_style == kPipeTaps ? OrificeUC_PipeTaps(beta) : OrificeUC_Iso5167_2(beta, D, Rd);
    }
    // ISO/TR 15377:2007: segmental, quadrant-edge and conical-entrance plates.
    if (IsAnyOf(meter_type, {SegmentalOrifice, QuadrantOrifice, ConicOrifice})) return 2.0;
    // ISO/TR 15377:2007: eccentric plates, 2 % in the smaller pipes.
    if (meter_type == Code(EccentricOrifice)) return D <= 4.0 ? 2.0 : 1.5;
    // ASME MFC-14M: small-bore precision and integral orifices.
    if (IsAnyOf(meter_type, {SmallBoreOrifice, IntegralOrifice})) return 0.75;
    if (IsAnyOf(meter_type, {AsmeLongRadiusNozzle, CustomWallTapNozzle})) {
        return LongRadiusNozzleUC(r.Calc_Std, beta);
    }
    // ASME PTC 6 throat-tap nozzle; ISO 5167-4:2003 as-cast venturi; PTC 19.5 venturi.
    if (IsAnyOf(meter_type, {AsmeThroatTapNozzle, VenturiRoughCast, CustomThroatTapNozzle, CustomVenturi,
                             VenturiPtc195})) {
        return 0.7;
    }
    if (meter_type == Code(IsaNozzle)) return IsaNozzleUC_Iso5167_3(beta);
    if (IsAnyOf(meter_type, {VenturiNozzle, CustomFlowTube})) return VenturiNozzleUC_Iso5167_3(beta);
    // ISO 5167-4:2003: machined-convergent venturi, 1 % up to ReD 1e6.
    if (meter_type == Code(VenturiMachined)) return Rd <= 1.0e6 ? 1.0 : 1.8;
    // ISO 5167-4:2003: rough-welded sheet-iron convergent.
    if (meter_type == Code(VenturiWeldedSheet)) return 1.5;
    // Manufacturers' stated coefficient uncertainties of the proprietary flow tubes.
    if (meter_type == Code(Uvt)) return 0.5;
    if (meter_type == Code(LoLoss)) return 1.0;
    if (meter_type == Code(ProprietaryMeter1)) return 20.821 * beta * beta - 20.109 * beta + 4.9086;
    if (meter_type == Code(ProprietaryMeter2)) return 0.49;
    // ISO 5167-6:2019: uncalibrated wedge meters.
    if (IsAnyOf(meter_type, {WedgeIso5167_6, WedgeAbb1610L, WedgeAbb1615L, WedgeAbb1630L, CustomWedge})) {
        return 4.0;
    }
    // R. W. Miller, Flow Measurement Engineering Handbook (3rd ed.): generic wedge by H/D.
    if (meter_type == Code(WedgeMiller)) return r.SegHs / D <= 0.3 ? 2.0 : 3.0;
    if (InRange(meter_type, WedgeAbb1335L, WedgeAbb1337L)) return 3.0;
    return 0.0;
}

double ExpansionUncertainty(double hnor, double P, double beta, int32_t meter_type, int32_t tap_style) {
    using enum MeterType;
    if (!(P > 0.0)) return 0.0;
    // The published forms give the uncertainty in terms of dP/p1 with dP in the unit of
    // p1; with hnor in inH2O and P in psia, 4 dP/p1 is 4 / 27.73 hnor / P = 0.144 hnor / P.
    const double h_over_P = hnor / P;
    // ISO 5167-1:1991: orifice plates, 4 dP/p1 %; 8 dP/p1 % (0.3) with pipe taps.
    if (IsAnyOf(meter_type, {ConcentricOrifice, QuadrantOrifice, SmallBoreOrifice, IntegralOrifice,
                             ConicOrifice, CustomOrifice})) {
        return (tap_style == kPipeTaps ? 0.3 : 0.144) * h_over_P;
    }
    // Segmental and eccentric plates and wedges (ISO/TR 15377, ISO 5167-6): 8 dP/p1 %.
    // The custom wedge 1762 is a wedge too and takes the same term.
    if (IsAnyOf(meter_type, {SegmentalOrifice, EccentricOrifice, CustomWedge}) ||
        InRange(meter_type, WedgeIso5167_6, WedgeAbb1337L)) {
        return 0.3 * h_over_P;
    }
    // ISO 5167-3:2003: nozzles, 2 dP/p1 %.
    if (InRange(meter_type, AsmeLongRadiusNozzle, VenturiNozzle) ||
        IsAnyOf(meter_type, {CustomThroatTapNozzle, CustomWallTapNozzle, CustomFlowTube})) {
        return 0.072 * h_over_P;
    }
    // ISO 5167-4:2003: venturi tubes, (4 + 100 beta^8) dP/p1 %. The PTC 19.5 venturi
    // 1776 is a classical venturi too and takes the same term.
    if (InRange(meter_type, VenturiMachined, VenturiWeldedSheet) ||
        IsAnyOf(meter_type,
                {Uvt, LoLoss, CustomVenturi, ProprietaryMeter1, ProprietaryMeter2, VenturiPtc195})) {
        return (3.61 * std::pow(beta, 8) + 0.144) * h_over_P;
    }
    return 0.0;
}

UncertaintyFluid UncertaintyFluidOf(int32_t fluid_equation, int32_t fluid_condition) {
    using enum FluidEquation;
    using enum FluidCondition;
    if (fluid_equation == Code(LiquidVolume) && fluid_condition == Code(LiquidBaseTemp))
        return UncertaintyFluid::LiquidBase;
    if ((fluid_equation == Code(LiquidVolume) && fluid_condition == Code(LiquidFlowingTemp)) ||
        fluid_equation == Code(LiquidMass))
        return UncertaintyFluid::LiquidFlowing;
    if (fluid_equation == Code(GasVolume) || fluid_equation == Code(GasMass)) return UncertaintyFluid::Gas;
    return UncertaintyFluid::None;
}

double PressureSensitivity(double P, double Patm) {
    const double gauge = P - Patm;
    if (P < Patm + 1.0) return 0.5 * gauge / (gauge + 14.7);
    return 0.5;
}

std::optional<double> MeterUncertainty(const TagRecord& r, const UncertaintyInputs& in) {
    const UncertaintyFluid fluid = UncertaintyFluidOf(in.fluid_equation, in.fluid_condition);
    const bool liquid_base = fluid == UncertaintyFluid::LiquidBase;
    const bool liquid_flowing = fluid == UncertaintyFluid::LiquidFlowing;
    if (fluid == UncertaintyFluid::None) return 0.0;

    // Each term is (sensitivity x uncertainty)^2; a term whose uncertainty is 0 is
    // left out, so that a diameter, differential or beta it would divide by is not
    // needed when nothing is uncertain about it.
    double sum = 0.0;
    auto add = [&sum](double weighted) { sum += weighted * weighted; };

    add(DischargeCoefUncertainty(r, in.D, in.meter_type, in.tap_style, in.beta, in.Rd));
    const std::optional<double> pipe_pct = RelativePercent(in.u_D, in.D);
    const std::optional<double> bore_pct = RelativePercent(in.u_d, in.d);
    if (!pipe_pct || !bore_pct) return std::nullopt;
    if (*pipe_pct != 0.0) add(PipeSensitivity(in.beta) * *pipe_pct);
    if (*bore_pct != 0.0) add(BoreSensitivity(in.beta) * *bore_pct);
    // A transducer accuracy in percent of full scale is hmax / hnor times larger at the
    // normal differential; the flow goes with the root of the differential.
    if (in.meter_xmtr != 0.0) add(0.5 * (in.hmax / in.hnor) * in.meter_xmtr);
    if (in.recv_xmtr != 0.0) add(0.5 * (in.hmax / in.hnor) * in.recv_xmtr);

    if (liquid_base) {
        // Volume at base temperature: the base density divides the mass flow directly.
        add(in.u_liq_base_dens);
        add(0.5 * in.u_liq_flow_dens);
        add(0.5 * in.u_liq_fp);
    } else if (liquid_flowing) {
        add(0.5 * in.u_liq_flow_dens);
        add(0.5 * in.u_liq_fp);
    } else {
        add(ExpansionUncertainty(in.hnor, in.P, in.beta, in.meter_type, in.tap_style));
        // Near atmospheric pressure the pressure uncertainty, a percentage of the
        // gauge reading, is referred to the absolute pressure: Pg / (Pg + 14.7).
        if (in.u_press != 0.0) add(PressureSensitivity(in.P, in.Patm) * in.u_press);
        add(0.5 * in.u_temp);
        add(0.5 * in.u_gas_sg);
        add(0.5 * in.u_gas_flow_dens);
    }
    if (!std::isfinite(sum)) return std::nullopt;
    return std::sqrt(sum);
}

double BoreToleranceInches(const TagRecord& r) {
    return r.Uncert_BoreMode == 1 ? r.Uncert_Bore * r.Bore : r.Uncert_Bore;
}

double PipeToleranceInches(const TagRecord& r) {
    return r.Uncert_BoreMode == 1 ? r.Uncert_Pipe * r.Pipe_IDia : r.Uncert_Pipe;
}

std::optional<double> BoreUncertaintyPercent(const TagRecord& r) {
    return RelativePercent(BoreToleranceInches(r), r.Bore);
}

std::optional<double> PipeUncertaintyPercent(const TagRecord& r) {
    return RelativePercent(PipeToleranceInches(r), r.Pipe_IDia);
}

UncertaintyInputs MeterOnlyInputs(const TagRecord& r) {
    UncertaintyInputs in;
    in.u_d = BoreToleranceInches(r);
    in.D = r.Pipe_IDia;
    in.u_D = PipeToleranceInches(r);
    in.Rd = r.Rd;
    in.hmax = r.Dp_Max;
    in.hnor = r.Dp_Norm;
    in.meter_type = r.Meter_Type;
    in.tap_style = r.Tap_Style;
    in.fluid_equation = r.Fluid_Equation;
    in.fluid_condition = r.Fluid_Condition;
    in.beta = r.Beta;
    in.d = r.Bore;
    return in;
}

UncertaintyInputs SystemInputs(const TagRecord& r) {
    UncertaintyInputs in = MeterOnlyInputs(r);
    in.meter_xmtr = r.Uncert_MeterXmtr;
    in.recv_xmtr = r.Uncert_RecvXmtr;
    in.P = r.Flow_Press;
    in.Patm = r.AtmPress;
    in.u_press = r.Uncert_Press;
    in.u_temp = r.Uncert_Temp;
    in.u_liq_base_dens = r.Uncert_LiqBaseDens;
    in.u_liq_flow_dens = r.Uncert_LiqFlowDens;
    in.u_liq_fp = r.Uncert_LiqFp;
    in.u_gas_sg = r.Uncert_GasSG;
    in.u_gas_flow_dens = r.Uncert_GasFlowDens;
    return in;
}

bool MeterUncertaintyApplies(const TagRecord& r) {
    using enum MeterType;
    if (r.Uncert_Incl == 0 || r.Calc_Mode != Code(CalcMode::Meter)) return false;
    return r.Meter_Type < Code(CustomOrifice) ||
           IsAnyOf(r.Meter_Type, {ProprietaryMeter1, ProprietaryMeter2, CustomWedge, VenturiPtc195}) ||
           InRange(r.Meter_Type, WedgeIso5167_6, WedgeAbb1337L);
}

bool StoreMeterUncertainty(TagRecord& r) {
    if (!(r.Sm > 0.0 && r.Sm < 1.0) || !MeterUncertaintyApplies(r)) return false;
    const std::optional<double> u = MeterUncertainty(r, MeterOnlyInputs(r));
    if (!u) return false;
    r.MeterUncert = *u;
    return true;
}

std::optional<double> SystemUncertainty(const TagRecord& r) {
    return MeterUncertainty(r, SystemInputs(r));
}

}  // namespace quorven
