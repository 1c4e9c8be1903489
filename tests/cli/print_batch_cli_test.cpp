// quorven-cli print chart|uncertainty and print batch: a project of five tags as
// one numbered batch with its index, a part of it numbered by each tag's place in
// the whole project, and what is refused.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace quorven::clitest {
namespace {

class PrintBatchCli : public CliFixture {
protected:
    // A project "plant" of the five tags, put in the order E, B, D, A, C: a sorted
    // list numbers them A..E = 1..5. Made once for the suite, copied into each test.
    static void SetUpTestSuite() {
        suite_dir_ =
            std::filesystem::temp_directory_path() / ("quorven-print-batch-" + std::to_string(::getpid()));
        std::filesystem::remove_all(suite_dir_);
        std::filesystem::create_directories(suite_dir_);
        const std::string err = (suite_dir_ / "stderr.txt").string();
        auto cli = [&](const std::string& args) { return RunCli(args, err).status; };
        auto at = [](const std::string& name) { return Quote((suite_dir_ / name).string()); };
        made_ = cli("project new " + at("plant")) == 0 &&
                cli("project settings " + at("plant.fil") +
                    " 'Company_Name=Caledonia Energy' 'CalcSO_No=CALC-7' 'Client=Northwind'") == 0;
        for (const char* t : {"FE-105", "FE-102", "FE-104", "FE-101", "FE-103"}) {
            const std::string file = at(std::string(t) + ".tag");
            made_ = made_ && cli("tag new " + file) == 0 &&
                    cli("tag set " + file + " Tag_No=" + t + " 'Service=Service of " + t +
                        "' Unit_Flow_Set=1 Property_MwDenVp=0.6 Base_RhoGZ=0.998 Flow_RhoGZ=0.97 "
                        "Flow_Press=264.7 Flow_Temp=539.67 Property_Visc=0.011 Property_KFp=1.3 "
                        "Pipe_IDia=4.026 Flow_Max=250000 Flow_Norm=200000 Dp_Max=100") == 0 &&
                    cli("calc " + file + " --out " + file) == 0 &&
                    cli("project put " + at("plant.fil") + " " + file) == 0;
        }
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(suite_dir_); }
    void MakeProject() {
        ASSERT_TRUE(made_);
        for (const auto& f : std::filesystem::directory_iterator(suite_dir_))
            std::filesystem::copy_file(f.path(), dir_ / f.path().filename());
    }
    static inline std::filesystem::path suite_dir_;
    static inline bool made_ = false;

    // The pages of a PDF as text.
    std::vector<std::string> Pages(const char* name) {
        std::string out;
        FILE* p = popen(("pdftotext -layout " + Tag(name) + " -").c_str(), "r");
        if (!p) return {};
        char buf[4096];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
        std::vector<std::string> pages;
        std::size_t at = 0;
        for (std::size_t ff; (ff = out.find('\f', at)) != std::string::npos; at = ff + 1)
            pages.push_back(out.substr(at, ff - at));
        return pages;
    }
    static bool Has(const std::string& page, const std::string& text) {
        return page.find(text) != std::string::npos;
    }
    // Whether `second` is the word after `first` somewhere in the text (pdftotext
    // lays out columns with as many spaces as it sees fit).
    static bool Adjacent(const std::string& text, const std::string& first, const std::string& second) {
        std::istringstream in(text);
        std::string previous, word;
        while (in >> word) {
            if (previous == first && word == second) return true;
            previous = word;
        }
        return false;
    }
};

TEST_F(PrintBatchCli, NumberedBatchOfFiveTagsWithItsIndex) {
    MakeProject();
    const CliRun run =
        Cli("print batch " + Tag("plant.fil") +
            " --report calc --numbered --index --date '10 Dec 2026' --pdf " + Tag("batch.pdf"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Printed 6 pages (5 tags of 5) to " + (dir_ / "batch.pdf").string() + ".\n");
    const std::vector<std::string> pages = Pages("batch.pdf");
    ASSERT_EQ(pages.size(), 6u);
    // The index first: every tag with the sheet it prints on.
    const std::string& index = pages[0];
    EXPECT_TRUE(Has(index, "Run Date: 10 Dec 2026"));
    EXPECT_TRUE(Has(index, "Sht: 1 of 1"));
    for (int i = 1; i <= 5; ++i) {
        const std::string tag = "FE-10" + std::to_string(i);
        SCOPED_TRACE(tag);
        const std::size_t row = index.find(tag);
        ASSERT_NE(row, std::string::npos);
        const std::string line = index.substr(row, index.find('\n', row) - row);
        EXPECT_TRUE(Has(line, "Service of " + tag));
        EXPECT_TRUE(Adjacent(line, "CALC-7", std::to_string(i))) << line;
        // Then the sheets in the sorted order, n of 5.
        const std::string& sheet = pages[static_cast<std::size_t>(i)];
        EXPECT_TRUE(Has(sheet, tag));
        EXPECT_TRUE(Has(sheet, "Sht: " + std::to_string(i) + " of 5")) << sheet;
    }
}

TEST_F(PrintBatchCli, PartOfTheProjectKeepsTheProjectsNumbersInEveryReport) {
    MakeProject();
    for (const char* report : {"calc", "datasheet", "chart", "uncertainty"}) {
        SCOPED_TRACE(report);
        const CliRun run = Cli("print batch " + Tag("plant.fil") + " --report " + report +
                               " --tags FE-104 FE-102 --numbered --pdf " + Tag("part.pdf"));
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> pages = Pages("part.pdf");
        ASSERT_EQ(pages.size(), 2u);
        EXPECT_TRUE(Has(pages[0], "FE-104"));
        EXPECT_TRUE(Has(pages[0], "Sht: 4 of 5"));
        EXPECT_TRUE(Has(pages[1], "FE-102"));
        EXPECT_TRUE(Has(pages[1], "Sht: 2 of 5"));
        for (const std::string& page : pages) {
            EXPECT_FALSE(Has(page, "inf"));
            EXPECT_FALSE(Has(page, "nan"));
        }
    }
    // The index of a part lists that part, by the same numbers.
    const CliRun index = Cli("print batch " + Tag("plant.fil") +
                             " --report index --tags FE-104 FE-102 --pdf " + Tag("index.pdf"));
    ASSERT_EQ(index.status, 0) << index.err;
    const std::vector<std::string> pages = Pages("index.pdf");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_LT(pages[0].find("FE-102"), pages[0].find("FE-104"));
    EXPECT_FALSE(Has(pages[0], "FE-101"));
}

TEST_F(PrintBatchCli, SingleChartsAndUncertaintyReportsOfProjectTags) {
    MakeProject();
    CliRun run = Cli("print chart " + Tag("plant.fil") + " FE-103 FE-101 --pdf " + Tag("charts.pdf"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Printed 2 calibration charts to " + (dir_ / "charts.pdf").string() + ".\n");
    std::vector<std::string> pages = Pages("charts.pdf");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(Has(pages[0], "FE-103"));
    EXPECT_TRUE(Has(pages[0], "Flow Calibration Chart"));
    EXPECT_TRUE(Adjacent(pages[0], "200000.0", "64.0000"));  // the normal flow at 64 % of 100 in WC

    run = Cli("print uncertainty " + Tag("FE-101.tag") + " --pdf " + Tag("unc.pdf"));
    ASSERT_EQ(run.status, 0) << run.err;
    pages = Pages("unc.pdf");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(Has(pages[0], "Meter System Uncertainty, [SUM{(U * X)^2}]^0.5:"));
    EXPECT_TRUE(Has(pages[0], "Sht: ___ of ___ Chk: _____"));
}

TEST_F(PrintBatchCli, RefusalsWriteNothing) {
    MakeProject();
    ASSERT_EQ(Cli("tag new " + Tag("lone.tag")).status, 0);
    struct Case {
        std::string args;
        std::string err;
    };
    const Case kCases[] = {
        {"--report calc --tags FE-101 FE-999", "no tag \"FE-999\""},
        {"--report sheets", "--report is one of"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.args);
        const CliRun run = Cli("print batch " + Tag("plant.fil") + " " + c.args + " --pdf " + Tag("out.pdf"));
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        EXPECT_EQ(Bytes("out.pdf"), "");
    }
    const CliRun tag_file = Cli("print batch " + Tag("lone.tag") + " --report calc --pdf " + Tag("out.pdf"));
    EXPECT_EQ(tag_file.status, 1);
    EXPECT_NE(tag_file.err.find("is not a project file"), std::string::npos) << tag_file.err;
    ASSERT_EQ(Cli("project new " + Tag("empty")).status, 0);
    const CliRun empty = Cli("print batch " + Tag("empty.fil") + " --report calc --pdf " + Tag("out.pdf"));
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("holds no tags"), std::string::npos) << empty.err;
}

}  // namespace
}  // namespace quorven::clitest
