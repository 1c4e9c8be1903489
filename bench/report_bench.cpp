// Speed of the calculation sheet: one sheet to a PDF file, and a project of 1000
// sheets to one PDF (the batch print of a large project).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "project/project_settings.h"
#include "record/choice_codes.h"
#include "reports/print_calc.h"
#include "reports/qt/report_output.h"
#include "reports/report_page.h"

namespace {

using namespace quorven;

// A calculated gas tag with a few warnings, so every section and the notes print.
TagRecord CalculatedTag() {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, "FE-101");
    SetText(r.Service, "Fuel gas to heater H-101");
    SetText(r.Fluid, "NATURAL GAS");
    r.Calc_Status = kStatusCalculated;
    r.Unit_Flow_Set = 1;
    r.Property_MwDenVp = 0.6;
    r.Base_RhoGZ = 0.998;
    r.Flow_RhoGZ = 0.97;
    r.Flow_Press = 264.7;
    r.Flow_Temp = 539.67;
    r.Property_Visc = 0.011;
    r.Property_KFp = 1.3;
    r.Pipe_IDia = 1.5;
    r.Flow_Max = 250000;
    r.Flow_Norm = 200000;
    r.Dp_Max = 100;
    r.Dp_Norm = 64;
    r.Sm = 0.2;
    r.Rd = 1.2e6;
    r.C = 0.6035;
    r.Y = 0.9921;
    r.Beta = 0.8;
    r.Bore = 1.2;
    r.Fdh = 1.05;
    r.Dp_Loss = 70.1;
    r.Velocity = 80.0;
    return r;
}

std::string PdfPath() {
    return (std::filesystem::temp_directory_path() / ("quorven-bench-" + std::to_string(::getpid()) + ".pdf"))
        .string();
}

void PrintSheets(benchmark::State& state) {
    static const HeadlessReportApp qt;  // Qt lays out text only inside an application object
    const int sheets = static_cast<int>(state.range(0));
    const TagRecord r = CalculatedTag();
    const ReportContext ctx = MakeReportContext(DefaultProjectSettings(), "4.4.0", {});
    const std::string path = PdfPath();
    for (auto _ : state) {
        const PdfResult res = WriteReportPdf({path, "bench", false}, sheets, [&](int i, CPage& page) {
            bool fits = true;
            PrintCalcSheet(page, r, ctx, {true, i + 1, sheets}, &fits);
            return fits;
        });
        if (!res.written) state.SkipWithError(res.error.c_str());
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * sheets);
}
BENCHMARK(PrintSheets)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PrintSheets)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
