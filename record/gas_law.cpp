#include "record/gas_law.h"

#include <cmath>

#include "record/constants.h"

namespace quorven {
namespace {

bool Positive(double x) {
    return std::isfinite(x) && x > 0.0;
}

double FiniteOrZero(double x) {
    return std::isfinite(x) ? x : 0.0;
}

}  // namespace

double GasDensity(double P_psia, double MW, double Z, double T_R) {
    if (!Positive(P_psia) || !Positive(MW) || !Positive(Z) || !Positive(T_R)) return 0.0;
    return FiniteOrZero(P_psia * MW / (kGasConstant * Z * T_R));
}

double GasCompressibility(double P_psia, double MW, double rho_lb_ft3, double T_R) {
    if (!Positive(P_psia) || !Positive(MW) || !Positive(rho_lb_ft3) || !Positive(T_R)) return 0.0;
    return FiniteOrZero(P_psia * MW / (kGasConstant * T_R * rho_lb_ft3));
}

double ConvertedVolume(double volume, double rho_from, double rho_to) {
    if (!std::isfinite(volume) || !Positive(rho_from) || !Positive(rho_to)) return 0.0;
    return FiniteOrZero(volume * rho_from / rho_to);
}

}  // namespace quorven
