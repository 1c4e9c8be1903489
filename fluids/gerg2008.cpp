// GERG-2008 (Kunz and Wagner, J. Chem. Eng. Data 57 (2012) 3032-3091, section 4 and the
// appendix): the reduced Helmholtz energy of a mixture
//   alpha(delta, tau, x) = sum x_i [alpha0_oi(rho, T) + ln x_i] + sum x_i alpha_r_oi(delta, tau)
//                          + sum(i < j) x_i x_j F_ij alpha_r_ij(delta, tau),
// delta = rho / rho_r(x), tau = T_r(x) / T, with the reducing functions
//   1/rho_r = sum_i sum_j x_i x_j beta_v,ij gamma_v,ij (x_i + x_j)/(beta_v,ij^2 x_i + x_j)
//             (rho_c,i^-1/3 + rho_c,j^-1/3)^3 / 8,
//   T_r     = sum_i sum_j x_i x_j beta_T,ij gamma_T,ij (x_i + x_j)/(beta_T,ij^2 x_i + x_j)
//             (T_c,i T_c,j)^0.5,
// and the properties from it: Z = 1 + delta ar_delta, p = rho R T Z,
//   cv = -R tau^2 (a0_tautau + ar_tautau),
//   cp = cv + R (1 + delta ar_delta - delta tau ar_deltatau)^2 / (1 + 2 delta ar_delta + delta^2
//   ar_deltadelta), w^2 = (cp / cv) (dp/drho)_T / M,  kappa = rho w^2 / p.
//
// For speed (the program evaluates one gas at many states) the terms are prepared once per
// composition: each term's coefficient carries its mole fraction (or x_i x_j F_ij), terms of
// absent components and pairs are left out, and terms of equal shape are merged. Per
// temperature each term's tau^t is taken from one power of tau^(1/40) (every exponent t of
// GERG-2008 is a multiple of 0.025), and the terms of one shape in delta are summed, so a
// density iteration step costs a handful of exponentials.

#include "fluids/gerg2008.h"

#include <cmath>
#include <limits>
#include <tuple>

#include "fluids/gerg2008_tables.h"

namespace quorven {

namespace gerg2008 {
namespace {

namespace tb = tables;

// GERG-2008 component (AGA 8 Part 2 order, 0-based) of each AGA Report No. 8 (1994) number.
constexpr int kGergIndexOfAga[kComponentCount] = {
    0,   // 1 methane
    1,   // 2 nitrogen
    2,   // 3 carbon dioxide
    3,   // 4 ethane
    4,   // 5 propane
    17,  // 6 water
    18,  // 7 hydrogen sulfide
    14,  // 8 hydrogen
    16,  // 9 carbon monoxide
    15,  // 10 oxygen
    5,   // 11 isobutane
    6,   // 12 n-butane
    7,   // 13 isopentane
    8,   // 14 n-pentane
    9,   // 15 n-hexane
    10,  // 16 n-heptane
    11,  // 17 n-octane
    12,  // 18 n-nonane
    13,  // 19 n-decane
    19,  // 20 helium
    20,  // 21 argon
};

// tau^t = tau^(m/40) for m = 40 t: from tau^(k/40), k = 0..39, and integer powers of tau.
constexpr int kT40 = 40;
constexpr int kTauPowMin = -1, kTauPowMax = 30;  // t runs from -1 (methane-hydrogen) to 30

constexpr int T40(double t) {
    return static_cast<int>(t * kT40 + (t < 0 ? -0.5 : 0.5));
}
static_assert(T40(0.125) == 5 && T40(0.05) == 2 && T40(-1) == -40 && T40(30) == 1200);

}  // namespace

double MolarMass(int aga_number) {
    if (aga_number < 1 || aga_number > kComponentCount) return 0.0;
    return tb::CriticalParameters()[kGergIndexOfAga[aga_number - 1]].M;
}

}  // namespace gerg2008

using namespace gerg2008;

bool CGerg2008::SetComposition(std::span<const double, kComponentCount> amounts) {
    double sum = 0.0;
    for (double a : amounts) {
        if (!(a >= 0.0) || !std::isfinite(a)) return false;
        sum += a;
    }
    if (!(sum > 0.0) || !std::isfinite(sum)) return false;
    x_.fill(0.0);
    for (int k = 0; k < kComponentCount; ++k) x_[kGergIndexOfAga[k]] = amounts[k] / sum;

    const auto crit = tables::CriticalParameters();
    mw_ = 0.0;
    for (int i = 0; i < kComponentCount; ++i) mw_ += x_[i] * crit[i].M;

    // Reducing functions; pairs not in the table have beta = gamma = 1.
    double bv[kComponentCount][kComponentCount], gv[kComponentCount][kComponentCount];
    double bt[kComponentCount][kComponentCount], gt[kComponentCount][kComponentCount];
    for (int i = 0; i < kComponentCount; ++i)
        for (int j = 0; j < kComponentCount; ++j) bv[i][j] = gv[i][j] = bt[i][j] = gt[i][j] = 1.0;
    for (const tables::Binary& b : tables::BinaryParameters()) {
        bv[b.i - 1][b.j - 1] = b.bv;
        gv[b.i - 1][b.j - 1] = b.gv;
        bt[b.i - 1][b.j - 1] = b.bt;
        gt[b.i - 1][b.j - 1] = b.gt;
    }
    double T = 0.0, V = 0.0;
    for (int i = 0; i < kComponentCount; ++i) {
        if (x_[i] <= 0.0) continue;
        T += x_[i] * x_[i] * crit[i].Tc;
        V += x_[i] * x_[i] / crit[i].Dc;
        for (int j = i + 1; j < kComponentCount; ++j) {
            if (x_[j] <= 0.0) continue;
            const double xij = 2.0 * x_[i] * x_[j] * (x_[i] + x_[j]);
            const double vc = std::cbrt(1.0 / crit[i].Dc) + std::cbrt(1.0 / crit[j].Dc);
            V += xij * bv[i][j] * gv[i][j] / (bv[i][j] * bv[i][j] * x_[i] + x_[j]) * vc * vc * vc / 8.0;
            T += xij * bt[i][j] * gt[i][j] / (bt[i][j] * bt[i][j] * x_[i] + x_[j]) *
                 std::sqrt(crit[i].Tc * crit[j].Tc);
        }
    }
    tr_ = T;
    dr_ = 1.0 / V;
    double vcx = 0.0;
    for (int i = 0; i < kComponentCount; ++i) vcx += x_[i] / crit[i].Dc;
    dcx_ = 1.0 / vcx;

    terms_.clear();
    groups_.clear();
    gaussians_.clear();
    c_mask_ = 0;
    for (int i = 0; i < kComponentCount; ++i) {
        if (x_[i] <= 0.0) continue;
        for (const tables::PureTerm& p : tables::PureTerms(i + 1))
            AddTerm(x_[i] * p.n, p.d, p.t, p.c, false, 0, 0, 0, 0);
    }
    for (const tables::Departure& dep : tables::Departures()) {
        const double w = x_[dep.i - 1] * x_[dep.j - 1] * dep.F;
        if (w == 0.0) continue;
        for (const tables::DepartureTerm& d : dep.terms)
            AddTerm(w * d.n, d.d, d.t, 0, d.gauss, d.eta, d.eps, d.beta, d.gamma);
    }
    if (gaussians_.size() > kMaxGaussians) return false;  // not with the published tables (9)
    taut_.assign(terms_.size(), 0.0);
    t_ = -1.0;
    composition_set_ = true;
    return true;
}

void CGerg2008::AddTerm(double coef, int d, double t, int c, bool gauss, double eta, double eps, double beta,
                        double gam) {
    const int t40 = T40(t);
    const auto same_shape = [&](const auto& s) {
        return s.d == d && s.c == c && s.gauss == gauss && s.eta == eta && s.eps == eps && s.beta == beta &&
               s.gam == gam;
    };
    for (Term& k : terms_) {
        if (k.t40 == t40 && same_shape(k)) {
            k.coef += coef;
            return;
        }
    }
    int group = 0;
    while (group < static_cast<int>(groups_.size()) && !same_shape(groups_[group])) ++group;
    if (group == static_cast<int>(groups_.size())) {
        int gi = -1;
        if (gauss) {
            gi = 0;
            const auto same_gauss = [&](const Gaussian& g) {
                return g.eta == eta && g.eps == eps && g.beta == beta && g.gam == gam;
            };
            while (gi < static_cast<int>(gaussians_.size()) && !same_gauss(gaussians_[gi])) ++gi;
            if (gi == static_cast<int>(gaussians_.size())) gaussians_.push_back({eta, eps, beta, gam});
        }
        groups_.push_back({d, c, gauss, eta, eps, beta, gam, gi, 0.0});
        c_mask_ |= 1u << c;
    }
    terms_.push_back({coef, d, t40, c, gauss, eta, eps, beta, gam, group});
}

void CGerg2008::TemperatureTerms(double T_K) {
    if (T_K == t_) return;
    const double tau = tr_ / T_K;
    double frac[kT40];  // tau^(k/40)
    frac[0] = 1.0;
    frac[1] = std::pow(tau, 1.0 / kT40);
    for (int k = 2; k < kT40; ++k) frac[k] = frac[k - 1] * frac[1];
    double whole[kTauPowMax - kTauPowMin + 1];  // tau^q
    whole[-kTauPowMin] = 1.0;
    for (int q = 1; q <= kTauPowMax; ++q) whole[q - kTauPowMin] = whole[q - 1 - kTauPowMin] * tau;
    for (int q = -1; q >= kTauPowMin; --q) whole[q - kTauPowMin] = whole[q + 1 - kTauPowMin] / tau;
    for (Group& g : groups_) g.sum = 0.0;
    for (std::size_t k = 0; k < terms_.size(); ++k) {
        const int m = terms_[k].t40;
        const int q = m >= 0 ? m / kT40 : -((-m + kT40 - 1) / kT40);  // floor(m / 40)
        taut_[k] = frac[m - q * kT40] * whole[q - kTauPowMin];
        groups_[terms_[k].group].sum += terms_[k].coef * taut_[k];
    }
    t_ = T_K;
}

namespace {

// delta^d times the exponential of a term shape, and the factors g1, g2 with
// delta df/ddelta = g1 f and delta^2 d2f/ddelta2 = g2 f.
struct Shape {
    double f, g1, g2;
};

struct DeltaPowers {
    double p[11];  // delta^0 .. delta^10
    double e[7];   // exp(-delta^c), c = 1..6, for the c in c_mask
    DeltaPowers(double delta, unsigned c_mask) {
        p[0] = 1.0;
        for (int k = 1; k <= 10; ++k) p[k] = p[k - 1] * delta;
        for (int c = 0; c <= 6; ++c) e[c] = (c_mask >> c) & 1u ? std::exp(-p[c]) : 0.0;
    }
};

// The Gaussian exponential exp(-eta (delta - eps)^2 - beta (delta - gam)).
template <typename S>
double GaussOf(const S& s, double delta) {
    return std::exp(-s.eta * (delta - s.eps) * (delta - s.eps) - s.beta * (delta - s.gam));
}

// `gauss` is the term's Gaussian exponential when it has one.
template <typename S>
Shape ShapeOf(const S& s, double delta, const DeltaPowers& dp, double gauss) {
    const double d = s.d;
    if (s.gauss) {
        const double g1 = d - 2.0 * s.eta * delta * (delta - s.eps) - s.beta * delta;
        return {dp.p[s.d] * gauss, g1, g1 * g1 - d - 2.0 * s.eta * delta * delta};
    }
    if (s.c == 0) return {dp.p[s.d], d, d * (d - 1.0)};
    // f = delta^d exp(-delta^c)
    const double cdc = s.c * dp.p[s.c];
    const double g1 = d - cdc;
    return {dp.p[s.d] * dp.e[s.c], g1, g1 * (g1 - 1.0) - s.c * cdc};
}

}  // namespace

CGerg2008::DeltaSums CGerg2008::ResidualDelta(double delta) const {
    const DeltaPowers dp(delta, c_mask_);
    double ge[kMaxGaussians];
    for (std::size_t k = 0; k < gaussians_.size(); ++k) ge[k] = GaussOf(gaussians_[k], delta);
    DeltaSums s{0.0, 0.0};
    for (const Group& g : groups_) {
        const Shape sh = ShapeOf(g, delta, dp, g.gauss ? ge[g.gi] : 0.0);
        s.a1 += g.sum * sh.f * sh.g1;
        s.a2 += g.sum * sh.f * sh.g2;
    }
    return s;
}

double CGerg2008::Z(double D, double T_K) {
    if (!composition_set_) return std::numeric_limits<double>::quiet_NaN();
    TemperatureTerms(T_K);
    return 1.0 + ResidualDelta(D / dr_).a1;
}

double CGerg2008::Pressure(double D, double T_K) {
    return D * kR * T_K * Z(D, T_K) / 1000.0;  // J/dm3 = kPa
}

std::optional<double> CGerg2008::DensityFrom(double P_MPa, double T_K, double D, bool from_dense) const {
    const double RT = kR * T_K / 1000.0;  // MPa dm3/mol
    const double lnP = std::log(P_MPa);
    double lo = 0.0, hi = std::numeric_limits<double>::infinity();
    constexpr int kMaxRounds = 100;
    for (int round = 0; round < kMaxRounds; ++round) {
        const DeltaSums s = ResidualDelta(D / dr_);
        const double Z = 1.0 + s.a1, slope = 1.0 + 2.0 * s.a1 + s.a2;  // slope = (dP/dD)_T / RT
        const double P = D * RT * Z;
        if (!std::isfinite(P) || !std::isfinite(slope)) return std::nullopt;
        double next = std::numeric_limits<double>::quiet_NaN();
        if (slope > 0.0 && P > 0.0) {
            (P < P_MPa ? lo : hi) = D;
            // Newton step in ln D on ln P: d ln P / d ln D = slope / Z.
            const double r = lnP - std::log(P);
            next = D * std::exp(r * Z / slope);
            if (std::abs(r) < 1e-12) return next;
        } else {
            // Inside the two-phase loop: the root lies on this side of it.
            (from_dense ? lo : hi) = D;
        }
        if (!(next > lo && next < hi))
            next = std::isfinite(hi) ? (lo > 0.0 ? std::sqrt(lo * hi) : 0.5 * hi) : 2.0 * D;
        if (std::isfinite(hi) && hi - lo <= 1e-14 * hi) return std::nullopt;  // closed in on a branch end
        D = next;
    }
    return std::nullopt;
}

std::optional<double> CGerg2008::Density(double P_MPa, double T_K) {
    if (!composition_set_ || !(P_MPa > 0.0 && std::isfinite(P_MPa) && T_K > 0.0 && std::isfinite(T_K)))
        return std::nullopt;
    TemperatureTerms(T_K);
    if (const auto D = DensityFrom(P_MPa, T_K, P_MPa * 1000.0 / (kR * T_K), false)) return D;
    // No gas root: the liquid side, from three times the mole-fraction average of the
    // critical densities (the reference code's liquid start).
    return DensityFrom(P_MPa, T_K, 3.0 * dcx_, true);
}

std::optional<Properties> CGerg2008::PropertiesAt(double D, double T_K) {
    if (!composition_set_ || !(D >= 0.0 && std::isfinite(D) && T_K > 0.0 && std::isfinite(T_K)))
        return std::nullopt;
    TemperatureTerms(T_K);
    const double delta = D / dr_;
    const DeltaPowers dp(delta, c_mask_);
    // Residual part: delta ar_d, delta^2 ar_dd, tau^2 ar_tt, delta tau ar_dt.
    double a1 = 0.0, a2 = 0.0, att = 0.0, adt = 0.0;
    for (std::size_t k = 0; k < terms_.size(); ++k) {
        const Term& term = terms_[k];
        const double t = term.t40 / static_cast<double>(kT40);
        const Shape sh = ShapeOf(term, delta, dp, term.gauss ? GaussOf(term, delta) : 0.0);
        const double v = term.coef * taut_[k] * sh.f;
        a1 += v * sh.g1;
        a2 += v * sh.g2;
        att += v * t * (t - 1.0);
        adt += v * t * sh.g1;
    }
    // Ideal part: tau^2 a0_tt = -(R*/R) sum x_i [n3 - 1 + sum n (theta/T)^2 / sinh^2(theta/T)
    //                                             + sum n (theta/T)^2 / cosh^2(theta/T)].
    double a0tt = 0.0;
    const auto ideal = tables::IdealParameters();
    for (int i = 0; i < kComponentCount; ++i) {
        if (x_[i] <= 0.0) continue;
        const tables::Ideal& c = ideal[i];
        double sum = c.n3 - 1.0;
        for (auto [n, th, hyperbolic_sine] :
             {std::tuple{c.n4, c.th4, true}, std::tuple{c.n5, c.th5, false}, std::tuple{c.n6, c.th6, true},
              std::tuple{c.n7, c.th7, false}}) {
            if (th <= 0.0) continue;
            const double y = th / T_K;
            const double h = hyperbolic_sine ? std::sinh(y) : std::cosh(y);
            sum += n * (y / h) * (y / h);
        }
        a0tt -= x_[i] * (kRstar / kR) * sum;
    }
    Properties o;
    o.D = D;
    o.T_K = T_K;
    o.Z = 1.0 + a1;
    const double RT = kR * T_K;  // J/mol
    o.P_MPa = D * RT * o.Z / 1000.0;
    const double slope = 1.0 + 2.0 * a1 + a2;
    o.dPdD = RT * slope / 1000.0;
    o.cv = -kR * (a0tt + att);
    const double b = 1.0 + a1 - adt;
    o.cp = o.cv + kR * b * b / slope;
    const double w2 = 1000.0 * (o.cp / o.cv) * RT * slope / mw_;  // J/g -> m2/s2
    o.w_m_s = std::sqrt(w2);
    o.kappa = w2 * mw_ / (1000.0 * RT * o.Z);
    for (double v : {o.Z, o.P_MPa, o.dPdD, o.cv, o.cp, o.w_m_s, o.kappa})
        if (!std::isfinite(v)) return std::nullopt;
    return o;
}

}  // namespace quorven
