#include "engine/coefficients.h"

#include <cmath>

#include "engine/correlations/nozzle.h"
#include "engine/correlations/orifice.h"
#include "engine/correlations/orifice_special.h"
#include "engine/correlations/venturi.h"
#include "engine/correlations/wedge.h"
#include "record/choice_codes.h"

namespace quorven {
namespace {

// Tap_Style positions of the dialog's list (1 to 4).
constexpr int32_t kFlangeTaps = 1;
constexpr int32_t kCornerTaps = 2;
constexpr int32_t kRadiusTaps = 3;
constexpr int32_t kPipeTaps = 4;

// The quantities the correlations take, from the record in internal units.
struct CoefInputs {
    double b = 0.0;      // Beta x Fa_Meter / Fa_Pipe
    double D = 0.0;      // Pipe_IDia x Fa_Pipe [in]
    double Rd = 0.0;     // pipe Reynolds number
    bool b_ok = false;   // 0 < b < 1
    bool Rd_ok = false;  // Rd > 0
    bool D_ok = false;   // D > 0
};

bool Finite(double v) {
    return std::isfinite(v);
}

CoefInputs Inputs(const TagRecord& r) {
    CoefInputs in;
    in.b = r.Beta * r.Fa_Meter / r.Fa_Pipe;
    in.D = r.Pipe_IDia * r.Fa_Pipe;
    in.Rd = r.Rd;
    in.b_ok = Finite(in.b) && in.b > 0.0 && in.b < 1.0;
    in.Rd_ok = Finite(in.Rd) && in.Rd > 0.0;
    in.D_ok = Finite(in.D) && in.D > 0.0;
    return in;
}

// A coefficient is a positive finite number or nothing (0).
double CleanC(double C) {
    return (Finite(C) && C > 0.0) ? C : 0.0;
}

bool IsStd(const TagRecord& r, CalcStd s) {
    return r.Calc_Std == Code(s);
}

double ReaderHarris1992Of(const TagRecord& r, const CoefInputs& in);
double ReaderHarrisGallagherOf(const TagRecord& r, const CoefInputs& in);
double Api2530CoefficientOf(TagRecord& r, const CoefInputs& in);

double ConcentricOrifice(TagRecord& r, const CoefInputs& in) {
    const bool stolz = IsStd(r, CalcStd::Stolz) || IsStd(r, CalcStd::OrificePtc195);
    const bool rh92 = IsStd(r, CalcStd::ReaderHarris1992) || IsStd(r, CalcStd::ReaderHarris2012);
    if (IsStd(r, CalcStd::Buckingham1985) && r.Tap_Style >= kFlangeTaps && r.Tap_Style <= kPipeTaps)
        return Api2530CoefficientOf(r, in);
    if (!(in.b_ok && in.Rd_ok && in.D_ok)) return 0.0;
    const bool rhg = IsStd(r, CalcStd::ReaderHarrisGallagher1998);
    switch (r.Tap_Style) {
        case kFlangeTaps:
            if (rh92) return ReaderHarris1992Of(r, in);
            if (rhg) return ReaderHarrisGallagherOf(r, in);
            if (stolz) return OrificeC_StolzFlange(in.b, in.Rd, in.D);
            return OrificeC_StolzFlangeSmallPipe(in.b, in.Rd, in.D);
        case kCornerTaps:
            if (stolz) return OrificeC_StolzCorner(in.b, in.Rd);
            // AGA 3 (2012) and (1992) share the Reader-Harris/Gallagher (1992)
            // equation, whose corner-tap form (L1 = L2 = 0) both selections offer.
            if (rh92) return ReaderHarris1992Of(r, in);
            if (rhg) return ReaderHarrisGallagherOf(r, in);
            return 0.0;
        case kRadiusTaps:
            if (stolz) return OrificeC_StolzRadius(in.b, in.Rd);
            if (rhg) return ReaderHarrisGallagherOf(r, in);
            return 0.0;
        case kPipeTaps:
            return OrificeC_MillerPipeTaps(in.b, in.Rd);
        default:
            return 0.0;
    }
}

double Segmental(const TagRecord& r, const CoefInputs& in) {
    if (!(in.b_ok && in.D_ok)) return 0.0;
    if (r.Tap_Style != kFlangeTaps && r.Tap_Style != kCornerTaps) return 0.0;
    if (in.D > 4.0) return SegmentalC_MillerLarge(in.b);
    // Tap position 2 of the segmental orifice is the vena contracta tap.
    return r.Tap_Style == kFlangeTaps ? SegmentalC_MillerFlangeSmall(in.b)
                                      : SegmentalC_MillerVenaContractaSmall(in.b);
}

double Integral(const TagRecord& r, const CoefInputs& in, MessageSink& sink, bool interactive) {
    if (!(in.b_ok && in.Rd_ok) || !(r.Beta > 0.0)) return 0.0;
    const bool foxboro = r.Meter_IFOAMfr == Code(IfoaMfr::SiebeFoxboro);
    const double R = foxboro ? std::sqrt(in.Rd) : std::sqrt(in.Rd / r.Beta);
    const double C = IntegralC_Manufacturer(r.Meter_IFOAMfr, r.Meter_IFOASize, in.b, R);
    if (foxboro && r.Meter_IFOASize == Code(IfoaSize::Quadrant05) && Finite(C) && C < 0.0) {
        // The Foxboro quadrant-edged 1/2 in fit turns negative outside its very-low-flow range.
        if (interactive) CWarning(sink).Show(msg::kWarnQuadrantDataOutOfFit);
        return 1.0;
    }
    return C;
}

double Venturi(const TagRecord& r, const CoefInputs& in, MessageSink& sink, bool interactive) {
    if (!in.Rd_ok) return 0.0;
    const double C = r.Meter_Type == Code(MeterType::VenturiMachined) ? VenturiC_Iso5167_4_Machined(in.Rd)
                                                                      : VenturiC_Iso5167_4_RoughCast(in.Rd);
    if (C == 0.0 && interactive)
        CWarning(sink).Show(msg::kWarnPipeReynoldsBelowMinimum, in.Rd, 200000.0, in.Rd);
    return C;
}

double ThroatTapNozzle(TagRecord& r, const CoefInputs& in, MessageSink& sink, bool interactive) {
    if (!(in.b_ok && in.Rd_ok)) return 0.0;
    if (IsStd(r, CalcStd::NozzlePtc6)) return NozzleC_Ptc6(in.Rd / in.b);
    bool above = false;
    const double C = NozzleC_AsmeThroatTap(in.b, in.Rd, &above);
    // Above the correlation's bore Reynolds number the fixed 1.0 stands, with the
    // bore Reynolds number warning.
    if (above && interactive)
        CWarning(sink).Show(msg::kWarnBoreReynoldsAboveMaximum, in.Rd / in.b, 2e7, in.Rd / in.b);
    r.C = C;
    return C;
}

double LongRadiusNozzle(const TagRecord& r, const CoefInputs& in) {
    if (!(in.b_ok && in.Rd_ok)) return 0.0;
    switch (r.Calc_Std) {
        case Code(CalcStd::NozzleAsmeMfc3M1989):
        case Code(CalcStd::NozzleIso5167_1991):
            return NozzleC_AsmeLongRadius(in.b, in.Rd);
        case Code(CalcStd::NozzleRhg1998):
        case Code(CalcStd::NozzleIso5167_3_2022):
            return NozzleC_Iso5167_3_LongRadius(in.b, in.Rd);
        case Code(CalcStd::NozzlePtc195):
            return NozzleC_Ptc195(in.Rd / in.b);
        default:
            return 0.0;
    }
}

bool IsStdMiller(const TagRecord& r) {
    return IsStd(r, CalcStd::Miller3rd);
}
bool IsStdTr15377(const TagRecord& r) {
    return IsStd(r, CalcStd::IsoTr15377);
}

double Dispatch(TagRecord& r, MessageSink& sink, bool interactive) {
    const CoefInputs in = Inputs(r);
    const bool b_Rd = in.b_ok && in.Rd_ok;
    switch (r.Meter_Type) {
        case Code(MeterType::ConcentricOrifice):
            return ConcentricOrifice(r, in);
        case Code(MeterType::SegmentalOrifice):
            return Segmental(r, in);
        case Code(MeterType::EccentricOrifice):
            if (IsStdMiller(r))
                return (b_Rd && r.Pipe_IDia > 0.0) ? EccentricC_Miller(in.b, in.Rd, r.Pipe_IDia, r.Tap_Style)
                                                   : 0.0;
            if (IsStdTr15377(r)) return in.b_ok ? EccentricC_IsoTr15377(in.b) : 0.0;
            return 0.0;
        case Code(MeterType::QuadrantOrifice):
            if (!in.b_ok) return 0.0;
            if (IsStdMiller(r)) return QuadrantC_Miller(in.b);
            if (IsStdTr15377(r)) return QuadrantC_IsoTr15377(in.b);
            return 0.0;
        case Code(MeterType::SmallBoreOrifice):
            if (!(b_Rd && in.D_ok) || r.Pipe_NomDia < 0.5 || r.Pipe_NomDia > 1.5) return 0.0;
            if (r.Tap_Style == kFlangeTaps) return SmallBoreC_Mfc14mFlange(in.b, in.Rd);
            if (r.Tap_Style == kCornerTaps) return SmallBoreC_Mfc14mCorner(in.b, in.Rd, in.D);
            return 0.0;
        case Code(MeterType::IntegralOrifice):
            return Integral(r, in, sink, interactive);
        case Code(MeterType::ConicOrifice):
            if (IsStdMiller(r)) return in.b_ok ? ConicC_Miller(in.b, in.Rd) : 0.0;
            if (IsStdTr15377(r)) return ConicC_IsoTr15377();
            return 0.0;
        case Code(MeterType::AsmeLongRadiusNozzle):
            return LongRadiusNozzle(r, in);
        case Code(MeterType::AsmeThroatTapNozzle):
            return ThroatTapNozzle(r, in, sink, interactive);
        case Code(MeterType::IsaNozzle):
            return b_Rd ? NozzleC_Iso5167_3_Isa1932(in.b, in.Rd) : 0.0;
        case Code(MeterType::VenturiNozzle):
            return in.b_ok ? NozzleC_Iso5167_3_VenturiNozzle(in.b) : 0.0;
        case Code(MeterType::VenturiMachined):
        case Code(MeterType::VenturiRoughCast):
            return Venturi(r, in, sink, interactive);
        case Code(MeterType::VenturiWeldedSheet):
            if (IsStd(r, CalcStd::VenturiAsmeMfc3M1989) || IsStd(r, CalcStd::VenturiIso5167_1991) ||
                IsStd(r, CalcStd::VenturiIso5167_4_2022))
                return VenturiC_Iso5167_4_Welded();
            return 0.0;
        case Code(MeterType::CriticalVenturi):
            return 0.985;
        case Code(MeterType::VenturiPtc195):
            return b_Rd ? NozzleC_Ptc6(in.Rd / in.b) : 0.0;
        case Code(MeterType::Uvt):
            return FlowTubeC_Uvt();
        case Code(MeterType::LoLoss):
        case Code(MeterType::ProprietaryMeter2):
            return in.b_ok ? FlowTubeC_LoLoss(in.b) : 0.0;
        case Code(MeterType::CriticalSquareEdgedOrifice):
            return 0.6;
        case Code(MeterType::CriticalThickOrifice):
            return 0.899;
        case Code(MeterType::WedgeIso5167_6):
            return in.b_ok ? WedgeC_Iso5167_6(in.b) : 0.0;
        case Code(MeterType::WedgeMiller):
            return in.b_ok ? WedgeC_Miller(in.b, r.Pipe_NomDia) : 0.0;
        case Code(MeterType::CustomThroatTapNozzle):
        case Code(MeterType::CustomOrifice):
        case Code(MeterType::CustomWallTapNozzle):
        case Code(MeterType::CustomVenturi):
        case Code(MeterType::CustomFlowTube):
        case Code(MeterType::CustomWedge):
            return r.C;  // the entered coefficient, never recomputed
        default:
            return 0.0;  // includes the ABB wedges: see WedgeCoefficient
    }
}

}  // namespace

double DischargeCoefficient(TagRecord& r, MessageSink& sink, bool interactive) {
    return CleanC(Dispatch(r, sink, interactive));
}

double ReaderHarris1992(const TagRecord& r) {
    return ReaderHarris1992Of(r, Inputs(r));
}

double ReaderHarrisGallagher(const TagRecord& r) {
    return ReaderHarrisGallagherOf(r, Inputs(r));
}

double Api2530Coefficient(TagRecord& r) {
    return Api2530CoefficientOf(r, Inputs(r));
}

namespace {

double ReaderHarris1992Of(const TagRecord& r, const CoefInputs& in) {
    if (!(in.b_ok && in.Rd_ok && in.D_ok)) return 0.0;
    switch (r.Tap_Style) {
        case kFlangeTaps:
            return CleanC(OrificeC_ReaderHarris1992(in.b, in.Rd, in.D, 1.0 / in.D, 1.0 / in.D));
        // Corner taps: the full equation with the corner-tap distances L1 = L2 = 0.
        case kCornerTaps:
            return CleanC(OrificeC_ReaderHarris1992(in.b, in.Rd, in.D, 0.0, 0.0));
        case kRadiusTaps:
            return CleanC(OrificeC_ReaderHarris1992(in.b, in.Rd, in.D, 1.0, 0.47));
        default:
            return 0.0;
    }
}

double ReaderHarrisGallagherOf(const TagRecord& r, const CoefInputs& in) {
    if (!(in.b_ok && in.Rd_ok && in.D_ok)) return 0.0;
    double L1 = 0.0;
    double L2 = 0.0;
    if (r.Tap_Style == kFlangeTaps) L1 = L2 = 1.0 / in.D;  // 25.4 mm / D
    if (r.Tap_Style == kRadiusTaps) {
        L1 = 1.0;
        L2 = 0.47;
    }
    return CleanC(OrificeC_ReaderHarrisGallagher(in.b, in.Rd, in.D, L1, L2));
}

double Api2530CoefficientOf(TagRecord& r, const CoefInputs& in) {
    const double b = r.Beta * r.Fa_Meter;  // API 2530 (1985) corrects the bore only
    if (!(Finite(b) && b > 0.0 && b < 1.0 && in.Rd_ok && in.D_ok)) return 0.0;
    Api2530Terms t;
    switch (r.Tap_Style) {
        case kFlangeTaps:
            t = OrificeK_Api2530Flange(b, in.Rd, in.D);
            break;
        case kCornerTaps:
            t = OrificeK_AsmeCorner(b, in.Rd);
            break;
        case kRadiusTaps:
            t = OrificeK_AsmeRadius(b, in.Rd, in.D);
            break;
        case kPipeTaps:
            t = OrificeK_Api2530PipeTaps(b, in.Rd, in.D);
            break;
        default:
            return 0.0;
    }
    if (!(Finite(t.Ko) && Finite(t.E) && Finite(t.Ke) && CleanC(t.C) > 0.0)) return 0.0;
    r.Qrad_K0 = t.Ko;
    r.E_Ftp = t.E;
    r.K = t.Ke;
    return t.C;
}

}  // namespace

double WedgeCoefficient(TagRecord& r, MessageSink& sink, bool interactive) {
    const AbbWedgeResult res = WedgeC_AbbManufacturer(r.Meter_Type, r.Pipe_NomDia, r.Beta,
                                                      r.Pipe_IDia > 0.0 ? r.SegHs / r.Pipe_IDia : 0.0);
    if (interactive) {
        switch (res.fit) {
            case AbbWedgeFit::NotA1615LSize:
                CError(sink).Show(msg::kErrAbbWedge1615LSize);
                break;
            case AbbWedgeFit::Not1610L1630LSize:
                CError(sink).Show(msg::kErrAbbWedge1610L1630LSize);
                break;
            case AbbWedgeFit::NotIntegralSize:
                CError(sink).Show(msg::kErrAbbIntegralWedgeSize);
                break;
            default:
                break;
        }
    }
    if (res.fit != AbbWedgeFit::Ok || !(r.Pipe_IDia > 0.0) || !(r.Beta >= 0.0 && r.Beta < 1.0)) return 0.0;
    return CleanC(res.C);
}

}  // namespace quorven
