// The meter, pipe and calculation set-up dialogs driven as a user would: open,
// change choices, press OK or Cancel, and compare the record bytes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/commands/command_ids.h"
#include "app/dialogs/meter_dialogs.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/platform/profile.h"
#include "messages/messages.h"
#include "qt_test_support.h"
#include "record/meter_texts.h"
#include "record/tag_record.h"

namespace quorven {
namespace {

using testing::Find;
using testing::WhenModalAppears;
using namespace cmd;

constexpr int kOk = 1;
constexpr int kCancel = 2;

void Press(QWidget* dialog, int id) {
    Find<QAbstractButton>(dialog, id)->click();
}

void ExpectSameBytes(const TagRecord& a, const TagRecord& b) {
    for (std::size_t i = 0; i < sizeof(TagRecord); ++i) {
        if (reinterpret_cast<const unsigned char*>(&a)[i] != reinterpret_cast<const unsigned char*>(&b)[i]) {
            ADD_FAILURE() << "records differ from byte " << i;
            return;
        }
    }
}

// Runs a command's dialog on a fresh document; `drive` acts on the dialog.
void RunOn(CQuorven64Doc& doc, int command, MeterDialogMemory& memory, std::function<void(QWidget*)> drive) {
    WhenModalAppears(std::move(drive));
    RunMeterDialogCommand(nullptr, command, doc, memory);
}

TEST(MeterDialogs, FirstOrificeDialogGivesConcentricRhgFlangeTaps316Ss) {
    CQuorven64Doc doc;
    doc.record.Meter_Type = Code(MeterType::AsmeLongRadiusNozzle);  // whatever the record holds
    doc.record.Calc_Std = Code(CalcStd::NozzleRhg1998);
    doc.record.Calc_Status = 1;
    doc.tag_saved = true;
    MeterDialogMemory memory;
    TagRecord expected = doc.record;
    RunOn(doc, kOrificePlate, memory, [](QWidget* d) {
        EXPECT_TRUE(Find<QRadioButton>(d, 1128)->isChecked());
        EXPECT_TRUE(Find<QRadioButton>(d, 1703)->isChecked());
        EXPECT_EQ(Find<QComboBox>(d, 1136)->currentText(), "Flange Taps");
        EXPECT_TRUE(Find<QComboBox>(d, 1135)->currentText().startsWith("316/316L SS"));
        EXPECT_FALSE(Find<QComboBox>(d, 1140)->isVisibleTo(d));
        Press(d, kOk);
    });
    // Hand-built expectation: the chosen codes, 68 deg F reference, texts of the type.
    expected.Meter_Type = Code(MeterType::ConcentricOrifice);
    expected.Calc_Std = Code(CalcStd::ReaderHarrisGallagher1998);
    expected.Tap_Style = 1;
    expected.Matl_Elem = 6;
    expected.DpRefTemp = 527.67;
    expected.Calc_Status = 0;
    ApplyMeterTexts(expected);
    ExpectSameBytes(doc.record, expected);
    EXPECT_EQ(std::string(GetText(doc.record.Meter)), "ORIFICE PLATE");
    EXPECT_FALSE(doc.tag_saved);
}

TEST(MeterDialogs, RestrictionModeForcesConcentricPipeTapsBuckingham) {
    CQuorven64Doc doc;
    doc.record.Calc_Mode = Code(CalcMode::Restriction);
    MeterDialogMemory memory;
    memory.plate_type = Code(MeterType::EccentricOrifice);  // remembered eccentric plate is not offered
    memory.plate_std = Code(CalcStd::Miller3rd);
    RunOn(doc, kOrificePlate, memory, [](QWidget* d) {
        EXPECT_TRUE(Find<QRadioButton>(d, 1128)->isChecked());
        for (int id : {1129, 1130, 1131, 1132, 1133, 1134})
            EXPECT_FALSE(Find<QRadioButton>(d, id)->isEnabled()) << id;
        EXPECT_TRUE(Find<QRadioButton>(d, 1139)->isChecked());
        for (int id : {1137, 1138, 1777, 1703, 1749, 1764, 1765})
            EXPECT_FALSE(Find<QRadioButton>(d, id)->isEnabled()) << id;
        auto* taps = Find<QComboBox>(d, 1136);
        EXPECT_EQ(taps->count(), 4);
        EXPECT_EQ(taps->currentText(), "Pipe Taps - 2-1/2D & 8D");
        EXPECT_FALSE(taps->isEnabled());
        Press(d, kOk);
    });
    EXPECT_EQ(doc.record.Meter_Type, Code(MeterType::ConcentricOrifice));
    EXPECT_EQ(doc.record.Tap_Style, 4);
    EXPECT_EQ(doc.record.Calc_Std, Code(CalcStd::Buckingham1985));
    EXPECT_DOUBLE_EQ(doc.record.DpRefTemp, 519.67);
}

TEST(MeterDialogs, IntegralOrificeOpensItsDialogAndStoresScheduleEighty) {
    CQuorven64Doc doc;
    MeterDialogMemory memory;
    bool integral_seen = false;
    RunOn(doc, kOrificePlate, memory, [&](QWidget* d) {
        WhenModalAppears(
            [&](QWidget* integral) {
                integral_seen = true;
                Find<QRadioButton>(integral, 1144)->setChecked(true);
                Find<QRadioButton>(integral, 1148)->setChecked(true);
                Press(integral, kOk);
            },
            [d](QWidget* w) { return w != d; });
        Find<QRadioButton>(d, 1133)->click();
        // The nested dialog ran inside the click; now the piping list is shown.
        EXPECT_TRUE(Find<QComboBox>(d, 1140)->isVisibleTo(d));
        Press(d, kOk);
    });
    EXPECT_TRUE(integral_seen);
    EXPECT_EQ(doc.record.Meter_Type, Code(MeterType::IntegralOrifice));
    EXPECT_EQ(doc.record.Meter_IFOAMfr, Code(IfoaMfr::FisherRosemount));
    EXPECT_EQ(doc.record.Meter_Style, 8);
    EXPECT_EQ(doc.record.Pipe_Sched, 3);
    EXPECT_EQ(std::string(GetText(doc.record.Pipe_Sched_Text)), "80S");
    // ASME B36.19M: 1-1/2 in 80S, OD 1.900 in, wall 0.200 in -> ID 1.500 in.
    EXPECT_NEAR(doc.record.Pipe_IDia, 1.500, 5e-4);
    EXPECT_EQ(memory.ifoa_size, Code(IfoaSize::Square15));
}

TEST(MeterDialogs, WedgeGoesToDpThenPipeDialog) {
    CQuorven64Doc doc;
    doc.record.Calc_SizeParam = Code(SizeParam::Bore);
    MeterDialogMemory memory;
    bool pipe_seen = false;
    WhenModalAppears([&](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), "Wedge Meter Selection");
        Find<QRadioButton>(d, 1693)->setChecked(true);
        WhenModalAppears(
            [&](QWidget* pipe) {
                pipe_seen = pipe->windowTitle() == "Pipe Data";
                Find<QComboBox>(pipe, 1169)->setCurrentIndex(10);  // 5 in
                Press(pipe, kOk);
            },
            [d](QWidget* w) { return w != d; });
        Press(d, kOk);
    });
    RunMeterDialogCommand(nullptr, kWedgeMeters, doc, memory);
    EXPECT_TRUE(pipe_seen);
    EXPECT_EQ(doc.record.Meter_Type, Code(MeterType::WedgeAbb1615L));
    EXPECT_EQ(doc.record.Calc_SizeParam, Code(SizeParam::Dp));
    EXPECT_DOUBLE_EQ(doc.record.Pipe_NomDia, 5.0);
    // ASME B36.10M 5 in schedule 40 (STD): OD 5.563 in, wall 0.258 in -> ID 5.047 in.
    EXPECT_NEAR(doc.record.Pipe_IDia, 5.047, 5e-4);
}

TEST(MeterDialogs, WedgePipeCancelKeepsTypedDiameter) {
    CQuorven64Doc doc;
    doc.record.Pipe_IDia = 3.9;  // a typed non-standard diameter
    MeterDialogMemory memory;
    WhenModalAppears([&](QWidget* d) {
        WhenModalAppears([](QWidget* pipe) { Press(pipe, kCancel); }, [d](QWidget* w) { return w != d; });
        Press(d, kOk);
    });
    RunMeterDialogCommand(nullptr, kWedgeMeters, doc, memory);
    EXPECT_EQ(doc.record.Meter_Type, Code(MeterType::WedgeIso5167_6));
    EXPECT_DOUBLE_EQ(doc.record.Pipe_IDia, 3.9);
}

TEST(MeterDialogs, CalcSetupCriticalDropOffersNoDpAndCancelStillMarksUncalculated) {
    CQuorven64Doc doc;
    doc.record.Calc_SizeParam = Code(SizeParam::Dp);
    doc.record.Calc_Status = 1;
    doc.tag_saved = true;
    TagRecord before = doc.record;
    MeterDialogMemory memory;
    RunOn(doc, kCalcSetup, memory, [](QWidget* d) {
        Find<QRadioButton>(d, 1124)->setChecked(true);
        EXPECT_FALSE(Find<QRadioButton>(d, 1121)->isEnabled());
        EXPECT_TRUE(Find<QRadioButton>(d, 1120)->isChecked());
        Find<QRadioButton>(d, 1123)->setChecked(true);
        EXPECT_TRUE(Find<QRadioButton>(d, 1121)->isEnabled());
        Press(d, kCancel);
    });
    before.Calc_Status = 0;
    ExpectSameBytes(doc.record, before);
    EXPECT_FALSE(doc.tag_saved);

    doc.record.Meter_Type = Code(MeterType::ConcentricOrifice);
    doc.last_critdrop.type = Code(MeterType::CriticalToroidalNozzle);
    doc.last_critdrop.material = 12;
    RunOn(doc, kCalcSetup, memory, [](QWidget* d) {
        Find<QRadioButton>(d, 1124)->setChecked(true);
        Press(d, kOk);
    });
    EXPECT_EQ(doc.record.Calc_Mode, Code(CalcMode::CriticalDrop));
    EXPECT_EQ(doc.record.Calc_SizeParam, Code(SizeParam::Bore));
    EXPECT_EQ(doc.record.Meter_Type, Code(MeterType::CriticalToroidalNozzle));
    EXPECT_EQ(doc.record.Matl_Elem, 12);
}

TEST(MeterDialogs, CancelLeavesEveryByteUnchanged) {
    const int commands[] = {kOrificePlate,
                            kFlowNozzle,
                            kVenturi,
                            kUvt,
                            kLoLoss,
                            kWedgeMeters,
                            kCritDropNozzle,
                            kCritDropOrifice,
                            kCritDropVenturi,
                            kCustomMeter,
                            kPipeData,
                            kProprietary1,
                            kProprietary2,
                            kProprietary1Alt,
                            kBase};
    for (int command : commands) {
        SCOPED_TRACE(command);
        CQuorven64Doc doc;
        doc.record.Calc_Status = 1;
        doc.tag_saved = true;
        const TagRecord before = doc.record;
        MeterDialogMemory memory;
        const MeterDialogMemory memory_before = memory;
        bool seen = false;
        RunOn(doc, command, memory, [&](QWidget* d) {
            seen = true;
            // Change what can be changed, then cancel. The pipe schedule goes to "NON-STD"
            // (last) before the size changes, so no table lookup warns.
            auto combos = d->findChildren<QComboBox*>();
            for (auto it = combos.rbegin(); it != combos.rend(); ++it) {
                if ((*it)->objectName() == "id1167") continue;
                (*it)->setCurrentIndex((*it)->count() - 1);
            }
            Press(d, kCancel);
        });
        EXPECT_TRUE(seen);
        ExpectSameBytes(doc.record, before);
        EXPECT_TRUE(doc.tag_saved);
        EXPECT_EQ(std::memcmp(&memory, &memory_before, sizeof memory), 0);
    }
}

TEST(MeterDialogs, PipeSizesInMillimetresShowAndStoreTheirNominalSize) {
    struct Row {
        const char* unit;
        double factor;
        const char* four_inch_text;
    };
    const Row rows[] = {{"in", 1.0, "4.00"}, {"mm", 25.4, "100"}, {"cm", 2.54, "10.0"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.unit);
        CQuorven64Doc doc;
        SetText(doc.record.Unit_Pipe_Text, row.unit);
        doc.record.Unit_Pipe = row.factor;
        MeterDialogMemory memory;
        RunOn(doc, kPipeData, memory, [&](QWidget* d) {
            auto* size = Find<QComboBox>(d, 1169);
            EXPECT_EQ(size->currentText().toStdString(), row.four_inch_text);  // the record's 4 in
            size->setCurrentIndex(11);                                         // 6 in
            EXPECT_EQ(Find<QLineEdit>(d, 1168)->text().toStdString(), "6.065");
            Press(d, kOk);
        });
        EXPECT_DOUBLE_EQ(doc.record.Pipe_NomDia, 6.0);
        // ASME B36.10M 6 in schedule 40 (STD): OD 6.625 in, wall 0.280 in -> ID 6.065 in.
        EXPECT_NEAR(doc.record.Pipe_IDia, 6.065, 5e-4);
    }
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

TEST(BaseDialog, RefusesPressureAndTemperatureNotAboveZeroThenTakesValues) {
    TagRecord record = NewTagRecord();  // psia and deg F
    record.Calc_Status = 1;
    const TagRecord before = record;
    RecordingMessageSink sink;
    WhenModalAppears([&](QWidget* d) {
        // Each unit name stands beside its value, on the same line.
        for (auto [edit, unit] : {std::pair{1115, 1111}, {1116, 1112}, {1117, 1113}, {1118, 1114}}) {
            const QRect e = Find<QLineEdit>(d, edit)->geometry();
            const QRect u = Find<QLabel>(d, unit)->geometry();
            EXPECT_GE(u.left(), e.right()) << unit;
            EXPECT_LE(std::abs(u.center().y() - e.center().y()), 4) << unit;
        }
        EXPECT_EQ(Find<QLabel>(d, 1111)->text(), QStringLiteral("psia"));
        EXPECT_EQ(Find<QLineEdit>(d, 1115)->text().toStdString(), "14.69595");
        Find<QLineEdit>(d, 1115)->setText("0");
        Press(d, 1);
        EXPECT_TRUE(d->isVisible());  // refused, still open
        Find<QLineEdit>(d, 1115)->setText("15");
        Find<QLineEdit>(d, 1116)->setText("-460");  // below absolute zero
        Press(d, 1);
        EXPECT_TRUE(d->isVisible());
        Press(d, 2);
    });
    EXPECT_FALSE(RunBaseDialog(nullptr, record, sink));
    EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrBasePressure, msg::kErrBaseTemperature}));
    ExpectSameBytes(record, before);

    WhenModalAppears([&](QWidget* d) {
        Find<QLineEdit>(d, 1115)->setText("15");
        Find<QLineEdit>(d, 1116)->setText("70");
        Find<QRadioButton>(d, 1110)->setChecked(true);
        Press(d, 1);
    });
    EXPECT_TRUE(RunBaseDialog(nullptr, record, sink));
    EXPECT_DOUBLE_EQ(record.Base_Press, 15.0);
    EXPECT_NEAR(record.Base_Temp, 529.67, 1e-9);  // 70 deg F + 459.67 (hand calculation)
    EXPECT_EQ(record.Tap_Loc, Code(TapLoc::Downstream));
    EXPECT_EQ(record.Calc_Status, 0);
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

TEST(PipeDialog, CombinationWithoutStandardDiameterWarnsAndGoesNonStd) {
    CQuorven64Doc doc;  // carbon steel, 4 in STD
    MeterDialogMemory memory;
    bool warned = false;
    RunOn(doc, kPipeData, memory, [&](QWidget* d) {
        auto* size = Find<QComboBox>(d, 1169);
        auto* schedule = Find<QComboBox>(d, 1170);
        size->setCurrentIndex(size->findText("48.00"));
        // ASME B36.10M lists schedule 160 only up to 24 in: 48 in has none.
        WhenModalAppears(
            [&](QWidget* box) {
                warned = box->windowTitle() == "WARNING";
                Press(box, kOk);
            },
            [d](QWidget* w) { return w != d; });
        schedule->setCurrentIndex(schedule->findText("160"));
        EXPECT_EQ(schedule->currentText().toStdString(), "NON-STD");
        Find<QLineEdit>(d, 1168)->setText("46.5");
        Press(d, kOk);
    });
    EXPECT_TRUE(warned);
    EXPECT_DOUBLE_EQ(doc.record.Pipe_NomDia, 48.0);
    EXPECT_EQ(std::string(GetText(doc.record.Pipe_Sched_Text)), "NON-STD");
    EXPECT_DOUBLE_EQ(doc.record.Pipe_IDia, 46.5);  // the typed diameter is kept
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

TEST(MeterDialogs, MenuCommandOpensDialogAndTheChoiceIsRememberedForTheNextDocument) {
    QTemporaryDir dir;
    Profile profile(dir.filePath("profile.ini"));
    RecordingMessageSink sink;
    CQuorven64App program(profile, sink);
    StartupOptions options;
    options.show_splash = false;
    program.Start(options);
    CMainFrame& frame = *program.Frame();
    CQuorven64Doc* doc = frame.ActiveDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(frame.Action(kFlowNozzle)->isEnabled());
    QSignalSpy changed(doc, &CQuorven64Doc::recordChanged);
    WhenModalAppears([](QWidget* d) {
        Find<QRadioButton>(d, 1151)->setChecked(true);  // ASME throat tap: PTC 6 is its default
        Press(d, kOk);
    });
    frame.Action(kFlowNozzle)->trigger();
    EXPECT_EQ(doc->record.Meter_Type, Code(MeterType::AsmeThroatTapNozzle));
    EXPECT_EQ(doc->record.Calc_Std, Code(CalcStd::NozzlePtc6));
    EXPECT_EQ(changed.count(), 1);
    // A second window's nozzle dialog opens on the remembered type.
    frame.OpenDocumentWindow();
    bool remembered = false;
    WhenModalAppears([&](QWidget* d) {
        remembered = Find<QRadioButton>(d, 1151)->isChecked() && Find<QRadioButton>(d, 1753)->isChecked();
        Press(d, kCancel);
    });
    frame.Action(kFlowNozzle)->trigger();
    EXPECT_TRUE(remembered);
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

TEST(MeterDialogs, WedgeTagShowsDpSizingWithBoreDisabled) {
    CQuorven64Doc doc;
    doc.record.Meter_Type = Code(MeterType::WedgeAbb1610L);
    doc.record.Calc_SizeParam = Code(SizeParam::Bore);
    MeterDialogMemory memory;
    RunOn(doc, kCalcSetup, memory, [](QWidget* d) {
        EXPECT_FALSE(Find<QRadioButton>(d, 1120)->isEnabled());
        EXPECT_TRUE(Find<QRadioButton>(d, 1121)->isChecked());
        Press(d, kOk);
    });
    EXPECT_EQ(doc.record.Calc_SizeParam, Code(SizeParam::Dp));
}

TEST(MeterDialogs, CustomMeterWritesTypeTextsAndCoefficient) {
    CQuorven64Doc doc;
    MeterDialogMemory memory;
    RunOn(doc, kCustomMeter, memory, [](QWidget* d) {
        EXPECT_TRUE(Find<QRadioButton>(d, 1360)->isChecked());  // the record holds no custom type
        Find<QRadioButton>(d, 1363)->setChecked(true);
        Find<QLineEdit>(d, 1364)->setText(QString::fromUtf8("CALIBRATED TUBE \u00B0"));
        Find<QLineEdit>(d, 1365)->setText("D & D/2");
        Find<QLineEdit>(d, 1366)->setText("0.995");
        Press(d, kOk);
    });
    EXPECT_EQ(doc.record.Meter_Type, Code(MeterType::CustomFlowTube));
    EXPECT_EQ(std::string(GetText(doc.record.Meter_Style_Text)),
              "CALIBRATED TUBE \xB0");  // Windows-1252 degree
    EXPECT_EQ(std::string(GetText(doc.record.Tap_Style_Text)), "D & D/2");
    EXPECT_DOUBLE_EQ(doc.record.C, 0.995);
    EXPECT_EQ(std::string(GetText(doc.record.Meter)), "CALIBRATED FLOW TUBE");
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

TEST(BaseDialog, LeavingBasePressureNotAboveZeroShowsError8AndKeepsTheFocus) {
    TagRecord record = NewTagRecord();
    RecordingMessageSink sink;
    bool focus_back = false;
    WhenModalAppears([&](QWidget* d) {
        QApplication::setActiveWindow(d);
        auto* press = Find<QLineEdit>(d, 1115);
        press->setFocus();
        QApplication::processEvents();
        press->setText("-1");
        Find<QLineEdit>(d, 1117)->setFocus();
        QApplication::processEvents();
        focus_back = press->hasFocus();
        press->setText("14.7");
        Press(d, kCancel);
    });
    EXPECT_FALSE(RunBaseDialog(nullptr, record, sink));
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrBasePressure});
    EXPECT_TRUE(focus_back);
}

}  // namespace
}  // namespace quorven
