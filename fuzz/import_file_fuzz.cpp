// Import ASCII File of outside bytes into a project of two stored tags, all in
// memory: whatever the file holds, nothing crashes; the project opens afterwards
// with every listed tag readable and passing the record check, no double that is
// not finite; a stored tag that the import did not count as replaced keeps its
// bytes; the counts add up.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "messages/messages.h"
#include "project/csv_exchange.h"
#include "project/database.h"
#include "project/impo_expo.h"
#include "record/file_doubles.h"
#include "record/record_check.h"
#include "record/record_fields.h"
#include "record/record_io.h"

namespace {

using namespace quorven;

// The replacement answers come from the input's first byte, two bits a question.
class BitQuestions final : public ImportQuestions {
public:
    explicit BitQuestions(uint8_t bits) : bits_(bits) {}
    OverwriteAnswer ConfirmReplace(std::string_view) override {
        const int a = (bits_ >> (2 * (n_++ % 4))) & 3;
        return static_cast<OverwriteAnswer>(a + 1);
    }

private:
    uint8_t bits_;
    int n_ = 0;
};

TagRecord Stored(const char* tag, double flow) {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, tag);
    r.Rec_Version4 = 1;
    r.Flow_Max = flow;
    return r;
}

void CheckProject(MemoryFileLayer& files, const ProjectPaths& paths, const std::string& kept_a,
                  bool a_may_change) {
    RecordingMessageSink sink(MessageAnswer::Yes);
    CDatabase db(files, paths);
    db.Open(sink);
    for (const IndexEntry& e : db.Entries()) {
        if (e.state != EntryState::Valid) std::abort();
        TagRecord r;
        std::vector<RecordRepair> repairs;
        if (!db.ReadTag(e.tag, r, sink, &repairs) || !repairs.empty()) std::abort();
        for (const FieldInfo& f : RecordFields())
            if (f.kind == FieldKind::Double && !std::isfinite(GetDouble(r, f))) std::abort();
        if (e.tag == "FUZZ-A" && !a_may_change && RecordToBytes(r) != kept_a) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t answers = data[0];
    std::string csv(reinterpret_cast<const char*>(data) + 1, size - 1);
    // Odd answer bytes put the column names first, so most inputs reach the tag lines.
    if (answers & 1) csv.insert(0, CsvHeaderLine());

    MemoryFileLayer files;
    const ProjectPaths paths = ProjectPathsOf("/fuzz/P.fil");
    RecordingMessageSink sink(MessageAnswer::Yes);
    if (!CDatabase::CreateProject(files, paths, DefaultProjectSettings(), sink)) std::abort();
    const TagRecord a = Stored("FUZZ-A", 100.0);
    {
        CDatabase db(files, paths);
        db.Open(sink);
        if (db.WriteTag(a, WriteMode::Replace, sink) != WriteOutcome::Saved) std::abort();
        if (db.WriteTag(Stored("FUZZ-B", 200.0), WriteMode::Replace, sink) != WriteOutcome::Saved)
            std::abort();
    }
    std::string kept_a;
    {
        CDatabase db(files, paths);
        db.Open(sink);
        TagRecord r;
        if (!db.ReadTag("FUZZ-A", r, sink)) std::abort();
        kept_a = RecordToBytes(r);
    }
    if (!files.Replace("/fuzz/in.csv", csv)) std::abort();

    BitQuestions questions(answers);
    ImportReport report;
    {
        CDatabase db(files, paths);
        db.Open(sink);
        report =
            CImpoExpo::ImportFile(db, "/fuzz/in.csv", NewTagRecord(), DefaultUnitTables(), questions, sink);
    }
    if (report.added + report.replaced + report.not_replaced + report.refused > report.lines) std::abort();
    if (!report.header && (report.added + report.replaced) != 0) std::abort();
    CheckProject(files, paths, kept_a, report.replaced > 0);
    return 0;
}
