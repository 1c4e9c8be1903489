// The warning notes of the calculation sheet: what the sheet tells the reader to
// take up with the manufacturer. They repeat, in the sheet's own words, the checks
// of the sized result against the meter type's recommended ranges.

#include <cmath>
#include <string>
#include <vector>

#include "engine/flow_equation.h"
#include "engine/velocity.h"
#include "messages/messages.h"
#include "record/cformat.h"
#include "record/choice_codes.h"
#include "record/constants.h"
#include "record/formats.h"
#include "record/units.h"
#include "reports/print_calc.h"
#include "reports/sheet_values.h"

namespace quorven {
namespace {

// The flashing and cavitation warnings of the Calculate command.
constexpr int kWarningCavitatingAtMaximum = 30;
constexpr int kWarningFlashingAtMaximum = 31;
constexpr int kWarningCavitatingAtNormal = 32;
constexpr int kWarningFlashingAtNormal = 33;

// Metric limits in inches (25.4 mm exactly).
constexpr double k50mm = 1.968503937;
constexpr double k65mm = 2.559055118;
constexpr double k100mm = 3.937007874;
constexpr double k200mm = 7.874015748;
constexpr double k350mm = 13.779527559;
constexpr double k500mm = 19.68503937;
constexpr double k630mm = 24.80314961;
constexpr double k800mm = 31.496062992;
constexpr double k1000mm = 39.37007874;
constexpr double k1200mm = 47.244094488;
constexpr double k12_5mm = 0.4921259842519685;

class Notes {
public:
    // A numbered note: `format` starts with "%1d", the note's number; `args` fill
    // the rest of it.
    void Add(std::string_view format, std::initializer_list<FormatArg> args = {}) {
        constexpr std::string_view kNumber = "%1d";
        std::string text = CFormat(kNumber, {static_cast<long long>(++number_)});
        text += CFormat(format.substr(kNumber.size()), args);
        texts_.push_back(std::move(text));
    }
    // A note without a number in its text; it still uses one up.
    void AddUnnumbered(std::string text) {
        ++number_;
        texts_.push_back(std::move(text));
    }
    std::vector<std::string> Take() { return std::move(texts_); }

private:
    int number_ = 0;
    std::vector<std::string> texts_;
};

// One meter type's recommended ranges: a limit of 0 is not tested; `shown` values
// are what the note prints where it differs from the limit tested.
struct Ranges {
    double d_min = 0, d_min_shown = 0;
    double d_max = 0, d_max_shown = 0;
    double beta_lo = 0, beta_hi = 0, beta_lo_shown = 0, beta_hi_shown = 0;
    bool nominal = false;  // the pipe limits test the nominal size
};

void MinBoreReynolds(Notes& n, double limit) {
    n.Add("%1d. Minimum %4s Reynolds number recommended for meter type is %.0f.", {"bore", limit});
}
void MaxBoreReynolds(Notes& n, double limit) {
    n.Add("%1d. Maximum %4s Reynolds number recommended for meter type is %.0f.", {"bore", limit});
}
void MinPipeReynolds(Notes& n, double limit) {
    n.Add("%1d. Minimum %4s Reynolds number recommended for meter type is %.0f.", {"pipe", limit});
}
void MaxPipeReynolds(Notes& n, double limit) {
    n.Add("%1d. Maximum %4s Reynolds number recommended for meter type is %.0f.", {"pipe", limit});
}
void MaxBeta(Notes& n, double limit) {
    n.Add("%1d Recommended max beta for meter type is %4.2f.", {limit});
}

void RangeNotes(Notes& n, const TagRecord& r, const Ranges& g) {
    const double D = g.nominal ? r.Pipe_NomDia : r.Pipe_IDia;
    if (g.d_min > 0 && D < g.d_min)
        n.Add("%1d. Recommended minimum pipe I.D. is %.3f %s for meter type.",
              {g.d_min_shown > 0 ? g.d_min_shown : g.d_min, "in."});
    if (g.d_max > 0 && D > g.d_max)
        n.Add("%1d. Recommended maximum pipe I.D. is %.3f %s for meter type.",
              {g.d_max_shown > 0 ? g.d_max_shown : g.d_max, "in."});
    if (g.beta_hi > 0 && (r.Beta < g.beta_lo || r.Beta > g.beta_hi))
        n.Add("%1d. Recommended beta range is %3.2f <= beta <= %3.2f.",
              {g.beta_lo_shown > 0 ? g.beta_lo_shown : g.beta_lo,
               g.beta_hi_shown > 0 ? g.beta_hi_shown : g.beta_hi});
}

Ranges Make(double d_min, double d_max, double beta_lo, double beta_hi) {
    Ranges g;
    g.d_min = d_min;
    g.d_max = d_max;
    g.beta_lo = beta_lo;
    g.beta_hi = beta_hi;
    return g;
}

// The limit notes of flow meter sizing, in the order minimum D, maximum D, beta
// range, further notes.
void MeterTypeNotes(Notes& n, const TagRecord& r) {
    const int32_t std_ = r.Calc_Std;
    const bool miller = std_ == Code(CalcStd::Miller3rd);
    const bool tr15377 = std_ == Code(CalcStd::IsoTr15377);
    auto bore_note = [&] {
        if (r.Bore < k12_5mm)
            n.Add("%1d. Orifice bore diameter is < 12.5mm or 0.492 in. Increass flow or decrease dP.");
    };
    switch (r.Meter_Type) {
        case Code(MeterType::ConcentricOrifice): {
            Ranges g;
            if (r.Tap_Style == 1) {
                g = Make(k50mm, k1000mm, 0.1, 0.75);
            } else if (r.Tap_Style == 2 || r.Tap_Style == 3) {
                g = Make(k50mm, k1000mm, 0.1, 0.75);
                g.d_max_shown = 36.0;
            } else if (r.Tap_Style == 4) {
                g = Make(2.0, 36.0, 0.2, 0.7);
            } else {
                return;
            }
            RangeNotes(n, r, g);
            bore_note();
            return;
        }
        case Code(MeterType::SegmentalOrifice):
            RangeNotes(n, r, Make(4.0, 14.0, 0.35, 0.75));
            return;
        case Code(MeterType::EccentricOrifice):
            if (miller)
                RangeNotes(n, r, Make(r.Tap_Style == 1 || r.Tap_Style == 2 ? 4.0 : 6.0, 14.0, 0.3, 0.75));
            if (tr15377) RangeNotes(n, r, Make(4.0, 40.0, 0.46, 0.84));
            return;
        case Code(MeterType::QuadrantOrifice):
            if (miller) {
                Ranges g = Make(1.0, 30.0, 0.24, 0.6);
                g.d_min_shown = 4.0;
                g.d_max_shown = 14.0;
                RangeNotes(n, r, g);
            }
            if (tr15377) {
                Ranges g = Make(0.5, 20.0, 0.245, 0.6);
                g.beta_lo_shown = 0.24;
                RangeNotes(n, r, g);
                if (r.Pipe_IDia < 1.5)
                    n.Add(
                        "%1d. Flange taps with quadrant profiles are valid for line sizes of 1.5 in (40 mm) "
                        "or "
                        "greater! Use corner taps instead.");
            }
            return;
        case Code(MeterType::ConicOrifice):
            if (miller) RangeNotes(n, r, Make(1.0, 0.0, 0.1, 0.316));
            if (tr15377) RangeNotes(n, r, Make(0.5, 20.0, 0.1, 0.316));
            return;
        case Code(MeterType::SmallBoreOrifice): {
            Ranges g = Make(0.5, 1.5, 0.1, 0.8);
            g.nominal = true;
            RangeNotes(n, r, g);
            return;
        }
        case Code(MeterType::IntegralOrifice): {
            Ranges g = Make(0.5, 1.5, 0.0, 0.0);
            g.nominal = true;
            RangeNotes(n, r, g);
            if (r.Meter_IFOAMfr == Code(IfoaMfr::SiebeFoxboro) && r.Beta > 0.0 && r.Rd < 1500.0 / r.Beta)
                MinBoreReynolds(n, 1500.0 / r.Beta);
            return;
        }
        case Code(MeterType::AsmeLongRadiusNozzle):
            RangeNotes(n, r, Make(k50mm, k630mm, 0.2, 0.8));
            return;
        case Code(MeterType::AsmeThroatTapNozzle):
            RangeNotes(n, r, Make(k100mm, k630mm, 0.4, 0.5));
            if (r.Rd < 800000.0) MinBoreReynolds(n, 800000.0);
            if (r.Rd > 20000000.0) MaxBoreReynolds(n, 20000000.0);
            return;
        case Code(MeterType::IsaNozzle):
            RangeNotes(n, r, Make(k50mm, k500mm, 0.3, 0.8));
            return;
        case Code(MeterType::VenturiNozzle): {
            Ranges g = Make(k65mm, k500mm, 0.316, 0.775);
            g.beta_lo_shown = 0.30;
            g.beta_hi_shown = 0.75;
            RangeNotes(n, r, g);
            if (r.Bore < k50mm)
                n.Add("%1d. Recommended bore is %3.4f < 1.9685 in, recommended minimum bore diameter.",
                      {r.Bore});
            return;
        }
        case Code(MeterType::VenturiMachined):
            RangeNotes(n, r, Make(k50mm, k350mm, 0.4, 0.75));
            if (r.Rd < 200000.0) MinPipeReynolds(n, 200000.0);
            return;
        case Code(MeterType::VenturiRoughCast): {
            Ranges g = Make(k100mm, k800mm, 0.3, 0.75);
            g.d_min_shown = 4.0;
            g.d_max_shown = 32.0;
            RangeNotes(n, r, g);
            if (r.Rd < 200000.0) MinPipeReynolds(n, 200000.0);
            if (r.Rd > 2000000.0) MaxPipeReynolds(n, 2000000.0);
            return;
        }
        case Code(MeterType::VenturiWeldedSheet):
            RangeNotes(n, r, Make(k200mm, k1200mm, 0.4, 0.7));
            if (r.Rd < 200000.0) MinPipeReynolds(n, 200000.0);
            if (r.Rd > 2000000.0) MaxPipeReynolds(n, 2000000.0);
            return;
        case Code(MeterType::Uvt):
            RangeNotes(n, r, Make(3.0, 0.0, 0.2, 0.75));
            return;
        case Code(MeterType::LoLoss): {
            Ranges g = Make(3.0, 0.0, 0.35, 0.85);
            g.beta_hi_shown = 0.75;
            RangeNotes(n, r, g);
            return;
        }
        default:
            return;
    }
}

// The liquid flashing and cavitation check of the Calculate command, repeated on a
// copy of the record: the sheet tells what the engine finds for the stored values.
void FlashingNotes(Notes& n, const TagRecord& r) {
    TagRecord copy = r;
    NullMessageSink quiet;
    for (int warning : CheckFlashing(copy, quiet)) {
        switch (warning) {
            case kWarningCavitatingAtMaximum:
                n.Add("%1d. Cavitating at Maximum Conditions!");
                break;
            case kWarningFlashingAtMaximum:
                n.Add("%1d. Flashing at Maximum Conditions!");
                break;
            case kWarningCavitatingAtNormal:
                n.Add("%1d. Cavitating at Normal Conditions!");
                break;
            case kWarningFlashingAtNormal:
                n.Add("%1d. Flashing at Normal Conditions!");
                break;
            default:
                break;
        }
    }
}

bool IsLiquidFlow(const TagRecord& r) {
    return r.Fluid_Equation == Code(FluidEquation::LiquidVolume) ||
           r.Fluid_Equation == Code(FluidEquation::LiquidMass);
}

bool IsGasEquation(const TagRecord& r) {
    return r.Fluid_Equation == Code(FluidEquation::GasVolume) ||
           r.Fluid_Equation == Code(FluidEquation::GasMass);
}

}  // namespace

std::vector<std::string> CalcSheetNotes(const TagRecord& r, const UnitTables& units) {
    Notes n;
    if (r.Calc_Status == kStatusNotCalculated) {
        n.Add("%1d. Sizing parameter has not been calculated. Calculation void!");
        return n.Take();
    }
    const std::string one_inch = Num("%.1f", ToUser(r, Quantity::Bore, 1.0));
    const std::string bore_unit = UnitNameOf(r, units, Quantity::Bore);
    const bool vent_holes = r.Fdh > 1.0 && r.Bore < 1.0;

    if (r.Calc_Mode == Code(CalcMode::Meter)) {
        if (CriticalPressureOf(r, nullptr) > r.Flow_Press - r.Dp_Norm / kInH2OPerPsi)
            n.Add(
                "%1d. Calculation indeterminate due to sonic conditions for given  flow and pressure "
                "conditions. "
                "Calculation not valid.");
        if (r.Fdh > 1.02) n.Add("%1d. Exceeded maximum vent/drain hole factor of 1.02.");
        const double ref = RoundTo(r.DpRefTemp, 2);
        const int32_t s = r.Calc_Std;
        if ((s == Code(CalcStd::Stolz) || s == Code(CalcStd::ReaderHarrisGallagher1998) ||
             s == Code(CalcStd::OrificePtc195)) &&
            ref != 527.67)
            n.AddUnnumbered(
                "The dP reference temperature for the selected discharge coefficient standard should be "
                "68\xB0"
                "F.");
        if ((s == Code(CalcStd::ReaderHarris1992) || s == Code(CalcStd::Buckingham1985)) && ref != 519.67)
            n.AddUnnumbered(
                "The dP reference temperature for the selected discharge coefficient standard should be "
                "60\xB0"
                "F.");
        if (vent_holes)
            n.Add("%1d. Vent/drain holes not recommended for bores < %s %s!", {one_inch, bore_unit});
        if (IsGasEquation(r) && r.Flow_Press > 0.0 && r.Dp_Max / r.Flow_Press > 1.0)
            n.Add("%1d. Exceeded standard ratio limit of dP (in. wc)/P1 (psia) <= 1.0.");
        MeterTypeNotes(n, r);
        if (IsLiquidFlow(r)) FlashingNotes(n, r);
    } else if (r.Calc_Mode == Code(CalcMode::CriticalDrop)) {
        if (r.Fdh > 1.02) n.Add("%1d. Exceeded maximum vent/drain hole factor of 1.02.");
        if (vent_holes)
            n.Add("%1d. Vent/drain holes not recommended for bores < %s %s.", {one_inch, bore_unit});
        const int32_t t = r.Meter_Type;
        auto nozzle = [&](double rd_min, double rd_max) {
            if (r.Beta >= 0.25) MaxBeta(n, 0.25);
            if (r.Rd < rd_min)
                MinBoreReynolds(n, rd_min);
            else if (r.Rd > rd_max)
                MaxBoreReynolds(n, rd_max);
        };
        if (t == Code(MeterType::CriticalCylindricalNozzle)) nozzle(10000.0, 20000000.0);
        if (t == Code(MeterType::CriticalToroidalNozzle)) nozzle(100000.0, 10000000.0);
        if (t == Code(MeterType::CriticalSquareEdgedOrifice) || t == Code(MeterType::CriticalThickOrifice)) {
            if (r.Beta >= 0.5) MaxBeta(n, 0.5);
            if (r.Rd < 100000.0) MinBoreReynolds(n, 100000.0);
        }
    } else if (r.Calc_Mode == Code(CalcMode::Restriction)) {
        if (r.Flow_Press - r.Dp_Max / kInH2OPerPsi < 0.0)
            n.Add("%1d. Downstream pressure is less than absolute 0 vacuum. Calculation is invalid.");
        const double P2 = r.Flow_Press - r.Dp_Norm / kInH2OPerPsi;
        const double pc = CriticalPressureOf(r, nullptr);
        if (pc > P2 && P2 > 0.0) n.Add("%1d. Sonic flow conditions exists. Use critical drop equations.");
        if (IsLiquidFlow(r)) FlashingNotes(n, r);
    }
    return n.Take();
}

}  // namespace quorven
