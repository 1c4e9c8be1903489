// quorven-cli convert QUANTITY VALUE FROM TO: a value between two units of one
// quantity, through the program's own unit lists and rules (gauge offset, the four
// temperature scales, the display format of the quantity).
// quorven-cli pipe NOMINAL_IN SCHEDULE: the inside diameter of standard pipe.

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_common.h"
#include "record/cformat.h"
#include "record/formats.h"
#include "record/misc_util.h"
#include "record/text_codec.h"
#include "record/units.h"

namespace quorven::cli {
namespace {

struct QuantityDef {
    std::string_view name;
    UnitList list;
    Quantity quantity;  // how the record converts it
    std::string (*format)(double);
    std::string_view internal_unit;
};

const QuantityDef kQuantities[] = {
    {"pressure", UnitList::Pressure, Quantity::Pressure, FmtPressure, "psia"},
    {"abs-pressure", UnitList::AbsPressure, Quantity::AtmPressure, FmtAtmPressure, "psia"},
    {"dp", UnitList::DiffPressure, Quantity::DiffPressure, FmtDiffPressure, "in WC"},
    {"temperature", UnitList::Temperature, Quantity::Temperature, FmtTemperature, "deg R"},
    {"density", UnitList::Density, Quantity::Density, FmtDensity, "lb/ft3"},
    {"viscosity", UnitList::Viscosity, Quantity::Viscosity, FmtViscosity, "cPoise"},
    {"length", UnitList::BoreLength, Quantity::Bore, FmtSixPlaces, "in"},
    {"velocity", UnitList::Speed, Quantity::Velocity, FmtShort, "ft/s"},
    {"acceleration", UnitList::Acceleration, Quantity::Gravity, FmtShort, "ft/s\xB2"},
    {"gas-base", UnitList::GasBaseVolFlow, Quantity::Flow, FmtFlow, "scfh"},
    {"gas-flowing", UnitList::GasFlowingVolFlow, Quantity::Flow, FmtFlow, "ft3/h"},
    {"gas-mass", UnitList::GasMassFlow, Quantity::Flow, FmtFlow, "lb/h"},
    {"liquid-base", UnitList::LiquidBaseVolFlow, Quantity::Flow, FmtFlow, "USBBL/d"},
    {"liquid-flowing", UnitList::LiquidFlowingVolFlow, Quantity::Flow, FmtFlow, "USbbl/d"},
    {"liquid-mass", UnitList::LiquidMassFlow, Quantity::Flow, FmtFlow, "lb/h"},
};

// A record whose flow kind is that of the list, so SelectFlowUnit takes it.
void SetFlowKind(TagRecord& r, UnitList list) {
    struct Kind {
        UnitList list;
        int32_t eq, cond, prop;
    };
    constexpr Kind kKinds[] = {
        {UnitList::GasBaseVolFlow, Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase),
         Code(FluidProperty::GasSG)},
        {UnitList::GasFlowingVolFlow, Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing),
         Code(FluidProperty::GasSG)},
        {UnitList::GasMassFlow, Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing),
         Code(FluidProperty::GasSG)},
        {UnitList::LiquidBaseVolFlow, Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
         Code(FluidProperty::LiquidSG)},
        {UnitList::LiquidFlowingVolFlow, Code(FluidEquation::LiquidVolume),
         Code(FluidCondition::LiquidFlowingTemp), Code(FluidProperty::LiquidSG)},
        {UnitList::LiquidMassFlow, Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidSG)},
    };
    for (const Kind& k : kKinds)
        if (k.list == list) {
            r.Fluid_Equation = k.eq;
            r.Fluid_Condition = k.cond;
            r.Fluid_Property = k.prop;
        }
}

// Puts unit `index` of the quantity into the record as the unit the user reads.
bool Select(TagRecord& r, const QuantityDef& q, int32_t index) {
    const UnitTables& t = DefaultUnitTables();
    if (q.quantity == Quantity::Flow) {
        SetFlowKind(r, q.list);
        return SelectFlowUnit(r, t, index);
    }
    return SelectUnit(r, t, q.quantity, index);
}

std::string UnitNames(UnitList list) {
    std::string names;
    for (int32_t i = 0; i < ShapeOf(list).entries; ++i) {
        if (i) names += ", ";
        names += '"' + Cp1252ToUtf8(UnitName(DefaultUnitTables(), list, i)) + '"';
    }
    return names;
}

struct ConvertOptions {
    std::string quantity, value, from, to, atm = "14.696";
    bool json = false;
};

int Convert(const ConvertOptions& o) {
    const QuantityDef* q = nullptr;
    for (const QuantityDef& d : kQuantities)
        if (d.name == o.quantity) q = &d;
    if (!q) {
        std::string names;
        for (const QuantityDef& d : kQuantities) names += (names.empty() ? "" : ", ") + std::string(d.name);
        std::cerr << "Unknown quantity \"" << o.quantity << "\". Valid quantities: " << names << ".\n";
        return 1;
    }
    const UnitTables& t = DefaultUnitTables();
    const int32_t from = FindUnit(t, q->list, Utf8ToCp1252(o.from));
    const int32_t to = FindUnit(t, q->list, Utf8ToCp1252(o.to));
    for (const auto& [index, name] : {std::pair{from, o.from}, std::pair{to, o.to}}) {
        if (index < 0) {
            std::cerr << "Unknown " << q->name << " unit \"" << name
                      << "\". Valid units: " << UnitNames(q->list) << ".\n";
            return 1;
        }
    }
    double value = 0, atm = 0;
    if (!ParseFiniteDouble(o.value, value)) {
        std::cerr << "VALUE must be a finite decimal number, got \"" << o.value << "\".\n";
        return 1;
    }
    if (!ParseFiniteDouble(o.atm, atm) || atm < 0) {
        std::cerr << "--atm must be a finite absolute pressure in psia, got \"" << o.atm << "\".\n";
        return 1;
    }

    TagRecord r = NewTagRecord();
    r.AtmPress = atm;
    double internal = 0;
    if (!Select(r, *q, from) || !FromUser(r, q->quantity, value, internal) || !Select(r, *q, to)) {
        std::cerr << "The value cannot be converted: it is out of the range of numbers.\n";
        return 1;
    }
    const double result = ToUser(r, q->quantity, internal);
    if (!std::isfinite(result)) {
        std::cerr << "The value cannot be converted: it is out of the range of numbers.\n";
        return 1;
    }
    const std::string text = q->format(result);
    if (o.json) {
        nlohmann::json j = {{"quantity", q->name},  {"value", value},
                            {"from", o.from},       {"to", o.to},
                            {"result", result},     {"text", text},
                            {"internal", internal}, {"internal_unit", Cp1252ToUtf8(q->internal_unit)}};
        if (q->quantity == Quantity::Pressure) j["atm_psia"] = atm;
        std::cout << j.dump(2) << '\n';
    } else {
        std::cout << text << '\n';
    }
    return 0;
}

struct PipeOptions {
    std::string nominal, schedule;
    int material = 13;  // carbon steel
    bool json = false;
};

int Pipe(const PipeOptions& o) {
    const CMiscUtil mu;
    if (o.material < 1 || o.material > CMiscUtil::kMaterialCount) {
        std::cerr << "--material must be a material index from 1 to " << CMiscUtil::kMaterialCount << ", got "
                  << o.material << ".\n";
        return 1;
    }
    double nominal = 0;
    if (!ParseFiniteDouble(o.nominal, nominal) || nominal <= 0) {
        std::cerr << "NOMINAL_IN must be a positive size in inches, got \"" << o.nominal << "\".\n";
        return 1;
    }
    const std::string schedule = Utf8ToCp1252(o.schedule);
    if (mu.SchedulePosition(o.material, schedule) < 0) {
        std::string names;
        for (std::string_view s : mu.Schedules(o.material))
            names += (names.empty() ? "\"" : ", \"") + std::string(s) + '"';
        std::cerr << "Unknown schedule \"" << o.schedule << "\" for "
                  << Cp1252ToUtf8(mu.MaterialTag(o.material)) << ". Valid schedules: " << names << ".\n";
        return 1;
    }
    const double id = mu.PipeInsideDiameter(o.material, nominal, schedule);
    std::string note;
    if (id == 0.0) {
        note = "No standard pipe of " + NumberText(nominal) + " in, schedule " + o.schedule + ", for " +
               Cp1252ToUtf8(mu.MaterialTag(o.material)) + ": the inside diameter is entered by hand.";
    }
    if (o.json) {
        nlohmann::json j = {{"nominal_in", nominal},
                            {"schedule", o.schedule},
                            {"material", o.material},
                            {"material_name", Cp1252ToUtf8(mu.MaterialTag(o.material))},
                            {"standard", mu.IsStainless(o.material) ? "ASME B36.19M" : "ASME B36.10M"},
                            {"inside_diameter_in", id},
                            {"inside_diameter_mm", id * 25.4}};
        if (!note.empty()) j["message"] = note;
        std::cout << j.dump(2) << '\n';
    } else {
        std::cout << NumberText(id) << '\n';
        if (!note.empty()) std::cerr << note << '\n';
    }
    return 0;
}

}  // namespace

void RegisterUnitsCommands(CLI::App& app, CommandContext& ctx) {
    auto co = std::make_shared<ConvertOptions>();
    CLI::App* convert = app.add_subcommand(
        "convert",
        "Convert a value between two units of one quantity, with the program's unit lists and rules.");
    convert
        ->add_option(
            "QUANTITY", co->quantity,
            "pressure, abs-pressure, dp, temperature, density, viscosity, length, velocity, "
            "acceleration, gas-base, gas-flowing, gas-mass, liquid-base, liquid-flowing, liquid-mass")
        ->required();
    convert->add_option("VALUE", co->value, "the value in FROM units")->required();
    convert->add_option("FROM", co->from, "unit name as in the list, e.g. \"kPa-ga\", \"deg C\", \"scfh\"")
        ->required();
    convert->add_option("TO", co->to, "unit name as in the list")->required();
    convert->add_option("--atm", co->atm, "atmospheric pressure for gauge units, psia (default 14.696)");
    convert->add_flag("--json", co->json, "JSON output");
    convert->callback([&ctx, co] { ctx.action = [co] { return Convert(*co); }; });

    auto po = std::make_shared<PipeOptions>();
    CLI::App* pipe =
        app.add_subcommand("pipe", "Inside diameter (in) of standard pipe, ASME B36.10M / B36.19M.");
    pipe->add_option("NOMINAL_IN", po->nominal, "nominal pipe size, inches")->required();
    pipe->add_option("SCHEDULE", po->schedule, "schedule text, e.g. 40, STD, XS, 10S")->required();
    pipe->add_option("--material", po->material, "material index 1..44 (default 13, carbon steel)");
    pipe->add_flag("--json", po->json, "JSON output");
    pipe->callback([&ctx, po] { ctx.action = [po] { return Pipe(*po); }; });
}

}  // namespace quorven::cli
