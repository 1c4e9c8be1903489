// The Fluids commands driven as a user drives them, offscreen: each command's dialogs
// confirmed store what the Fluids functions store; Cancel at any dialog, or a refused
// entry, leaves the record byte for byte as it was.
#include "app/dialogs/fluid_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/commands/command_ids.h"
#include "fluids/aga8_mixture.h"
#include "fluids/property_database.h"
#include "fluids/steam_ifc67.h"
#include "form/fluid_commands.h"
#include "messages/messages.h"
#include "qt_test_support.h"
#include "record/file_doubles.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"

namespace quorven {
namespace {

using testing::Find;
using testing::WhenModalAppears;
using namespace cmd;

constexpr int kOk = 1;
constexpr int kCancel = 2;
const QString kConditions = QStringLiteral("Fluid Properties - Pressure & Temperature Data");
const QString kGasSetupCaption = QStringLiteral("Gas Equation Setup");
const QString kLiquidSetupCaption = QStringLiteral("Liquid Equation Setup");
const QString kSatSteam = QStringLiteral("Saturated Steam Condition");
const QString kSelection = QStringLiteral("Single Component & Multi-Component Fluid Selection");
const QString kAga = QStringLiteral("AGA 8 Natural Gas");

const PropertyDatabase& Database() {
    static const PropertyDatabase db = PropertyDatabase::Open(QUORVEN_PROPERTY_DAF);
    return db;
}

bool SameBytes(const TagRecord& a, const TagRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// When the dialog with this caption is the active modal one, `drive` acts on it.
void When(const QString& caption, std::function<void(QWidget*)> drive) {
    WhenModalAppears(std::move(drive), [caption](QWidget* w) { return w->windowTitle() == caption; });
}

void Press(QWidget* d, int id) {
    Find<QAbstractButton>(d, id)->click();
}

void Type(QWidget* d, int id, const QString& text) {
    auto* edit = Find<QLineEdit>(d, id);
    edit->setFocus();
    edit->setText(text);
}

void Check(QWidget* d, int id) {
    Find<QRadioButton>(d, id)->setChecked(true);
}

// A gas tag in psig and deg F with flows, as the form leaves it.
TagRecord GasTag() {
    TagRecord r = NewTagRecord();
    r.AtmPress = 14.696;
    r.Base_Press = 14.73;
    r.Base_Temp = 519.67;
    r.Flow_Press = 614.696;  // 600 psig
    r.Flow_Temp = 519.67;
    r.Property_MwDenVp = 0.6;
    r.Base_RhoGZ = 0.998;
    r.Flow_RhoGZ = 0.9;
    r.Flow_Max = 500000.0;
    r.Flow_Norm = 400000.0;
    SetText(r.Fluid, "OLD GAS");
    SetText(r.Unit_Press_Text, "psig");
    SetText(r.Unit_Temp_Text,
            "\xB0"
            "F");
    return r;
}

struct Fixture {
    FluidSession session;
    RecordingMessageSink sink{MessageAnswer::Yes};
    UnitDefaults remembered = DefaultUnitDefaults();
    TagRecord record = GasTag();
    Fixture() { session.database = &Database(); }
    bool Run(int command) {
        return RunFluidCommand(nullptr, command, record, remembered, DefaultUnitTables(), session, sink);
    }
};

// Runs a command whose dialogs are driven by the callbacks set up before, and checks
// that nothing changed.
void ExpectUnchanged(Fixture& f, int command) {
    const TagRecord before = f.record;
    const UnitDefaults remembered = f.remembered;
    EXPECT_FALSE(f.Run(command));
    EXPECT_TRUE(SameBytes(f.record, before));
    EXPECT_EQ(std::memcmp(&f.remembered, &remembered, sizeof remembered), 0);
}

TEST(FluidDialogs, SetupDialogsOpenWithTheRememberedChoiceAndMassDisablesConditions) {
    When(kGasSetupCaption, [](QWidget* d) {
        EXPECT_TRUE(Find<QRadioButton>(d, 1353)->isChecked());
        EXPECT_TRUE(Find<QRadioButton>(d, 1355)->isChecked());
        EXPECT_TRUE(Find<QRadioButton>(d, 1357)->isChecked());
        EXPECT_FALSE(Find<QRadioButton>(d, 1354)->isEnabled());
        Check(d, 1352);
        EXPECT_TRUE(Find<QRadioButton>(d, 1354)->isEnabled());
        Check(d, 1358);
        Press(d, kOk);
    });
    EXPECT_EQ(RunGasSetupDialog(nullptr, {Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing),
                                          Code(FluidProperty::GasMW)}),
              (EquationChoice{Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing),
                              Code(FluidProperty::GasDensity)}));

    When(kLiquidSetupCaption, [](QWidget* d) {
        EXPECT_TRUE(Find<QRadioButton>(d, 1345)->isChecked());
        Check(d, 1346);
        EXPECT_FALSE(Find<QRadioButton>(d, 1347)->isEnabled());
        Check(d, 1350);
        Press(d, kOk);
    });
    EXPECT_EQ(
        RunLiquidSetupDialog(nullptr, {Code(FluidEquation::LiquidVolume),
                                       Code(FluidCondition::LiquidBaseTemp), Code(FluidProperty::LiquidSG)}),
        (EquationChoice{Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidBaseTemp),
                        Code(FluidProperty::LiquidDensity)}));
    When(kLiquidSetupCaption, [](QWidget* d) { Press(d, kCancel); });
    EXPECT_FALSE(
        RunLiquidSetupDialog(nullptr, {Code(FluidEquation::LiquidVolume),
                                       Code(FluidCondition::LiquidBaseTemp), Code(FluidProperty::LiquidSG)}));
}

TEST(FluidDialogs, ConditionsDialogShowsDisplayUnitsAndRefusesAbsoluteZero) {
    const TagRecord r = GasTag();
    RecordingMessageSink sink;
    When(kConditions, [](QWidget* d) {
        EXPECT_EQ(Find<QLineEdit>(d, 1337)->text(), QStringLiteral("600.00"));
        EXPECT_EQ(Find<QLineEdit>(d, 1338)->text(), QStringLiteral("60.00"));
        EXPECT_EQ(Find<QLabel>(d, 1339)->text(), QStringLiteral("psig"));
        EXPECT_EQ(Find<QLabel>(d, 1340)->text(), QStringLiteral("deg F"));
        Type(d, 1337, QStringLiteral("-14.696"));  // 0 psia
        Press(d, kOk);
        ASSERT_TRUE(d->isVisible());  // refused: the dialog stays open
        Type(d, 1337, QStringLiteral("1000"));
        Type(d, 1338, QStringLiteral("-460"));
        Press(d, kOk);
        ASSERT_TRUE(d->isVisible());
        Type(d, 1338, QStringLiteral("100"));
        Press(d, kOk);
    });
    const auto c = RunConditionsDialog(nullptr, r, DefaultUnitTables(), 600.0, 60.0, sink);
    ASSERT_TRUE(c);
    EXPECT_NEAR(c->P_psia, 1014.696, 1e-9);
    EXPECT_NEAR(c->T_R, 559.67, 1e-9);
    EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrFlowingPressure, msg::kErrFlowingTemperature}));
}

TEST(FluidCommands, SaturatedSteamByPressureAndByTemperature) {
    Fixture f;
    When(kSatSteam, [](QWidget* d) {
        EXPECT_EQ(Find<QLabel>(d, 1344)->text(), QStringLiteral("Pressure"));
        EXPECT_EQ(Find<QLabel>(d, 1342)->text(), QStringLiteral("psig"));
        Type(d, 1341, QStringLiteral("85.304"));  // 100 psia
        Press(d, kOk);
    });
    ASSERT_TRUE(f.Run(kSatSteamPressure));
    FluidDocument expected{GasTag(), DefaultUnitDefaults()};
    NullMessageSink quiet;
    ASSERT_EQ(OnSteam(expected, DefaultUnitTables(),
                      {SteamCommand::SaturatedAtPressure, 85.304 + 14.696, 0.0}, quiet)
                  .status,
              FluidCommandStatus::Stored);
    EXPECT_TRUE(SameBytes(f.record, expected.record));
    EXPECT_STREQ(f.record.Fluid, "SATURATED STEAM");
    EXPECT_EQ(RememberedGasChoice(f.remembered),
              (EquationChoice{Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing),
                              Code(FluidProperty::GasDensity)}));

    When(kSatSteam, [](QWidget* d) {
        EXPECT_EQ(Find<QLabel>(d, 1344)->text(), QStringLiteral("Temperature"));
        Type(d, 1341, QStringLiteral("212"));
        Press(d, kOk);
    });
    ASSERT_TRUE(f.Run(kSatSteamTemperature));
    EXPECT_NEAR(f.record.Flow_Press, 14.696, 0.01);  // saturation pressure at 212 F
    EXPECT_NEAR(f.record.Flow_Temp, 671.67, 1e-9);

    // Cancel, and a state the steam table refuses (Error #18): nothing changes.
    When(kSatSteam, [](QWidget* d) { Press(d, kCancel); });
    ExpectUnchanged(f, kSatSteamPressure);
    When(kSatSteam, [](QWidget* d) {
        Type(d, 1341, QStringLiteral("800"));  // above the critical temperature
        Press(d, kOk);
    });
    f.sink.messages.clear();
    ExpectUnchanged(f, kSatSteamTemperature);
    EXPECT_EQ(f.sink.Numbers(), std::vector<int>{msg::kErrLiquidState});
}

TEST(FluidCommands, SuperheatedSteamAndCompressedWater) {
    Fixture f;
    When(kConditions, [](QWidget* d) {
        Type(d, 1337, QStringLiteral("85.304"));
        Type(d, 1338, QStringLiteral("500"));
        Press(d, kOk);
    });
    ASSERT_TRUE(f.Run(kSuperheatedSteam));
    EXPECT_STREQ(f.record.Fluid, "SUPERHEATED STEAM");
    EXPECT_NEAR(f.record.Flow_Press, 100.0, 1e-9);

    // Below its saturation temperature: Error #18, nothing stored.
    When(kConditions, [](QWidget* d) {
        Type(d, 1338, QStringLiteral("300"));
        Press(d, kOk);
    });
    f.sink.messages.clear();
    ExpectUnchanged(f, kSuperheatedSteam);
    EXPECT_EQ(f.sink.Numbers(), std::vector<int>{msg::kErrLiquidState});

    // Compressed water, density input: the liquid setup's choice with the water's data.
    When(kConditions, [](QWidget* d) {
        Type(d, 1337, QStringLiteral("485.304"));  // 500 psia
        Type(d, 1338, QStringLiteral("200"));
        When(kLiquidSetupCaption, [](QWidget* s) {
            Check(s, 1350);
            Press(s, kOk);
        });
        Press(d, kOk);
    });
    ASSERT_TRUE(f.Run(kCompressedWater));
    EXPECT_STREQ(f.record.Fluid, "WATER");
    EXPECT_EQ(ChoiceOf(f.record),
              (EquationChoice{Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
                              Code(FluidProperty::LiquidDensity)}));
    NullMessageSink quiet;
    const auto w = CSteamTable().CompressedWater(500.0, 200.0, 14.73, 60.0, quiet);
    ASSERT_TRUE(w);
    EXPECT_NEAR(f.record.Flow_RhoGZ, w->density_lb_ft3, 1e-9);
    EXPECT_NEAR(f.record.Base_RhoGZ, w->base_density_lb_ft3, 1e-9);
    EXPECT_EQ(f.record.Property_KFp, 1.0);

    // Cancel at the liquid setup after the computation: nothing changes.
    When(kConditions, [](QWidget* d) {
        When(kLiquidSetupCaption, [](QWidget* s) { Press(s, kCancel); });
        Press(d, kOk);
    });
    ExpectUnchanged(f, kCompressedWater);
}

TEST(FluidCommands, SetupCommandsAskBeforeDeletingTheOtherKindsData) {
    Fixture f;
    f.record.Fluid_Equation = Code(FluidEquation::LiquidVolume);  // a liquid tag
    f.record.Fluid_Condition = Code(FluidCondition::LiquidBaseTemp);
    f.record.Fluid_Property = Code(FluidProperty::LiquidSG);
    SetText(f.record.Tag_No, "FT-1");
    When(kGasSetupCaption, [](QWidget* d) { Press(d, kOk); });
    ASSERT_TRUE(f.Run(kGasSetup));  // the sink answers Yes: the liquid data are reset
    EXPECT_STREQ(f.record.Tag_No, "");
    EXPECT_EQ(f.record.Fluid_Equation, Code(FluidEquation::GasVolume));
    ASSERT_FALSE(f.sink.messages.empty());
    EXPECT_EQ(f.sink.messages.back().caption, "NOTE");

    // Cancel after the question: nothing changes, also with Yes.
    f.record.Fluid_Equation = Code(FluidEquation::LiquidVolume);
    When(kGasSetupCaption, [](QWidget* d) { Press(d, kCancel); });
    ExpectUnchanged(f, kGasSetup);

    // Liquid setup on a gas tag answered No: the gas data stay, Fp is set.
    Fixture g;
    g.sink = RecordingMessageSink(MessageAnswer::No);
    When(kLiquidSetupCaption, [](QWidget* d) { Press(d, kOk); });
    ASSERT_TRUE(g.Run(kLiquidSetup));
    EXPECT_STREQ(g.record.Fluid, "OLD GAS");
    EXPECT_EQ(g.record.Fluid_Equation, Code(FluidEquation::LiquidVolume));
    EXPECT_EQ(g.record.Property_KFp, 1.0);
    // Cancel on a gas tag: Fp is not touched.
    Fixture h;
    h.record.Property_KFp = 1.3;
    When(kLiquidSetupCaption, [](QWidget* d) { Press(d, kCancel); });
    ExpectUnchanged(h, kLiquidSetup);
}

// Fills the AGA 8 rows: methane 90, ethane 5, propane 2, nitrogen 2, carbon dioxide 1.
void TypeNaturalGas(QWidget* d) {
    for (int r = 0; r < 21; ++r) Type(d, 1707 + r, QStringLiteral("0"));
    Type(d, 1707, QStringLiteral("90"));      // METHANE
    Type(d, 1708, QStringLiteral("5"));       // ETHANE
    Type(d, 1709, QStringLiteral("2"));       // PROPANE
    Type(d, 1707 + 13, QStringLiteral("2"));  // NITROGEN
    Type(d, 1707 + 12, QStringLiteral("1"));  // CARBON DIOXIDE
    Find<QLineEdit>(d, 1708)->setFocus();     // leaving the last box stores it
}

TEST(FluidCommands, AgaNaturalGasStoresTheMethodsZAndTheDatabasesViscosityAndK) {
    Fixture f;
    When(kAga, [](QWidget* d) {
        EXPECT_EQ(Find<QLabel>(d, 1311)->text(), QStringLiteral("0.00000"));
        TypeNaturalGas(d);
        Type(d, 1707, QStringLiteral("89"));  // total 99: Error #26, the dialog stays open
        Press(d, kOk);
        ASSERT_TRUE(d->isVisible());
        EXPECT_EQ(Find<QLabel>(d, 1311)->text(), QStringLiteral("99.00000"));
        Type(d, 1707, QStringLiteral("90"));
        When(kConditions, [](QWidget* c) {
            EXPECT_EQ(Find<QLineEdit>(c, 1337)->text(), QStringLiteral("600.00"));
            When(kGasSetupCaption, [](QWidget* s) { Press(s, kOk); });
            Press(c, kOk);
        });
        Press(d, kOk);
    });
    ASSERT_TRUE(f.Run(kFluidAga8));
    EXPECT_EQ(f.sink.Numbers(), std::vector<int>{msg::kErrMixTotalBeforeCalculate});

    // The same as the command's own function, given the same entries.
    Aga8CommandInput in;
    in.database = &Database();
    in.percent_by_row[0] = 90.0;  // rows: methane, ethane, propane ... carbon dioxide 13, nitrogen 14
    in.percent_by_row[1] = 5.0;
    in.percent_by_row[2] = 2.0;
    in.percent_by_row[12] = 1.0;
    in.percent_by_row[13] = 2.0;
    in.Pf_psia = 600.0 + 14.696;  // as typed: 600 psig, 60 deg F
    in.Tf_R = 60.0 + 459.67;
    NullMessageSink quiet;
    FluidDocument expected{GasTag(), DefaultUnitDefaults()};
    FixedEquationChoice remembered_choice(RememberedGasChoice(expected.remembered));
    ASSERT_EQ(OnAgaNaturalGas(expected, DefaultUnitTables(), in, remembered_choice, quiet).status,
              FluidCommandStatus::Stored);
    EXPECT_TRUE(SameBytes(f.record, expected.record));
    EXPECT_GT(f.record.Property_Visc, 0.0);
    EXPECT_GT(f.record.Property_KFp, 1.0);
    EXPECT_NE(f.record.Flow_RhoGZ, 0.9);

    // Opening again shows the same composition; Cancel at the gas setup changes nothing.
    When(kAga, [](QWidget* d) {
        EXPECT_EQ(Find<QLineEdit>(d, 1707)->text(), QStringLiteral("90.00000"));
        EXPECT_EQ(Find<QLabel>(d, 1311)->text(), QStringLiteral("100.00000"));
        When(kConditions, [](QWidget* c) {
            When(kGasSetupCaption, [](QWidget* s) { Press(s, kCancel); });
            Press(c, kOk);
        });
        Press(d, kOk);
    });
    ExpectUnchanged(f, kFluidAga8);
    When(kAga, [](QWidget* d) {
        When(kConditions, [](QWidget* c) { Press(c, kCancel); });
        Press(d, kOk);
    });
    ExpectUnchanged(f, kFluidAga8);
}

TEST(FluidCommands, AgaDialogCarriesTheListsPercentsOverByComponent) {
    Fixture f;
    ASSERT_TRUE(AddSessionComponent(f.session, "PROPANE", 50.0, f.sink));
    ASSERT_TRUE(AddSessionComponent(f.session, "n-BUTANE", 50.0, f.sink));
    When(kAga, [](QWidget* d) {
        EXPECT_EQ(Find<QLineEdit>(d, 1707)->text(), QStringLiteral("0.00000"));   // METHANE
        EXPECT_EQ(Find<QLineEdit>(d, 1708)->text(), QStringLiteral("0.00000"));   // ETHANE
        EXPECT_EQ(Find<QLineEdit>(d, 1709)->text(), QStringLiteral("50.00000"));  // PROPANE
        EXPECT_EQ(Find<QLineEdit>(d, 1711)->text(), QStringLiteral("50.00000"));  // N-BUTANE
        Press(d, kCancel);
    });
    ExpectUnchanged(f, kFluidAga8);
}

class FakeChooser final : public FileChooser {
public:
    std::optional<std::string> Choose(const FileChoice& c) override {
        choices.push_back(c);
        return path;
    }
    std::optional<std::string> path;
    std::vector<FileChoice> choices;
};

TEST(FluidCommands, AgaSaveAndGetMix) {
    Fixture f;
    FakeChooser chooser;
    MemoryFileLayer files;
    f.session.files = &chooser;
    f.session.file_layer = &files;
    chooser.path = "gas.aga";
    When(kAga, [&](QWidget* d) {
        TypeNaturalGas(d);
        Press(d, 1334);  // Save Mix
        EXPECT_EQ(files.files["gas.aga"].size(), 1584u);
        Press(d, 1336);  // Clear Mix
        EXPECT_EQ(Find<QLabel>(d, 1311)->text(), QStringLiteral("0.00000"));
        Press(d, 1334);  // a total of 0 is not saved: Error #23
        Press(d, 1335);  // Get Mix restores the rows
        EXPECT_EQ(Find<QLineEdit>(d, 1707)->text(), QStringLiteral("90.00000"));
        EXPECT_EQ(Find<QLabel>(d, 1311)->text(), QStringLiteral("100.00000"));
        files.files["bad.aga"] = std::string(1583, '\0');
        chooser.path = "bad.aga";
        Press(d, 1335);  // a short file: Error #10, the rows stay
        EXPECT_EQ(Find<QLineEdit>(d, 1707)->text(), QStringLiteral("90.00000"));
        Press(d, kCancel);
    });
    ExpectUnchanged(f, kFluidAga8);
    EXPECT_EQ(f.sink.Numbers(), (std::vector<int>{msg::kErrMixTotalBeforeSave, msg::kErrMixtureFileOpen}));
    ASSERT_FALSE(chooser.choices.empty());
    EXPECT_TRUE(chooser.choices[0].save);
    EXPECT_EQ(chooser.choices[0].default_ext, "aga");
    EXPECT_EQ(chooser.choices[0].filter, "Mixture Files (*.aga)|*.aga||");
}

TEST(FluidCommands, GasesAndVaporsFromTheSelectList) {
    Fixture f;
    When(kSelection, [](QWidget* d) {
        auto* list = Find<QListWidget>(d, 1250);
        const auto found = list->findItems(QStringLiteral("METHANE"), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        Q_EMIT list->itemDoubleClicked(found[0]);
        EXPECT_EQ(Find<QLineEdit>(d, 1251)->text(), QStringLiteral("METHANE"));
        EXPECT_EQ(Find<QComboBox>(d, 1333)->count(), 3);
        // One component is taken at 100 whatever its box shows.
        When(kConditions, [](QWidget* c) {
            When(kGasSetupCaption, [](QWidget* s) { Press(s, kOk); });
            Press(c, kOk);
        });
        Press(d, kOk);
    });
    ASSERT_TRUE(f.Run(kFluidGasesCalc));
    EXPECT_STREQ(f.record.Fluid, "RK-METHANE");
    const auto held = SessionComponents(f.session);
    ASSERT_EQ(held.size(), 1u);
    EXPECT_EQ(held[0].mole_pct, 100.0);

    EXPECT_EQ(f.record.Flow_Press, 614.696);
    EXPECT_EQ(ChoiceOf(f.record),
              (EquationChoice{Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase),
                              Code(FluidProperty::GasSG)}));
    EXPECT_NEAR(f.record.Flow_RhoGZ, 0.91, 0.03);  // methane at 600 psig and 60 F: Z about 0.91
    EXPECT_NEAR(f.record.Property_MwDenVp, 16.043 / 28.9625, 1e-3);
    EXPECT_GT(f.record.Property_Visc, 0.0);
    EXPECT_GT(f.record.Property_KFp, 1.0);
    EXPECT_EQ(f.record.Calc_Status, 0);
}

TEST(FluidCommands, SelectionDialogTotalsDeleteClearAndCancel) {
    Fixture f;
    ASSERT_TRUE(AddSessionComponent(f.session, "METHANE", 60.0, f.sink));
    ASSERT_TRUE(AddSessionComponent(f.session, "ETHANE", 30.0, f.sink));
    When(kSelection, [](QWidget* d) {
        EXPECT_EQ(Find<QLabel>(d, 1311)->text(), QStringLiteral("90.00000"));
        Press(d, kOk);  // two components totalling 90: Error #26, the dialog stays open
        ASSERT_TRUE(d->isVisible());
        // Selecting row 2 marks it and enables Delete; Delete removes it.
        Press(d, 1313);
        EXPECT_FALSE(Find<QLineEdit>(d, 1252)->isEnabled());
        EXPECT_TRUE(Find<QAbstractButton>(d, 1332)->isEnabled());
        Press(d, 1332);
        EXPECT_EQ(Find<QLineEdit>(d, 1252)->text(), QString());
        EXPECT_FALSE(Find<QAbstractButton>(d, 1332)->isEnabled());
        Press(d, 1336);  // Clear Mix, answered Yes
        EXPECT_EQ(Find<QLineEdit>(d, 1251)->text(), QString());
        Press(d, kCancel);
    });
    ExpectUnchanged(f, kFluidGasesCalc);
    EXPECT_EQ(f.sink.Numbers().front(), msg::kErrMixTotalBeforeCalculate);
    EXPECT_EQ(f.sink.messages.back().caption, "Clear Mixture Data");
    EXPECT_TRUE(SessionComponents(f.session).empty());
}

TEST(FluidCommands, LiquidsFromTheSelectList) {
    Fixture f;
    ASSERT_TRUE(AddSessionComponent(f.session, "n-HEXANE", 100.0, f.sink));
    When(kSelection, [](QWidget* d) {
        EXPECT_EQ(Find<QComboBox>(d, 1333)->currentText(), QStringLiteral("Hankinson-Brobst-Thomson"));
        When(kConditions, [](QWidget* c) {
            Type(c, 1337, QStringLiteral("35.304"));  // 50 psia
            When(kLiquidSetupCaption, [](QWidget* s) { Press(s, kOk); });
            Press(c, kOk);
        });
        Press(d, kOk);
    });
    ASSERT_TRUE(f.Run(kFluidLiquidsCalc));
    EXPECT_STREQ(f.record.Fluid, "n-HEXANE");
    EXPECT_EQ(ChoiceOf(f.record),
              (EquationChoice{Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
                              Code(FluidProperty::LiquidSG)}));
    // n-hexane at 60 F: specific gravity 0.664 (API Technical Data Book), within the
    // correlation's few tenths of a percent.
    EXPECT_NEAR(f.record.Flow_RhoGZ, 0.664, 0.01);
    EXPECT_EQ(f.record.Flow_Max, 500000.0);  // the flows keep their numbers
    EXPECT_EQ(f.record.Property_KFp, 1.0);
}

}  // namespace
}  // namespace quorven
