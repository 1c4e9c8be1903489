#pragma once
// The "Meter/Pipe Data" area of the main form without widgets: the texts that name
// what is being sized, the nominal pipe size list of the size box, and how a size
// or schedule takes its standard inside diameter.

#include <string>
#include <string_view>
#include <vector>

#include "form/meter_choices.h"
#include "record/tag_record.h"

namespace quorven {

// The texts of the meter area, composed from the record's codes as the meter
// dialogs compose them (ApplyMeterTexts), so that a new tag, a tag read from a file
// or set from the command line names the meter it will be sized for. The record's
// own texts are used where the codes do not give one (the user's texts of custom
// meters); materials are named from their indexes.
struct MeterPipeTexts {
    std::string family;            // "ORIFICE PLATE"
    std::string type;              // 1033 "CONCENTRIC"
    std::string style;             // 1034
    std::string tap;               // 1036 "FLANGE TAPS"
    std::string element_material;  // 1035
    std::string sizing;            // 1039 "FLOWMETER CALC FOR BORE"
    std::string standard;          // 1041
    std::string pipe_material;     // beside 1735 "Pipe Material:"
};
MeterPipeTexts DescribeMeterPipe(const TagRecord& r);

// The stainless-steel schedules of ASME B36.19M: a number followed by "S" ("5S",
// "10S", "40S", "80S"; also "20S" and "30S"). "XS", "XXS" and "STD" are not.
bool IsStainlessSchedule(std::string_view schedule);

// A nominal size [in] as the size box shows it in the pipe size unit: inches as
// they are; in a metric unit an exact nominal size shows its DN (NPS 4 is DN 100:
// "100.00" mm, "10.00" cm), any other size converted by the unit's factor.
double NominalSizeShown(const TagRecord& r, double inches);
// The same as text: "%.2f".
std::string NominalSizeShownText(const TagRecord& r, double inches);

// The list of the size box in the pipe size unit: NPS 1/2 to 30 for a stainless
// schedule (the sizes of ASME B36.19M), NPS 1/2 to 48 otherwise.
std::vector<PipeSizeEntry> NominalSizeChoices(const TagRecord& r);

// Takes the standard inside diameter of the record's nominal size and schedule
// from the pipe tables (ASME B36.10M, B36.19M); "NON-STD" keeps the diameter. A
// schedule text outside the material's list is taken from the schedule position
// (the record then holds its text). Where
// the tables have none the schedule becomes "NON-STD", the diameter stays, and
// false is returned: the user is to be asked for the diameter.
bool TakeStandardPipeDiameter(TagRecord& r);

}  // namespace quorven
