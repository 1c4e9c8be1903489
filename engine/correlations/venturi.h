#pragma once
// Discharge coefficients of classical venturi tubes and proprietary flow tubes.
// Rd pipe Reynolds number [-], b diameter ratio [-]. Each returns C [-]; 0 means no
// coefficient at that Reynolds number.

namespace quorven {

// ISO 5167-4:2003, 5.5.3: machined convergent section, C = 0.995 (2 x 10^5 <= Rd <= 10^6);
// this program also takes 0.995 down to Rd = 20000 and 1.0 above 10^6.
double VenturiC_Iso5167_4_Machined(double Rd);

// ISO 5167-4:2003, 5.5.2: "as cast" convergent section, C = 0.984 (2 x 10^5 <= Rd <= 2 x 10^6).
double VenturiC_Iso5167_4_RoughCast(double Rd);

// ISO 5167-4:2003, 5.5.4: rough-welded sheet-iron convergent section, C = 0.985.
double VenturiC_Iso5167_4_Welded();

// Manufacturer's constant for the Universal Venturi Tube (UVT).
double FlowTubeC_Uvt();

// Manufacturer's correlation for the Lo-Loss flow tube.
double FlowTubeC_LoLoss(double b);

}  // namespace quorven
