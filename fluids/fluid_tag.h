#pragma once
// Computed fluid properties put into the tag record as the Fluids commands put them,
// for the record's own equation choices (flow kind, conditions, property input).

#include "fluids/gas_properties.h"
#include "record/tag_record.h"

namespace quorven {

// "Gases & Vapors": Fluid, Flow_Press, Flow_Temp, the compressibilities in
// Base_RhoGZ and Flow_RhoGZ, the specific gravity MW / 28.9625 in Property_MwDenVp,
// Property_Visc and Property_KFp (k); then, by the record's Fluid_Property, the
// molecular weight (1357) or the molecular weight and the base and flowing densities
// P MW / (R Z T) in lb/ft3 (1358, 0 for a Z of 0) in place of SG and Z. Calc_Status
// becomes 0. The record's base pressure and temperature are those of the result.
void PutGasResultsInTag(const GasResult& g, double Pf_psia, double Tf_R, TagRecord& r);

}  // namespace quorven
