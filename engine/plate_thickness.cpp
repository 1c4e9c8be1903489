// Orifice plate thickness. The minimum thickness is that of a circular plate
// simply supported at its edge under the differential, with the stress limited
// to the material's allowable stress (R. W. Miller, Flow Measurement Engineering
// Handbook, 3rd ed., 1996, ch. 9, plate thickness; Roark, Formulas for Stress
// and Strain, flat circular plates under uniform pressure); the plate is then
// cut from the next standard stock thickness.

#include "engine/plate_thickness.h"

#include <cmath>
#include <string>

#include "record/cformat.h"
#include "record/choice_codes.h"
#include "record/constants.h"
#include "record/formats.h"

namespace quorven {
namespace {

// Inches of water (68 deg F) per psi.

// Allowable stress [psi] of element materials 1 to 44 (Miller, 3rd ed., ch. 9).
constexpr double kAllowableStress[44] = {
    80000,  35000,  35000, 35000, 35000, 30000, 62000,  35000,  40000, 180000, 35000,
    155000, 27500,  46000, 38000, 8000,  20000, 60000,  58000,  35000, 40000,  75000,
    50000,  125000, 40000, 15000, 21500, 19000, 4000,   90000,  25000, 1300,   190000,
    17000,  36000,  80000, 80000, 80000, 80000, 180000, 130000, 65000, 12500,  14300,
};

// Above 100 deg F the stainless steels 4 and 5 lose strength: fifth-degree fits
// in T [deg R] of their allowable stress, in ksi.
constexpr double kHotStress4[6] = {38.92596107, -0.1204831,  3.48733e-4,
                                   -5.61546e-7, 4.52784e-10, -1.42952e-13};
constexpr double kHotStress5[6] = {36.23055734, -0.080129941, 1.92665e-4,
                                   -2.97559e-7, 2.47332e-10,  -8.15974e-14};
constexpr double kHotStressFrom = 559.67;  // deg R (100 deg F)

// Standard plate stock thicknesses [in].
constexpr double kStandardThickness[] = {0.125, 0.1875, 0.25, 0.375, 0.5, 0.625, 0.75, 0.875, 1.0, 1.125,
                                         1.25,  1.375,  1.5,  1.75,  2.0, 2.25,  2.5,  2.75,  3.0};

double Polynomial(const double (&c)[6], double x) {
    double v = 0.0;
    for (int i = 5; i >= 0; --i) v = v * x + c[i];
    return v;
}

// Plate thickness [in] by nominal line size N [in] for differentials below
// 200 inH2O (the usual stock choice of the plate makers); 0 above 36 in.
double ThicknessByLineSize(double N) {
    if (N < 8.0) return 0.125;
    if (N < 16.0) return 0.25;
    if (N < 24.0) return 0.375;
    if (N < 36.0001) return 0.5;
    return 0.0;
}

// "%.4f %s" of a length [in] in the record's bore unit factor and text.
std::string BoreUnitText(const TagRecord& r, double inches, const char* suffix) {
    const double v = r.Unit_Bore * inches;
    return CFormat(std::string("%.4f %s") + suffix, {std::isfinite(v) ? v : 0.0, GetText(r.Unit_Bore_Text)});
}

}  // namespace

double AllowableStress(int32_t material, double T_R) {
    if (material < 1 || material > 44) return 0.0;
    if (T_R > kHotStressFrom && (material == 4 || material == 5)) {
        const double s = 1000.0 * Polynomial(material == 4 ? kHotStress4 : kHotStress5, T_R);
        return s > 0.0 && std::isfinite(s) ? s : 0.0;
    }
    return kAllowableStress[material - 1];
}

double MinPlateThickness(const TagRecord& r) {
    const double S = AllowableStress(r.Matl_Elem, r.Flow_Temp);
    const double load = (0.681 - 0.651 * r.Beta) * r.Dp_Max;  // Miller, ch. 9
    if (!(S > 0.0) || !(load >= 0.0) || !(r.Pipe_IDia > 0.0)) return 0.0;
    const double t = r.Pipe_IDia * std::sqrt(load / (S * kInH2OPerPsi));
    return std::isfinite(t) ? t : 0.0;
}

double StandardThickness(double t) {
    for (double s : kStandardThickness)
        if (!(t > s)) return std::isnan(t) ? 0.0 : s;
    return 0.0;
}

bool PlateThicknessText(TagRecord& r, MessageSink& sink, const UnitTables& tables) {
    const int32_t type = r.Meter_Type;
    if (type == Code(MeterType::QuadrantOrifice)) {
        SetText(r.User_Notes_1,
                CFormat("1. RADIUS OF QUADRANT = %.5f %s",
                        {std::isfinite(r.Unit_Bore * r.Qrad_K0) ? r.Unit_Bore * r.Qrad_K0 : 0.0,
                         GetText(r.Unit_Bore_Text)}));
        double e = StandardThickness(r.Qrad_K0);
        const double by_stress = StandardThickness(MinPlateThickness(r));
        if (by_stress > e) e = by_stress;
        SetText(r.Elem_Thick, BoreUnitText(r, e, " minimum"));
        return e > 0.0;
    }
    if (type == Code(MeterType::ConicOrifice)) {
        // Conic-entrance plate: thickness 0.105 d (ISO/TR 15377: the plate is at least 0.105 d thick).
        const double e = 0.105 * r.Bore;
        SetText(r.Elem_Thick, BoreUnitText(r, e, " minimum"));
        return e > 0.0 && std::isfinite(e);
    }

    double b = 0.0;
    if (r.Calc_Mode == Code(CalcMode::Restriction)) {
        b = StandardThickness(r.Min_Thick);
        // Thicker than the standard stock: the plate is made to the minimum itself.
        if (b == 0.0) {
            const double c = std::isfinite(r.Min_Thick) ? r.Min_Thick : 0.0;
            SetText(r.Elem_Thick, BoreUnitText(r, c, ""));
            return c > 0.0;
        }
    } else if (r.Dp_Max < 200.0) {
        b = ThicknessByLineSize(r.Pipe_NomDia);
        if (b == 0.0 && r.Pipe_NomDia > 36.0) CWarning(sink).Show(msg::kWarnPipeAbove36Inches);
    } else {
        // A meter's record need not hold a minimum thickness: the plate is never
        // thinner than the differential requires.
        const double by_stress = MinPlateThickness(r);
        b = StandardThickness(by_stress > r.Min_Thick ? by_stress : r.Min_Thick);
    }
    std::string text = FmtLengthWithUnit(b, r, tables);
    if (r.Calc_Mode == Code(CalcMode::CriticalDrop) && type == Code(MeterType::CriticalThickOrifice))
        text += " MINIMUM";
    SetText(r.Elem_Thick, text);
    return b > 0.0;
}

bool PlateThicknessText(TagRecord& r, MessageSink& sink) {
    return PlateThicknessText(r, sink, DefaultUnitTables());
}

}  // namespace quorven
