#include "record/formats.h"

#include <cmath>

#include "record/cformat.h"
#include "record/units.h"

namespace quorven {
namespace {

struct Step {
    double at_least;
    const char* format;
};

constexpr std::size_t kFixedWidth = 15;

// Picks the first step whose threshold the value reaches; otherwise `last`.
template <std::size_t N>
std::string ByMagnitude(double v, const Step (&steps)[N], const char* last) {
    for (const Step& s : steps)
        if (v >= s.at_least) return FmtFixed(s.format, v);
    return FmtFixed(last, v);
}

}  // namespace

std::string FmtFixed(const char* format, double v) {
    std::string s = CFormat(format, {v});
    // Cutting a long fixed form would show a wrong number; write it in exponent
    // form instead, with as many digits as fit.
    for (int digits = 8; s.size() > kFixedWidth && digits >= 0; --digits)
        s = CFormat("%." + std::to_string(digits) + "e", {v});
    return s;
}

std::string FmtFlow(double v) {
    constexpr Step k[] = {{10000, "%.1f"}, {1000, "%.2f"}, {100, "%.3f"}, {10, "%.4f"}};
    return ByMagnitude(v, k, "%.5f");
}

std::string FmtPressure(double v) {
    constexpr Step k[] = {{1000, "%.1f"}, {100, "%.2f"}};
    return ByMagnitude(v, k, "%.4f");
}

std::string FmtAtmPressure(double v) {
    constexpr Step k[] = {{1000, "%.1f"}, {100, "%.2f"}, {10, "%.3f"}, {1, "%.4f"}};
    return ByMagnitude(v, k, "%.5f");
}

std::string FmtBasePressure(double v) {
    // Five places below 1, not seven: the run of the steps stops there on purpose.
    constexpr Step k[] = {{1000, "%.3f"}, {100, "%.4f"}, {10, "%.5f"}, {1, "%.6f"}};
    return ByMagnitude(v, k, "%.5f");
}

std::string FmtDiffPressure(double v) {
    constexpr Step k[] = {{100, "%.3f"}, {10, "%.4f"}, {1, "%.5f"}};
    return ByMagnitude(v, k, "%.6f");
}

std::string FmtSixPlaces(double v) {
    constexpr Step k[] = {
        {9999.9, "%.1f"}, {999.9, "%.2f"}, {99.99, "%.3f"}, {9.99, "%.4f"}, {0.999, "%.5f"}};
    return ByMagnitude(v, k, "%.6f");
}

std::string FmtDensity(double v) {
    constexpr Step k[] = {{100, "%.2f"}, {10, "%.3f"}, {0.1, "%.4f"}};
    return ByMagnitude(v, k, "%.4e");
}

std::string FmtViscosity(double v) {
    constexpr Step k[] = {{100, "%.3f"}, {10, "%.4f"}, {0.01, "%.5f"}};
    return ByMagnitude(v, k, "%.4e");
}

std::string FmtShort(double v) {
    constexpr Step k[] = {{100, "%.3f"}};
    return ByMagnitude(v, k, "%.4f");
}

std::string FmtTemperature(double v) {
    return FmtFixed("%.2f", v);
}

std::string FmtLengthWithUnit(double inches, const TagRecord& r, const UnitTables& t) {
    const double v = inches * FactorOf(r, Quantity::Bore);
    const int32_t index = IsUnitIndex(UnitList::BoreLength, r.Unit_Bore_Set) ? r.Unit_Bore_Set : 0;
    const std::string_view name = UnitName(t, UnitList::BoreLength, index);
    const char* format = index == 1 ? "%.0f %s" : index == 2 ? "%.1f %s" : "%.4f %s";
    return CFormat(format, {v, name});
}

double RoundTo(double x, int n) {
    if (!(x < 19999999.0)) return x;
    const double scale = std::pow(10.0, n);
    const double r = std::trunc(x * scale + 0.5) / scale;
    return std::isfinite(r) ? r : x;
}

}  // namespace quorven
