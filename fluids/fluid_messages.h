#pragma once
// The numbered messages the fluid property routines raise, by name.

#include <cmath>
#include <initializer_list>
#include <utility>

#include "messages/messages.h"

namespace quorven::fluid_msg {

inline constexpr int kErrorBasePressure = 8;     // "Value for base pressure in absolute units ..."
inline constexpr int kErrorBaseTemperature = 9;  // "Value for base temperature in absolute units ..."
inline constexpr int kErrorMixtureFile = 10;     // "Error opening mixture file. ..."
inline constexpr int kErrorMixtureComponentMissing = 12;  // "Component in mixture file is missing ..."
inline constexpr int kErrorLiquidState = 18;          // "... indicate that the fluid is in the liquid state!"
inline constexpr int kErrorVapourState = 19;          // "... indicate that the fluid is in the vapor state!"
inline constexpr int kErrorVapourOnlyData = 21;       // "Physical properties ... for vapor state only."
inline constexpr int kErrorNoDatabase = 24;           // "The properties database file ... is not present."
inline constexpr int kErrorDuplicateComponent = 25;   // "This fluid component has been selected already."
inline constexpr int kErrorMolePercentTotal = 26;     // "The total mole percent must equal 100 percent ..."
inline constexpr int kErrorIncompleteData = 27;       // "The property data ... is not complete ... Aborting"
inline constexpr int kErrorNoViscosity = 28;          // "... Cannot determine fluid viscosity."
inline constexpr int kErrorNoSpecificHeatRatio = 29;  // "... Cannot determine specific heat ratio."
inline constexpr int kErrorNoVapourPressure = 30;     // "... Cannot determine fluid vapor pressure."
inline constexpr int kErrorFlowingPressure = 51;      // "Value for flowing pressure in absolute units ..."
inline constexpr int kErrorFlowingTemperature = 52;   // "Value for flowing temperature in absolute units ..."

inline constexpr int kWarningHbtExtrapolated = 25;  // "Valid temperature range for H-B-T ... extrapolated."
inline constexpr int kWarningLiquidAtBase =
    28;  // "Selected fluid component is in the liquid state at base ..."
inline constexpr int kWarningVapourAtBase = 29;  // "Selected fluid is in the vapor state at base conditions!"

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
