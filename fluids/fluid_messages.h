#pragma once
// The numbered messages the fluid property routines raise, by the names the
// fluid code has long used; each is the message table's own name.

#include <cmath>
#include <initializer_list>
#include <utility>

#include "messages/messages.h"

namespace quorven::fluid_msg {

inline constexpr int kErrorBasePressure = msg::kErrBasePressure;
inline constexpr int kErrorBaseTemperature = msg::kErrBaseTemperature;
inline constexpr int kErrorMixtureFile = msg::kErrMixtureFileOpen;
inline constexpr int kErrorMixtureComponentMissing = msg::kErrMixtureComponentMissing;
inline constexpr int kErrorLiquidState = msg::kErrLiquidState;
inline constexpr int kErrorVapourState = msg::kErrVapourState;
inline constexpr int kErrorVapourOnlyData = msg::kErrVapourStateOnly;
inline constexpr int kErrorNoDatabase = msg::kErrPropertyDatabase;
inline constexpr int kErrorDuplicateComponent = msg::kErrComponentSelectedAlready;
inline constexpr int kErrorMolePercentTotal = msg::kErrMixTotalBeforeCalculate;
inline constexpr int kErrorIncompleteData = msg::kErrPropertyDataIncomplete;
inline constexpr int kErrorNoViscosity = msg::kErrNoViscosityData;
inline constexpr int kErrorNoSpecificHeatRatio = msg::kErrNoSpecificHeatRatioData;
inline constexpr int kErrorNoVapourPressure = msg::kErrNoVapourPressureData;
inline constexpr int kErrorFlowingPressure = msg::kErrFlowingPressure;
inline constexpr int kErrorFlowingTemperature = msg::kErrFlowingTemperature;

inline constexpr int kWarningHbtExtrapolated = msg::kWarnLiquidDensityExtrapolated;
inline constexpr int kWarningLiquidAtBase = msg::kWarnLiquidAtBase;
inline constexpr int kWarningVapourAtBase = msg::kWarnVapourAtBase;

// The conditions a property computation works at, each refused with its own error
// when it is not an absolute value above zero: true when all are usable. A value
// paired with error 0 is not checked.
inline bool ConditionsAboveZero(std::initializer_list<std::pair<double, int>> values, MessageSink& sink) {
    for (const auto& [v, error] : values) {
        if (error != 0 && !(v > 0.0 && std::isfinite(v))) {
            CError(sink).Show(error);
            return false;
        }
    }
    return true;
}

}  // namespace quorven::fluid_msg
