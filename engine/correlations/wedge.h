#pragma once
// Discharge coefficients of wedge meters. b the wedge's equivalent diameter ratio
// [-]; nominal sizes in inches.

#include <cstdint>

namespace quorven {

// ISO 5167-6:2019, wedge meter: C = 0.77 - 0.09 b.
double WedgeC_Iso5167_6(double b);

// Miller, Flow Measurement Engineering Handbook, 3rd ed., wedge meter by nominal
// size; 0 for the sizes the correlation does not cover (0.6 to 0.99 in).
double WedgeC_Miller(double b, double nominal_in);

// Which ABB wedge table a model uses, and what a missing size reports.
enum class AbbWedgeFit {
    Ok,
    NotA1615LSize,      // Error #14
    Not1610L1630LSize,  // Error #15
    NotIntegralSize,    // Error #16
    NotAnAbbWedge,
};

struct AbbWedgeResult {
    double C = 0.0;
    AbbWedgeFit fit = AbbWedgeFit::NotAnAbbWedge;
};

// ABB wedge meter calibration cubics (models 1610L/1615L, 1630L, integral 1335L to
// 1337L; meter types 1692 to 1697): C = sqrt(1 - beta^4)(w0 + w1 h + w2 h^2 + w3 h^3),
// h = segment height / pipe I.D. The size is matched exactly against the tables.
AbbWedgeResult WedgeC_AbbManufacturer(int32_t meter_type, double nominal_in, double beta, double h);

// The wedge meter flow coefficient Kd^2 [in^2] as the wedge tables state it: the
// flow coefficient K = C / sqrt(1 - b^4) times the square of the equivalent bore d
// [in], so that a liquid flows q [US gal/min] = 5.668 Kd^2 sqrt(hw [inH2O] / Gf).
// 0 when b is outside (0, 1) or the result is not finite.
double WedgeFlowCoefficientKd2(double C, double d_in, double b);

}  // namespace quorven
