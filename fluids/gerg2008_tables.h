#pragma once
// The coefficient tables of GERG-2008 (Kunz and Wagner, J. Chem. Eng. Data 57 (2012)
// 3032-3091), in the component order of AGA Report No. 8 Part 2 (2017): 1 methane,
// 2 nitrogen, 3 carbon dioxide, 4 ethane, 5 propane, 6 isobutane, 7 n-butane, 8 isopentane,
// 9 n-pentane, 10 n-hexane, 11 n-heptane, 12 n-octane, 13 n-nonane, 14 n-decane, 15 hydrogen,
// 16 oxygen, 17 carbon monoxide, 18 water, 19 hydrogen sulfide, 20 helium, 21 argon. (The
// paper lists n-butane before isobutane and n-pentane before isopentane; the binary
// parameters of the butane pair below are given in this order, beta as the reciprocal.)
// Internal to fluids/gerg2008.cpp and its tests.

#include <span>

namespace quorven::gerg2008::tables {

inline constexpr int kN = 21;

// Critical temperature [K], critical density [mol/dm3] and molar mass [g/mol].
struct Critical {
    double Tc, Dc, M;
};
std::span<const Critical, kN> CriticalParameters();

// Ideal-gas part, Kunz and Wagner eq. for alpha0_oi: c0p/R* = n3 + sum over the Planck-
// Einstein terms, n4 and n6 with sinh, n5 and n7 with cosh, theta in K (a theta of 0 marks an
// absent term). n3 here is one more than the paper's n_oi,3 (the constant of c0p/R* rather
// than of c0v/R*), as AGA 8 Part 2 prints it.
struct Ideal {
    double n3, n4, n5, n6, n7;
    double th4, th5, th6, th7;
};
std::span<const Ideal, kN> IdealParameters();

// One term of a pure-fluid residual equation: n delta^d tau^t exp(-delta^c); c = 0 for the
// polynomial terms.
struct PureTerm {
    double n;
    int d;
    double t;
    int c;
};
// The terms of component i (1..21).
std::span<const PureTerm> PureTerms(int component);

// One term of a departure function: n delta^d tau^t, times exp(-eta (delta - eps)^2 -
// beta (delta - gamma)) for the Gaussian terms (gauss true).
struct DepartureTerm {
    double n;
    int d;
    double t;
    bool gauss;
    double eta, eps, beta, gamma;
};
// The binary pairs i < j with a departure function, its terms and the factor F_ij.
struct Departure {
    int i, j;
    double F;
    std::span<const DepartureTerm> terms;
};
std::span<const Departure> Departures();

// Reducing-function parameters beta_v, gamma_v, beta_T, gamma_T of the pair i < j (1..21);
// a pair not listed has all four equal to 1.
struct Binary {
    int i, j;
    double bv, gv, bt, gt;
};
std::span<const Binary> BinaryParameters();

}  // namespace quorven::gerg2008::tables
