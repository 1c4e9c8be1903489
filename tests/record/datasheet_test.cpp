#include "record/datasheet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "record/record_fields.h"
#include "record/record_io.h"

namespace quorven {
namespace {

// A record whose every byte is set, so a clear that misses a byte or spills
// over a neighbouring field shows.
TagRecord EveryByteSet() {
    TagRecord r;
    std::memset(&r, 'x', sizeof r);
    return r;
}

TEST(ClearDatasheet, EmptiesEveryDatasheetTextAndZeroesMaxima) {
    TagRecord r = EveryByteSet();
    r.Max_Press = 250.0;
    r.Max_Temp = 760.0;
    ClearDatasheet(r);
    bool inside = false;
    for (const FieldInfo& f : RecordFields()) {
        const std::string name = f.name;
        if (name == "Spec_No") inside = true;
        if (!inside) continue;
        SCOPED_TRACE(name);
        for (std::size_t i = 0; i < f.width; ++i)
            EXPECT_EQ(reinterpret_cast<const char*>(&r)[f.offset + i], '\0');
        if (name == "User_Misc") break;
    }
    EXPECT_EQ(r.Max_Press, 0.0);
    EXPECT_EQ(r.Max_Temp, 0.0);
    // The four revision rows by name, as the Clear Datasheet command promises.
    EXPECT_EQ(GetText(r.Rev_No_4), "");
    EXPECT_EQ(GetText(r.Rev_By_4), "");
    EXPECT_EQ(GetText(r.Rev_Date_4), "");
}

TEST(ClearDatasheet, LeavesEveryOtherByteAsItWas) {
    TagRecord r = EveryByteSet();
    const std::string before = RecordToBytes(r);
    ClearDatasheet(r);
    const std::string after = RecordToBytes(r);
    const std::size_t begin = offsetof(TagRecord, Spec_No);
    const std::size_t end = offsetof(TagRecord, Rec_Reserved7);
    EXPECT_EQ(after.substr(0, begin), before.substr(0, begin));
    // Rec_Reserved7 and the uncertainty inputs after the maxima are untouched.
    EXPECT_EQ(after.substr(end, 4), before.substr(end, 4));
    const std::size_t uncert = offsetof(TagRecord, Uncert_Incl);
    EXPECT_EQ(after.substr(uncert), before.substr(uncert));
}

TEST(ClearDatasheet, CalculatedTagKeepsItsResultsAndStatus) {
    TagRecord r = NewTagRecord();
    r.Calc_Status = 1;
    r.Bore = 2.013;
    r.Beta = 0.5;
    SetText(r.Spec_No, "IS-4410");
    SetText(r.User_Misc, "see vendor drawing");
    r.Max_Press = 300.0;
    ClearDatasheet(r);
    EXPECT_EQ(r.Calc_Status, 1);
    EXPECT_EQ(r.Bore, 2.013);
    EXPECT_EQ(r.Beta, 0.5);
    EXPECT_EQ(GetText(r.Spec_No), "");
    EXPECT_EQ(GetText(r.User_Misc), "");
    // A new document's datasheet is already empty: clearing it changes nothing.
    const TagRecord fresh = NewTagRecord();
    TagRecord cleared = fresh;
    ClearDatasheet(cleared);
    EXPECT_EQ(RecordToBytes(cleared), RecordToBytes(fresh));
}

}  // namespace
}  // namespace quorven
