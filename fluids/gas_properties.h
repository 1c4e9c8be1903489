#pragma once
// The gas and vapour computation of the Fluids commands: from a component list and
// the flowing and base conditions, the compressibility factors, molecular weight,
// viscosity and ideal-gas isentropic exponent, with the fluid's name. Conditions
// arrive in psia and degrees Rankine; the routines below work in bar and K.

#include <string>

#include "fluids/component_list.h"
#include "fluids/gas_correlations.h"
#include "fluids/property_database.h"
#include "messages/messages.h"

namespace quorven {

struct GasResult {
    bool Ok = false;        // false: nothing may be taken over into the tag
    double Zb = 0.0;        // at base conditions; 0 when not determined (liquid at base)
    double Zf = 0.0;        // at flowing conditions
    double MW = 0.0;        // g/mol (lb/lb-mol)
    double Visc = 0.0;      // cP at flowing conditions; 0 when not determined (Error #28)
    double K = 0.0;         // ideal-gas isentropic exponent at Tf; 0 when not determined (Error #29)
    std::string FluidName;  // for the tag's Fluid field (at most 34 characters)
    // Also computed, shown by the command line:
    double rho_b_lb_ft3 = 0.0;
    double rho_f_lb_ft3 = 0.0;
    double VPb_psia = 0.0;  // mixture vapour pressure at Tb (9999999 when it cannot be formed)
    double VPf_psia = 0.0;  // at Tf
    bool liquid_at_base = false;
};

// The prefix of a single component's fluid name: "RK-", "SRK-" or "BWR-".
const char* GasEquationPrefix(GasEquation code);

// The whole computation, with its numbered messages in this order:
//   Error #24 when the database is absent;
//   Error #51, #52, #8 or #9 when the flowing pressure, flowing temperature, base
//     pressure or base temperature is not an absolute value above zero;
//   per component, Error #30 when its vapour-pressure equation gives nothing below
//     its critical temperature (the generalised vapour pressure decides its phase);
//   Error #26 when the mole fractions of the components found do not add up to 1
//     (a component missing from the database, or whose Comp_No no longer names it,
//     is not found);
//   Error #27 when a compressibility cannot be determined (missing data, or no
//     root of the equation), at base or flowing conditions;
//   Warning #28 when the fluid is liquid at base conditions (Zb = 0; the flowing
//     results stand), Error #28 when the viscosity, Error #29 when k cannot be
//     determined (that value 0, the others stand);
//   Error #18 when the fluid is liquid at flowing conditions.
// Errors #8, #9, #18, #24, #26, #27, #51 and #52 leave Ok false and every result 0.
//
// The phase is decided by the mixture vapour pressure sum x Pvp (a component above
// its critical temperature contributes its critical pressure; below it, its equation or,
// without one, the generalised vapour pressure of Thomson, Brobst and Hankinson from its
// critical constants and acentric factor). When sum x Tc is not above the temperature the
// fluid counts as vapour (9999999 psia). A component whose vapour pressure cannot be
// formed at all (no critical constants) gives Error #27: no phase, no gas answer.
GasResult GasProperties(const PropertyDatabase& db, const ComponentList& list, GasEquation code,
                        double Pf_psia, double Tf_R, double Pb_psia, double Tb_R, MessageSink& sink);

}  // namespace quorven
