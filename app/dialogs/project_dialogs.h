#pragma once
// The dialogs of the project and tag commands: "Project Information",
// "Confirm Project Database Delete", "Project Tag Selection", "Company Data" and
// "Customer Data", shown modally over the main frame.

#include "project/project_commands.h"

class QWidget;

namespace quorven {

class QtProjectDialogs final : public ProjectDialogs {
public:
    explicit QtProjectDialogs(QWidget* parent) : parent_(parent) {}
    bool ProjectInformation(CustomerTexts& texts) override;
    bool ConfirmProjectDelete(const CustomerTexts& texts) override;
    std::optional<std::string> SelectTag(TagBrowser& browser) override;
    bool CompanyData(CompanyTexts& texts) override;
    bool CustomerData(CustomerTexts& texts) override;
    OverwriteAnswer TagDataOverwrite(std::string_view tag) override;

private:
    QWidget* parent_;
};

}  // namespace quorven
