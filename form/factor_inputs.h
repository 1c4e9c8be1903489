#pragma once
// What the five correction-factor dialogs write into a tag record on OK, apart
// from any widget: manometer, drain/vent hole, water vapour, saturated liquid and
// vapour quality. Each Apply function converts the typed values from the record's
// display units to internal units and writes the record only when every value is
// finite and in range; otherwise it returns false and the record is untouched.
// A successful Apply clears Calc_Status: the results no longer match the inputs.

#include <cstdint>
#include <optional>

#include "record/tag_record.h"
#include "record/unit_tables.h"

namespace quorven {

// Radio identifiers of the drain/vent hole input mode (Factor_DrainType).
inline constexpr int32_t kDrainFromList = Code(DrainType::FromList);
inline constexpr int32_t kDrainNone = Code(DrainType::None);
inline constexpr int32_t kDrainManual = Code(DrainType::Manual);
// Radio identifiers of the water vapour pressure mode (Factor_H2OvapSetup).
inline constexpr int32_t kVapourAtFlowTemp = Code(H2OvapSetup::FlowingTemp);
inline constexpr int32_t kVapourAtUserTemp = Code(H2OvapSetup::UserTemp);
inline constexpr int32_t kVapourAtHumidity = Code(H2OvapSetup::RelHumidity);

// Largest manual drain/vent hole diameter, in the bore unit.
inline constexpr double kMaxManualDrainDia = 100.0;

struct ManometerInputs {
    bool include = false;
    double seal_temp = 0;      // Temperature unit (Unit_Temp_Set)
    double seal_density = 0;   // display density unit (Unit_Dens)
    double gravity = 0;        // in the chosen gravity unit
    int32_t gravity_unit = 0;  // index into the Acceleration list
};
// Values shown on opening (display units of the record).
ManometerInputs ManometerInputsOf(const TagRecord& r);
bool ApplyManometerInputs(TagRecord& r, const UnitTables& t, const ManometerInputs& in);

struct DrainInputs {
    int32_t mode = kDrainNone;  // kDrainFromList, kDrainNone, kDrainManual
    int32_t position = 0;       // list position (0: no hole)
    double manual_dia = 0;      // bore unit, used in manual mode
};
DrainInputs DrainInputsOf(const TagRecord& r);
bool ApplyDrainInputs(TagRecord& r, const DrainInputs& in);

struct WaterVapourInputs {
    bool include = false;
    int32_t mode = kVapourAtFlowTemp;
    double value = 0;  // temperature unit for kVapourAtUserTemp, percent for kVapourAtHumidity
};
// On opening, a stored user temperature at or below 0 deg F is replaced by the
// flowing temperature, so the edit starts from a sensible value.
WaterVapourInputs WaterVapourInputsOf(const TagRecord& r);
bool ApplyWaterVapourInputs(TagRecord& r, const WaterVapourInputs& in);

// Saturated liquid (vapour density) and vapour quality (liquid density) share
// their fields: Factor_QualX in percent by mass, Factor_QualRho in lb/ft3.
struct QualityInputs {
    bool include = false;
    std::optional<double> quality;  // percent by mass; blank means 0
    std::optional<double> density;  // display density unit; blank means 0
};
QualityInputs QualityInputsOf(const TagRecord& r, bool saturated_liquid);
// Factor_SatLiq (saturated_liquid) or Factor_VapQual with Factor_QualX and
// Factor_QualRho. Blank values of the saturated liquid factor mean a bubble-point
// or saturated liquid (stored as 0).
bool ApplyQualityInputs(TagRecord& r, bool saturated_liquid, const QualityInputs& in);

}  // namespace quorven
