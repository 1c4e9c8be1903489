// quorven-cli print calc and print datasheet: calculation sheets and datasheets as
// PDF from the command line, with no display.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "cli_runner.h"
#include "project/project_settings.h"
#include "record/file_io.h"
#include "record/tag_record.h"

namespace quorven::clitest {
namespace {

class PrintCli : public CliFixture {
protected:
    // A calculated tag made the way a user makes one.
    void MakeCalculatedTag(const char* name) {
        ASSERT_EQ(Cli("tag new " + Tag(name)).status, 0);
        const CliRun set = Cli("tag set " + Tag(name) +
                               " Tag_No=FE-101 'Service=Fuel gas to heater H-101' Unit_Flow_Set=1 "
                               "Property_MwDenVp=0.6 Base_RhoGZ=0.998 Flow_RhoGZ=0.97 Flow_Press=264.7 "
                               "Flow_Temp=539.67 Property_Visc=0.011 Property_KFp=1.3 Pipe_IDia=4.026 "
                               "Flow_Max=250000 Flow_Norm=200000 Dp_Max=100");
        ASSERT_EQ(set.status, 0) << set.err;
        ASSERT_EQ(Cli("calc " + Tag(name) + " --out " + Tag(name)).status, 0);
    }
    std::string PdfText(const char* name) {
        std::string out;
        FILE* p = popen(("pdftotext -layout " + Tag(name) + " -").c_str(), "r");
        if (!p) return out;
        char buf[4096];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
        return out;
    }
};

TEST_F(PrintCli, TagFileBecomesAOnePageSheetWithoutADisplay) {
    MakeCalculatedTag("fe.tag");
    // No display, and a platform that would need one: the command does not care.
    const CliRun run = Cli("print calc " + Tag("fe.tag") + " --pdf " + Tag("fe.pdf"),
                           "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Printed 1 calculation sheet to " + (dir_ / "fe.pdf").string() + ".\n");
    EXPECT_EQ(run.err, "");
    const std::string text = PdfText("fe.pdf");
    EXPECT_NE(text.find("FE-101"), std::string::npos) << text;
    EXPECT_NE(text.find("Orifice Bore, d (68.0 degF):"), std::string::npos);
    EXPECT_NE(text.find("Sht: ___ of ___ Chk: _____"), std::string::npos);
    EXPECT_EQ(text.find('\f'), text.size() - 1);  // one page
}

TEST_F(PrintCli, SettingsFileGivesTheCompanyAndANumberedSheet) {
    MakeCalculatedTag("fe.tag");
    quorven::ProjectSettings s = quorven::DefaultProjectSettings();
    quorven::SetText(s.Company_Name, "Northwind Process Engineering Ltd.");
    quorven::SetText(s.CalcSO_No, "CALC-0042");
    ASSERT_TRUE(DiskFiles().Replace((dir_ / "plant.fil").string(), quorven::SettingsToBytes(s)));
    const CliRun run = Cli("print calc " + Tag("fe.tag") + " --pdf " + Tag("fe.pdf") + " --settings " +
                           Tag("plant.fil") + " --numbered");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string text = PdfText("fe.pdf");
    EXPECT_NE(text.find("Northwind Process Engineering Ltd."), std::string::npos);
    EXPECT_NE(text.find("CALC-0042"), std::string::npos);
    EXPECT_NE(text.find("Sht: 1 of 1"), std::string::npos);
}

TEST_F(PrintCli, ProjectTagsPrintOnePageEachWithTheProjectsCompany) {
    MakeCalculatedTag("fe.tag");
    ASSERT_EQ(Cli("tag new " + Tag("fe2.tag")).status, 0);
    ASSERT_EQ(Cli("tag set " + Tag("fe2.tag") + " Tag_No=FE-102 'Service=Spare'").status, 0);
    ASSERT_EQ(Cli("project new " + Tag("plant")).status, 0);
    ASSERT_EQ(Cli("project settings " + Tag("plant.fil") + " 'Company_Name=Caledonia Energy'").status, 0);
    ASSERT_EQ(Cli("project put " + Tag("plant.fil") + " " + Tag("fe.tag")).status, 0);
    ASSERT_EQ(Cli("project put " + Tag("plant.fil") + " " + Tag("fe2.tag")).status, 0);

    const CliRun run =
        Cli("print calc " + Tag("plant.fil") + " FE-102 FE-101 --numbered --pdf " + Tag("two.pdf"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Printed 2 calculation sheets to " + (dir_ / "two.pdf").string() + ".\n");
    const std::string text = PdfText("two.pdf");
    const std::size_t page_break = text.find('\f');
    ASSERT_NE(page_break, std::string::npos);
    const std::string first = text.substr(0, page_break);
    const std::string second = text.substr(page_break + 1);
    // In the order named, numbered, each with the project's company; FE-102 was never calculated.
    EXPECT_NE(first.find("FE-102"), std::string::npos);
    EXPECT_NE(first.find("Sht: 1 of 2"), std::string::npos);
    EXPECT_NE(first.find("Sizing parameter has not been calculated"), std::string::npos);
    EXPECT_NE(second.find("FE-101"), std::string::npos);
    EXPECT_NE(second.find("Sht: 2 of 2"), std::string::npos);
    EXPECT_NE(second.find("Caledonia Energy"), std::string::npos);

    // A tag the project does not hold: nothing is printed.
    const CliRun missing = Cli("print calc " + Tag("plant.fil") + " FE-101 FE-999 --pdf " + Tag("none.pdf"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no tag \"FE-999\""), std::string::npos) << missing.err;
    EXPECT_EQ(Bytes("none.pdf"), "");
    const CliRun no_tags = Cli("print calc " + Tag("plant.fil") + " --pdf " + Tag("none.pdf"));
    EXPECT_EQ(no_tags.status, 1);
    EXPECT_NE(no_tags.err.find("name the tags"), std::string::npos) << no_tags.err;
}

TEST_F(PrintCli, DatasheetOfATagFileAndOfProjectTags) {
    MakeCalculatedTag("fe.tag");
    ASSERT_EQ(Cli("tag set " + Tag("fe.tag") +
                  " Spec_No=IS-4410 Sht_No=3 Sht_Of=9 'Mfr=Daniel' "
                  "'User_Notes_1=100% of %s is literal'")
                  .status,
              0);
    const CliRun run = Cli("print datasheet " + Tag("fe.tag") + " --pdf " + Tag("ds.pdf"),
                           "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Printed 1 datasheet to " + (dir_ / "ds.pdf").string() + ".\n");
    // pdftotext lays out columns with as many blanks as fit: compare words.
    auto squeezed = [](std::string t) {
        t.erase(std::unique(t.begin(), t.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
                t.end());
        return t;
    };
    std::string text = squeezed(PdfText("ds.pdf"));
    EXPECT_NE(text.find("Datasheet for Orifice Plate"), std::string::npos) << text;
    EXPECT_NE(text.find("Spec/Req#: IS-4410"), std::string::npos);
    EXPECT_NE(text.find("Sht: 3 of 9"), std::string::npos);
    EXPECT_NE(text.find("Daniel"), std::string::npos);
    EXPECT_NE(text.find("100% of %s is literal"), std::string::npos);
    EXPECT_EQ(text.find('\f'), text.size() - 1);  // one page

    ASSERT_EQ(Cli("project new " + Tag("plant")).status, 0);
    ASSERT_EQ(Cli("project put " + Tag("plant.fil") + " " + Tag("fe.tag")).status, 0);
    const CliRun project =
        Cli("print datasheet " + Tag("plant.fil") + " FE-101 FE-101 --numbered --pdf " + Tag("two.pdf"));
    ASSERT_EQ(project.status, 0) << project.err;
    EXPECT_EQ(project.out, "Printed 2 datasheets to " + (dir_ / "two.pdf").string() + ".\n");
    text = squeezed(PdfText("two.pdf"));
    // A numbered batch numbers the sheets in place of the user's own sheet text.
    EXPECT_NE(text.find("Sht: 1 of 2"), std::string::npos) << text;
    EXPECT_NE(text.find("Sht: 2 of 2"), std::string::npos);
    const CliRun missing = Cli("print datasheet " + Tag("plant.fil") + " FE-999 --pdf " + Tag("none.pdf"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(Bytes("none.pdf"), "");
}

TEST_F(PrintCli, BadInputWritesNothingAndLeavesAnEarlierPdf) {
    MakeCalculatedTag("fe.tag");
    ASSERT_TRUE(DiskFiles().Replace((dir_ / "out.pdf").string(), "earlier"));
    ASSERT_TRUE(DiskFiles().Replace((dir_ / "short.tag").string(), std::string(100, 'x')));
    ASSERT_TRUE(DiskFiles().Replace((dir_ / "short.fil").string(), std::string(100, 'x')));
    struct Case {
        std::string args;
        std::string err;
    };
    const Case kCases[] = {
        {"print calc " + Tag("short.tag") + " --pdf " + Tag("out.pdf"), "Error #49"},
        {"print calc " + Tag("missing.tag") + " --pdf " + Tag("out.pdf"), "Error #49"},
        {"print calc " + Tag("fe.tag") + " --pdf " + Tag("out.pdf") + " --settings " + Tag("short.fil"),
         "is not a project settings file"},
        {"print calc " + Tag("fe.tag") + " FE-102 --pdf " + Tag("out.pdf"), "a tag file holds one tag"},
        {"print calc " + Tag("fe.tag") + " --pdf " + Tag("no/such/dir.pdf"), "nothing was written"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.args);
        const CliRun run = Cli(c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        EXPECT_EQ(Bytes("out.pdf"), "earlier");
    }
}

}  // namespace
}  // namespace quorven::clitest
