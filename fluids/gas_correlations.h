#pragma once
// The published correlations under the gas and vapour computation, as functions of
// plain doubles: K, bar (absolute), g/mol, cm3/mol, g/cm3, cP. Each returns its value
// with a status; a status other than Ok carries no usable value.

#include <array>
#include <span>

#include "fluids/property_record.h"

namespace quorven {

enum class PropStatus {
    Ok,
    MissingData,    // a required datum is 0 (or the input is outside the equation's domain)
    NoConvergence,  // the iteration found no root
};

struct PropValue {
    double value = 0.0;
    PropStatus status = PropStatus::MissingData;
    bool ok() const { return status == PropStatus::Ok; }
};

// Equation-of-state codes of the gas computation (the dialog lists them as "Redlich
// Kwong", "Soave-Redlich Kwong", "Benedict-Webb-Rubin").
enum class GasEquation : int32_t {
    SoaveRedlichKwong = 1,
    RedlichKwong = 3,
    BenedictWebbRubin = 4,  // the Dranchuk-Purvis-Robinson fit of the Standing-Katz chart
};

using KijVector = std::array<double, kKijPositions>;

// Vapour pressure [bar] of one component at T [K] below its critical temperature:
// Wagner (eqn 1; Wagner 1973, "3-6" form: ln(P/Pc) = (A tau + B tau^1.5 + C tau^3 +
// D tau^6)/(1 - tau)), Frost-Kalkwarf-Thodos (eqn 2, ln P = A - B/T + C ln T + D P/T^2,
// solved by secant), Antoine (eqn 3, P = exp(A - B/(T + C))). MissingData unless the
// equation is one of these, T, Tc and Pc are nonzero, one of A..D is nonzero and
// Tc > T > 0.
PropValue VaporPressure(int32_t eqn, double Tc, double A, double B, double C, double D, double T, double Pc);

// The vapour pressure [bar] by which a component's phase is decided at T [K] below its
// critical temperature: its own equation (Vp_Eqn); for a component without one, or whose
// equation gives nothing at T, the generalised vapour pressure of Thomson, Brobst and
// Hankinson, AIChE J. 28 (1982) 671, eqs 13-15, Pc ThomsonReducedVaporPressure(T/Tc, omega)
// from the record's Crit_Temp, Crit_Press and Acentric (the correlation under the liquid
// density). So every component with its critical constants has a phase.
struct PhaseVapourPressure {
    PropValue bar;                 // MissingData when T is not below Tc, or Tc or Pc is missing
    bool equation_failed = false;  // the record names an equation that gave nothing at T
};
PhaseVapourPressure ComponentPhaseVapourPressure(const PropertyRecord& r, double T);

// Mixture attraction parameter a of the Redlich-Kwong (1949) or Soave (1972) cubic,
// with the gas constant left out (it cancels in A and B): a_i = 0.42748 Tc^2.5 /
// (Pc T^0.5), or 0.42748 Tc^2 alpha / Pc with Soave's alpha; a = sum x_i x_j (a_i
// a_j)^0.5 (1 - k_ij). k_ij from the 8-position interaction vectors: at the first
// position where either vector holds exactly 1.0, the product of the two values
// there; 0 when none does.
double MixEosA(std::span<const double> x, GasEquation code, std::span<const double> omega,
               std::span<const double> Pc, std::span<const double> Tc, std::span<const KijVector> kij,
               double T);

// Compressibility factor of the vapour root of the cubic at P [bar], T [K]:
// A = a P / T^2, B = (sum x_i (0.08664 Tc_i / Pc_i)^0.5)^2 P / T, solved by secant
// in (0.9, 2.0), then (0.8, 0.9) down to (0.1, 0.2). BenedictWebbRubin gives DprZ.
// MissingData when P, T or any x, Pc, Tc, omega is 0 (or P, T negative);
// NoConvergence when no bracket holds a root.
PropValue CubicZ(std::span<const double> x, GasEquation code, double P, double T, std::span<const double> Pc,
                 std::span<const double> Tc, std::span<const double> omega, std::span<const KijVector> kij);

// Dranchuk, Purvis and Robinson (1974) fit of the Standing-Katz chart with Kay's
// pseudo-critical constants, solved by Newton's method for the reduced density.
PropValue DprZ(std::span<const double> x, std::span<const double> Pc, std::span<const double> Tc, double P,
               double T);

// Ideal-gas heat capacity [J/(g K)] of the mixture from mole-fraction averages of the
// Cp cubic's coefficients: (sumA + sumB T + sumC T^2 + sumD T^3) / MW.
PropValue IdealGasCp(double sumB, double sumC, double sumD, double MW, double T, double sumA);

// Ideal-gas isentropic exponent k = Cp / (Cp - R), Cp molar.
PropValue IsentropicExponent(double Cp_J_gK, double MW);

// Chung, Ajlan, Lee and Starling, Ind. Eng. Chem. Res. 27 (1988) 671: dense-gas
// viscosity [cP] at T [K] and density rho [g/cm3], with the 1988 mixing rules, the
// Neufeld collision integral (its six-constant form) and no association term.
PropValue ChungViscosity(double T, double rho, std::span<const double> x, std::span<const double> MW,
                         std::span<const double> Tc, std::span<const double> Vc,
                         std::span<const double> omega, std::span<const double> dipole);

}  // namespace quorven
