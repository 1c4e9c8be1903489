// IAPS 1985 equation for the viscosity of ordinary water substance, as printed:
//   mu = mu* mu0(T) mu1(T, rho),   mu0 = Tr^(1/2) / sum(i = 0..3) H_i / Tr^i,
//   mu1 = exp[ Dr sum(i = 0..5) sum(j = 0..6) H_ij (1/Tr - 1)^i (Dr - 1)^j ],
// Tr = T/T*, Dr = rho/rho*, T* = 647.27 K (the 1985 value, IPTS-68), rho* = 317.763 kg/m3,
// mu* = 55.071E-6 Pa s. The critical enhancement mu2 is left out (as in the program's steam table).
// Coefficients as in tests/data/steam/iaps1985_viscosity_*.csv (sources in its README).

#include "fluids/iaps1985_viscosity.h"

#include <cmath>

namespace quorven::iaps1985 {
namespace {

constexpr double kTstar_K = 647.27;
constexpr double kRhoStar_kg_m3 = 317.763;
constexpr double kMuStar_Pa_s = 55.071E-6;

// H_i, i = 0..3.
constexpr double kH[4] = {1.0, 0.978197, 0.579829, -0.202354};

// H_ij, i = 0..5 (rows, with 1/Tr - 1), j = 0..6 (columns, with Dr - 1).
constexpr double kHij[6][7] = {
    {0.5132047, 0.2151778, -0.2818107, 0.1778064, -0.0417661, 0, 0},
    {0.3205656, 0.7317883, -1.070786, 0.460504, 0, -0.01578386, 0},
    {0, 1.241044, -1.263184, 0.2340379, 0, 0, 0},
    {0, 1.476783, 0, -0.4924179, 0.1600435, 0, -0.003629481},
    {-0.7782567, 0, 0, 0, 0, 0, 0},
    {0.1885447, 0, 0, 0, 0, 0, 0},
};

}  // namespace

double WaterViscosity(double T_K, double rho_kg_m3) {
    const double Tr = T_K / kTstar_K;
    const double Dr = rho_kg_m3 / kRhoStar_kg_m3;
    double den = 0.0;
    for (int i = 0; i <= 3; ++i) den += kH[i] / std::pow(Tr, i);
    const double mu0 = std::sqrt(Tr) / den;
    double sum = 0.0;
    for (int i = 0; i <= 5; ++i)
        for (int j = 0; j <= 6; ++j) sum += kHij[i][j] * std::pow(1.0 / Tr - 1.0, i) * std::pow(Dr - 1.0, j);
    const double mu1 = std::exp(Dr * sum);
    return kMuStar_Pa_s * mu0 * mu1;
}

}  // namespace quorven::iaps1985
