#pragma once
// "Meter System Uncertainty Calculation Setup" (CAccuDialog): the inputs of the
// meter system uncertainty. OK writes them through ApplyAccuInputs; Cancel
// writes nothing. Returns true when the record was changed.

#include "record/tag_record.h"

class QWidget;

namespace quorven {

inline constexpr int kIdAccuInclYes = 1377;
inline constexpr int kIdAccuInclNo = 1378;
inline constexpr int kIdAccuStraightYes = 1771;
inline constexpr int kIdAccuStraightNo = 1772;
inline constexpr int kIdAccuPercent = 1379;
inline constexpr int kIdAccuTolerance = 1380;
inline constexpr int kIdAccuBoreLabel = 1381;
inline constexpr int kIdAccuPipeLabel = 1382;
inline constexpr int kIdAccuBore = 1383;
inline constexpr int kIdAccuPipe = 1384;
inline constexpr int kIdAccuFirstPercent = 1385;  // 1385 to 1393
inline constexpr int kIdAccuBoreUnit = 1395;
inline constexpr int kIdAccuPipeUnit = 1396;

bool ExecAccuDialog(QWidget* parent, TagRecord& r);

}  // namespace quorven
