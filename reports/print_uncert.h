#pragma once
// CPrintUncert: the meter uncertainty report, one page: how the flow measurement
// uncertainty of the tag's meter system is built up. It lists the tolerances and
// transducer accuracies the user set, the uncertainty U of every input at the
// operating point and its sensitivity coefficient X, each the term the engine's
// MeterUncertainty combines, and the meter system uncertainty, the root of the sum
// of the squares (U X)^2. The record is never changed.

#include "record/tag_record.h"
#include "reports/page.h"
#include "reports/report_page.h"

namespace quorven {

class CPrintUncert {
public:
    // Draws into `region` of `page`, which BeginReportPage set up.
    CPrintUncert(CPage& page, CPrintRegion& region, const TagRecord& r, const ReportContext& ctx,
                 SheetNumbering numbering = {});

    // The whole page; returns the region row where the sheet text ended.
    double Print();

    // The sections, each from the region row where the previous one ended.
    double MeterPipeData(double row);
    double ToleranceData(double row);
    double UncertaintyInputs(double row);
    double SensitivityInputs(double row);
    double SystemUncertainty(double row);
    double Signature(double row);

private:
    double Text(double row, double column, std::string_view text, int style = TextStyle::SingleLine);
    double Line(double row, std::string_view label, std::string_view value);
    void Rule(double row);
    double SectionFrame(double row, std::string_view title);

    CPage& page_;
    CPrintRegion& region_;
    CPrintRegion* left_;  // the left half: left-hand values stop short of the middle
    const TagRecord& r_;
    const ReportContext& ctx_;
    SheetNumbering numbering_;
    double m_;  // the middle column
};

// The report of `r` on one page: BeginReportPage, then CPrintUncert.
void PrintUncertReport(CPage& page, const TagRecord& r, const ReportContext& ctx,
                       SheetNumbering numbering = {}, bool* fits = nullptr);

}  // namespace quorven
