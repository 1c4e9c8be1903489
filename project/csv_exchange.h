#pragma once
// The comma-separated exchange of tags: one line per tag with 176 named columns
// (record field names), so a project can be handed to a spreadsheet and tags read
// back from one. Texts are single-byte Windows-1252; a comma inside a text is
// written as the middle dot 0xB7 and read back as a comma. Values are in internal
// units.
//
// Doubles are written in fixed notation with the fewest digits that read back to
// the same double (std::to_chars, shortest round trip): 7.865791e-06 is written
// 0.000007865791, never with an exponent letter, so readers that take any letter
// for "not a number" still read every value. On reading, exponent notation
// (7.865791E-06, as a spreadsheet saves it) is accepted.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "record/record_fields.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"

namespace quorven {

inline constexpr std::size_t kCsvColumnCount = 176;

struct CsvColumn {
    std::string_view name;   // the column name of the header
    const FieldInfo* field;  // the record field the column carries
};

// The 176 columns in file order.
std::span<const CsvColumn> CsvColumns();

// --- Writing ----------------------------------------------------------------
// The header line: the column names separated by commas, then "\r\n".
std::string CsvHeaderLine();

// Appends the record as one line ("\r\n" at its end).
void AppendCsvLine(const TagRecord& r, std::string& out);

// Comma to 0xB7 and back, in place.
void EncodeText(std::string& text);
void DecodeText(std::string& text);

// The date as exported: a stored "Jan 1, 2001" (month, day and year) is written
// "1 Jan 2001"; a date that begins with a digit, or does not have that shape, is
// written as it is.
std::string ExportDateText(std::string_view stored);

// A double in fixed notation, shortest round trip ("0.000007865791", "14.69595").
std::string FormatCsvDouble(double v);

// --- Reading ----------------------------------------------------------------
// Splits input into records: a record ends at a line end (CR LF or LF) that is not
// inside a quoted field. A double quote opens a quoted field only as the first
// character of a field, so an inch sign inside a text (4" LINE) is an ordinary
// character. Fields are read whole, however long. Feed the bytes in pieces of any
// size, then Finish.
class CsvRecordSplitter {
public:
    struct Record {
        std::string text;        // without its line end
        std::size_t line = 0;    // the line it starts on, 1 for the first
        bool oversized = false;  // longer than kMaxRecordBytes: text is empty
    };
    // A record longer than this is refused whole and skipped to the next line end
    // (an unclosed quote would otherwise take the rest of the file into one field).
    static constexpr std::size_t kMaxRecordBytes = std::size_t{1} << 20;

    void Feed(std::string_view bytes);
    void Finish();
    // The next complete record; false when none is waiting.
    bool Next(Record& out);

private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteSeen };
    void Scan();
    void Emit(std::size_t end);

    std::string buffer_;
    std::size_t start_ = 0;  // start of the current record in buffer_
    std::size_t scan_ = 0;   // bytes of buffer_ scanned
    State state_ = State::FieldStart;
    std::size_t line_ = 1;      // line the current record starts on
    std::size_t newlines_ = 0;  // line ends inside quotes of the current record
    bool dropping_ = false;     // skipping an oversized record to its line end
    bool finished_ = false;
    std::vector<Record> ready_;
    std::size_t ready_pos_ = 0;
};

// The fields of one record: a field that begins with a double quote runs to the
// closing quote (two quotes inside stand for one); any other field runs to the
// next comma and is taken as it is.
std::vector<std::string> SplitCsvFields(std::string_view record);

// Whether a file is UTF-8 with characters beyond ASCII (as a spreadsheet may save
// it) or Windows-1252 (as export writes it), from all its bytes fed in pieces of
// any size. The file is decided as a whole, not line by line: a Windows-1252 line
// can be valid UTF-8 by chance ("CAFÉ, HOT" is exported with the bytes C9 B7 for
// "É" and the encoded comma, U+0277 in UTF-8), while a whole file rarely is.
class CsvEncodingScan {
public:
    void Feed(std::string_view bytes);
    bool Utf8() const { return valid_ && beyond_ && pending_ == 0; }
    bool RuledOut() const { return !valid_; }  // the bytes so far are not UTF-8

private:
    bool valid_ = true;
    bool beyond_ = false;
    int pending_ = 0;  // continuation bytes still to come
    char32_t c_ = 0;
    char32_t min_ = 0;  // the least character of the current length (no overlong forms)
};

// The fields of a record as single-byte text: a UTF-8 byte order mark is dropped
// from the first record, and in a file found to be UTF-8 (`utf8`) every field is
// converted to Windows-1252; otherwise the record is taken as Windows-1252. A
// field with a character that Windows-1252 cannot hold refuses the record (false,
// `problem` names the column): nothing is stored in its place.
bool CsvRecordFields(std::string_view record, bool first_record, bool utf8, std::vector<std::string>& fields,
                     std::string& problem);

// Whether the fields are exactly the 176 column names.
bool IsCsvHeader(const std::vector<std::string>& fields);

// Reads one tag line into `r`, which the caller has set to the blank record the
// line starts from. A non-empty text replaces the field (commas restored), a
// non-empty integer replaces the field, every double is set (an empty one to 0).
// The line is refused (false, `problem` says why, `r` is then unspecified) when it
// has another number of fields than 176, no tag number, a text longer than its
// field, an integer or double that is not a finite number of its kind, or a value
// that the record check would not keep (RecordProblems: choice codes, table
// indexes, a fluid condition or property input of the other kind than the fluid
// equation).
bool ParseCsvTag(const std::vector<std::string>& fields, TagRecord& r, std::string& problem);

// The unit texts of the record taken from the unit lists at its selections (the
// export does not carry them); the flow unit's per-kind selection follows
// Unit_Flow_Set. Selections outside their lists leave their text as it is.
void RefreshUnitTexts(TagRecord& r, const UnitTables& t);

}  // namespace quorven
