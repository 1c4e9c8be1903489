#pragma once
// The five correction-factor dialogs of the Factors menu. Each shows the
// record's inputs in its display units and, on OK, writes them through the
// Qt-free Apply functions of factor_inputs.h; Cancel leaves the record as it was.
// Each returns true when the record was changed.

#include "record/tag_record.h"
#include "record/unit_tables.h"

class QWidget;

namespace quorven {

// Control identifiers (objectName "id" + number) besides the mode radios of
// factor_inputs.h.
inline constexpr int kIdManoYes = 1196;
inline constexpr int kIdManoNo = 1197;
inline constexpr int kIdManoSealTemp = 1198;
inline constexpr int kIdManoSealDensity = 1199;
inline constexpr int kIdManoGravity = 1200;
inline constexpr int kIdManoGravityUnit = 1201;
inline constexpr int kIdDrainList = 1188;
inline constexpr int kIdDrainManualDia = 1191;
inline constexpr int kIdVapourYes = 1206;
inline constexpr int kIdVapourNo = 1207;
inline constexpr int kIdVapourValue = 1214;
inline constexpr int kIdSatLiqYes = 1217;
inline constexpr int kIdSatLiqNo = 1218;
inline constexpr int kIdSatLiqQuality = 1219;
inline constexpr int kIdSatLiqDensity = 1220;
inline constexpr int kIdVapQualYes = 1221;
inline constexpr int kIdVapQualNo = 1222;
inline constexpr int kIdVapQualQuality = 1223;
inline constexpr int kIdVapQualDensity = 1224;

bool ExecManometerDialog(QWidget* parent, TagRecord& r, const UnitTables& t);
bool ExecDrainVentDialog(QWidget* parent, TagRecord& r);
bool ExecWaterVapourDialog(QWidget* parent, TagRecord& r);
bool ExecSaturatedLiquidDialog(QWidget* parent, TagRecord& r);
bool ExecVapourQualityDialog(QWidget* parent, TagRecord& r);

// The dialog of a Factors menu command (command_ids.h); false for any other id.
bool RunFactorCommand(int command_id, QWidget* parent, TagRecord& r, const UnitTables& t);

}  // namespace quorven
