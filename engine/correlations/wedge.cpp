#include "engine/correlations/wedge.h"

#include <cmath>
#include <span>

#include "record/choice_codes.h"

namespace quorven {
namespace {

struct WedgeRow {
    double size_in;
    double w[4];
};

// ABB wedge meter calibration coefficients, models 1610L and 1615L (the 1615L is
// made in the first four sizes only), h^3 term 0 from 6 in upward.
constexpr WedgeRow kAbb1610L[] = {
    {0.5, {0.1476919, 6.976086, -20.8345, 20.23392}},     {1.0, {0.6143946, 1.456465, -4.327074, 4.16534}},
    {1.5, {1.112926, -3.439246, 9.093804, -6.815825}},    {2.0, {0.9598874, -1.444113, 2.850158, -1.349054}},
    {3.0, {0.7907506, -0.1299597, -0.5957206, 1.589653}}, {4.0, {0.753645, 0.1997984, -1.086814, 1.564108}},
    {6.0, {0.6910229, 0.1512042, 0.006528239, 0}},        {8.0, {0.8044539, -0.3996484, 0.6208738, 0}},
    {10.0, {0.8931119, -0.6912484, 0.8458659, 0}},        {12.0, {0.9637514, -1.274161, 1.881704, 0}},
    {14.0, {0.7449329, -0.05576063, 0.2437092, 0}},       {16.0, {0.740172, -0.005068557, 0.07164381, 0}},
    {18.0, {0.8271198, -0.4453962, 0.6440899, 0}},        {20.0, {0.6658481, 0.4467793, -0.550406, 0}},
    {24.0, {0.6436535, 0.5521222, -0.6467206, 0}},
};

// ABB wedge meter calibration coefficients, model 1630L.
constexpr WedgeRow kAbb1630L[] = {
    {0.5, {0.8624146, -0.2380049, -1.153035, 3.76144}}, {1.0, {1.243169, -4.970859, 15.41139, -14.03634}},
    {1.5, {0.1436292, 6.314081, -20.48811, 21.13229}},  {2.0, {0.8294421, -0.1498838, -1.400129, 3.441334}},
    {3.0, {0.5905932, 0.9866704, -3.383092, 4.795484}}, {4.0, {1.07301, -2.707719, 6.613162, -4.168421}},
    {6.0, {0.7230184, -0.09116242, 0.5307411, 0}},      {8.0, {0.6277094, 0.3592627, -0.01413808, 0}},
    {10.0, {0.8355431, -0.6712294, 1.155624, 0}},       {12.0, {0.9527463, -1.181787, 1.69607, 0}},
    {14.0, {0.7449329, -0.05576063, 0.2437092, 0}},     {16.0, {0.666517, 0.4105107, -0.3582291, 0}},
    {18.0, {0.8106785, -0.3049435, 0.5132188, 0}},      {20.0, {0.7867679, -0.1301527, 0.278018, 0}},
    {24.0, {0.8908063, -0.6779466, 0.9654724, 0}},
};

// ABB integral wedge meters 1335L to 1337L: coefficients are held for 1 in and 1.5 in
// only (the 1/2 in size has no calibration here and reports Error #16).
constexpr WedgeRow kAbbIntegral[] = {
    {1.0, {1.796836, -10.16649, 31.40186, -30.11482}},
    {1.5, {0.7311493, 0.06932084, -0.3693292, 0.8464516}},
};

// Sizes are stored from a fixed list; 1e-6 in absorbs only round-off.
const WedgeRow* FindSize(std::span<const WedgeRow> table, double nominal_in) {
    for (const WedgeRow& row : table)
        if (std::fabs(row.size_in - nominal_in) < 1e-6) return &row;
    return nullptr;
}

}  // namespace

// ISO 5167-6:2019: C = 0.77 - 0.09 b.
double WedgeC_Iso5167_6(double b) {
    return 0.77 - 0.09 * b;
}

// Miller, 3rd ed., wedge meter, by nominal size band.
double WedgeC_Miller(double b, double nominal_in) {
    const double g = 1.0 - b * b;
    if (nominal_in < 0.6) return 0.7883 + 0.107 * g;
    if (nominal_in > 0.99 && nominal_in < 1.52) return 0.6143 + 0.2581 * g;
    if (nominal_in >= 1.52) return 0.5433 + 0.2453 * g;
    return 0.0;
}

// ABB calibration cubic in h, times sqrt(1 - beta^4).
AbbWedgeResult WedgeC_AbbManufacturer(int32_t meter_type, double nominal_in, double beta, double h) {
    AbbWedgeResult res;
    const WedgeRow* row = nullptr;
    switch (meter_type) {
        case Code(MeterType::WedgeAbb1610L):
            row = FindSize(kAbb1610L, nominal_in);
            res.fit = AbbWedgeFit::Not1610L1630LSize;
            break;
        case Code(MeterType::WedgeAbb1615L):
            row = FindSize(std::span(kAbb1610L).first(4), nominal_in);
            res.fit = AbbWedgeFit::NotA1615LSize;
            break;
        case Code(MeterType::WedgeAbb1630L):
            row = FindSize(kAbb1630L, nominal_in);
            res.fit = AbbWedgeFit::Not1610L1630LSize;
            break;
        case Code(MeterType::WedgeAbb1335L):
        case Code(MeterType::WedgeAbb1336L):
        case Code(MeterType::WedgeAbb1337L):
            row = FindSize(kAbbIntegral, nominal_in);
            res.fit = AbbWedgeFit::NotIntegralSize;
            break;
        default:
            return res;
    }
    if (!row) return res;
    res.fit = AbbWedgeFit::Ok;
    res.C = std::sqrt(1.0 - std::pow(beta, 4)) *
            (row->w[0] + row->w[1] * h + row->w[2] * h * h + row->w[3] * h * h * h);
    return res;
}

// Kd^2 = K d^2 with K = C / sqrt(1 - b^4), the form of the ABB calibration
// cubics above (they give K, and C = sqrt(1 - b^4) K).
double WedgeFlowCoefficientKd2(double C, double d_in, double b) {
    if (!(b > 0.0 && b < 1.0)) return 0.0;
    const double kd2 = C / std::sqrt(1.0 - std::pow(b, 4)) * d_in * d_in;
    return std::isfinite(kd2) ? kd2 : 0.0;
}

}  // namespace quorven
