#include "project/batch_status.h"

namespace quorven {

std::string StatusHeading(std::string_view project_name) {
    std::string s = "\n\n\nQuorven batch calculation status file for project ";
    s += project_name;
    s += ".\n";
    return s;
}

std::string_view CalculationBlock(bool calculated) {
    return calculated ? "\tCALCULATION ERRORS:\n\t\tNo errors!\n\n"
                      : "\tCALCULATION ERRORS:\n\t\tCalculation would not iterate to a valid solution!\n"
                        "\t\tCheck sizing data.\n\n";
}

std::string UnreadableTagBlock(std::string_view tag_no) {
    std::string s = "Tag No.:   ";
    s += tag_no;
    s += "\n\n\tRECORD ERRORS:\n\t\tThe stored record of this tag cannot be read.  Tag skipped!\n\n";
    return s;
}

std::string NotSavedBlock(std::string_view reason) {
    std::string s = "\tBATCH CALCULATION NOT SAVED:\n\t\t";
    s += reason;
    s += "\n\t\tNo tag of the project was changed.\n";
    return s;
}

std::string WithWindowsLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    char previous = '\0';
    for (const char c : text) {
        if (c == '\n' && previous != '\r') out += '\r';
        out += c;
        previous = c;
    }
    return out;
}

}  // namespace quorven
