#include "engine/limits.h"

#include <algorithm>
#include <cmath>

#include "record/choice_codes.h"

namespace quorven {
namespace {

// Metric limits of the standards expressed in inches (25.4 mm exactly).
constexpr double k50mm = 1.968503937;
constexpr double k65mm = 2.559055118;
constexpr double k100mm = 3.937007874;
constexpr double k200mm = 7.874015748;
constexpr double k350mm = 13.77952756;
constexpr double k500mm = 19.68503937;
constexpr double k630mm = 24.80314961;
constexpr double k750mm = 29.52755906;
constexpr double k800mm = 31.49606299;
constexpr double k900mm = 35.43307087;
constexpr double k1000mm = 39.37007874;
constexpr double k1200mm = 47.24409449;
constexpr double k12_5mm = 0.4921259843;
constexpr double k15mm = 0.5905511811;

// One meter type's limits: 0 means no limit.
struct LimitRow {
    double pipe_min = 0.0;
    double pipe_min_shown = 0.0;
    double pipe_max = 0.0;
    double beta_lo = 0.0;
    double beta_hi = 0.0;
    double Rmin = 0.0;
    double Rmax = 0.0;
};

class LimitChecker {
public:
    LimitChecker(TagRecord& r, MessageSink& sink, bool interactive)
        : r_(r), sink_(sink), interactive_(interactive) {}

    void Warn(int n, double value = 0.0, double l1 = 0.0, double l2 = 0.0) {
        ++shown_;
        if (interactive_) CWarning(sink_).Show(n, value, l1, l2);
    }
    void BetaRange(double lo, double hi) {
        if (r_.Beta < lo || r_.Beta > hi) Warn(msg::kWarnBetaRange, r_.Beta, lo, hi);
    }
    void Pipe(const LimitRow& row) {
        const double D = r_.Pipe_IDia;
        if (row.pipe_min > 0.0 && D < row.pipe_min) Warn(msg::kWarnPipeBelowMinimum, D, row.pipe_min_shown);
        if (row.pipe_max > 0.0 && D > row.pipe_max) Warn(msg::kWarnPipeAboveMaximum, D, row.pipe_max);
    }
    void Reynolds(const LimitRow& row) {
        if (row.Rmin > 0.0 && row.Rmin > r_.Rd)
            Warn(msg::kWarnPipeReynoldsBelowMinimum, r_.Rd, row.Rmin, r_.Rd);
        if (row.Rmax > 0.0 && row.Rmax < r_.Rd)
            Warn(msg::kWarnPipeReynoldsAboveMaximum, r_.Rd, row.Rmax, r_.Rd);
    }
    int shown() const { return shown_; }

private:
    TagRecord& r_;
    MessageSink& sink_;
    bool interactive_;
    int shown_ = 0;
};

bool IsStd(const TagRecord& r, CalcStd s) {
    return r.Calc_Std == Code(s);
}

// ISO 5167-2:2003, 5.3.1: flange tappings need ReD >= 5000 and ReD >= 170 b^2 D (D in mm);
// both hold, so the larger minimum applies.
double FlangeTapMinimumRd(double beta, double D_in) {
    return std::max(5000.0, 170.0 * beta * beta * (D_in * 25.4));
}

// The concentric orifice: Warning #34 first, then pipe, beta and Reynolds number.
void ConcentricOrifice(LimitChecker& c, const TagRecord& r) {
    if (r.Bore < k12_5mm) c.Warn(msg::kWarnBoreBelow12_5mm, r.Bore);
    LimitRow row;
    const bool rh92 = IsStd(r, CalcStd::ReaderHarris1992);
    row.pipe_min = rh92 ? 1.687 : k50mm;
    row.pipe_min_shown = row.pipe_min;
    row.pipe_max = k1000mm;
    row.beta_lo = 0.1;
    row.beta_hi = 0.75;
    switch (r.Tap_Style) {
        case 1:
            row.Rmin = FlangeTapMinimumRd(r.Beta, r.Pipe_IDia);
            break;
        case 2:
        case 3:
            row.Rmin = r.Beta <= 0.56 ? 5000.0 : 16000.0 * r.Beta * r.Beta;
            break;
        default:
            row.pipe_min = row.pipe_min_shown = k50mm;
            row.pipe_max = k900mm;
            row.beta_lo = 0.2;
            row.Rmin = 10000.0;
            row.Rmax = 1e7;
            break;
    }
    c.Pipe(row);
    c.BetaRange(row.beta_lo, row.beta_hi);
    c.Reynolds(row);
}

// Limits of every other meter type, in their fixed order.
void OtherMeter(LimitChecker& c, const TagRecord& r) {
    const double D = r.Pipe_IDia;
    const double beta = r.Beta;
    LimitRow row;
    auto range = [&](double lo, double hi) {
        row.beta_lo = lo;
        row.beta_hi = hi;
    };
    auto pipe = [&](double min, double shown, double max) {
        row.pipe_min = min;
        row.pipe_min_shown = shown;
        row.pipe_max = max;
    };
    switch (r.Meter_Type) {
        case Code(MeterType::SegmentalOrifice):
            pipe(4.0, 4.0, 14.0), range(0.35, 0.75), row.Rmin = 10000.0, row.Rmax = 1e6;
            break;
        case Code(MeterType::EccentricOrifice):
            if (IsStd(r, CalcStd::Miller3rd)) {
                const double min = (r.Tap_Style == 1 || r.Tap_Style == 2) ? 4.0 : 6.0;
                pipe(min, min, 14.0), range(0.3, 0.75), row.Rmin = 10000.0, row.Rmax = 1e6;
            } else if (IsStd(r, CalcStd::IsoTr15377)) {
                pipe(k100mm, 4.0, k1000mm), range(0.46, 0.84), row.Rmin = 200000.0 * beta * beta,
                                                               row.Rmax = 1e6 * beta;
            } else {
                return;
            }
            break;
        case Code(MeterType::QuadrantOrifice):
            if (IsStd(r, CalcStd::Miller3rd)) {
                pipe(1.0, 1.0, k750mm), range(0.24, 0.6);
            } else if (IsStd(r, CalcStd::IsoTr15377)) {
                pipe(k15mm, k15mm, k500mm), range(0.245, 0.6);
                row.Rmin = 9400000.0 * std::pow(beta - 0.24, 8) + 1000.0 * beta;
                row.Rmax = 100000.0 * beta;
                c.Pipe(row);
                c.BetaRange(row.beta_lo, row.beta_hi);
                if (D < 1.5) c.Warn(msg::kWarnFlangeTapsPipeBelow1_5Inches, D);
                c.Reynolds(row);
                return;
            } else {
                return;
            }
            break;
        case Code(MeterType::ConicOrifice): {
            if (IsStd(r, CalcStd::Miller3rd)) row.pipe_min = row.pipe_min_shown = 1.0;
            if (IsStd(r, CalcStd::IsoTr15377)) row.pipe_max = 20.0;
            range(0.1, 0.316);
            if (IsStd(r, CalcStd::Miller3rd)) {
                const bool band = r.C > 0.733 && r.C < 0.735;
                row.Rmin = band ? 250.0 * beta : 5000.0 * beta;
                row.Rmax = band ? 5000.0 * beta : 2000000.0 * beta;
            } else if (IsStd(r, CalcStd::IsoTr15377)) {
                row.Rmin = 80.0;
                row.Rmax = 200000.0 * beta;
            }
            break;
        }
        case Code(MeterType::IntegralOrifice): {
            const double Rmin = r.Meter_IFOAMfr == Code(IfoaMfr::SiebeFoxboro)
                                    ? 1500.0 / beta
                                    : 9.4 * std::pow(beta - 0.24, 8) + 1000.0 * beta;
            if (beta > 0.0 && Rmin > r.Rd) c.Warn(msg::kWarnBoreReynoldsBelowMeterMinimum, r.Rd, Rmin, r.Rd);
            return;
        }
        case Code(MeterType::SmallBoreOrifice):
            // Held against the nominal size: 1/2 in to 1-1/2 in meter runs.
            if (r.Pipe_NomDia < 0.472) c.Warn(msg::kWarnPipeBelowMinimum, r.Pipe_NomDia, 0.5);
            if (r.Pipe_NomDia > 1.575) c.Warn(msg::kWarnPipeAboveMaximum, r.Pipe_NomDia, 1.5);
            c.BetaRange(0.1, 0.8);
            row.Rmin = 1000.0;
            c.Reynolds(row);
            return;
        case Code(MeterType::VenturiNozzle):
            pipe(k65mm, k65mm, k500mm);
            c.Pipe(row);
            c.BetaRange(0.316, 0.775);
            if (r.Bore < k50mm) c.Warn(msg::kWarnBoreBelow50mm, r.Bore);
            // Tested on the pipe Reynolds number, reported as the bore Reynolds number.
            if (beta > 0.0 && 150000.0 > r.Rd)
                c.Warn(msg::kWarnBoreReynoldsBelowMinimum, r.Rd / beta, 150000.0, r.Rd / beta);
            if (beta > 0.0 && 2000000.0 < r.Rd)
                c.Warn(msg::kWarnBoreReynoldsAboveMaximum, r.Rd / beta, 2000000.0, r.Rd / beta);
            return;
        case Code(MeterType::AsmeLongRadiusNozzle):
            pipe(k50mm, k50mm, k630mm);
            c.Pipe(row);
            if (!(D > k630mm)) c.BetaRange(0.2, 0.8);
            row.Rmin = 10000.0;
            row.Rmax = 1e7;
            c.Reynolds(row);
            return;
        case Code(MeterType::AsmeThroatTapNozzle):
            pipe(k100mm, k100mm, k630mm);
            c.Pipe(row);
            c.BetaRange(0.4, 0.5);
            return;
        case Code(MeterType::IsaNozzle):
            pipe(k50mm, k50mm, k500mm), range(0.3, 0.8), row.Rmin = beta < 0.44 ? 70000.0 : 20000.0,
                                                         row.Rmax = 1e7;
            break;
        case Code(MeterType::VenturiMachined):
            pipe(k50mm, k50mm, k350mm), range(0.4, 0.75), row.Rmin = 200000.0;
            break;
        case Code(MeterType::VenturiRoughCast):
            pipe(k100mm, k100mm, k800mm), range(0.3, 0.75), row.Rmin = 200000.0, row.Rmax = 2000000.0;
            break;
        case Code(MeterType::VenturiWeldedSheet):
            pipe(k200mm, k200mm, k1200mm), range(0.4, 0.7), row.Rmin = 200000.0, row.Rmax = 2000000.0;
            break;
        case Code(MeterType::Uvt):
            pipe(3.0, 3.0, 0.0), range(0.2, 0.75), row.Rmin = 75000.0;
            break;
        case Code(MeterType::LoLoss):
            pipe(3.0, 3.0, 0.0), range(0.35, 0.85), row.Rmin = 125000.0, row.Rmax = 3500000.0;
            break;
        default:
            return;
    }
    c.Pipe(row);
    if (row.beta_hi > 0.0) c.BetaRange(row.beta_lo, row.beta_hi);
    c.Reynolds(row);
}

// A critical-drop device: the void test, then its beta and Reynolds number limits.
// Returns false when the calculation is voided.
bool CriticalDrop(LimitChecker& c, TagRecord& r, MessageSink& sink, bool interactive) {
    if (r.Beta > 0.9) {
        if (interactive) CError(sink).Show(msg::kErrCriticalDropBoreAbovePipe);
        // A voided calculation is not a result: it must be calculated again. Only the
        // sized values are cleared; a bore the user entered stays.
        r.Calc_Status = kStatusNotCalculated;
        if (r.Calc_SizeParam == Code(SizeParam::Bore)) {
            r.Beta = 0.0;
            r.Bore = 0.0;
        }
        return false;
    }
    const int32_t t = r.Meter_Type;
    if (t == Code(MeterType::CriticalCylindricalNozzle) || t == Code(MeterType::CriticalToroidalNozzle)) {
        if (r.Beta >= 0.25) c.Warn(msg::kWarnBetaAboveMaximum, r.Beta, 0.25, r.Beta);
        if (r.Rd < 10000.0)
            c.Warn(msg::kWarnPipeReynoldsBelowMinimum, r.Rd, 10000.0, r.Rd);
        else if (r.Rd > 2e7)
            c.Warn(msg::kWarnPipeReynoldsAboveMaximum, r.Rd, 2e7, r.Rd);
    } else if (t == Code(MeterType::CriticalSquareEdgedOrifice) ||
               t == Code(MeterType::CriticalThickOrifice)) {
        if (r.Beta >= 0.5) c.Warn(msg::kWarnBetaAboveMaximum, r.Beta, 0.5, r.Beta);
        if (r.Rd < 100000.0) c.Warn(msg::kWarnPipeReynoldsBelowMinimum, r.Rd, 100000.0, r.Rd);
    }
    return true;
}

Message SuppressQuestion() {
    Message m;
    m.kind = MessageKind::Warning;
    m.number = 0;
    m.caption = "PRINT NOTICE";
    m.text = "Do you want to suppress all warnings\nfor this calculation?";
    m.icon = MessageIcon::Question;
    m.buttons = MessageButtons::YesNo;
    m.default_answer = MessageAnswer::No;
    m.system_modal = true;
    return m;
}

}  // namespace

bool CheckLimits(TagRecord& r, MessageSink& sink, bool interactive) {
    LimitChecker c(r, sink, interactive);
    // 1. dP cell reference temperature: 68 deg F (ISO) or 60 deg F (AGA 3, API 2530).
    if (interactive) {
        const bool at68 = std::isfinite(r.DpRefTemp) && std::llround(r.DpRefTemp * 100.0) == 52767;
        const bool at60 = std::isfinite(r.DpRefTemp) && std::llround(r.DpRefTemp * 100.0) == 51967;
        if ((IsStd(r, CalcStd::Stolz) || IsStd(r, CalcStd::ReaderHarrisGallagher1998) ||
             IsStd(r, CalcStd::OrificePtc195)) &&
            !at68)
            c.Warn(msg::kWarnDpReferenceTemperature68F);
        if ((IsStd(r, CalcStd::ReaderHarris1992) || IsStd(r, CalcStd::Buckingham1985)) && !at60)
            c.Warn(msg::kWarnDpReferenceTemperature60F);
    }
    // 2. Drain or vent hole.
    if (r.Fdh > 1.02) c.Warn(msg::kWarnDrainHoleFactorAboveMaximum, r.Fdh);
    if (r.Bore < 1.0 && r.Fdh > 1.0) c.Warn(msg::kWarnBoreBelowOneInch, r.Fdh);

    if (r.Calc_Mode == Code(CalcMode::CriticalDrop)) {
        if (!CriticalDrop(c, r, sink, interactive)) return false;
    } else {
        const bool gas = r.Fluid_Equation == Code(FluidEquation::GasVolume) ||
                         r.Fluid_Equation == Code(FluidEquation::GasMass);
        if (gas && r.Flow_Press > 0.0 && r.Dp_Max / r.Flow_Press > 1.0) c.Warn(msg::kWarnDpOverPressureRatio);
        if (r.Meter_Type == Code(MeterType::ConcentricOrifice))
            ConcentricOrifice(c, r);
        else
            OtherMeter(c, r);
    }

    if (interactive && c.shown() > 0 && sink.Show(SuppressQuestion()) == MessageAnswer::Yes)
        r.Calc_Status = kStatusWarningsSuppressed;
    return true;
}

}  // namespace quorven
