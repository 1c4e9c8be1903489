// Comma-separated import files from outside (a spreadsheet, another program, a
// damaged file): whatever the bytes, splitting, decoding and reading tag lines
// never crashes; a line that is accepted gives a record the record check keeps
// as it is, and that record written out and read again is the same record.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "project/csv_exchange.h"
#include "record/record_check.h"
#include "record/record_fields.h"
#include "record/tag_reset.h"

namespace {

using namespace quorven;

TagRecord Base() {
    TagRecord r = NewTagRecord();
    ResetTagData(r);
    return r;
}

bool ReadTag(const std::vector<std::string>& fields, TagRecord& r) {
    std::string problem;
    r = Base();
    return ParseCsvTag(fields, r, problem);
}

void CheckAccepted(const TagRecord& r) {
    TagRecord copy = r;
    if (!CheckRecord(copy).empty()) std::abort();
    if (GetText(r.Tag_No).empty()) std::abort();
    std::string line;
    AppendCsvLine(r, line);
    line.resize(line.size() - 2);  // "\r\n"
    // Texts that happen to be UTF-8 read back as their single-byte form; only
    // lines that read as they are must come back unchanged.
    CsvEncodingScan scan;
    scan.Feed(line);
    std::vector<std::string> fields;
    std::string problem;
    if (!CsvRecordFields(line, false, scan.Utf8(), fields, problem) || fields != SplitCsvFields(line)) return;
    TagRecord back;
    if (!ReadTag(fields, back)) std::abort();
    for (const CsvColumn& c : CsvColumns()) {
        const FieldInfo& f = *c.field;
        if (std::strcmp(f.name, "Date") == 0) continue;  // rewritten day first on export
        if (f.kind == FieldKind::Text && GetTextField(back, f) != GetTextField(r, f)) std::abort();
        if (f.kind == FieldKind::Int32 && GetInt(back, f) != GetInt(r, f)) std::abort();
        if (f.kind == FieldKind::Double) {
            const double a = GetDouble(back, f);
            const double b = GetDouble(r, f);
            if (std::memcmp(&a, &b, sizeof a) != 0) std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Pieces of a size taken from the first byte: records never depend on them.
    const std::size_t piece = size > 0 ? 1 + data[0] % 64 : 1;
    CsvRecordSplitter splitter;
    CsvEncodingScan encoding;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        splitter.Feed(bytes.substr(at, piece));
        encoding.Feed(bytes.substr(at, piece));
    }
    splitter.Finish();
    CsvRecordSplitter::Record rec;
    bool first = true;
    while (splitter.Next(rec)) {
        if (rec.oversized) continue;
        std::vector<std::string> fields;
        std::string problem;
        const bool read = CsvRecordFields(rec.text, first, encoding.Utf8(), fields, problem);
        if (first) {
            (void)IsCsvHeader(fields);
            first = false;
            continue;
        }
        TagRecord r;
        if (read && ReadTag(fields, r)) CheckAccepted(r);
    }
    return 0;
}
