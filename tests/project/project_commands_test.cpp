#include "project/project_commands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "messages/messages.h"
#include "project/configuration.h"
#include "project/project_fixture.h"
#include "project/tag_file.h"
#include "record/file_doubles.h"
#include "record/file_io.h"
#include "record/record_io.h"

namespace quorven {
namespace {

using testing::FakeChooser;
using testing::FakeDialogs;
using testing::StoredTag;
using testing::TempDirTest;
namespace fs = std::filesystem;

bool SameRecord(const TagRecord& a, const TagRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class CommandsTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        fs::create_directories(dir_ / "program");
        doc_.program_dir = doc_.config_dir = (dir_ / "program").string();
        doc_.project_dir = doc_.program_dir + "/";
    }
    CommandUi Ui(MessageSink& sink) { return CommandUi{sink, chooser_, dialogs_}; }

    // A project "Plant" holding T-1, T-2 and T-3, open in doc_.
    void OpenPlant() {
        RecordingMessageSink sink;
        ASSERT_TRUE(CDatabase::CreateProject(DiskFiles(), ProjectPathsOf(Path("Plant.fil")),
                                             DefaultProjectSettings(), sink));
        ASSERT_TRUE(OpenProject(doc_, Path("Plant.fil"), sink));
        for (int i = 1; i <= 3; ++i) {
            doc_.record = StoredTag("T-" + std::to_string(i), i);
            ASSERT_TRUE(SaveTag(doc_, sink));
        }
        ASSERT_TRUE(sink.messages.empty());
    }

    ProjectDocument doc_;
    FakeChooser chooser_;
    FakeDialogs dialogs_;
};

TEST_F(CommandsTest, NewProjectCreatesTheFilesWithTheProjectInformation) {
    RecordingMessageSink sink;
    CommandUi ui = Ui(sink);
    chooser_.answers.push_back(Path("Plant.fil"));
    const auto created = NewProject(doc_, ui);
    ASSERT_TRUE(created);
    EXPECT_EQ(*created, Path("Plant.fil"));
    EXPECT_EQ(chooser_.asked[0].title, "New Project File");
    EXPECT_TRUE(chooser_.asked[0].save);
    EXPECT_TRUE(sink.messages.empty());
    ProjectSettings s = DefaultProjectSettings();
    ASSERT_EQ(ReadSettingsFile(DiskFiles(), Path("Plant.fil"), s), SettingsRead::Read);
    EXPECT_EQ(GetText(s.Client), "Client A");
    EXPECT_EQ(GetText(s.User_Name), "Engineer");
    // The configuration keeps them for the next project.
    ProjectSettings config = DefaultProjectSettings();
    ASSERT_EQ(ReadSettingsFile(DiskFiles(), doc_.ConfigFile(), config), SettingsRead::Read);
    EXPECT_EQ(GetText(config.Location), "Location C");
    EXPECT_EQ(fs::file_size(Path("Plant.fdb")), 0u);
    EXPECT_EQ(fs::file_size(Path("Plant.idx")), 0u);
}

TEST_F(CommandsTest, NewProjectRefusesTheReservedNameInAnyCaseAndAnExistingProject) {
    for (const char* name : {"Project.fil", "project.fil", "PROJECT.fil"}) {
        SCOPED_TRACE(name);
        RecordingMessageSink sink;
        CommandUi ui = Ui(sink);
        chooser_.answers.push_back(Path(name));
        EXPECT_FALSE(NewProject(doc_, ui));
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].caption, "WARNING");
        EXPECT_EQ(
            sink.messages[0].text,
            "''Project'' is a reserved name and cannot be used as a project name!\nCancelling operation.");
    }
    EXPECT_EQ(dialogs_.information_shown, 0);

    OpenPlant();
    const std::string records = ReadFileBytes(Path("Plant.fdb"), 1 << 20).value();
    RecordingMessageSink sink;
    CommandUi ui = Ui(sink);
    chooser_.answers.push_back(Path("Plant.fil"));
    EXPECT_FALSE(NewProject(doc_, ui));
    EXPECT_EQ(ReadFileBytes(Path("Plant.fdb"), 1 << 20).value(), records);
}

TEST_F(CommandsTest, NewProjectCancelledOrFailedLeavesNoProject) {
    RecordingMessageSink sink;
    CommandUi ui = Ui(sink);
    dialogs_.information_ok = false;
    chooser_.answers.push_back(Path("Plant.fil"));
    EXPECT_FALSE(NewProject(doc_, ui));
    EXPECT_FALSE(fs::exists(Path("Plant.fil")));

    // Step 1 writes the configuration; the settings file, step 4, cannot be written.
    dialogs_.information_ok = true;
    FaultyFileLayer faulty(DiskFiles(), 4, FileFault::Fail);
    doc_.files = &faulty;
    chooser_.answers.push_back(Path("Plant.fil"));
    EXPECT_FALSE(NewProject(doc_, ui));
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrProjectCreate});
    for (const char* f : {"Plant.fil", "Plant.fdb", "Plant.idx"}) EXPECT_FALSE(fs::exists(Path(f))) << f;
}

// New Project run from a project's window: the new project gets the customer data
// given, the window keeps its own, and its Save Project writes them back unchanged.
TEST_F(CommandsTest, NewProjectLeavesTheWindowsOwnProjectSettingsAlone) {
    RecordingMessageSink sink;
    ProjectSettings plant1 = DefaultProjectSettings();
    SetText(plant1.Client, "Client One");
    SetText(plant1.Project, "Project One");
    ASSERT_TRUE(CDatabase::CreateProject(DiskFiles(), ProjectPathsOf(Path("Plant1.fil")), plant1, sink));
    ASSERT_TRUE(OpenProject(doc_, Path("Plant1.fil"), sink));

    CommandUi ui = Ui(sink);
    chooser_.answers.push_back(Path("Plant2.fil"));
    ASSERT_TRUE(NewProject(doc_, ui));
    EXPECT_EQ(GetText(doc_.settings.Client), "Client One");
    EXPECT_EQ(GetText(doc_.settings.Project), "Project One");
    ProjectSettings read = DefaultProjectSettings();
    ASSERT_EQ(ReadSettingsFile(DiskFiles(), Path("Plant2.fil"), read), SettingsRead::Read);
    EXPECT_EQ(GetText(read.Client), "Client A");
    ASSERT_EQ(ReadSettingsFile(DiskFiles(), doc_.ConfigFile(), read), SettingsRead::Read);
    EXPECT_EQ(GetText(read.Client), "Client A");  // the defaults of the next new project

    RecordingMessageSink yes(MessageAnswer::Yes);
    SaveProjectSettings(doc_, yes);
    ASSERT_EQ(ReadSettingsFile(DiskFiles(), Path("Plant1.fil"), read), SettingsRead::Read);
    EXPECT_EQ(GetText(read.Client), "Client One");
    EXPECT_EQ(GetText(read.Project), "Project One");
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(CommandsTest, OpenProjectTakesItsSettingsOrSaysWhyNot) {
    RecordingMessageSink sink;
    ProjectSettings s = DefaultProjectSettings();
    SetText(s.Company_Name, "Plant Owner");
    ASSERT_TRUE(CDatabase::CreateProject(DiskFiles(), ProjectPathsOf(Path("Plant.fil")), s, sink));
    ASSERT_TRUE(OpenProject(doc_, Path("Plant.fil"), sink));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_TRUE(doc_.project_open);
    EXPECT_EQ(doc_.project_name, "Plant");
    EXPECT_EQ(doc_.project_dir, dir_.string() + "/");
    EXPECT_EQ(doc_.record.Rec_Version4, 1);
    EXPECT_EQ(GetText(doc_.settings.Company_Name), "Plant Owner");
    EXPECT_FALSE(doc_.HasUnsavedEdits());

    // A settings file of the wrong length is reported, not used, and not changed.
    // The configuration's customer data, another project's, are not taken for it.
    std::ofstream(Path("Short.fil"), std::ios::binary) << std::string(3351, '\0');
    ProjectDocument other;
    other.config_dir = doc_.config_dir;
    SetText(other.settings.Company_Name, "Config Co");
    SetText(other.settings.Client, "Last Saved Client");
    SetText(other.settings.CalcSO_No, "SO-9");
    RecordingMessageSink sink2;
    ASSERT_TRUE(OpenProject(other, Path("Short.fil"), sink2));
    ASSERT_EQ(sink2.messages.size(), 1u);
    EXPECT_NE(sink2.messages[0].text.find("3352"), std::string::npos);
    EXPECT_EQ(GetText(other.settings.Company_Name), "Config Co");
    EXPECT_EQ(GetText(other.settings.Client), "");
    EXPECT_EQ(GetText(other.settings.CalcSO_No), "");
    EXPECT_EQ(fs::file_size(Path("Short.fil")), 3351u);

    ProjectDocument third;
    RecordingMessageSink sink3;
    EXPECT_FALSE(OpenProject(third, Path("None.fil"), sink3));
    EXPECT_FALSE(third.project_open);
    EXPECT_EQ(sink3.messages.size(), 1u);
}

TEST_F(CommandsTest, SaveTagMarksSavedOnlyWhenTheTagWasWritten) {
    RecordingMessageSink sink;
    doc_.record = StoredTag("T-1");
    EXPECT_FALSE(SaveTag(doc_, sink));  // the start-up document has no project
    SetText(doc_.record.Tag_No, "");
    EXPECT_FALSE(SaveTag(doc_, sink));
    EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrNoProjectOpen, -msg::kWarnNoTagNumber}));
    EXPECT_FALSE(fs::exists(Path("program/.fdb")));

    OpenPlant();
    doc_.record = StoredTag("T-2", 55);
    doc_.tag_saved = false;
    RecordingMessageSink declines(MessageAnswer::No);
    EXPECT_FALSE(SaveTag(doc_, declines));
    EXPECT_FALSE(doc_.tag_saved);
    RecordingMessageSink agrees(MessageAnswer::Yes);
    EXPECT_TRUE(SaveTag(doc_, agrees));
    EXPECT_TRUE(doc_.tag_saved);

    FaultyFileLayer faulty(DiskFiles(), 1, FileFault::Fail);
    ProjectDocument failing;
    failing.files = &faulty;
    failing.config_dir = doc_.config_dir;
    ASSERT_TRUE(OpenProject(failing, Path("Plant.fil"), sink));
    failing.record = StoredTag("T-9");
    RecordingMessageSink fails;
    EXPECT_FALSE(SaveTag(failing, fails));
    EXPECT_FALSE(failing.tag_saved);
    EXPECT_EQ(fails.Numbers(), std::vector<int>{msg::kErrDatabaseWrite});
}

TEST_F(CommandsTest, RetrieveCancelledAfterBrowsingLeavesTheRecordExactlyAsItWas) {
    OpenPlant();
    doc_.record = StoredTag("EDITED", 123);
    doc_.tag_saved = false;
    const TagRecord before = doc_.record;
    dialogs_.browse = {"T-1", "T-3", "T-2"};
    dialogs_.selection.reset();
    RecordingMessageSink sink;
    CommandUi ui = Ui(sink);
    EXPECT_FALSE(RetrieveTag(doc_, ui));
    EXPECT_TRUE(SameRecord(doc_.record, before));
    EXPECT_FALSE(doc_.tag_saved);
    ASSERT_EQ(dialogs_.details.size(), 3u);
    EXPECT_EQ(dialogs_.details[1].service, "Service of T-3");
    EXPECT_EQ(dialogs_.details[1].pid_no, "P&ID-T-3");
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(CommandsTest, RetrieveAsksBeforeUnsavedEditsAreDiscarded) {
    OpenPlant();
    doc_.record = StoredTag("T-1", 1);
    doc_.MarkBaseline();
    doc_.tag_saved = false;
    doc_.record.Flow_Max = 999;  // an edit
    const TagRecord edited = doc_.record;
    dialogs_.selection = "T-2";

    RecordingMessageSink keeps(MessageAnswer::No);
    CommandUi ui = Ui(keeps);
    EXPECT_FALSE(RetrieveTag(doc_, ui));
    ASSERT_EQ(keeps.messages.size(), 1u);
    EXPECT_EQ(keeps.messages[0].caption, "Unsaved Changes");
    EXPECT_TRUE(SameRecord(doc_.record, edited));

    RecordingMessageSink discards(MessageAnswer::Yes);
    CommandUi ui2 = Ui(discards);
    ASSERT_TRUE(RetrieveTag(doc_, ui2));
    EXPECT_EQ(GetText(doc_.record.Tag_No), "T-2");
    EXPECT_EQ(doc_.record.Flow_Max, 2.0);
    EXPECT_TRUE(doc_.tag_saved);
    EXPECT_FALSE(doc_.HasUnsavedEdits());
    EXPECT_EQ(dialogs_.listed, (std::vector<std::string>{"T-1", "T-2", "T-3"}));

    // Nothing edited since: no question.
    dialogs_.selection = "T-3";
    RecordingMessageSink quiet;
    CommandUi ui3 = Ui(quiet);
    ASSERT_TRUE(RetrieveTag(doc_, ui3));
    EXPECT_TRUE(quiet.messages.empty());
}

TEST_F(CommandsTest, RetrieveRoundsTheReferenceTemperatureAndRemembersTheEquation) {
    OpenPlant();
    TagRecord liquid = StoredTag("LIQ");
    liquid.Fluid_Equation = Code(FluidEquation::LiquidVolume);
    liquid.Fluid_Condition = Code(FluidCondition::GasFlowing);
    liquid.Fluid_Property = Code(FluidProperty::GasMW);
    liquid.DpRefTemp = 527.678;
    doc_.record = liquid;
    RecordingMessageSink sink;
    ASSERT_TRUE(SaveTag(doc_, sink));
    doc_.record = StoredTag("OTHER");
    ASSERT_TRUE(LoadStoredTag(doc_, "LIQ", sink));
    EXPECT_DOUBLE_EQ(doc_.record.DpRefTemp, 527.68);
    EXPECT_EQ(doc_.settings.Defaults.Liquid_Fluid_Equation, Code(FluidEquation::LiquidVolume));
}

TEST_F(CommandsTest, RetrieveAndDeleteNeedAProjectAndItsIndex) {
    RecordingMessageSink sink;
    CommandUi ui = Ui(sink);
    EXPECT_FALSE(RetrieveTag(doc_, ui));
    EXPECT_FALSE(DeleteTag(doc_, ui));
    OpenPlant();
    fs::remove(Path("Plant.idx"));
    EXPECT_FALSE(RetrieveTag(doc_, ui));
    EXPECT_FALSE(DeleteTag(doc_, ui));
    EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrNoProjectOpen, msg::kErrNoProjectOpen,
                                                msg::kErrIndexMissing, -msg::kWarnDeleteReserved}));
}

TEST_F(CommandsTest, DeleteTagConfirmsAndKeepsTheCurrentRecord) {
    OpenPlant();
    doc_.record = StoredTag("T-2", 2);
    doc_.tag_saved = true;
    dialogs_.selection = "T-2";
    RecordingMessageSink declines(MessageAnswer::No);
    CommandUi ui = Ui(declines);
    EXPECT_FALSE(DeleteTag(doc_, ui));
    ASSERT_EQ(declines.messages.size(), 1u);
    EXPECT_EQ(declines.messages[0].caption, "CONFIRM TAG DELETION");
    EXPECT_EQ(declines.messages[0].text, "Delete the tag:  T-2?");

    RecordingMessageSink agrees(MessageAnswer::Yes);
    CommandUi ui2 = Ui(agrees);
    ASSERT_TRUE(DeleteTag(doc_, ui2));
    EXPECT_EQ(doc_.database->FindTag("T-2"), -1);
    EXPECT_EQ(GetText(doc_.record.Tag_No), "T-2");  // its data stay in the form
    EXPECT_FALSE(doc_.tag_saved);
    EXPECT_NE(doc_.record.Calc_Status, 0);
    ASSERT_TRUE(SaveTag(doc_, agrees));  // and saving recreates it
    EXPECT_EQ(doc_.database->FindTag("T-2"), 3 * 2800);
}

TEST_F(CommandsTest, TagFileOutAndIn) {
    RecordingMessageSink sink;
    CommandUi ui = Ui(sink);
    doc_.record = StoredTag("FE-101", 77);
    chooser_.answers.push_back(Path("FE-101.tag"));
    ASSERT_TRUE(SaveTagToFile(doc_, ui));
    EXPECT_EQ(chooser_.asked[0].title, "Tag Save");
    EXPECT_EQ(chooser_.asked[0].filter, "Tag File (*.tag)|*.tag||");
    EXPECT_EQ(ReadFileBytes(Path("FE-101.tag"), 4096), RecordToBytes(StoredTag("FE-101", 77)));

    doc_.record = NewTagRecord();
    doc_.MarkBaseline();
    chooser_.answers.push_back(Path("FE-101.tag"));
    ASSERT_TRUE(RetrieveTagFromFile(doc_, ui));
    EXPECT_EQ(GetText(doc_.record.Tag_No), "FE-101");
    EXPECT_EQ(doc_.record.Flow_Max, 77.0);
    EXPECT_FALSE(doc_.tag_saved);  // not in a project until saved there

    // In a project window a tag file written by any program can be saved.
    OpenPlant();
    TagRecord plain = NewTagRecord();
    SetText(plain.Tag_No, "FROM-CLI");
    plain.Calc_Status = 1;
    ASSERT_TRUE(WriteTagFile(Path("cli.tag"), plain, sink));
    chooser_.answers.push_back(Path("cli.tag"));
    ASSERT_TRUE(RetrieveTagFromFile(doc_, ui));
    EXPECT_EQ(doc_.record.Rec_Version4, 1);
    ASSERT_TRUE(SaveTag(doc_, sink));

    std::ofstream(Path("short.tag"), std::ios::binary) << std::string(2799, '\0');
    const TagRecord before = doc_.record;
    chooser_.answers.push_back(Path("short.tag"));
    EXPECT_FALSE(RetrieveTagFromFile(doc_, ui));
    EXPECT_TRUE(SameRecord(doc_.record, before));
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrTagFileRead});
}

TEST_F(CommandsTest, PasteGivesAnUncalculatedTagAndKeepsTheTargetsOwnFields) {
    TagRecord source = StoredTag("SRC", 10);
    SetText(source.Memo, "source memo");
    SetText(source.Rev_No_4, "S4");
    SetText(source.Rev_No_3, "S3");
    source.Max_Temp = 600;
    source.Max_Press = 150;
    source.Velocity = 12;
    source.Uncert_Bore = 0.5;
    TagRecord target = StoredTag("DST", 20);
    SetText(target.Memo, "target memo");
    SetText(target.Rev_No_4, "T4");
    target.Max_Temp = 700;
    target.Velocity = 30;
    target.Min_Thick = 0.125;
    target.Uncert_Bore = 0.25;
    target.Rec_Version4 = 1;

    TagClipboard clipboard;
    CopyTag(source, clipboard);
    doc_.record = target;
    doc_.tag_saved = true;
    RecordingMessageSink sink;
    ASSERT_TRUE(PasteTagInto(doc_, clipboard, sink));
    EXPECT_TRUE(sink.messages.empty());  // the target was saved: nothing to ask
    const TagRecord& r = doc_.record;
    EXPECT_EQ(GetText(r.Tag_No), "SRC");
    EXPECT_EQ(r.Flow_Max, 10.0);
    EXPECT_EQ(GetText(r.Rev_No_3), "S3");
    EXPECT_EQ(r.Max_Press, 150.0);
    EXPECT_EQ(GetText(r.Memo), "target memo");
    EXPECT_EQ(GetText(r.Rev_No_4), "T4");
    EXPECT_EQ(r.Max_Temp, 700.0);
    EXPECT_EQ(r.Uncert_Bore, 0.25);
    EXPECT_EQ(r.Calc_Status, 0);  // must be calculated again
    EXPECT_EQ(r.Velocity, 0.0);   // no result of the target's own calculation is left
    EXPECT_EQ(r.Min_Thick, 0.0);
    EXPECT_FALSE(doc_.tag_saved);
    EXPECT_FALSE(clipboard.full);
    EXPECT_FALSE(PasteTagInto(doc_, clipboard, sink));  // pasted once
}

// Paste Tag and Clear Calc replace the window's tag: with unsaved edits they ask
// first, as Retrieve does, and No leaves the edits (and the clipboard's copy).
TEST_F(CommandsTest, PasteAndClearCalcAskBeforeDiscardingUnsavedEdits) {
    TagClipboard clipboard;
    CopyTag(StoredTag("SRC", 10), clipboard);
    doc_.record = StoredTag("DST", 20);
    doc_.MarkBaseline();
    doc_.record.Flow_Max = 555;  // typed, not saved

    RecordingMessageSink no(MessageAnswer::No);
    EXPECT_FALSE(PasteTagInto(doc_, clipboard, no));
    EXPECT_FALSE(ClearCalcCommand(doc_, no));
    EXPECT_EQ(doc_.record.Flow_Max, 555.0);
    EXPECT_EQ(GetText(doc_.record.Tag_No), "DST");
    EXPECT_TRUE(clipboard.full);
    ASSERT_EQ(no.messages.size(), 2u);
    EXPECT_EQ(no.messages[0].caption, "Unsaved Changes");
    EXPECT_EQ(
        no.messages[0].text,
        "The tag \"DST\" has changes that are not saved.\nDiscard them and paste the copied tag \"SRC\"?");
    EXPECT_EQ(no.messages[1].text,
              "The tag \"DST\" has changes that are not saved.\nDiscard them and clear the calculation?");

    RecordingMessageSink yes(MessageAnswer::Yes);
    EXPECT_TRUE(PasteTagInto(doc_, clipboard, yes));
    EXPECT_EQ(GetText(doc_.record.Tag_No), "SRC");
    EXPECT_TRUE(ClearCalcCommand(doc_, yes));  // the pasted data were unsaved too
    EXPECT_EQ(GetText(doc_.record.Tag_No), "");
    EXPECT_EQ(doc_.record.Flow_Max, 0.0);
    EXPECT_EQ(yes.messages.size(), 3u);    // two questions and the notice
    EXPECT_FALSE(doc_.HasUnsavedEdits());  // a blank tag: nothing to lose
}

// Clear Calc blanks the window's copy only and says so: the stored tag keeps its
// calculation and datasheet, as Retrieve shows.
TEST_F(CommandsTest, ClearCalcClearsTheWindowsCopyAndSaysTheStoredTagIsUnchanged) {
    OpenPlant();
    TagRecord stored = StoredTag("T-4", 4);
    SetText(stored.Spec_No, "DS-7");
    doc_.record = stored;
    RecordingMessageSink sink;
    ASSERT_TRUE(SaveTag(doc_, sink));
    ASSERT_TRUE(LoadStoredTag(doc_, "T-4", sink));

    int redrawn = 0;
    ASSERT_TRUE(ClearCalcCommand(doc_, sink, [&] {
        ++redrawn;
        EXPECT_TRUE(sink.messages.empty());  // drawn blank before the notice
    }));
    EXPECT_EQ(redrawn, 1);
    EXPECT_EQ(GetText(doc_.record.Tag_No), "");
    EXPECT_EQ(GetText(doc_.record.Spec_No), "");
    EXPECT_EQ(doc_.record.Calc_Status, 0);
    EXPECT_FALSE(doc_.tag_saved);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "NOTICE");
    EXPECT_EQ(sink.messages[0].text,
              "Calculation and datasheet data cleared in this window.\nThe tag \"T-4\" stored in the "
              "project is unchanged until a tag is saved under its number.");

    TagRecord read;
    ASSERT_TRUE(doc_.database->ReadTag("T-4", read, sink));
    EXPECT_EQ(GetText(read.Spec_No), "DS-7");
    EXPECT_EQ(read.Flow_Max, 4.0);

    // A tag the project does not hold: only the window is named.
    SetText(doc_.record.Tag_No, "NEW-1");
    doc_.MarkBaseline();
    sink.messages.clear();
    ASSERT_TRUE(ClearCalcCommand(doc_, sink));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, "Calculation and datasheet data cleared in this window.");
}

TEST_F(CommandsTest, ConfigurationIsCreatedReadAndRefusedWhenDamaged) {
    RecordingMessageSink sink;
    EXPECT_FALSE(LoadConfiguration(doc_, sink));  // missing: written from the defaults
    EXPECT_EQ(ReadFileBytes(doc_.ConfigFile(), 4096), SettingsToBytes(DefaultProjectSettings()));

    CommandUi ui = Ui(sink);
    ASSERT_TRUE(EditCompanyData(doc_, ui));
    ProjectDocument next_run;
    next_run.config_dir = doc_.config_dir;
    EXPECT_TRUE(LoadConfiguration(next_run, sink));
    EXPECT_EQ(GetText(next_run.settings.Company_Name), "Acme Flow");
    EXPECT_EQ(GetText(next_run.settings.User_Name), "J. Smith");
    ASSERT_TRUE(EditCustomerData(next_run, ui));
    EXPECT_EQ(GetText(next_run.settings.User_Name), "J. Smith");  // not a customer text
    EXPECT_TRUE(sink.messages.empty());

    // 3351 bytes: refused, the defaults stay, the file is left for the user.
    std::ofstream(doc_.ConfigFile(), std::ios::binary | std::ios::trunc) << std::string(3351, 'x');
    ProjectDocument damaged;
    damaged.config_dir = doc_.config_dir;
    RecordingMessageSink sink2;
    EXPECT_FALSE(LoadConfiguration(damaged, sink2));
    EXPECT_EQ(sink2.Numbers(), std::vector<int>{msg::kErrConfigRead});
    EXPECT_EQ(GetText(damaged.settings.Company_Name), "Enter Company Name");
    EXPECT_EQ(fs::file_size(damaged.ConfigFile()), 3351u);
    // ...and a damaged file that cannot be replaced says so.
    FaultyFileLayer faulty(DiskFiles(), 1, FileFault::Fail);
    damaged.files = &faulty;
    EXPECT_FALSE(SaveConfiguration(damaged, sink2));
    EXPECT_EQ(sink2.Numbers(), (std::vector<int>{msg::kErrConfigRead, msg::kErrConfigCorrupt}));
}

TEST_F(CommandsTest, SaveProjectWritesTheProjectAndConfigurationOrOnlyTheConfiguration) {
    RecordingMessageSink yes(MessageAnswer::Yes);
    doc_.record.Unit_Press_Set = 3;
    SaveProjectSettings(doc_, yes);  // the start-up document: no project file anywhere
    EXPECT_EQ(yes.messages.size(), 2u);
    EXPECT_FALSE(fs::exists(Path("program/Project.fil")));
    ProjectSettings config = DefaultProjectSettings();
    ASSERT_EQ(ReadSettingsFile(DiskFiles(), doc_.ConfigFile(), config), SettingsRead::Read);
    EXPECT_EQ(config.Defaults.Unit_Press_Set, 3);

    OpenPlant();
    doc_.record.Unit_Temp_Set = 2;
    SetText(doc_.settings.Company_Name, "Saved Co");
    RecordingMessageSink no(MessageAnswer::No);
    SaveProjectSettings(doc_, no);  // "Refresh current project?" No: nothing written
    ProjectSettings project = DefaultProjectSettings();
    ASSERT_EQ(ReadSettingsFile(DiskFiles(), Path("Plant.fil"), project), SettingsRead::Read);
    EXPECT_EQ(GetText(project.Company_Name), "Enter Company Name");
    SaveProjectSettings(doc_, yes);
    ASSERT_EQ(ReadSettingsFile(DiskFiles(), Path("Plant.fil"), project), SettingsRead::Read);
    EXPECT_EQ(GetText(project.Company_Name), "Saved Co");
    EXPECT_EQ(project.Defaults.Unit_Temp_Set, 2);
}

TEST_F(CommandsTest, DeleteProjectShowsItsCustomerDataAndRemovesItsFiles) {
    OpenPlant();
    RecordingMessageSink sink;
    CommandUi ui = Ui(sink);
    dialogs_.delete_ok = false;
    chooser_.answers.push_back(Path("Plant.fil"));
    EXPECT_FALSE(DeleteProject(doc_, ui));
    EXPECT_TRUE(fs::exists(Path("Plant.fil")));
    EXPECT_EQ(dialogs_.delete_shown.client, "");

    dialogs_.delete_ok = true;
    chooser_.answers.push_back(Path("Plant.fil"));
    ASSERT_TRUE(DeleteProject(doc_, ui));
    for (const char* f : {"Plant.fil", "Plant.fdb", "Plant.idx"}) EXPECT_FALSE(fs::exists(Path(f))) << f;
    EXPECT_FALSE(doc_.project_open);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(CommandsTest, TagBrowserSortsWithoutRegardToCaseAndFindsByPrefix) {
    OpenPlant();
    RecordingMessageSink sink;
    for (const char* t : {"fe-100", "FE-099", "Ab"}) {
        doc_.record = StoredTag(t);
        ASSERT_TRUE(SaveTag(doc_, sink));
    }
    TagBrowser browser(*doc_.database, sink);
    EXPECT_EQ(browser.Tags(), (std::vector<std::string>{"Ab", "FE-099", "fe-100", "T-1", "T-2", "T-3"}));
    EXPECT_EQ(browser.Count(), 6);
    EXPECT_EQ(browser.FindPrefix("fe-1"), 2);
    EXPECT_EQ(browser.FindPrefix("t"), 3);
    EXPECT_EQ(browser.FindPrefix("x"), -1);
    EXPECT_TRUE(sink.messages.empty());
}

}  // namespace
}  // namespace quorven
