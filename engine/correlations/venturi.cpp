#include "engine/correlations/venturi.h"

namespace quorven {

// ISO 5167-4:2003, 5.5.3 (machined): 0.995 over 2 x 10^5 to 10^6. The band is
// closed to 10^6 inclusive; below it the program's historical lower edge 20000
// is kept, and above 10^6 it takes 1.0.
double VenturiC_Iso5167_4_Machined(double Rd) {
    if (Rd > 1e6) return 1.0;
    if (Rd >= 20000.0) return 0.995;
    return 0.0;
}

// ISO 5167-4:2003, 5.5.2 (as cast): 0.984 over 2 x 10^5 to 2 x 10^6.
double VenturiC_Iso5167_4_RoughCast(double Rd) {
    return (Rd >= 200000.0 && Rd <= 2000000.0) ? 0.984 : 0.0;
}

// ISO 5167-4:2003, 5.5.4 (rough-welded sheet iron).
double VenturiC_Iso5167_4_Welded() {
    return 0.985;
}

// UVT manufacturer's constant.
double FlowTubeC_Uvt() {
    return 0.9797;
}

// Lo-Loss tube manufacturer's cubic in b.
double FlowTubeC_LoLoss(double b) {
    return 1.005 - 0.471 * b + 0.564 * b * b - 0.514 * b * b * b;
}

}  // namespace quorven
