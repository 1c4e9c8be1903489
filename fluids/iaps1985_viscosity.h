#pragma once
// IAPS 1985 release on the viscosity of ordinary water substance (Sengers and
// Watson, J. Phys. Chem. Ref. Data 15 (1986) 1291), without the critical
// enhancement factor.

namespace quorven::iaps1985 {

// Dynamic viscosity [Pa s] at T_K [K] and rho [kg/m3]. No range check.
double WaterViscosity(double T_K, double rho_kg_m3);

}  // namespace quorven::iaps1985
