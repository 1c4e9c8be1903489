// make_property_daf TABLE.csv OUT: turns the component table kept in the repository
// (resources/components/components.csv) into the binary property database the
// program reads, one 648-byte record per row in table order. Run by the build.
//
// The table is checked strictly and the build fails on any fault, so the program
// ships exactly what the table says: every record column present, every number a
// finite decimal, Comp_No counting 1, 2, 3, ... in row order, names of 1 to 40 and
// formulas of at most 10 printable ASCII characters, no name twice, and the 21
// names the AGA 8 entry looks up all present. The interaction vectors Kij_SRK and
// Kij_RK are not in the table: every record gets zeros (k_ij = 0).

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fluids/property_record.h"

namespace {

using quorven::PropertyRecord;

constexpr const char* kAga8Names[] = {
    "METHANE",
    "ETHANE",
    "PROPANE",
    "ISOBUTANE",
    "n-BUTANE",
    "ISOPENTANE",
    "n-PENTANE",
    "n-HEXANE",
    "n-HEPTANE",
    "n-OCTANE",
    "n-NONANE",
    "n-DECANE",
    "CARBON DIOXIDE",
    "NITROGEN",
    "HYDROGEN SULFIDE",
    "HELIUM",
    "WATER (steam & vapor only)",
    "OXYGEN",
    "ARGON",
    "HYDROGEN",
    "CARBON MONOXIDE",
};

// One CSV line into fields (RFC 4180 quoting; no line breaks inside fields).
std::optional<std::vector<std::string>> SplitCsv(const std::string& line) {
    std::vector<std::string> out;
    std::string cell;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == '"' && cell.empty()) {
            quoted = true;
        } else if (c == ',') {
            out.push_back(cell);
            cell.clear();
        } else {
            cell += c;
        }
    }
    if (quoted) return std::nullopt;
    out.push_back(cell);
    return out;
}

// "Crit_Temp [K]" -> "Crit_Temp".
std::string ColumnName(const std::string& header) {
    const std::size_t bracket = header.find(" [");
    return bracket == std::string::npos ? header : header.substr(0, bracket);
}

bool ParseDouble(const std::string& text, double& v) {
    const char* end = text.data() + text.size();
    const auto res = std::from_chars(text.data(), end, v);
    return res.ec == std::errc() && res.ptr == end && std::isfinite(v);
}

bool ParseInt(const std::string& text, int32_t& v) {
    const char* end = text.data() + text.size();
    const auto res = std::from_chars(text.data(), end, v);
    return res.ec == std::errc() && res.ptr == end;
}

bool PrintableAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c < 0x20 || c > 0x7e) return false;
    return true;
}

struct Fail {
    std::string message;
};

class Table {
public:
    Table(std::vector<std::string> header, std::size_t line) : line_(line) {
        for (std::size_t i = 0; i < header.size(); ++i) columns_[ColumnName(header[i])] = i;
    }
    void Row(std::vector<std::string> cells, std::size_t line) {
        cells_ = std::move(cells);
        line_ = line;
    }
    const std::string& Text(const char* column) const {
        const auto it = columns_.find(column);
        if (it == columns_.end()) throw Fail{std::string("the table has no column ") + column};
        if (it->second >= cells_.size()) throw Where(column, "is missing");
        return cells_[it->second];
    }
    double Double(const char* column) const {
        double v = 0.0;
        if (!ParseDouble(Text(column), v)) throw Where(column, "is not a finite decimal number");
        return v;
    }
    int32_t Int(const char* column) const {
        int32_t v = 0;
        if (!ParseInt(Text(column), v)) throw Where(column, "is not a whole number");
        return v;
    }
    Fail Where(const char* column, const char* what) const {
        return Fail{"line " + std::to_string(line_) + ", " + column + " " + what};
    }

private:
    std::map<std::string, std::size_t> columns_;
    std::vector<std::string> cells_;
    std::size_t line_;
};

void SetField(char* field, std::size_t width, const std::string& value) {
    std::memset(field, 0, width);
    std::memcpy(field, value.data(), value.size());
}

std::string Convert(std::istream& in) {
    std::string line;
    if (!std::getline(in, line)) throw Fail{"the table is empty"};
    const auto header = SplitCsv(line);
    if (!header) throw Fail{"line 1: unbalanced quotes"};
    Table t(*header, 1);
    std::string out;
    std::set<std::string> names;
    std::size_t line_no = 1;
    while (std::getline(in, line)) {
        ++line_no;
        if (line.empty()) continue;
        const auto cells = SplitCsv(line);
        if (!cells) throw Fail{"line " + std::to_string(line_no) + ": unbalanced quotes"};
        t.Row(*cells, line_no);

        PropertyRecord r{};
        const std::string& name = t.Text("Comp_Name");
        const std::string& formula = t.Text("Comp_Formula");
        if (name.empty() || name.size() > 40 || !PrintableAscii(name))
            throw t.Where("Comp_Name", "must be 1 to 40 printable ASCII characters");
        if (formula.size() > 10 || !PrintableAscii(formula))
            throw t.Where("Comp_Formula", "must be at most 10 printable ASCII characters");
        if (!names.insert(name).second) throw t.Where("Comp_Name", "appears twice");
        SetField(r.Comp_Name, sizeof r.Comp_Name, name);
        SetField(r.Comp_Formula, sizeof r.Comp_Formula, formula);

        r.Comp_No = t.Int("Comp_No");
        if (r.Comp_No != static_cast<int32_t>(names.size()))
            throw t.Where("Comp_No", "must count 1, 2, 3, ... in row order");
        r.Vp_Eqn = t.Int("Vp_Eqn");
        r.LiqVisc_Eqn = t.Int("LiqVisc_Eqn");
        r.LiqVol_Class = t.Int("LiqVol_Class");
        if (r.Vp_Eqn < 0 || r.Vp_Eqn > 3) throw t.Where("Vp_Eqn", "must be 0 to 3");
        if (r.LiqVisc_Eqn < 0 || r.LiqVisc_Eqn > 4) throw t.Where("LiqVisc_Eqn", "must be 0 to 4");

        r.Mol_Wt = t.Double("Mol_Wt");
        r.Crit_Temp = t.Double("Crit_Temp");
        r.Crit_Press = t.Double("Crit_Press");
        r.Crit_Vol = t.Double("Crit_Vol");
        r.Acentric = t.Double("Acentric");
        r.Dipole = t.Double("Dipole");
        r.Cp_A = t.Double("Cp_A");
        r.Cp_B = t.Double("Cp_B");
        r.Cp_C = t.Double("Cp_C");
        r.Cp_D = t.Double("Cp_D");
        r.Vp_A = t.Double("Vp_A");
        r.Vp_B = t.Double("Vp_B");
        r.Vp_C = t.Double("Vp_C");
        r.Vp_D = t.Double("Vp_D");
        r.LiqVisc_A = t.Double("LiqVisc_A");
        r.LiqVisc_B = t.Double("LiqVisc_B");
        r.LiqVisc_C = t.Double("LiqVisc_C");
        r.LiqVisc_D = t.Double("LiqVisc_D");
        r.Hbt_Tc = t.Double("Hbt_Tc");
        r.Hbt_Omega = t.Double("Hbt_Omega");
        r.Hbt_Vstar = t.Double("Hbt_Vstar");
        if (!(r.Mol_Wt > 0.0 && r.Crit_Temp > 0.0 && r.Crit_Press > 0.0))
            throw t.Where("Mol_Wt, Crit_Temp, Crit_Press", "must be positive");
        out += quorven::PropertyRecordToBytes(r);
    }
    for (const char* aga : kAga8Names)
        if (!names.count(aga)) throw Fail{std::string("the AGA 8 component \"") + aga + "\" is missing"};
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_property_daf TABLE.csv OUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "make_property_daf: cannot read " << argv[1] << '\n';
        return 1;
    }
    std::string bytes;
    try {
        bytes = Convert(in);
    } catch (const Fail& f) {
        std::cerr << argv[1] << ": " << f.message << '\n';
        return 1;
    }
    const std::string temp = std::string(argv[2]) + ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << "make_property_daf: cannot write " << temp << '\n';
            return 1;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, argv[2], ec);
    if (ec) {
        std::cerr << "make_property_daf: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
