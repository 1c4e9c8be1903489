// quorven-cli print calc: calculation sheets as PDF from the command line, with
// no display.

#include <gtest/gtest.h>

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
    ASSERT_TRUE(WriteFileAtomically((dir_ / "plant.fil").string(), quorven::SettingsToBytes(s)));
    const CliRun run = Cli("print calc " + Tag("fe.tag") + " --pdf " + Tag("fe.pdf") + " --settings " +
                           Tag("plant.fil") + " --numbered");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string text = PdfText("fe.pdf");
    EXPECT_NE(text.find("Northwind Process Engineering Ltd."), std::string::npos);
    EXPECT_NE(text.find("CALC-0042"), std::string::npos);
    EXPECT_NE(text.find("Sht: 1 of 1"), std::string::npos);
}

TEST_F(PrintCli, BadInputWritesNothingAndLeavesAnEarlierPdf) {
    MakeCalculatedTag("fe.tag");
    ASSERT_TRUE(WriteFileAtomically((dir_ / "out.pdf").string(), "earlier"));
    ASSERT_TRUE(WriteFileAtomically((dir_ / "short.tag").string(), std::string(100, 'x')));
    ASSERT_TRUE(WriteFileAtomically((dir_ / "short.fil").string(), std::string(100, 'x')));
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
