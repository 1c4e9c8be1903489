#pragma once
// Relative uncertainty of the flow indicated by a differential-pressure meter, in
// percent: the root sum of squares of the input uncertainties, each weighted by its
// sensitivity coefficient (ISO 5167-1:2003 clause 8; ISO 5168:2005 for the
// combination of uncorrelated terms). Every uncertainty here is a percentage.

#include <cstdint>
#include <optional>

#include "record/tag_record.h"

namespace quorven {

// ISO 5167-1:2003 clause 8: sensitivity of the flow to the pipe diameter,
// 2 beta^4 / (beta^4 - 1). beta [-].
double PipeSensitivity(double beta);

// ISO 5167-1:2003 clause 8: sensitivity of the flow to the bore, 2 / (1 - beta^4). beta [-].
double BoreSensitivity(double beta);

// Uncertainty of the discharge coefficient of the meter, U_C [%]. D [in] pipe
// inside diameter, beta [-], Rd [-] pipe Reynolds number. Reads `Calc_Std` (nozzle
// standard) and `SegHs` (wedge segment height) from the record. Finite for any input.
double DischargeCoefUncertainty(const TagRecord& r, double D, int32_t meter_type, int32_t tap_style,
                                double beta, double Rd);

// Uncertainty of the expansion factor, U_Y [%]. hnor [inH2O] normal differential,
// P [psia] flowing pressure, beta [-]. 0 when P is not above 0.
double ExpansionUncertainty(double hnor, double P, double beta, int32_t meter_type, int32_t tap_style);

// Which fluid terms `MeterUncertainty` combines: a liquid volume at base
// temperature (base and flowing density, Fp), a liquid at flowing temperature or by
// mass (flowing density, Fp), a gas (expansion factor, pressure, temperature,
// gravity, compressibility), or none of them.
enum class UncertaintyFluid { None, LiquidBase, LiquidFlowing, Gas };
UncertaintyFluid UncertaintyFluidOf(int32_t fluid_equation, int32_t fluid_condition);

// Sensitivity of a gas flow to its flowing pressure uncertainty: 0.5, or near
// atmospheric pressure (P below Patm + 1 psi), where the uncertainty is a
// percentage of the gauge reading g = P - Patm, 0.5 g / (g + 14.7). P, Patm [psia].
double PressureSensitivity(double P, double Patm);

// Everything `MeterUncertainty` combines. Lengths in inches, differentials in inH2O,
// pressures in psia, all other values in percent.
struct UncertaintyInputs {
    double u_d = 0;              // bore tolerance [in]
    double D = 0;                // pipe inside diameter [in]
    double u_D = 0;              // pipe inside diameter tolerance [in]
    double Rd = 0;               // pipe Reynolds number [-]
    double hmax = 0;             // maximum (full-scale) differential [inH2O]
    double hnor = 0;             // normal differential [inH2O]
    double meter_xmtr = 0;       // differential transducer accuracy [% of full scale]
    double recv_xmtr = 0;        // receiver accuracy [% of full scale]
    double P = 0;                // flowing pressure [psia]
    double Patm = 0;             // atmospheric pressure [psia]
    double u_press = 0;          // flowing pressure [%]
    double u_temp = 0;           // flowing temperature [%]
    double u_liq_base_dens = 0;  // liquid base gravity or density [%]
    double u_liq_flow_dens = 0;  // liquid flowing gravity or density [%]
    double u_liq_fp = 0;         // liquid compressibility factor Fp [%]
    double u_gas_sg = 0;         // gas specific gravity or molecular weight [%]
    double u_gas_flow_dens = 0;  // gas flowing compressibility or density [%]
    int32_t meter_type = 0;
    int32_t tap_style = 0;
    int32_t fluid_equation = 0;
    int32_t fluid_condition = 0;
    double beta = 0;  // [-]
    double d = 0;     // bore [in]
};

// Combined uncertainty of the flow [%]. A term whose input uncertainty is 0 adds
// nothing, whatever its sensitivity. Empty when the inputs do not give a finite
// result (for example a tolerance on a bore or pipe of no size, beta of 1, or a
// transducer accuracy with no normal differential).
std::optional<double> MeterUncertainty(const TagRecord& r, const UncertaintyInputs& in);

// The stored diameter accuracies as tolerances in inches. In percent mode
// (`Uncert_BoreMode` 1) the record holds a fraction of the diameter, which is
// turned into a length here, so that one accuracy gives one uncertainty in either mode.
double BoreToleranceInches(const TagRecord& r);
double PipeToleranceInches(const TagRecord& r);

// The diameter uncertainties [%] as the combination uses them (tolerance over
// diameter); empty when the diameter gives no finite value. For reports.
std::optional<double> BoreUncertaintyPercent(const TagRecord& r);
std::optional<double> PipeUncertaintyPercent(const TagRecord& r);

// The primary-element inputs: the record's tolerances, diameters, Reynolds number
// and differentials, every transducer, pressure, temperature and fluid term 0 (so
// no expansion term either).
UncertaintyInputs MeterOnlyInputs(const TagRecord& r);

// The meter system inputs: every value as the record holds it.
UncertaintyInputs SystemInputs(const TagRecord& r);

// True when Calculate keeps a primary-element uncertainty for this tag: included
// in the set-up, flow-meter mode, and a meter type with a coefficient uncertainty.
bool MeterUncertaintyApplies(const TagRecord& r);

// After a sizing whose `Sm` ended strictly between 0 and 1: stores the
// primary-element uncertainty in `MeterUncert` when it applies and is finite.
// Returns true when `MeterUncert` was written; otherwise the field keeps its value.
// `SystemUncert` is carried with the tag but never computed into it.
bool StoreMeterUncertainty(TagRecord& r);

// The meter system uncertainty of the tag as stored [%], for reports; not stored.
std::optional<double> SystemUncertainty(const TagRecord& r);

}  // namespace quorven
