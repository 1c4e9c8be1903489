// quorven-cli steam psat|tsat|props: the steam table from the command line, by the IFC-67
// formulation (the default) or by IAPWS-IF97 (--model if97). Numbers are read locale-free
// and must be finite; a state the steam table cannot deliver ends with its numbered message
// (or a plain sentence) and exit status 1.

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>

#include "cli/cli_common.h"
#include "fluids/steam_if97.h"
#include "fluids/steam_ifc67.h"
#include "record/cformat.h"

namespace quorven::cli {
namespace {

constexpr double kPc_psia = 3208.234758592228;
constexpr double kSatTMin_F = 32.0, kSatTMax_F = 705.47;
constexpr double kSatPMin_psia = 0.088589;  // IFC-67 at 32 deg F (a bound printed as 0.0088589 is a misprint)

struct SteamOptions {
    std::string pressure, temperature;
    std::string model = "ifc67";
    bool json = false;
    bool If97() const { return model == "if97"; }
};

std::optional<double> ReadNumber(const char* name, const std::string& text) {
    double v = 0.0;
    if (ParseFiniteDouble(text, v)) return v;
    std::cerr << "Error: " << name << " needs a finite decimal number, got \"" << text << "\".\n";
    return std::nullopt;
}

nlohmann::json NumberOrNull(const std::optional<double>& v) {
    if (v && std::isfinite(*v)) return *v;
    return nullptr;
}

int SteamPsatIf97(const SteamOptions& o, double T) {
    const std::optional<double> P = steam_if97::SatPressure(T);
    if (!P) {
        std::cerr << "Error: the IAPWS-IF97 saturation line runs from 32 to 705.1028 deg F; " << o.temperature
                  << " deg F is outside it.\n";
        return 1;
    }
    if (o.json)
        std::cout << nlohmann::json{{"T_F", T}, {"psat_psia", *P}, {"model", "if97"}}.dump(2) << '\n';
    else
        std::cout << CFormat("Saturation pressure at %g deg F: %.6f psia (IAPWS-IF97)\n", {T, *P});
    return 0;
}

int SteamPsat(const SteamOptions& o) {
    const std::optional<double> T = ReadNumber("T_F", o.temperature);
    if (!T) return 1;
    if (o.If97()) return SteamPsatIf97(o, *T);
    if (!(*T >= kSatTMin_F && *T <= kSatTMax_F)) {
        std::cerr << "Error: the saturation line runs from 32 to 705.47 deg F; " << o.temperature
                  << " deg F is outside it.\n";
        return 1;
    }
    CSteamTable st;
    const double P = st.SatPressure(*T);
    if (o.json)
        std::cout << nlohmann::json{{"T_F", *T}, {"psat_psia", P}}.dump(2) << '\n';
    else
        std::cout << CFormat("Saturation pressure at %g deg F: %.6f psia\n", {*T, P});
    return 0;
}

int SteamTsatIf97(const SteamOptions& o, double P) {
    const std::optional<double> T = steam_if97::SatTemperature(P);
    if (!T) {
        std::cerr
            << "Error: the IAPWS-IF97 saturation line runs from 0.088654 psia (32 deg F) to the critical "
               "pressure 3200.11 psia; "
            << o.pressure << " psia is outside it.\n";
        return 1;
    }
    if (o.json)
        std::cout << nlohmann::json{{"P_psia", P}, {"tsat_F", *T}, {"model", "if97"}}.dump(2) << '\n';
    else
        std::cout << CFormat("Saturation temperature at %g psia: %.4f deg F (IAPWS-IF97)\n", {P, *T});
    return 0;
}

int SteamTsat(const SteamOptions& o) {
    const std::optional<double> P = ReadNumber("P_PSIA", o.pressure);
    if (!P) return 1;
    if (o.If97()) return SteamTsatIf97(o, *P);
    if (!(*P >= kSatPMin_psia && *P <= kPc_psia)) {
        std::cerr << "Error: the saturation line runs from 0.088589 psia (32 deg F) to the critical pressure "
                     "3208.2348 psia; "
                  << o.pressure << " psia is outside it.\n";
        return 1;
    }
    CSteamTable st;
    const double T = st.SatTemperature(*P);
    if (o.json)
        std::cout << nlohmann::json{{"P_psia", *P}, {"tsat_F", T}}.dump(2) << '\n';
    else
        std::cout << CFormat("Saturation temperature at %g psia: %.4f deg F\n", {*P, T});
    return 0;
}

// IAPWS-IF97: compressed water when 32 <= T <= 705.1028 deg F and P is at or above the
// saturation pressure, steam otherwise; every property at full precision, the state's region
// and the formulation's own isentropic exponent. A state outside the formulation shows Error
// #19 (water) or #18 (steam).
int SteamPropsIf97(const SteamOptions& o, double P, double T) {
    const std::optional<double> psat = steam_if97::SatPressure(T);
    const std::optional<double> tsat = steam_if97::SatTemperature(P);
    const bool water = psat && P >= *psat;
    const std::optional<steam_if97::State> st = steam_if97::StatePT(P, T);
    if (!st) {
        CliMessageSink sink;
        CError(sink).Show(water ? msg::kErrVapourState : msg::kErrLiquidState);
        return 1;
    }
    const std::string phase = water                                                 ? "compressed water"
                              : (T > steam_if97::kTc_F && P > steam_if97::kPc_psia) ? "supercritical steam"
                                                                                    : "superheated steam";
    if (o.json) {
        const nlohmann::json j = {
            {"P_psia", P},
            {"T_F", T},
            {"model", "if97"},
            {"phase", phase},
            {"region", st->region},
            {"psat_psia", NumberOrNull(psat)},
            {"tsat_F", NumberOrNull(tsat)},
            {"v_ft3_lb", st->v_ft3_lb},
            {"rho_lb_ft3", st->rho_lb_ft3},
            {"h_btu_lb", st->h_btu_lb},
            {"s_btu_lbR", st->s_btu_lbR},
            {"cp_btu_lbR", st->cp_btu_lbR},
            {"w_ft_s", st->w_ft_s},
            {"k", st->k},
            {"mu_cP", st->mu_cP},
        };
        std::cout << j.dump(2) << '\n';
        return 0;
    }
    std::cout << CFormat("State:               %g psia, %g deg F\n", {P, T})
              << CFormat("Phase:               %s (IAPWS-IF97 region %d)\n",
                         {phase, static_cast<long long>(st->region)})
              << CFormat("Specific volume:     %.6f ft3/lb\n", {st->v_ft3_lb})
              << CFormat(st->rho_lb_ft3 >= 0.01 ? "Density:             %.5f lb/ft3\n"
                                                : "Density:             %.4e lb/ft3\n",
                         {st->rho_lb_ft3})
              << CFormat("Enthalpy:            %.3f Btu/lb\n", {st->h_btu_lb})
              << CFormat("Entropy:             %.5f Btu/(lb R)\n", {st->s_btu_lbR})
              << CFormat("Heat capacity cp:    %.5f Btu/(lb R)\n", {st->cp_btu_lbR})
              << CFormat("Speed of sound:      %.2f ft/s\n", {st->w_ft_s})
              << CFormat("Viscosity:           %.5f cP\n", {st->mu_cP})
              << CFormat("Isentropic exponent: %.4f\n", {st->k});
    return 0;
}

// Compressed water when 32 <= T <= 705.47 deg F and P is at or above the saturation
// pressure, steam otherwise; each through its property set of the steam table, which shows
// Error #19 or #18 when it cannot deliver.
int SteamProps(const SteamOptions& o) {
    const std::optional<double> P = ReadNumber("P_PSIA", o.pressure);
    if (!P) return 1;
    const std::optional<double> T = ReadNumber("T_F", o.temperature);
    if (!T) return 1;
    if (o.If97()) return SteamPropsIf97(o, *P, *T);
    CliMessageSink sink;
    CSteamTable st;
    std::optional<double> psat, tsat;
    if (*T >= kSatTMin_F && *T <= kSatTMax_F) psat = st.SatPressure(*T);
    if (*P >= kSatPMin_psia && *P <= kPc_psia) tsat = st.SatTemperature(*P);

    std::string phase;
    std::optional<CSteamTable::State> state;
    double rho = 0.0, mu = 0.0;
    std::optional<double> k;
    if (psat && *P >= *psat) {
        const auto w = st.CompressedWater(*P, *T, *P, *T, sink);
        if (!w) return 1;
        state = st.WaterState(*P, *T);
        phase = "compressed water";
        rho = w->density_lb_ft3;
        mu = w->viscosity_cP;
    } else {
        const auto s = st.SuperheatedSteam(*P, *T, sink);
        if (!s) return 1;
        state = st.SteamState(*P, *T);
        phase = (*P > kPc_psia && *T > kSatTMax_F) ? "supercritical steam" : "superheated steam";
        rho = s->density_lb_ft3;
        mu = s->viscosity_cP;
        k = s->k;
    }
    if (!state) {  // the sets above evaluated the same state; kept as a guard
        CError(sink).Show(phase == "compressed water" ? 19 : 18);
        return 1;
    }
    if (o.json) {
        const nlohmann::json j = {
            {"P_psia", *P},
            {"T_F", *T},
            {"phase", phase},
            {"region", state->region},
            {"psat_psia", NumberOrNull(psat)},
            {"tsat_F", NumberOrNull(tsat)},
            {"v_ft3_lb", state->v_ft3_lb},
            {"rho_lb_ft3", rho},
            {"h_btu_lb", state->h_btu_lb},
            {"s_btu_lbR", state->s_btu_lbR},
            {"mu_cP", mu},
            {"k", NumberOrNull(k)},
        };
        std::cout << j.dump(2) << '\n';
        return 0;
    }
    std::cout << CFormat("State:               %g psia, %g deg F\n", {*P, *T})
              << CFormat("Phase:               %s (IFC-67 region %d)\n",
                         {phase, static_cast<long long>(state->region)})
              << CFormat("Specific volume:     %.6f ft3/lb\n", {state->v_ft3_lb})
              << CFormat(rho >= 0.01 ? "Density:             %.5f lb/ft3\n"
                                     : "Density:             %.4e lb/ft3\n",
                         {rho})
              << CFormat("Enthalpy:            %.3f Btu/lb\n", {state->h_btu_lb})
              << CFormat("Entropy:             %.5f Btu/(lb R)\n", {state->s_btu_lbR})
              << CFormat("Viscosity:           %.5f cP\n", {mu});
    if (k)
        std::cout << CFormat("Isentropic exponent: %.4f\n", {*k});
    else
        std::cout << "Isentropic exponent: none (liquid)\n";
    return 0;
}

}  // namespace

void RegisterSteamCommands(CLI::App& app, CommandContext& ctx) {
    auto opts = std::make_shared<SteamOptions>();
    CLI::App* steam =
        app.add_subcommand("steam", "Steam and water properties (IFC-67 or IAPWS-IF97, US customary units).");
    steam->require_subcommand(1);
    const auto add_model = [&opts](CLI::App* cmd) {
        cmd->add_option("--model", opts->model, "formulation: ifc67 (the default) or if97 (IAPWS-IF97)")
            ->check(CLI::IsMember({"ifc67", "if97"}));
    };

    CLI::App* psat = steam->add_subcommand("psat", "Saturation pressure (psia) at a temperature (deg F).");
    psat->add_option("T_F", opts->temperature, "temperature, deg F (32 to 705.47)")->required();
    psat->add_flag("--json", opts->json, "JSON output (key psat_psia)");
    add_model(psat);
    psat->callback([&ctx, opts] { ctx.action = [opts] { return SteamPsat(*opts); }; });

    CLI::App* tsat = steam->add_subcommand("tsat", "Saturation temperature (deg F) at a pressure (psia).");
    tsat->add_option("P_PSIA", opts->pressure, "pressure, psia (0.088589 to 3208.2348)")->required();
    tsat->add_flag("--json", opts->json, "JSON output (key tsat_F)");
    add_model(tsat);
    tsat->callback([&ctx, opts] { ctx.action = [opts] { return SteamTsat(*opts); }; });

    CLI::App* props = steam->add_subcommand(
        "props",
        "Properties of compressed water or steam at a pressure (psia) and temperature (deg F); density, "
        "viscosity and isentropic exponent as the Fluids commands store them.");
    props->add_option("P_PSIA", opts->pressure, "pressure, psia")->required();
    props->add_option("T_F", opts->temperature, "temperature, deg F")->required();
    props->add_flag(
        "--json", opts->json,
        "JSON output (keys region, v_ft3_lb, rho_lb_ft3, h_btu_lb, s_btu_lbR, mu_cP, k; with --model "
        "if97 also cp_btu_lbR and w_ft_s, all at full precision)");
    add_model(props);
    props->callback([&ctx, opts] { ctx.action = [opts] { return SteamProps(*opts); }; });
}

}  // namespace quorven::cli
