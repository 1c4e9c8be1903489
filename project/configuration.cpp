#include "project/configuration.h"

#include "messages/messages.h"
#include "record/units.h"

namespace quorven {

std::string ConfigPath(const std::string& dir) {
    if (dir.empty()) return kConfigFileName;
    return dir.back() == '/' ? dir + kConfigFileName : dir + "/" + kConfigFileName;
}

SettingsRead ReadSettingsFile(FileLayer& files, const std::string& path, ProjectSettings& s,
                              std::vector<std::string>* repairs) {
    if (!files.Stat(path)) return SettingsRead::Missing;
    const auto bytes = files.ReadAll(path, kProjectSettingsSize);
    if (!bytes || !SettingsFromBytes(*bytes, s, repairs)) return SettingsRead::Refused;
    return SettingsRead::Read;
}

SettingsRead ReadConfig(FileLayer& files, const std::string& path, ProjectSettings& s, MessageSink& sink) {
    const SettingsRead read = ReadSettingsFile(files, path, s);
    if (read == SettingsRead::Refused) CError(sink).Show(msg::kErrConfigRead);
    return read;
}

bool WriteConfig(FileLayer& files, const std::string& path, const ProjectSettings& s, MessageSink& sink) {
    if (files.Replace(path, SettingsToBytes(s))) return true;
    const auto there = files.Stat(path);
    CError(sink).Show(there && there->size != kProjectSettingsSize ? msg::kErrConfigCorrupt
                                                                   : msg::kErrConfigWrite);
    return false;
}

void ApplyUnitDefaults(TagRecord& r, const ProjectSettings& s) {
    const UnitTables t = UnitTablesOf(s);
    const UnitDefaults& d = s.Defaults;
    r.Unit_GasBaseFlow_Set = d.Unit_GasBaseFlow_Set;
    r.Unit_GasFlowingFlow_Set = d.Unit_GasFlowingFlow_Set;
    r.Unit_GasMassFlow_Set = d.Unit_GasMassFlow_Set;
    r.Unit_LiqBaseFlow_Set = d.Unit_LiqBaseFlow_Set;
    r.Unit_LiqFlowingFlow_Set = d.Unit_LiqFlowingFlow_Set;
    r.Unit_LiqMassFlow_Set = d.Unit_LiqMassFlow_Set;
    const struct {
        Quantity q;
        int32_t index;
    } others[] = {
        {Quantity::Pressure, d.Unit_Press_Set},
        {Quantity::BasePressure, d.Unit_BasePress_Set},
        {Quantity::AtmPressure, d.Unit_AtmPress_Set},
        {Quantity::DiffPressure, d.Unit_DpPress_Set},
        {Quantity::Temperature, d.Unit_Temp_Set},
        {Quantity::BaseTemperature, d.Unit_BaseTemp_Set},
        {Quantity::DpRefTemperature, d.Unit_DpRefTemp_Set},
        {Quantity::Density, d.Unit_Dens_Set},
        {Quantity::Viscosity, d.Unit_Visc_Set},
        {Quantity::Velocity, d.Unit_Velocity_Set},
        {Quantity::Gravity, d.Unit_GLocal_Set},
        {Quantity::Bore, d.Unit_Bore_Set},
        {Quantity::PipeSize, d.Unit_Pipe_Set},
    };
    // Selections were checked when the settings were read; one outside its list
    // keeps the record's own.
    for (const auto& o : others) (void)SelectUnit(r, t, o.q, o.index);
    r.Unit_PressSys_Set = d.Unit_PressSys_Set;
    if (const std::optional<FlowKind> k = FlowKindOf(r)) (void)SelectFlowUnit(r, t, FlowSelection(r, *k));
}

}  // namespace quorven
