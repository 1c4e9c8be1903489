#pragma once
// The pure pieces of the critical-drop (choked) gas solution; the solution
// itself is CCalculate::SizeCriticalGas (engine/calculate.h).

#include <cstdint>

namespace quorven {

// Critical flow function C* = sqrt(k / Z (2 / (k + 1))^((k + 1) / (k - 1)))
// (ISO 9300:2005, eq. 5, for a perfect gas, divided by sqrt(Z) for a real one);
// the exponent is 0 for k <= 1. 0 when not finite or not positive.
double CriticalFlowFunction(double k, double Z);

// Critical-flow discharge coefficient C = A - B / Rd^E of the cylindrical
// (1369) and toroidal (1370) throat nozzles and the thick orifice plate (1374);
// every other type takes the toroidal nozzle row. 0 when Rd is not positive.
double CriticalNozzleCoefficient(int32_t meter_type, double Rd);

}  // namespace quorven
