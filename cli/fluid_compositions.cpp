// Compositions and equation choices of the `fluid` commands, from their options and from
// the dialogs' mixture files (".mix" of the component selection, ".aga" of the AGA 8
// entry).

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>

#include "cli/fluid_cli.h"
#include "fluids/aga8_entry.h"
#include "messages/messages.h"
#include "project/tag_file.h"
#include "record/cformat.h"
#include "record/choice_codes.h"
#include "record/file_io.h"
#include "record/formats.h"
#include "record/text_codec.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven::cli {
namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Extension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return Lower(path.substr(dot + 1));
}

// The database name of a --comp name, or nothing (with the sentence printed).
std::optional<std::string> NameOf(const std::string& given, CompositionKind kind,
                                  const PropertyDatabase& db) {
    if (kind == CompositionKind::Aga8Rows) {
        if (const std::optional<int> row = Aga8RowOfName(given))
            return std::string(Aga8RowTable()[*row].db_name);
        std::string names;
        for (const Aga8Row& r : Aga8RowTable())
            names += (names.empty() ? "" : ", ") + std::string(r.shown_name);
        std::cerr << "Error: \"" << given << "\" is not one of the AGA 8 components (" << names << ").\n";
        return std::nullopt;
    }
    if (const PropertyRecord* r = db.ByNameIgnoringCase(Utf8ToCp1252(given)))
        return std::string(CompName(*r));
    std::cerr << "Error: \"" << given << "\" is not in " << kPropertyFileShownName
              << " (quorven-cli fluid list shows its components).\n";
    return std::nullopt;
}

std::optional<std::vector<std::pair<std::string, double>>> FromOptions(const std::vector<std::string>& comps,
                                                                       CompositionKind kind,
                                                                       const PropertyDatabase& db,
                                                                       MessageSink& sink) {
    std::vector<std::pair<std::string, double>> parts;
    for (const std::string& c : comps) {
        const std::size_t eq = c.rfind('=');
        const std::string given = eq == std::string::npos ? c : c.substr(0, eq);
        double amount = 100.0;
        if (eq == std::string::npos) {
            if (comps.size() != 1) {
                std::cerr << "Error: \"" << c << "\" needs its amount (NAME=PERCENT) in a mixture.\n";
                return std::nullopt;
            }
        } else if (!ParseFiniteDouble(c.substr(eq + 1), amount) || amount < 0.0 ||
                   (kind == CompositionKind::Aga8Rows && amount > 100.0)) {
            std::cerr << "Error: the amount of \"" << given << "\" must be "
                      << (kind == CompositionKind::Aga8Rows ? "a number from 0 to 100"
                                                            : "a finite number, 0 or more")
                      << ".\n";
            return std::nullopt;
        }
        const std::optional<std::string> name = NameOf(given, kind, db);
        if (!name) return std::nullopt;
        for (const auto& p : parts) {
            if (p.first != *name) continue;
            // The component selection's own message for a component selected twice.
            if (kind == CompositionKind::Components)
                CError(sink).Show(msg::kErrComponentSelectedAlready);
            else
                std::cerr << "Error: \"" << given << "\" is given twice.\n";
            return std::nullopt;
        }
        parts.emplace_back(*name, amount);
    }
    return parts;
}

// A ".mix" file: its components, each found again in the database by name (Error #12 and
// the "Missing Component" box for one it lacks).
std::optional<std::vector<std::pair<std::string, double>>> FromMixFile(const std::string& path,
                                                                       CompositionKind kind,
                                                                       const PropertyDatabase& db,
                                                                       MessageSink& sink) {
    ComponentList list;
    if (!list.LoadMixture(path, db, sink)) return std::nullopt;
    std::vector<std::pair<std::string, double>> parts;
    for (int i = 0; i < list.Occupied(); ++i) {
        const ComponentEntry& e = ListSlot(list, i);
        const std::string name(GetText(e.Comp_Name));
        if (e.Comp_No == 0) return std::nullopt;  // reported by LoadMixture
        if (kind == CompositionKind::Aga8Rows && !Aga8RowOfName(name)) {
            std::cerr << "Error: " << path << " holds \"" << Cp1252ToUtf8(name)
                      << "\", which is not one of the AGA 8 components.\n";
            return std::nullopt;
        }
        parts.emplace_back(name, e.Mole_Pct);
    }
    return parts;
}

// An ".aga" file: the AGA 8 rows with a mole percent above 0 (Error #10 for a file that is
// not an AGA 8 slot table).
std::optional<std::vector<std::pair<std::string, double>>> FromAgaFile(const std::string& path,
                                                                       const PropertyDatabase& db,
                                                                       MessageSink& sink) {
    const std::optional<std::string> bytes = ReadFileBytes(path, kAga8FileBytes + 1);
    std::array<double, kAga8Rows> by_row{};
    if (!bytes || !ParseAga8File(*bytes, by_row)) {
        CError(sink).Show(msg::kErrMixtureFileOpen);
        return std::nullopt;
    }
    std::vector<std::pair<std::string, double>> parts;
    for (int r = 0; r < kAga8Rows; ++r) {
        if (!(by_row[r] > 0.0)) continue;
        const std::string name(Aga8RowTable()[r].db_name);
        if (!db.ByName(name)) {
            CError(sink).Show(msg::kErrMixtureComponentMissing);
            sink.Show(MissingComponentMessage(name));
            return std::nullopt;
        }
        parts.emplace_back(name, by_row[r]);
    }
    return parts;
}

}  // namespace

void AddChoiceOptions(CLI::App* c, ChoiceOptions& o, bool gas) {
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
            ->check(CLI::IsMember({"sg", "density", "mw"}));
}

std::optional<EquationChoice> ChosenEquation(const ChoiceOptions& o, const EquationChoice& initial,
                                             bool gas) {
    EquationChoice c = initial;
    const auto code = [](auto e) { return static_cast<int32_t>(e); };
    if (o.flows == "volume")
        c.equation = gas ? code(FluidEquation::GasVolume) : code(FluidEquation::LiquidVolume);
    else if (o.flows == "mass")
        c.equation = gas ? code(FluidEquation::GasMass) : code(FluidEquation::LiquidMass);
    if (o.at == "base")
        c.condition = gas ? code(FluidCondition::GasBase) : code(FluidCondition::LiquidBaseTemp);
    else if (o.at == "flowing")
        c.condition = gas ? code(FluidCondition::GasFlowing) : code(FluidCondition::LiquidFlowingTemp);
    if (o.input == "sg") {
        c.property = gas ? code(FluidProperty::GasSG) : code(FluidProperty::LiquidSG);
    } else if (o.input == "density") {
        c.property = gas ? code(FluidProperty::GasDensity) : code(FluidProperty::LiquidDensity);
    } else if (o.input == "mw") {
        if (!gas) {
            std::cerr << "Error: --input mw is for gases; a liquid takes sg or density.\n";
            return std::nullopt;
        }
        c.property = code(FluidProperty::GasMW);
    }
    return c;
}

std::optional<FluidDocument> ReadFluidDocument(const std::string& path, MessageSink& sink) {
    FluidDocument doc{NewTagRecord(), DefaultUnitDefaults()};
    if (!path.empty() && !ReadTagFile(path, doc.record, sink)) return std::nullopt;
    RememberFluidEquation(doc.remembered, doc.record);
    return doc;
}

void AddCompositionOptions(CLI::App* c, CompositionOptions& o, CompositionKind kind) {
    const bool aga = kind == CompositionKind::Aga8Rows;
    auto* comp =
        c->add_option("--comp", o.comps,
                      aga ? "component NAME=PERCENT, names as in the AGA 8 rows (repeat); normalised to 100"
                          : "component NAME=PERCENT (or mole fraction), repeated; normalised to 100");
    auto* mix = c->add_option("--mix", o.mix,
                              "the composition of a mixture file (.mix) of the component selection dialog");
    auto* agaf = c->add_option("--aga", o.aga, "the composition of an AGA 8 mixture file (.aga)");
    comp->excludes(mix)->excludes(agaf);
    mix->excludes(agaf);
    c->add_option(
        "--save-mix", o.save_mix,
        "write the composition (normalised) to FILE: the AGA 8 table for a .aga name, a mixture file "
        "for .mix, else " +
            std::string(aga ? "the AGA 8 table" : "a mixture file") +
            "; written also when the state is refused");
}

std::optional<Composition> ReadComposition(const CompositionOptions& o, CompositionKind kind,
                                           const PropertyDatabase& db, MessageSink& sink) {
    if (!db.Present()) {
        CError(sink).Show(msg::kErrPropertyDatabase);
        return std::nullopt;
    }
    std::optional<std::vector<std::pair<std::string, double>>> parts;
    if (!o.mix.empty()) {
        parts = FromMixFile(o.mix, kind, db, sink);
    } else if (!o.aga.empty()) {
        parts = FromAgaFile(o.aga, db, sink);
    } else if (!o.comps.empty()) {
        parts = FromOptions(o.comps, kind, db, sink);
    } else {
        std::cerr << "Error: give the composition with --comp NAME=PERCENT, --mix FILE or --aga FILE.\n";
        return std::nullopt;
    }
    if (!parts) return std::nullopt;
    if (parts->empty()) {
        std::cerr << "Error: the composition holds no component.\n";
        return std::nullopt;
    }
    if (kind == CompositionKind::Components && parts->size() > static_cast<std::size_t>(kMaxComponents)) {
        std::cerr << "Error: a mixture holds at most " << kMaxComponents << " components.\n";
        return std::nullopt;
    }
    Composition c;
    for (const auto& p : *parts) c.given_total += p.second;
    if (!(c.given_total > 0.0) || !std::isfinite(c.given_total)) {
        std::cerr << "Error: the amounts add up to " << NumberText(c.given_total)
                  << "; they must add up to more than 0.\n";
        return std::nullopt;
    }
    // The dialogs accept a total that rounds half-up to 100 (4 decimals in the component
    // selection, 5 in the AGA 8 entry); a single component is set to 100 there.
    const int decimals = kind == CompositionKind::Aga8Rows ? 5 : 4;
    const bool single = kind == CompositionKind::Components && parts->size() == 1;
    c.normalised = !single && RoundTo(c.given_total, decimals) != 100.0;
    for (auto& [name, amount] : *parts) c.parts.emplace_back(name, 100.0 * amount / c.given_total);
    return c;
}

ComponentList ComponentListOf(const Composition& c, const PropertyDatabase& db, MessageSink& sink) {
    ComponentList list;
    for (const auto& [name, percent] : c.parts) {
        if (list.AddComponent(db, name, sink) == AddComponentResult::Added)
            list.SetMolePercent(list.Occupied() - 1, percent);
    }
    list.Total();
    return list;
}

std::array<double, kAga8Rows> Aga8RowsOf(const Composition& c) {
    std::array<double, kAga8Rows> by_row{};
    for (const auto& [name, percent] : c.parts)
        if (const std::optional<int> row = Aga8RowOfName(name)) by_row[*row] = percent;
    return by_row;
}

bool SaveComposition(const std::string& path, const Composition& c, CompositionKind kind,
                     const PropertyDatabase& db, MessageSink& sink) {
    const std::string ext = Extension(path);
    const bool aga = ext == "aga" || (ext != "mix" && kind == CompositionKind::Aga8Rows);
    if (aga) {
        for (const auto& p : c.parts) {
            if (!Aga8RowOfName(p.first)) {
                std::cerr << "Error: \"" << Cp1252ToUtf8(p.first)
                          << "\" is not one of the AGA 8 components: an .aga file holds only those.\n";
                return false;
            }
        }
        ComponentList list;
        PrepareAga8List(list, db, sink);
        const std::array<double, kAga8Rows> by_row = Aga8RowsOf(c);
        for (int r = 0; r < kAga8Rows; ++r) ListSlot(list, r).Mole_Pct = by_row[r];
        list.Total();
        return SaveAga8Mixture(path, list, sink);
    }
    return ComponentListOf(c, db, sink).SaveMixture(path, sink);
}

std::string NormalisedNote(const Composition& c) {
    if (!c.normalised) return {};
    return CFormat("The mole percents add up to %.5f, not 100: normalised to 100.", {c.given_total});
}

}  // namespace quorven::cli
