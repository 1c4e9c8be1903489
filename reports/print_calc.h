#pragma once
// CPrintCalc: the calculation sheet, the one-page engineering record of a sized
// tag: client and service, how the tag was calculated, the meter, pipe, fluid and
// factor data that went in, the calculated results, a numbered list of warnings
// about the validity of the result, and a signature block. It prints what the
// engine stored in the record (as the main form shows it) and never changes the
// record.

#include <string>
#include <vector>

#include "record/tag_record.h"
#include "reports/page.h"
#include "reports/report_page.h"

namespace quorven {

class CPrintCalc {
public:
    // Draws into `region` of `page`, which BeginReportPage set up.
    CPrintCalc(CPage& page, CPrintRegion& region, const TagRecord& r, const ReportContext& ctx,
               SheetNumbering numbering = {});

    // The sections below in order, the warnings unless they were suppressed, and
    // the footer. The body never reaches into the footer: lines that would are
    // left off (PrintCalcSheet makes the font smaller first so that none is).
    void Print();
    // The sections and warnings alone; returns the row where they end.
    double Body();

    // Each section starts at the region row where the previous one ended (inches)
    // and returns the row where it ends. The calibration chart repeats the first
    // ones.
    double Header(double row);
    double ServiceData(double row);
    double MethodAndBaseConditions(double row);
    double MeterPipeData(double row);
    double SizingData(double row);
    double FluidData(double row);
    double FactorData(double row);
    double CalculatedResults(double row);
    double Warnings(double row);
    void Footer();

    // The footer's two texts: the calculation number and the sheet text.
    static std::string CalcNumberText(const ProjectSettings& s, bool numbered);
    static std::string SheetText(const SheetNumbering& n);

private:
    double Text(double row, double column, std::string_view text, int style = TextStyle::SingleLine);
    double LeftValue(double row, double column, std::string_view text);
    double Line(double row, std::string_view label, std::string_view value);
    double Pair(double row, double value_column, std::string_view left_label, std::string_view left_value,
                std::string_view right_label, std::string_view right_value);
    void Rule(double row);
    double SectionFrame(double row, std::string_view title);

    CPage& page_;
    CPrintRegion& region_;  // the whole report: the footer
    CPrintRegion* body_;    // above the footer's rule
    CPrintRegion* left_;    // the body's left half: left-hand values stop short of the middle
    const TagRecord& r_;
    const ReportContext& ctx_;
    SheetNumbering numbering_;
    double m_;  // the middle column
};

// The whole sheet on one page: BeginReportPage, then CPrintCalc::Print. When the
// sheet would run into its footer with the page settings' font size and line
// spacing, it is laid out with a line spacing of 1, then with a font up to 3
// points smaller, so that every line and warning is printed. `fits` says whether
// the page settings fit the paper.
void PrintCalcSheet(CPage& page, const TagRecord& r, const ReportContext& ctx, SheetNumbering numbering = {},
                    bool* fits = nullptr);

// The warning notes of the sheet, numbered as printed (Windows-1252 texts); empty
// when there is nothing to warn about. The two notes on the dP reference
// temperature carry no number but use one up.
std::vector<std::string> CalcSheetNotes(const TagRecord& r, const UnitTables& units);

}  // namespace quorven
