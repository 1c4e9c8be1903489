// Detail Characterization Method of AGA Report No. 8, 2nd edition (1994), sections 3 and 4:
//   Z = 1 + B d - K^3 d sum(n = 13..18) C*n T^-un
//         + sum(n = 13..58) C*n T^-un (bn - cn kn D^kn) D^bn exp(-cn D^kn),   D = K^3 d,
//   p = Z d R T,
// with the second virial coefficient B, the mixture size K, energy U, orientation G,
// quadrupole Q and high-temperature F parameters from the mixing rules printed beside the
// tables below. Only hydrogen has a high-temperature parameter (F = 1); the tables hold 0
// for every other component, so the F terms act for hydrogen alone.

#include "fluids/aga8_detail.h"

#include <cmath>
#include <type_traits>
#include <utility>

namespace quorven {
namespace aga8 {
namespace {

// AGA Report No. 8 (1994), characterization parameters of the 21 components, by AGA
// number: Mi [g/mol], Ei [K], Ki [(m3/kmol)^(1/3)], Gi, Qi, Fi, Si, Wi. The same digits are
// in the report's FORTRAN (DETAILXZ, version 1.2) and in NIST's 2017 code.
constexpr ComponentParameters kComponents[kComponentCount] = {
    {16.043, 151.3183, 0.4619255, 0, 0, 0, 0, 0},                   // 1 methane
    {28.0135, 99.73778, 0.4479153, 0.027815, 0, 0, 0, 0},           // 2 nitrogen
    {44.01, 241.9606, 0.4557489, 0.189065, 0.69, 0, 0, 0},          // 3 carbon dioxide
    {30.07, 244.1667, 0.5279209, 0.0793, 0, 0, 0, 0},               // 4 ethane
    {44.097, 298.1183, 0.583749, 0.141239, 0, 0, 0, 0},             // 5 propane
    {18.0153, 514.0156, 0.3825868, 0.3325, 1.06775, 0, 1.5822, 1},  // 6 water
    {34.082, 296.355, 0.4618263, 0.0885, 0.633276, 0, 0.39, 0},     // 7 hydrogen sulfide
    {2.0159, 26.95794, 0.3514916, 0.034369, 0, 1, 0, 0},            // 8 hydrogen
    {28.01, 105.5348, 0.4533894, 0.038953, 0, 0, 0, 0},             // 9 carbon monoxide
    {31.9988, 122.7667, 0.4186954, 0.021, 0, 0, 0, 0},              // 10 oxygen
    {58.123, 324.0689, 0.6406937, 0.256692, 0, 0, 0, 0},            // 11 i-butane
    {58.123, 337.6389, 0.6341423, 0.281835, 0, 0, 0, 0},            // 12 n-butane
    {72.15, 365.5999, 0.6738577, 0.332267, 0, 0, 0, 0},             // 13 i-pentane
    {72.15, 370.6823, 0.6798307, 0.366911, 0, 0, 0, 0},             // 14 n-pentane
    {86.177, 402.636293, 0.7175118, 0.289731, 0, 0, 0, 0},          // 15 n-hexane
    {100.204, 427.72263, 0.7525189, 0.337542, 0, 0, 0, 0},          // 16 n-heptane
    {114.231, 450.325022, 0.784955, 0.383381, 0, 0, 0, 0},          // 17 n-octane
    {128.258, 470.840891, 0.8152731, 0.427354, 0, 0, 0, 0},         // 18 n-nonane
    {142.285, 489.558373, 0.8437826, 0.469659, 0, 0, 0, 0},         // 19 n-decane
    {4.0026, 2.610111, 0.3589888, 0, 0, 0, 0, 0},                   // 20 helium
    {39.948, 119.6299, 0.4216551, 0, 0, 0, 0, 0},                   // 21 argon
};

// AGA Report No. 8 (1994), binary interaction parameters E*ij, Uij, Kij, G*ij of the pairs
// i < j that differ from 1 in at least one of the four.
constexpr BinaryParameters kBinary[] = {
    {1, 2, 0.97164, 0.886106, 1.00363, 1},           // methane, nitrogen
    {1, 3, 0.960644, 0.963827, 0.995933, 0.807653},  // methane, carbon dioxide
    {1, 5, 0.994635, 0.990877, 1.007619, 1},         // methane, propane
    {1, 6, 0.708218, 1, 1, 1},                       // methane, water
    {1, 7, 0.931484, 0.736833, 1.00008, 1},          // methane, hydrogen sulfide
    {1, 8, 1.17052, 1.15639, 1.02326, 1.95731},      // methane, hydrogen
    {1, 9, 0.990126, 1, 1, 1},                       // methane, carbon monoxide
    {1, 11, 1.01953, 1, 1, 1},                       // methane, i-butane
    {1, 12, 0.989844, 0.992291, 0.997596, 1},        // methane, n-butane
    {1, 13, 1.00235, 1, 1, 1},                       // methane, i-pentane
    {1, 14, 0.999268, 1.00367, 1.002529, 1},         // methane, n-pentane
    {1, 15, 1.107274, 1.302576, 0.982962, 1},        // methane, n-hexane
    {1, 16, 0.88088, 1.191904, 0.983565, 1},         // methane, n-heptane
    {1, 17, 0.880973, 1.205769, 0.982707, 1},        // methane, n-octane
    {1, 18, 0.881067, 1.219634, 0.981849, 1},        // methane, n-nonane
    {1, 19, 0.881161, 1.233498, 0.980991, 1},        // methane, n-decane
    {2, 3, 1.02274, 0.835058, 0.982361, 0.982746},   // nitrogen, carbon dioxide
    {2, 4, 0.97012, 0.816431, 1.00796, 1},           // nitrogen, ethane
    {2, 5, 0.945939, 0.915502, 1, 1},                // nitrogen, propane
    {2, 6, 0.746954, 1, 1, 1},                       // nitrogen, water
    {2, 7, 0.902271, 0.993476, 0.942596, 1},         // nitrogen, hydrogen sulfide
    {2, 8, 1.08632, 0.408838, 1.03227, 1},           // nitrogen, hydrogen
    {2, 9, 1.00571, 1, 1, 1},                        // nitrogen, carbon monoxide
    {2, 10, 1.021, 1, 1, 1},                         // nitrogen, oxygen
    {2, 11, 0.946914, 1, 1, 1},                      // nitrogen, i-butane
    {2, 12, 0.973384, 0.993556, 1, 1},               // nitrogen, n-butane
    {2, 13, 0.95934, 1, 1, 1},                       // nitrogen, i-pentane
    {2, 14, 0.94552, 1, 1, 1},                       // nitrogen, n-pentane
    {3, 4, 0.925053, 0.96987, 1.00851, 0.370296},    // carbon dioxide, ethane
    {3, 5, 0.960237, 1, 1, 1},                       // carbon dioxide, propane
    {3, 6, 0.849408, 1, 1, 1.67309},                 // carbon dioxide, water
    {3, 7, 0.955052, 1.04529, 1.00779, 1},           // carbon dioxide, hydrogen sulfide
    {3, 8, 1.28179, 1, 1, 1},                        // carbon dioxide, hydrogen
    {3, 9, 1.5, 0.9, 1, 1},                          // carbon dioxide, carbon monoxide
    {3, 11, 0.906849, 1, 1, 1},                      // carbon dioxide, i-butane
    {3, 12, 0.897362, 1, 1, 1},                      // carbon dioxide, n-butane
    {3, 13, 0.726255, 1, 1, 1},                      // carbon dioxide, i-pentane
    {3, 14, 0.859764, 1, 1, 1},                      // carbon dioxide, n-pentane
    {3, 15, 0.855134, 1.066638, 0.910183, 1},        // carbon dioxide, n-hexane
    {3, 16, 0.831229, 1.077634, 0.895362, 1},        // carbon dioxide, n-heptane
    {3, 17, 0.80831, 1.088178, 0.881152, 1},         // carbon dioxide, n-octane
    {3, 18, 0.786323, 1.098291, 0.86752, 1},         // carbon dioxide, n-nonane
    {3, 19, 0.765171, 1.108021, 0.854406, 1},        // carbon dioxide, n-decane
    {4, 5, 1.02256, 1.065173, 0.986893, 1},          // ethane, propane
    {4, 6, 0.693168, 1, 1, 1},                       // ethane, water
    {4, 7, 0.946871, 0.971926, 0.999969, 1},         // ethane, hydrogen sulfide
    {4, 8, 1.16446, 1.61666, 1.02034, 1},            // ethane, hydrogen
    {4, 11, 1, 1.25, 1, 1},                          // ethane, i-butane
    {4, 12, 1.01306, 1.25, 1, 1},                    // ethane, n-butane
    {4, 13, 1, 1.25, 1, 1},                          // ethane, i-pentane
    {4, 14, 1.00532, 1.25, 1, 1},                    // ethane, n-pentane
    {5, 8, 1.034787, 1, 1, 1},                       // propane, hydrogen
    {5, 12, 1.0049, 1, 1, 1},                        // propane, n-butane
    {7, 15, 1.008692, 1.028973, 0.96813, 1},         // hydrogen sulfide, n-hexane
    {7, 16, 1.010126, 1.033754, 0.96287, 1},         // hydrogen sulfide, n-heptane
    {7, 17, 1.011501, 1.038338, 0.957828, 1},        // hydrogen sulfide, n-octane
    {7, 18, 1.012821, 1.042735, 0.952441, 1},        // hydrogen sulfide, n-nonane
    {7, 19, 1.014089, 1.046966, 0.948338, 1},        // hydrogen sulfide, n-decane
    {8, 9, 1.1, 1, 1, 1},                            // hydrogen, carbon monoxide
    {8, 11, 1.3, 1, 1, 1},                           // hydrogen, i-butane
    {8, 12, 1.3, 1, 1, 1},                           // hydrogen, n-butane
};

// AGA Report No. 8 (1994), equation-of-state parameters an, bn, cn, kn, un, gn, qn, fn, sn,
// wn, n = 1..58. Terms 1..18 make the second virial coefficient; 13..58 the density terms.
constexpr EosTerm kEos[58] = {
    {0.1538326, 1, 0, 0, 0, 0, 0, 0, 0, 0},        // 1
    {1.341953, 1, 0, 0, 0.5, 0, 0, 0, 0, 0},       // 2
    {-2.998583, 1, 0, 0, 1, 0, 0, 0, 0, 0},        // 3
    {-0.04831228, 1, 0, 0, 3.5, 0, 0, 0, 0, 0},    // 4
    {0.3757965, 1, 0, 0, -0.5, 1, 0, 0, 0, 0},     // 5
    {-1.589575, 1, 0, 0, 4.5, 1, 0, 0, 0, 0},      // 6
    {-0.05358847, 1, 0, 0, 0.5, 0, 1, 0, 0, 0},    // 7
    {0.88659463, 1, 0, 0, 7.5, 0, 0, 0, 1, 0},     // 8
    {-0.71023704, 1, 0, 0, 9.5, 0, 0, 0, 1, 0},    // 9
    {-1.471722, 1, 0, 0, 6, 0, 0, 0, 0, 1},        // 10
    {1.32185035, 1, 0, 0, 12, 0, 0, 0, 0, 1},      // 11
    {-0.78665925, 1, 0, 0, 12.5, 0, 0, 0, 0, 1},   // 12
    {2.29129E-9, 1, 1, 3, -6, 0, 0, 1, 0, 0},      // 13
    {0.1576724, 1, 1, 2, 2, 0, 0, 0, 0, 0},        // 14
    {-0.4363864, 1, 1, 2, 3, 0, 0, 0, 0, 0},       // 15
    {-0.04408159, 1, 1, 2, 2, 0, 1, 0, 0, 0},      // 16
    {-0.003433888, 1, 1, 4, 2, 0, 0, 0, 0, 0},     // 17
    {0.03205905, 1, 1, 4, 11, 0, 0, 0, 0, 0},      // 18
    {0.02487355, 2, 0, 0, -0.5, 0, 0, 0, 0, 0},    // 19
    {0.07332279, 2, 0, 0, 0.5, 0, 0, 0, 0, 0},     // 20
    {-0.001600573, 2, 1, 2, 0, 0, 0, 0, 0, 0},     // 21
    {0.6424706, 2, 1, 2, 4, 0, 0, 0, 0, 0},        // 22
    {-0.4162601, 2, 1, 2, 6, 0, 0, 0, 0, 0},       // 23
    {-0.06689957, 2, 1, 4, 21, 0, 0, 0, 0, 0},     // 24
    {0.2791795, 2, 1, 4, 23, 1, 0, 0, 0, 0},       // 25
    {-0.6966051, 2, 1, 4, 22, 0, 1, 0, 0, 0},      // 26
    {-0.002860589, 2, 1, 4, -1, 0, 0, 1, 0, 0},    // 27
    {-0.008098836, 3, 0, 0, -0.5, 0, 1, 0, 0, 0},  // 28
    {3.150547, 3, 1, 1, 7, 1, 0, 0, 0, 0},         // 29
    {0.007224479, 3, 1, 1, -1, 0, 0, 1, 0, 0},     // 30
    {-0.7057529, 3, 1, 2, 6, 0, 0, 0, 0, 0},       // 31
    {0.5349792, 3, 1, 2, 4, 1, 0, 0, 0, 0},        // 32
    {-0.07931491, 3, 1, 3, 1, 1, 0, 0, 0, 0},      // 33
    {-1.418465, 3, 1, 3, 9, 1, 0, 0, 0, 0},        // 34
    {-5.99905E-17, 3, 1, 4, -13, 0, 0, 1, 0, 0},   // 35
    {0.1058402, 3, 1, 4, 21, 0, 0, 0, 0, 0},       // 36
    {0.03431729, 3, 1, 4, 8, 0, 1, 0, 0, 0},       // 37
    {-0.007022847, 4, 0, 0, -0.5, 0, 0, 0, 0, 0},  // 38
    {0.02495587, 4, 0, 0, 0, 0, 0, 0, 0, 0},       // 39
    {0.04296818, 4, 1, 2, 2, 0, 0, 0, 0, 0},       // 40
    {0.7465453, 4, 1, 2, 7, 0, 0, 0, 0, 0},        // 41
    {-0.2919613, 4, 1, 2, 9, 0, 1, 0, 0, 0},       // 42
    {7.294616, 4, 1, 4, 22, 0, 0, 0, 0, 0},        // 43
    {-9.936757, 4, 1, 4, 23, 0, 0, 0, 0, 0},       // 44
    {-0.005399808, 5, 0, 0, 1, 0, 0, 0, 0, 0},     // 45
    {-0.2432567, 5, 1, 2, 9, 0, 0, 0, 0, 0},       // 46
    {0.04987016, 5, 1, 2, 3, 0, 1, 0, 0, 0},       // 47
    {0.003733797, 5, 1, 4, 8, 0, 0, 0, 0, 0},      // 48
    {1.874951, 5, 1, 4, 23, 0, 1, 0, 0, 0},        // 49
    {0.002168144, 6, 0, 0, 1.5, 0, 0, 0, 0, 0},    // 50
    {-0.6587164, 6, 1, 2, 5, 1, 0, 0, 0, 0},       // 51
    {0.000205518, 7, 0, 0, -0.5, 0, 1, 0, 0, 0},   // 52
    {0.009776195, 7, 1, 2, 4, 0, 0, 0, 0, 0},      // 53
    {-0.02048708, 8, 1, 1, 7, 1, 0, 0, 0, 0},      // 54
    {0.01557322, 8, 1, 2, 3, 0, 0, 0, 0, 0},       // 55
    {0.006862415, 8, 1, 2, 0, 1, 0, 0, 0, 0},      // 56
    {-0.001226752, 9, 1, 2, 1, 0, 0, 0, 0, 0},     // 57
    {0.002850908, 9, 1, 2, 0, 0, 1, 0, 0, 0},      // 58
};

struct PairTable {
    double E[kComponentCount][kComponentCount];
    double U[kComponentCount][kComponentCount];
    double K[kComponentCount][kComponentCount];
    double G[kComponentCount][kComponentCount];
};

// The binary table spread over all pairs (1 where the report lists nothing), symmetric.
constexpr PairTable MakePairTable() {
    PairTable t{};
    for (int i = 0; i < kComponentCount; ++i)
        for (int j = 0; j < kComponentCount; ++j) t.E[i][j] = t.U[i][j] = t.K[i][j] = t.G[i][j] = 1.0;
    for (const BinaryParameters& p : kBinary) {
        const int i = p.i - 1, j = p.j - 1;
        t.E[i][j] = t.E[j][i] = p.E;
        t.U[i][j] = t.U[j][i] = p.U;
        t.K[i][j] = t.K[j][i] = p.K;
        t.G[i][j] = t.G[j][i] = p.G;
    }
    return t;
}
constexpr PairTable kPairs = MakePairTable();

// The report writes its B*nij and C*n with factors (x + 1 - e)^e of a flag exponent e,
// 0 or 1: the factor is 1 for e = 0 and x for e = 1.
constexpr double Flag(double x, int e) {
    return e == 0 ? 1.0 : x;
}

// Every exponent un of the method is a multiple of 1/2 (-13 to 23). x^un is then a product
// of sqrt(x) taken 2|un| times, which costs a multiplication where pow costs a logarithm and
// an exponential (within a few units in the last place of pow: 1e-14 relative at worst).
constexpr bool AllHalfIntegers() {
    for (const EosTerm& t : kEos)
        if (static_cast<double>(static_cast<int>(2.0 * t.u)) != 2.0 * t.u) return false;
    return true;
}
static_assert(AllHalfIntegers());

// x^(h/2) for h = kLo..kHi.
template <int kLo, int kHi>
class HalfPowers {
public:
    explicit HalfPowers(double x) {
        const double r = std::sqrt(x), inv = 1.0 / r;
        p_[-kLo] = 1.0;
        for (int h = 1; h <= kHi; ++h) p_[h - kLo] = p_[h - 1 - kLo] * r;
        for (int h = -1; h >= kLo; --h) p_[h - kLo] = p_[h + 1 - kLo] * inv;
    }
    // x^u for a multiple u of 1/2 with kLo <= 2u <= kHi.
    double operator()(double u) const { return p_[static_cast<int>(2.0 * u) - kLo]; }

private:
    double p_[kHi - kLo + 1];
};

// The second virial coefficient's terms n = 1..18 fall in two groups. A term with a
// quadrupole, dipole, association or high-temperature flag (qn, sn, wn or fn = 1) carries
// the factor Qi Qj, Si Sj, Wi Wj or (Fi Fj)^(1/2) and is zero unless both components have
// that parameter, which only carbon dioxide, water, hydrogen sulfide and hydrogen do: the
// "polar" terms and components below. The other ten terms are in general non-zero for every
// pair. A composition's sums then run over its own pairs for the ten, and over its pairs of
// polar components alone for the eight: the zeros left out change no bit of a sum.
constexpr int kVirialTerms = 18;

constexpr bool IsPolarTerm(const EosTerm& t) {
    return t.q != 0 || t.s != 0 || t.w != 0 || t.f != 0;
}
constexpr bool IsPolarComponent(const ComponentParameters& c) {
    return c.Q != 0.0 || c.S != 0.0 || c.W != 0.0 || c.F != 0.0;
}

template <bool kPolar>
constexpr int CountVirialTerms() {
    int count = 0;
    for (int n = 0; n < kVirialTerms; ++n)
        if (IsPolarTerm(kEos[n]) == kPolar) ++count;
    return count;
}
constexpr int kCommonTerms = CountVirialTerms<false>();
constexpr int kPolarTerms = CountVirialTerms<true>();

// Index n - 1 of each term of a group, in ascending n.
template <bool kPolar, int kCount>
constexpr std::array<int, kCount> VirialTermIndex() {
    std::array<int, kCount> index{};
    int m = 0;
    for (int n = 0; n < kVirialTerms; ++n)
        if (IsPolarTerm(kEos[n]) == kPolar) index[m++] = n;
    return index;
}
constexpr std::array<int, kCommonTerms> kCommonTermIndex = VirialTermIndex<false, kCommonTerms>();
constexpr std::array<int, kPolarTerms> kPolarTermIndex = VirialTermIndex<true, kPolarTerms>();

constexpr int CountPolarComponents() {
    int count = 0;
    for (const ComponentParameters& c : kComponents)
        if (IsPolarComponent(c)) ++count;
    return count;
}
constexpr int kPolarComponents = CountPolarComponents();

// The polar components' places in the polar pair table; -1 for every other component.
constexpr std::array<int, kComponentCount> PolarSlots() {
    std::array<int, kComponentCount> slot{};
    int m = 0;
    for (int i = 0; i < kComponentCount; ++i) slot[i] = IsPolarComponent(kComponents[i]) ? m++ : -1;
    return slot;
}
constexpr std::array<int, kComponentCount> kPolarSlot = PolarSlots();

// The composition-independent factors of the pair sums (report, section 3), for a pair of
// AGA numbers i, j:
//   b[n] = an Eij^un (Ki Kj)^(3/2) B*nij, n = 1..18, the second virial coefficient being
//          B = sum(n) T^-un sum_i sum_j xi xj b[n], with Eij = E*ij (Ei Ej)^(1/2) and
//          B*nij = (Gij + 1 - gn)^gn (Qi Qj + 1 - qn)^qn (Fi^(1/2) Fj^(1/2) + 1 - fn)^fn
//                  (Si Sj + 1 - sn)^sn (Wi Wj + 1 - wn)^wn,  Gij = G*ij (Gi + Gj) / 2;
//   k = (Kij^5 - 1)(Ki Kj)^(5/2), u = (Uij^5 - 1)(Ei Ej)^(5/2), g = (G*ij - 1)(Gi + Gj);
// and of each component Ki^(5/2) and Ei^(5/2). Computed once for the program run and never
// changed; a composition then costs only the sums over its own pairs.
// One pair's sums side by side, so that a composition adds them all in a few vector
// operations: b[n] of the ten terms of every pair, then k and u.
constexpr int kPairSums = kCommonTerms + 2;
constexpr int kPairK = kCommonTerms;
constexpr int kPairU = kCommonTerms + 1;
struct PairTerm {
    alignas(16) double sum[kPairSums];
    double g;
};
struct PairTermTable {
    PairTerm t[kComponentCount][kComponentCount];
    double polar[kPolarComponents][kPolarComponents][kPolarTerms];  // b[n] of the eight
    double k25[kComponentCount], e25[kComponentCount];
};

PairTermTable MakePairTerms() {
    PairTermTable table{};
    const auto& c = kComponents;
    for (int i = 0; i < kComponentCount; ++i) {
        table.k25[i] = std::pow(c[i].K, 2.5);
        table.e25[i] = std::pow(c[i].E, 2.5);
        for (int j = 0; j < kComponentCount; ++j) {
            PairTerm& t = table.t[i][j];
            t.sum[kPairK] = (std::pow(kPairs.K[i][j], 5) - 1.0) * std::pow(c[i].K * c[j].K, 2.5);
            t.sum[kPairU] = (std::pow(kPairs.U[i][j], 5) - 1.0) * std::pow(c[i].E * c[j].E, 2.5);
            t.g = (kPairs.G[i][j] - 1.0) * (c[i].G + c[j].G);
            const HalfPowers<-12, 25> eij(kPairs.E[i][j] * std::sqrt(c[i].E * c[j].E));
            const double gij = kPairs.G[i][j] * (c[i].G + c[j].G) / 2.0;
            const double kij3 = std::pow(c[i].K * c[j].K, 1.5);
            const double qq = c[i].Q * c[j].Q;
            const double ff = std::sqrt(c[i].F * c[j].F);
            const double ss = c[i].S * c[j].S;
            const double ww = c[i].W * c[j].W;
            double b[kVirialTerms];
            for (int n = 0; n < kVirialTerms; ++n) {
                const EosTerm& e = kEos[n];
                const double bstar =
                    Flag(gij, e.g) * Flag(qq, e.q) * Flag(ff, e.f) * Flag(ss, e.s) * Flag(ww, e.w);
                b[n] = e.a * eij(e.u) * kij3 * bstar;
            }
            for (int m = 0; m < kCommonTerms; ++m) t.sum[m] = b[kCommonTermIndex[m]];
            if (kPolarSlot[i] >= 0 && kPolarSlot[j] >= 0)
                for (int m = 0; m < kPolarTerms; ++m)
                    table.polar[kPolarSlot[i]][kPolarSlot[j]][m] = b[kPolarTermIndex[m]];
        }
    }
    return table;
}

const PairTermTable& PairTerms() {
    static const PairTermTable table = MakePairTerms();
    return table;
}

// Adds the pair terms of the components `active` (ascending AGA numbers, mole fractions x) to
// `sum` and to g, pair by pair in the order i <= j. A component with itself has
// Kii = Uii = G*ii = 1 and so no k, u or g term. The sums are kept in locals, which the
// compiler holds in vector registers (the caller's arrays might alias the table).
void AddPairSums(const PairTermTable& pairs, const double* x, const int* active, int n_active,
                 double (&sum_out)[kPairSums], double& g_out) {
    alignas(16) double sum[kPairSums];
    for (int m = 0; m < kPairSums; ++m) sum[m] = sum_out[m];
    double g = g_out;
    for (int a = 0; a < n_active; ++a) {
        const int i = active[a];
        const double xii = 1.0 * x[i] * x[i];
        const PairTerm& ti = pairs.t[i][i];
        for (int m = 0; m < kPairSums; ++m) sum[m] += xii * ti.sum[m];
        for (int b = a + 1; b < n_active; ++b) {
            const int j = active[b];
            const PairTerm& t = pairs.t[i][j];
            const double xij = 2.0 * x[i] * x[j];
            for (int m = 0; m < kPairSums; ++m) sum[m] += xij * t.sum[m];
            g += 0.5 * xij * t.g;
        }
    }
    for (int m = 0; m < kPairSums; ++m) sum_out[m] = sum[m];
    g_out = g;
}

// The temperature and density sums, written out term by term from the table when the
// program is compiled: each term's exponents and flags are constants, so no term reads the
// table or tests a flag at run time. The terms are added in ascending n as the report
// writes them.
template <int n>
constexpr EosTerm kTerm = kEos[n];

// C*n = an (G + 1 - gn)^gn (Q^2 + 1 - qn)^qn (F + 1 - fn)^fn U^un, n = 13..58.
template <int kLo, int kHi, size_t... I>
void CompositionTerms(const HalfPowers<kLo, kHi>& u_pow, double g, double q, double f, double* c_comp,
                      std::index_sequence<I...>) {
    const auto term = [&]<int n>(std::integral_constant<int, n>) {
        constexpr EosTerm t = kTerm<n>;
        c_comp[n] = t.a * Flag(g, t.g) * Flag(q * q, t.q) * Flag(f, t.f) * u_pow(t.u);
    };
    (term(std::integral_constant<int, static_cast<int>(I) + 12>{}), ...);
}

// B = sum(n = 1..18) T^-un (the composition's sum for n); C*n T^-un for n = 13..58.
template <int kLo, int kHi, size_t... I>
double TemperatureSums(const HalfPowers<kLo, kHi>& t_pow, const double* b_comp, const double* c_comp,
                       double* c_t, std::index_sequence<I...>) {
    double b = 0.0;
    const auto term = [&]<int n>(std::integral_constant<int, n>) {
        const double tn = t_pow(-kTerm<n>.u);
        if constexpr (n < kVirialTerms) b += b_comp[n] * tn;
        if constexpr (n >= 12) c_t[n] = c_comp[n] * tn;
    };
    (term(std::integral_constant<int, static_cast<int>(I)>{}), ...);
    return b;
}

// The density terms of Z, n = 13..58: C*n T^-un (bn - cn kn D^kn) D^bn exp(-cn D^kn), with
// dk = D^k, ek = exp(-D^k) and db = D^b.
template <size_t... I>
double DensityTerms(double z, const double* c_t, const double* dk, const double* ek, const double* db,
                    std::index_sequence<I...>) {
    const auto term = [&]<int n>(std::integral_constant<int, n>) {
        constexpr EosTerm t = kTerm<n>;
        if constexpr (t.c == 0)
            z += c_t[n] * t.b * db[t.b];
        else
            z += c_t[n] * (t.b - t.k * dk[t.k]) * db[t.b] * ek[t.k];
    };
    (term(std::integral_constant<int, static_cast<int>(I) + 12>{}), ...);
    return z;
}

// Bracketing of the density: at most this many steps, each raising it by this factor.
constexpr int kBracketSteps = 200;
constexpr double kBracketFactor = 1.1;
// Brent's method: at most this many iterations; stop when the pressure residual is below
// kTolP of the pressure or the bracket below kTolD of the density. The report's program
// stops at 1e-6 for both; that leaves pressure residuals up to 1e-7 and densities a few
// parts in 1e9 off its own published check point, which the tighter stop reaches to the
// last digits at the cost of one or two more evaluations.
constexpr int kBrentIterations = 150;
constexpr double kTolP = 1e-13;
constexpr double kTolD = 1e-13;

}  // namespace

std::span<const ComponentParameters, kComponentCount> ComponentTable() {
    return kComponents;
}

std::span<const BinaryParameters> BinaryTable() {
    return kBinary;
}

std::span<const EosTerm, 58> EosTable() {
    return kEos;
}

double MolarMass(int aga_number) {
    if (aga_number < 1 || aga_number > kComponentCount) return 0.0;
    return kComponents[aga_number - 1].M;
}

}  // namespace aga8

using aga8::kComponentCount;

bool CFluidAGA8NaturalGas::SetComposition(std::span<const double, kComponentCount> amounts) {
    double total = 0.0;
    for (double a : amounts) {
        if (!(std::isfinite(a) && a >= 0.0)) return false;
        total += a;
    }
    if (!(total > 0.0 && std::isfinite(total))) return false;

    const auto& c = aga8::kComponents;
    const aga8::PairTermTable& pairs = aga8::PairTerms();
    std::array<double, kComponentCount> x{};
    int active[kComponentCount];
    int n_active = 0;
    double mw = 0.0;
    for (int i = 0; i < kComponentCount; ++i) {
        x[i] = amounts[i] / total;
        if (x[i] > 0.0) active[n_active++] = i;
        mw += x[i] * c[i].M;
    }

    // Mixing rules of the method (report, section 3):
    //   K^5 = (sum xi Ki^(5/2))^2 + 2 sum(i<j) xi xj (Kij^5 - 1) (Ki Kj)^(5/2), U^5 likewise
    //   with Ei and Uij; G = sum xi Gi + sum(i<j) xi xj (G*ij - 1)(Gi + Gj); Q = sum xi Qi;
    //   F = sum xi^2 Fi; and the second virial coefficient's double sums of PairTerms, each
    //   over the pairs i <= j in ascending AGA numbers.
    double k5 = 0.0, u5 = 0.0, g = 0.0, q = 0.0, f = 0.0;
    int polar[aga8::kPolarComponents];
    int n_polar = 0;
    for (int a = 0; a < n_active; ++a) {
        const int i = active[a];
        k5 += x[i] * pairs.k25[i];
        u5 += x[i] * pairs.e25[i];
        g += x[i] * c[i].G;
        q += x[i] * c[i].Q;
        f += x[i] * x[i] * c[i].F;
        if (aga8::kPolarSlot[i] >= 0) polar[n_polar++] = i;
    }
    k5 *= k5;
    u5 *= u5;
    alignas(16) double sum[aga8::kPairSums] = {};
    sum[aga8::kPairK] = k5;
    sum[aga8::kPairU] = u5;
    aga8::AddPairSums(pairs, x.data(), active, n_active, sum, g);
    k5 = sum[aga8::kPairK];
    u5 = sum[aga8::kPairU];
    double polar_sum[aga8::kPolarTerms] = {};
    for (int a = 0; a < n_polar; ++a) {
        const int i = polar[a];
        for (int b = a; b < n_polar; ++b) {
            const int j = polar[b];
            const double xij = (i == j ? 1.0 : 2.0) * x[i] * x[j];
            const double* t = pairs.polar[aga8::kPolarSlot[i]][aga8::kPolarSlot[j]];
            for (int m = 0; m < aga8::kPolarTerms; ++m) polar_sum[m] += xij * t[m];
        }
    }
    std::array<double, aga8::kVirialTerms> bsum{};
    for (int m = 0; m < aga8::kCommonTerms; ++m) bsum[aga8::kCommonTermIndex[m]] = sum[m];
    for (int m = 0; m < aga8::kPolarTerms; ++m) bsum[aga8::kPolarTermIndex[m]] = polar_sum[m];

    const double k = std::pow(k5, 0.2);
    const double u = std::pow(u5, 0.2);
    if (!(std::isfinite(k) && k > 0.0 && std::isfinite(u) && u > 0.0)) return false;

    x_ = x;
    mw_ = mw;
    k3_ = k * k * k;
    u_ = u;
    b_comp_ = bsum;
    // C*n = an (G + 1 - gn)^gn (Q^2 + 1 - qn)^qn (F + 1 - fn)^fn U^un, n = 13..58.
    const aga8::HalfPowers<-26, 46> u_pow(u);
    aga8::CompositionTerms(u_pow, g, q, f, c_comp_.data(), std::make_index_sequence<58 - 12>());
    t_ = -1.0;
    composition_set_ = true;
    return true;
}

// The temperature factors T^-un, kept for the last temperature.
void CFluidAGA8NaturalGas::TemperatureTerms(double T_K) {
    if (T_K == t_) return;
    const aga8::HalfPowers<-46, 26> t_pow(T_K);
    b_ = aga8::TemperatureSums(t_pow, b_comp_.data(), c_comp_.data(), c_t_.data(),
                               std::make_index_sequence<58>());
    t_ = T_K;
}

double CFluidAGA8NaturalGas::SecondVirial(double T_K) {
    TemperatureTerms(T_K);
    return b_;
}

double CFluidAGA8NaturalGas::Z(double d, double T_K) {
    TemperatureTerms(T_K);
    const double D = k3_ * d;
    // D^k and exp(-D^k) for the exponents k = 1..4 the terms use, D^b for b = 1..9.
    double dk[5], ek[5], db[10];
    dk[0] = 1.0;
    ek[0] = 1.0;
    db[0] = 1.0;
    for (int k = 1; k <= 4; ++k) {
        dk[k] = dk[k - 1] * D;
        ek[k] = std::exp(-dk[k]);
    }
    for (int b = 1; b <= 9; ++b) db[b] = db[b - 1] * D;

    double sum_13_18 = 0.0;
    for (int n = 12; n < 18; ++n) sum_13_18 += c_t_[n];
    const double z = 1.0 + b_ * d - D * sum_13_18;
    return aga8::DensityTerms(z, c_t_.data(), dk, ek, db, std::make_index_sequence<58 - 12>());
}

double CFluidAGA8NaturalGas::Pressure(double d, double T_K) {
    return Z(d, T_K) * d * aga8::kR * T_K;
}

std::optional<double> CFluidAGA8NaturalGas::Density(double P_MPa, double T_K) {
    if (!composition_set_) return std::nullopt;
    if (!(std::isfinite(P_MPa) && P_MPa > 0.0 && std::isfinite(T_K) && T_K > 0.0)) return std::nullopt;
    TemperatureTerms(T_K);

    // The molar density is bounded above by 1/K^3, or 20/K^3 above 1.2593 U (the report's
    // program keeps its search below these).
    const double d_max = (T_K > 1.2593 * u_ ? 20.0 : 1.0) / k3_;
    const auto residual = [&](double d) { return Pressure(d, T_K) - P_MPa; };

    // Bracket: start from the ideal-gas density corrected by the second virial
    // coefficient, d = p / (RT + Bp), and step upwards until the pressure is exceeded.
    const double rt = aga8::kR * T_K;
    double d = rt + b_ * P_MPa > 0.0 ? P_MPa / (rt + b_ * P_MPa) : P_MPa / rt;
    if (!(d < d_max)) d = 0.5 * d_max;
    double lo = 0.0, f_lo = -P_MPa;
    double hi = d, f_hi = residual(d);
    for (int step = 0; !(f_hi >= 0.0); ++step) {
        if (step >= aga8::kBracketSteps || hi >= d_max || !std::isfinite(f_hi)) return std::nullopt;
        lo = hi;
        f_lo = f_hi;
        hi = std::fmin(hi * aga8::kBracketFactor, d_max);
        f_hi = residual(hi);
    }
    if (f_hi == 0.0) return hi;

    // Brent's method (R. P. Brent, Algorithms for Minimization without Derivatives, 1973,
    // ch. 4): inverse quadratic interpolation or secant steps, bisection when they do not
    // shrink the bracket fast enough.
    double a = lo, fa = f_lo, b = hi, fb = f_hi;
    double c = a, fc = fa, step = b - a, prev_step = step;
    for (int it = 0; it < aga8::kBrentIterations; ++it) {
        if ((fb > 0.0) == (fc > 0.0)) {
            c = a;
            fc = fa;
            step = prev_step = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol = aga8::kTolD * std::fabs(b);
        const double half = 0.5 * (c - b);
        if (std::fabs(half) <= tol || std::fabs(fb) <= aga8::kTolP * P_MPa) return b;
        if (std::fabs(prev_step) >= tol && std::fabs(fa) > std::fabs(fb)) {
            double p, q;
            const double s = fb / fa;
            if (a == c) {
                p = 2.0 * half * s;
                q = 1.0 - s;
            } else {
                const double qa = fa / fc, r = fb / fc;
                p = s * (2.0 * half * qa * (qa - r) - (b - a) * (r - 1.0));
                q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (p > 0.0)
                q = -q;
            else
                p = -p;
            if (2.0 * p < std::fmin(3.0 * half * q - std::fabs(tol * q), std::fabs(prev_step * q))) {
                prev_step = step;
                step = p / q;
            } else {
                step = half;
                prev_step = step;
            }
        } else {
            step = half;
            prev_step = step;
        }
        a = b;
        fa = fb;
        b += std::fabs(step) > tol ? step : std::copysign(tol, half);
        fb = residual(b);
        if (!std::isfinite(fb)) return std::nullopt;
    }
    return std::nullopt;
}

std::optional<Aga8Results> CFluidAGA8NaturalGas::Compute(std::span<const int> numbers,
                                                         std::span<const double> molePercents, double P_MPa,
                                                         double T_K, double Pb_MPa, double Tb_K) {
    if (numbers.size() != molePercents.size() || numbers.empty()) return std::nullopt;
    std::array<double, kComponentCount> amounts{};
    std::array<bool, kComponentCount> seen{};
    for (size_t i = 0; i < numbers.size(); ++i) {
        const int no = numbers[i];
        if (no < 1 || no > kComponentCount || seen[no - 1]) return std::nullopt;
        seen[no - 1] = true;
        amounts[no - 1] = molePercents[i];
    }
    if (!SetComposition(amounts)) return std::nullopt;

    Aga8Results r;
    r.MW = mw_;
    const std::optional<double> db = Density(Pb_MPa, Tb_K);
    if (!db) return std::nullopt;
    r.Db = *db;
    r.Zb = Z(r.Db, Tb_K);
    const std::optional<double> df = Density(P_MPa, T_K);
    if (!df) return std::nullopt;
    r.Df = *df;
    r.Zf = Z(r.Df, T_K);
    if (!(std::isfinite(r.Zb) && r.Zb > 0.0 && std::isfinite(r.Zf) && r.Zf > 0.0)) return std::nullopt;
    return r;
}

}  // namespace quorven
