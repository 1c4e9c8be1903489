#include "form/fluid_commands.h"

#include <cmath>

#include "fluids/aga8_entry.h"
#include "messages/messages.h"
#include "record/constants.h"

namespace quorven {
namespace {

const PropertyDatabase& DatabaseOf(const PropertyDatabase* db) {
    static const PropertyDatabase absent;
    return db ? *db : absent;
}

// Each condition above zero (and finite), else its error: the order of the checks is
// the base pressure and temperature, then the flowing pressure and temperature.
bool ConditionsUsable(std::initializer_list<std::pair<double, int>> values, MessageSink& sink) {
    for (const auto& [v, error] : values) {
        if (!(std::isfinite(v) && v > 0.0)) {
            CError(sink).Show(error);
            return false;
        }
    }
    return true;
}

// The store step on copies, taken over only when it ran: the record and the remembered
// choices change together or not at all.
template <typename Store>
FluidCommandStatus StoreWithChoice(FluidDocument& doc, bool gas, EquationChoiceSource& choices, Store store) {
    const EquationChoice initial =
        gas ? RememberedGasChoice(doc.remembered) : RememberedLiquidChoice(doc.remembered);
    const std::optional<EquationChoice> chosen = choices.Choose(gas, initial);
    if (!chosen || !(gas ? IsGasChoice(*chosen) : IsLiquidChoice(*chosen)))
        return FluidCommandStatus::Cancelled;
    FluidDocument work = doc;
    store(work, *chosen);
    doc = work;
    return FluidCommandStatus::Stored;
}

}  // namespace

GasCommandResult OnGasesAndVapors(FluidDocument& doc, const UnitTables& tables, const GasCommandInput& in,
                                  EquationChoiceSource& choices, MessageSink& sink) {
    GasCommandResult out;
    const double Pb = in.Pb_psia.value_or(doc.record.Base_Press);
    const double Tb = in.Tb_R.value_or(doc.record.Base_Temp);
    out.properties =
        GasProperties(DatabaseOf(in.database), in.components, in.equation, in.Pf_psia, in.Tf_R, Pb, Tb, sink);
    if (!out.properties.Ok) return out;
    const GasPropertySet set{
        in.Pf_psia,          in.Tf_R,          out.properties.Zb,       out.properties.Zf, out.properties.MW,
        out.properties.Visc, out.properties.K, out.properties.FluidName};
    out.status = StoreWithChoice(doc, true, choices, [&](FluidDocument& w, const EquationChoice& chosen) {
        w.record.Base_Press = Pb;
        w.record.Base_Temp = Tb;
        ApplyGasProperties(w.record, w.remembered, tables, set, chosen, sink);
    });
    return out;
}

LiquidCommandResult OnLiquids(FluidDocument& doc, const UnitTables& tables, const LiquidCommandInput& in,
                              EquationChoiceSource& choices, MessageSink& sink) {
    LiquidCommandResult out;
    const double Tb = in.Tb_R.value_or(doc.record.Base_Temp);
    out.properties = LiquidProperties(DatabaseOf(in.database), in.components, in.Pf_psia, in.Tf_R, Tb, sink);
    if (!out.properties.Ok) return out;
    const LiquidPropertySet set{in.Pf_psia,
                                in.Tf_R,
                                out.properties.SGb,
                                out.properties.SGf,
                                out.properties.VPf_psia,
                                out.properties.Visc,
                                out.properties.Fp,
                                out.properties.FluidName};
    const double rho_w = CSteamTable::ReferenceWaterDensity();
    out.status = StoreWithChoice(doc, false, choices, [&](FluidDocument& w, const EquationChoice& chosen) {
        if (in.Pb_psia) w.record.Base_Press = *in.Pb_psia;
        w.record.Base_Temp = Tb;
        ApplyLiquidProperties(w.record, w.remembered, tables, set, chosen, rho_w);
    });
    return out;
}

Aga8CommandResult OnAgaNaturalGas(FluidDocument& doc, const UnitTables& tables, const Aga8CommandInput& in,
                                  EquationChoiceSource& choices, MessageSink& sink) {
    Aga8CommandResult out;
    const TagRecord& r = doc.record;
    if (!ConditionsUsable({{r.Base_Press, msg::kErrBasePressure},
                           {r.Base_Temp, msg::kErrBaseTemperature},
                           {in.Pf_psia, msg::kErrFlowingPressure},
                           {in.Tf_R, msg::kErrFlowingTemperature}},
                          sink))
        return out;
    Aga8Entry e;
    e.percent = PercentByAgaNumber(in.percent_by_row);
    e.Pf_psia = in.Pf_psia;
    e.Tf_R = in.Tf_R;
    const std::optional<Aga8Results> z = ComputeAga8(e.percent, e.Pf_psia, e.Tf_R, r.Base_Press, r.Base_Temp);
    if (!z) {
        // No gas-side density below the method's bound reproduces the pressure: a dense,
        // liquid-like state.
        CError(sink).Show(msg::kErrLiquidState);
        return out;
    }
    // Viscosity and k, which the AGA 8 method does not give: its failures leave them 0
    // with their messages, and the compressibility stands.
    const Aga8ViscosityAndExponent step = Aga8DatabaseStep(
        DatabaseOf(in.database), in.percent_by_row, in.Pf_psia, in.Tf_R, r.Base_Press, r.Base_Temp, sink);
    e.visc_cP = step.visc_cP;
    e.k = step.k;
    out.z = *z;
    out.visc_cP = e.visc_cP;
    out.k = e.k;
    out.status = StoreWithChoice(doc, true, choices, [&](FluidDocument& w, const EquationChoice& chosen) {
        ApplyAga8NaturalGas(w.record, w.remembered, tables, e, *z, chosen, sink);
    });
    return out;
}

SteamCommandResult OnSteam(FluidDocument& doc, const UnitTables& tables, const SteamCommandInput& in,
                           MessageSink& sink) {
    SteamCommandResult out;
    const CSteamTable steam;
    const double T_F = in.T_R - kRankineOffset;
    std::optional<SteamProperties> s;
    switch (in.kind) {
        case SteamCommand::SaturatedAtPressure:
            s = steam.SaturatedSteamAtPressure(in.P_psia, sink);
            break;
        case SteamCommand::SaturatedAtTemperature:
            s = steam.SaturatedSteamAtTemperature(T_F, sink);
            break;
        case SteamCommand::Superheated:
            s = steam.SuperheatedSteam(in.P_psia, T_F, sink);
            break;
    }
    if (!s) return out;
    out.properties = *s;
    ApplySteam(doc.record, doc.remembered, tables, *s, in.kind);
    out.status = FluidCommandStatus::Stored;
    return out;
}

WaterCommandResult OnCompressedWater(FluidDocument& doc, const UnitTables& tables,
                                     const WaterCommandInput& in, EquationChoiceSource& choices,
                                     MessageSink& sink) {
    WaterCommandResult out;
    const TagRecord& r = doc.record;
    const std::optional<CompressedWaterProperties> w = CSteamTable().CompressedWater(
        in.P_psia, in.T_R - kRankineOffset, r.Base_Press, r.Base_Temp - kRankineOffset, sink);
    if (!w) return out;
    out.properties = *w;
    const double rho_w = CSteamTable::ReferenceWaterDensity();
    out.status = StoreWithChoice(doc, false, choices, [&](FluidDocument& d, const EquationChoice& chosen) {
        ApplyCompressedWater(d.record, d.remembered, tables, in.P_psia, in.T_R, *w, chosen, rho_w);
    });
    return out;
}

FluidCommandStatus OnGasSetup(FluidDocument& doc, const UnitTables& tables, EquationChoiceSource& choices,
                              MessageSink& sink) {
    const bool reset = IsLiquid(doc.record) && sink.Show(GasSetupQuestion()) == MessageAnswer::Yes;
    return StoreWithChoice(doc, true, choices, [&](FluidDocument& w, const EquationChoice& chosen) {
        ApplyGasSetup(w.record, w.remembered, tables, chosen, reset, sink);
    });
}

FluidCommandStatus OnLiquidSetup(FluidDocument& doc, const UnitTables& tables, EquationChoiceSource& choices,
                                 MessageSink& sink) {
    const bool reset = !IsLiquid(doc.record) && sink.Show(LiquidSetupQuestion()) == MessageAnswer::Yes;
    const double rho_w = CSteamTable::ReferenceWaterDensity();
    return StoreWithChoice(doc, false, choices, [&](FluidDocument& w, const EquationChoice& chosen) {
        ApplyLiquidSetup(w.record, w.remembered, tables, chosen, reset, rho_w, sink);
    });
}

}  // namespace quorven
