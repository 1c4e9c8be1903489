// ExpansionFactor: the record-level choice of expansion-factor form. Every form is
// evaluated at the upstream tap and converted to the downstream tap by the
// standards' own relation Y2 = Y1 sqrt(p1 / p2) when the static pressure is taken
// downstream.

#include <cmath>

#include "engine/coefficients.h"
#include "engine/correlations/expansion.h"
#include "record/choice_codes.h"

namespace quorven {
namespace {

enum class Form {
    Aga3_1985,
    Aga3_1985PipeTaps,
    Iso5167_2,
    Aga3_2012,
    Segmental,
    Eccentric,
    Isentropic,
    IsentropicWedge,
    ConicTr15377,
    None
};

Form ChooseForm(const TagRecord& r) {
    const int32_t std_code = r.Calc_Std;
    const bool miller = std_code == Code(CalcStd::Miller3rd);
    const bool tr15377 = std_code == Code(CalcStd::IsoTr15377);
    switch (r.Meter_Type) {
        case Code(MeterType::ConcentricOrifice):
        case Code(MeterType::CustomOrifice):
            if (std_code == Code(CalcStd::ReaderHarrisGallagher1998)) return Form::Iso5167_2;
            if (r.Tap_Style == 4) return Form::Aga3_1985PipeTaps;
            if (std_code == Code(CalcStd::ReaderHarris2012)) return Form::Aga3_2012;
            return Form::Aga3_1985;
        case Code(MeterType::SegmentalOrifice):
            return Form::Segmental;
        case Code(MeterType::EccentricOrifice):
            return miller ? Form::Eccentric : tr15377 ? Form::Iso5167_2 : Form::None;
        case Code(MeterType::QuadrantOrifice):
            return miller ? Form::Isentropic : tr15377 ? Form::Iso5167_2 : Form::None;
        case Code(MeterType::SmallBoreOrifice):
            return Form::Aga3_1985;
        case Code(MeterType::IntegralOrifice):
            return r.Meter_IFOASize == Code(IfoaSize::Quadrant05) ? Form::Isentropic : Form::Aga3_1985;
        case Code(MeterType::ConicOrifice):
            return miller ? Form::Isentropic : tr15377 ? Form::ConicTr15377 : Form::None;
        case Code(MeterType::WedgeIso5167_6):
        case Code(MeterType::WedgeMiller):
            return Form::IsentropicWedge;
        case Code(MeterType::WedgeAbb1610L):
        case Code(MeterType::WedgeAbb1615L):
        case Code(MeterType::WedgeAbb1630L):
        case Code(MeterType::WedgeAbb1335L):
        case Code(MeterType::WedgeAbb1336L):
        case Code(MeterType::WedgeAbb1337L):
        case Code(MeterType::CustomWedge):
            return Form::Aga3_1985;
        default:
            return Form::Isentropic;  // nozzles, venturis, flow tubes, custom types
    }
}

bool NeedsIsentropic(Form f) {
    return f == Form::Isentropic || f == Form::IsentropicWedge || f == Form::ConicTr15377;
}

// The differential the factor is evaluated at [inH2O].
double ExpansionDifferential(const TagRecord& r) {
    // The wedge meters' expansion factor is taken at the makers' reference 50 inH2O;
    // the record's own differential is left untouched.
    const double hw = IsStandardWedge(r.Meter_Type) ? 50.0 : r.Dp_Norm;
    double h = hw;
    if (r.Factor_VapQual == 1) {
        const double x = r.Factor_QualX / 100.0;
        const double ratio = r.Base_RhoGZ > 0.0 ? r.Flow_RhoGZ / r.Base_RhoGZ : -1.0;
        if (x > 0.0 && ratio >= 0.0) {
            const double wet = WetGasDifferential_Murdock(hw, x, ratio);
            if (std::isfinite(wet)) h = wet;
        }
    }
    return (h > 0.0) ? h : 100.0;  // no differential given: the customary 100 inH2O
}

}  // namespace

namespace {

inline PreparedExpansion Prepare(const TagRecord& r, MessageSink& sink, bool interactive) {
    PreparedExpansion e;
    if (IsLiquid(r)) {
        e.fixed = 1.0;
        return e;
    }
    const Form form = ChooseForm(r);
    e.form = static_cast<int>(form);
    if (form == Form::None) return e;
    const double k = KFpOrOne(r);
    if (!(k > 0.0) || !std::isfinite(k)) return e;
    if (NeedsIsentropic(form) && k < 1.0) {
        if (interactive) CWarning(sink).Show(msg::kWarnIsentropicExponentNotAboveOne);
        return e;
    }
    const double Pf = r.Flow_Press;
    if (!(Pf > 0.0) || !std::isfinite(Pf)) return e;
    const double dp_psi = ExpansionDifferential(r) / kInH2OPerPsi;
    e.downstream = r.Tap_Loc == Code(TapLoc::Downstream);
    e.p1 = e.downstream ? Pf + dp_psi : Pf;
    e.p2 = e.downstream ? Pf : Pf - dp_psi;
    if (!(e.p2 > 0.0)) return e;  // differential at or beyond the absolute static pressure
    e.k = k;
    e.tau = e.p2 / e.p1;
    e.x1 = dp_psi / e.p1;
    if (NeedsIsentropic(form)) e.isentropic = IsentropicTerms(e.tau, k);
    e.fixed = -1.0;  // Y follows beta
    return e;
}

inline double At(const PreparedExpansion& e, const TagRecord& r) {
    if (!(e.fixed < 0.0)) return e.fixed;
    const Form form = static_cast<Form>(e.form);
    const double b = form == Form::IsentropicWedge ? r.Beta : r.Beta * r.Fa_Meter / r.Fa_Pipe;
    if (!(b >= 0.0 && b < 1.0)) return 0.0;
    const double tau = e.tau, x1 = e.x1, k = e.k;

    double Y1 = 0.0;
    switch (form) {
        case Form::Aga3_1985:
            Y1 = ExpansionY_Aga3_1985(b, x1, k);
            break;
        case Form::Aga3_1985PipeTaps:
            Y1 = ExpansionY_Aga3_1985PipeTaps(b, x1, k);
            break;
        case Form::Iso5167_2:
            Y1 = ExpansionY_Iso5167_2(b, tau, k);
            break;
        case Form::Aga3_2012:
            Y1 = ExpansionY_Aga3_2012(b, tau, k);
            break;
        case Form::Segmental:
            Y1 = ExpansionY_MillerSegmental(b, x1, k);
            break;
        case Form::Eccentric:
            Y1 = ExpansionY_MillerEccentric(b, x1, k);
            break;
        case Form::Isentropic:
        case Form::IsentropicWedge:
            Y1 = ExpansionY_Isentropic(b, e.isentropic);
            break;
        // ISO/TR 15377:2007, conical entrance: the mean of the orifice and nozzle expansibilities.
        case Form::ConicTr15377:
            Y1 = 0.5 * (ExpansionY_Iso5167_2(b, tau, k) + ExpansionY_Isentropic(b, e.isentropic));
            break;
        case Form::None:
            return 0.0;
    }
    const double Y = e.downstream ? ExpansionY_DownstreamTap(Y1, e.p1, e.p2) : Y1;
    return (std::isfinite(Y) && Y > 0.0) ? Y : 0.0;
}

}  // namespace

PreparedExpansion PrepareExpansionFactor(const TagRecord& r, MessageSink& sink, bool interactive) {
    return Prepare(r, sink, interactive);
}

double ExpansionFactorAt(const PreparedExpansion& e, const TagRecord& r) {
    return At(e, r);
}

double ExpansionFactor(TagRecord& r, MessageSink& sink, bool interactive) {
    return At(Prepare(r, sink, interactive), r);
}

}  // namespace quorven
