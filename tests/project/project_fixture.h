#pragma once
// Shared pieces of the project tests: a fresh temporary directory, tag records to
// store, and fakes of the file chooser and the project dialogs.

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>

#include "messages/platform.h"
#include "project/project_commands.h"
#include "record/record_io.h"
#include "record/tag_record.h"

namespace quorven::testing {

namespace fs = std::filesystem;

class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quorven-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

// A calculated tag of the current record format, told apart by its number and flow.
inline TagRecord StoredTag(const std::string& tag, double flow = 1000.0) {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, tag);
    SetText(r.Service, "Service of " + tag);
    SetText(r.Line_No, "L-" + tag);
    SetText(r.Pid_No, "P&ID-" + tag);
    r.Rec_Version4 = 1;
    r.Calc_Status = 1;
    r.Flow_Max = flow;
    r.Flow_Norm = flow * 0.8;
    r.Beta = 0.5;
    return r;
}

// Answers each Choose with the next queued path (nothing when the queue is empty).
class FakeChooser final : public FileChooser {
public:
    std::optional<std::string> Choose(const FileChoice& choice) override {
        asked.push_back(choice);
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<std::optional<std::string>> answers;
    std::vector<FileChoice> asked;
};

class FakeDialogs final : public ProjectDialogs {
public:
    bool ProjectInformation(CustomerTexts& texts) override {
        ++information_shown;
        if (information_ok) texts = information;
        return information_ok;
    }
    bool ConfirmProjectDelete(const CustomerTexts& texts) override {
        delete_shown = texts;
        return delete_ok;
    }
    std::optional<std::string> SelectTag(TagBrowser& browser) override {
        listed = browser.Tags();
        for (const std::string& t : browse) details.push_back(browser.Read(t));
        return selection;
    }
    bool CompanyData(CompanyTexts& texts) override {
        if (company_ok) texts = company;
        return company_ok;
    }
    OverwriteAnswer TagDataOverwrite(std::string_view tag) override {
        overwrite_asked.emplace_back(tag);
        return overwrite_answer;
    }
    bool CustomerData(CustomerTexts& texts) override {
        if (customer_ok) texts = customer;
        return customer_ok;
    }

    bool information_ok = true;
    int information_shown = 0;
    CustomerTexts information{"Client A", "Project B", "Location C", "JO-1", "CS-2", "Engineer"};
    bool delete_ok = true;
    CustomerTexts delete_shown;
    std::vector<std::string> browse;  // tags highlighted before the dialog ends
    std::vector<TagBrowser::Details> details;
    std::optional<std::string> selection;
    std::vector<std::string> listed;
    bool company_ok = true;
    CompanyTexts company{"Acme Flow", "1 Main St", "555-0100", "J. Smith"};
    bool customer_ok = true;
    CustomerTexts customer{"Refinery", "Unit 7", "Houston", "PO-77", "SO-88", ""};
    OverwriteAnswer overwrite_answer = OverwriteAnswer::No;
    std::vector<std::string> overwrite_asked;
};

}  // namespace quorven::testing
