#include "fluids/fluid_tag.h"

#include "fluids/fluid_units.h"
#include "record/choice_codes.h"

namespace quorven {
namespace {

using fluid_units::kMolWtAir;
using fluid_units::kR_psia_ft3_lbmolR;

// Ideal-gas law with Z: rho = P MW / (R Z T) [lb/ft3], 0 when Z is not positive.
double GasDensity_lb_ft3(double P_psia, double MW, double Z, double T_R) {
    return Z > 0.0 && T_R > 0.0 ? P_psia * MW / (kR_psia_ft3_lbmolR * Z * T_R) : 0.0;
}

}  // namespace

void PutGasResultsInTag(const GasResult& g, double Pf_psia, double Tf_R, TagRecord& r) {
    SetText(r.Fluid, g.FluidName);
    r.Flow_Press = Pf_psia;
    r.Flow_Temp = Tf_R;
    r.Base_RhoGZ = g.Zb;
    r.Flow_RhoGZ = g.Zf;
    r.Property_MwDenVp = g.MW / kMolWtAir;
    r.Property_Visc = g.Visc;
    r.Property_KFp = g.K;
    switch (static_cast<FluidProperty>(r.Fluid_Property)) {
        case FluidProperty::GasMW:
            r.Property_MwDenVp = g.MW;
            break;
        case FluidProperty::GasDensity:
            r.Property_MwDenVp = g.MW;
            r.Base_RhoGZ = GasDensity_lb_ft3(r.Base_Press, g.MW, g.Zb, r.Base_Temp);
            r.Flow_RhoGZ = GasDensity_lb_ft3(r.Flow_Press, g.MW, g.Zf, r.Flow_Temp);
            break;
        default:
            break;
    }
    r.Calc_Status = 0;
}

}  // namespace quorven
