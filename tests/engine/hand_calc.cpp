#include "tests/engine/hand_calc.h"

#include <cmath>
#include <numbers>

namespace quorven::test {

namespace {
constexpr double kGc = 32.174049;  // lbm ft / (lbf s2)
constexpr double kMwAir = 28.9625;

bool IsSg(const TagRecord& r) {
    return r.Fluid_Property == Code(FluidProperty::LiquidSG);
}
double GasMw(const TagRecord& r) {
    return r.Fluid_Property == Code(FluidProperty::GasMW) ? r.Property_MwDenVp : kMwAir * r.Property_MwDenVp;
}
}  // namespace

double FlowingDensity(const TagRecord& r) {
    if (r.Fluid_Equation < Code(FluidEquation::GasVolume))
        return (IsSg(r) ? r.Flow_RhoGZ * kWater60F : r.Flow_RhoGZ) * r.Property_KFp;
    if (r.Fluid_Property == Code(FluidProperty::GasDensity)) return r.Flow_RhoGZ;
    return r.Flow_Press * GasMw(r) / (kGasR * r.Flow_RhoGZ * r.Flow_Temp);
}

double BaseDensity(const TagRecord& r) {
    if (r.Fluid_Equation < Code(FluidEquation::GasVolume))
        return IsSg(r) ? r.Base_RhoGZ * kWater60F : r.Base_RhoGZ;
    if (r.Fluid_Property == Code(FluidProperty::GasDensity)) return r.Base_RhoGZ;
    return r.Base_Press * GasMw(r) / (kGasR * r.Base_RhoGZ * r.Base_Temp);
}

double TextbookMassFlow(const TagRecord& r) {
    const double d_ft = r.Bore * r.Fa_Meter / 12.0;
    const double D_ft = r.Pipe_IDia * r.Fa_Pipe / 12.0;
    const double b = d_ft / D_ft;
    const double dp_lbf_ft2 = r.Dp_Norm * r.DpRefFact * kPsiPerInH2O * 144.0;
    const double area = std::numbers::pi / 4.0 * d_ft * d_ft;
    const double F = r.Factor_SatLiq == 1 ? 1.0 / r.Fx : r.Fx;
    const double K = r.C * r.Y * r.Fdh * r.Fwv * r.Fm * F;
    return 3600.0 * K * area * std::sqrt(2.0 * kGc * dp_lbf_ft2 * FlowingDensity(r)) /
           std::sqrt(1.0 - b * b * b * b);
}

double TextbookFlow(const TagRecord& r) {
    const double W = TextbookMassFlow(r);
    const bool liquid = r.Fluid_Equation < Code(FluidEquation::GasVolume);
    if (r.Fluid_Equation == Code(FluidEquation::LiquidMass) ||
        r.Fluid_Equation == Code(FluidEquation::GasMass))
        return W;
    const bool at_base = r.Fluid_Condition == Code(FluidCondition::LiquidBaseTemp) ||
                         r.Fluid_Condition == Code(FluidCondition::GasBase);
    const double rho = at_base ? BaseDensity(r) : FlowingDensity(r);
    const double ft3_h = W / rho;
    return liquid ? ft3_h * 24.0 / kFt3PerBbl : ft3_h;
}

double TextbookPipeReynolds(const TagRecord& r) {
    const double W = TextbookMassFlow(r) / 3600.0;  // lb/s
    const double D_ft = r.Pipe_IDia * r.Fa_Pipe / 12.0;
    const double mu = r.Property_Visc * 6.719689751e-4;  // lb/(ft s) per cP
    return 4.0 * W / (std::numbers::pi * D_ft * mu);
}

TagRecord CustomLiquidTag() {
    TagRecord r = NewTagRecord();
    r.Meter_Type = Code(MeterType::CustomOrifice);
    r.C = 0.6;
    r.Calc_Mode = Code(CalcMode::Meter);
    r.Calc_SizeParam = Code(SizeParam::Bore);
    r.Pipe_IDia = 4.026;
    r.Flow_Temp = 527.67;
    r.Flow_Press = 100.0;
    r.Dp_Max = 100.0;
    r.DpRefFact = 1.0;
    SetFluid(r, Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
             Code(FluidProperty::LiquidDensity));
    return r;
}

void SetFluid(TagRecord& r, int32_t equation, int32_t condition, int32_t property) {
    r.Fluid_Equation = equation;
    r.Fluid_Condition = condition;
    r.Fluid_Property = property;
    if (equation < Code(FluidEquation::GasVolume)) {
        r.Property_KFp = 1.02;
        r.Property_Visc = 2.0;
        r.Property_MwDenVp = 5.0;  // vapour pressure, psia
        r.Flow_Press = 100.0;
        r.Flow_RhoGZ = property == Code(FluidProperty::LiquidSG) ? 0.88 : 55.0;
        r.Base_RhoGZ = property == Code(FluidProperty::LiquidSG) ? 0.90 : 56.0;
        r.Flow_Max = equation == Code(FluidEquation::LiquidMass) ? 55000.0 / 0.8 : 4500.0 / 0.8;
    } else {
        r.Property_KFp = 1.3;
        r.Property_Visc = 0.011;
        r.Flow_Press = 300.0;
        r.Base_Press = 14.69595;
        r.Base_Temp = 519.67;
        if (property == Code(FluidProperty::GasDensity)) {
            r.Flow_RhoGZ = 1.2;
            r.Base_RhoGZ = 0.05;
        } else {
            r.Property_MwDenVp = property == Code(FluidProperty::GasMW) ? 18.83 : 0.65;
            r.Flow_RhoGZ = 0.95;
            r.Base_RhoGZ = 0.998;
        }
        const double flow = equation == Code(FluidEquation::GasMass)
                                ? 7400.0
                                : (condition == Code(FluidCondition::GasBase) ? 150000.0 : 6800.0);
        r.Flow_Max = flow / 0.8;
    }
    r.Flow_Norm = 0.8 * r.Flow_Max;
}

TagRecord CriticalGasTag() {
    TagRecord r = NewTagRecord();
    r.Calc_Mode = Code(CalcMode::CriticalDrop);
    r.Calc_SizeParam = Code(SizeParam::Flow);
    r.Meter_Type = Code(MeterType::CriticalThickOrifice);
    r.Pipe_IDia = 4.026;
    r.Bore = 0.5;
    r.Flow_Temp = 527.67;
    r.Flow_Press = 100.0;
    r.Base_Press = 14.69595;
    r.Base_Temp = 519.67;
    r.Base_RhoGZ = 1.0;
    r.Flow_RhoGZ = 1.0;
    r.Fluid_Equation = Code(FluidEquation::GasMass);
    r.Fluid_Condition = Code(FluidCondition::GasFlowing);
    r.Fluid_Property = Code(FluidProperty::GasMW);
    r.Property_MwDenVp = 28.9625;
    r.Property_KFp = 1.4;
    r.Property_Visc = 0.018;
    return r;
}

}  // namespace quorven::test
