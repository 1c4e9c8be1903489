// Batch Calc on a project of 24 tags with the program's own calculation: the seven
// mixed meters that calculate, missing data of every kind the data check knows
// (each row of the sizing and fluid tables), a tag that does not iterate and a
// record that cannot be read. The status file is compared byte for byte with
// tests/data/batch/golden_status.txt.
//
// pin: the golden file was written by this run and checked line by line against
// the data-check tables (the line texts themselves are tested against the tables
// in tests/project/data_check_test.cpp); it guards the order of the blocks, the
// line ends and the calculation verdicts. QUORVEN_UPDATE_GOLDEN=1 rewrites it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "form/batch_calculate.h"
#include "project/project_commands.h"
#include "record/file_io.h"
#include "tests/project/mixed_tags.h"

namespace quorven {
namespace {

namespace fs = std::filesystem;

struct Variant {
    const char* service;
    std::size_t base;  // the mixed tag it starts from
    std::function<void(TagRecord&)> change;
};

void Gas(TagRecord& r, int32_t equation, int32_t condition, int32_t property) {
    r.Fluid_Equation = equation;
    r.Fluid_Condition = condition;
    r.Fluid_Property = property;
}

std::vector<TagRecord> GoldenTags() {
    const Variant variants[] = {
        {"bore: no maximum flow", 0, [](TagRecord& r) { r.Flow_Max = 0; }},
        {"bore: maximum below normal", 0, [](TagRecord& r) { r.Flow_Max = r.Flow_Norm / 2; }},
        {"bore: no normal flow, no dP", 0, [](TagRecord& r) { r.Flow_Norm = r.Dp_Max = 0; }},
        {"dP: no flows, no bore", 1, [](TagRecord& r) { r.Flow_Max = r.Flow_Norm = r.Bore = 0; }},
        {"flow: no bore, no dPs", 2, [](TagRecord& r) { r.Bore = r.Dp_Max = r.Dp_Norm = 0; }},
        {"critical flow: no bore", 3,
         [](TagRecord& r) {
             r.Calc_SizeParam = Code(SizeParam::Flow);
             r.Bore = 0;
         }},
        {"gas SG base: every fluid value missing", 0,
         [](TagRecord& r) {
             r.Property_MwDenVp = r.Base_RhoGZ = r.Flow_RhoGZ = r.Flow_Press = r.Flow_Temp = 0;
             r.Property_Visc = r.Property_KFp = 0;
         }},
        {"gas density base", 0,
         [](TagRecord& r) {
             Gas(r, Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase),
                 Code(FluidProperty::GasDensity));
             r.Base_RhoGZ = r.Flow_RhoGZ = r.Flow_Temp = r.Property_Visc = 0;
         }},
        {"gas MW flowing", 0,
         [](TagRecord& r) {
             Gas(r, Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing),
                 Code(FluidProperty::GasMW));
             r.Property_MwDenVp = r.Flow_RhoGZ = r.Property_KFp = 0;
         }},
        {"gas density flowing", 0,
         [](TagRecord& r) {
             Gas(r, Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing),
                 Code(FluidProperty::GasDensity));
             r.Flow_RhoGZ = r.Flow_Press = 0;
         }},
        {"vapour mass SG with quality", 0,
         [](TagRecord& r) {
             Gas(r, Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG));
             r.Factor_VapQual = 1;
             r.Property_MwDenVp = r.Base_RhoGZ = r.Factor_QualX = 0;
         }},
        {"vapour mass density", 2, [](TagRecord& r) { r.Flow_RhoGZ = r.Flow_Temp = r.Property_Visc = 0; }},
        {"liquid volume base SG", 1,
         [](TagRecord& r) {
             Gas(r, Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
                 Code(FluidProperty::LiquidSG));
             r.Base_RhoGZ = r.Flow_RhoGZ = 0;
         }},
        {"liquid volume base density", 1,
         [](TagRecord& r) {
             Gas(r, Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
                 Code(FluidProperty::LiquidDensity));
             r.Base_RhoGZ = r.Property_Visc = 0;
         }},
        {"liquid volume flowing SG", 1, [](TagRecord& r) { r.Flow_RhoGZ = r.Flow_Temp = 0; }},
        {"liquid volume flowing density", 1,
         [](TagRecord& r) {
             r.Fluid_Property = Code(FluidProperty::LiquidDensity);
             r.Flow_RhoGZ = 0;
         }},
        {"liquid mass SG", 6,
         [](TagRecord& r) {
             r.Fluid_Property = Code(FluidProperty::LiquidSG);
             r.Flow_RhoGZ = r.Flow_Press = 0;
         }},
        {"liquid mass density", 6, [](TagRecord& r) { r.Flow_RhoGZ = 0; }},
        {"no pipe diameter", 5, [](TagRecord& r) { r.Pipe_IDia = 0; }},
        {"does not iterate", 0, [](TagRecord& r) { r.Flow_Max = r.Flow_Norm = 1e12; }},
    };
    std::vector<TagRecord> tags;
    for (std::size_t i = 0; i < 7; ++i) tags.push_back(test::MixedTag(i));
    std::size_t n = 0;
    for (const Variant& v : variants) {
        TagRecord r = test::MixedTag(v.base);
        SetText(r.Tag_No, "GT-" + std::to_string(++n));
        SetText(r.Service, v.service);
        v.change(r);
        tags.push_back(r);
    }
    return tags;
}

TEST(BatchGolden, StatusFileOfTheFixtureProject) {
    const fs::path dir = fs::temp_directory_path() / ("quorven-golden-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const ProjectPaths paths = ProjectPathsOf((dir / "Golden.fil").string());
    RecordingMessageSink setup;
    ASSERT_TRUE(CDatabase::CreateProject(DiskFiles(), paths, DefaultProjectSettings(), setup));
    {
        CDatabase db(DiskFiles(), paths);
        db.Open(setup);
        for (const TagRecord& r : GoldenTags())
            ASSERT_EQ(db.WriteTag(r, WriteMode::Replace, setup), WriteOutcome::Saved) << r.Tag_No;
    }
    // An index entry whose record is missing: the last tag cannot be read.
    std::string idx = ReadFileBytes(paths.Index(), 1 << 20).value();
    idx += IndexEntryBytes("GT-LOST", 2800 * 1000);
    ASSERT_TRUE(DiskFiles().Replace(paths.Index(), idx));

    ProjectDocument doc;
    doc.date_text = "10 Dec 2026";
    RecordingMessageSink sink(MessageAnswer::Yes);
    ASSERT_TRUE(OpenProject(doc, paths.Settings(), sink));
    const BatchRunReport r = BatchCalcCommand(doc, sink);
    EXPECT_TRUE(r.saved);
    EXPECT_EQ(r.tags, 28u);
    EXPECT_EQ(r.calculated, 7u);
    EXPECT_EQ(r.data_errors, 19u);
    EXPECT_EQ(r.not_calculated, 1u);
    EXPECT_EQ(r.unreadable, 1u);

    const std::string status = ReadFileBytes(paths.BatchStatus(), 1 << 20).value_or("");
    const std::string golden_path = std::string(QUORVEN_TEST_DATA) + "/batch/golden_status.txt";
    if (std::getenv("QUORVEN_UPDATE_GOLDEN")) std::ofstream(golden_path, std::ios::binary) << status;
    const std::string golden = ReadFileBytes(golden_path, 1 << 20).value_or("<missing golden file>");
    EXPECT_EQ(status, golden);

    // The calculated tags are stored with today's date and their new results.
    TagRecord stored;
    ASSERT_TRUE(doc.database->ReadTag("FE-100000", stored, sink));
    EXPECT_STREQ(stored.Date, "10 Dec 2026");
    EXPECT_EQ(stored.Calc_Status, 1);
    EXPECT_GT(stored.Bore, 0.0);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace quorven
