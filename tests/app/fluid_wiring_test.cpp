// A gas orifice sized on the desktop from a natural-gas analysis: flows and differential
// typed on the form, the fluid from the Fluids menu's AGA Natural Gas command, no Z,
// viscosity or k typed anywhere; then Calculate.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <utility>

#include "app/commands/command_ids.h"
#include "app/commands/command_table.h"
#include "app/dialogs/fluid_dialogs.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/platform/profile.h"
#include "app/view.h"
#include "fluids/property_database.h"
#include "messages/messages.h"
#include "qt_test_support.h"
#include "record/tag_record.h"

namespace quorven {
namespace {

using testing::Find;
using testing::WhenModalAppears;

constexpr int kOk = 1;

void When(const QString& caption, std::function<void(QWidget*)> drive) {
    WhenModalAppears(std::move(drive), [caption](QWidget* w) { return w->windowTitle() == caption; });
}

void Press(QWidget* d, int id) {
    Find<QAbstractButton>(d, id)->click();
}

void Type(QWidget* w, int id, const QString& text) {
    auto* edit = Find<QLineEdit>(w, id);
    ASSERT_NE(edit, nullptr) << "control " << id;
    edit->setFocus();
    edit->setText(text);
}

TEST(FluidWiring, GasOrificeSizedFromANaturalGasAnalysis) {
    QTemporaryDir dir;
    Profile profile{dir.filePath(QStringLiteral("profile.ini"))};
    RecordingMessageSink sink;
    CMainFrame frame{profile, sink};
    static const PropertyDatabase db = PropertyDatabase::Open(QUORVEN_PROPERTY_DAF);
    frame.Fluids().database = &db;
    CChildFrame* child = frame.OpenDocumentWindow();
    frame.resize(1280, 800);
    frame.show();
    QApplication::setActiveWindow(&frame);
    TagRecord& r = child->Document().record;
    QWidget* view = &child->View();

    // Every Fluids command is on with a project window.
    for (int id : {cmd::kFluidAga8, cmd::kFluidGasesCalc, cmd::kFluidLiquidsCalc, cmd::kSatSteamPressure,
                   cmd::kSatSteamTemperature, cmd::kSuperheatedSteam, cmd::kCompressedWater, cmd::kGasSetup,
                   cmd::kLiquidSetup})
        EXPECT_TRUE(IsCommandEnabled(id, frame.CurrentCommandState())) << id;

    WhenModalAppears([](QWidget* d) { Press(d, kOk); });
    frame.RunCommand(cmd::kOrificePlate);
    QApplication::setActiveWindow(&frame);  // back to the form once the dialog has closed

    // The form: maximum and normal flow (scfh) and the maximum differential (inH2O),
    // each typed and left with Tab.
    for (const auto& [id, text] :
         {std::pair{1024, "500000"}, std::pair{1025, "400000"}, std::pair{1026, "100"}}) {
        auto* edit = Find<QLineEdit>(view, id);
        ASSERT_NE(edit, nullptr) << id;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
        QTest::keyClick(edit, Qt::Key_Tab);
        QApplication::processEvents();
    }
    ASSERT_EQ(r.Flow_Max, 500000.0);
    ASSERT_EQ(r.Flow_Norm, 400000.0);
    ASSERT_EQ(r.Dp_Max, 100.0);
    EXPECT_EQ(r.Property_Visc, 0.0);
    EXPECT_EQ(r.Flow_RhoGZ, 0.0);

    // Fluids > Calc Fluid Properties > AGA Natural Gas: the analysis, 600 psig and 60 F.
    When(QStringLiteral("AGA 8 Natural Gas"), [](QWidget* d) {
        Type(d, 1707, QStringLiteral("90"));      // METHANE
        Type(d, 1708, QStringLiteral("5"));       // ETHANE
        Type(d, 1709, QStringLiteral("2"));       // PROPANE
        Type(d, 1707 + 13, QStringLiteral("2"));  // NITROGEN
        Type(d, 1707 + 12, QStringLiteral("1"));  // CARBON DIOXIDE
        When(QStringLiteral("Fluid Properties - Pressure & Temperature Data"), [](QWidget* c) {
            Type(c, 1337, QStringLiteral("600"));
            Type(c, 1338, QStringLiteral("60"));
            When(QStringLiteral("Gas Equation Setup"), [](QWidget* s) { Press(s, kOk); });
            Press(c, kOk);
        });
        Press(d, kOk);
    });
    frame.RunCommand(cmd::kFluidAga8);
    ASSERT_GT(r.Flow_RhoGZ, 0.85);
    ASSERT_LT(r.Flow_RhoGZ, 0.95);  // natural gas at 600 psig and 60 F: Z about 0.9
    EXPECT_GT(r.Base_RhoGZ, 0.99);
    EXPECT_GT(r.Property_Visc, 0.0);
    EXPECT_GT(r.Property_KFp, 1.2);
    EXPECT_FALSE(child->Document().tag_saved);
    EXPECT_EQ(r.Calc_Status, 0);

    frame.RunCommand(cmd::kCalculate);
    ASSERT_NE(r.Calc_Status, 0) << ::testing::PrintToString(sink.Numbers());
    // A 4-inch line: a bore between 1 and 3.5 in (beta 0.25 to 0.87).
    EXPECT_GT(r.Bore, 1.0);
    EXPECT_LT(r.Bore, 3.5);
    for (int n : sink.Numbers()) EXPECT_LT(n, 0) << "error #" << n;  // warnings at most
}

}  // namespace
}  // namespace quorven
