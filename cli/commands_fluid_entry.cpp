// quorven-cli fluid aga8 | steam saturated | steam superheated | water | setup: the AGA 8,
// steam, compressed-water and equation-setup commands of the Fluids menu from the command
// line. They run the menu's own commands (form/fluid_commands.h): with --tag FILE the
// results go into the tag exactly as the menu command puts them, and an error leaves the
// file byte for byte as it was; without a tag the command runs on a new tag that is not
// written.
//
// Conditions are typed in psia and degrees F; results are printed in the record's units
// (lb/ft3, cP) and, for AGA 8, in the report's kmol/m3.

#include <CLI/CLI.hpp>
#include <array>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/fluid_cli.h"
#include "fluids/aga8_detail.h"
#include "fluids/aga8_mixture.h"
#include "form/fluid_commands.h"
#include "project/tag_file.h"
#include "record/cformat.h"
#include "record/choice_codes.h"
#include "record/constants.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven::cli {
namespace {

constexpr double kReportBase_psia = 14.73;  // AGA 8's base: 14.73 psia, 60 deg F
constexpr double kReportBase_F = 60.0;
constexpr double kLbFt3PerKgM3 = 1.0 / (0.45359237 / (0.3048 * 0.3048 * 0.3048));

struct Options {
    CompositionOptions composition;
    ChoiceOptions choice;
    std::string pf, tf, pb, tb;
    std::string tag;
    std::string kind;  // fluid setup: gas or liquid
    bool yes = false, no = false;
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
        CError(sink).Show(msg::kErrFlowingPressure);
        return std::nullopt;
    }
    return p;
}

std::optional<double> ReadTemperature_R(const char* name, const std::string& text, MessageSink& sink) {
    const std::optional<double> t = ReadNumber(name, text);
    if (!t) return std::nullopt;
    if (!(*t + kRankineOffset > 0.0)) {
        CError(sink).Show(msg::kErrFlowingTemperature);
        return std::nullopt;
    }
    return *t + kRankineOffset;
}

// Writes the tag of --tag after a stored command.
bool Finish(const Options& o, FluidCommandStatus status, const FluidDocument& doc, MessageSink& sink) {
    if (status != FluidCommandStatus::Stored) return false;
    return o.tag.empty() || WriteTagFile(o.tag, doc.record, sink);
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

// A command that ended on an error: with --json still one object, "ok" false.
int Failed(const Options& o, const CliMessageSink& sink) {
    if (o.json) Print(o, {{"ok", false}}, sink, {});
    return 1;
}

// --- fluid aga8 ---

int FluidAga8(const Options& o) {
    CliMessageSink sink;
    sink.quiet = o.json;
    const PropertyDatabase& db = ProgramDatabase();
    const std::optional<Composition> composition =
        ReadComposition(o.composition, CompositionKind::Aga8Rows, db, sink);
    if (!composition) return 1;
    if (!o.composition.save_mix.empty() &&
        !SaveComposition(o.composition.save_mix, *composition, CompositionKind::Aga8Rows, db, sink))
        return 1;
    const std::optional<double> Pf = ReadPressure("--pf", o.pf, sink);
    if (!Pf) return 1;
    const std::optional<double> Tf_R = ReadTemperature_R("--tf", o.tf, sink);
    if (!Tf_R) return 1;

    std::optional<FluidDocument> doc = ReadFluidDocument(o.tag, sink);
    if (!doc) return Failed(o, sink);
    // The base: the tag's own, or --pb and --tb (default the report's 14.73 psia, 60 F).
    if (!o.tag.empty() && (!o.pb.empty() || !o.tb.empty())) {
        std::cerr << "Error: with --tag the tag's own base conditions are used; change them with "
                     "\"quorven-cli tag set FILE Base_Press=... Base_Temp=...\".\n";
        return 1;
    }
    double Pb = kReportBase_psia, Tb_F = kReportBase_F;
    if (!o.tag.empty()) {
        Pb = doc->record.Base_Press;
        Tb_F = doc->record.Base_Temp - kRankineOffset;
    } else {
        if (!o.pb.empty()) {
            const std::optional<double> p = ReadNumber("--pb", o.pb);
            if (!p) return 1;
            Pb = *p;
        }
        if (!o.tb.empty()) {
            const std::optional<double> t = ReadNumber("--tb", o.tb);
            if (!t) return 1;
            Tb_F = *t;
        }
        doc->record.Base_Press = Pb;
        doc->record.Base_Temp = Tb_F + kRankineOffset;
    }

    Aga8CommandInput in;
    in.database = &db;
    in.percent_by_row = Aga8RowsOf(*composition);
    in.Pf_psia = *Pf;
    in.Tf_R = *Tf_R;
    OptionsChoice choice(o.choice);
    const Aga8CommandResult r = OnAgaNaturalGas(*doc, DefaultUnitTables(), in, choice, sink);
    if (!Finish(o, r.status, *doc, sink)) return Failed(o, sink);
    const Aga8Results& z = r.z;
    const double rho_f = z.Df * z.MW * kLbFt3PerKgM3;
    const double rho_b = z.Db * z.MW * kLbFt3PerKgM3;
    const nlohmann::json j = {{"Zf", z.Zf},
                              {"Zb", z.Zb},
                              {"MW", z.MW},
                              {"Df_kmol_m3", z.Df},
                              {"Db_kmol_m3", z.Db},
                              {"rho_f_lb_ft3", rho_f},
                              {"rho_b_lb_ft3", rho_b},
                              {"mu_cP", r.visc_cP},
                              {"k", r.k},
                              {"Pb_psia", Pb},
                              {"Tb_F", Tb_F},
                              {"total_given", composition->given_total},
                              {"normalised", composition->normalised},
                              {"ok", true}};
    std::vector<std::pair<const char*, std::string>> lines;
    if (composition->normalised) lines.emplace_back("", NormalisedNote(*composition));
    for (auto& line : std::vector<std::pair<const char*, std::string>>{
             {"AGA 8 (1994) Detail Characterization Method", ""},
             {"MW      ", CFormat("%.6f g/mol", {z.MW})},
             {"Zb      ", CFormat("%.8f  at %.4f psia, %.2f deg F", {z.Zb, Pb, Tb_F})},
             {"Zf      ", CFormat("%.8f  at %.4f psia, %.2f deg F", {z.Zf, *Pf, *Tf_R - kRankineOffset})},
             {"Db      ", CFormat("%.8g kmol/m3  (%.6g lb/ft3)", {z.Db, rho_b})},
             {"Df      ", CFormat("%.8g kmol/m3  (%.6g lb/ft3)", {z.Df, rho_f})},
             {"mu      ", CFormat("%.5f cP", {r.visc_cP})},
             {"k       ", CFormat("%.4f", {r.k})}})
        lines.push_back(std::move(line));
    Print(o, j, sink, lines);
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
    SteamCommandInput in;
    if (by_p) {
        const std::optional<double> P = ReadPressure("--p", o.pf, sink);
        if (!P) return 1;
        in.P_psia = *P;
    }
    if (by_t) {
        const std::optional<double> T = ReadTemperature_R("--t", o.tf, sink);
        if (!T) return 1;
        in.T_R = *T;
    }
    in.kind = superheated ? SteamCommand::Superheated
                          : (by_p ? SteamCommand::SaturatedAtPressure : SteamCommand::SaturatedAtTemperature);
    std::optional<FluidDocument> doc = ReadFluidDocument(o.tag, sink);
    if (!doc) return Failed(o, sink);
    const SteamCommandResult r = OnSteam(*doc, DefaultUnitTables(), in, sink);
    if (!Finish(o, r.status, *doc, sink)) return Failed(o, sink);
    const SteamProperties& s = r.properties;
    const std::string_view fluid = superheated ? "SUPERHEATED STEAM" : "SATURATED STEAM";
    Print(o, SteamJson(s, fluid), sink,
          {{"", std::string(fluid)},
           {"P       ", CFormat("%.4f psia", {s.P_psia})},
           {"T       ", CFormat("%.4f deg F (%.3f deg R stored)", {s.T_F, s.T_R})},
           {"rho     ", CFormat("%.5f lb/ft3", {s.density_lb_ft3})},
           {"mu      ", CFormat("%.5f cP", {s.viscosity_cP})},
           {"k       ", CFormat("%.4f", {s.k})}});
    return 0;
}

// --- fluid water ---

int FluidWater(const Options& o) {
    CliMessageSink sink;
    sink.quiet = o.json;
    const std::optional<double> P = ReadPressure("--p", o.pf, sink);
    if (!P) return 1;
    const std::optional<double> T_R = ReadTemperature_R("--t", o.tf, sink);
    if (!T_R) return 1;
    std::optional<FluidDocument> doc = ReadFluidDocument(o.tag, sink);
    if (!doc) return Failed(o, sink);
    OptionsChoice choice(o.choice);
    const WaterCommandResult r = OnCompressedWater(*doc, DefaultUnitTables(), {*P, *T_R}, choice, sink);
    if (!Finish(o, r.status, *doc, sink)) return Failed(o, sink);
    const CompressedWaterProperties& w = r.properties;
    const double rho_w = CSteamTable::ReferenceWaterDensity();
    const double Pb = doc->record.Base_Press, Tb_F = doc->record.Base_Temp - kRankineOffset;
    const double T_F = *T_R - kRankineOffset;
    const nlohmann::json j = {{"fluid", "WATER"},
                              {"P_psia", *P},
                              {"T_F", T_F},
                              {"rho_f_lb_ft3", w.density_lb_ft3},
                              {"rho_b_lb_ft3", w.base_density_lb_ft3},
                              {"SG_flowing", w.density_lb_ft3 / rho_w},
                              {"SG_base", w.base_density_lb_ft3 / rho_w},
                              {"mu_cP", w.viscosity_cP},
                              {"Pvp_psia", w.vapour_pressure_psia},
                              {"Pb_psia", Pb},
                              {"Tb_F", Tb_F},
                              {"ok", true}};
    Print(
        o, j, sink,
        {{"", "WATER (compressed)"},
         {"rho     ", CFormat("%.5f lb/ft3 flowing, %.5f lb/ft3 at %.4f psia and %.2f deg F",
                              {w.density_lb_ft3, w.base_density_lb_ft3, Pb, Tb_F})},
         {"SG      ", CFormat("%.6f flowing (water at 14.7 psia, 60 deg F = 1)", {w.density_lb_ft3 / rho_w})},
         {"mu      ", CFormat("%.5f cP", {w.viscosity_cP})},
         {"Pvp     ", CFormat("%.4f psia", {w.vapour_pressure_psia})}});
    return 0;
}

// --- fluid setup gas | liquid ---

// The setup question (delete the other fluid kind's data?) answered by --yes or --no
// (default No, as the question's default button); every other message goes on to the
// command line's sink.
class SetupAnswerSink final : public MessageSink {
public:
    SetupAnswerSink(MessageSink& inner, MessageAnswer answer) : inner_(inner), answer_(answer) {}
    MessageAnswer Show(const Message& m) override {
        inner_.Show(m);
        return m.buttons == MessageButtons::YesNo ? answer_ : m.default_answer;
    }

private:
    MessageSink& inner_;
    MessageAnswer answer_;
};

int FluidSetup(const Options& o) {
    CliMessageSink sink;
    sink.quiet = o.json;
    const bool gas = o.kind == "gas";
    std::optional<FluidDocument> doc = ReadFluidDocument(o.tag, sink);
    if (!doc) return Failed(o, sink);
    const bool other_kind = gas == IsLiquid(doc->record);
    if (other_kind && !o.yes && !o.no) {
        std::cerr << "Error: " << o.tag << " holds " << (gas ? "a liquid" : "a gas or vapour")
                  << ": give --yes to delete its fluid data first (as Clear Calc does) or --no to keep them "
                     "and only change the equation choice.\n";
        return 1;
    }
    SetupAnswerSink answers(sink, o.yes ? MessageAnswer::Yes : MessageAnswer::No);
    OptionsChoice choice(o.choice);
    const FluidCommandStatus status = gas ? OnGasSetup(*doc, DefaultUnitTables(), choice, answers)
                                          : OnLiquidSetup(*doc, DefaultUnitTables(), choice, answers);
    if (!Finish(o, status, *doc, sink)) return Failed(o, sink);
    const TagRecord& r = doc->record;
    const nlohmann::json j = {{"Fluid_Equation", r.Fluid_Equation},
                              {"Fluid_Condition", r.Fluid_Condition},
                              {"Fluid_Property", r.Fluid_Property},
                              {"Property_MwDenVp", r.Property_MwDenVp},
                              {"Base_RhoGZ", r.Base_RhoGZ},
                              {"Flow_RhoGZ", r.Flow_RhoGZ},
                              {"Flow_Max", r.Flow_Max},
                              {"Flow_Norm", r.Flow_Norm},
                              {"ok", true}};
    Print(o, j, sink,
          {{"Equation:  ", CFormat("%d %d %d", {static_cast<long long>(r.Fluid_Equation),
                                                static_cast<long long>(r.Fluid_Condition),
                                                static_cast<long long>(r.Fluid_Property)})},
           {"MW/SG/Pvp: ", CFormat("%.6g", {r.Property_MwDenVp})},
           {"Base:      ", CFormat("%.6g", {r.Base_RhoGZ})},
           {"Flowing:   ", CFormat("%.6g", {r.Flow_RhoGZ})},
           {"Flows:     ", CFormat("%.6g maximum, %.6g normal", {r.Flow_Max, r.Flow_Norm})},
           {"", "Stored in " + o.tag + "."}});
    return 0;
}

}  // namespace

void RegisterFluidEntryCommands(CLI::App& fluid, CommandContext& ctx) {
    auto o = std::make_shared<Options>();

    CLI::App* aga = fluid.add_subcommand(
        "aga8",
        "natural gas by the AGA 8 (1994) Detail method: Z at base and flowing, MW, viscosity and k. The mole "
        "percents are normalised to 100; the output says so when they did not add up to 100 (the dialog "
        "refuses such a total with Error #26)");
    AddCompositionOptions(aga, o->composition, CompositionKind::Aga8Rows);
    aga->add_option("--pf", o->pf, "flowing pressure, psia")->required();
    aga->add_option("--tf", o->tf, "flowing temperature, deg F")->required();
    aga->add_option("--pb", o->pb, "base pressure, psia (default 14.73; with --tag the tag's own)");
    aga->add_option("--tb", o->tb, "base temperature, deg F (default 60; with --tag the tag's own)");
    aga->add_option("--tag", o->tag, "tag file to put the results into, as the AGA Natural Gas command does");
    AddChoiceOptions(aga, o->choice, true);
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
    AddChoiceOptions(water, o->choice, false);
    water->add_flag("--json", o->json, "machine-readable output");
    water->callback([o, &ctx] { ctx.action = [o] { return FluidWater(*o); }; });

    CLI::App* setup = fluid.add_subcommand(
        "setup",
        "the Gas or Liquid Equation Setup of the Fluids menu: a new flow kind, conditions or property input "
        "for "
        "a tag, its stored gravity, molecular weight or densities and its flows converted");
    setup->add_option("KIND", o->kind, "gas or liquid")->required()->check(CLI::IsMember({"gas", "liquid"}));
    setup->add_option("TAG", o->tag, "the tag file, changed in place (an error leaves it unchanged)")
        ->required();
    setup->add_option("--equation", o->choice.flows, "volume or mass flows (default: the tag's own)")
        ->check(CLI::IsMember({"volume", "mass"}));
    setup
        ->add_option("--condition", o->choice.at,
                     "base or flowing: the conditions (gas) or temperature (liquid) of volume flows")
        ->check(CLI::IsMember({"base", "flowing"}));
    setup->add_option("--property", o->choice.input, "sg, mw (gas only) or density: the property input")
        ->check(CLI::IsMember({"sg", "mw", "density"}));
    auto* yes =
        setup->add_flag("--yes", o->yes,
                        "for a tag of the other fluid kind: delete its fluid data first, as Clear Calc does");
    auto* no = setup->add_flag("--no", o->no, "for a tag of the other fluid kind: keep its data");
    yes->excludes(no);
    setup->add_flag("--json", o->json, "machine-readable output");
    setup->callback([o, &ctx] { ctx.action = [o] { return FluidSetup(*o); }; });
}

}  // namespace quorven::cli
