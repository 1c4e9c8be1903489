#pragma once
// Compressibility and density of natural gas by the Detail Characterization Method of
// AGA Report No. 8, "Compressibility Factors of Natural Gas and Other Related Hydrocarbon
// Gases", 2nd edition (November 1994), for mixtures of its 21 components.
//
// Units as the report's own program uses them: pressure in MPa, temperature in K, molar
// density in kmol/m3 (= mol/dm3), molar mass in g/mol. The program's record is in psia
// and degrees Rankine; the Fluids commands convert at their interface.

#include <array>
#include <optional>
#include <span>

namespace quorven {

namespace aga8 {

inline constexpr int kComponentCount = 21;

// The report's component numbers (its "AGA numbers").
enum class Component : int {
    Methane = 1,
    Nitrogen = 2,
    CarbonDioxide = 3,
    Ethane = 4,
    Propane = 5,
    Water = 6,
    HydrogenSulfide = 7,
    Hydrogen = 8,
    CarbonMonoxide = 9,
    Oxygen = 10,
    IButane = 11,
    NButane = 12,
    IPentane = 13,
    NPentane = 14,
    NHexane = 15,
    NHeptane = 16,
    NOctane = 17,
    NNonane = 18,
    NDecane = 19,
    Helium = 20,
    Argon = 21,
};

// Characterization parameters of one component: molar mass M [g/mol], energy E [K],
// size K [(m3/kmol)^(1/3)], orientation G, quadrupole Q, high-temperature F, dipole S and
// association W (dimensionless).
struct ComponentParameters {
    double M, E, K, G, Q, F, S, W;
};

// Binary interaction parameters of the pair i < j (AGA numbers): energy E*ij, conformal
// energy Uij, size Kij and orientation G*ij. A pair not listed has all four equal to 1.
struct BinaryParameters {
    int i, j;
    double E, U, K, G;
};

// One of the 58 terms of the equation of state: a_n and its exponents and flags.
struct EosTerm {
    double a;
    int b, c, k;
    double u;
    int g, q, f, s, w;
};

// The report's tables: index 0 holds AGA number 1.
std::span<const ComponentParameters, kComponentCount> ComponentTable();
std::span<const BinaryParameters> BinaryTable();
std::span<const EosTerm, 58> EosTable();

// Molar mass [g/mol] of the component with AGA number 1..21; 0 for any other number.
double MolarMass(int aga_number);

// Gas constant of the method, 8.31451 J/(mol K), in MPa dm3/(mol K).
inline constexpr double kR = 0.00831451;
// The 1994 program converts psia with 6894.757 Pa/psi and degrees F by (F + 459.67) / 1.8.
inline constexpr double kPaPerPsi = 6894.757;
// Its base state for Zb and Db: 14.73 psia and 60 degrees F.
inline constexpr double kReportBase_MPa = 14.73 * kPaPerPsi / 1e6;
inline constexpr double kReportBase_K = (60.0 + 459.67) / 1.8;

}  // namespace aga8

// What Compute gives: molar mass, and compressibility and molar density at the base and
// the flowing state.
struct Aga8Results {
    double MW = 0.0;  // g/mol
    double Zb = 0.0;
    double Db = 0.0;  // kmol/m3
    double Zf = 0.0;
    double Df = 0.0;  // kmol/m3
};

// A working object for one command: holds the composition-dependent terms of the last
// composition and the temperature-dependent terms of the last temperature.
class CFluidAGA8NaturalGas {
public:
    // `numbers` are AGA numbers (1..21, each at most once, any order) and `molePercents`
    // their amounts, normalised to mole fractions that add up to 1. P_MPa, T_K: flowing
    // state; Pb_MPa, Tb_K: base state (default: the report's 14.73 psia and 60 degrees F).
    // Nothing when the composition is empty, negative or not finite, a number is unknown
    // or repeated, a pressure or temperature is not positive and finite, or no density
    // reproduces a pressure.
    std::optional<Aga8Results> Compute(std::span<const int> numbers, std::span<const double> molePercents,
                                       double P_MPa, double T_K, double Pb_MPa = aga8::kReportBase_MPa,
                                       double Tb_K = aga8::kReportBase_K);

    // --- The steps of Compute, for callers that evaluate several states ---

    // Mole amounts by AGA number (index 0 = AGA number 1), normalised here; false (and the
    // previous composition kept) when they are negative, not finite or add up to 0.
    bool SetComposition(std::span<const double, aga8::kComponentCount> amounts);
    double MolarMass() const { return mw_; }
    // Mixture size parameter K^3 [m3/kmol] and energy parameter U [K].
    double SizeParameterCubed() const { return k3_; }
    double EnergyParameter() const { return u_; }
    // Second virial coefficient [m3/kmol] at T_K.
    double SecondVirial(double T_K);
    // Compressibility factor and pressure [MPa] at molar density D [kmol/m3] and T_K.
    double Z(double D, double T_K);
    double Pressure(double D, double T_K);
    // Molar density [kmol/m3] that gives P_MPa at T_K: a bracketing search upwards from the
    // ideal-gas density corrected by the second virial coefficient, then Brent's method.
    // Nothing when no bracket is found or the iteration does not converge.
    std::optional<double> Density(double P_MPa, double T_K);

private:
    void TemperatureTerms(double T_K);

    std::array<double, aga8::kComponentCount> x_{};  // mole fractions
    double mw_ = 0.0;
    double k3_ = 0.0;
    double u_ = 0.0;
    // Composition parts: the double sums of the second virial coefficient's terms n = 1..18
    // (with their an) and the C*n without their temperature factor (n = 13..58; index n - 1).
    std::array<double, 18> b_comp_{};
    std::array<double, 58> c_comp_{};
    // Temperature parts for t_: B and C*_n T^-un.
    double t_ = -1.0;
    double b_ = 0.0;
    std::array<double, 58> c_t_{};
    bool composition_set_ = false;
};

}  // namespace quorven
