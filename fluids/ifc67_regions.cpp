// IFC-67: the 1967 IFC Formulation for Industrial Use (International Formulation
// Committee, Duesseldorf 1967; as printed in the 1967 ASME Steam Tables), sub-regions
// 1 to 4 with the K- and L-functions. Sub-regions 5 and 6 (above 100 MPa) are not
// used: the table lets its routines go to 16000 psia (110.3 MPa), a little beyond
// beta_2 = 100 MPa / p_c, by extending sub-regions 1 to 4. Coefficients digit for
// digit as in tests/data/steam/ifc67_*.csv (sources in its README).
// The derivatives below are taken analytically from the printed functions.

#include "fluids/ifc67_regions.h"

#include <cmath>

namespace quorven::ifc67 {
namespace {

// IFC-67 K-function (saturation line), k1..k9; valid 273.16 K <= T <= T_c.
constexpr double kK[10] = {
    0.0,  // k0 unused: k[1]..k[9] read as printed
    -7.691234564E+00,
    -2.608023696E+01,
    -1.681706546E+02,
    6.423285504E+01,
    -1.189646225E+02,
    4.167117320E+00,
    2.097506760E+01,
    1.0E+09,
    6.0E+00,
};

// IFC-67 L-function (boundary of sub-regions 2 and 3), L0..L2; 623.15 K to 863.15 K.
constexpr double kL[3] = {1.574373327E+01, -3.417061978E+01, 1.931380707E+01};

// IFC-67 sub-region 1 (compressed water, 273.15 K <= T <= 623.15 K): A0..A22.
constexpr double kA[23] = {
    6.824687741E+03,  -5.422063673E+02, -2.096666205E+04, 3.941286787E+04, -6.733277739E+04, 9.902381028E+04,
    -1.093911774E+05, 8.590841667E+04,  -4.511168742E+04, 1.418138926E+04, -2.017271113E+03, 7.982692717E+00,
    -2.616571843E-02, 1.522411790E-03,  2.284279054E-02,  2.421647003E+02, 1.269716088E-10,  2.074838328E-07,
    2.174020350E-08,  1.105710498E-09,  1.293441934E+01,  1.308119072E-05, 6.047626338E-14,
};
// IFC-67 sub-region 1: a1..a12 (a[0] unused).
constexpr double ka[13] = {
    0.0,
    8.438375405E-01,
    5.362162162E-04,
    1.720000000E+00,
    7.342278489E-02,
    4.975858870E-02,
    6.537154300E-01,
    1.150000000E-06,
    1.510800000E-05,
    1.418800000E-01,
    7.002753165E+00,
    2.995284926E-04,
    2.040000000E-01,
};

// IFC-67 sub-region 2 (steam, up to 1073.15 K): B0, B0lambda (lambda = 1..5),
// B(mu,lambda) with exponents z(mu,lambda), b(mu,lambda) with exponents x(mu,lambda),
// B9lambda (lambda = 0..6) and b.
constexpr double kB0 = 1.683599274E+01;
constexpr double kB0l[6] = {
    0.0, 2.856067796E+01, -5.438923329E+01, 4.330662834E-01, -6.547711697E-01, 8.565182058E-02};
struct BTerm {
    int mu;
    double B;
    int z;
};
constexpr BTerm kBml[] = {
    {1, 6.670375918E-02, 13},  {1, 1.388983801E+00, 3},   {2, 8.390104328E-02, 18},
    {2, 2.614670893E-02, 2},   {2, -3.373439453E-02, 1},  {3, 4.520918904E-01, 18},
    {3, 1.069036614E-01, 10},  {4, -5.975336707E-01, 25}, {4, -8.847535804E-02, 14},
    {5, 5.958051609E-01, 32},  {5, -5.159303373E-01, 28}, {5, 2.075021122E-01, 24},
    {6, 1.190610271E-01, 12},  {6, -9.867174132E-02, 11}, {7, 1.683998803E-01, 24},
    {7, -5.809438001E-02, 18}, {8, 6.552390126E-03, 24},  {8, 5.710218649E-04, 14},
};
constexpr BTerm kbml[] = {
    {6, 4.006073948E-01, 14},
    {7, 8.636081627E-02, 19},
    {8, -8.532322921E-01, 54},
    {8, 3.460208861E-01, 27},
};
constexpr double kB9l[7] = {1.936587558E+02, -1.388522425E+03, 4.126607219E+03, -6.508211677E+03,
                            5.745984054E+03, -2.693088365E+03, 5.235718623E+02};
constexpr double kb = 7.633333333E-01;

// IFC-67 sub-region 3 (near-critical region, 623.15 K to 863.15 K): C00..C012,
// C11..C17, C21..C28, C31..C310, C40, C41, C50, C60..C64, C70..C78.
// Each group C(mu, nu) is stored with its index nu: nu = 1 multiplies chi, the middle
// ones chi^(1-nu), the last one ln chi.
constexpr double kC0[13] = {
    -6.8399,         -1.722604200E-02, -7.771750390E+00, 4.204607520E+00, -2.768070380E+00,
    2.104197070E+00, -1.146495880E+00, 2.231380850E-01,  1.162503630E-01, -8.209005440E-02,
    1.941292390E-02, -1.694705760E-03, -4.311577033E+00,
};
constexpr double kC1[8] = {0.0,
                           7.086360850E-01,
                           1.236794550E+01,
                           -1.203890040E+01,
                           5.404374220E+00,
                           -9.938650430E-01,
                           6.275231820E-02,
                           -7.747430160E+00};
constexpr double kC2[9] = {0.0,
                           -4.298850920E+00,
                           4.314305380E+01,
                           -1.416193130E+01,
                           4.041724590E+00,
                           1.555463260E+00,
                           -1.665689350E+00,
                           3.248811580E-01,
                           2.936553250E+01};
constexpr double kC3[11] = {0.0,
                            7.948418420E-06,
                            8.088597470E+01,
                            -8.361533800E+01,
                            3.586365170E+01,
                            7.518959540E+00,
                            -1.261606400E+01,
                            1.097174620E+00,
                            2.121454920E+00,
                            -5.465295660E-01,
                            8.328754130E+00};
constexpr double kC40 = 2.759717760E-06;
constexpr double kC41 = -5.090739850E-04;
constexpr double kC50 = 2.106363320E+02;
constexpr double kC6[5] = {5.528935335E-02, -2.336365955E-01, 3.697071420E-01, -2.596415470E-01,
                           6.828087013E-02};
constexpr double kC7[9] = {-2.571600553E+02, -1.518783715E+02, 2.220723208E+01,
                           -1.802039570E+02, 2.357096220E+03,  -1.462335698E+04,
                           4.542916630E+04,  -7.053556432E+04, 4.381571428E+04};

// IFC-67 sub-region 4 (liquid side, 623.15 K to T_c): D30..D34, D40..D44, D50..D52.
constexpr double kD3[5] = {-1.717616747E+00, 3.526389875E+00, -2.690899373E+00, 9.070982605E-01,
                           -1.138791156E-01};
constexpr double kD4[5] = {1.301023613E+00, -2.642777743E+00, 1.996765362E+00, -6.661557013E-01,
                           8.270860589E-02};
constexpr double kD5[3] = {3.426663535E-04, -1.236521258E-03, 1.155018309E-03};

double Pow(double x, int n) {
    return std::pow(x, n);
}

// One chi group of psi3: c[1] chi + sum(nu = 2..last-1) c[nu] chi^(1-nu) + c[last] ln chi,
// and its derivative with respect to chi.
void ChiGroup(const double* c, int last, double chi, double& g, double& dg) {
    g = c[1] * chi + c[last] * std::log(chi);
    dg = c[1] + c[last] / chi;
    for (int nu = 2; nu < last; ++nu) {
        g += c[nu] * Pow(chi, 1 - nu);
        dg += (1 - nu) * c[nu] * Pow(chi, -nu);
    }
}

}  // namespace

double BetaK(double theta, double& dlnbeta_dtheta) {
    const double* k = kK;
    const double tau = 1.0 - theta;
    double num = 0.0, dnum = 0.0;  // sum(nu = 1..5) k_nu tau^nu and its tau-derivative
    double tau_nu = 1.0;           // tau^(nu - 1), by products
    for (int nu = 1; nu <= 5; ++nu) {
        dnum += nu * k[nu] * tau_nu;
        tau_nu *= tau;
        num += k[nu] * tau_nu;
    }
    const double den = 1.0 + k[6] * tau + k[7] * tau * tau;
    const double dden = k[6] + 2.0 * k[7] * tau;
    const double F = num / den;
    const double dF = (dnum * den - num * dden) / (den * den);
    const double q = k[8] * tau * tau + k[9];
    const double g = tau / q;
    const double dg = (k[9] - k[8] * tau * tau) / (q * q);
    // ln beta_K = F(tau)/theta - g(tau), and d/d(theta) = -d/d(tau).
    dlnbeta_dtheta = -F / (theta * theta) - dF / theta + dg;
    return std::exp(F / theta - g);
}

double BetaK(double theta) {
    const double* k = kK;
    const double tau = 1.0 - theta;
    double num = 0.0;
    double tau_nu = 1.0;
    for (int nu = 1; nu <= 5; ++nu) {
        tau_nu *= tau;
        num += k[nu] * tau_nu;
    }
    const double den = 1.0 + k[6] * tau + k[7] * tau * tau;
    const double F = num / den;
    const double q = k[8] * tau * tau + k[9];
    const double g = tau / q;
    return std::exp(F / theta - g);
}

double BetaL(double theta) {
    return kL[0] + kL[1] * theta + kL[2] * theta * theta;
}

GibbsState Region1(double beta, double theta) {
    const double* A = kA;
    const double* a = ka;
    const double th2 = theta * theta;
    const double Y = 1.0 - a[1] * th2 - a[2] * Pow(theta, -6);
    const double dY = -2.0 * a[1] * theta + 6.0 * a[2] * Pow(theta, -7);
    const double root = std::sqrt(a[3] * Y * Y - 2.0 * a[4] * theta + 2.0 * a[5] * beta);
    const double Z = Y + root;
    const double Z12 = std::pow(Z, 12.0 / 17.0);
    const double Zm5 = std::pow(Z, -5.0 / 17.0);
    const double t11 = a[8] + Pow(theta, 11);
    const double t19 = a[7] + Pow(theta, 19);
    const double Q = A[17] * beta + A[18] * beta * beta + A[19] * beta * beta * beta;
    const double W = Pow(a[10] + beta, -3) + a[11] * beta;
    const double lin = A[12] + A[13] * theta + A[14] * th2 + A[15] * Pow(a[6] - theta, 10) + A[16] / t19;

    double zeta = A[0] * theta * (1.0 - std::log(theta));
    double dzeta_dtheta = -A[0] * std::log(theta);
    for (int nu = 1; nu <= 10; ++nu) {
        zeta += A[nu] * Pow(theta, nu - 1);
        if (nu >= 2) dzeta_dtheta += (nu - 1) * A[nu] * Pow(theta, nu - 2);
    }
    zeta += A[11] * Z12 * ((17.0 / 29.0) * Z - (17.0 / 12.0) * Y) + lin * beta - Q / t11 -
            A[20] * Pow(theta, 18) * (a[9] + th2) * W + A[21] * (a[12] - theta) * Pow(beta, 3) +
            A[22] * Pow(theta, -20) * Pow(beta, 4);
    // d/dZ of Z^(12/17) [(17/29) Z - (17/12) Y] is Z^(-5/17) (Z - Y), and Z - Y = root.
    const double dZ_dtheta = dY + (a[3] * Y * dY - a[4]) / root;
    dzeta_dtheta += A[11] * (Zm5 * root * dZ_dtheta - (17.0 / 12.0) * Z12 * dY);
    dzeta_dtheta += (A[13] + 2.0 * A[14] * theta - 10.0 * A[15] * Pow(a[6] - theta, 9) -
                     19.0 * A[16] * Pow(theta, 18) / (t19 * t19)) *
                    beta;
    dzeta_dtheta += Q * 11.0 * Pow(theta, 10) / (t11 * t11);
    dzeta_dtheta -= A[20] * (18.0 * Pow(theta, 17) * (a[9] + th2) + 2.0 * Pow(theta, 19)) * W;
    dzeta_dtheta -= A[21] * Pow(beta, 3);
    dzeta_dtheta -= 20.0 * A[22] * Pow(theta, -21) * Pow(beta, 4);

    GibbsState s{};
    s.chi = A[11] * a[5] * Zm5 + lin - (A[17] + 2.0 * A[18] * beta + 3.0 * A[19] * beta * beta) / t11 -
            A[20] * Pow(theta, 18) * (a[9] + th2) * (-3.0 * Pow(a[10] + beta, -4) + a[11]) +
            3.0 * A[21] * (a[12] - theta) * beta * beta + 4.0 * A[22] * Pow(theta, -20) * Pow(beta, 3);
    s.sigma = -dzeta_dtheta;
    s.epsilon = zeta + theta * s.sigma;
    return s;
}

GibbsState Region2(double beta, double theta) {
    const double X = std::exp(kb * (1.0 - theta));  // dX/dtheta = -b X
    // S[mu] = sum B X^z, SX[mu] = sum z B X^z; T, TX likewise for the b terms.
    double S[9] = {}, SX[9] = {}, T[9] = {}, TX[9] = {};
    for (const BTerm& t : kBml) {
        const double term = t.B * Pow(X, t.z);
        S[t.mu] += term;
        SX[t.mu] += t.z * term;
    }
    for (const BTerm& t : kbml) {
        const double term = t.B * Pow(X, t.z);
        T[t.mu] += term;
        TX[t.mu] += t.z * term;
    }
    double B9 = 0.0, B9X = 0.0;
    for (int l = 0; l <= 6; ++l) {
        B9 += kB9l[l] * Pow(X, l);
        B9X += l * kB9l[l] * Pow(X, l);
    }
    const double bL = BetaL(theta);
    const double dbL = kL[1] + 2.0 * kL[2] * theta;

    // zeta2 without its term I1 theta ln(beta), which cancels from epsilon.
    double zeta = kB0 * theta * (1.0 - std::log(theta));
    double dzeta = -kB0 * std::log(theta);  // d/d(theta), also without I1 ln(beta)
    double chi = kI1 * theta / beta;
    for (int l = 1; l <= 5; ++l) {
        zeta += kB0l[l] * Pow(theta, l - 1);
        if (l >= 2) dzeta += (l - 1) * kB0l[l] * Pow(theta, l - 2);
    }
    for (int mu = 1; mu <= 5; ++mu) {
        zeta -= Pow(beta, mu) * S[mu];
        dzeta += kb * Pow(beta, mu) * SX[mu];
        chi -= mu * Pow(beta, mu - 1) * S[mu];
    }
    // S / (beta^(2-mu) + T) written as S q / (1 + T q) with q = beta^(mu-2), which
    // stays finite at beta = 0.
    for (int mu = 6; mu <= 8; ++mu) {
        const double q = Pow(beta, mu - 2);
        const double E = 1.0 + T[mu] * q;
        zeta -= S[mu] * q / E;
        dzeta += kb * q * (SX[mu] * E - S[mu] * q * TX[mu]) / (E * E);
        chi -= (mu - 2) * S[mu] * Pow(beta, mu - 3) / (E * E);
    }
    const double r10 = Pow(beta / bL, 10);
    zeta += beta * r10 * B9;
    dzeta += beta * r10 * (-10.0 * dbL / bL * B9 - kb * B9X);
    chi += 11.0 * r10 * B9;

    GibbsState s{};
    s.chi = chi;
    s.sigma = -(kI1 * std::log(beta) + dzeta);
    s.epsilon = zeta - theta * dzeta;
    return s;
}

HelmholtzState Region3(double chi, double theta) {
    const double t = theta - 1.0;
    double g0, dg0, g1, dg1, g2, dg2, g3, dg3;
    ChiGroup(kC0, 12, chi, g0, dg0);
    ChiGroup(kC1, 7, chi, g1, dg1);
    ChiGroup(kC2, 8, chi, g2, dg2);
    ChiGroup(kC3, 10, chi, g3, dg3);
    const double c4 = kC40 + kC41 * Pow(chi, -5);
    const double th23 = Pow(theta, -23);

    double c6 = 0.0, dc6 = 0.0;  // sum C6nu theta^-(nu+2) and its theta-derivative
    for (int nu = 0; nu <= 4; ++nu) {
        c6 += kC6[nu] * Pow(theta, -(nu + 2));
        dc6 -= (nu + 2) * kC6[nu] * Pow(theta, -(nu + 3));
    }
    double c7 = 0.0, dc7 = 0.0;  // sum C7nu (theta-1)^(nu+1) and its theta-derivative
    for (int nu = 0; nu <= 8; ++nu) {
        c7 += kC7[nu] * Pow(t, nu + 1);
        dc7 += (nu + 1) * kC7[nu] * Pow(t, nu);
    }
    const double chi6 = Pow(chi, 6);

    double psi = kC0[0] + g0 + t * g1 + t * t * g2 + t * t * t * g3 + c4 * th23 * t +
                 kC50 * theta * std::log(theta) + chi6 * c6 + c7;
    double dpsi_dchi = dg0 + t * dg1 + t * t * dg2 + t * t * t * dg3 - 5.0 * kC41 * Pow(chi, -6) * th23 * t +
                       6.0 * Pow(chi, 5) * c6;
    double dpsi_dtheta = g1 + 2.0 * t * g2 + 3.0 * t * t * g3 + c4 * (th23 - 23.0 * Pow(theta, -24) * t) +
                         kC50 * (std::log(theta) + 1.0) + chi6 * dc6 + dc7;

    if (theta < 1.0 && chi < 1.0) {  // sub-region 4 terms, y = (1 - theta)/(1 - theta_1)
        const double y = (1.0 - theta) / (1.0 - kTheta1);
        const double dy = -1.0 / (1.0 - kTheta1);
        double s3 = 0.0, ds3 = 0.0, s4 = 0.0, ds4 = 0.0, s5 = 0.0, ds5 = 0.0;
        for (int nu = 0; nu <= 4; ++nu) {
            s3 += kD3[nu] * Pow(chi, -nu);
            ds3 -= nu * kD3[nu] * Pow(chi, -nu - 1);
            s4 += kD4[nu] * Pow(chi, -nu);
            ds4 -= nu * kD4[nu] * Pow(chi, -nu - 1);
        }
        for (int nu = 0; nu <= 2; ++nu) {
            s5 += kD5[nu] * Pow(chi, nu);
            if (nu >= 1) ds5 += nu * kD5[nu] * Pow(chi, nu - 1);
        }
        const double y3 = Pow(y, 3), y4 = Pow(y, 4), y32 = Pow(y, 32);
        psi += y3 * s3 + y4 * s4 + y32 * s5;
        dpsi_dchi += y3 * ds3 + y4 * ds4 + y32 * ds5;
        dpsi_dtheta += (3.0 * y * y * s3 + 4.0 * y3 * s4 + 32.0 * Pow(y, 31) * s5) * dy;
    }

    HelmholtzState s{};
    s.beta = -dpsi_dchi;
    s.sigma = -dpsi_dtheta;
    s.epsilon = psi + theta * s.sigma + chi * s.beta;
    return s;
}

}  // namespace quorven::ifc67
