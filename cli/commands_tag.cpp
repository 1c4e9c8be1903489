// quorven-cli tag new|show|set: tag files by record field name.

#include <CLI/CLI.hpp>
#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_common.h"
#include "project/tag_file.h"
#include "record/cformat.h"
#include "record/record_check.h"
#include "record/text_codec.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven::cli {
namespace {

struct TagOptions {
    std::string file;
    bool json = false;
    std::vector<std::string> assignments;
};

void ReportRepairs(const std::vector<RecordRepair>& repairs) {
    for (const RecordRepair& r : repairs)
        std::cerr << "Warning: field " << r.field << " held an invalid value (" << Cp1252ToUtf8(r.was)
                  << ") and was reset.\n";
}

int TagNew(const TagOptions& o) {
    CliMessageSink sink;
    return WriteTagFile(o.file, NewTagRecord(), sink) ? 0 : 1;
}

int TagShow(const TagOptions& o) {
    CliMessageSink sink;
    TagRecord r = NewTagRecord();
    std::vector<RecordRepair> repairs;
    if (!ReadTagFile(o.file, r, sink, &repairs)) return 1;
    ReportRepairs(repairs);
    if (o.json) {
        std::cout << RecordJson(r).dump(2) << '\n';
        return 0;
    }
    for (const FieldInfo& f : RecordFields()) std::cout << f.name << " = " << FieldValueText(r, f) << '\n';
    return 0;
}

bool ParseInt(std::string_view text, int32_t& out) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto res = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && res.ec == std::errc() && res.ptr == text.data() + text.size();
}

// Applies one NAME=VALUE to the record; returns an error sentence, or "" on success.
// A text is refused, never cut or altered: one longer than its field, or with a
// character the record's Windows-1252 cannot hold (Error #1004 is shown), as
// import refuses such a line.
std::string Assign(TagRecord& r, const std::string& assignment, MessageSink& sink) {
    const std::size_t eq = assignment.find('=');
    if (eq == std::string::npos) return "Expected NAME=VALUE, got \"" + assignment + "\".";
    const std::string name = assignment.substr(0, eq);
    const std::string value = assignment.substr(eq + 1);
    const FieldInfo* f = FindField(name);
    if (!f) return "Unknown field \"" + name + "\".";
    switch (f->kind) {
        case FieldKind::Bytes:
            return "Field " + name + " is reserved and cannot be set.";
        case FieldKind::Int32: {
            int32_t v = 0;
            if (!ParseInt(value, v)) return "Field " + name + " needs a whole number, got \"" + value + "\".";
            if (!IsValidIntValue(f->name, v))
                return "Field " + name + " cannot hold " + value + ": it is not one of its choices.";
            SetInt(r, *f, v);
            return {};
        }
        case FieldKind::Double: {
            double v = 0;
            if (!ParseFiniteDouble(value, v))
                return "Field " + name + " needs a finite decimal number, got \"" + value + "\".";
            SetDouble(r, *f, v);
            return {};
        }
        case FieldKind::Text: {
            const std::optional<std::string> text = Utf8ToCp1252Exact(value);
            if (!text) {
                CError(sink).Show(msg::kErrTextNotStorable);
                return "Field " + name + " cannot hold \"" + value + "\": not every character has a " +
                       "Windows-1252 form.";
            }
            if (text->size() > f->width - 1)
                return "Field " + name + " holds at most " + std::to_string(f->width - 1) +
                       " characters; \"" + value + "\" has " + std::to_string(text->size()) + ".";
            (void)SetTextField(r, *f, *text);
            return {};
        }
    }
    return {};
}

// Refuses the edit: says why and that the file was left as it was.
int Refuse(const std::string& why) {
    std::cerr << why << " Nothing was written.\n";
    return 1;
}

int TagSet(const TagOptions& o) {
    CliMessageSink sink;
    TagRecord r = NewTagRecord();
    std::vector<RecordRepair> repairs;
    if (!ReadTagFile(o.file, r, sink, &repairs)) return 1;
    ReportRepairs(repairs);
    const std::optional<FlowKind> kind_before = FlowKindOf(r);
    // Each assigned field with its value as assigned.
    std::vector<std::pair<const FieldInfo*, std::string>> assigned;
    for (const std::string& a : o.assignments) {
        const std::string error = Assign(r, a, sink);
        if (!error.empty()) return Refuse(error);
        const FieldInfo* f = FindField(a.substr(0, a.find('=')));
        assigned.emplace_back(f, FieldValueText(r, *f));
    }
    auto was_assigned = [&](std::string_view name) {
        for (const auto& [f, value] : assigned)
            if (name == f->name) return true;
        return false;
    };
    // The flow unit shown and the one computed in stay one: a chosen Unit_Flow_Set
    // selects its unit, a new flow kind takes that kind's own selection.
    const UnitTables& tables = DefaultUnitTables();
    if (was_assigned("Unit_Flow_Set")) {
        if (!SelectFlowUnit(r, tables, r.Unit_Flow_Set))
            return Refuse("Field Unit_Flow_Set cannot hold " + std::to_string(r.Unit_Flow_Set) +
                          ": it is not a unit of the tag's flow list.");
    } else if (FlowKindOf(r) != kind_before) {
        (void)SelectFlowUnitOfKind(r, tables);
    } else {
        (void)ReapplyFlowUnit(r, tables);
    }
    // What the record check would not keep is refused here, so a later read never
    // repairs what this command wrote.
    TagRecord checked = r;
    for (const RecordRepair& fix : CheckRecord(checked)) {
        const FieldInfo* f = FindField(fix.field);
        return Refuse("Field " + fix.field + " cannot hold " + Cp1252ToUtf8(fix.was) +
                      " with the tag's other values (the record check resets it to " +
                      (f ? Cp1252ToUtf8(FieldValueText(checked, *f)) : std::string("its default")) + ").");
    }
    for (const auto& [f, value] : assigned) {
        if (FieldValueText(r, *f) != value)
            return Refuse("Field " + std::string(f->name) + " follows the tag's flow unit (Unit_Flow_Set " +
                          std::to_string(r.Unit_Flow_Set) + ", \"" + Cp1252ToUtf8(GetText(r.Unit_Flow_Text)) +
                          "\"); set Unit_Flow_Set instead.");
    }
    return WriteTagFile(o.file, r, sink) ? 0 : 1;
}

}  // namespace

void RegisterTagCommands(CLI::App& app, CommandContext& ctx) {
    auto opts = std::make_shared<TagOptions>();
    CLI::App* tag = app.add_subcommand("tag", "Tag files: create, show and edit by field name.");
    tag->require_subcommand(1);

    CLI::App* create = tag->add_subcommand("new", "Write a new tag (the new-document record).");
    create->add_option("FILE", opts->file, "tag file to write")->required();
    create->callback([&ctx, opts] { ctx.action = [opts] { return TagNew(*opts); }; });

    CLI::App* show = tag->add_subcommand("show", "Print every field with its value (internal units).");
    show->add_option("FILE", opts->file, "tag file to read")->required();
    show->add_flag("--json", opts->json, "one JSON object keyed by field name");
    show->callback([&ctx, opts] { ctx.action = [opts] { return TagShow(*opts); }; });

    CLI::App* set = tag->add_subcommand("set", "Set fields by name and write the file back.");
    set->add_option("FILE", opts->file, "tag file to edit")->required();
    set->add_option("ASSIGNMENTS", opts->assignments, "NAME=VALUE ...")->required();
    set->callback([&ctx, opts] { ctx.action = [opts] { return TagSet(*opts); }; });
}

}  // namespace quorven::cli
