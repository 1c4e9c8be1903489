// Custom flow units and "Units Array Setup", driven as a user drives them.
#include "app/dialogs/unit_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <cstring>

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

// Chooses MM (millions), cubic feet at standard conditions, years.
void ChooseMmScfy(QWidget* d) {
    Find<QComboBox>(d, kIdCustomQuantity)->setCurrentIndex(0);
    Find<QComboBox>(d, kIdCustomTime)->setCurrentIndex(0);
    Find<QComboBox>(d, kIdCustomPrefix)->setCurrentIndex(9);
}

TEST(CustomUnitDialog, MillionStandardCubicFeetPerYear) {
    WhenModalAppears([](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Gas/Vapor Volume Units @ Base Conditions"));
        ChooseMmScfy(d);
        Find<QAbstractButton>(d, kOk)->click();
    });
    const std::optional<CustomFlowUnit> unit = ExecCustomUnitDialog(nullptr, FlowKind::GasBase);
    ASSERT_TRUE(unit.has_value());
    EXPECT_EQ(unit->name, "MM scfy");
    // Hand calculation: 1 scfh = 8760 scf per year (365 days) = 8.76e-3 MMscf per year.
    EXPECT_DOUBLE_EQ(unit->factor, 8.760000e-03);

    WhenModalAppears([](QWidget* d) { Find<QAbstractButton>(d, kCancel)->click(); });
    EXPECT_FALSE(ExecCustomUnitDialog(nullptr, FlowKind::GasBase).has_value());
}

TagRecord GasAtBase() {
    TagRecord r = NewTagRecord();
    r.Fluid_Equation = Code(FluidEquation::GasVolume);
    r.Fluid_Property = Code(FluidProperty::GasSG);
    r.Fluid_Condition = Code(FluidCondition::GasBase);
    return r;
}

TEST(UnitsArraySetup, SetUnitReplacesTheRowAndOkWritesListAndRecord) {
    UnitTables t = DefaultUnitTables();
    TagRecord r = GasAtBase();
    ASSERT_EQ(FlowKindOf(r), FlowKind::GasBase);
    ASSERT_TRUE(SelectFlowUnit(r, t, 2));
    WhenModalAppears([](QWidget* d) {
        // The row's button opens the custom-unit dialog of the kind.
        WhenModalAppears(
            [](QWidget* custom) {
                ChooseMmScfy(custom);
                Find<QAbstractButton>(custom, kOk)->click();
            },
            [d](QWidget* w) { return w != d; });
        Find<QAbstractButton>(d, kIdUnitSetFirst + 2)->click();
        EXPECT_EQ(Find<QLineEdit>(d, kIdUnitNameFirst + 2)->text(), QStringLiteral("MM scfy"));
        EXPECT_EQ(Find<QLineEdit>(d, kIdUnitFactorFirst + 2)->text(), QStringLiteral("0.00876"));
        Find<QAbstractButton>(d, kOk)->click();
    });
    ASSERT_TRUE(ExecUnitsArraySetup(nullptr, FlowKind::GasBase, t, r));
    EXPECT_EQ(UnitName(t, UnitList::GasBaseVolFlow, 2), "MM scfy");
    EXPECT_DOUBLE_EQ(UnitFactor(t, UnitList::GasBaseVolFlow, 2), 8.76e-3);
    EXPECT_DOUBLE_EQ(r.Unit_Flow, 8.76e-3);  // the record's selection follows the edited list

    // Cancel after editing a row changes neither the list nor the record.
    const UnitTables t_before = t;
    const TagRecord r_before = r;
    WhenModalAppears([](QWidget* d) {
        Find<QLineEdit>(d, kIdUnitNameFirst + 0)->setText(QStringLiteral("xyz"));
        Find<QAbstractButton>(d, kCancel)->click();
    });
    EXPECT_FALSE(ExecUnitsArraySetup(nullptr, FlowKind::GasBase, t, r));
    EXPECT_EQ(std::memcmp(&t, &t_before, sizeof t), 0);
    EXPECT_EQ(std::memcmp(&r, &r_before, sizeof r), 0);
}

}  // namespace
}  // namespace quorven
