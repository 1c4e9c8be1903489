// quorven-cli fluid eval vp|cubic|dpr|chung|hbt|lucas: one published correlation at a
// time, in its own units (K, bar, g/cm3, cm3/mol, cP), for engineers who check a
// number by hand. Component data come from the program's PROPERTY.DAF; names are
// matched ignoring case and amounts normalised as for fluid gas.

#include <CLI/CLI.hpp>
#include <cmath>
#include <iostream>
#include <optional>
#include <vector>

#include "cli/fluid_cli.h"
#include "fluids/fluid_units.h"
#include "fluids/gas_correlations.h"
#include "fluids/liquid_correlations.h"
#include "record/cformat.h"

namespace quorven::cli {
namespace {

struct EvalOptions {
    std::string eqn, tc, pc, a, b, c, d, t;  // vp
    std::string eos, p;                      // cubic
    std::string tpr, ppr;                    // dpr
    std::string rho;                         // chung
    std::string mu_sat;                      // lucas
    std::vector<std::string> comps;
    bool json = false;
};

std::optional<double> Number(const char* name, const std::string& text, bool required = true) {
    double v = 0.0;
    if (text.empty() && !required) return 0.0;
    if (ParseFiniteDouble(text, v)) return v;
    std::cerr << "Error: " << name << " needs a finite decimal number, got \"" << text << "\".\n";
    return std::nullopt;
}

// The records and mole fractions of --comp.
struct Mixture {
    std::vector<const PropertyRecord*> records;
    std::vector<double> x;
    std::vector<double> Field(double PropertyRecord::*field) const {
        std::vector<double> v;
        for (const PropertyRecord* r : records) v.push_back(r->*field);
        return v;
    }
    double MW() const {
        double m = 0.0;
        for (std::size_t i = 0; i < x.size(); ++i) m += x[i] * records[i]->Mol_Wt;
        return m;
    }
};

std::optional<Mixture> ReadMixture(const EvalOptions& o) {
    CliMessageSink sink;
    const PropertyDatabase& db = ProgramDatabase();
    const std::optional<ComponentList> list = ComponentsFromOptions(o.comps, db, sink);
    if (!list) return std::nullopt;
    Mixture m;
    for (int i = 0; i < list->Occupied(); ++i) {
        m.records.push_back(db.ByNumber(list->slots[i].Comp_No));
        m.x.push_back(list->slots[i].Mole_Pct / 100.0);
    }
    return m;
}

int Print(const EvalOptions& o, std::initializer_list<std::pair<const char*, double>> values) {
    if (o.json) {
        nlohmann::json j = nlohmann::json::object();
        for (const auto& [k, v] : values) j[k] = v;
        std::cout << j.dump(2) << '\n';
    } else {
        for (const auto& [k, v] : values) std::cout << k << " = " << NumberText(v) << '\n';
    }
    return 0;
}

int Fail(const char* what) {
    std::cerr << "Error: " << what << '\n';
    return 1;
}

int EvalVp(const EvalOptions& o) {
    const auto eqn = Number("--eqn", o.eqn), tc = Number("--tc", o.tc), pc = Number("--pc", o.pc),
               a = Number("--a", o.a), b = Number("--b", o.b), c = Number("--c", o.c),
               d = Number("--d", o.d, false), t = Number("--t", o.t);
    if (!eqn || !tc || !pc || !a || !b || !c || !d || !t) return 1;
    if (*eqn != 1.0 && *eqn != 3.0) return Fail("--eqn must be 1 (Wagner) or 3 (Antoine).");
    const PropValue p = VaporPressure(static_cast<int32_t>(*eqn), *tc, *a, *b, *c, *d, *t, *pc);
    if (!p.ok()) return Fail("no vapour pressure: the data are incomplete or T is not between 0 and Tc.");
    return Print(o, {{"Pvp_bar", p.value}});
}

int EvalCubic(const EvalOptions& o) {
    std::string eos = o.eos;
    for (char& ch : eos) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (eos != "rk" && eos != "srk") return Fail("--eos must be rk or srk.");
    const auto t = Number("--t", o.t), p = Number("--p", o.p);
    if (!t || !p) return 1;
    const std::optional<Mixture> m = ReadMixture(o);
    if (!m) return 1;
    const GasEquation code = eos == "rk" ? GasEquation::RedlichKwong : GasEquation::SoaveRedlichKwong;
    std::vector<KijVector> kij;
    for (const PropertyRecord* r : m->records) {
        KijVector k{};
        const double* src = code == GasEquation::SoaveRedlichKwong ? r->Kij_SRK : r->Kij_RK;
        for (std::size_t i = 0; i < kKijPositions; ++i) k[i] = src[i];
        kij.push_back(k);
    }
    const PropValue z =
        CubicZ(m->x, code, *p, *t, m->Field(&PropertyRecord::Crit_Press),
               m->Field(&PropertyRecord::Crit_Temp), m->Field(&PropertyRecord::Acentric), kij);
    if (!z.ok())
        return Fail(z.status == PropStatus::NoConvergence ? "the cubic has no vapour root above Z = 0.1."
                                                          : "the data are incomplete or P, T not above 0.");
    return Print(
        o, {{"Z", z.value}, {"rho_g_cm3", m->MW() * *p / (fluid_units::kR_cm3bar_molK * *t * z.value)}});
}

int EvalDpr(const EvalOptions& o) {
    const auto tpr = Number("--tpr", o.tpr), ppr = Number("--ppr", o.ppr);
    if (!tpr || !ppr) return 1;
    const double one[] = {1.0};
    const PropValue z = DprZ(one, one, one, *ppr, *tpr);
    if (!z.ok())
        return Fail(z.status == PropStatus::NoConvergence ? "the reduced density does not converge."
                                                          : "Tpr and Ppr must be above 0.");
    return Print(o, {{"Z", z.value}});
}

int EvalChung(const EvalOptions& o) {
    const auto t = Number("--t", o.t), rho = Number("--rho", o.rho);
    if (!t || !rho) return 1;
    const std::optional<Mixture> m = ReadMixture(o);
    if (!m) return 1;
    const PropValue v =
        ChungViscosity(*t, *rho, m->x, m->Field(&PropertyRecord::Mol_Wt),
                       m->Field(&PropertyRecord::Crit_Temp), m->Field(&PropertyRecord::Crit_Vol),
                       m->Field(&PropertyRecord::Acentric), m->Field(&PropertyRecord::Dipole));
    if (!v.ok()) return Fail("the data are incomplete (Tc, Vc, acentric factor) or T, rho not above 0.");
    return Print(o, {{"mu_cP", v.value}});
}

int EvalHbt(const EvalOptions& o) {
    const auto t = Number("--t", o.t), p = Number("--p", o.p);
    if (!t || !p) return 1;
    const std::optional<Mixture> m = ReadMixture(o);
    if (!m) return 1;
    std::vector<int32_t> cls;
    for (const PropertyRecord* r : m->records) cls.push_back(r->LiqVol_Class);
    const HbtVolumeResult v =
        HbtVolume(m->x, m->Field(&PropertyRecord::Crit_Press), m->Field(&PropertyRecord::Hbt_Tc),
                  m->Field(&PropertyRecord::Hbt_Omega), m->Field(&PropertyRecord::Hbt_Vstar), cls, *p, *t);
    if (!v.volume.ok())
        return Fail("the liquid density data are incomplete (vapour-only data) or P, T not above 0.");
    if (v.extrapolated)
        std::cerr << "Warning: the reduced temperature " << NumberText(v.Tr)
                  << " lies outside 0.25 to 0.95.\n";
    if (!(v.volume.value > 0.0)) return Fail("no liquid volume outside reduced temperatures 0.25 to 1.");
    return Print(
        o, {{"Vsat_cm3_mol", v.Vs}, {"V_cm3_mol", v.volume.value}, {"rho_g_cm3", m->MW() / v.volume.value}});
}

int EvalLucas(const EvalOptions& o) {
    const auto t = Number("--t", o.t), p = Number("--p", o.p), mu = Number("--mu-sat", o.mu_sat);
    if (!t || !p || !mu) return 1;
    const std::optional<Mixture> m = ReadMixture(o);
    if (!m) return 1;
    if (m->records.size() != 1) return Fail("lucas takes one component.");
    const PropertyRecord& r = *m->records[0];
    if (!(*t > 0.0 && *p > 0.0 && *mu > 0.0))
        return Fail("T, P and the saturated viscosity must be above 0.");
    const PropValue pvp =
        VaporPressure(r.Vp_Eqn, r.Crit_Temp, r.Vp_A, r.Vp_B, r.Vp_C, r.Vp_D, *t, r.Crit_Press);
    if (!pvp.ok() || r.Acentric == 0.0)
        return Fail("no vapour pressure at T (T at or above Tc, or data missing).");
    const double v =
        LucasPressureCorrection(*mu, (*p - pvp.value) / r.Crit_Press, *t / r.Crit_Temp, r.Acentric);
    if (!std::isfinite(v)) return Fail("the correction is not defined at this reduced temperature.");
    return Print(o, {{"mu_cP", v}});
}

}  // namespace

void RegisterFluidEvalCommands(CLI::App& fluid, CommandContext& ctx) {
    auto o = std::make_shared<EvalOptions>();
    CLI::App* eval = fluid.add_subcommand("eval", "One published correlation at a time (K, bar, g/cm3, cP).");
    eval->require_subcommand(1);
    auto json = [&](CLI::App* c) { c->add_flag("--json", o->json, "JSON output"); };
    auto comps = [&](CLI::App* c, const char* what) { c->add_option("--comp", o->comps, what)->required(); };
    auto run = [&ctx, o](CLI::App* c, int (*fn)(const EvalOptions&)) {
        c->callback([&ctx, o, fn] { ctx.action = [o, fn] { return fn(*o); }; });
    };

    CLI::App* vp = eval->add_subcommand("vp", "Vapour pressure, bar: Wagner (1) or Antoine (3) -> Pvp_bar.");
    vp->add_option("--eqn", o->eqn, "1 Wagner, 3 Antoine")->required();
    vp->add_option("--tc", o->tc, "critical temperature, K")->required();
    vp->add_option("--pc", o->pc, "critical pressure, bar")->required();
    vp->add_option("--a", o->a, "coefficient A")->required();
    vp->add_option("--b", o->b, "coefficient B")->required();
    vp->add_option("--c", o->c, "coefficient C")->required();
    vp->add_option("--d", o->d, "coefficient D (Wagner)");
    vp->add_option("--t", o->t, "temperature, K")->required();
    json(vp);
    run(vp, EvalVp);

    CLI::App* cubic = eval->add_subcommand("cubic", "RK or SRK vapour root -> Z, rho_g_cm3.");
    cubic->add_option("--eos", o->eos, "rk or srk")->required();
    comps(cubic, "component NAME=X, repeated");
    cubic->add_option("--t", o->t, "temperature, K")->required();
    cubic->add_option("--p", o->p, "pressure, bar")->required();
    json(cubic);
    run(cubic, EvalCubic);

    CLI::App* dpr = eval->add_subcommand("dpr", "Dranchuk-Purvis-Robinson Z at reduced conditions -> Z.");
    dpr->add_option("--tpr", o->tpr, "pseudo-reduced temperature")->required();
    dpr->add_option("--ppr", o->ppr, "pseudo-reduced pressure")->required();
    json(dpr);
    run(dpr, EvalDpr);

    CLI::App* chung = eval->add_subcommand("chung", "Chung et al. (1988) dense-gas viscosity -> mu_cP.");
    comps(chung, "component NAME (or NAME=X, repeated, for a mixture)");
    chung->add_option("--t", o->t, "temperature, K")->required();
    chung->add_option("--rho", o->rho, "density, g/cm3")->required();
    json(chung);
    run(chung, EvalChung);

    CLI::App* hbt = eval->add_subcommand(
        "hbt", "Hankinson-Brobst-Thomson compressed-liquid volume -> Vsat_cm3_mol, V_cm3_mol, rho_g_cm3.");
    comps(hbt, "component NAME=X, repeated");
    hbt->add_option("--t", o->t, "temperature, K")->required();
    hbt->add_option("--p", o->p, "pressure, bar")->required();
    json(hbt);
    run(hbt, EvalHbt);

    CLI::App* lucas =
        eval->add_subcommand("lucas", "Lucas pressure correction of a liquid viscosity -> mu_cP.");
    comps(lucas, "component NAME");
    lucas->add_option("--t", o->t, "temperature, K")->required();
    lucas->add_option("--p", o->p, "pressure, bar")->required();
    lucas->add_option("--mu-sat", o->mu_sat, "saturated-liquid viscosity at T, cP")->required();
    json(lucas);
    run(lucas, EvalLucas);
}

}  // namespace quorven::cli
