#include "project/data_check.h"

#include <initializer_list>

#include "record/choice_codes.h"

namespace quorven {
namespace {

using Field = double TagRecord::*;

struct Check {
    Field field;
    std::string_view line;
};

// The lines are the status file's and are kept as the program has always written
// them (the double blanks included).
constexpr std::string_view kNoMaxFlow = "\t\tNo maximum flow, Qm or Wm, given.\n";
constexpr std::string_view kMaxBelowNormal =
    "\t\tMaximum flow is less than normal flow.  Must correct data and recalculate!\n";
constexpr std::string_view kNoNormFlow = "\t\tNo normal flow, Qn or Wn, given.\n";
constexpr std::string_view kNoMaxDpBore = "\t\tNo maximum differential pressure, dPm,  given.\n";
constexpr std::string_view kNoMaxDpFlow = "\t\tNo maximum differential pressure, dPm, given.\n";
constexpr std::string_view kNoNormDp = "\t\tNo normal differential pressure, dPn, given.\n";
constexpr std::string_view kNoBore = "\t\tNo meter bore diameter, d, given.\n";
constexpr std::string_view kNoPipe = "\t\tNo inside pipe diameter given.\n";

constexpr std::string_view kNoGasMw = "\t\tNo gas molecular weight, Mw, given.\n";
constexpr std::string_view kNoVaporMw = "\t\tNo vapor molecular weight, Mw, given.\n";
constexpr std::string_view kNoZb = "\t\tNo base condition compressibility, Zb, given.\n";
constexpr std::string_view kNoZf = "\t\tNo flowing condition compressibility, Zf, given.\n";
constexpr std::string_view kNoGasDb = "\t\tNo base condition gas density, Db, given.\n";
constexpr std::string_view kNoGasDf = "\t\tNo flowing condition gas density, Df, given.\n";
constexpr std::string_view kNoFlowingDf = "\t\tNo flowing density, Df, given.\n";
constexpr std::string_view kNoPf = "\t\tNo flowing pressure, Pf, given.\n";
constexpr std::string_view kNoTf = "\t\tNo flowing temperature, Tf, given.\n";
constexpr std::string_view kNoTfDensity = "\t\tNo flowing temperature, Tf,  given.\n";
constexpr std::string_view kNoVisc = "\t\tNo viscosity, U, given.\n";
constexpr std::string_view kNoViscDensity = "\t\tNo viscosity given.\n";
constexpr std::string_view kNoK = "\t\tNo isentropic exponent, k, given.\n";
constexpr std::string_view kNoLiquidPhaseRho = "\t\tNo liquid phase density, D liq, given.\n";
constexpr std::string_view kNoQuality = "\t\tNo two phase quality, x, given.\n";
constexpr std::string_view kNoGb = "\t\tNo base condition specific gravity, Gb, given.\n";
constexpr std::string_view kNoGf = "\t\tNo flowing condition specific gravity, Gf, given.\n";
constexpr std::string_view kNoFlowingGf = "\t\tNo flowing specific gravity, Gf, given.\n";
constexpr std::string_view kNoLiqDb = "\t\tNo base condition density, Db, given.\n";
constexpr std::string_view kNoLiqDf = "\t\tNo flowing condition density, Df, given.\n";
constexpr std::string_view kPvAbovePf =
    "\t\tLiquid vapor pressure is greater than the upstream static pressure.\n";
constexpr std::string_view kNoPv = "\t\tNo liquid vapor pressure, Pv, given.\n";

constexpr std::string_view kHeadingEnd = "\n\tDATA ERRORS:\n";
constexpr std::string_view kNoErrors = "\t\tNo errors!\n";

bool Missing(double v) {
    return v == 0.0;
}

void Run(const TagRecord& r, std::initializer_list<Check> checks, std::vector<std::string_view>& out) {
    for (const Check& c : checks) {
        if (Missing(r.*c.field)) out.push_back(c.line);
    }
}

void SizingChecks(const TagRecord& r, std::vector<std::string_view>& out) {
    const bool critical = r.Calc_Mode == Code(CalcMode::CriticalDrop);
    switch (r.Calc_SizeParam) {
        case Code(SizeParam::Bore):
            if (critical) {
                Run(r, {{&TagRecord::Flow_Max, kNoMaxFlow}}, out);
                return;
            }
            if (Missing(r.Flow_Max)) {
                out.push_back(kNoMaxFlow);
            } else if (r.Flow_Max < r.Flow_Norm) {
                out.push_back(kMaxBelowNormal);
            }
            Run(r, {{&TagRecord::Flow_Norm, kNoNormFlow}, {&TagRecord::Dp_Max, kNoMaxDpBore}}, out);
            return;
        case Code(SizeParam::Dp):
            if (r.Calc_Mode != Code(CalcMode::Meter)) return;
            Run(r,
                {{&TagRecord::Flow_Max, kNoMaxFlow},
                 {&TagRecord::Flow_Norm, kNoNormFlow},
                 {&TagRecord::Bore, kNoBore}},
                out);
            return;
        case Code(SizeParam::Flow):
            if (critical) {
                Run(r, {{&TagRecord::Bore, kNoBore}}, out);
                return;
            }
            Run(r,
                {{&TagRecord::Bore, kNoBore},
                 {&TagRecord::Dp_Max, kNoMaxDpFlow},
                 {&TagRecord::Dp_Norm, kNoNormDp}},
                out);
            return;
        default:
            return;
    }
}

void GasChecks(const TagRecord& r, std::vector<std::string_view>& out) {
    const bool density = r.Fluid_Property == Code(FluidProperty::GasDensity);
    const bool base = r.Fluid_Condition == Code(FluidCondition::GasBase);
    const bool flowing = r.Fluid_Condition == Code(FluidCondition::GasFlowing);
    if (r.Fluid_Equation == Code(FluidEquation::GasVolume)) {
        if (base && !density) {
            Run(r,
                {{&TagRecord::Property_MwDenVp, kNoGasMw},
                 {&TagRecord::Base_RhoGZ, kNoZb},
                 {&TagRecord::Flow_RhoGZ, kNoZf},
                 {&TagRecord::Flow_Press, kNoPf},
                 {&TagRecord::Flow_Temp, kNoTf},
                 {&TagRecord::Property_Visc, kNoVisc},
                 {&TagRecord::Property_KFp, kNoK}},
                out);
        } else if (base && density) {
            Run(r,
                {{&TagRecord::Base_RhoGZ, kNoGasDb},
                 {&TagRecord::Flow_RhoGZ, kNoGasDf},
                 {&TagRecord::Flow_Press, kNoPf},
                 {&TagRecord::Flow_Temp, kNoTfDensity},
                 {&TagRecord::Property_Visc, kNoViscDensity},
                 {&TagRecord::Property_KFp, kNoK}},
                out);
        } else if (flowing && !density) {
            Run(r,
                {{&TagRecord::Property_MwDenVp, kNoGasMw},
                 {&TagRecord::Flow_RhoGZ, kNoZf},
                 {&TagRecord::Flow_Press, kNoPf},
                 {&TagRecord::Flow_Temp, kNoTf},
                 {&TagRecord::Property_Visc, kNoVisc},
                 {&TagRecord::Property_KFp, kNoK}},
                out);
        } else if (flowing && density) {
            Run(r,
                {{&TagRecord::Flow_RhoGZ, kNoFlowingDf},
                 {&TagRecord::Flow_Press, kNoPf},
                 {&TagRecord::Flow_Temp, kNoTf},
                 {&TagRecord::Property_Visc, kNoVisc},
                 {&TagRecord::Property_KFp, kNoK}},
                out);
        }
        return;
    }
    // Gas mass flows: the checks are those of flows at base conditions.
    if (r.Fluid_Equation != Code(FluidEquation::GasMass) || !base) return;
    if (density) {
        Run(r,
            {{&TagRecord::Flow_RhoGZ, kNoFlowingDf},
             {&TagRecord::Flow_Press, kNoPf},
             {&TagRecord::Flow_Temp, kNoTf},
             {&TagRecord::Property_Visc, kNoVisc},
             {&TagRecord::Property_KFp, kNoK}},
            out);
    } else {
        Run(r,
            {{&TagRecord::Property_MwDenVp, kNoVaporMw},
             {&TagRecord::Flow_RhoGZ, kNoZf},
             {&TagRecord::Flow_Press, kNoPf},
             {&TagRecord::Flow_Temp, kNoTf},
             {&TagRecord::Property_Visc, kNoVisc},
             {&TagRecord::Property_KFp, kNoK}},
            out);
    }
    if (r.Factor_VapQual == 1) {
        Run(r, {{&TagRecord::Base_RhoGZ, kNoLiquidPhaseRho}, {&TagRecord::Factor_QualX, kNoQuality}}, out);
    }
}

void LiquidChecks(const TagRecord& r, std::vector<std::string_view>& out) {
    const bool density = r.Fluid_Property == Code(FluidProperty::LiquidDensity);
    const bool base = r.Fluid_Condition == Code(FluidCondition::LiquidBaseTemp);
    const bool flowing = r.Fluid_Condition == Code(FluidCondition::LiquidFlowingTemp);
    const Check pf{&TagRecord::Flow_Press, kNoPf};
    const Check tf{&TagRecord::Flow_Temp, kNoTf};
    const Check visc{&TagRecord::Property_Visc, kNoVisc};
    if (r.Fluid_Equation == Code(FluidEquation::LiquidVolume)) {
        if (base && !density) {
            Run(r, {{&TagRecord::Base_RhoGZ, kNoGb}, {&TagRecord::Flow_RhoGZ, kNoGf}, pf, tf, visc}, out);
        } else if (base && density) {
            Run(r, {{&TagRecord::Base_RhoGZ, kNoLiqDb}, {&TagRecord::Flow_RhoGZ, kNoLiqDf}, pf, tf, visc},
                out);
        } else if (flowing && !density) {
            Run(r, {{&TagRecord::Flow_RhoGZ, kNoFlowingGf}, pf, tf, visc}, out);
        } else if (flowing && density) {
            Run(r, {{&TagRecord::Flow_RhoGZ, kNoLiqDf}, pf, tf, visc}, out);
        }
    } else if (r.Fluid_Equation == Code(FluidEquation::LiquidMass) && flowing) {
        if (density) {
            Run(r, {{&TagRecord::Flow_RhoGZ, kNoLiqDf}, pf, tf, visc}, out);
        } else {
            Run(r, {{&TagRecord::Flow_RhoGZ, kNoGf}, pf, tf, visc}, out);
        }
    }
    // A choked liquid's differential is the flowing pressure less its vapour
    // pressure (ISA-75.01 / IEC 60534-2-1 choked flow): without a vapour pressure
    // below the flowing pressure there is nothing to size.
    if (r.Calc_Mode == Code(CalcMode::CriticalDrop)) {
        if (!Missing(r.Property_MwDenVp) && !(r.Flow_Press > r.Property_MwDenVp)) out.push_back(kPvAbovePf);
        if (Missing(r.Property_MwDenVp)) out.push_back(kNoPv);
    }
}

}  // namespace

std::vector<std::string_view> DataCheckLines(const TagRecord& r) {
    std::vector<std::string_view> out;
    SizingChecks(r, out);
    if (IsLiquid(r)) {
        LiquidChecks(r, out);
    } else {
        GasChecks(r, out);
    }
    if (!(r.Pipe_IDia > 0.0)) out.push_back(kNoPipe);
    return out;
}

bool DataCheck(const TagRecord& r, std::string& out) {
    out += "Tag No.:   ";
    out += GetText(r.Tag_No);
    out += "\nService:   ";
    out += GetText(r.Service);
    out += "\nLine No.:  ";
    out += GetText(r.Line_No);
    out += '\n';
    out += kHeadingEnd;
    const std::vector<std::string_view> lines = DataCheckLines(r);
    for (std::string_view line : lines) out += line;
    out += lines.empty() ? kNoErrors : std::string_view("\n");
    return lines.empty();
}

}  // namespace quorven
