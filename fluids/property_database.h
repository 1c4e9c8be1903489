#pragma once
// The fluid property database "PROPERTY.DAF" in the program directory, read once
// per program run and kept in memory: every lookup after that is a table look-up,
// never a scan of the file. The program never writes the file.
//
// The number of records is the file length divided by 648 (a trailing part-record
// is ignored). A record is found by its Comp_No, or by an exact, case-sensitive
// match of its Comp_Name; where two records carry the same number or name, the
// first in the file is the one found. Double fields that are not finite in the file
// are read as 0 ("missing"), so a corrupt record can never feed NaN or infinity to
// a property routine.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "fluids/property_record.h"
#include "messages/messages.h"

namespace quorven {

// The name the program opens, and the name shown in messages.
inline constexpr const char* kPropertyFileName = "property.daf";
inline constexpr const char* kPropertyFileShownName = "PROPERTY.DAF";

// Largest file read (about 100 000 records); a longer file is not used.
inline constexpr std::size_t kPropertyFileMaxBytes = 648u * 100000u;

// The database file in `program_dir`: "property.daf", else "PROPERTY.DAF", else the
// first directory entry whose name matches "property.daf" ignoring ASCII case.
// Empty when there is none.
std::string FindPropertyFile(const std::string& program_dir);

class PropertyDatabase {
public:
    // An absent database: every lookup fails, Present() is false.
    PropertyDatabase() = default;

    // The whole file read once. A file that cannot be read leaves the database
    // absent (its path is kept for the record).
    static PropertyDatabase Open(const std::string& path);
    // Open(FindPropertyFile(program_dir)).
    static PropertyDatabase OpenInDirectory(const std::string& program_dir);
    // The records of a file's bytes.
    static PropertyDatabase FromBytes(std::string_view bytes, std::string path = {});

    bool Present() const { return present_; }
    const std::string& Path() const { return path_; }

    // File length / 648.
    int RecordCount() const { return static_cast<int>(records_.size()); }
    std::span<const PropertyRecord> Records() const { return records_; }

    // The first record with this Comp_No / exact Comp_Name, or nullptr.
    const PropertyRecord* ByNumber(int32_t comp_no) const;
    const PropertyRecord* ByName(std::string_view name) const;
    // The first record whose name matches ignoring ASCII case, or nullptr.
    const PropertyRecord* ByNameIgnoringCase(std::string_view name) const;

    // The lookups as the fluid dialogs use them: copy the record into `record` and
    // return true when found; a missing database shows Error #24 and returns false.
    bool FindRecordByNumber(int32_t comp_no, PropertyRecord& record, MessageSink& sink) const;
    bool FindRecordByName(std::string_view name, PropertyRecord& record, MessageSink& sink) const;

    // The names of records 1, 2, 3, ... up to the first number not found: the
    // lines of the component select list. Empty, with Error #24, when absent.
    std::vector<std::string> ListNames(MessageSink& sink) const;
    // The same without the message.
    std::vector<std::string> ListNames() const;

private:
    bool present_ = false;
    std::string path_;
    std::vector<PropertyRecord> records_;
    std::unordered_map<int32_t, std::size_t> by_number_;
    std::unordered_map<std::string, std::size_t> by_name_;
};

}  // namespace quorven
