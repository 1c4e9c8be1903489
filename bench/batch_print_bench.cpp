// Speed of the calibration chart (its hundred flow solutions) and of a batch print
// of a project of 1000 tags: the tag index and every calculation sheet to one
// PDF, each tag read from the project files when its page is drawn. The peak
// resident memory is reported beside the time.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "engine/calibration_chart.h"
#include "project/database.h"
#include "project/project_settings.h"
#include "record/cformat.h"
#include "record/choice_codes.h"
#include "reports/batch_print.h"
#include "reports/print_job.h"
#include "reports/qt/report_output.h"
#include "reports/report_page.h"

namespace {

using namespace quorven;

// Natural gas through a flange-tapped orifice in a 4.026 in line, sized for the
// bore (250 000 scfh at 100 inH2O).
TagRecord SizedGasOrifice(const std::string& tag) {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, tag);
    SetText(r.Service, "Fuel gas to heater " + tag);
    r.Rec_Version4 = 1;
    r.Calc_Mode = Code(CalcMode::Meter);
    r.Calc_SizeParam = Code(SizeParam::Bore);
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.Fluid_Equation = Code(FluidEquation::GasVolume);
    r.Fluid_Condition = Code(FluidCondition::GasBase);
    r.Fluid_Property = Code(FluidProperty::GasSG);
    r.Property_MwDenVp = 0.6;
    r.Base_RhoGZ = 0.998;
    r.Flow_RhoGZ = 0.97;
    r.Flow_Press = 264.7;
    r.Flow_Temp = 539.67;
    r.Property_Visc = 0.011;
    r.Property_KFp = 1.3;
    r.Pipe_IDia = 4.026;
    r.Flow_Max = 250000.0;
    r.Flow_Norm = 200000.0;
    r.Dp_Max = 100.0;
    NullMessageSink sink;
    CCalculate(sink).SizeBore(r, false);
    return r;
}

double PeakResidentMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;  // kB on Linux
}

void CalibrationChartPoints(benchmark::State& state) {
    const TagRecord r = SizedGasOrifice("FE-101");
    for (auto _ : state) benchmark::DoNotOptimize(ComputeCalibrationChart(r));
    state.SetItemsProcessed(state.iterations() * kChartPoints);
}
BENCHMARK(CalibrationChartPoints)->Unit(benchmark::kMillisecond);

// A project of `tags` calculated tags in a fresh directory.
ProjectPaths MakeProject(int tags) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("quorven-batch-bench-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const ProjectPaths paths{dir.string() + "/", "plant"};
    NullMessageSink sink;
    CDatabase::CreateProject(DiskFiles(), paths, DefaultProjectSettings(), sink);
    CDatabase db(DiskFiles(), paths);
    db.Open(sink);
    const TagRecord sized = SizedGasOrifice("FE-0000");
    for (int i = 1; i <= tags; ++i) {
        TagRecord r = sized;
        SetText(r.Tag_No, CFormat("FE-%04d", {static_cast<long long>(i)}));
        db.WriteTag(r, WriteMode::Batch, sink);
    }
    return paths;
}

void BatchPrintSheetsWithIndex(benchmark::State& state) {
    static const HeadlessReportApp qt;
    const int tags = static_cast<int>(state.range(0));
    const ProjectPaths paths = MakeProject(tags);
    NullMessageSink sink;
    CDatabase db(DiskFiles(), paths);
    db.Open(sink);
    const BatchSelection selection(ProjectTagNumbers(db), true);
    const PrintJob index =
        BatchReportJob(ReportType::TagIndex, selection.Entries(), selection.Total(), true, "x");
    const PrintJob sheets =
        BatchReportJob(ReportType::BatchCalcSheets, selection.Entries(), selection.Total(), true);
    const TagReader read = [&](const std::string& tag, TagRecord& out) { return db.ReadTag(tag, out, sink); };
    const ReportContext ctx = MakeReportContext(DefaultProjectSettings(), "4.4.0", {});
    const TagRecord current = NewTagRecord();
    const int count = JobPageCount(index) + JobPageCount(sheets);
    const std::string pdf = paths.With(".pdf");
    const double before = PeakResidentMb();
    for (auto _ : state) {
        const PdfResult res = WriteReportPdf({pdf, "bench", false}, count, [&](int i, CPage& page) {
            if (i < JobPageCount(index)) return PrintJobPage(page, index, i, current, read, ctx);
            return PrintJobPage(page, sheets, i - JobPageCount(index), current, read, ctx);
        });
        if (!res.written) state.SkipWithError(res.error.c_str());
    }
    state.counters["pages"] = count;
    state.counters["pdf_MB"] = static_cast<double>(std::filesystem::file_size(pdf)) / 1048576.0;
    state.counters["peak_rss_MB"] = PeakResidentMb();
    state.counters["rss_growth_MB"] = PeakResidentMb() - before;
    std::filesystem::remove_all(std::filesystem::path(paths.dir));
}
BENCHMARK(BatchPrintSheetsWithIndex)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
