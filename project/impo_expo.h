#pragma once
// CImpoExpo: a whole project written to one comma-separated file (one line per
// tag, 176 named columns; see csv_exchange.h) and such a file read back into a
// project, creating or replacing tags. Neither touches the document's current
// tag or the tag clipboard. The export file and the project's files are written
// under temporary names and put in place only when complete.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "messages/messages.h"
#include "project/bulk_files.h"
#include "project/database.h"
#include "project/project_commands.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"

namespace quorven {

// The import's question: the tag number (Windows-1252) is stored already; replace
// it with the imported data? The desktop asks it with the "Tag Data Overwrite
// Warning!" dialog (ProjectDialogs::TagDataOverwrite).
class ImportQuestions {
public:
    virtual ~ImportQuestions() = default;
    virtual OverwriteAnswer ConfirmReplace(std::string_view tag_no) = 0;
};

struct ExportReport {
    bool written = false;
    bool cancelled = false;
    std::size_t tags = 0;        // lines written
    std::size_t unreadable = 0;  // entries whose record could not be read: left out
    std::size_t repaired = 0;    // records the record check changed: written as changed
};

struct ImportReport {
    bool header = false;     // the file was read and began with the 176 column names
    bool saved = false;      // what was imported is in the project
    bool cancelled = false;  // the user answered Cancel: the tags before it were imported
    bool aborted = false;    // cancelled while it ran: nothing was imported
    std::size_t lines = 0;   // tag lines read
    std::size_t added = 0, replaced = 0, not_replaced = 0, refused = 0;
    std::vector<std::string> problems;  // "line N: why" (UTF-8), the first few
};

class CImpoExpo {
public:
    static constexpr std::size_t kProblemsKept = 10;

    // Export ASCII File to `path`: the header, then every tag in index order (each
    // tag number once). Error #44 without an index, Error #46 when the file cannot
    // be written; "Project ASCII file export complete!" with the count otherwise.
    static ExportReport ExportProject(CDatabase& db, const std::string& path, MessageSink& sink,
                                      const ProgressFn& progress = {});

    // Import ASCII File from `path`. Each line starts from `current` cleared as Clear
    // Calc clears it (units, uncertainty set-up and the record's other kept fields
    // stay); its unit texts follow the project's `units`. A tag that is stored
    // already is replaced as the user answers (Yes, No, All for the rest of this
    // import, Cancel to stop). Lines that cannot be read whole are refused and
    // listed. Error #105 when the file does not begin with the column names.
    static ImportReport ImportFile(CDatabase& db, const std::string& path, const TagRecord& current,
                                   const UnitTables& units, ImportQuestions& questions, MessageSink& sink,
                                   const ProgressFn& progress = {});
};

}  // namespace quorven
