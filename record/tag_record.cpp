#include "record/tag_record.h"

#include <algorithm>
#include <cstring>

#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {

bool SetText(char* field, std::size_t width, std::string_view value) {
    if (width == 0) return value.empty();
    // A value stops at an embedded NUL as a C string would.
    value = value.substr(0, std::min(value.size(), value.find('\0')));
    const std::size_t n = std::min(value.size(), width - 1);
    std::memcpy(field, value.data(), n);
    field[n] = '\0';
    return n == value.size();
}

std::string_view GetText(const char* field, std::size_t width) {
    const void* end = std::memchr(field, '\0', width);
    const std::size_t n = end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : width;
    return {field, n};
}

TagRecord NewTagRecord() {
    TagRecord r;
    std::memset(&r, 0, sizeof r);
    SetText(r.Date, "Jan 1, 2001");
    SetText(r.Unit_Dens_Text, "lb/ft3");
    SetText(r.Unit_Velo_Text, "ft/s");
    SetText(r.Unit_Bore_Text, "in");
    SetText(r.Unit_Pipe_Text, "in");
    r.Unit_GasBaseFlow_Set = 1;
    r.Unit_GasFlowingFlow_Set = 1;
    r.Unit_GasMassFlow_Set = 1;
    r.Unit_LiqMassFlow_Set = 1;
    r.Fluid_Equation = 1352;
    r.Fluid_Condition = 1354;
    r.Fluid_Property = 1356;
    r.Factor_DrainType = 1187;
    r.Factor_H2OvapSetup = 1211;
    r.Meter_Type = 1128;
    r.Meter_VenturiExit = 1160;
    r.Meter_IFOAMfr = 1143;
    r.Meter_IFOASize = 1145;
    r.Meter_IFOAPipeMatl = 13;
    r.Tap_Style = 1;
    r.Tap_Loc = 1109;
    r.Matl_Pipe = 13;
    r.Matl_Elem = 6;
    r.Pipe_Sched = 5;
    r.Calc_Mode = 1123;
    r.Calc_Std = 1703;
    r.Calc_SizeParam = 1120;
    r.Rel_Major = 4;
    r.Rel_Minor = 4;
    r.Unit_Flow = 1.0;
    r.Unit_Press = 1.0;
    r.Unit_BasePress = 1.0;
    r.Unit_AtmPress = 1.0;
    r.Unit_Dpress = 1.0;
    r.Unit_Dens = 1.0;
    r.Unit_Visc = 1.0;
    r.Unit_Velo = 1.0;
    r.Unit_Bore = 1.0;
    r.Unit_Pipe = 1.0;
    r.Base_Press = 14.69595;
    r.Base_Temp = 519.67;
    r.Fa_Meter = 1.0;
    r.Fa_Pipe = 1.0;
    r.Factor_ManoSealTemp = 519.67;
    r.Factor_ManoGlocal = 32.1741;
    r.Pipe_NomDia = 4.0;
    r.Pipe_IDia = 4.026;
    r.Fdh = 1.0;
    r.Fwv = 1.0;
    r.Fx = 1.0;
    r.Fm = 1.0;
    r.DpRefTemp = 527.67;
    r.DpRefFact = 1.0;
    r.AtmPress = 14.696;
    // The flow box, Unit_Flow_Set, the kind's selection, Unit_Flow_Text and Unit_Flow
    // agree from the start: the kind's own selection (scfh for a gas at base).
    (void)SelectFlowUnitOfKind(r, DefaultUnitTables());
    r.Uncert_Incl = 1;
    r.Uncert_Bore = 0.0007;
    r.Uncert_Pipe = 0.004;
    r.Uncert_MeterXmtr = 0.2;
    r.Uncert_RecvXmtr = 0.2;
    r.Uncert_Press = 0.2;
    r.Uncert_Temp = 0.25;
    r.Uncert_GasFlowDens = 0.1;
    r.Uncert_LiqBaseDens = 0.1;
    r.Uncert_LiqFlowDens = 0.1;
    r.Uncert_LiqFp = 0.1;
    r.Uncert_GasSG = 0.1;
    return r;
}

}  // namespace quorven
