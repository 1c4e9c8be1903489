#include "project/csv_exchange.h"

#include <array>
#include <charconv>
#include <cstring>
#include <optional>
#include <system_error>

#include "record/cformat.h"
#include "record/record_check.h"
#include "record/text_codec.h"
#include "record/units.h"

namespace quorven {
namespace {

constexpr char kEncodedComma = '\xB7';  // Windows-1252 middle dot

// Column name, then the record field it carries where that differs.
struct ColumnName {
    std::string_view column;
    std::string_view field;
};

constexpr ColumnName kColumnNames[kCsvColumnCount] = {
    // Texts.
    {"Tag_No", "Tag_No"},
    {"Service", "Service"},
    {"Line_No", "Line_No"},
    {"Date", "Date"},
    {"Name", "Name"},
    {"Memo", "Memo"},
    {"Fluid", "Fluid"},
    {"Meter", "Meter"},
    {"Meter_Type", "Meter_Type_Text"},
    {"Tap_Style", "Tap_Style_Text"},
    {"Elem_Matl", "Elem_Matl"},
    {"Pipe_Matl", "Pipe_Matl"},
    {"Pipe_Sched", "Pipe_Sched_Text"},
    {"Mfr", "Mfr"},
    {"Model", "Model"},
    {"Spec_No", "Spec_No"},
    {"Rev_No", "Rev_No"},
    {"By", "By"},
    {"Chk", "Chk"},
    {"Spec_Date", "Spec_Date"},
    {"Rev_No_1", "Rev_No_1"},
    {"Rev_No_2", "Rev_No_2"},
    {"Rev_No_3", "Rev_No_3"},
    {"Rev_No_4", "Rev_No_4"},
    {"Rev_By_1", "Rev_By_1"},
    {"Rev_By_2", "Rev_By_2"},
    {"Rev_By_3", "Rev_By_3"},
    {"Rev_By_4", "Rev_By_4"},
    {"Rev_Date_1", "Rev_Date_1"},
    {"Rev_Date_2", "Rev_Date_2"},
    {"Rev_Date_3", "Rev_Date_3"},
    {"Rev_Date_4", "Rev_Date_4"},
    {"Sht_No", "Sht_No"},
    {"Sht_Of", "Sht_Of"},
    {"Pid_No", "Pid_No"},
    {"Elem_Matl", "Elem_Matl_DS"},
    {"Elem_Body", "Elem_Body"},
    {"Elem_Thick", "Elem_Thick"},
    {"Elem_Construct", "Elem_Construct"},
    {"Elem_End_Conn", "Elem_End_Conn"},
    {"Tap_Quant", "Tap_Quant"},
    {"Tap_Size", "Tap_Size"},
    {"Tap_Orient", "Tap_Orient"},
    {"Pipe_Matl", "Pipe_Matl_DS"},
    {"Pipe_Conn_Rate", "Pipe_Conn_Rate"},
    {"Pipe_Ups", "Pipe_Ups"},
    {"Pipe_Down", "Pipe_Down"},
    {"Pipe_Run_By", "Pipe_Run_By"},
    {"Meter_Type", "Meter_Type_DS"},
    {"Meter_Chart", "Meter_Chart"},
    {"Meter_Mult", "Meter_Mult"},
    {"Flange_By", "Flange_By"},
    {"Flange_Rate", "Flange_Rate"},
    {"Flange_Type", "Flange_Type"},
    {"Flange_Matl", "Flange_Matl"},
    {"Access_Vanes", "Access_Vanes"},
    {"Access_Studs", "Access_Studs"},
    {"Access_Nuts", "Access_Nuts"},
    {"Access_Gaskets", "Access_Gaskets"},
    {"User_Line1_1", "User_Line1_1"},
    {"User_Line1_2", "User_Line1_2"},
    {"User_Line2_1", "User_Line2_1"},
    {"User_Line2_2", "User_Line2_2"},
    {"User_Line3_1", "User_Line3_1"},
    {"User_Line3_2", "User_Line3_2"},
    {"User_Line4_1", "User_Line4_1"},
    {"User_Line4_2", "User_Line4_2"},
    {"User_Line5_1", "User_Line5_1"},
    {"User_Line5_2", "User_Line5_2"},
    {"User_Notes_1", "User_Notes_1"},
    {"User_Notes_2", "User_Notes_2"},
    {"User_Notes_3", "User_Notes_3"},
    {"User_Misc", "User_Misc"},
    // 32-bit values.
    {"Unit_Flow_Set", "Unit_Flow_Set"},
    {"Unit_Press_Set", "Unit_Press_Set"},
    {"Unit_BasePress_Set", "Unit_BasePress_Set"},
    {"Unit_AtmPress_Set", "Unit_AtmPress_Set"},
    {"Unit_DpPress_Set", "Unit_DpPress_Set"},
    {"Unit_Temp_Set", "Unit_Temp_Set"},
    {"Unit_BaseTemp_Set", "Unit_BaseTemp_Set"},
    {"Unit_DpRefTemp_Set", "Unit_DpRefTemp_Set"},
    {"Unit_Dens_Set", "Unit_Dens_Set"},
    {"Unit_Visc_Set", "Unit_Visc_Set"},
    {"Unit_Velocity_Set", "Unit_Velocity_Set"},
    {"Unit_GLocal_Set", "Unit_GLocal_Set"},
    {"Unit_Bore_Set", "Unit_Bore_Set"},
    {"Unit_Pipe_Set", "Unit_Pipe_Set"},
    {"Unit_PressSys_Set", "Unit_PressSys_Set"},
    {"Fluid_Equation", "Fluid_Equation"},
    {"Fluid_Condition", "Fluid_Condition"},
    {"Fluid_Property", "Fluid_Property"},
    {"Factor_Manometer", "Factor_Manometer"},
    {"Factor_Drain", "Factor_Drain"},
    {"Factor_DrainType", "Factor_DrainType"},
    {"Factor_Drain_HoleSel", "Factor_Drain_HoleSel"},
    {"Factor_H2OvapSetup", "Factor_H2OvapSetup"},
    {"Factor_H2OvapIncl", "Factor_H2OvapIncl"},
    {"Factor_SatLiq", "Factor_SatLiq"},
    {"Factor_VapQual", "Factor_VapQual"},
    {"Meter_Type", "Meter_Type"},
    {"Meter_Style", "Meter_Style"},
    {"Meter_VenturiExit", "Meter_VenturiExit"},
    {"Meter_IFOAMfr", "Meter_IFOAMfr"},
    {"Meter_IFOASize", "Meter_IFOASize"},
    {"Meter_IFOAPipeMatl", "Meter_IFOAPipeMatl"},
    {"Tap_Style", "Tap_Style"},
    {"Tap_Loc", "Tap_Loc"},
    {"Matl_Pipe", "Matl_Pipe"},
    {"Matl_Elem", "Matl_Elem"},
    {"Pipe_Sched", "Pipe_Sched"},
    {"Calc_Mode", "Calc_Mode"},
    {"Calc_Std", "Calc_Std"},
    {"Calc_SizeParam", "Calc_SizeParam"},
    {"Calc_Rev", "Calc_Rev"},
    // Doubles.
    {"Unit_Flow", "Unit_Flow"},
    {"Unit_Press", "Unit_Press"},
    {"Unit_BasePress", "Unit_BasePress"},
    {"Unit_AtmPress", "Unit_AtmPress"},
    {"Unit_Dpress", "Unit_Dpress"},
    {"Unit_Dens", "Unit_Dens"},
    {"Unit_Visc", "Unit_Visc"},
    {"Unit_Velo", "Unit_Velo"},
    {"Unit_Glocal", "Unit_Glocal"},
    {"Unit_Bore", "Unit_Bore"},
    {"Unit_Pipe", "Unit_Pipe"},
    {"Flow_Max", "Flow_Max"},
    {"Flow_Norm", "Flow_Norm"},
    {"Flow_Press", "Flow_Press"},
    {"Flow_Temp", "Flow_Temp"},
    {"Flow_RhoGZ", "Flow_RhoGZ"},
    {"Base_Press", "Base_Press"},
    {"Base_Temp", "Base_Temp"},
    {"Base_RhoGZ", "Base_RhoGZ"},
    {"Dp_Max", "Dp_Max"},
    {"Dp_Norm", "Dp_Norm"},
    {"Dp_Loss", "Dp_Loss"},
    {"Fa_Meter", "Fa_Meter"},
    {"Fa_Pipe", "Fa_Pipe"},
    {"Factor_ManoSealRho", "Factor_ManoSealRho"},
    {"Factor_ManoSealTemp", "Factor_ManoSealTemp"},
    {"Factor_ManoGlocal", "Factor_ManoGlocal"},
    {"Factor_DrainDia", "Factor_DrainDia"},
    {"Factor_PwvEdit", "Factor_PwvEdit"},
    {"Factor_Pwv", "Factor_Pwv"},
    {"Factor_QualX", "Factor_QualX"},
    {"Factor_QualRho", "Factor_QualRho"},
    {"Pipe_NomDia", "Pipe_NomDia"},
    {"Pipe_IDia", "Pipe_IDia"},
    {"Property_Visc", "Property_Visc"},
    {"Property_KFp", "Property_KFp"},
    {"Property_MwDenVp", "Property_MwDenVp"},
    {"PctRange", "PctRange"},
    {"Fdh", "Fdh"},
    {"Fwv", "Fwv"},
    {"Fx", "Fx"},
    {"Fm", "Fm"},
    {"Sm", "Sm"},
    {"Rd", "Rd"},
    {"Y", "Y"},
    {"C", "C"},
    {"Qrad_K0", "Qrad_K0"},
    {"K", "K"},
    {"E_Ftp", "E_Ftp"},
    {"Beta", "Beta"},
    {"Bore", "Bore"},
    {"SegHs", "SegHs"},
    {"SegDc", "SegDc"},
    {"DpRefTemp", "DpRefTemp"},
    {"DpRefFact", "DpRefFact"},
    {"AtmPress", "AtmPress"},
    {"MeterUncert", "MeterUncert"},
    {"SystemUncert", "SystemUncert"},
    {"Velocity", "Velocity"},
    {"Min_Thick", "Min_Thick"},
    {"Max_Press", "Max_Press"},
    {"Max_Temp", "Max_Temp"},
};

std::array<CsvColumn, kCsvColumnCount> ResolveColumns() {
    std::array<CsvColumn, kCsvColumnCount> out{};
    for (std::size_t i = 0; i < kCsvColumnCount; ++i) {
        out[i] = {kColumnNames[i].column, FindField(kColumnNames[i].field)};
    }
    return out;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool ParseInt32(std::string_view s, int32_t& out) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return false;
    int32_t v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return false;
    out = v;
    return true;
}

std::string Quoted(std::string_view s) {
    std::string out(1, '"');
    out.append(Cp1252ToUtf8(s));
    out.push_back('"');
    return out;
}

}  // namespace

std::span<const CsvColumn> CsvColumns() {
    static const std::array<CsvColumn, kCsvColumnCount> columns = ResolveColumns();
    return columns;
}

std::string CsvHeaderLine() {
    std::string out;
    for (std::size_t i = 0; i < kCsvColumnCount; ++i) {
        out += kColumnNames[i].column;
        out += i + 1 < kCsvColumnCount ? "," : "\r\n";
    }
    return out;
}

void EncodeText(std::string& text) {
    for (char& c : text)
        if (c == ',') c = kEncodedComma;
}

void DecodeText(std::string& text) {
    for (char& c : text)
        if (c == kEncodedComma) c = ',';
}

std::string ExportDateText(std::string_view stored) {
    if (stored.empty() || (stored.front() >= '0' && stored.front() <= '9')) return std::string(stored);
    // "Mon D, YYYY": the month up to the blank, the day up to ", ", the year after.
    const std::size_t blank = stored.find(' ');
    if (blank == std::string_view::npos || blank == 0 || blank > 5) return std::string(stored);
    const std::size_t comma = stored.find(", ", blank + 1);
    if (comma == std::string_view::npos || comma == blank + 1 || comma - blank - 1 > 5)
        return std::string(stored);
    const std::string_view month = stored.substr(0, blank);
    const std::string_view day = stored.substr(blank + 1, comma - blank - 1);
    const std::string_view year = stored.substr(comma + 2);
    if (year.empty()) return std::string(stored);
    std::string out(day);
    out += ' ';
    out += month;
    out += ' ';
    out += year;
    return out;
}

std::string FormatCsvDouble(double v) {
    // The longest fixed form of a finite double is about 330 characters.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (res.ec != std::errc()) return "0";
    return std::string(buf, res.ptr);
}

void AppendCsvLine(const TagRecord& r, std::string& out) {
    const std::span<const CsvColumn> columns = CsvColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const FieldInfo& f = *columns[i].field;
        switch (f.kind) {
            case FieldKind::Text: {
                std::string text(GetTextField(r, f));
                if (i == 3) text = ExportDateText(text);  // Date
                EncodeText(text);
                // A line end inside a text would end the line: a blank takes its place.
                for (char& c : text)
                    if (c == '\r' || c == '\n') c = ' ';
                if (!text.empty() && text.front() == '"') {
                    // A leading quote would open a quoted field for every reader:
                    // written quoted, its quotes doubled.
                    std::string quoted = "\"";
                    for (char c : text) {
                        quoted += c;
                        if (c == '"') quoted += '"';
                    }
                    quoted += '"';
                    text = std::move(quoted);
                }
                out += text;
                break;
            }
            case FieldKind::Int32: {
                char buf[16];
                const auto res = std::to_chars(buf, buf + sizeof buf, GetInt(r, f));
                out.append(buf, res.ptr);
                break;
            }
            case FieldKind::Double:
                out += FormatCsvDouble(GetDouble(r, f));
                break;
            case FieldKind::Bytes:
                break;
        }
        out += i + 1 < columns.size() ? "," : "\r\n";
    }
}

// --- Reading ----------------------------------------------------------------

void CsvRecordSplitter::Feed(std::string_view bytes) {
    buffer_.append(bytes);
    Scan();
}

void CsvRecordSplitter::Finish() {
    if (finished_) return;
    finished_ = true;
    if (dropping_) {
        dropping_ = false;
    } else if (start_ < buffer_.size()) {
        Emit(buffer_.size());
    }
    buffer_.clear();
    start_ = scan_ = 0;
}

void CsvRecordSplitter::Emit(std::size_t end) {
    std::size_t text_end = end;
    if (text_end > start_ && buffer_[text_end - 1] == '\r') --text_end;
    ready_.push_back({buffer_.substr(start_, text_end - start_), line_, false});
}

void CsvRecordSplitter::Scan() {
    for (std::size_t i = scan_; i < buffer_.size(); ++i) {
        const char c = buffer_[i];
        if (dropping_) {
            if (c == '\n') {
                dropping_ = false;
                line_ += newlines_ + 1;
                newlines_ = 0;
                start_ = i + 1;
                state_ = State::FieldStart;
            }
            continue;
        }
        bool record_end = false;
        switch (state_) {
            case State::FieldStart:
                if (c == '"')
                    state_ = State::Quoted;
                else if (c == '\n')
                    record_end = true;
                else if (c != ',')
                    state_ = State::Unquoted;
                break;
            case State::Unquoted:
                if (c == ',')
                    state_ = State::FieldStart;
                else if (c == '\n')
                    record_end = true;
                break;
            case State::Quoted:
                if (c == '"')
                    state_ = State::QuoteSeen;
                else if (c == '\n')
                    ++newlines_;
                break;
            case State::QuoteSeen:
                if (c == '"')
                    state_ = State::Quoted;
                else if (c == ',')
                    state_ = State::FieldStart;
                else if (c == '\n')
                    record_end = true;
                else
                    state_ = State::Unquoted;
                break;
        }
        if (record_end) {
            Emit(i);
            line_ += newlines_ + 1;
            newlines_ = 0;
            start_ = i + 1;
            state_ = State::FieldStart;
        } else if (i + 1 - start_ > kMaxRecordBytes) {
            ready_.push_back({std::string(), line_, true});
            dropping_ = true;
        }
    }
    scan_ = buffer_.size();
    // Keep only the unfinished record.
    if (start_ > 0) {
        buffer_.erase(0, std::min(start_, buffer_.size()));
        scan_ -= std::min(start_, scan_);
        start_ = 0;
    }
    if (dropping_) {
        buffer_.clear();
        scan_ = 0;
    }
}

bool CsvRecordSplitter::Next(Record& out) {
    if (ready_pos_ >= ready_.size()) {
        ready_.clear();
        ready_pos_ = 0;
        return false;
    }
    out = std::move(ready_[ready_pos_++]);
    return true;
}

std::vector<std::string> SplitCsvFields(std::string_view record) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    for (;;) {
        std::string field;
        if (i < record.size() && record[i] == '"') {
            ++i;
            while (i < record.size()) {
                if (record[i] == '"') {
                    if (i + 1 < record.size() && record[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += record[i++];
            }
        }
        while (i < record.size() && record[i] != ',') field += record[i++];
        fields.push_back(std::move(field));
        if (i >= record.size()) break;
        ++i;  // the comma
    }
    return fields;
}

void CsvEncodingScan::Feed(std::string_view bytes) {
    for (const char ch : bytes) {
        if (!valid_) return;
        const auto b = static_cast<unsigned char>(ch);
        if (pending_ > 0) {
            if ((b & 0xC0) != 0x80) {
                valid_ = false;
                return;
            }
            c_ = (c_ << 6) | (b & 0x3Fu);
            if (--pending_ == 0 && (c_ < min_ || c_ > 0x10FFFF || (c_ >= 0xD800 && c_ <= 0xDFFF)))
                valid_ = false;
            continue;
        }
        if (b < 0x80) continue;
        beyond_ = true;
        if ((b & 0xE0) == 0xC0) {
            pending_ = 1;
            c_ = b & 0x1Fu;
            min_ = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            pending_ = 2;
            c_ = b & 0x0Fu;
            min_ = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            pending_ = 3;
            c_ = b & 0x07u;
            min_ = 0x10000;
        } else {
            valid_ = false;
        }
    }
}

bool CsvRecordFields(std::string_view record, bool first_record, bool utf8, std::vector<std::string>& fields,
                     std::string& problem) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (first_record && record.starts_with(kBom)) record.remove_prefix(kBom.size());
    // Commas and quotes are single bytes in UTF-8 too: the fields split alike.
    fields = SplitCsvFields(record);
    if (!utf8) return true;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::optional<std::string> text = Utf8ToCp1252Exact(fields[i]);
        if (!text) {
            const std::string column = i < kCsvColumnCount
                                           ? std::string(kColumnNames[i].column)
                                           : CFormat("Field %d", {static_cast<long long>(i + 1)});
            problem = column + " \"" + fields[i] + "\" holds a character that Windows-1252 cannot hold";
            return false;
        }
        fields[i] = std::move(*text);
    }
    return true;
}

bool IsCsvHeader(const std::vector<std::string>& fields) {
    if (fields.size() != kCsvColumnCount) return false;
    for (std::size_t i = 0; i < kCsvColumnCount; ++i)
        if (fields[i] != kColumnNames[i].column) return false;
    return true;
}

bool ParseCsvTag(const std::vector<std::string>& fields, TagRecord& r, std::string& problem) {
    if (fields.size() != kCsvColumnCount) {
        problem = CFormat("%d fields, %d expected",
                          {static_cast<long long>(fields.size()), static_cast<long long>(kCsvColumnCount)});
        return false;
    }
    const std::span<const CsvColumn> columns = CsvColumns();
    for (std::size_t i = 0; i < kCsvColumnCount; ++i) {
        const FieldInfo& f = *columns[i].field;
        const std::string_view name = columns[i].name;
        const std::string& value = fields[i];
        switch (f.kind) {
            case FieldKind::Text: {
                if (value.empty()) break;
                if (value.find('\0') != std::string::npos) {
                    problem = std::string(name) + " holds a NUL character";
                    return false;
                }
                std::string text = value;
                DecodeText(text);
                for (char& c : text)
                    if (c == '\r' || c == '\n') c = ' ';
                if (text.size() > f.width - 1) {
                    problem = CFormat("%s is longer than %d characters: %s",
                                      {name, static_cast<long long>(f.width - 1), Quoted(text)});
                    return false;
                }
                SetTextField(r, f, text);
                break;
            }
            case FieldKind::Int32: {
                const std::string_view v = Trimmed(value);
                if (v.empty()) break;
                int32_t n = 0;
                if (!ParseInt32(v, n)) {
                    problem = std::string(name) + " " + Quoted(v) + " is not a whole number";
                    return false;
                }
                if (!IsValidIntValue(f.name, n)) {
                    problem = std::string(name) + " " + std::to_string(n) + " is not one of its values";
                    return false;
                }
                SetInt(r, f, n);
                break;
            }
            case FieldKind::Double: {
                const std::string_view v = Trimmed(value);
                double x = 0.0;
                if (!v.empty() && !ParseFiniteDouble(v, x)) {
                    problem = std::string(name) + " " + Quoted(v) + " is not a number";
                    return false;
                }
                // A maximum temperature of 0 is "not given": the cleared value stays.
                if (std::strcmp(f.name, "Max_Temp") == 0 && x == 0.0) break;
                SetDouble(r, f, x);
                break;
            }
            case FieldKind::Bytes:
                break;
        }
    }
    if (GetText(r.Tag_No).empty()) {
        problem = "no tag number";
        return false;
    }
    // The record check decides, as it does for tag set and project put: a line is
    // taken only as a record that a later read keeps as it is.
    const std::vector<RecordRepair> repairs = RecordProblems(r);
    if (!repairs.empty()) {
        problem = RepairText(repairs.front());
        return false;
    }
    r.Calc_Status = kStatusNotCalculated;
    return true;
}

void RefreshUnitTexts(TagRecord& r, const UnitTables& t) {
    TagRecord probe = r;
    (void)SelectFlowUnit(probe, t, r.Unit_Flow_Set);
    (void)SelectUnit(probe, t, Quantity::Pressure, r.Unit_Press_Set);
    (void)SelectUnit(probe, t, Quantity::AtmPressure, r.Unit_AtmPress_Set);
    (void)SelectUnit(probe, t, Quantity::DiffPressure, r.Unit_DpPress_Set);
    (void)SelectUnit(probe, t, Quantity::Temperature, r.Unit_Temp_Set);
    (void)SelectUnit(probe, t, Quantity::Density, r.Unit_Dens_Set);
    (void)SelectUnit(probe, t, Quantity::Viscosity, r.Unit_Visc_Set);
    (void)SelectUnit(probe, t, Quantity::Velocity, r.Unit_Velocity_Set);
    (void)SelectUnit(probe, t, Quantity::Bore, r.Unit_Bore_Set);
    (void)SelectUnit(probe, t, Quantity::PipeSize, r.Unit_Pipe_Set);
    // Only the texts and the per-kind flow selection are taken: the factors were
    // read with the tag.
    std::memcpy(r.Unit_Flow_Text, probe.Unit_Flow_Text, sizeof r.Unit_Flow_Text);
    std::memcpy(r.Unit_Press_Text, probe.Unit_Press_Text, sizeof r.Unit_Press_Text);
    std::memcpy(r.Unit_AtmPress_Text, probe.Unit_AtmPress_Text, sizeof r.Unit_AtmPress_Text);
    std::memcpy(r.Unit_Dpress_Text, probe.Unit_Dpress_Text, sizeof r.Unit_Dpress_Text);
    std::memcpy(r.Unit_Temp_Text, probe.Unit_Temp_Text, sizeof r.Unit_Temp_Text);
    std::memcpy(r.Unit_Dens_Text, probe.Unit_Dens_Text, sizeof r.Unit_Dens_Text);
    std::memcpy(r.Unit_Visc_Text, probe.Unit_Visc_Text, sizeof r.Unit_Visc_Text);
    std::memcpy(r.Unit_Velo_Text, probe.Unit_Velo_Text, sizeof r.Unit_Velo_Text);
    std::memcpy(r.Unit_Bore_Text, probe.Unit_Bore_Text, sizeof r.Unit_Bore_Text);
    std::memcpy(r.Unit_Pipe_Text, probe.Unit_Pipe_Text, sizeof r.Unit_Pipe_Text);
    std::memcpy(&r.Unit_GasBaseFlow_Set, &probe.Unit_GasBaseFlow_Set,
                offsetof(TagRecord, Unit_Flow_Set) - offsetof(TagRecord, Unit_GasBaseFlow_Set));
}

}  // namespace quorven
