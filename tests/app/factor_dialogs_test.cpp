// The correction-factor dialogs driven as a user drives them: OK writes the
// record, Cancel leaves every byte as it was.
#include "app/dialogs/factor_dialogs.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>

#include "app/commands/command_ids.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/platform/profile.h"
#include "form/factor_inputs.h"
#include "messages/messages.h"
#include "qt_test_support.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"

namespace quorven {
namespace {

using testing::Find;
using testing::WhenModalAppears;

constexpr int kOk = 1;
constexpr int kCancel = 2;

bool SameBytes(const TagRecord& a, const TagRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void Click(QWidget* dialog, int id) {
    auto* button = Find<QAbstractButton>(dialog, id);
    ASSERT_NE(button, nullptr) << "control " << id;
    button->click();
}

void Type(QWidget* dialog, int id, const QString& text) {
    auto* edit = Find<QLineEdit>(dialog, id);
    ASSERT_NE(edit, nullptr) << "control " << id;
    edit->setText(text);
}

TagRecord Gas() {
    TagRecord r = NewTagRecord();
    r.Calc_Status = 1;
    r.Flow_Temp = 519.67;
    r.Factor_Drain = 1;
    r.Factor_DrainType = kDrainFromList;
    r.Factor_Drain_HoleSel = 4;
    r.Factor_DrainDia = 0.1875;
    return r;
}

TEST(FactorDialogs, CancelChangesNothing) {
    const int kCommands[] = {cmd::kFactorManometer, cmd::kFactorDrainVent, cmd::kFactorWaterVapor,
                             cmd::kFactorSatLiquid, cmd::kFactorVaporQuality};
    for (int id : kCommands) {
        SCOPED_TRACE(id);
        TagRecord r = Gas();
        const TagRecord before = r;
        // Change every control the user can reach, then cancel.
        WhenModalAppears([](QWidget* d) {
            for (auto* radio : d->findChildren<QRadioButton*>()) radio->click();
            for (auto* edit : d->findChildren<QLineEdit*>()) edit->setText(QStringLiteral("7"));
            Click(d, kCancel);
        });
        EXPECT_FALSE(RunFactorCommand(id, nullptr, r, DefaultUnitTables()));
        EXPECT_TRUE(SameBytes(r, before));
    }
}

TEST(FactorDialogs, DrainListPositionZeroClearsTheFactor) {
    TagRecord r = Gas();
    WhenModalAppears([](QWidget* d) {
        Click(d, kDrainFromList);
        auto* list = Find<QListWidget>(d, kIdDrainList);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 15);
        EXPECT_EQ(list->currentRow(), 4);  // the stored position is shown
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("No vent/drain hole selected"));
        EXPECT_FALSE(Find<QLineEdit>(d, kIdDrainManualDia)->isEnabled());
        list->setCurrentRow(0);
        Click(d, kOk);
    });
    ASSERT_TRUE(ExecDrainVentDialog(nullptr, r));
    TagRecord expected = Gas();
    expected.Factor_Drain = 0;
    expected.Factor_Drain_HoleSel = 0;
    expected.Factor_DrainDia = 0;
    expected.Calc_Status = 0;
    EXPECT_TRUE(SameBytes(r, expected));
}

TEST(FactorDialogs, ManometerOkWritesConvertedValues) {
    TagRecord r = Gas();
    WhenModalAppears([](QWidget* d) {
        auto* density = Find<QLineEdit>(d, kIdManoSealDensity);
        ASSERT_NE(density, nullptr);
        EXPECT_FALSE(density->isEnabled());  // "No" is the new record's choice
        Click(d, kIdManoYes);
        EXPECT_TRUE(density->isEnabled());
        Type(d, kIdManoSealTemp, QStringLiteral("60"));
        Type(d, kIdManoSealDensity, QStringLiteral("62.37"));
        Type(d, kIdManoGravity, QStringLiteral("9.80665"));
        Find<QComboBox>(d, kIdManoGravityUnit)->setCurrentIndex(1);  // m/s2
        Click(d, kOk);
    });
    ASSERT_TRUE(ExecManometerDialog(nullptr, r, DefaultUnitTables()));
    EXPECT_EQ(r.Factor_Manometer, 1);
    EXPECT_EQ(r.Unit_GLocal_Set, 1);
    EXPECT_NEAR(r.Factor_ManoGlocal, 32.174049, 1e-6);  // hand: 9.80665 / 0.3048
    EXPECT_DOUBLE_EQ(r.Factor_ManoSealRho, 62.37);
    EXPECT_NEAR(r.Factor_ManoSealTemp, 519.67, 1e-9);
    EXPECT_EQ(r.Calc_Status, 0);
}

TEST(FactorDialogs, ValuesWithoutAFactorKeepTheDialogOpen) {
    TagRecord r = Gas();
    const TagRecord before = r;
    bool warned = false;
    WhenModalAppears([&warned](QWidget* d) {
        Click(d, kIdManoYes);
        Type(d, kIdManoSealDensity, QStringLiteral("900"));  // heavier than mercury
        WhenModalAppears(
            [&warned](QWidget* box) {
                warned = true;
                qobject_cast<QMessageBox*>(box)->accept();
            },
            [](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; });
        Click(d, kOk);
        EXPECT_TRUE(d->isVisible());
        Click(d, kCancel);
    });
    EXPECT_FALSE(ExecManometerDialog(nullptr, r, DefaultUnitTables()));
    EXPECT_TRUE(warned);
    EXPECT_TRUE(SameBytes(r, before));
}

TEST(FactorDialogs, WaterVapourHumidityAndSaturatedLiquidBlanks) {
    TagRecord r = Gas();
    WhenModalAppears([](QWidget* d) {
        EXPECT_FALSE(Find<QLineEdit>(d, kIdVapourValue)->isEnabled());  // 1211 needs no value
        Click(d, kIdVapourYes);
        Click(d, kVapourAtHumidity);
        EXPECT_TRUE(Find<QLineEdit>(d, kIdVapourValue)->isEnabled());
        Type(d, kIdVapourValue, QStringLiteral("50"));
        Click(d, kOk);
    });
    ASSERT_TRUE(ExecWaterVapourDialog(nullptr, r));
    EXPECT_EQ(r.Factor_H2OvapIncl, 1);
    EXPECT_EQ(r.Factor_H2OvapSetup, kVapourAtHumidity);
    EXPECT_EQ(r.Factor_PwvEdit, 50.0);

    r.Factor_QualX = 3.0;
    r.Factor_QualRho = 4.0;
    WhenModalAppears([](QWidget* d) {
        Click(d, kIdSatLiqYes);
        Type(d, kIdSatLiqQuality, QString());
        Type(d, kIdSatLiqDensity, QString());
        Click(d, kOk);
    });
    ASSERT_TRUE(ExecSaturatedLiquidDialog(nullptr, r));
    EXPECT_EQ(r.Factor_SatLiq, 1);
    EXPECT_EQ(r.Factor_QualX, 0.0);
    EXPECT_EQ(r.Factor_QualRho, 0.0);
}

TEST(FactorDialogs, MenuCommandOpensTheDialogAndMarksTheTagChanged) {
    NullMessageSink sink;
    QTemporaryDir dir;
    Profile profile(dir.filePath(QStringLiteral("profile.ini")));
    CMainFrame frame(profile, sink);
    CChildFrame* child = frame.OpenDocumentWindow();
    ASSERT_NE(child, nullptr);
    CQuorven64Doc* doc = frame.ActiveDocument();
    ASSERT_NE(doc, nullptr);
    doc->record.Calc_Mode = Code(CalcMode::Meter);  // flow-meter mode: the drain/vent command is enabled
    doc->tag_saved = true;
    doc->NotifyRecordChanged();
    ASSERT_TRUE(frame.Action(cmd::kFactorDrainVent)->isEnabled());
    EXPECT_FALSE(frame.Action(cmd::kFactorDrainVent)->isChecked());
    WhenModalAppears([](QWidget* d) {
        Click(d, kDrainFromList);
        Find<QListWidget>(d, kIdDrainList)->setCurrentRow(1);
        Click(d, kOk);
    });
    frame.RunCommand(cmd::kFactorDrainVent);
    EXPECT_EQ(doc->record.Factor_Drain, 1);
    EXPECT_EQ(doc->record.Factor_DrainDia, 0.09375);  // 3/32 in, the list's first hole
    EXPECT_FALSE(doc->tag_saved);
    EXPECT_TRUE(frame.Action(cmd::kFactorDrainVent)->isChecked());
}

}  // namespace
}  // namespace quorven
