// A project from outside bytes: the input is cut into a settings file, an index, a
// record file and a journal (lengths from its first bytes), kept in memory, and the
// project is opened, listed, read, written to and opened again. Whatever the
// bytes, nothing crashes; every tag the index lists is either read or refused;
// a tag the program saved reads back byte for byte.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "messages/messages.h"
#include "project/database.h"
#include "project/project_commands.h"
#include "record/file_doubles.h"
#include "record/record_io.h"

namespace {

// Answers questions from the input's bits, so both answers are tried.
class BitSink final : public quorven::MessageSink {
public:
    explicit BitSink(uint8_t bits) : bits_(bits) {}
    quorven::MessageAnswer Show(const quorven::Message& m) override {
        if (m.buttons == quorven::MessageButtons::Ok) return quorven::MessageAnswer::Ok;
        const bool yes = (bits_ >> (n_++ % 8)) & 1;
        return yes ? quorven::MessageAnswer::Yes : quorven::MessageAnswer::No;
    }

private:
    uint8_t bits_;
    int n_ = 0;
};

// The next part of the input, its length read as two bytes.
std::string Take(std::string_view& in) {
    if (in.size() < 2) return {};
    const std::size_t n =
        static_cast<uint8_t>(in[0]) | (static_cast<std::size_t>(static_cast<uint8_t>(in[1])) << 8);
    in.remove_prefix(2);
    const std::string part(in.substr(0, n));
    in.remove_prefix(std::min(n, in.size()));
    return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorven;
    if (size < 1) return 0;
    const uint8_t answers = data[0];
    std::string_view in(reinterpret_cast<const char*>(data) + 1, size - 1);
    const ProjectPaths paths = ProjectPathsOf("/p/Plant.fil");
    MemoryFileLayer files;
    files.files[paths.Settings()] = Take(in);
    files.files[paths.Index()] = Take(in);
    // Records: mostly whole ones, built from a short pattern, so reads get past the length.
    std::string records = Take(in);
    if ((answers & 0x80) != 0 && !records.empty()) {
        const std::size_t n = 1 + static_cast<uint8_t>(records[0]) % 4;
        std::string whole;
        for (std::size_t i = 0; i < n; ++i) whole += records.substr(0, kRecordSize);
        whole.resize(n * kRecordSize, '\0');
        records = whole;
    }
    files.files[paths.Records()] = records;
    const std::string journal = Take(in);
    if (!journal.empty()) files.files[paths.Journal()] = journal;

    BitSink sink(answers);
    ProjectDocument doc;
    doc.files = &files;
    doc.config_dir = "/cfg";
    if (!OpenProject(doc, paths.Settings(), sink)) return 0;
    CDatabase& db = *doc.database;
    for (const IndexEntry& e : std::vector<IndexEntry>(db.Entries())) {
        TagRecord r;
        (void)db.ReadTag(e.tag, r, sink);
    }
    TagRecord mine = NewTagRecord();
    SetText(mine.Tag_No, "FUZZ-1");
    mine.Rec_Version4 = 1;
    if (db.WriteTag(mine, WriteMode::Replace, sink) == WriteOutcome::Saved) {
        CDatabase again(files, paths);
        again.Open(sink);
        TagRecord back;
        if (!again.ReadTag("FUZZ-1", back, sink)) std::abort();
        // The check may repair what NewTagRecord leaves; the stored bytes are ours.
        std::string stored;
        if (!files.ReadAt(paths.Records(), static_cast<uint64_t>(again.FindTag("FUZZ-1")), kRecordSize,
                          stored) ||
            stored != RecordToBytes(mine))
            std::abort();
        (void)again.RemoveTag("FUZZ-1", sink);
        if (again.FindTag("FUZZ-1") >= 0) std::abort();
    }
    return 0;
}
