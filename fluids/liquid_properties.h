#pragma once
// The liquid computation of the Fluids commands: from a component list and the
// flowing pressure and temperature and the base temperature, the specific gravities
// (referred to water at 14.7 psia and 60 deg F), the viscosity, the mixture vapour
// pressure and the fluid's name. Conditions arrive in psia and degrees Rankine. A
// liquid's base pressure is its flowing pressure.

#include <string>

#include "fluids/component_list.h"
#include "fluids/liquid_correlations.h"
#include "fluids/property_database.h"
#include "messages/messages.h"

namespace quorven {

struct LiquidResult {
    bool Ok = false;        // false: nothing may be taken over into the tag
    double SGb = 0.0;       // at the base temperature and the flowing pressure; 0 when not determined
    double SGf = 0.0;       // at flowing conditions
    double VPf_psia = 0.0;  // mixture vapour pressure at Tf (9999999 when Tf is above sum x Tc)
    double Visc = 0.0;      // cP at flowing conditions; 0 when not determined (Error #28)
    double Fp = 1.0;
    std::string FluidName;  // at most 34 characters
    // Also computed, shown by the command line:
    double MW = 0.0;
    double rho_f_lb_ft3 = 0.0;
    double VPb_psia = 0.0;
    bool vapour_at_base = false;
};

// The whole computation, with its numbered messages in this order:
//   Error #24 when the database is absent;
//   Error #51, #52 or #9 when the flowing pressure, flowing temperature or base
//     temperature is not an absolute value above zero;
//   per component, Error #30 when its vapour pressure cannot be determined below
//     its critical temperature (it counts 0);
//   Error #26 when the mole fractions of the components found do not add up to 1;
//   Error #27 when the mixture vapour pressure at base or flowing temperature is 0;
//   Warning #25 when the mixture's reduced temperature lies outside 0.25 to 0.95
//     (for each volume computed);
//   Error #21 when no liquid volume results (density data missing, as for a
//     vapour-only record, or a reduced temperature outside 0.25 to 1);
//   Error #28 when the viscosity cannot be determined (it is 0, the rest stands);
//   Warning #29 when the fluid is vapour at the base temperature (SGb = 0);
//   Error #19 when the fluid is vapour at flowing conditions.
// Errors #9, #19, #21, #24, #26, #27, #51 and #52 leave Ok false: the caller takes
// nothing over.
LiquidResult LiquidProperties(const PropertyDatabase& db, const ComponentList& list, double Pf_psia,
                              double Tf_R, double Tb_R, MessageSink& sink);

}  // namespace quorven
