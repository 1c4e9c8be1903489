#include "record/record_fields.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace quorven {
namespace {

constexpr FieldInfo kFields[] = {
    {"Rec_Reserved", 0, 4, FieldKind::Bytes},
    {"Tag_No", 4, 19, FieldKind::Text},
    {"Service", 23, 51, FieldKind::Text},
    {"Line_No", 74, 26, FieldKind::Text},
    {"Date", 100, 15, FieldKind::Text},
    {"Name", 115, 26, FieldKind::Text},
    {"Memo", 141, 101, FieldKind::Text},
    {"Unit_Flow_Text", 242, 10, FieldKind::Text},
    {"Unit_Press_Text", 252, 12, FieldKind::Text},
    {"Unit_AtmPress_Text", 264, 12, FieldKind::Text},
    {"Unit_Dpress_Text", 276, 12, FieldKind::Text},
    {"Unit_Text_Spare1", 288, 12, FieldKind::Text},
    {"Unit_Text_Spare2", 300, 12, FieldKind::Text},
    {"Unit_Temp_Text", 312, 7, FieldKind::Text},
    {"Unit_Dens_Text", 319, 16, FieldKind::Text},
    {"Unit_Visc_Text", 335, 12, FieldKind::Text},
    {"Unit_Velo_Text", 347, 7, FieldKind::Text},
    {"Unit_Bore_Text", 354, 4, FieldKind::Text},
    {"Unit_Pipe_Text", 358, 4, FieldKind::Text},
    {"Fluid", 362, 35, FieldKind::Text},
    {"Meter", 397, 31, FieldKind::Text},
    {"Meter_Type_Text", 428, 25, FieldKind::Text},
    {"Meter_Style_Text", 453, 35, FieldKind::Text},
    {"Tap_Style_Text", 488, 25, FieldKind::Text},
    {"Elem_Matl", 513, 22, FieldKind::Text},
    {"Pipe_Matl", 535, 22, FieldKind::Text},
    {"Pipe_Sched_Text", 557, 8, FieldKind::Text},
    {"Pad565", 565, 3, FieldKind::Bytes},
    {"Calc_Status", 568, 4, FieldKind::Int32},
    {"Unit_GasBaseFlow_Set", 572, 4, FieldKind::Int32},
    {"Unit_GasFlowingFlow_Set", 576, 4, FieldKind::Int32},
    {"Unit_GasMassFlow_Set", 580, 4, FieldKind::Int32},
    {"Unit_LiqBaseFlow_Set", 584, 4, FieldKind::Int32},
    {"Unit_LiqFlowingFlow_Set", 588, 4, FieldKind::Int32},
    {"Unit_LiqMassFlow_Set", 592, 4, FieldKind::Int32},
    {"Unit_Flow_Set", 596, 4, FieldKind::Int32},
    {"Unit_Press_Set", 600, 4, FieldKind::Int32},
    {"Unit_BasePress_Set", 604, 4, FieldKind::Int32},
    {"Unit_AtmPress_Set", 608, 4, FieldKind::Int32},
    {"Unit_DpPress_Set", 612, 4, FieldKind::Int32},
    {"Unit_Temp_Set", 616, 4, FieldKind::Int32},
    {"Unit_BaseTemp_Set", 620, 4, FieldKind::Int32},
    {"Unit_DpRefTemp_Set", 624, 4, FieldKind::Int32},
    {"Unit_Dens_Set", 628, 4, FieldKind::Int32},
    {"Unit_Visc_Set", 632, 4, FieldKind::Int32},
    {"Unit_Velocity_Set", 636, 4, FieldKind::Int32},
    {"Unit_GLocal_Set", 640, 4, FieldKind::Int32},
    {"Unit_Bore_Set", 644, 4, FieldKind::Int32},
    {"Unit_Pipe_Set", 648, 4, FieldKind::Int32},
    {"Unit_PressSys_Set", 652, 4, FieldKind::Int32},
    {"Fluid_Equation", 656, 4, FieldKind::Int32},
    {"Fluid_Condition", 660, 4, FieldKind::Int32},
    {"Fluid_Property", 664, 4, FieldKind::Int32},
    {"Factor_Manometer", 668, 4, FieldKind::Int32},
    {"Factor_Drain", 672, 4, FieldKind::Int32},
    {"Factor_DrainType", 676, 4, FieldKind::Int32},
    {"Factor_Drain_HoleSel", 680, 4, FieldKind::Int32},
    {"Factor_H2OvapSetup", 684, 4, FieldKind::Int32},
    {"Factor_H2OvapIncl", 688, 4, FieldKind::Int32},
    {"Factor_SatLiq", 692, 4, FieldKind::Int32},
    {"Factor_VapQual", 696, 4, FieldKind::Int32},
    {"Meter_Type", 700, 4, FieldKind::Int32},
    {"Meter_Style", 704, 4, FieldKind::Int32},
    {"Meter_VenturiExit", 708, 4, FieldKind::Int32},
    {"Meter_IFOAMfr", 712, 4, FieldKind::Int32},
    {"Meter_IFOASize", 716, 4, FieldKind::Int32},
    {"Meter_IFOAPipeMatl", 720, 4, FieldKind::Int32},
    {"Tap_Style", 724, 4, FieldKind::Int32},
    {"Tap_Loc", 728, 4, FieldKind::Int32},
    {"Matl_Pipe", 732, 4, FieldKind::Int32},
    {"Matl_Elem", 736, 4, FieldKind::Int32},
    {"Pipe_Sched", 740, 4, FieldKind::Int32},
    {"Calc_Mode", 744, 4, FieldKind::Int32},
    {"Calc_Std", 748, 4, FieldKind::Int32},
    {"Calc_SizeParam", 752, 4, FieldKind::Int32},
    {"Calc_Rev", 756, 4, FieldKind::Int32},
    {"Meter_Diffuser", 760, 4, FieldKind::Int32},
    {"Rec_Reserved3", 764, 4, FieldKind::Int32},
    {"Rec_Reserved4", 768, 4, FieldKind::Int32},
    {"Rec_Version4", 772, 4, FieldKind::Int32},
    {"Uncert_StraightRun", 776, 4, FieldKind::Int32},
    {"Rec_Reserved5", 780, 4, FieldKind::Int32},
    {"Rel_Major", 784, 4, FieldKind::Int32},
    {"Rel_Minor", 788, 4, FieldKind::Int32},
    {"Rel_Build", 792, 4, FieldKind::Int32},
    {"Rec_Reserved6", 796, 4, FieldKind::Int32},
    {"Unit_Flow", 800, 8, FieldKind::Double},
    {"Unit_Press", 808, 8, FieldKind::Double},
    {"Unit_BasePress", 816, 8, FieldKind::Double},
    {"Unit_AtmPress", 824, 8, FieldKind::Double},
    {"Unit_Dpress", 832, 8, FieldKind::Double},
    {"Unit_Dens", 840, 8, FieldKind::Double},
    {"Unit_Visc", 848, 8, FieldKind::Double},
    {"Unit_Velo", 856, 8, FieldKind::Double},
    {"Unit_Glocal", 864, 8, FieldKind::Double},
    {"Unit_Bore", 872, 8, FieldKind::Double},
    {"Unit_Pipe", 880, 8, FieldKind::Double},
    {"Flow_Max", 888, 8, FieldKind::Double},
    {"Flow_Norm", 896, 8, FieldKind::Double},
    {"Flow_Press", 904, 8, FieldKind::Double},
    {"Flow_Temp", 912, 8, FieldKind::Double},
    {"Flow_RhoGZ", 920, 8, FieldKind::Double},
    {"Base_Press", 928, 8, FieldKind::Double},
    {"Base_Temp", 936, 8, FieldKind::Double},
    {"Base_RhoGZ", 944, 8, FieldKind::Double},
    {"Dp_Max", 952, 8, FieldKind::Double},
    {"Dp_Norm", 960, 8, FieldKind::Double},
    {"Dp_Loss", 968, 8, FieldKind::Double},
    {"Fa_Meter", 976, 8, FieldKind::Double},
    {"Fa_Pipe", 984, 8, FieldKind::Double},
    {"Factor_ManoSealRho", 992, 8, FieldKind::Double},
    {"Factor_ManoSealTemp", 1000, 8, FieldKind::Double},
    {"Factor_ManoGlocal", 1008, 8, FieldKind::Double},
    {"Factor_DrainDia", 1016, 8, FieldKind::Double},
    {"Factor_PwvEdit", 1024, 8, FieldKind::Double},
    {"Factor_Pwv", 1032, 8, FieldKind::Double},
    {"Factor_QualX", 1040, 8, FieldKind::Double},
    {"Factor_QualRho", 1048, 8, FieldKind::Double},
    {"Pipe_NomDia", 1056, 8, FieldKind::Double},
    {"Pipe_IDia", 1064, 8, FieldKind::Double},
    {"Property_Visc", 1072, 8, FieldKind::Double},
    {"Property_KFp", 1080, 8, FieldKind::Double},
    {"Property_MwDenVp", 1088, 8, FieldKind::Double},
    {"PctRange", 1096, 8, FieldKind::Double},
    {"Fdh", 1104, 8, FieldKind::Double},
    {"Fwv", 1112, 8, FieldKind::Double},
    {"Fx", 1120, 8, FieldKind::Double},
    {"Fm", 1128, 8, FieldKind::Double},
    {"Sm", 1136, 8, FieldKind::Double},
    {"Rd", 1144, 8, FieldKind::Double},
    {"Y", 1152, 8, FieldKind::Double},
    {"C", 1160, 8, FieldKind::Double},
    {"Qrad_K0", 1168, 8, FieldKind::Double},
    {"K", 1176, 8, FieldKind::Double},
    {"E_Ftp", 1184, 8, FieldKind::Double},
    {"Beta", 1192, 8, FieldKind::Double},
    {"Bore", 1200, 8, FieldKind::Double},
    {"SegHs", 1208, 8, FieldKind::Double},
    {"SegDc", 1216, 8, FieldKind::Double},
    {"DpRefTemp", 1224, 8, FieldKind::Double},
    {"DpRefFact", 1232, 8, FieldKind::Double},
    {"AtmPress", 1240, 8, FieldKind::Double},
    {"MeterUncert", 1248, 8, FieldKind::Double},
    {"SystemUncert", 1256, 8, FieldKind::Double},
    {"Velocity", 1264, 8, FieldKind::Double},
    {"Min_Thick", 1272, 8, FieldKind::Double},
    {"Velocity_Pipe", 1280, 8, FieldKind::Double},
    {"Velocity_Vc", 1288, 8, FieldKind::Double},
    {"Outlet_Noise", 1296, 8, FieldKind::Double},
    {"Rec_Spare1", 1304, 8, FieldKind::Double},
    {"Rec_Spare2", 1312, 8, FieldKind::Double},
    {"Rec_Spare3", 1320, 8, FieldKind::Double},
    {"Rec_Spare4", 1328, 8, FieldKind::Double},
    {"Rec_Spare5", 1336, 8, FieldKind::Double},
    {"Rec_Reserved2", 1344, 4, FieldKind::Bytes},
    {"Spec_No", 1348, 12, FieldKind::Text},
    {"Rev_No", 1360, 3, FieldKind::Text},
    {"By", 1363, 4, FieldKind::Text},
    {"Chk", 1367, 4, FieldKind::Text},
    {"Spec_Date", 1371, 10, FieldKind::Text},
    {"Rev_No_1", 1381, 3, FieldKind::Text},
    {"Rev_No_2", 1384, 3, FieldKind::Text},
    {"Rev_No_3", 1387, 3, FieldKind::Text},
    {"Rev_No_4", 1390, 3, FieldKind::Text},
    {"Rev_By_1", 1393, 4, FieldKind::Text},
    {"Rev_By_2", 1397, 4, FieldKind::Text},
    {"Rev_By_3", 1401, 4, FieldKind::Text},
    {"Rev_By_4", 1405, 4, FieldKind::Text},
    {"Rev_Date_1", 1409, 9, FieldKind::Text},
    {"Rev_Date_2", 1418, 9, FieldKind::Text},
    {"Rev_Date_3", 1427, 9, FieldKind::Text},
    {"Rev_Date_4", 1436, 9, FieldKind::Text},
    {"Sht_No", 1445, 5, FieldKind::Text},
    {"Sht_Of", 1450, 5, FieldKind::Text},
    {"Pid_No", 1455, 16, FieldKind::Text},
    {"Elem_Matl_DS", 1471, 31, FieldKind::Text},
    {"Elem_Body", 1502, 31, FieldKind::Text},
    {"Elem_Thick", 1533, 31, FieldKind::Text},
    {"Elem_Construct", 1564, 31, FieldKind::Text},
    {"Elem_End_Conn", 1595, 31, FieldKind::Text},
    {"Mfr", 1626, 31, FieldKind::Text},
    {"Model", 1657, 31, FieldKind::Text},
    {"Tap_Quant", 1688, 16, FieldKind::Text},
    {"Tap_Size", 1704, 16, FieldKind::Text},
    {"Tap_Orient", 1720, 16, FieldKind::Text},
    {"Pipe_Matl_DS", 1736, 31, FieldKind::Text},
    {"Pipe_Conn_Rate", 1767, 31, FieldKind::Text},
    {"Pipe_Ups", 1798, 16, FieldKind::Text},
    {"Pipe_Down", 1814, 16, FieldKind::Text},
    {"Pipe_Run_By", 1830, 31, FieldKind::Text},
    {"Meter_Type_DS", 1861, 31, FieldKind::Text},
    {"Meter_Chart", 1892, 31, FieldKind::Text},
    {"Meter_Mult", 1923, 31, FieldKind::Text},
    {"Flange_By", 1954, 31, FieldKind::Text},
    {"Flange_Rate", 1985, 11, FieldKind::Text},
    {"Flange_Type", 1996, 11, FieldKind::Text},
    {"Flange_Matl", 2007, 11, FieldKind::Text},
    {"Access_Vanes", 2018, 31, FieldKind::Text},
    {"Access_Studs", 2049, 16, FieldKind::Text},
    {"Access_Nuts", 2065, 16, FieldKind::Text},
    {"Access_Gaskets", 2081, 31, FieldKind::Text},
    {"User_Line1_1", 2112, 31, FieldKind::Text},
    {"User_Line1_2", 2143, 31, FieldKind::Text},
    {"User_Line2_1", 2174, 31, FieldKind::Text},
    {"User_Line2_2", 2205, 31, FieldKind::Text},
    {"User_Line3_1", 2236, 31, FieldKind::Text},
    {"User_Line3_2", 2267, 31, FieldKind::Text},
    {"User_Line4_1", 2298, 31, FieldKind::Text},
    {"User_Line4_2", 2329, 31, FieldKind::Text},
    {"User_Line5_1", 2360, 31, FieldKind::Text},
    {"User_Line5_2", 2391, 31, FieldKind::Text},
    {"User_Notes_1", 2422, 64, FieldKind::Text},
    {"User_Notes_2", 2486, 64, FieldKind::Text},
    {"User_Notes_3", 2550, 64, FieldKind::Text},
    {"User_Misc", 2614, 70, FieldKind::Text},
    {"Rec_Reserved7", 2684, 4, FieldKind::Int32},
    {"Max_Press", 2688, 8, FieldKind::Double},
    {"Max_Temp", 2696, 8, FieldKind::Double},
    {"Uncert_Incl", 2704, 4, FieldKind::Int32},
    {"Uncert_BoreMode", 2708, 4, FieldKind::Int32},
    {"Uncert_Bore", 2712, 8, FieldKind::Double},
    {"Uncert_Pipe", 2720, 8, FieldKind::Double},
    {"Uncert_MeterXmtr", 2728, 8, FieldKind::Double},
    {"Uncert_RecvXmtr", 2736, 8, FieldKind::Double},
    {"Uncert_Press", 2744, 8, FieldKind::Double},
    {"Uncert_Temp", 2752, 8, FieldKind::Double},
    {"Uncert_GasFlowDens", 2760, 8, FieldKind::Double},
    {"Uncert_LiqBaseDens", 2768, 8, FieldKind::Double},
    {"Uncert_LiqFlowDens", 2776, 8, FieldKind::Double},
    {"Uncert_LiqFp", 2784, 8, FieldKind::Double},
    {"Uncert_GasSG", 2792, 8, FieldKind::Double},
};

unsigned char* At(TagRecord& r, const FieldInfo& f) {
    return reinterpret_cast<unsigned char*>(&r) + f.offset;
}
const unsigned char* At(const TagRecord& r, const FieldInfo& f) {
    return reinterpret_cast<const unsigned char*>(&r) + f.offset;
}

}  // namespace

std::span<const FieldInfo> RecordFields() {
    return kFields;
}

const FieldInfo* FindField(std::string_view name) {
    const auto it = std::find_if(std::begin(kFields), std::end(kFields),
                                 [&](const FieldInfo& f) { return name == f.name; });
    return it == std::end(kFields) ? nullptr : &*it;
}

int32_t GetInt(const TagRecord& r, const FieldInfo& f) {
    int32_t v;
    std::memcpy(&v, At(r, f), sizeof v);
    return v;
}

double GetDouble(const TagRecord& r, const FieldInfo& f) {
    double v;
    std::memcpy(&v, At(r, f), sizeof v);
    return v;
}

std::string_view GetTextField(const TagRecord& r, const FieldInfo& f) {
    return GetText(reinterpret_cast<const char*>(At(r, f)), f.width);
}

void SetInt(TagRecord& r, const FieldInfo& f, int32_t value) {
    std::memcpy(At(r, f), &value, sizeof value);
}

void SetDouble(TagRecord& r, const FieldInfo& f, double value) {
    std::memcpy(At(r, f), &value, sizeof value);
}

bool SetTextField(TagRecord& r, const FieldInfo& f, std::string_view value) {
    return SetText(reinterpret_cast<char*>(At(r, f)), f.width, value);
}

}  // namespace quorven
