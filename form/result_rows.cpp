#include "form/result_rows.h"

#include <cmath>

#include "engine/correlations/wedge.h"
#include "engine/flow_equation.h"
#include "record/cformat.h"
#include "record/formats.h"
#include "record/unit_tables.h"

namespace quorven {
namespace {

std::string F(const char* format, double v) {
    return FmtFixed(format, std::isfinite(v) ? v : 0.0);
}

struct FlowLabels {
    const char* max;
    const char* norm;
    const char* single;
};

FlowLabels FlowLabelsOf(const TagRecord& r) {
    if (r.Fluid_Equation == Code(FluidEquation::LiquidMass) ||
        r.Fluid_Equation == Code(FluidEquation::GasMass))
        return {"Wm =", "Wn =", "W ="};
    if (r.Fluid_Condition == Code(FluidCondition::LiquidFlowingTemp) ||
        r.Fluid_Condition == Code(FluidCondition::GasFlowing))
        return {"qm =", "qn =", "q ="};
    return {"Qm =", "Qn =", "Q ="};
}

std::string BoreText(const TagRecord& r, double inches) {
    return FmtShort(ToUser(r, Quantity::Bore, inches));
}

// The unit name of the record's selection for q; the record's own text when the
// list has no such entry.
std::string UnitOf(const TagRecord& r, const UnitTables& t, Quantity q, int32_t selection,
                   std::string_view stored) {
    const std::optional<UnitList> list = ListOf(r, q);
    if (list && IsUnitIndex(*list, selection)) return std::string(UnitName(t, *list, selection));
    return std::string(stored);
}

}  // namespace

ResultView BuildResultView(const TagRecord& r, const UnitTables& t) {
    ResultView v;
    auto add = [&v](int id, std::string label, std::string value, std::string unit = {}) {
        v.lines.push_back({id, std::move(label), std::move(value), std::move(unit)});
    };
    const FlowLabels fl = FlowLabelsOf(r);
    const int mode = r.Calc_Mode;
    const int param = r.Calc_SizeParam;
    const bool liquid = IsLiquid(r);
    const std::string bore_unit = UnitOf(r, t, Quantity::Bore, r.Unit_Bore_Set, GetText(r.Unit_Bore_Text));
    const std::string dp_unit =
        UnitOf(r, t, Quantity::DiffPressure, r.Unit_DpPress_Set, GetText(r.Unit_Dpress_Text));
    const std::string flow_unit = UnitOf(r, t, Quantity::Flow, r.Unit_Flow_Set, GetText(r.Unit_Flow_Text));

    // Sizing factor, coefficients, Reynolds number and expansion factor.
    if (mode == Code(CalcMode::CriticalDrop)) {
        if (liquid)
            add(1083, "Sizing Factor, Sm =", F("%.6f", r.Sm));
        else
            add(1083, "Choked Press Ratio, Ftp =", F("%.6f", r.E_Ftp));
        add(1084, "Bore Rd @ Oper =", F("%.0f", r.Rd));
        add(1085, "Disch Coef, C =", F("%.6f", r.C));
        add(1086, "Bore Expan, Fad =", F("%.6f", r.Fa_Meter));
        add(1087, "Pipe Expan, FaD =", F("%.6f", r.Fa_Pipe));
        if (!liquid) add(1088, "Crit Expan, Ycr =", F("%.6f", r.Y));
    } else {
        add(1083, "Sizing Factor, Sm =", F("%.6f", r.Sm));
        // The throat-tap nozzles' Reynolds number is stored bore-based by the
        // engine: it is shown as stored, once.
        const bool throat = r.Meter_Type == Code(MeterType::AsmeThroatTapNozzle) ||
                            r.Meter_Type == Code(MeterType::CustomThroatTapNozzle);
        add(1084, throat ? "Bore Rd @ Oper =" : "Pipe RD @ Oper =", F("%.0f", r.Rd));
        add(1085, "Disch Coef, C =", F("%.6f", r.C));
        add(1086, "Bore Expan, Fad =", F("%.6f", r.Fa_Meter));
        add(1087, "Pipe Expan, FaD =", F("%.6f", r.Fa_Pipe));
        if (!liquid)
            add(1088,
                r.Tap_Loc == Code(TapLoc::Upstream) ? "Gas Expan, Y1 =" : "Gas Expan, Y2 =", F("%.6f", r.Y));
        if (mode == Code(CalcMode::Meter) && r.Uncert_Incl == 1)
            add(1089,
                "Orifice Uncertainty =", F("%.2f", r.MeterUncert + (r.Uncert_StraightRun == 1 ? 0.5 : 0.0)),
                "%");
    }

    // Factor rows.
    if (r.Factor_Manometer == 1) add(1090, "Fm =", F("%.6f", r.Fm));
    if (r.Factor_Drain == 1) {
        add(1091, "Fdh =", F("%.6f", r.Fdh));
        add(1092, "ddh =", F("%.4f", ToUser(r, Quantity::Bore, r.Factor_DrainDia)), bore_unit);
    }
    if (r.Factor_H2OvapIncl == 1) add(1093, "Fwv(dry) =", F("%.6f", r.Fwv));
    if (r.Factor_SatLiq == 1)
        add(1094, "Fsat =", F("%.2f", r.Fx));
    else if (r.Factor_VapQual == 1)
        add(1094, "Fx =", F("%.2f", r.Fx));

    // The beta row, named for the segmental and wedge meters' equivalent beta.
    std::string beta_label = "Beta, \xC3\x9F =";
    if (mode == Code(CalcMode::Meter) && r.Meter_Type == Code(MeterType::SegmentalOrifice))
        beta_label =
            "Beta, \xC3\x9F"
            "c =";
    if (mode == Code(CalcMode::Meter) && IsWedgeMeter(r.Meter_Type))
        beta_label =
            "Beta, \xC3\x9F"
            "eq =";
    add(1095, beta_label, F("%.5f", r.Beta));

    // The sized quantity, with the result-unit box.
    v.main_value_id = 1096;
    const bool no_sizing = mode == Code(CalcMode::CriticalDrop) && param == Code(SizeParam::Dp);
    if (param == Code(SizeParam::Flow)) {
        add(1096, mode == Code(CalcMode::Meter) ? fl.max : fl.single,
            FmtFlow(ToUser(r, Quantity::Flow, r.Flow_Max)), flow_unit);
        v.unit_box = ResultUnitBox::Flow;
        if (mode == Code(CalcMode::Meter))
            add(1097, fl.norm, FmtFlow(ToUser(r, Quantity::Flow, r.Flow_Norm)), flow_unit);
    } else if (param == Code(SizeParam::Dp)) {
        add(1096, "dPm =", FmtDiffPressure(ToUser(r, Quantity::DiffPressure, r.Dp_Max)), dp_unit);
        v.unit_box = ResultUnitBox::DiffPressure;
        if (mode == Code(CalcMode::Meter))
            add(1097, "dPn =", FmtDiffPressure(ToUser(r, Quantity::DiffPressure, r.Dp_Norm)), dp_unit);
    } else {
        add(1096, "Bore =", BoreText(r, r.Bore), bore_unit);
        v.unit_box = ResultUnitBox::Bore;
        if (mode != Code(CalcMode::CriticalDrop))
            add(1097, "dPn =", FmtDiffPressure(ToUser(r, Quantity::DiffPressure, r.Dp_Norm)), dp_unit);
    }

    // The meter geometry of the flow meters: segment, wedge, quadrant radius.
    if (mode == Code(CalcMode::Meter)) {
        if (r.Meter_Type == Code(MeterType::SegmentalOrifice) || IsWedgeMeter(r.Meter_Type)) {
            add(1098, "Hs =", F("%.6f", ToUser(r, Quantity::Bore, r.SegHs)), bore_unit);
            if (r.Meter_Type == Code(MeterType::SegmentalOrifice)) {
                add(1099, "Dc =", BoreText(r, r.SegDc), bore_unit);
            } else {
                if (param == Code(SizeParam::Bore))
                    add(1099, "H/D =", FmtShort(r.Pipe_IDia > 0.0 ? r.SegHs / r.Pipe_IDia : 0.0));
                else
                    add(1099, "Bore =", BoreText(r, r.Bore));
                // The wedge tables' flow coefficient, computed once in the engine for
                // the form and the calculation sheet alike.
                add(1100, "Kd \xC2\xB2 = ", F("%.6f", WedgeFlowCoefficientKd2(r.C, r.Bore, r.Beta)));
            }
        } else if (r.Meter_Type == Code(MeterType::QuadrantOrifice)) {
            add(1098, "Quad r =", BoreText(r, r.Qrad_K0), bore_unit);
        } else if (r.Calc_Std == Code(CalcStd::Buckingham1985)) {
            add(1098, "K =", F("%.6f", r.K));
            add(1099, "K0 =", F("%.5f", r.Qrad_K0));
            add(1100, "Ef =", F("%.6f", r.E_Ftp));
        }
    }

    // Percent of range and permanent loss.
    if (!no_sizing) {
        const bool full_range = mode == Code(CalcMode::Meter) ||
                                (mode != Code(CalcMode::CriticalDrop) && param == Code(SizeParam::Bore));
        add(1101, "Beta Calc @", F("%.2f", full_range ? r.PctRange : 100.0), "%");
        const bool critical_row =
            mode == Code(CalcMode::CriticalDrop) &&
            (param == Code(SizeParam::Flow) || (param == Code(SizeParam::Bore) && !liquid));
        if (critical_row) {
            double pc = CriticalPressureOf(r, nullptr);
            if (r.Unit_PressSys_Set == 0 && pc != 0.0) pc -= r.AtmPress;
            add(1102, "Downstream Pressure, Pf2 < ", FmtPressure(pc * r.Unit_Press),
                UnitOf(r, t, Quantity::Pressure, r.Unit_Press_Set, GetText(r.Unit_Press_Text)));
        } else {
            const bool restriction_full =
                mode == Code(CalcMode::Restriction) && param != Code(SizeParam::Bore);
            add(1102, "Permanent dP Loss =", F("%.2f", restriction_full ? 100.0 : r.Dp_Loss), "%");
        }
    }

    // Bottom row.
    if (mode == Code(CalcMode::Meter)) {
        add(1675, "Velocity @ Throat =", F("%.2f", ToUser(r, Quantity::Velocity, r.Velocity)),
            UnitOf(r, t, Quantity::Velocity, r.Unit_Velocity_Set, GetText(r.Unit_Velo_Text)));
        v.velocity_box = true;
    } else if (r.Meter_Type == Code(MeterType::ConcentricOrifice) ||
               r.Meter_Type == Code(MeterType::CriticalSquareEdgedOrifice) ||
               r.Meter_Type == Code(MeterType::CriticalThickOrifice)) {
        double thick = r.Min_Thick;
        if (r.Meter_Type == Code(MeterType::CriticalThickOrifice)) thick = liquid ? r.Bore * 6.0 : r.Bore;
        add(1675, "Min. Plate Thick >", BoreText(r, thick), bore_unit);
    }
    if (mode != Code(CalcMode::Meter)) add(1759, "Outlet Noise =", F("%.1f", r.Outlet_Noise), "dBa");
    return v;
}

}  // namespace quorven
