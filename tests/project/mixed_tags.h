#pragma once
// Tags of mixed meters and fluids for project fixtures and benchmarks: a gas
// orifice sized for the bore, a liquid venturi for the differential, a steam
// nozzle for the flow, a critical-flow nozzle on nitrogen, a liquid restriction
// orifice, a wedge meter on gas and a calibrated orifice on a liquid. Every one
// calculates; tag i varies its flows so no two tags are the same.

#include <cstddef>
#include <string>

#include "record/choice_codes.h"
#include "record/tag_record.h"

namespace quorven::test {

inline TagRecord MixedTag(std::size_t i) {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, "FE-" + std::to_string(100000 + i));
    SetText(r.Service, "Service of tag " + std::to_string(i));
    SetText(r.Line_No, "4\"-P-" + std::to_string(i % 1000));
    const double scale = 1.0 + static_cast<double>(i % 97) / 200.0;
    switch (i % 7) {
        case 0:  // natural gas, concentric orifice, bore
            r.Fluid_Equation = Code(FluidEquation::GasVolume);
            r.Fluid_Condition = Code(FluidCondition::GasBase);
            r.Fluid_Property = Code(FluidProperty::GasSG);
            r.Property_MwDenVp = 0.6;
            r.Base_RhoGZ = 0.998;
            r.Flow_RhoGZ = 0.97;
            r.Flow_Press = 264.7;
            r.Flow_Temp = 539.67;
            r.Property_Visc = 0.011;
            r.Property_KFp = 1.3;
            r.Flow_Max = 250000.0 * scale;
            r.Flow_Norm = 200000.0 * scale;
            r.Dp_Max = 100.0;
            break;
        case 1:  // water, machined venturi, differential
            r.Meter_Type = Code(MeterType::VenturiMachined);
            r.Calc_Std = Code(CalcStd::VenturiIso5167_4_2022);
            r.Calc_SizeParam = Code(SizeParam::Dp);
            r.Fluid_Equation = Code(FluidEquation::LiquidVolume);
            r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
            r.Fluid_Property = Code(FluidProperty::LiquidSG);
            r.Flow_RhoGZ = 1.0;
            r.Flow_Press = 64.7;
            r.Flow_Temp = 529.67;
            r.Property_Visc = 1.1;
            r.Property_KFp = 1.0;
            r.Property_MwDenVp = 0.25;
            r.Bore = 2.5;
            r.Flow_Max = 20000.0 * scale;
            r.Flow_Norm = 16000.0 * scale;
            break;
        case 2:  // superheated steam, long-radius nozzle, flow
            r.Meter_Type = Code(MeterType::AsmeLongRadiusNozzle);
            r.Calc_Std = Code(CalcStd::NozzleAsmeMfc3M1989);
            r.Calc_SizeParam = Code(SizeParam::Flow);
            r.Fluid_Equation = Code(FluidEquation::GasMass);
            r.Fluid_Condition = Code(FluidCondition::GasBase);
            r.Fluid_Property = Code(FluidProperty::GasDensity);
            r.Flow_RhoGZ = 0.3103;
            r.Property_MwDenVp = 18.015;
            r.Flow_Press = 150.0;
            r.Flow_Temp = 859.67;
            r.Property_Visc = 0.0155;
            r.Property_KFp = 1.3;
            r.Pipe_NomDia = 6.0;
            r.Pipe_IDia = 6.065;
            r.Bore = 3.0;
            r.Dp_Max = 100.0 * scale;
            r.Dp_Norm = 80.0 * scale;
            break;
        case 3:  // nitrogen, toroidal critical-flow nozzle, throat
            r.Meter_Type = Code(MeterType::CriticalToroidalNozzle);
            r.Calc_Mode = Code(CalcMode::CriticalDrop);
            r.Fluid_Equation = Code(FluidEquation::GasMass);
            r.Fluid_Condition = Code(FluidCondition::GasFlowing);
            r.Fluid_Property = Code(FluidProperty::GasMW);
            r.Property_MwDenVp = 28.013;
            r.Flow_RhoGZ = 1.0;
            r.Flow_Press = 300.0;
            r.Flow_Temp = 539.67;
            r.Property_Visc = 0.0178;
            r.Property_KFp = 1.4;
            r.Pipe_NomDia = 2.0;
            r.Pipe_IDia = 2.067;
            r.Flow_Max = 5000.0 * scale;
            r.Flow_Norm = 5000.0 * scale;
            break;
        case 4:  // water, restriction orifice, bore for a 50 psi loss
            r.Calc_Mode = Code(CalcMode::Restriction);
            r.Fluid_Equation = Code(FluidEquation::LiquidMass);
            r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
            r.Fluid_Property = Code(FluidProperty::LiquidDensity);
            r.Flow_RhoGZ = 62.0;
            r.Flow_Press = 214.7;
            r.Flow_Temp = 559.67;
            r.Property_Visc = 0.68;
            r.Property_KFp = 1.0;
            r.Property_MwDenVp = 0.95;
            r.Pipe_NomDia = 3.0;
            r.Pipe_IDia = 3.068;
            r.Flow_Max = 30000.0 * scale;
            r.Flow_Norm = 30000.0 * scale;
            r.Dp_Max = 1386.5;
            break;
        case 5:  // gas, ISO 5167-6 wedge, bore
            r.Meter_Type = Code(MeterType::WedgeIso5167_6);
            r.Fluid_Equation = Code(FluidEquation::GasVolume);
            r.Fluid_Condition = Code(FluidCondition::GasBase);
            r.Fluid_Property = Code(FluidProperty::GasMW);
            r.Property_MwDenVp = 17.4;
            r.Base_RhoGZ = 0.998;
            r.Flow_RhoGZ = 0.95;
            r.Flow_Press = 314.7;
            r.Flow_Temp = 529.67;
            r.Property_Visc = 0.0108;
            r.Property_KFp = 1.3;
            r.Flow_Max = 300000.0 * scale;
            r.Flow_Norm = 240000.0 * scale;
            r.Dp_Max = 50.0;
            break;
        default:  // oil, calibrated orifice (C 0.6), bore
            r.Meter_Type = Code(MeterType::CustomOrifice);
            r.C = 0.6;
            r.Fluid_Equation = Code(FluidEquation::LiquidMass);
            r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
            r.Fluid_Property = Code(FluidProperty::LiquidDensity);
            r.Flow_RhoGZ = 55.0;
            r.Property_KFp = 1.02;
            r.Property_Visc = 2.0;
            r.Flow_Press = 100.0;
            r.Flow_Temp = 527.67;
            r.Flow_Max = 68750.0 * scale;
            r.Flow_Norm = 55000.0 * scale;
            r.Dp_Max = 100.0;
            break;
    }
    return r;
}

}  // namespace quorven::test
