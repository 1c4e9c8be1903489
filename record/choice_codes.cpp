#include "record/choice_codes.h"

namespace quorven {
namespace {

constexpr int32_t kFluidEquation[] = {1345, 1346, 1352, 1353};
constexpr int32_t kFluidCondition[] = {1347, 1348, 1354, 1355};
constexpr int32_t kFluidProperty[] = {1349, 1350, 1356, 1357, 1358};
constexpr int32_t kSizeParam[] = {1120, 1121, 1122};
constexpr int32_t kCalcMode[] = {1123, 1124, 1125};
constexpr int32_t kMeterType[] = {1128, 1129, 1130, 1131, 1132, 1133, 1134, 1150, 1151, 1152,
                                  1153, 1156, 1157, 1158, 1776, 1163, 1165, 1690, 1691, 1692,
                                  1693, 1694, 1695, 1696, 1697, 1359, 1360, 1361, 1362, 1363,
                                  1762, 1369, 1370, 1373, 1374, 1766, 1684, 1687};
constexpr int32_t kCalcStd[] = {1137, 1138, 1777, 1139, 1703, 1749, 1764, 1765, 1774, 1750,
                                1751, 1752, 1778, 1753, 1773, 1680, 1681, 1704, 1775};

}  // namespace

std::span<const int32_t> FluidEquationCodes() {
    return kFluidEquation;
}
std::span<const int32_t> FluidConditionCodes() {
    return kFluidCondition;
}
std::span<const int32_t> FluidPropertyCodes() {
    return kFluidProperty;
}
std::span<const int32_t> SizeParamCodes() {
    return kSizeParam;
}
std::span<const int32_t> CalcModeCodes() {
    return kCalcMode;
}
std::span<const int32_t> MeterTypeCodes() {
    return kMeterType;
}
std::span<const int32_t> CalcStdCodes() {
    return kCalcStd;
}

}  // namespace quorven
