#pragma once
// Choice codes stored in the tag record. Each value is the numeric identifier of
// the dialog control that selects the choice; the numbers are file format and are
// never renumbered.

#include <cstdint>
#include <span>

namespace quorven {

enum class FluidEquation : int32_t {
    LiquidVolume = 1345,
    LiquidMass = 1346,
    GasVolume = 1352,
    GasMass = 1353,
};

enum class FluidCondition : int32_t {
    LiquidBaseTemp = 1347,
    LiquidFlowingTemp = 1348,
    GasBase = 1354,
    GasFlowing = 1355,
};

enum class FluidProperty : int32_t {
    LiquidSG = 1349,
    LiquidDensity = 1350,
    GasSG = 1356,
    GasMW = 1357,
    GasDensity = 1358,
};

enum class SizeParam : int32_t {
    Bore = 1120,
    Dp = 1121,
    Flow = 1122,
};

enum class CalcMode : int32_t {
    Meter = 1123,
    CriticalDrop = 1124,
    Restriction = 1125,
};

enum class MeterType : int32_t {
    ConcentricOrifice = 1128,
    SegmentalOrifice = 1129,
    EccentricOrifice = 1130,
    QuadrantOrifice = 1131,
    SmallBoreOrifice = 1132,
    IntegralOrifice = 1133,
    ConicOrifice = 1134,
    AsmeLongRadiusNozzle = 1150,
    AsmeThroatTapNozzle = 1151,
    IsaNozzle = 1152,
    VenturiNozzle = 1153,
    VenturiMachined = 1156,
    VenturiRoughCast = 1157,
    VenturiWeldedSheet = 1158,
    VenturiPtc195 = 1776,
    Uvt = 1163,
    LoLoss = 1165,
    WedgeIso5167_6 = 1690,
    WedgeMiller = 1691,
    WedgeAbb1610L = 1692,
    WedgeAbb1615L = 1693,
    WedgeAbb1630L = 1694,
    WedgeAbb1335L = 1695,
    WedgeAbb1336L = 1696,
    WedgeAbb1337L = 1697,
    CustomThroatTapNozzle = 1359,
    CustomOrifice = 1360,
    CustomWallTapNozzle = 1361,
    CustomVenturi = 1362,
    CustomFlowTube = 1363,
    CustomWedge = 1762,
    CriticalCylindricalNozzle = 1369,
    CriticalToroidalNozzle = 1370,
    CriticalSquareEdgedOrifice = 1373,
    CriticalThickOrifice = 1374,
    CriticalVenturi = 1766,
    ProprietaryMeter1 = 1684,
    ProprietaryMeter2 = 1687,
};

enum class CalcStd : int32_t {
    Stolz = 1137,
    ReaderHarris1992 = 1138,
    ReaderHarris2012 = 1777,
    Buckingham1985 = 1139,
    ReaderHarrisGallagher1998 = 1703,
    AsmeMfc14M = 1749,
    Miller3rd = 1764,
    IsoTr15377 = 1765,
    OrificePtc195 = 1774,
    NozzleAsmeMfc3M1989 = 1750,
    NozzleIso5167_1991 = 1751,
    NozzleRhg1998 = 1752,
    NozzleIso5167_3_2022 = 1778,
    NozzlePtc6 = 1753,
    NozzlePtc195 = 1773,
    VenturiAsmeMfc3M1989 = 1680,
    VenturiIso5167_1991 = 1681,
    VenturiIso5167_4_2022 = 1704,
    VenturiPtc195 = 1775,
};

enum class TapLoc : int32_t { Upstream = 1109, Downstream = 1110 };
enum class VenturiExit : int32_t { Deg15 = 1160, Deg7 = 1161 };
enum class IfoaMfr : int32_t { SiebeFoxboro = 1143, FisherRosemount = 1144 };
enum class IfoaSize : int32_t { Quadrant05 = 1145, Square05 = 1146, Square10 = 1147, Square15 = 1148 };
enum class DrainType : int32_t { FromList = 1187, None = 1189, Manual = 1190 };
enum class H2OvapSetup : int32_t { FlowingTemp = 1211, UserTemp = 1212, RelHumidity = 1213 };

// Calc_Status values.
inline constexpr int32_t kStatusNotCalculated = 0;
inline constexpr int32_t kStatusCalculated = 1;
inline constexpr int32_t kStatusWarningsSuppressed = 20;

constexpr int32_t Code(auto e) {
    return static_cast<int32_t>(e);
}

// Named groups of choices, defined once. A fluid equation below 1352 is a liquid
// (volume 1345 or mass 1346), 1352 and above a gas or vapour.
constexpr bool IsLiquidEquation(int32_t fluid_equation) {
    return fluid_equation < Code(FluidEquation::GasVolume);
}
// Orifice plates of the meter dialog, 1128 to 1134.
constexpr bool IsOrificePlate(int32_t t) {
    return t >= Code(MeterType::ConcentricOrifice) && t <= Code(MeterType::ConicOrifice);
}
// Flow nozzles 1150 to 1153.
constexpr bool IsNozzle(int32_t t) {
    return t >= Code(MeterType::AsmeLongRadiusNozzle) && t <= Code(MeterType::VenturiNozzle);
}
// Classical venturi tubes: machined, rough-cast, welded sheet and ASME PTC 19.5.
constexpr bool IsVenturiTube(int32_t t) {
    return (t >= Code(MeterType::VenturiMachined) && t <= Code(MeterType::VenturiWeldedSheet)) ||
           t == Code(MeterType::VenturiPtc195);
}
// The wedge meters of the wedge dialog (ISO 5167-6, Miller and the ABB wedges).
constexpr bool IsStandardWedge(int32_t t) {
    return t >= Code(MeterType::WedgeIso5167_6) && t <= Code(MeterType::WedgeAbb1337L);
}
// Every wedge meter, the custom wedge with the user's coefficient included.
constexpr bool IsWedgeMeter(int32_t t) {
    return IsStandardWedge(t) || t == Code(MeterType::CustomWedge);
}
// The ABB wedges 1692 to 1697 (manufacturer's coefficients).
constexpr bool IsAbbWedge(int32_t t) {
    return t >= Code(MeterType::WedgeAbb1610L) && t <= Code(MeterType::WedgeAbb1337L);
}
// Custom meters solved directly with the user's coefficient, 1359 to 1363.
constexpr bool IsCustomDirectMeter(int32_t t) {
    return t >= Code(MeterType::CustomThroatTapNozzle) && t <= Code(MeterType::CustomFlowTube);
}
// Every meter whose coefficient is the user's: 1359 to 1363 and the custom wedge.
constexpr bool IsCustomMeter(int32_t t) {
    return IsCustomDirectMeter(t) || t == Code(MeterType::CustomWedge);
}
// The critical-drop nozzles, orifices and venturi.
constexpr bool IsCriticalDropDevice(int32_t t) {
    return t == Code(MeterType::CriticalCylindricalNozzle) || t == Code(MeterType::CriticalToroidalNozzle) ||
           t == Code(MeterType::CriticalSquareEdgedOrifice) || t == Code(MeterType::CriticalThickOrifice) ||
           t == Code(MeterType::CriticalVenturi);
}
constexpr bool IsProprietaryMeter(int32_t t) {
    return t == Code(MeterType::ProprietaryMeter1) || t == Code(MeterType::ProprietaryMeter2);
}

// The values each choice field may hold, for checking records read from files.
std::span<const int32_t> FluidEquationCodes();
std::span<const int32_t> FluidConditionCodes();
std::span<const int32_t> FluidPropertyCodes();
std::span<const int32_t> SizeParamCodes();
std::span<const int32_t> CalcModeCodes();
std::span<const int32_t> MeterTypeCodes();
std::span<const int32_t> CalcStdCodes();

}  // namespace quorven
