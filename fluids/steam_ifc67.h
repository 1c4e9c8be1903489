#pragma once
// Part 3.5: the program's steam table, the 1967 IFC Formulation for Industrial
// Use (IFC-67) in US customary units. Temperatures T_F in degrees F, pressures
// P_psia in psia, specific volumes in ft3/lb.
//
// A CSteamTable is a working object for one operation: construct it, use it,
// discard it. Routines remember their last results in the object (never in
// static storage); a routine whose input is outside its range returns that
// remembered result (0 right after construction), or 0 where Part 3.5 says so.

namespace quorven {

class CSteamTable {
public:
    CSteamTable() = default;

    // Saturation pressure [psia] at T_F (IFC-67 K-function), 32 <= T_F <= 705.47;
    // outside: 0. Keeps dP/dT [psi/F], see SatPressureSlope().
    double SatPressure(double T_F);
    // dP/dT [psi/F] along the saturation line at the last in-range SatPressure call.
    double SatPressureSlope() const { return dpdt_; }

    // Specific volume of compressed water [ft3/lb] at P_psia, T_F (IFC-67 sub-region 1),
    // 0 <= P_psia <= 16000, -200 <= T_F <= 662; outside: the remembered last result.
    double VPT1(double P_psia, double T_F);

private:
    double psat_ = 0.0;
    double dpdt_ = 0.0;
    double v_ = 0.0;
};

}  // namespace quorven
