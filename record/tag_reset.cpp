#include "record/tag_reset.h"

#include <cstddef>
#include <cstring>

#include "record/choice_codes.h"
#include "record/datasheet.h"

namespace quorven {

void ResetTagData(TagRecord& r) {
    SetText(r.Tag_No, "");
    SetText(r.Service, "");
    SetText(r.Line_No, "");
    SetText(r.Date, "");
    SetText(r.Name, "");
    SetText(r.Memo, "");
    SetText(r.Fluid, "");
    SetText(r.Meter, "");
    SetText(r.Meter_Type_Text, "");
    SetText(r.Meter_Style_Text, "");
    SetText(r.Tap_Style_Text, "");
    SetText(r.Elem_Matl, "");
    SetText(r.Pipe_Matl, "");
    SetText(r.Pipe_Sched_Text, "STD");

    r.Calc_Status = 0;
    r.Factor_Manometer = 0;
    r.Factor_Drain = 0;
    // The drain hole and water vapour modes among the factor flags are choice
    // codes, not flags: 0 is no choice at all (the record check refuses it), so
    // they take the first choice of their dialogs, as in a new tag.
    r.Factor_DrainType = Code(DrainType::FromList);
    r.Factor_Drain_HoleSel = 0;
    r.Factor_H2OvapSetup = Code(H2OvapSetup::FlowingTemp);
    r.Factor_H2OvapIncl = 0;
    r.Factor_SatLiq = 0;
    r.Factor_VapQual = 0;
    r.Meter_Type = 1128;
    r.Meter_Style = 1;
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
    r.Calc_Rev = 0;
    r.Meter_Diffuser = 0;

    // Every double from Flow_Max to Outlet_Noise and the five spares to 0, then the
    // few that a new tag starts with another value.
    constexpr std::size_t first = offsetof(TagRecord, Flow_Max);
    constexpr std::size_t last = offsetof(TagRecord, Rec_Spare5) + sizeof(double);
    static_assert(offsetof(TagRecord, Rec_Spare1) == offsetof(TagRecord, Outlet_Noise) + sizeof(double));
    std::memset(reinterpret_cast<unsigned char*>(&r) + first, 0, last - first);
    r.Base_Press = 14.69595;
    r.Base_Temp = 519.67;
    r.Factor_ManoGlocal = 32.17405;
    r.Pipe_NomDia = 4.0;
    r.Pipe_IDia = 4.026;
    r.DpRefTemp = 527.67;
    r.DpRefFact = 1.0;
    r.AtmPress = 14.696;
    r.Fa_Meter = 1.0;
    r.Fa_Pipe = 1.0;
    r.Fdh = 1.0;
    r.Fwv = 1.0;
    r.Fx = 1.0;
    r.Fm = 1.0;
}

void ClearCalc(TagRecord& r) {
    ResetTagData(r);
    ClearDatasheet(r);
}

}  // namespace quorven
