// Pack, Rebuild Index and Batch Calc with every write step failing, writing short
// or being the program's last (see fault_harness.h): the project opens with its old
// or its new content.

#include <gtest/gtest.h>

#include <filesystem>

#include "project/batch_run.h"
#include "project/csv_exchange.h"
#include "project/impo_expo.h"
#include "project/maintenance.h"
#include "tests/project/fault_harness.h"

namespace quorven {
namespace {

class MaintenanceFaultTest : public FaultInjectionTest {
protected:
    // The three tags of the fixture with the middle one deleted: a dead record.
    void MakeProjectWithADeletedTag() {
        MakeProject();
        RecordingMessageSink sink;
        CDatabase db(DiskFiles(), FixturePaths());
        db.Open(sink);
        ASSERT_TRUE(db.RemoveTag("T-2", sink));
    }
    // The three tags of the fixture with data the batch's check passes: gas volume
    // at base conditions, SG input.
    void MakeCalculableProject() {
        MakeProject();
        RecordingMessageSink sink;
        CDatabase db(DiskFiles(), FixturePaths());
        db.Open(sink);
        for (int i = 1; i <= 3; ++i) {
            TagRecord r = testing::StoredTag("T-" + std::to_string(i), 1000.0 * i);
            r.Dp_Max = 100.0;
            r.Flow_Press = 300.0;
            r.Flow_Temp = 519.67;
            r.Flow_RhoGZ = 0.95;
            r.Base_RhoGZ = 0.998;
            r.Property_MwDenVp = 0.6;
            r.Property_Visc = 0.011;
            r.Property_KFp = 1.3;
            ASSERT_EQ(db.WriteTag(r, WriteMode::Replace, sink), WriteOutcome::Saved);
        }
    }
};

TEST_F(MaintenanceFaultTest, Pack) {
    MakeProjectWithADeletedTag();
    CheckEveryStep(
        [](FileLayer& files, const ProjectPaths& paths) {
            RecordingMessageSink sink(MessageAnswer::Yes);
            CDatabase db(files, paths);
            db.Open(sink);
            PackProject(db, sink);
        },
        "pack", {}, false);
    // Packed: the record file holds the two live tags only.
    CopyFixture();
    RecordingMessageSink sink(MessageAnswer::Yes);
    CDatabase db(DiskFiles(), WorkPaths());
    db.Open(sink);
    ASSERT_TRUE(PackProject(db, sink).packed);
    EXPECT_EQ(std::filesystem::file_size(WorkPaths().Records()), 2u * 2800);
}

TEST_F(MaintenanceFaultTest, RebuildIndex) {
    MakeProjectWithADeletedTag();
    std::filesystem::remove(FixturePaths().Index());
    CheckEveryStep(
        [](FileLayer& files, const ProjectPaths& paths) {
            RecordingMessageSink sink(MessageAnswer::Yes);
            CDatabase db(files, paths);
            db.Open(sink);
            RebuildIndex(db, sink);
        },
        "rebuild the index");
}

TEST_F(MaintenanceFaultTest, BatchCalculation) {
    MakeCalculableProject();
    CheckEveryStep(
        [](FileLayer& files, const ProjectPaths& paths) {
            RecordingMessageSink sink(MessageAnswer::Yes);
            CDatabase db(files, paths);
            db.Open(sink);
            BatchRunOptions o;
            o.settings.calculate = [](TagRecord& r, MessageSink&) {
                r.Bore += 1.0;
                return true;
            };
            RunBatchCalculation(db, o, sink);
        },
        "batch calculation", {"Plant.txt"});
}

TEST_F(MaintenanceFaultTest, Import) {
    MakeProject();
    // T-2 again with another flow, and a new tag.
    std::string csv = CsvHeaderLine();
    TagRecord replaced = testing::StoredTag("T-2", 77.0);
    SetText(replaced.Pipe_Sched_Text, "40");
    AppendCsvLine(replaced, csv);
    AppendCsvLine(testing::StoredTag("T-NEW", 5.0), csv);
    const std::string csv_path = Path("in.csv");
    ASSERT_TRUE(DiskFiles().Replace(csv_path, csv));
    CheckEveryStep(
        [csv_path](FileLayer& files, const ProjectPaths& paths) {
            struct Yes final : ImportQuestions {
                OverwriteAnswer ConfirmReplace(std::string_view) override { return OverwriteAnswer::Yes; }
            } yes;
            RecordingMessageSink sink(MessageAnswer::Yes);
            CDatabase db(files, paths);
            db.Open(sink);
            CImpoExpo::ImportFile(db, csv_path, NewTagRecord(), DefaultUnitTables(), yes, sink);
        },
        "import");
}

// A read that fails (a disk error, not the end of a file) inside each whole-project
// operation: the project is as it was or as the operation leaves it; the batch may
// skip the tag it could not read. Pack once left such a tag out of the packed
// project.
TEST_F(MaintenanceFaultTest, FailedReads) {
    MakeCalculableProject();
    {
        RecordingMessageSink sink;
        CDatabase db(DiskFiles(), FixturePaths());
        db.Open(sink);
        ASSERT_TRUE(db.RemoveTag("T-2", sink));
    }
    CheckEveryRead(
        [](FileLayer& files, const ProjectPaths& paths) {
            RecordingMessageSink sink(MessageAnswer::Yes);
            CDatabase db(files, paths);
            db.Open(sink);
            PackProject(db, sink);
        },
        "pack");
    CheckEveryRead(
        [](FileLayer& files, const ProjectPaths& paths) {
            RecordingMessageSink sink(MessageAnswer::Yes);
            CDatabase db(files, paths);
            db.Open(sink);
            RebuildIndex(db, sink);
        },
        "rebuild the index");
    CheckEveryRead(
        [](FileLayer& files, const ProjectPaths& paths) {
            RecordingMessageSink sink(MessageAnswer::Yes);
            CDatabase db(files, paths);
            db.Open(sink);
            BatchRunOptions o;
            o.settings.calculate = [](TagRecord& r, MessageSink&) {
                r.Bore += 1.0;
                return true;
            };
            RunBatchCalculation(db, o, sink);
        },
        "batch calculation", {"Plant.txt"}, true);
    std::string csv = CsvHeaderLine();
    AppendCsvLine(testing::StoredTag("T-3", 77.0), csv);
    AppendCsvLine(testing::StoredTag("T-NEW", 5.0), csv);
    const std::string csv_path = Path("in.csv");
    ASSERT_TRUE(DiskFiles().Replace(csv_path, csv));
    CheckEveryRead(
        [csv_path](FileLayer& files, const ProjectPaths& paths) {
            struct All final : ImportQuestions {
                OverwriteAnswer ConfirmReplace(std::string_view) override { return OverwriteAnswer::All; }
            } all;
            RecordingMessageSink sink(MessageAnswer::Yes);
            CDatabase db(files, paths);
            db.Open(sink);
            CImpoExpo::ImportFile(db, csv_path, NewTagRecord(), DefaultUnitTables(), all, sink);
        },
        "import");
}

}  // namespace
}  // namespace quorven
