// The basic equations of IAPWS-IF97 (IAPWS R7-97(2012)): regions 1, 2, 3 and 5, the
// saturation equation of region 4 and the B23 boundary equation, each as the release prints
// it. Every coefficient table below is checked by the release's computer-program
// verification values (Tables 5, 15, 33, 35, 36, 42 and the B23 check values of section 4)
// in tests/fluids/if97_test.cpp.
//
// The sums use integer powers of the reduced variables taken from small power tables, so a
// state costs no call to pow(); the release's exponents are all integers.

#include <cmath>
#include <cstddef>

#include "fluids/if97.h"

namespace quorven::if97 {
namespace {

// x^k for Lo <= k <= Hi by repeated multiplication (division below 0).
template <int Lo, int Hi>
struct Powers {
    double v[Hi - Lo + 1];
    explicit Powers(double x) {
        v[-Lo] = 1.0;
        for (int k = 1; k <= Hi; ++k) v[k - Lo] = v[k - 1 - Lo] * x;
        if constexpr (Lo < 0) {
            const double inv = 1.0 / x;
            for (int k = -1; k >= Lo; --k) v[k - Lo] = v[k + 1 - Lo] * inv;
        }
    }
    double operator()(int k) const { return v[k - Lo]; }
};

struct IJn {
    int I, J;
    double n;
};
struct Jn {
    int J;
    double n;
};

// ------------------------------------------------------------------ region 1
// R7-97(2012) Table 2: coefficients and exponents of the dimensionless Gibbs free energy of
// region 1, eq. (7). Valid 273.15 K <= T <= 623.15 K, ps(T) <= p <= 100 MPa.
constexpr IJn kRegion1[34] = {
    {0, -2, 0.14632971213167},        {0, -1, -0.84548187169114},       {0, 0, -0.37563603672040e1},
    {0, 1, 0.33855169168385e1},       {0, 2, -0.95791963387872},        {0, 3, 0.15772038513228},
    {0, 4, -0.16616417199501e-1},     {0, 5, 0.81214629983568e-3},      {1, -9, 0.28319080123804e-3},
    {1, -7, -0.60706301565874e-3},    {1, -1, -0.18990068218419e-1},    {1, 0, -0.32529748770505e-1},
    {1, 1, -0.21841717175414e-1},     {1, 3, -0.52838357969930e-4},     {2, -3, -0.47184321073267e-3},
    {2, 0, -0.30001780793026e-3},     {2, 1, 0.47661393906987e-4},      {2, 3, -0.44141845330846e-5},
    {2, 17, -0.72694996297594e-15},   {3, -4, -0.31679644845054e-4},    {3, 0, -0.28270797985312e-5},
    {3, 6, -0.85205128120103e-9},     {4, -5, -0.22425281908000e-5},    {4, -2, -0.65171222895601e-6},
    {4, 10, -0.14341729937924e-12},   {5, -8, -0.40516996860117e-6},    {8, -11, -0.12734301741641e-8},
    {8, -6, -0.17424871230634e-9},    {21, -29, -0.68762131295531e-18}, {23, -31, 0.14478307828521e-19},
    {29, -38, 0.26335781662795e-22},  {30, -39, -0.11947622640071e-22}, {31, -40, 0.18228094581404e-23},
    {32, -41, -0.93537087292458e-25},
};
constexpr double kP1star_MPa = 16.53, kT1star_K = 1386.0;

// ------------------------------------------------------------------ region 2
// R7-97(2012) Table 10: ideal-gas part of the dimensionless Gibbs free energy of region 2,
// eq. (16). (The metastable-vapour equation, eq. (18), is not used.)
constexpr Jn kRegion2Ideal[9] = {
    {0, -0.96927686500217e1},  {1, 0.10086655968018e2}, {-5, -0.56087911283020e-2},
    {-4, 0.71452738081455e-1}, {-3, -0.40710498223928}, {-2, 0.14240819171444e1},
    {-1, -0.43839511319450e1}, {2, -0.28408632460772},  {3, 0.21268463753307e-1},
};
// R7-97(2012) Table 11: residual part of region 2, eq. (17). Valid 273.15 K <= T <= 623.15 K
// for 0 < p <= ps(T), to 863.15 K for p <= pB23(T), to 1073.15 K for p <= 100 MPa.
constexpr IJn kRegion2Residual[43] = {
    {1, 0, -0.17731742473213e-2},    {1, 1, -0.17834862292358e-1},    {1, 2, -0.45996013696365e-1},
    {1, 3, -0.57581259083432e-1},    {1, 6, -0.50325278727930e-1},    {2, 1, -0.33032641670203e-4},
    {2, 2, -0.18948987516315e-3},    {2, 4, -0.39392777243355e-2},    {2, 7, -0.43797295650573e-1},
    {2, 36, -0.26674547914087e-4},   {3, 0, 0.20481737692309e-7},     {3, 1, 0.43870667284435e-6},
    {3, 3, -0.32277677238570e-4},    {3, 6, -0.15033924542148e-2},    {3, 35, -0.40668253562649e-1},
    {4, 1, -0.78847309559367e-9},    {4, 2, 0.12790717852285e-7},     {4, 3, 0.48225372718507e-6},
    {5, 7, 0.22922076337661e-5},     {6, 3, -0.16714766451061e-10},   {6, 16, -0.21171472321355e-2},
    {6, 35, -0.23895741934104e2},    {7, 0, -0.59059564324270e-17},   {7, 11, -0.12621808899101e-5},
    {7, 25, -0.38946842435739e-1},   {8, 8, 0.11256211360459e-10},    {8, 36, -0.82311340897998e1},
    {9, 13, 0.19809712802088e-7},    {10, 4, 0.10406965210174e-18},   {10, 10, -0.10234747095929e-12},
    {10, 14, -0.10018179379511e-8},  {16, 29, -0.80882908646985e-10}, {16, 50, 0.10693031879409},
    {18, 57, -0.33662250574171},     {20, 20, 0.89185845355421e-24},  {20, 35, 0.30629316876232e-12},
    {20, 48, -0.42002467698208e-5},  {21, 21, -0.59056029685639e-25}, {22, 53, 0.37826947613457e-5},
    {23, 39, -0.12768608934681e-14}, {24, 26, 0.73087610595061e-28},  {24, 40, 0.55414715350778e-16},
    {24, 58, -0.94369707241210e-6},
};
constexpr double kT2star_K = 540.0;

// ------------------------------------------------------------------ region 3
// R7-97(2012) Table 30: coefficients and exponents of the dimensionless Helmholtz free
// energy of region 3, eq. (28): phi = n1 ln(delta) + sum(i = 2..40) ni delta^Ii tau^Ji.
// Valid 623.15 K <= T <= T(p) of the B23 equation, pB23(T) <= p <= 100 MPa.
constexpr double kRegion3n1 = 0.10658070028513e1;
constexpr IJn kRegion3[39] = {
    {0, 0, -0.15732845290239e2},   {0, 1, 0.20944396974307e2},    {0, 2, -0.76867707878716e1},
    {0, 7, 0.26185947787954e1},    {0, 10, -0.28080781148620e1},  {0, 12, 0.12053369696517e1},
    {0, 23, -0.84566812812502e-2}, {1, 2, -0.12654315477714e1},   {1, 6, -0.11524407806681e1},
    {1, 15, 0.88521043984318},     {1, 17, -0.64207765181607},    {2, 0, 0.38493460186671},
    {2, 2, -0.85214708824206},     {2, 6, 0.48972281541877e1},    {2, 7, -0.30502617256965e1},
    {2, 22, 0.39420536879154e-1},  {2, 26, 0.12558408424308},     {3, 0, -0.27999329698710},
    {3, 2, 0.13899799569460e1},    {3, 4, -0.20189915023570e1},   {3, 16, -0.82147637173963e-2},
    {3, 26, -0.47596035734923},    {4, 0, 0.43984074473500e-1},   {4, 2, -0.44476435428739},
    {4, 4, 0.90572070719733},      {4, 26, 0.70522450087967},     {5, 1, 0.10770512626332},
    {5, 3, -0.32913623258954},     {5, 26, -0.50871062041158},    {6, 0, -0.22175400873096e-1},
    {6, 2, 0.94260751665092e-1},   {6, 26, 0.16436278447961},     {7, 2, -0.13503372241348e-1},
    {8, 26, -0.14834345352472e-1}, {9, 2, 0.57922953628084e-3},   {9, 26, 0.32308904703711e-2},
    {10, 0, 0.80964802996215e-4},  {10, 1, -0.16557679795037e-3}, {11, 26, -0.44923899061815e-4},
};

// ------------------------------------------------------------------ region 5
// R7-97(2012) Table 37: ideal-gas part of region 5, eq. (33), and Table 38 (2007 revision):
// residual part, eq. (34). Valid 1073.15 K <= T <= 2273.15 K, 0 < p <= 50 MPa.
constexpr Jn kRegion5Ideal[6] = {
    {0, -0.13179983674201e2}, {1, 0.68540841634434e1},   {-3, -0.24805148933466e-1},
    {-2, 0.36901534980333},   {-1, -0.31161318213925e1}, {2, -0.32961626538917},
};
constexpr IJn kRegion5Residual[6] = {
    {1, 1, 0.15736404855259e-2}, {1, 2, 0.90153761673944e-3},  {1, 3, -0.50270077677648e-2},
    {2, 3, 0.22440037409485e-5}, {2, 9, -0.41163275453471e-5}, {3, 7, 0.37919454822955e-7},
};
constexpr double kT5star_K = 1000.0;

// ------------------------------------------------------------------ region 4 and B23
// R7-97(2012) Table 34: coefficients of the saturation equation, eq. (29).
constexpr double kN4[11] = {0.0,
                            0.11670521452767e4,
                            -0.72421316703206e6,
                            -0.17073846940092e2,
                            0.12020824702470e5,
                            -0.32325550322333e7,
                            0.14915108613530e2,
                            -0.48232657361591e4,
                            0.40511340542057e6,
                            -0.23855557567849,
                            0.65017534844798e3};
// R7-97(2012) Table 1: coefficients of the B23 equation, eqs. (5) and (6).
constexpr double kN23[6] = {0.0,
                            0.34805185628969e3,
                            -0.11671859879975e1,
                            0.10192970039326e-2,
                            0.57254459862746e3,
                            0.13918839778870e2};

// Derivatives of a dimensionless Gibbs free energy gamma(pi, tau).
struct Gibbs {
    double g, gp, gpp, gt, gtt, gpt;
};

// R7-97(2012) Table 3 (region 1), Table 12 (region 2), Table 39 (region 5): properties from
// the Gibbs free energy; for region 2 and 5 gamma holds ideal + residual parts and r the
// residual pi-derivatives alone.
Props FromGibbs(double p_MPa, double T_K, double pi, double tau, const Gibbs& g) {
    Props o;
    o.p_MPa = p_MPa;
    o.T_K = T_K;
    const double RT = kR * T_K;                 // kJ/kg
    o.v_m3_kg = RT * pi * g.gp / p_MPa * 1e-3;  // kJ/kg / MPa = 1e-3 m3/kg
    o.rho_kg_m3 = 1.0 / o.v_m3_kg;
    o.u_kJ_kg = RT * (tau * g.gt - pi * g.gp);
    o.h_kJ_kg = RT * tau * g.gt;
    o.s_kJ_kgK = kR * (tau * g.gt - g.g);
    o.cp_kJ_kgK = -kR * tau * tau * g.gtt;
    const double a = g.gp - tau * g.gpt;
    const double w2 = RT * 1e3 * g.gp * g.gp / (a * a / (tau * tau * g.gtt) - g.gpp);
    o.w_m_s = std::sqrt(w2);
    return o;
}

}  // namespace

Props Region1(double p_MPa, double T_K) {
    const double pi = p_MPa / kP1star_MPa, tau = kT1star_K / T_K;
    const Powers<-2, 32> A(7.1 - pi);
    const Powers<-43, 17> B(tau - 1.222);
    Gibbs g{};
    for (const IJn& t : kRegion1) {
        const double aI = A(t.I), bJ = B(t.J);
        g.g += t.n * aI * bJ;
        g.gp -= t.n * t.I * A(t.I - 1) * bJ;
        g.gpp += t.n * t.I * (t.I - 1) * A(t.I - 2) * bJ;
        g.gt += t.n * aI * t.J * B(t.J - 1);
        g.gtt += t.n * aI * t.J * (t.J - 1) * B(t.J - 2);
        g.gpt -= t.n * t.I * A(t.I - 1) * t.J * B(t.J - 1);
    }
    return FromGibbs(p_MPa, T_K, pi, tau, g);
}

namespace {

// Regions 2 and 5 share the form gamma = ln(pi) + sum n0 tau^J0 + gamma_r(pi, tau); their
// properties follow R7-97(2012) Tables 12 and 39.
template <int ILo, int IHi, int JLo, int JHi, int J0Lo, int J0Hi, std::size_t N0, std::size_t NR>
Props IdealPlusResidual(double p_MPa, double T_K, double Tstar, const Jn (&ideal)[N0],
                        const IJn (&residual)[NR], double tau_shift) {
    const double pi = p_MPa, tau = Tstar / T_K;  // p* = 1 MPa
    const Powers<J0Lo, J0Hi> T0(tau);
    double g0 = std::log(pi), g0t = 0.0, g0tt = 0.0;
    for (const Jn& t : ideal) {
        g0 += t.n * T0(t.J);
        g0t += t.n * t.J * T0(t.J - 1);
        g0tt += t.n * t.J * (t.J - 1) * T0(t.J - 2);
    }
    const Powers<ILo, IHi> P(pi);
    const Powers<JLo, JHi> T(tau - tau_shift);
    double gr = 0, grp = 0, grpp = 0, grt = 0, grtt = 0, grpt = 0;
    for (const IJn& t : residual) {
        const double pI = P(t.I), tJ = T(t.J);
        gr += t.n * pI * tJ;
        grp += t.n * t.I * P(t.I - 1) * tJ;
        grpp += t.n * t.I * (t.I - 1) * P(t.I - 2) * tJ;
        grt += t.n * pI * t.J * T(t.J - 1);
        grtt += t.n * pI * t.J * (t.J - 1) * T(t.J - 2);
        grpt += t.n * t.I * P(t.I - 1) * t.J * T(t.J - 1);
    }
    // Table 12: with gamma0_pi = 1/pi, gamma0_pipi = -1/pi^2, gamma0_pitau = 0.
    Props o;
    o.p_MPa = p_MPa;
    o.T_K = T_K;
    const double RT = kR * T_K;
    o.v_m3_kg = RT * (1.0 + pi * grp) / p_MPa * 1e-3;
    o.rho_kg_m3 = 1.0 / o.v_m3_kg;
    o.h_kJ_kg = RT * tau * (g0t + grt);
    o.u_kJ_kg = RT * (tau * (g0t + grt) - (1.0 + pi * grp));
    o.s_kJ_kgK = kR * (tau * (g0t + grt) - (g0 + gr));
    const double tt = tau * tau * (g0tt + grtt);
    o.cp_kJ_kgK = -kR * tt;
    const double a = 1.0 + pi * grp - tau * pi * grpt;
    const double b = 1.0 - pi * pi * grpp;
    const double w2 = RT * 1e3 * (1.0 + 2.0 * pi * grp + pi * pi * grp * grp) / (b + a * a / tt);
    o.w_m_s = std::sqrt(w2);
    return o;
}

}  // namespace

Props Region2(double p_MPa, double T_K) {
    return IdealPlusResidual<-1, 24, -2, 58, -7, 3>(p_MPa, T_K, kT2star_K, kRegion2Ideal, kRegion2Residual,
                                                    0.5);
}

Props Region5(double p_MPa, double T_K) {
    return IdealPlusResidual<-1, 3, -2, 9, -5, 2>(p_MPa, T_K, kT5star_K, kRegion5Ideal, kRegion5Residual,
                                                  0.0);
}

namespace {

// Derivatives of the region 3 Helmholtz free energy phi(delta, tau), without phi's
// tau-free log term in the tau derivatives (it has none).
struct Helmholtz {
    double f, fd, fdd, ft, ftt, fdt;
};

Helmholtz Region3Phi(double delta, double tau, bool with_tau) {
    const Powers<-2, 11> D(delta);
    const Powers<-2, 26> T(tau);
    Helmholtz h{};
    h.f = kRegion3n1 * std::log(delta);
    h.fd = kRegion3n1 / delta;
    h.fdd = -kRegion3n1 / (delta * delta);
    for (const IJn& t : kRegion3) {
        const double dI = D(t.I), tJ = T(t.J);
        h.f += t.n * dI * tJ;
        h.fd += t.n * t.I * D(t.I - 1) * tJ;
        h.fdd += t.n * t.I * (t.I - 1) * D(t.I - 2) * tJ;
        if (with_tau) {
            h.ft += t.n * dI * t.J * T(t.J - 1);
            h.ftt += t.n * dI * t.J * (t.J - 1) * T(t.J - 2);
            h.fdt += t.n * t.I * D(t.I - 1) * t.J * T(t.J - 1);
        }
    }
    return h;
}

}  // namespace

// R7-97(2012) Table 31: properties from the Helmholtz free energy of region 3.
Props Region3(double rho_kg_m3, double T_K) {
    const double delta = rho_kg_m3 / kRhoc_kg_m3, tau = kTc_K / T_K;
    const Helmholtz h = Region3Phi(delta, tau, true);
    Props o;
    o.T_K = T_K;
    o.rho_kg_m3 = rho_kg_m3;
    o.v_m3_kg = 1.0 / rho_kg_m3;
    const double RT = kR * T_K;
    o.p_MPa = rho_kg_m3 * RT * delta * h.fd * 1e-3;
    o.u_kJ_kg = RT * tau * h.ft;
    o.h_kJ_kg = RT * (tau * h.ft + delta * h.fd);
    o.s_kJ_kgK = kR * (tau * h.ft - h.f);
    const double tt = tau * tau * h.ftt;
    const double a = delta * h.fd - delta * tau * h.fdt;
    const double b = 2.0 * delta * h.fd + delta * delta * h.fdd;
    o.cp_kJ_kgK = kR * (-tt + a * a / b);
    o.w_m_s = std::sqrt(RT * 1e3 * (b - a * a / tt));
    return o;
}

PressureSlope Region3Pressure(double rho_kg_m3, double T_K) {
    const double delta = rho_kg_m3 / kRhoc_kg_m3, tau = kTc_K / T_K;
    const Helmholtz h = Region3Phi(delta, tau, false);
    const double RT = kR * T_K;
    // p = rho R T delta phi_delta; dp/drho = R T (2 delta phi_delta + delta^2 phi_deltadelta).
    return {rho_kg_m3 * RT * delta * h.fd * 1e-3, RT * (2.0 * delta * h.fd + delta * delta * h.fdd) * 1e-3};
}

// R7-97(2012) eq. (30), the saturation-pressure equation.
std::optional<double> SatPressure(double T_K) {
    if (!(T_K >= kTmin_K && T_K <= kTc_K)) return std::nullopt;
    const double th = T_K + kN4[9] / (T_K - kN4[10]);
    const double A = th * th + kN4[1] * th + kN4[2];
    const double B = kN4[3] * th * th + kN4[4] * th + kN4[5];
    const double C = kN4[6] * th * th + kN4[7] * th + kN4[8];
    const double x = 2.0 * C / (-B + std::sqrt(B * B - 4.0 * A * C));
    return x * x * x * x;  // p* = 1 MPa
}

// R7-97(2012) eq. (31), the saturation-temperature equation.
std::optional<double> SatTemperature(double p_MPa) {
    if (!(p_MPa >= kPsatMin_MPa && p_MPa <= kPc_MPa)) return std::nullopt;
    const double beta = std::sqrt(std::sqrt(p_MPa));
    const double E = beta * beta + kN4[3] * beta + kN4[6];
    const double F = kN4[1] * beta * beta + kN4[4] * beta + kN4[7];
    const double G = kN4[2] * beta * beta + kN4[5] * beta + kN4[8];
    const double D = 2.0 * G / (-F - std::sqrt(F * F - 4.0 * E * G));
    const double n10D = kN4[10] + D;
    return (n10D - std::sqrt(n10D * n10D - 4.0 * (kN4[9] + kN4[10] * D))) / 2.0;
}

double B23Pressure(double T_K) {
    return kN23[1] + kN23[2] * T_K + kN23[3] * T_K * T_K;  // eq. (5), p* = 1 MPa, T* = 1 K
}

double B23Temperature(double p_MPa) {
    return kN23[4] + std::sqrt((p_MPa - kN23[5]) / kN23[3]);  // eq. (6)
}

}  // namespace quorven::if97
