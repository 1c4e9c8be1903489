// quorven-cli fluid list|component|gas|liquid|eval: the component database, the gas
// and liquid property computations of the Fluids commands, and single published
// correlations for checking a number by hand. Names given with --comp are matched
// ignoring case; their amounts are normalised to 100 mole percent.

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <system_error>
#include <tuple>

#include "cli/fluid_cli.h"
#include "fluids/fluid_messages.h"
#include "form/fluid_commands.h"
#include "project/tag_file.h"
#include "record/cformat.h"
#include "record/choice_codes.h"
#include "record/constants.h"
#include "record/text_codec.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven::cli {

std::string ProgramDirectory() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

const PropertyDatabase& ProgramDatabase() {
    static const PropertyDatabase db = PropertyDatabase::OpenInDirectory(ProgramDirectory());
    return db;
}

std::optional<ComponentList> ComponentsFromOptions(const std::vector<std::string>& comps,
                                                   const PropertyDatabase& db, MessageSink& sink) {
    if (!db.Present()) {
        CError(sink).Show(fluid_msg::kErrorNoDatabase);
        return std::nullopt;
    }
    if (comps.empty()) {
        std::cerr << "Error: give the components with --comp NAME=PERCENT.\n";
        return std::nullopt;
    }
    ComponentList list;
    std::vector<double> amounts;
    for (const std::string& c : comps) {
        const std::size_t eq = c.rfind('=');
        const std::string name = eq == std::string::npos ? c : c.substr(0, eq);
        double amount = 1.0;
        if (eq == std::string::npos) {
            if (comps.size() != 1) {
                std::cerr << "Error: \"" << c << "\" needs its amount (NAME=PERCENT) in a mixture.\n";
                return std::nullopt;
            }
        } else if (!ParseFiniteDouble(c.substr(eq + 1), amount) || amount < 0.0) {
            std::cerr << "Error: the amount of \"" << name << "\" must be a finite number, 0 or more.\n";
            return std::nullopt;
        }
        const PropertyRecord* r = db.ByNameIgnoringCase(Utf8ToCp1252(name));
        if (!r) {
            std::cerr << "Error: \"" << name << "\" is not in " << kPropertyFileShownName
                      << " (quorven-cli fluid list shows its components).\n";
            return std::nullopt;
        }
        if (list.AddComponent(db, CompName(*r), sink) != AddComponentResult::Added) return std::nullopt;
        amounts.push_back(amount);
    }
    double sum = 0.0;
    for (double a : amounts) sum += a;
    if (!(sum > 0.0) || !std::isfinite(sum)) {
        std::cerr << "Error: the amounts add up to " << NumberText(sum)
                  << "; they must add up to more than 0.\n";
        return std::nullopt;
    }
    for (std::size_t i = 0; i < amounts.size(); ++i)
        list.SetMolePercent(static_cast<int>(i), 100.0 * amounts[i] / sum);
    list.Total();
    return list;
}

namespace {

nlohmann::json RecordFieldJson(const PropertyRecord& r, const PropertyField& f) {
    const auto* base = reinterpret_cast<const unsigned char*>(&r) + f.offset;
    switch (f.kind) {
        case PropertyFieldKind::Text: {
            const char* text = reinterpret_cast<const char*>(base);
            const void* end = std::memchr(text, '\0', f.width);
            const std::size_t n =
                end ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : f.width;
            return Cp1252ToUtf8(std::string_view(text, n));
        }
        case PropertyFieldKind::Int32: {
            int32_t v;
            std::memcpy(&v, base, sizeof v);
            return v;
        }
        case PropertyFieldKind::Double: {
            double v;
            std::memcpy(&v, base, sizeof v);
            return v;
        }
        case PropertyFieldKind::DoubleArray: {
            nlohmann::json a = nlohmann::json::array();
            for (std::size_t i = 0; i < f.width; ++i) {
                double v;
                std::memcpy(&v, base + i * sizeof v, sizeof v);
                a.push_back(v);
            }
            return a;
        }
    }
    return nullptr;
}

std::string FieldText(const nlohmann::json& v) {
    if (v.is_string()) return v.get<std::string>();
    if (v.is_number_float()) return NumberText(v.get<double>());
    if (v.is_array()) {
        std::string s;
        for (const auto& e : v) s += (s.empty() ? "" : " ") + FieldText(e);
        return s;
    }
    return v.dump();
}

bool RequireDatabase(const PropertyDatabase& db) {
    if (db.Present()) return true;
    CliMessageSink sink;
    CError(sink).Show(fluid_msg::kErrorNoDatabase);
    return false;
}

struct ListOptions {
    bool json = false;
    std::string name;
};

int FluidList(const ListOptions& o) {
    const PropertyDatabase& db = ProgramDatabase();
    if (!RequireDatabase(db)) return 1;
    nlohmann::json rows = nlohmann::json::array();
    for (int32_t n = 1;; ++n) {
        const PropertyRecord* r = db.ByNumber(n);
        if (!r) break;
        const std::string name = Cp1252ToUtf8(CompName(*r));
        const std::string formula = Cp1252ToUtf8(CompFormula(*r));
        if (o.json)
            rows.push_back({{"Comp_No", r->Comp_No},
                            {"Comp_Name", name},
                            {"Comp_Formula", formula},
                            {"Mol_Wt", r->Mol_Wt}});
        else
            std::cout << CFormat("%4d  %-40s  %-10s  %9.4f\n",
                                 {static_cast<long long>(r->Comp_No), name, formula, r->Mol_Wt});
    }
    if (o.json) std::cout << rows.dump(2) << '\n';
    return 0;
}

int FluidComponent(const ListOptions& o) {
    const PropertyDatabase& db = ProgramDatabase();
    if (!RequireDatabase(db)) return 1;
    const PropertyRecord* r = db.ByNameIgnoringCase(Utf8ToCp1252(o.name));
    if (!r) {
        std::cerr << "Error: \"" << o.name << "\" is not in " << kPropertyFileShownName
                  << " (quorven-cli fluid list shows its components).\n";
        return 1;
    }
    nlohmann::ordered_json j = nlohmann::ordered_json::object();  // in file order
    for (const PropertyField& f : PropertyFields()) j[f.name] = RecordFieldJson(*r, f);
    if (o.json) {
        std::cout << j.dump(2) << '\n';
    } else {
        for (const PropertyField& f : PropertyFields())
            std::cout << f.name << " = " << FieldText(RecordFieldJson(*r, f)) << '\n';
    }
    return 0;
}

// ---------------------------------------------------------------- gas and liquid

struct ConditionOptions {
    CompositionOptions composition;
    ChoiceOptions choice;
    std::string pf, tf, pb, tb;  // psia, deg F
    std::string tag;
    bool json = false;
};

struct GasOptions : ConditionOptions {
    std::string eos;
};

// A number option: empty keeps `value` (the tag's), else a finite decimal.
bool ReadCondition(const char* name, const std::string& text, double& value) {
    if (text.empty()) return true;
    if (ParseFiniteDouble(text, value)) return true;
    std::cerr << "Error: " << name << " needs a finite decimal number, got \"" << text << "\".\n";
    return false;
}

// A temperature option in deg F as deg R; empty keeps `rankine` (the tag's, unrounded).
bool ReadTemperature(const char* name, const std::string& text, double& rankine) {
    if (text.empty()) return true;
    double F = 0.0;
    if (!ReadCondition(name, text, F)) return false;
    rankine = F + kRankineOffset;
    return true;
}

// The conditions in psia and deg R: the tag's when --tag is given, each replaced by
// its option; without a tag every option is required.
struct Conditions {
    double Pf = 0.0, Tf_R = 0.0, Pb = 0.0, Tb_R = 0.0;
};

std::optional<Conditions> ReadConditions(const ConditionOptions& o, const TagRecord* tag, bool need_pb) {
    Conditions c;
    if (tag) {
        c.Pf = tag->Flow_Press;
        c.Pb = tag->Base_Press;
        c.Tf_R = tag->Flow_Temp;
        c.Tb_R = tag->Base_Temp;
    } else {
        for (const auto& [name, text, needed] :
             {std::tuple{"--pf", &o.pf, true}, std::tuple{"--tf", &o.tf, true},
              std::tuple{"--pb", &o.pb, need_pb}, std::tuple{"--tb", &o.tb, true}}) {
            if (needed && text->empty()) {
                std::cerr << "Error: " << name << " is required without --tag.\n";
                return std::nullopt;
            }
        }
    }
    if (!ReadCondition("--pf", o.pf, c.Pf) || !ReadTemperature("--tf", o.tf, c.Tf_R) ||
        !ReadCondition("--pb", o.pb, c.Pb) || !ReadTemperature("--tb", o.tb, c.Tb_R))
        return std::nullopt;
    return c;
}

std::optional<GasEquation> ParseEos(std::string eos) {
    for (char& ch : eos) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (eos == "rk") return GasEquation::RedlichKwong;
    if (eos == "srk") return GasEquation::SoaveRedlichKwong;
    if (eos == "bwr") return GasEquation::BenedictWebbRubin;
    std::cerr << "Error: --eos must be rk, srk or bwr.\n";
    return std::nullopt;
}

// The document of a run (fluid_cli.h), refused when its tag holds the other fluid kind;
// nothing either when the options ask for a choice the fluid kind has not.
std::optional<FluidDocument> GasOrLiquidDocument(const ConditionOptions& o, bool want_liquid,
                                                 CliMessageSink& sink) {
    std::optional<FluidDocument> doc = ReadFluidDocument(o.tag, sink);
    if (!doc) return std::nullopt;
    if (!o.tag.empty() && IsLiquid(doc->record) != want_liquid) {
        std::cerr << "Error: " << o.tag << " holds a " << (IsLiquid(doc->record) ? "liquid" : "gas or vapour")
                  << "; its fluid equation must be changed first (fluid setup "
                  << (want_liquid ? "liquid" : "gas") << " " << o.tag << ").\n";
        return std::nullopt;
    }
    const EquationChoice initial =
        want_liquid ? RememberedLiquidChoice(doc->remembered) : RememberedGasChoice(doc->remembered);
    if (!ChosenEquation(o.choice, initial, !want_liquid)) return std::nullopt;
    return doc;
}

nlohmann::json NumberJson(double v) {
    return std::isfinite(v) ? nlohmann::json(v) : nlohmann::json(nullptr);
}

// The composition, saved when --save-mix asks for it.
std::optional<Composition> CompositionOf(const ConditionOptions& o, const PropertyDatabase& db,
                                         CliMessageSink& sink) {
    std::optional<Composition> c = ReadComposition(o.composition, CompositionKind::Components, db, sink);
    if (c && !o.composition.save_mix.empty() &&
        !SaveComposition(o.composition.save_mix, *c, CompositionKind::Components, db, sink))
        return std::nullopt;
    return c;
}

void PrintNote(const ConditionOptions& o, const Composition& c) {
    if (!o.json && c.normalised) std::cout << NormalisedNote(c) << '\n';
}

void CompositionJson(nlohmann::json& j, const Composition& c) {
    j["total_given"] = c.given_total;
    j["normalised"] = c.normalised;
}

int FluidGas(const GasOptions& o) {
    const std::optional<GasEquation> code = ParseEos(o.eos);
    if (!code) return 1;
    CliMessageSink sink;
    sink.quiet = o.json;
    std::optional<FluidDocument> doc = GasOrLiquidDocument(o, false, sink);
    if (!doc) return 1;
    const std::optional<Conditions> c = ReadConditions(o, o.tag.empty() ? nullptr : &doc->record, true);
    if (!c) return 1;
    const PropertyDatabase& db = ProgramDatabase();
    const std::optional<Composition> composition = CompositionOf(o, db, sink);
    if (!composition) return 1;
    GasCommandInput in;
    in.database = &db;
    in.components = ComponentListOf(*composition, db, sink);
    in.equation = *code;
    in.Pf_psia = c->Pf;
    in.Tf_R = c->Tf_R;
    in.Pb_psia = c->Pb;
    in.Tb_R = c->Tb_R;
    OptionsChoice choice(o.choice);
    const GasCommandResult r = OnGasesAndVapors(*doc, DefaultUnitTables(), in, choice, sink);
    const GasResult& g = r.properties;
    bool ok = r.status == FluidCommandStatus::Stored;
    if (ok && !o.tag.empty()) ok = WriteTagFile(o.tag, doc->record, sink);
    if (o.json) {
        nlohmann::json j = {
            {"Zf", NumberJson(g.Zf)},
            {"Zb", NumberJson(g.Zb)},
            {"MW", NumberJson(g.MW)},
            {"SG", NumberJson(g.MW / kAirMolarMass)},
            {"rho_f_lb_ft3", NumberJson(g.rho_f_lb_ft3)},
            {"rho_b_lb_ft3", NumberJson(g.rho_b_lb_ft3)},
            {"mu_cP", NumberJson(g.Visc)},
            {"k", NumberJson(g.K)},
            {"fluid", Cp1252ToUtf8(g.FluidName)},
            {"messages", sink.Json()},
            {"ok", ok},
        };
        CompositionJson(j, *composition);
        std::cout << j.dump(2) << '\n';
    } else if (g.Ok) {
        PrintNote(o, *composition);
        std::cout << CFormat("Fluid:               %s\n", {Cp1252ToUtf8(g.FluidName)})
                  << CFormat("Molecular weight:    %.4f (SG %.5f)\n", {g.MW, g.MW / kAirMolarMass})
                  << CFormat("Zf:                  %.5f at %g psia, %g deg F\n",
                             {g.Zf, c->Pf, c->Tf_R - kRankineOffset})
                  << CFormat("Zb:                  %.5f at %g psia, %g deg F%s\n",
                             {g.Zb, c->Pb, c->Tb_R - kRankineOffset,
                              std::string(g.liquid_at_base ? " (liquid at base)" : "")})
                  << CFormat("Flowing density:     %.5f lb/ft3\n", {g.rho_f_lb_ft3})
                  << CFormat("Base density:        %.5f lb/ft3\n", {g.rho_b_lb_ft3})
                  << CFormat("Viscosity:           %.5f cP\n", {g.Visc})
                  << CFormat("Isentropic exponent: %.4f\n", {g.K});
        if (!o.tag.empty() && ok) std::cout << "Stored in " << o.tag << ".\n";
    }
    return ok ? 0 : 1;
}

int FluidLiquid(const ConditionOptions& o) {
    CliMessageSink sink;
    sink.quiet = o.json;
    std::optional<FluidDocument> doc = GasOrLiquidDocument(o, true, sink);
    if (!doc) return 1;
    const std::optional<Conditions> c = ReadConditions(o, o.tag.empty() ? nullptr : &doc->record, false);
    if (!c) return 1;
    const PropertyDatabase& db = ProgramDatabase();
    const std::optional<Composition> composition = CompositionOf(o, db, sink);
    if (!composition) return 1;
    LiquidCommandInput in;
    in.database = &db;
    in.components = ComponentListOf(*composition, db, sink);
    in.Pf_psia = c->Pf;
    in.Tf_R = c->Tf_R;
    if (!o.pb.empty()) in.Pb_psia = c->Pb;
    in.Tb_R = c->Tb_R;
    OptionsChoice choice(o.choice);
    const LiquidCommandResult r = OnLiquids(*doc, DefaultUnitTables(), in, choice, sink);
    const LiquidResult& l = r.properties;
    bool ok = r.status == FluidCommandStatus::Stored;
    if (ok && !o.tag.empty()) ok = WriteTagFile(o.tag, doc->record, sink);
    if (o.json) {
        nlohmann::json j = {
            {"SG_base", NumberJson(l.SGb)},
            {"SG_flowing", NumberJson(l.SGf)},
            {"rho_f_lb_ft3", NumberJson(l.rho_f_lb_ft3)},
            {"mu_cP", NumberJson(l.Visc)},
            {"Pvp_psia", NumberJson(l.VPf_psia)},
            {"fluid", Cp1252ToUtf8(l.FluidName)},
            {"messages", sink.Json()},
            {"ok", ok},
        };
        CompositionJson(j, *composition);
        std::cout << j.dump(2) << '\n';
    } else if (l.Ok) {
        PrintNote(o, *composition);
        std::cout << CFormat("Fluid:                %s\n", {Cp1252ToUtf8(l.FluidName)})
                  << CFormat("SG flowing:           %.5f at %g psia, %g deg F\n",
                             {l.SGf, c->Pf, c->Tf_R - kRankineOffset})
                  << CFormat("SG base:              %.5f at %g deg F%s\n",
                             {l.SGb, c->Tb_R - kRankineOffset,
                              std::string(l.vapour_at_base ? " (vapour at base)" : "")})
                  << CFormat("Flowing density:      %.4f lb/ft3\n", {l.rho_f_lb_ft3})
                  << CFormat("Viscosity:            %.5f cP\n", {l.Visc})
                  << CFormat("Vapour pressure:      %.4f psia\n", {l.VPf_psia});
        if (!o.tag.empty() && ok) std::cout << "Stored in " << o.tag << ".\n";
    }
    return ok ? 0 : 1;
}

void AddConditionOptions(CLI::App* cmd, ConditionOptions& o, bool liquid) {
    AddCompositionOptions(cmd, o.composition, CompositionKind::Components);
    cmd->add_option("--pf", o.pf, "flowing pressure, psia");
    cmd->add_option("--tf", o.tf, "flowing temperature, deg F");
    cmd->add_option(
        "--pb", o.pb,
        liquid ? "base pressure, psia (stored in the tag; a liquid's gravities are at the flowing pressure)"
               : "base pressure, psia");
    cmd->add_option("--tb", o.tb, "base temperature, deg F");
    cmd->add_option(
        "--tag", o.tag,
        "tag file: its conditions are the defaults, and the results are stored in it as the Fluids "
        "command stores them (an error leaves it unchanged)");
    AddChoiceOptions(cmd, o.choice, !liquid);
    cmd->add_flag("--json", o.json, "JSON output");
}

}  // namespace

CLI::App& RegisterFluidCommands(CLI::App& app, CommandContext& ctx) {
    CLI::App* fluid = app.add_subcommand("fluid", "Fluid properties from the component database (" +
                                                      std::string(kPropertyFileShownName) + ").");
    fluid->require_subcommand(1);

    auto list_opts = std::make_shared<ListOptions>();
    CLI::App* list =
        fluid->add_subcommand("list", "The components of the database: number, name, formula, g/mol.");
    list->add_flag("--json", list_opts->json, "JSON output");
    list->callback([&ctx, list_opts] { ctx.action = [list_opts] { return FluidList(*list_opts); }; });

    auto comp_opts = std::make_shared<ListOptions>();
    CLI::App* comp = fluid->add_subcommand("component", "One component's database record, field by field.");
    comp->add_option("NAME", comp_opts->name, "component name (case is ignored)")->required();
    comp->add_flag("--json", comp_opts->json, "JSON output (the record's field names)");
    comp->callback([&ctx, comp_opts] { ctx.action = [comp_opts] { return FluidComponent(*comp_opts); }; });

    auto gas_opts = std::make_shared<GasOptions>();
    CLI::App* gas = fluid->add_subcommand(
        "gas", "Gas or vapour properties of a mixture (the Gases & Vapors command): Z, MW, viscosity, k.");
    gas->add_option("--eos", gas_opts->eos, "equation of state: rk, srk or bwr")->required();
    AddConditionOptions(gas, *gas_opts, false);
    gas->callback([&ctx, gas_opts] { ctx.action = [gas_opts] { return FluidGas(*gas_opts); }; });

    auto liq_opts = std::make_shared<ConditionOptions>();
    CLI::App* liquid = fluid->add_subcommand(
        "liquid",
        "Liquid properties of a mixture (the Liquids command): gravities, viscosity, vapour pressure.");
    AddConditionOptions(liquid, *liq_opts, true);
    liquid->callback([&ctx, liq_opts] { ctx.action = [liq_opts] { return FluidLiquid(*liq_opts); }; });

    RegisterFluidEvalCommands(*fluid, ctx);
    return *fluid;
}

}  // namespace quorven::cli
