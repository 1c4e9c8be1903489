#pragma once
// The GERG-2008 wide-range equation of state for natural gases and other mixtures of the 21
// components of AGA Report No. 8 (O. Kunz and W. Wagner, J. Chem. Eng. Data 57 (2012)
// 3032-3091; adopted as AGA Report No. 8 Part 2 (2017) and ISO 20765-2): molar mass,
// density from pressure and temperature, compressibility factor, isochoric and isobaric
// heat capacities, speed of sound and isentropic exponent.
//
// Units as AGA 8 Part 2 states them, with the pressure in MPa as for the Detail method
// (aga8_detail.h): temperature in K, molar density in mol/dm3 (= kmol/m3), molar mass in
// g/mol, heat capacities in J/(mol K), speed of sound in m/s. The program's record is in
// psia and degrees Rankine; the Fluids commands convert at their interface.

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "fluids/aga8_detail.h"

namespace quorven {

namespace gerg2008 {

inline constexpr int kComponentCount = aga8::kComponentCount;

// Molar gas constant of GERG-2008, J/(mol K), and the one its ideal-gas heat capacities were
// fitted with, R* (Kunz and Wagner 2012, section 4 and Table A1).
inline constexpr double kR = 8.314472;
inline constexpr double kRstar = 8.314510;

// Molar mass [g/mol] of the component with AGA number 1..21 (GERG-2008's values); 0 for
// any other number.
double MolarMass(int aga_number);

// Everything GERG-2008 gives at one (density, temperature).
struct Properties {
    double D = 0.0;  // molar density, mol/dm3
    double T_K = 0.0;
    double P_MPa = 0.0;
    double Z = 0.0;
    double dPdD = 0.0;   // (dP/dD)_T, MPa dm3/mol
    double cv = 0.0;     // J/(mol K)
    double cp = 0.0;     // J/(mol K)
    double w_m_s = 0.0;  // speed of sound
    double kappa = 0.0;  // isentropic exponent -(v/P)(dP/dv)_s = w^2 M / (Z R T)
};

}  // namespace gerg2008

// A working object: holds the composition's terms (reducing parameters, the equation's terms
// weighted by the mole fractions, absent components and pairs dropped) and the temperature
// terms of the last temperature, so that repeated states of one gas cost only the density
// iteration.
class CGerg2008 {
public:
    // Mole amounts by AGA number (index 0 = AGA number 1), normalised here; false (and the
    // previous composition kept) when they are negative, not finite or add up to 0.
    bool SetComposition(std::span<const double, gerg2008::kComponentCount> amounts);
    double MolarMass() const { return mw_; }
    // Reducing temperature [K] and density [mol/dm3] of the mixture (Kunz and Wagner's
    // reducing functions).
    double ReducingTemperature() const { return tr_; }
    double ReducingDensity() const { return dr_; }

    // Compressibility factor and pressure [MPa] at D [mol/dm3] and T_K (NaN without a
    // composition).
    double Z(double D, double T_K);
    double Pressure(double D, double T_K);
    // Molar density [mol/dm3] that gives P_MPa at T_K: Newton steps in ln(D) from the
    // ideal-gas density, kept inside a bracket of the root and bisected when a step leaves it
    // or meets a falling pressure; the gas root when there is one (as in the reference code,
    // which makes no phase-equilibrium check, it may be a metastable state just beyond the
    // dew line), else the liquid root searched from the dense side. Nothing without a
    // composition, for a pressure or temperature that is not positive and finite, or when no
    // stable density reproduces the pressure.
    std::optional<double> Density(double P_MPa, double T_K);
    // All properties at (D, T_K); nothing without a composition or when a result is not finite.
    std::optional<gerg2008::Properties> PropertiesAt(double D, double T_K);

private:
    // One term of the residual Helmholtz energy, already weighted by the composition:
    // coef delta^d tau^t exp(-delta^c) (c = 0: no exponential), or, for the Gaussian terms of
    // the departure functions, coef delta^d tau^t exp(-eta (delta - eps)^2 - beta (delta - gam)).
    struct Term {
        double coef;
        int d;
        int t40;  // 40 t: every exponent t of GERG-2008 is a multiple of 1/40
        int c;
        bool gauss;
        double eta, eps, beta, gam;
        int group;
    };
    // Terms of one shape in delta, summed over their tau powers for the current temperature.
    struct Group {
        int d, c;
        bool gauss;
        double eta, eps, beta, gam;
        int gi;      // its Gaussian exponential in gaussians_, or -1
        double sum;  // sum of coef tau^t over the group's terms
    };
    // The distinct Gaussian exponentials of the departure functions (GERG-2008 has 9).
    struct Gaussian {
        double eta, eps, beta, gam;
    };
    static constexpr int kMaxGaussians = 16;
    struct DeltaSums {
        double a1, a2;  // delta dar/ddelta, delta^2 d2ar/ddelta2
    };
    void TemperatureTerms(double T_K);
    std::optional<double> DensityFrom(double P_MPa, double T_K, double D, bool from_dense) const;
    DeltaSums ResidualDelta(double delta) const;
    void AddTerm(double coef, int d, double t, int c, bool gauss, double eta, double eps, double beta,
                 double gam);

    std::array<double, gerg2008::kComponentCount> x_{};  // by GERG-2008 component index
    bool composition_set_ = false;
    double mw_ = 0.0;
    double tr_ = 0.0;
    double dr_ = 0.0;
    double dcx_ = 0.0;  // 1 / sum x_i / Dc_i, mol/dm3
    std::vector<Term> terms_;
    std::vector<Group> groups_;
    std::vector<Gaussian> gaussians_;
    unsigned c_mask_ = 0;  // bit c set: some group has exp(-delta^c)
    // Temperature terms for t_: tau^t of each term.
    double t_ = -1.0;
    std::vector<double> taut_;
};

}  // namespace quorven
