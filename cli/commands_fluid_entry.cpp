// quorven-cli fluid aga8 | steam saturated | steam superheated | water: the AGA 8,
// steam and compressed-water entries of the Fluids menu from the command line. With
// --tag FILE the results go into the tag exactly as the menu command puts them (through
// the same functions); an error leaves the file byte for byte as it was.
//
// Conditions are typed in psia and degrees F; results are printed in the record's units
// (lb/ft3, cP) and, for AGA 8, in the report's kmol/m3.

#include <CLI/CLI.hpp>
#include <array>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/fluid_cli.h"
#include "fluids/aga8_detail.h"
#include "fluids/aga8_entry.h"
#include "fluids/aga8_mixture.h"
#include "fluids/fluid_entry.h"
#include "fluids/steam_ifc67.h"
#include "project/tag_file.h"
#include "record/cformat.h"
#include "record/choice_codes.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven::cli {
namespace {

constexpr double kRankine = 459.67;
constexpr double kReportBase_psia = 14.73;  // AGA 8's base: 14.73 psia, 60 deg F
constexpr double kReportBase_F = 60.0;
constexpr double kNewTagBase_psia = 14.69595;  // a new tag's base pressure
constexpr double kLbFt3PerKgM3 = 1.0 / (0.45359237 / (0.3048 * 0.3048 * 0.3048));
constexpr int kErrorBasePressure = 8;
constexpr int kErrorBaseTemperature = 9;
constexpr int kErrorLiquidState = 18;
constexpr int kErrorFlowingPressure = 51;
constexpr int kErrorFlowingTemperature = 52;

struct Options {
    std::vector<std::string> comps;
    std::string pf, tf, pb, tb;
    std::string tag;
    std::string flows, at, input;  // equation choice with --tag
    bool json = false;
};

std::optional<double> ReadNumber(const char* name, const std::string& text) {
    double v = 0.0;
    if (ParseFiniteDouble(text, v)) return v;
    std::cerr << "Error: " << name << " needs a finite decimal number, got \"" << text << "\".\n";
    return std::nullopt;
}

// Flowing conditions: psia above zero (Error #51) and degrees F above absolute zero
// (Error #52), as the Fluids dialogs refuse them.
std::optional<double> ReadPressure(const char* name, const std::string& text, MessageSink& sink) {
    const std::optional<double> p = ReadNumber(name, text);
    if (!p) return std::nullopt;
    if (!(*p > 0.0)) {
        CError(sink).Show(kErrorFlowingPressure);
        return std::nullopt;
    }
    return p;
}

std::optional<double> ReadTemperature_F(const char* name, const std::string& text, MessageSink& sink) {
    const std::optional<double> t = ReadNumber(name, text);
    if (!t) return std::nullopt;
    if (!(*t + kRankine > 0.0)) {
        CError(sink).Show(kErrorFlowingTemperature);
        return std::nullopt;
    }
    return t;
}

// The equation choice a --tag run applies: the tag's own (of the command's fluid kind) or
// the program's default remembered choice, with what --flows, --at and --input change.
std::optional<EquationChoice> ChosenEquation(const Options& o, const TagRecord& r, bool gas) {
    UnitDefaults d = DefaultUnitDefaults();
    RememberFluidEquation(d, r);
    EquationChoice c = gas ? PreviousGasChoice(r, d) : PreviousLiquidChoice(r, d);
    const auto code = [](auto e) { return static_cast<int32_t>(e); };
    if (o.flows == "volume")
        c.equation = gas ? code(FluidEquation::GasVolume) : code(FluidEquation::LiquidVolume);
    else if (o.flows == "mass")
        c.equation = gas ? code(FluidEquation::GasMass) : code(FluidEquation::LiquidMass);
    if (o.at == "base")
        c.condition = gas ? code(FluidCondition::GasBase) : code(FluidCondition::LiquidBaseTemp);
    else if (o.at == "flowing")
        c.condition = gas ? code(FluidCondition::GasFlowing) : code(FluidCondition::LiquidFlowingTemp);
    if (o.input == "sg")
        c.property = gas ? code(FluidProperty::GasSG) : code(FluidProperty::LiquidSG);
    else if (o.input == "mw" && gas)
        c.property = code(FluidProperty::GasMW);
    else if (o.input == "density")
        c.property = gas ? code(FluidProperty::GasDensity) : code(FluidProperty::LiquidDensity);
    else if (o.input == "mw") {
        std::cerr << "Error: --input mw is for gases; a liquid takes sg or density.\n";
        return std::nullopt;
    }
    return c;
}

// Reads the tag, lets `apply` change a copy with the defaults it needs, and writes the
// copy back only when `apply` succeeded.
template <typename Apply>
bool ApplyToTag(const std::string& path, MessageSink& sink, Apply apply) {
    TagRecord r = NewTagRecord();
    if (!ReadTagFile(path, r, sink)) return false;
    UnitDefaults d = DefaultUnitDefaults();
    RememberFluidEquation(d, r);
    TagRecord changed = r;
    if (!apply(changed, d)) return false;
    return WriteTagFile(path, changed, sink);
}

void Print(const Options& o, const nlohmann::json& j, const CliMessageSink& sink,
           const std::vector<std::pair<const char*, std::string>>& lines);

// A command that ended on an error: with --json still one object, "ok" false.
int Failed(const Options& o, const CliMessageSink& sink) {
    if (o.json) Print(o, {{"ok", false}}, sink, {});
    return 1;
}

void Print(const Options& o, const nlohmann::json& j, const CliMessageSink& sink,
           const std::vector<std::pair<const char*, std::string>>& lines) {
    if (o.json) {
        nlohmann::json out = j;
        out["messages"] = sink.Json();
        std::cout << out.dump(2) << '\n';
        return;
    }
    for (const auto& [label, text] : lines) std::cout << label << text << '\n';
}

// --- fluid aga8 ---

std::optional<std::array<double, kAga8Rows>> AgaComposition(const std::vector<std::string>& comps) {
    std::array<double, kAga8Rows> by_row{};
    std::array<bool, kAga8Rows> given{};
    if (comps.empty()) {
        std::cerr << "Error: give the gas analysis with --comp NAME=PERCENT.\n";
        return std::nullopt;
    }
    double sum = 0.0;
    for (const std::string& c : comps) {
        const std::size_t eq = c.rfind('=');
        const std::string name = eq == std::string::npos ? c : c.substr(0, eq);
        const std::optional<int> row = Aga8RowOfName(name);
        if (!row) {
            std::string names;
            for (const Aga8Row& r : Aga8RowTable())
                names += (names.empty() ? "" : ", ") + std::string(r.shown_name);
            std::cerr << "Error: \"" << name << "\" is not one of the AGA 8 components (" << names << ").\n";
            return std::nullopt;
        }
        if (given[*row]) {
            std::cerr << "Error: \"" << name << "\" is given twice.\n";
            return std::nullopt;
        }
        double amount = 100.0;
        if (eq == std::string::npos) {
            if (comps.size() != 1) {
                std::cerr << "Error: \"" << c << "\" needs its amount (NAME=PERCENT) in a mixture.\n";
                return std::nullopt;
            }
        } else if (!ParseFiniteDouble(c.substr(eq + 1), amount) || amount < 0.0 || amount > 100.0) {
            std::cerr << "Error: the amount of \"" << name << "\" must be a number from 0 to 100.\n";
            return std::nullopt;
        }
        given[*row] = true;
        by_row[*row] = amount;
        sum += amount;
    }
    if (!(sum > 0.0)) {
        std::cerr << "Error: the amounts add up to 0; they must add up to more than 0.\n";
        return std::nullopt;
    }
    // Mole fractions or percents alike: normalised to 100.
    for (double& p : by_row) p = 100.0 * p / sum;
    return by_row;
}

int FluidAga8(const Options& o) {
    CliMessageSink sink;
    sink.quiet = o.json;
    const auto by_row = AgaComposition(o.comps);
    if (!by_row) return 1;
    const std::optional<double> Pf = ReadPressure("--pf", o.pf, sink);
    if (!Pf) return 1;
    const std::optional<double> Tf = ReadTemperature_F("--tf", o.tf, sink);
    if (!Tf) return 1;

    // The base: the tag's own, or --pb and --tb (default the report's 14.73 psia, 60 F).
    double Pb = kReportBase_psia, Tb_F = kReportBase_F;
    TagRecord r = NewTagRecord();
    std::optional<EquationChoice> chosen;
    if (!o.tag.empty()) {
        if (!o.pb.empty() || !o.tb.empty()) {
            std::cerr << "Error: with --tag the tag's own base conditions are used; change them with "
                         "\"quorven-cli tag set FILE Base_Press=... Base_Temp=...\".\n";
            return 1;
        }
        if (!ReadTagFile(o.tag, r, sink)) return Failed(o, sink);
        if (!(chosen = ChosenEquation(o, r, true))) return 1;
        Pb = r.Base_Press;
        Tb_F = r.Base_Temp - kRankine;
    } else {
        if (!o.pb.empty()) {
            const std::optional<double> p = ReadNumber("--pb", o.pb);
            if (!p) return 1;
            if (!(*p > 0.0)) {
                CError(sink).Show(kErrorBasePressure);
                return Failed(o, sink);
            }
            Pb = *p;
        }
        if (!o.tb.empty()) {
            const std::optional<double> t = ReadNumber("--tb", o.tb);
            if (!t) return 1;
            if (!(*t + kRankine > 0.0)) {
                CError(sink).Show(kErrorBaseTemperature);
                return Failed(o, sink);
            }
            Tb_F = *t;
        }
    }

    Aga8Entry e;
    e.percent = PercentByAgaNumber(*by_row);
    e.Pf_psia = *Pf;
    e.Tf_R = *Tf + kRankine;
    // Viscosity and k from the component database (Redlich-Kwong); its failures leave
    // them 0 and the AGA 8 compressibility stands.
    const Aga8ViscosityAndExponent step =
        Aga8DatabaseStep(ProgramDatabase(), *by_row, *Pf, e.Tf_R, Pb, Tb_F + kRankine, sink);
    e.visc_cP = step.visc_cP;
    e.k = step.k;

    std::optional<Aga8Results> z;
    if (!o.tag.empty()) {
        UnitDefaults d = DefaultUnitDefaults();
        RememberFluidEquation(d, r);
        z = ApplyAga8NaturalGas(r, d, DefaultUnitTables(), e, *chosen, sink);
        if (!z || !WriteTagFile(o.tag, r, sink)) return Failed(o, sink);
    } else {
        z = ComputeAga8(e.percent, *Pf, e.Tf_R, Pb, Tb_F + kRankine);
        if (!z) {
            CError(sink).Show(kErrorLiquidState);
            return Failed(o, sink);
        }
    }
    const double rho_f = z->Df * z->MW * kLbFt3PerKgM3;
    const double rho_b = z->Db * z->MW * kLbFt3PerKgM3;
    const nlohmann::json j = {{"Zf", z->Zf},           {"Zb", z->Zb},         {"MW", z->MW},
                              {"Df_kmol_m3", z->Df},   {"Db_kmol_m3", z->Db}, {"rho_f_lb_ft3", rho_f},
                              {"rho_b_lb_ft3", rho_b}, {"mu_cP", e.visc_cP},  {"k", e.k},
                              {"Pb_psia", Pb},         {"Tb_F", Tb_F},        {"ok", true}};
    Print(o, j, sink,
          {{"AGA 8 (1994) Detail Characterization Method", ""},
           {"MW      ", CFormat("%.6f g/mol", {z->MW})},
           {"Zb      ", CFormat("%.8f  at %.4f psia, %.2f deg F", {z->Zb, Pb, Tb_F})},
           {"Zf      ", CFormat("%.8f  at %.4f psia, %.2f deg F", {z->Zf, *Pf, *Tf})},
           {"Db      ", CFormat("%.8g kmol/m3  (%.6g lb/ft3)", {z->Db, rho_b})},
           {"Df      ", CFormat("%.8g kmol/m3  (%.6g lb/ft3)", {z->Df, rho_f})},
           {"mu      ", CFormat("%.5f cP", {e.visc_cP})},
           {"k       ", CFormat("%.4f", {e.k})}});
    return 0;
}

// --- fluid steam saturated | superheated ---

nlohmann::json SteamJson(const SteamProperties& s, std::string_view fluid) {
    return {{"fluid", fluid},
            {"P_psia", s.P_psia},
            {"T_F", s.T_F},
            {"T_R", s.T_R},
            {"rho_lb_ft3", s.density_lb_ft3},
            {"mu_cP", s.viscosity_cP},
            {"k", s.k},
            {"ok", true}};
}

int FluidSteam(const Options& o, bool superheated) {
    CliMessageSink sink;
    sink.quiet = o.json;
    const bool by_p = !o.pf.empty(), by_t = !o.tf.empty();
    if (!superheated && by_p == by_t) {
        std::cerr << "Error: give either --p PSIA or --t DEGF for saturated steam.\n";
        return 1;
    }
    if (superheated && !(by_p && by_t)) {
        std::cerr << "Error: superheated steam needs both --p PSIA and --t DEGF.\n";
        return 1;
    }
    std::optional<double> P, T_F;
    if (by_p && !(P = ReadPressure("--p", o.pf, sink))) return 1;
    if (by_t && !(T_F = ReadTemperature_F("--t", o.tf, sink))) return 1;

    const CSteamTable st;
    std::optional<SteamProperties> s;
    SteamCommand kind = SteamCommand::Superheated;
    if (superheated) {
        s = st.SuperheatedSteam(*P, *T_F, sink);
    } else if (by_p) {
        kind = SteamCommand::SaturatedAtPressure;
        s = st.SaturatedSteamAtPressure(*P, sink);
    } else {
        kind = SteamCommand::SaturatedAtTemperature;
        s = st.SaturatedSteamAtTemperature(*T_F, sink);
    }
    if (!s) return Failed(o, sink);
    if (!o.tag.empty()) {
        const bool ok = ApplyToTag(o.tag, sink, [&](TagRecord& r, UnitDefaults& d) {
            ApplySteam(r, d, DefaultUnitTables(), *s, kind);
            return true;
        });
        if (!ok) return 1;
    }
    const std::string_view fluid = superheated ? "SUPERHEATED STEAM" : "SATURATED STEAM";
    Print(o, SteamJson(*s, fluid), sink,
          {{"", std::string(fluid)},
           {"P       ", CFormat("%.4f psia", {s->P_psia})},
           {"T       ", CFormat("%.4f deg F (%.3f deg R stored)", {s->T_F, s->T_R})},
           {"rho     ", CFormat("%.5f lb/ft3", {s->density_lb_ft3})},
           {"mu      ", CFormat("%.5f cP", {s->viscosity_cP})},
           {"k       ", CFormat("%.4f", {s->k})}});
    return 0;
}

// --- fluid water ---

int FluidWater(const Options& o) {
    CliMessageSink sink;
    sink.quiet = o.json;
    const std::optional<double> P = ReadPressure("--p", o.pf, sink);
    if (!P) return 1;
    const std::optional<double> T_F = ReadTemperature_F("--t", o.tf, sink);
    if (!T_F) return 1;
    const double rho_w = CSteamTable::ReferenceWaterDensity();
    const CSteamTable st;
    std::optional<CompressedWaterProperties> w;
    double Pb = kNewTagBase_psia, Tb_F = kReportBase_F;
    if (!o.tag.empty()) {
        const bool ok = ApplyToTag(o.tag, sink, [&](TagRecord& r, UnitDefaults& d) {
            const std::optional<EquationChoice> chosen = ChosenEquation(o, r, false);
            if (!chosen) return false;
            Pb = r.Base_Press;
            Tb_F = r.Base_Temp - kRankine;
            w = st.CompressedWater(*P, *T_F, Pb, Tb_F, sink);
            if (!w) return false;
            ApplyCompressedWater(r, d, DefaultUnitTables(), *P, *T_F + kRankine, *w, *chosen, rho_w);
            return true;
        });
        if (!ok) return Failed(o, sink);
    } else {
        w = st.CompressedWater(*P, *T_F, Pb, Tb_F, sink);
        if (!w) return Failed(o, sink);
    }
    const nlohmann::json j = {{"fluid", "WATER"},
                              {"P_psia", *P},
                              {"T_F", *T_F},
                              {"rho_f_lb_ft3", w->density_lb_ft3},
                              {"rho_b_lb_ft3", w->base_density_lb_ft3},
                              {"SG_flowing", w->density_lb_ft3 / rho_w},
                              {"SG_base", w->base_density_lb_ft3 / rho_w},
                              {"mu_cP", w->viscosity_cP},
                              {"Pvp_psia", w->vapour_pressure_psia},
                              {"Pb_psia", Pb},
                              {"Tb_F", Tb_F},
                              {"ok", true}};
    Print(o, j, sink,
          {{"", "WATER (compressed)"},
           {"rho     ", CFormat("%.5f lb/ft3 flowing, %.5f lb/ft3 at %.4f psia and %.2f deg F",
                                {w->density_lb_ft3, w->base_density_lb_ft3, Pb, Tb_F})},
           {"SG      ",
            CFormat("%.6f flowing (water at 14.7 psia, 60 deg F = 1)", {w->density_lb_ft3 / rho_w})},
           {"mu      ", CFormat("%.5f cP", {w->viscosity_cP})},
           {"Pvp     ", CFormat("%.4f psia", {w->vapour_pressure_psia})}});
    return 0;
}

void AddChoiceOptions(CLI::App* c, Options& o, bool gas) {
    c->add_option("--flows", o.flows, "with --tag: volume or mass flows (default: the tag's own choice)")
        ->check(CLI::IsMember({"volume", "mass"}));
    c->add_option("--at", o.at,
                  gas ? "with --tag: base or flowing conditions" : "with --tag: base or flowing temperature")
        ->check(CLI::IsMember({"base", "flowing"}));
    if (gas)
        c->add_option("--input", o.input, "with --tag: sg, mw or density property input")
            ->check(CLI::IsMember({"sg", "mw", "density"}));
    else
        c->add_option("--input", o.input, "with --tag: sg or density property input")
            ->check(CLI::IsMember({"sg", "density"}));
}

}  // namespace

void RegisterFluidEntryCommands(CLI::App& fluid, CommandContext& ctx) {
    auto o = std::make_shared<Options>();

    CLI::App* aga = fluid.add_subcommand(
        "aga8", "natural gas by the AGA 8 (1994) Detail method: Z at base and flowing, MW, viscosity and k");
    aga->add_option("--comp", o->comps, "component NAME=PERCENT, names as in the AGA 8 rows (repeat)")
        ->required();
    aga->add_option("--pf", o->pf, "flowing pressure, psia")->required();
    aga->add_option("--tf", o->tf, "flowing temperature, deg F")->required();
    aga->add_option("--pb", o->pb, "base pressure, psia (default 14.73; with --tag the tag's own)");
    aga->add_option("--tb", o->tb, "base temperature, deg F (default 60; with --tag the tag's own)");
    aga->add_option("--tag", o->tag, "tag file to put the results into, as the AGA Natural Gas command does");
    AddChoiceOptions(aga, *o, true);
    aga->add_flag("--json", o->json, "machine-readable output");
    aga->callback([o, &ctx] { ctx.action = [o] { return FluidAga8(*o); }; });

    CLI::App* steam = fluid.add_subcommand("steam", "saturated or superheated steam into a tag");
    steam->require_subcommand(1);
    CLI::App* sat = steam->add_subcommand("saturated", "saturated steam at a pressure or at a temperature");
    sat->add_option("--p", o->pf, "pressure, psia");
    sat->add_option("--t", o->tf, "temperature, deg F");
    sat->add_option("--tag", o->tag, "tag file to put the steam into, as the Sat Steam commands do");
    sat->add_flag("--json", o->json, "machine-readable output");
    sat->callback([o, &ctx] { ctx.action = [o] { return FluidSteam(*o, false); }; });
    CLI::App* sup = steam->add_subcommand("superheated", "superheated steam at a pressure and temperature");
    sup->add_option("--p", o->pf, "pressure, psia")->required();
    sup->add_option("--t", o->tf, "temperature, deg F")->required();
    sup->add_option("--tag", o->tag, "tag file to put the steam into, as the Superheated Steam command does");
    sup->add_flag("--json", o->json, "machine-readable output");
    sup->callback([o, &ctx] { ctx.action = [o] { return FluidSteam(*o, true); }; });

    CLI::App* water = fluid.add_subcommand("water", "compressed water at a pressure and temperature");
    water->add_option("--p", o->pf, "pressure, psia")->required();
    water->add_option("--t", o->tf, "temperature, deg F")->required();
    water->add_option("--tag", o->tag,
                      "tag file to put the water into, as the Compressed Water command does");
    AddChoiceOptions(water, *o, false);
    water->add_flag("--json", o->json, "machine-readable output");
    water->callback([o, &ctx] { ctx.action = [o] { return FluidWater(*o); }; });
}

}  // namespace quorven::cli
