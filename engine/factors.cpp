#include "engine/factors.h"

#include <array>
#include <cmath>
#include <iterator>

#include "record/choice_codes.h"
#include "record/constants.h"
#include "record/gas_law.h"

namespace quorven {
namespace {

bool IsFinite(double v) {
    return std::isfinite(v);
}

// Reference temperature of bores and pipe diameters: 68 deg F.
constexpr double kReferenceTemp_R = 527.67;

// Standard drain/vent hole sizes by bore range (fractions of an inch, 1/32 in steps).
constexpr DrainHole kDrainHoles[] = {
    {0.0, "No vent/drain hole selected"},
    {0.09375, "3/32 in. (2.38 mm) dia. for 1.000 - 3.500 in. (25.4 - 88.9 mm) bores"},
    {0.125, "1/8 in. (3.18 mm) dia. for 3.501 - 4.125 in. (88.93 - 104.78 mm) bores"},
    {0.15625, "5/32 in. (3.96 mm) dia. for 4.126 - 5.000 in. (104.80 - 127.00 mm) bores"},
    {0.1875, "3/16 in. (4.76 mm) dia. for 5.001 - 6.000 in. (127.03 - 152.4 mm mm) bores"},
    {0.21875, "7/32 in. (5.56 mm) dia. for 6.001 - 6.750 in. (152.43 - 171.45 mm) bores"},
    {0.25, "1/4 in. (6.35 mm) dia. for 6.751 - 7.500 in. (171.48 - 190.50 mm) bores"},
    {0.28125, "9/32 in. (7.14 mm) dia. for 7.501 - 8.375 in. (190.53 - 212.73 mm) bores"},
    {0.3125, "5/16 in. (7.94 mm) dia. for 8.376 - 9.250 in. (212.75 - 234.95 mm) bores"},
    {0.34375, "11/32 in. (8.73 mm) dia. for 9.251 - 10.000 in. (234.98 - 254.00 mm) bores"},
    {0.375, "3/8 in. (9.53 mm) dia. for 10.001 - 10.875 in. (254.03 - 276.23 mm) bores"},
    {0.40625, "13/32 in. (10.32 mm) dia. for 10.876 - 11.625 in. (276.25 - 295.28 mm) bores"},
    {0.4375, "7/16 in. (11.11 mm) dia. for 11.626 - 12.500 in. (295.30 - 317.50 mm) bores"},
    {0.46875, "15/32 in. (11.91 mm) dia. for 12.501 - 13.250 in. (317.53 - 336.55 mm) bores"},
    {0.5, "1/2 in. (12.70 mm) dia. for >13.251 in. (>336.58 mm) bores"},
};

// Linear thermal expansion coefficients, 1/deg F, of the element and pipe
// materials 1 to 40: fits of the mean coefficients from 70 deg F of ASME B31.3,
// Appendix C, and of handbook values, as constants or as polynomials P(t) / 10^6
// in t [deg F].
// kind Pair: constants below / at and above 70 deg F. kind Poly: a polynomial per
// column (degree up to 6). kind UpperPoly: the polynomial at and above 70 deg F,
// used in both columns.
enum class AlphaKind { Pair, Poly, UpperOnly };

struct AlphaRow {
    AlphaKind kind;
    double below;  // Pair: alpha below 70 deg F
    double above;  // Pair: alpha at and above 70 deg F
    std::array<double, 7> poly_below;
    std::array<double, 7> poly_above;
};

constexpr std::array<double, 7> kNone{};
constexpr std::array<double, 7> kChromeMolyBelow{5.929653, 0.002382829, -4.702038e-6, -9.94575e-9, 0, 0, 0};
constexpr std::array<double, 7> kChromeMolyAbove{5.877844,     0.002879414,   -2.211833e-6, 1.983241e-9,
                                                 1.440833e-12, -3.137156e-15, 1.153206e-18};

constexpr AlphaRow Pair(double below, double above) {
    return {AlphaKind::Pair, below, above, kNone, kNone};
}
constexpr AlphaRow Poly(std::array<double, 7> below, std::array<double, 7> above) {
    return {AlphaKind::Poly, 0, 0, below, above};
}
constexpr AlphaRow UpperOnly(std::array<double, 7> above) {
    return {AlphaKind::UpperOnly, 0, 0, kNone, above};
}
// Zero below 70 deg F (no data there), the polynomial at and above.
constexpr AlphaRow ZeroThenPoly(std::array<double, 7> above) {
    return {AlphaKind::Poly, 0, 0, kNone, above};
}

constexpr AlphaRow kAlpha[41] = {
    /* 0 unused */ Pair(0, 0),
    /* 1 < 5% chrome moly */ Poly(kChromeMolyBelow, kChromeMolyAbove),
    /* 2 300 series SS */
    Poly({9.017009, 0.00198278, -8.064688e-6, -1.832977e-8, 0, 0, 0},
         {8.962296, 0.002264937, -2.030544e-6, -5.219868e-10, 4.69946e-12, -4.221258e-15, 1.132526e-18}),
    /* 3 301 SS */ Pair(7.6e-6, 9.7e-6),
    /* 4 304/304L SS */ Pair(7.4e-6, 9.5e-6),
    /* 5 310/310S SS */ Pair(7.0e-6, 9.0e-6),
    /* 6 316/316L SS */ Pair(7.1e-6, 9.6e-6),
    /* 7 330 SS */ Pair(5.8e-6, 8.9e-6),
    /* 8 347/348 SS */ Pair(7.5e-6, 9.7e-6),
    /* 9 400+ SS */
    ZeroThenPoly(
        {5.056191, 0.002980063, -5.647216e-6, 1.087353e-8, -1.070291e-11, 4.927743e-15, -8.609866e-19}),
    /* 10 5%-9% chrome moly */
    Poly({5.568599, 0.00233958, -5.794838e-7, 1.369938e-9, 0, 0, 0},
         {5.466141, 0.004559891, -1.277971e-5, 2.573783e-8, -2.625178e-11, 1.300402e-14, -2.518909e-18}),
    /* 11 aluminum bronze */ Pair(9.2e-6, 9.2e-6),
    /* 12 beryllium copper 25 */ Pair(9.3e-6, 9.3e-6),
    /* 13 carbon steel */ Poly(kChromeMolyBelow, kChromeMolyAbove),
    /* 14 carpenter 20 */
    UpperOnly({8.14709, 0.001088461, -1.214376e-6, 4.300834e-9, -2.709424e-12, -9.873898e-16, 8.34474e-19}),
    /* 15 commercial bronze */ Pair(0, 1.02e-5),
    /* 16 copper */ Pair(9.3e-6, 9.3e-6),
    /* 17 cupronickel 30 */ Pair(8.5e-6, 8.5e-6),
    /* 18 hastelloy B */ UpperOnly({5.14, 0.0033969048, -2.946429e-6, 1.041667e-9, 0, 0, 0}),
    /* 19 hastelloy C */ UpperOnly({5.54, 0.003642857, -1.785714e-6, 1.089187e-24, 0, 0, 0}),
    /* 20 inconel 600 */
    UpperOnly({6.25125, 0.009920853, -4.672587e-5, 1.482029e-7, -2.657585e-10, 2.456525e-13, -9.027777e-17}),
    /* 21 inconel 625 */
    UpperOnly({6.634752, 0.003557491, -1.103761e-5, 2.510267e-8, -3.220023e-11, 2.106845e-14, -5.310521e-18}),
    /* 22 inconel 800 */
    UpperOnly({7.390333, 0.006645999, -1.14727e-5, 1.063687e-8, -5.013355e-12, 1.9707051e-15, -6.944445e-19}),
    /* 23 inconel X annealed */ Pair(6.7e-6, 6.7e-6),
    /* 24 K-monel */ Pair(7.4e-6, 7.4e-6),
    /* 25 monel 400 */ Pair(6.2e-6, 7.9e-6),
    /* 26 nickel */ Pair(8.3e-6, 8.3e-6),
    /* 27 nickel 200 */
    UpperOnly({6.56659, 0.002935833, 2.982077e-6, -1.28341e-8, 1.496552e-11, -7.275935e-15, 1.233529e-18}),
    /* 28 phosphor bronze */ Pair(0, 9.9e-6),
    /* 29 pyrex glass */ Pair(2e-7, 2e-7),
    /* 30 stellite */ Pair(7.6e-6, 7.6e-6),
    /* 31 tantalum */ Pair(3.6e-6, 3.6e-6),
    /* 32 teflon */ Pair(5.4e-6, 5.4e-6),
    /* 33 titanium */ Pair(4.7e-6, 4.7e-6),
    /* 34 yellow brass */ Pair(1.05e-5, 1.05e-5),
    /* 35 zirconium */ Pair(2.4e-6, 3.1e-6),
    /* 36 P-2 chrome moly */ Poly(kChromeMolyBelow, kChromeMolyAbove),
    /* 37 P-11 chrome moly */ Poly(kChromeMolyBelow, kChromeMolyAbove),
    /* 38 P-12 chrome moly */ Poly(kChromeMolyBelow, kChromeMolyAbove),
    /* 39 P-22 chrome moly */ Poly(kChromeMolyBelow, kChromeMolyAbove),
    /* 40 P-91 chrome moly, as 5%-9% chrome moly */
    Poly({5.568599, 0.00233958, -5.794838e-7, 1.369938e-9, 0, 0, 0},
         {5.466141, 0.004559891, -1.277971e-5, 2.573783e-8, -2.625178e-11, 1.300402e-14, -2.518909e-18}),
};

// Materials whose correlation has no lower column: when either material of the
// meter run is one of these, both use the column for 70 deg F and above.
constexpr int kUpperColumnMaterials[] = {14, 18, 19, 20, 21, 22, 27};

double Horner(const std::array<double, 7>& c, double t) {
    double v = 0.0;
    for (auto it = c.rbegin(); it != c.rend(); ++it) v = v * t + *it;
    return v;
}

bool ForcesUpperColumn(int m) {
    for (int u : kUpperColumnMaterials)
        if (u == m) return true;
    return false;
}

}  // namespace

double ManometerFactor(const TagRecord& r) {
    if (r.Factor_Manometer != 1) return 1.0;
    // Mercury manometer under a seal fluid: the reading is scaled by the density
    // difference of mercury and seal fluid and by local over standard gravity
    // (R. W. Miller, Flow Measurement Engineering Handbook, 3rd ed.). Mercury 846.324 lb/ft3 at 60 deg F;
    // volumetric expansion of mercury 1.01e-4 per deg F (1.81e-4 per deg C).
    constexpr double kRhoMercury60F = 846.324;
    constexpr double kMercuryExpansionPerF = 1.01e-4;
    constexpr double kStandardGravity = 32.17405;
    const double rho_s = r.Factor_ManoSealRho;
    const double Tm = r.Factor_ManoSealTemp;
    const double g = r.Factor_ManoGlocal;
    const double rho_hg = kRhoMercury60F * (1.0 - (Tm - 519.67) * kMercuryExpansionPerF);
    return std::sqrt((1.0 - rho_s / rho_hg) * (g / kStandardGravity));
}

double DrainHoleFactor(const TagRecord& r) {
    const double b = r.Beta * r.Fa_Meter;
    if (r.Factor_Drain != 1 || !(b > 0.0)) return 1.0;
    // Added flow area of a drain/vent hole in the plate, relative to the bore
    // (R. W. Miller, Flow Measurement Engineering Handbook, 3rd ed.).
    const double ratio = r.Factor_DrainDia / (r.Pipe_IDia * r.Fa_Pipe * b);
    return 1.0 + std::sqrt(1.0 - b * b * b * b) * ratio * ratio;
}

std::span<const DrainHole> DrainHoleList() {
    return kDrainHoles;
}

double DrainHoleDiameter(int position) {
    if (position < 0 || position >= static_cast<int>(std::size(kDrainHoles))) return 0.0;
    return kDrainHoles[position].diameter_in;
}

double WaterVapourPressure(const TagRecord& r, const SatPressureFn& psat, bool* computed) {
    if (computed) *computed = false;
    const int32_t mode = r.Factor_H2OvapSetup;
    double T_R = 0.0, fraction = 1.0;
    if (mode == Code(H2OvapSetup::FlowingTemp)) {
        T_R = r.Flow_Temp;
    } else if (mode == Code(H2OvapSetup::UserTemp)) {
        T_R = r.Factor_PwvEdit;
    } else if (mode == Code(H2OvapSetup::RelHumidity)) {
        T_R = r.Flow_Temp;
        fraction = r.Factor_PwvEdit / 100.0;
    } else {
        return r.Factor_Pwv;
    }
    if (!psat) return r.Factor_Pwv;
    const double pw = psat(T_R - kRankineOffset) * fraction;
    if (!IsFinite(pw)) return r.Factor_Pwv;
    if (computed) *computed = true;
    return pw;
}

double WaterVapourFactor(TagRecord& r, const SatPressureFn& psat) {
    bool computed = false;
    const double pw = WaterVapourPressure(r, psat, &computed);
    if (computed) r.Factor_Pwv = pw;
    // Dry-gas share of the flowing pressure: Fwv = 1 - pw / Pf (R. W. Miller,
    // Flow Measurement Engineering Handbook, 3rd ed., water vapour in a gas).
    if (pw > 0.0 && r.Flow_Press > 0.0 && r.Factor_H2OvapIncl == 1) return 1.0 - pw / r.Flow_Press;
    return 1.0;
}

double GasFlowingDensity(const TagRecord& r) {
    if (r.Fluid_Property == Code(FluidProperty::GasDensity)) return r.Flow_RhoGZ;
    const double MW = r.Fluid_Property == Code(FluidProperty::GasMW) ? r.Property_MwDenVp
                                                                     : kAirMolarMass * r.Property_MwDenVp;
    return GasDensity(r.Flow_Press, MW, r.Flow_RhoGZ, r.Flow_Temp);
}

double TwoPhaseFactor(const TagRecord& r) {
    if (r.Factor_VapQual == 1) {
        // Wet gas: Murdock's two-phase orifice correlation, 1.26 being his
        // liquid/gas multiplier (J. W. Murdock, J. Basic Eng. 84, 1962, 419-433).
        const double x = r.Factor_QualX / 100.0;
        const double rho_gas = GasFlowingDensity(r);
        return 1.0 / (1.26 * (1.0 - x) * std::sqrt(rho_gas / r.Factor_QualRho) + x);
    }
    if (r.Factor_SatLiq == 1) {
        if (r.Factor_QualX != 0.0) {
            // Flashing liquid: homogeneous mixture density, then the empirical
            // correction in the density ratio (R. W. Miller, Flow Measurement
            // Engineering Handbook, 3rd ed.).
            const double rho_l = r.Fluid_Property == Code(FluidProperty::LiquidSG)
                                     ? r.Flow_RhoGZ * 62.37359  // SG x water at 60 deg F
                                     : r.Flow_RhoGZ;
            const double rho_v = r.Factor_QualRho;
            const double x = r.Factor_QualX / 100.0;
            const double rho_m = rho_l / ((rho_l / rho_v - 1.0) * x + 1.0);
            const double ratio = rho_l / rho_m;
            return 0.94 + 0.2 * ratio - 0.01 * ratio * ratio;
        }
        // Bubble-point (saturated) liquid.
        return 0.968 + 0.112 * r.Beta;
    }
    return 1.0;
}

double ExpansionCoefficient(int material, double t_F, bool upper_column) {
    if (material < 1 || material > 40) return 0.0;
    const AlphaRow& row = kAlpha[material];
    switch (row.kind) {
        case AlphaKind::Pair:
            return upper_column ? row.above : row.below;
        case AlphaKind::Poly:
            return Horner(upper_column ? row.poly_above : row.poly_below, t_F) / 1e6;
        case AlphaKind::UpperOnly:
            return Horner(row.poly_above, t_F) / 1e6;
    }
    return 0.0;
}

double ThermalExpansionFactor(int material, double T_R, bool upper_column) {
    const double d = T_R - kReferenceTemp_R;
    if (material >= 1 && material <= 40)
        return 1.0 + ExpansionCoefficient(material, T_R - kRankineOffset, upper_column) * d;
    switch (material) {
        case 41:  // 17-4 PH stainless: mean coefficient linear in the temperature rise
            return 1.0 + d * (6.0 - 2.5e-4 * d + 1.25e-6 * d * d) / 1e6;
        case 42: {  // duplex 2205/2507 stainless, two ranges split at 392 deg F
            const double s =
                T_R < 851.67 ? 2.504972254 + 0.046837092 * d - 1.55789e-4 * d * d + 1.7604e-7 * d * d * d
                             : 3.810000699 + 0.019752316 * d - 3.73927e-5 * d * d + 3.27302e-8 * d * d * d -
                                   1.0684e-11 * std::pow(d, 4) + 8.02166e-32 * std::pow(d, 5);
            return 1.0 + s * d / 1e6;
        }
        case 43:
            return 1.0 + 2.8e-5 * d;  // PVC
        case 44:
            return 1.0 + 3.7e-5 * d;  // CPVC
        default:
            return 0.0;
    }
}

void ThermalExpansion(TagRecord& r, MessageSink& sink) {
    const double t_F = r.Flow_Temp - kRankineOffset;
    const bool upper = t_F >= 70.0 || ForcesUpperColumn(r.Matl_Elem) || ForcesUpperColumn(r.Matl_Pipe);
    const double fa_meter = ThermalExpansionFactor(r.Matl_Elem, r.Flow_Temp, upper);
    const double fa_pipe = ThermalExpansionFactor(r.Matl_Pipe, r.Flow_Temp, upper);
    CWarning warning(sink);
    if (fa_meter > 0.0 && IsFinite(fa_meter)) {
        r.Fa_Meter = fa_meter;
    } else {
        r.Fa_Meter = 1.0;
        warning.Show(msg::kWarnElementExpansionLimits);
    }
    if (fa_pipe > 0.0 && IsFinite(fa_pipe)) {
        r.Fa_Pipe = fa_pipe;
    } else {
        r.Fa_Pipe = 1.0;
        warning.Show(msg::kWarnPipeExpansionLimits);
    }
}

double WaterDensity(double T_R) {
    const double t = (T_R - kRankineOffset - 32.0) * 5.0 / 9.0;
    const double rho_kg_m3 = 999.8395639 + 0.06798299989 * t - 0.009106025564 * t * t +
                             0.0001005272999 * t * t * t - 1.126713526e-6 * t * t * t * t +
                             6.591795606e-9 * t * t * t * t * t;
    constexpr double kKgM3PerLbFt3 = 16.018463;
    return rho_kg_m3 / kKgM3PerLbFt3;
}

double DpReferenceFactor(double DpRefTemp_R) {
    return WaterDensity(DpRefTemp_R) / WaterDensity(kReferenceTemp_R);
}

}  // namespace quorven
