// The meter system uncertainty set-up: what it shows, what OK writes, its
// enable rules.
#include "app/dialogs/accu_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <cstring>
#include <limits>

#include "form/accu_inputs.h"
#include "qt_test_support.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {
namespace {

using testing::Find;
using testing::WhenModalAppears;

constexpr int kOk = 1;
constexpr int kCancel = 2;

bool SameBytes(const TagRecord& a, const TagRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TagRecord InMillimetres() {
    TagRecord r = NewTagRecord();
    const UnitTables& t = DefaultUnitTables();
    EXPECT_TRUE(SelectUnit(r, t, Quantity::Bore, FindUnit(t, UnitList::BoreLength, "mm")));
    r.Calc_Status = 1;
    return r;
}

TEST(AccuInputs, ToleranceInTheBoreUnitAndPercentTimesHundred) {
    TagRecord r = InMillimetres();  // Uncert_Bore 0.0007 in, Uncert_Pipe 0.004 in
    // Hand calculation: 0.0007 in x 25.4 = 0.01778 mm; 0.004 in x 25.4 = 0.1016 mm.
    AccuInputs shown = AccuInputsOf(r);
    EXPECT_FALSE(shown.percent_mode);
    EXPECT_NEAR(shown.bore, 0.01778, 1e-12);
    EXPECT_NEAR(shown.pipe, 0.1016, 1e-12);
    // Percent mode shows the same stored numbers x 100.
    shown = AccuInputsOf(r, true, false, true);
    EXPECT_NEAR(shown.bore, 0.07, 1e-12);
    EXPECT_NEAR(shown.pipe, 0.4, 1e-12);

    struct Case {
        const char* what;
        bool percent;
        double bore, pipe, stored_bore, stored_pipe;
    };
    const Case kCases[] = {
        {"tolerance 0.0254 mm and 0.254 mm", false, 0.0254, 0.254, 0.001, 0.01},
        {"percent 0.5 and 1", true, 0.5, 1.0, 0.005, 0.01},
        {"zero is allowed", false, 0.0, 0.0, 0.0, 0.0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        TagRecord s = InMillimetres();
        AccuInputs in = AccuInputsOf(s, true, true, c.percent);
        in.bore = c.bore;
        in.pipe = c.pipe;
        in.percent[2] = 0.3;
        ASSERT_TRUE(ApplyAccuInputs(s, in));
        EXPECT_NEAR(s.Uncert_Bore, c.stored_bore, 1e-15);
        EXPECT_NEAR(s.Uncert_Pipe, c.stored_pipe, 1e-15);
        EXPECT_EQ(s.Uncert_BoreMode, c.percent ? 1 : 0);
        EXPECT_EQ(s.Uncert_StraightRun, 1);
        EXPECT_EQ(s.Uncert_Press, 0.3);
        EXPECT_EQ(s.Calc_Status, 1);  // the uncertainty changes at the next Calculate
    }
}

TEST(AccuInputs, RefusedValuesLeaveTheRecordIntact) {
    const double kBad[] = {-0.1, std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity()};
    for (int slot = 0; slot < 3; ++slot) {
        for (double bad : kBad) {
            SCOPED_TRACE(slot);
            TagRecord r = InMillimetres();
            const TagRecord before = r;
            AccuInputs in = AccuInputsOf(r);
            if (slot == 0) in.bore = bad;
            if (slot == 1) in.pipe = bad;
            if (slot == 2) in.percent[8] = bad;
            EXPECT_FALSE(ApplyAccuInputs(r, in));
            EXPECT_TRUE(SameBytes(r, before));
        }
    }
}

TEST(AccuDialog, EnableRulesLabelsAndUnits) {
    TagRecord r = InMillimetres();
    const TagRecord before = r;
    WhenModalAppears([](QWidget* d) {
        auto* bore = Find<QLineEdit>(d, 1383);
        auto* bore_label = Find<QLabel>(d, 1381);
        auto* bore_unit = Find<QLabel>(d, 1395);
        auto* pipe_unit = Find<QLabel>(d, 1396);
        auto* percent = Find<QRadioButton>(d, 1379);
        ASSERT_TRUE(bore && bore_label && bore_unit && pipe_unit && percent);
        // Included, tolerance mode: tolerances in the bore unit.
        EXPECT_TRUE(bore->isEnabled());
        EXPECT_EQ(bore_label->text(), QStringLiteral("Meter bore tolerance:"));
        EXPECT_EQ(bore_unit->text(), QStringLiteral("mm"));
        EXPECT_EQ(pipe_unit->text(), QStringLiteral("mm"));
        EXPECT_EQ(bore->text(), QStringLiteral("0.01778"));
        // Percent: labels, "%" and the stored values x 100; an unconfirmed entry is replaced.
        bore->setText(QStringLiteral("9"));
        percent->click();
        EXPECT_EQ(bore_label->text(), QStringLiteral("Meter bore accuracy:"));
        EXPECT_EQ(Find<QLabel>(d, 1382)->text(), QStringLiteral("Pipe I.D. accuracy:"));
        EXPECT_EQ(bore_unit->text(), QStringLiteral("%"));
        EXPECT_EQ(bore->text(), QStringLiteral("0.07"));
        // "No" disables the eleven edits and the mode choice.
        Find<QRadioButton>(d, 1378)->click();
        for (int id = 1383; id <= 1393; ++id) {
            SCOPED_TRACE(id);
            EXPECT_FALSE(Find<QLineEdit>(d, id)->isEnabled());
        }
        EXPECT_FALSE(percent->isEnabled());
        EXPECT_FALSE(Find<QRadioButton>(d, 1380)->isEnabled());
        Find<QRadioButton>(d, 1377)->click();
        EXPECT_TRUE(Find<QLineEdit>(d, 1393)->isEnabled());
        Find<QAbstractButton>(d, kCancel)->click();
    });
    EXPECT_FALSE(ExecAccuDialog(nullptr, r));
    EXPECT_TRUE(SameBytes(r, before));
}

TEST(AccuDialog, OkWritesTheEntries) {
    TagRecord r = InMillimetres();
    WhenModalAppears([](QWidget* d) {
        // A click fills the edits again from the stored values: choose first, then type.
        Find<QRadioButton>(d, 1771)->click();
        Find<QLineEdit>(d, 1383)->setText(QStringLiteral("0.0254"));
        Find<QLineEdit>(d, 1385)->setText(QStringLiteral("0.075"));
        Find<QAbstractButton>(d, kOk)->click();
    });
    ASSERT_TRUE(ExecAccuDialog(nullptr, r));
    EXPECT_NEAR(r.Uncert_Bore, 0.001, 1e-15);  // hand: 0.0254 mm / 25.4 mm/in
    EXPECT_NEAR(r.Uncert_Pipe, 0.004, 1e-15);  // unchanged through the display round trip
    EXPECT_EQ(r.Uncert_MeterXmtr, 0.075);
    EXPECT_EQ(r.Uncert_StraightRun, 1);
    EXPECT_EQ(r.Calc_Status, 1);

    // "No" with a bad entry in a disabled edit: nothing typed there is written.
    WhenModalAppears([](QWidget* d) {
        Find<QLineEdit>(d, 1386)->setText(QStringLiteral("x"));
        Find<QRadioButton>(d, 1378)->click();
        Find<QAbstractButton>(d, kOk)->click();
    });
    ASSERT_TRUE(ExecAccuDialog(nullptr, r));
    EXPECT_EQ(r.Uncert_Incl, 0);
    EXPECT_EQ(r.Uncert_RecvXmtr, 0.2);
}

}  // namespace
}  // namespace quorven
