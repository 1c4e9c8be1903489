#include "project/project_settings.h"

#include <cmath>
#include <cstring>

#include "record/cformat.h"
#include "record/tag_record.h"

namespace quorven {
namespace {

template <typename S>
auto* NamesOf(S& s, UnitList list) {
    switch (list) {
        case UnitList::GasBaseVolFlow:
            return &s.GasBaseVolFlow_Names[0][0];
        case UnitList::GasFlowingVolFlow:
            return &s.GasFlowingVolFlow_Names[0][0];
        case UnitList::GasMassFlow:
            return &s.GasMassFlow_Names[0][0];
        case UnitList::LiquidBaseVolFlow:
            return &s.LiquidBaseVolFlow_Names[0][0];
        case UnitList::LiquidFlowingVolFlow:
            return &s.LiquidFlowingVolFlow_Names[0][0];
        case UnitList::LiquidMassFlow:
            return &s.LiquidMassFlow_Names[0][0];
        case UnitList::Pressure:
            return &s.Pressure_Names[0][0];
        case UnitList::AbsPressure:
            return &s.AbsPressure_Names[0][0];
        case UnitList::DiffPressure:
            return &s.DiffPressure_Names[0][0];
        case UnitList::Density:
            return &s.Density_Names[0][0];
        case UnitList::Viscosity:
            return &s.Viscosity_Names[0][0];
        case UnitList::BoreLength:
            return &s.BoreLength_Names[0][0];
        case UnitList::PipeSizeLength:
            return &s.PipeSizeLength_Names[0][0];
        case UnitList::Speed:
            return &s.Speed_Names[0][0];
        case UnitList::Acceleration:
            return &s.Acceleration_Names[0][0];
        case UnitList::Temperature:
            break;
    }
    return &s.Temperature_Names[0][0];
}

template <typename S>
auto* FactorsOf(S& s, UnitList list) {
    using P = decltype(&s.Speed_Factors[0]);
    switch (list) {
        case UnitList::GasBaseVolFlow:
            return &s.GasBaseVolFlow_Factors[0];
        case UnitList::GasFlowingVolFlow:
            return &s.GasFlowingVolFlow_Factors[0];
        case UnitList::GasMassFlow:
            return &s.GasMassFlow_Factors[0];
        case UnitList::LiquidBaseVolFlow:
            return &s.LiquidBaseVolFlow_Factors[0];
        case UnitList::LiquidFlowingVolFlow:
            return &s.LiquidFlowingVolFlow_Factors[0];
        case UnitList::LiquidMassFlow:
            return &s.LiquidMassFlow_Factors[0];
        case UnitList::Pressure:
            return &s.Pressure_Factors[0];
        case UnitList::AbsPressure:
            return &s.AbsPressure_Factors[0];
        case UnitList::DiffPressure:
            return &s.DiffPressure_Factors[0];
        case UnitList::Density:
            return &s.Density_Factors[0];
        case UnitList::Viscosity:
            return &s.Viscosity_Factors[0];
        case UnitList::BoreLength:
            return &s.BoreLength_Factors[0];
        case UnitList::PipeSizeLength:
            return &s.PipeSizeLength_Factors[0];
        case UnitList::Speed:
            return &s.Speed_Factors[0];
        case UnitList::Acceleration:
            return &s.Acceleration_Factors[0];
        case UnitList::Temperature:
            break;
    }
    return P{nullptr};
}

bool IsFlowList(UnitList list) {
    return static_cast<int>(list) <= static_cast<int>(UnitList::LiquidMassFlow);
}

void StoreList(ProjectSettings& s, const UnitTables& t, UnitList list) {
    const UnitListShape shape = ShapeOf(list);
    char* names = NamesOf(s, list);
    const std::size_t w = static_cast<std::size_t>(shape.name_width);
    for (int i = 0; i < shape.entries; ++i) {
        char* slot = names + static_cast<std::size_t>(i) * w;
        std::memset(slot, 0, w);
        const std::string_view n = UnitName(t, list, i);
        std::memcpy(slot, n.data(), std::min(n.size(), w - 1));
    }
    if (double* f = FactorsOf(s, list)) {
        for (int i = 0; i < shape.factor_slots; ++i) f[i] = i < shape.entries ? UnitFactor(t, list, i) : 0.0;
    }
}

// Terminates a text slot within its width; reports the slot when it was not.
void Terminate(char* p, std::size_t width, const std::string& what, std::vector<std::string>& repairs) {
    if (!std::memchr(p, '\0', width)) {
        p[width - 1] = '\0';
        repairs.push_back(what + ": text not terminated");
    }
}

}  // namespace

ProjectSettings DefaultProjectSettings() {
    ProjectSettings s;
    std::memset(&s, 0, sizeof s);
    SetText(s.Company_Name, "Enter Company Name");
    SetText(s.Company_Address, "Enter Company Address");
    SetText(s.Company_Phone, "Enter Company Phone");
    SetText(s.Printer_FaceName, "Times Roman");
    s.Printer_FontSize = 9;
    s.Margin_Top = 0.75;
    s.Margin_Bottom = 9.75;
    s.Margin_Left = 0.75;
    s.Margin_Right = 7.75;
    s.Line_Spacing = 1.1;
    StoreUnitTables(s, DefaultUnitTables());
    s.Defaults = DefaultUnitDefaults();
    return s;
}

UnitTables UnitTablesOf(const ProjectSettings& s) {
    UnitTables t;
    std::memset(&t, 0, sizeof t);
    for (int li = 0; li < kUnitListCount; ++li) {
        const UnitList list = static_cast<UnitList>(li);
        const UnitListShape shape = ShapeOf(list);
        const std::size_t w = static_cast<std::size_t>(shape.name_width);
        const char* names = NamesOf(s, list);
        const double* f = FactorsOf(s, list);
        for (int i = 0; i < shape.entries; ++i) {
            const char* slot = names + static_cast<std::size_t>(i) * w;
            // The in-memory slot is wider than any stored one; the last stored byte
            // is dropped so a name is always terminated within its stored width.
            std::memcpy(t.names[li][i], slot, w - 1);
            if (f) t.factors[li][i] = f[i];
        }
    }
    return t;
}

void StoreUnitTables(ProjectSettings& s, const UnitTables& t) {
    for (int li = 0; li < kUnitListCount; ++li) StoreList(s, t, static_cast<UnitList>(li));
}

void RestoreDefaultUnits(ProjectSettings& s, bool flow_lists_too) {
    for (int li = 0; li < kUnitListCount; ++li) {
        const UnitList list = static_cast<UnitList>(li);
        if (flow_lists_too || !IsFlowList(list)) StoreList(s, DefaultUnitTables(), list);
    }
    s.Defaults = DefaultUnitDefaults();
}

std::string SettingsToBytes(const ProjectSettings& s) {
    return std::string(reinterpret_cast<const char*>(&s), sizeof s);
}

bool SettingsFromBytes(std::string_view bytes, ProjectSettings& s, std::vector<std::string>* repairs) {
    if (bytes.size() != sizeof(ProjectSettings)) return false;
    ProjectSettings read;
    std::memcpy(&read, bytes.data(), sizeof read);
    std::vector<std::string> found = CheckProjectSettings(read);
    if (repairs) *repairs = std::move(found);
    s = read;
    return true;
}

std::vector<std::string> CheckProjectSettings(ProjectSettings& s) {
    std::vector<std::string> repairs;
    Terminate(s.Printer_FaceName, sizeof s.Printer_FaceName, "printer font face", repairs);
    Terminate(s.Company_Name, sizeof s.Company_Name, "company name", repairs);
    Terminate(s.Company_Address, sizeof s.Company_Address, "company address", repairs);
    Terminate(s.Company_Phone, sizeof s.Company_Phone, "company phone", repairs);
    Terminate(s.User_Name, sizeof s.User_Name, "user name", repairs);
    Terminate(s.Client, sizeof s.Client, "client", repairs);
    Terminate(s.Project, sizeof s.Project, "project", repairs);
    Terminate(s.Location, sizeof s.Location, "location", repairs);
    Terminate(s.JobPO_No, sizeof s.JobPO_No, "job or purchase order number", repairs);
    Terminate(s.CalcSO_No, sizeof s.CalcSO_No, "calculation or sales order number", repairs);

    const UnitTables& defaults = DefaultUnitTables();
    for (int li = 0; li < kUnitListCount; ++li) {
        const UnitList list = static_cast<UnitList>(li);
        const UnitListShape shape = ShapeOf(list);
        const std::size_t w = static_cast<std::size_t>(shape.name_width);
        char* names = NamesOf(s, list);
        double* f = FactorsOf(s, list);
        for (int i = 0; i < shape.entries; ++i) {
            const std::string where = std::string(UnitListName(list)) + " entry " + std::to_string(i);
            Terminate(names + static_cast<std::size_t>(i) * w, w, where, repairs);
            if (f && !(std::isfinite(f[i]) && f[i] > 0)) {
                repairs.push_back(where + ": factor " + CFormat("%g", {f[i]}) + " reset to its default");
                f[i] = UnitFactor(defaults, list, i);
            }
        }
        if (f)
            for (int i = shape.entries; i < shape.factor_slots; ++i)
                if (!std::isfinite(f[i])) f[i] = 0.0;
    }
    if (const int n = CheckUnitDefaults(s.Defaults); n > 0)
        repairs.push_back(std::to_string(n) + " default unit selections reset");

    auto finite_or = [&](double& v, double def, const char* what) {
        if (!std::isfinite(v)) {
            repairs.push_back(std::string(what) + " reset");
            v = def;
        }
    };
    finite_or(s.Margin_Top, 0.75, "top margin");
    finite_or(s.Margin_Bottom, 9.75, "bottom margin");
    finite_or(s.Margin_Left, 0.75, "left margin");
    finite_or(s.Margin_Right, 7.75, "right margin");
    finite_or(s.Line_Spacing, 1.1, "line spacing");
    return repairs;
}

}  // namespace quorven
