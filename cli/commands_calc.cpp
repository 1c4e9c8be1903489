// quorven-cli calc FILE [--out OUT] [--json] [--suppress-warnings]: the Calculate
// command on a tag file, printed as the form's results area shows it (--json: the
// whole record at full precision). The inputs are checked as the main form checks them (the
// values the tag shows in its display units), the sizing is dispatched by
// calculation mode, sizing parameter and fluid, the follow-on calculations and
// the limit checks run, and every message is printed. The question whether to
// suppress the limit warnings is answered No unless --suppress-warnings.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "form/calculate_command.h"
#include "form/form_rows.h"
#include "form/result_rows.h"
#include "project/tag_file.h"
#include "record/choice_codes.h"
#include "record/meter_texts.h"
#include "record/misc_util.h"
#include "record/text_codec.h"

namespace quorven::cli {
namespace {

// Characters of a UTF-8 text (for lining up columns).
std::size_t Utf8Length(const std::string& s) {
    return static_cast<std::size_t>(std::count_if(
        s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

struct CalcOptions {
    std::string file;
    std::string out;
    bool json = false;
    bool suppress_warnings = false;
    std::string date;
    std::string user;
};

// Prints like the command line's sink and answers a Yes/No question as told.
class AnsweringSink final : public MessageSink {
public:
    AnsweringSink(CliMessageSink& inner, MessageAnswer answer) : inner_(inner), answer_(answer) {}
    MessageAnswer Show(const Message& m) override {
        const MessageAnswer shown = inner_.Show(m);
        return m.buttons == MessageButtons::Ok ? shown : answer_;
    }

private:
    CliMessageSink& inner_;
    MessageAnswer answer_;
};

// The results as the form's results area shows them: labels, values in the tag's
// display units and formats, unit names. Messages went to standard error as they
// were shown.
void PrintResults(const TagRecord& r, const InputCheckResult* check, bool ok) {
    const std::string tag_no = Cp1252ToUtf8(GetText(r.Tag_No));
    const std::string service = Cp1252ToUtf8(GetText(r.Service));
    if (!tag_no.empty() || !service.empty())
        std::cout << (tag_no.empty() ? "(no tag number)" : tag_no) << (service.empty() ? "" : "  ") << service
                  << '\n';
    // What is sized, as the form's meter area names it.
    TagRecord named = r;
    ApplyMeterTexts(named);
    const CMiscUtil misc;
    std::cout << Cp1252ToUtf8(misc.SizingParameterText(false, r.Calc_Mode, r.Calc_SizeParam)) << ": "
              << Cp1252ToUtf8(GetText(named.Meter));
    for (std::string_view t : {GetText(named.Meter_Type_Text), GetText(named.Tap_Style_Text)})
        if (!t.empty()) std::cout << ", " << Cp1252ToUtf8(t);
    std::cout << "\n"
              << Cp1252ToUtf8(misc.StandardText(r.Calc_Std, r.Calc_Mode, r.Meter_Type, r.Meter_IFOAMfr))
              << "; " << FluidEquationTitle(r) << '\n';
    std::cout << (ok ? "Calculated." : "Not calculated.") << '\n';
    if (check != nullptr) {
        // Empty rows and rows holding an impossible value (below zero) are named apart.
        for (const bool invalid : {false, true}) {
            bool any = false;
            for (const MissingRow& m : check->missing) {
                if (m.invalid != invalid) continue;
                if (!any) std::cout << (invalid ? "Invalid inputs:" : "Missing inputs:");
                any = true;
                std::cout << ' ' << m.label << " (" << (m.sizing ? "sizing" : "fluid") << " row " << m.row
                          << ')';
            }
            if (any) std::cout << '\n';
        }
    }
    if (!ok) return;  // no results to show: the messages say why
    const ResultView view = BuildResultView(r);
    std::size_t width = 0;
    for (const ResultLine& line : view.lines) width = std::max(width, Utf8Length(line.label));
    std::cout << "\nCalculation Results\n";
    for (const ResultLine& line : view.lines) {
        std::cout << "  " << line.label << std::string(width - Utf8Length(line.label) + 1, ' ') << line.value;
        if (!line.unit.empty()) std::cout << ' ' << Cp1252ToUtf8(line.unit);
        std::cout << '\n';
    }
}

nlohmann::json MissingJson(const InputCheckResult& check) {
    nlohmann::json rows = nlohmann::json::array();
    for (const MissingRow& m : check.missing)
        rows.push_back({{"area", m.sizing ? "sizing" : "fluid"},
                        {"row", m.row},
                        {"label", m.label},
                        {"invalid", m.invalid}});
    return rows;
}

int Finish(const CalcOptions& o, const TagRecord& r, const CliMessageSink& sink, bool ok,
           const InputCheckResult* check) {
    if (o.json) {
        nlohmann::json j = RecordJson(r);
        j["messages"] = sink.Json();
        j["ok"] = ok;
        if (check && !check->ok) j["missing_rows"] = MissingJson(*check);
        std::cout << j.dump(2) << '\n';
    } else {
        PrintResults(r, check, ok);
    }
    return ok ? 0 : 1;
}

int Calc(const CalcOptions& o) {
    CliMessageSink printer;
    printer.quiet = o.json;
    TagRecord r = NewTagRecord();
    std::vector<RecordRepair> repairs;
    if (!ReadTagFile(o.file, r, printer, &repairs)) {
        if (o.json) std::cout << nlohmann::json{{"messages", printer.Json()}, {"ok", false}}.dump(2) << '\n';
        return 1;
    }
    for (const RecordRepair& rep : repairs)
        std::cerr << "Warning: field " << rep.field << " held an invalid value (" << Cp1252ToUtf8(rep.was)
                  << ") and was reset.\n";

    AnsweringSink sink(printer, o.suppress_warnings ? MessageAnswer::Yes : MessageAnswer::No);
    CalculateInputs in;  // no project is open: the default project and unit lists
    in.date_text = o.date.empty() ? std::string(GetText(r.Date)) : Utf8ToCp1252(o.date);
    in.user_name = o.user.empty() ? std::string(GetText(r.Name)) : Utf8ToCp1252(o.user);
    const CalculateResult res = OnCalculate(r, in, sink);
    if (!res.check.ok) {
        if (!o.out.empty())
            std::cerr << "calc: nothing was written to " << o.out << ": the inputs are incomplete.\n";
        return Finish(o, r, printer, false, &res.check);
    }

    bool ok = res.sized && (r.Calc_Status == kStatusCalculated ||
                            r.Calc_Status == kStatusWarningsSuppressed || !res.sizing_ran);
    if (!ok && printer.lines.empty() && !o.json)
        std::cerr << "calc: the data entered will not iterate to a valid solution.\n";
    if (!o.out.empty()) {
        if (!ok) {
            std::cerr << "calc: nothing was written to " << o.out << ": the tag was not calculated.\n";
        } else if (!WriteTagFile(o.out, r, printer)) {
            ok = false;
        }
    }
    return Finish(o, r, printer, ok, &res.check);
}

}  // namespace

void RegisterCalcCommands(CLI::App& app, CommandContext& ctx) {
    auto opts = std::make_shared<CalcOptions>();
    CLI::App* calc = app.add_subcommand(
        "calc", "Calculate the tag as the Calculate button does: input check, sizing, follow-ons, limits.");
    calc->add_option("FILE", opts->file, "tag file to calculate")->required();
    calc->add_option("--out", opts->out, "write the calculated tag here");
    calc->add_flag("--json", opts->json,
                   "the whole record by field name, with messages, ok and (input check failed) missing_rows");
    calc->add_flag("--suppress-warnings", opts->suppress_warnings,
                   "answer Yes when asked whether to suppress the limit warnings");
    calc->add_option("--date", opts->date, "date text stored in the tag (default: the tag's own)");
    calc->add_option("--user", opts->user, "user name stored in the tag (default: the tag's own)");
    calc->callback([&ctx, opts] { ctx.action = [opts] { return Calc(*opts); }; });
}

}  // namespace quorven::cli
