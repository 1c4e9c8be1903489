// The datasheet pages driven as a user would: open each page, type, press OK or
// Cancel, and compare the record bytes with a record built by hand.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/commands/command_ids.h"
#include "app/dialogs/datasheet_dialogs.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/platform/profile.h"
#include "app/platform/qt_text.h"
#include "app/view.h"
#include "form/datasheet_entry.h"
#include "messages/messages.h"
#include "qt_test_support.h"
#include "record/choice_codes.h"
#include "record/datasheet.h"
#include "record/meter_texts.h"
#include "record/misc_util.h"
#include "record/record_fields.h"
#include "record/units.h"

namespace quorven {
namespace {

using testing::Find;
using testing::WhenModalAppears;

constexpr int kOk = 1;
constexpr int kCancel = 2;

void Press(QWidget* dialog, int id) {
    Find<QAbstractButton>(dialog, id)->click();
}
void Type(QWidget* dialog, int id, const char* text) {
    QLineEdit* edit = Find<QLineEdit>(dialog, id);
    ASSERT_NE(edit, nullptr) << id;
    edit->setText(QString::fromUtf8(text));
}

void ExpectSameBytes(const TagRecord& a, const TagRecord& b) {
    for (std::size_t i = 0; i < sizeof(TagRecord); ++i) {
        if (reinterpret_cast<const unsigned char*>(&a)[i] != reinterpret_cast<const unsigned char*>(&b)[i]) {
            ADD_FAILURE() << "records differ from byte " << i;
            return;
        }
    }
}

// Acts on `page` once it is the active modal window again (a dialog it opened
// has closed).
void WhenBackOn(QWidget* page, std::function<void(QWidget*)> drive) {
    WhenModalAppears(std::move(drive), [page](QWidget* w) { return w == page; });
}

QString PageTitle(int part) {
    return QStringLiteral("Datasheet - Part %1 of 3").arg(part);
}

// Drives the pages as they appear: drivers[0] acts on Part 1, drivers[1] on Part
// 2 and so on. A page without a driver is left to time out, which fails the test.
void DrivePages(std::vector<std::function<void(QWidget*)>> drivers, std::size_t index = 0) {
    if (index >= drivers.size()) return;
    const QString title = PageTitle(static_cast<int>(index) + 1);
    auto shared = std::make_shared<std::vector<std::function<void(QWidget*)>>>(std::move(drivers));
    WhenModalAppears(
        [shared, index](QWidget* d) {
            DrivePages(*shared, index + 1);
            (*shared)[index](d);
        },
        [title](QWidget* w) { return w->windowTitle() == title; });
}

// A calculated tag of the given meter type: the texts of its type, one
// datasheet text already entered.
TagRecord CalculatedTag(MeterType type, CalcMode mode = CalcMode::Meter) {
    TagRecord r = NewTagRecord();
    SelectUnit(r, DefaultUnitTables(), Quantity::Pressure, 0);  // psig
    SelectFlowUnit(r, DefaultUnitTables(), 1);
    SetText(r.Tag_No, "FE-101");
    SetText(r.Fluid, "NATURAL GAS");
    r.Meter_Type = Code(type);
    r.Calc_Mode = Code(mode);
    ApplyMeterTexts(r);
    r.Flow_Max = 250000.0;
    r.Flow_Norm = 200000.0;
    r.Flow_Press = 114.696;
    r.Flow_Temp = 519.67;
    r.Dp_Max = 100.0;
    r.Beta = 0.5;
    r.Bore = 2.013;
    r.SegHs = 1.2;
    r.Property_KFp = 1.3;
    r.Property_MwDenVp = 0.6;
    SetText(r.Mfr, "old maker");
    r.Calc_Status = kStatusCalculated;
    return r;
}

struct Doc {
    CQuorven64Doc doc;
    RecordingMessageSink sink;
    explicit Doc(const TagRecord& r) {
        doc.record = r;
        doc.tag_saved = true;
    }
    int Run() { return RunEnterDatasheet(nullptr, doc, DefaultProjectSettings(), sink); }
};

TEST(DatasheetDialogs, CancelOnPage2KeepsPage1AndAGaugeMaximumPressureIsStoredAbsolute) {
    Doc d(CalculatedTag(MeterType::ConcentricOrifice));
    TagRecord expected = d.doc.record;
    DrivePages({[](QWidget* p) {
                    Type(p, ds::kSpecNo, "IS-4410");
                    Type(p, ds::kShtNo, "2");
                    Type(p, ds::kShtOf, "7");
                    Type(p, ds::kRevNo1 + 3, "D");
                    Type(p, ds::kRevDate[3], "12/31/26");
                    Type(p, ds::kPidNo, "P&ID-100-A");
                    Type(p, ds::kMaxPress, "150");  // psig
                    Type(p, ds::kMaxTemp, "200");   // deg F
                    Press(p, kOk);
                },
                [](QWidget* p) {
                    Type(p, ds::kMfr, "Daniel");
                    Press(p, kCancel);
                }});
    EXPECT_EQ(d.Run(), 1);
    SetText(expected.Spec_No, "IS-4410");
    SetText(expected.Sht_No, "2");
    SetText(expected.Sht_Of, "7");
    SetText(expected.Rev_No_4, "D");
    SetText(expected.Rev_Date_4, "12/31/26");
    SetText(expected.Pid_No, "P&ID-100-A");
    expected.Max_Press = 150.0 + 14.696;  // hand calculation: psig + atmospheric pressure
    expected.Max_Temp = 200.0 + 459.67;
    ExpectSameBytes(d.doc.record, expected);
    EXPECT_FALSE(d.doc.tag_saved);
    EXPECT_TRUE(d.sink.messages.empty());
}

TEST(DatasheetDialogs, CancelOnPage1ChangesNothing) {
    Doc d(CalculatedTag(MeterType::ConcentricOrifice));
    const TagRecord before = d.doc.record;
    DrivePages({[](QWidget* p) {
        Type(p, ds::kSpecNo, "typed");
        Press(p, kCancel);
    }});
    EXPECT_EQ(d.Run(), 0);
    ExpectSameBytes(d.doc.record, before);
    EXPECT_TRUE(d.doc.tag_saved);
}

// Every page of representative meters: one box typed per page, then OK.
TEST(DatasheetDialogs, ThreePagesOfEachFamilyStoreWhatWasTyped) {
    struct Case {
        const char* name;
        MeterType type;
        CalcMode mode;
        int element_box;  // the first element box of page 2
        const char* element_field;
        int options_box;
        const char* options_field;
    };
    const Case cases[] = {
        {"orifice", MeterType::ConcentricOrifice, CalcMode::Meter, ds::kElemRow15, "Elem_Matl_DS",
         ds::kFlangeBy, "Flange_By"},
        {"nozzle: end connection", MeterType::AsmeLongRadiusNozzle, CalcMode::Meter, ds::kElemRow17,
         "Elem_End_Conn", ds::kUserLine4Value, "User_Line4_2"},
        {"venturi", MeterType::VenturiMachined, CalcMode::Meter, ds::kElemRow16, "Elem_Body", ds::kVanes,
         "Access_Vanes"},
        {"wedge", MeterType::WedgeMiller, CalcMode::Meter, ds::kElemRow17, "Elem_End_Conn", ds::kGaskets,
         "Access_Gaskets"},
        {"critical drop nozzle", MeterType::CriticalToroidalNozzle, CalcMode::CriticalDrop, ds::kElemRow16,
         "Elem_Construct", ds::kUserLine5Label, "User_Line5_1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Doc d(CalculatedTag(c.type, c.mode));
        TagRecord expected = d.doc.record;
        DrivePages({[](QWidget* p) {
                        Type(p, ds::kBy, "JRH");
                        Press(p, kOk);
                    },
                    [&c](QWidget* p) {
                        Type(p, c.element_box, "ASTM A351 CF8M");
                        Type(p, ds::kMfr, "Daniel");
                        Type(p, ds::kPipeMatl, "A106 GR B");
                        Press(p, kOk);
                    },
                    [&c](QWidget* p) {
                        Type(p, ds::kMeterTypeDs, "DP TRANSMITTER");
                        Type(p, c.options_box, "300# RF");
                        QComboBox* studs = Find<QComboBox>(p, ds::kStuds);
                        ASSERT_NE(studs, nullptr);
                        studs->setCurrentIndex(1);
                        Type(p, ds::kMisc, "SEE DWG IS-4410");
                        Press(p, kOk);
                    }});
        EXPECT_EQ(d.Run(), 3);
        SetText(expected.By, "JRH");
        SetTextField(expected, *FindField(c.element_field), "ASTM A351 CF8M");
        SetText(expected.Mfr, "Daniel");
        SetText(expected.Pipe_Matl_DS, "A106 GR B");
        // The element material box opens with the material's datasheet name and OK
        // stores what it shows.
        if (std::string(c.element_field) != "Elem_Matl_DS" &&
            DatasheetFamilyOf(Code(c.type)) != DatasheetFamily::None)
            SetText(expected.Elem_Matl_DS, CMiscUtil().MaterialTag(expected.Matl_Elem));
        SetText(expected.Meter_Type_DS, "DP TRANSMITTER");
        SetTextField(expected, *FindField(c.options_field), "300# RF");
        SetText(expected.Access_Studs, "ASTM A193 GrB8");
        SetText(expected.User_Misc, "SEE DWG IS-4410");
        ExpectSameBytes(d.doc.record, expected);
        EXPECT_FALSE(d.doc.tag_saved);
    }
}

// Each page of every meter family fits a 1024 x 768 screen, and a box whose limit
// is a dozen characters or fewer (revision dates, dimensions, body materials)
// shows a text of its full length without scrolling; longer boxes show at least
// a dozen characters.
TEST(DatasheetDialogs, EveryPageFitsTheSmallScreenAndShortBoxesShowTheirWholeText) {
    struct Case {
        const char* name;
        MeterType type;
        CalcMode mode;
    };
    const Case cases[] = {
        {"orifice", MeterType::ConcentricOrifice, CalcMode::Meter},
        {"nozzle", MeterType::AsmeLongRadiusNozzle, CalcMode::Meter},
        {"venturi", MeterType::VenturiMachined, CalcMode::Meter},
        {"flow tube", MeterType::Uvt, CalcMode::Meter},
        {"wedge", MeterType::WedgeMiller, CalcMode::Meter},
        {"critical drop nozzle", MeterType::CriticalToroidalNozzle, CalcMode::CriticalDrop},
    };
    // Room left for a title bar and a task bar.
    const QSize screen(1024, 768 - 64);
    for (const Case& c : cases) {
        TagRecord r = CalculatedTag(c.type, c.mode);
        RecordingMessageSink sink;
        const DsPage pages[] = {DatasheetPage1(r, DefaultProjectSettings(), DefaultUnitTables()),
                                DatasheetPage2(r, DefaultUnitTables()),
                                DatasheetPage3(r, DefaultUnitTables())};
        for (const DsPage& page : pages) {
            SCOPED_TRACE(std::string(c.name) + ": " + page.caption);
            CDatasheetDialog d(page, r, DefaultUnitTables(), sink);
            d.show();
            QApplication::processEvents();
            EXPECT_LE(d.width(), screen.width());
            EXPECT_LE(d.height(), screen.height());
            int boxes = 0;
            for (QLineEdit* edit : d.findChildren<QLineEdit*>()) {
                if (!edit->isVisible() || edit->validator() != nullptr) continue;  // the number boxes
                const int chars = std::min(edit->maxLength(), 10);
                const QString full(chars, QLatin1Char('X'));
                edit->setText(full);
                edit->end(false);
                // Scrolled text would put the cursor left of where the text ends.
                EXPECT_GE(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(),
                          edit->fontMetrics().horizontalAdvance(full))
                    << edit->objectName().toStdString() << " (" << edit->maxLength() << " characters)";
                ++boxes;
            }
            EXPECT_GT(boxes, 0);
            d.close();
        }
    }
}

TEST(DatasheetDialogs, RefusedMaximumKeepsThePageOpenUntilANumberIsGiven) {
    Doc d(CalculatedTag(MeterType::ConcentricOrifice));
    bool refused = false;
    DrivePages({[&refused](QWidget* p) {
        Type(p, ds::kMaxTemp, "-");
        WhenModalAppears(
            [&refused, p](QWidget* box) {
                refused = true;
                Press(box, kOk);
                Type(p, ds::kMaxTemp, "");
                Press(p, kCancel);
            },
            [](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; });
        Press(p, kOk);
    }});
    EXPECT_EQ(d.Run(), 0);
    EXPECT_TRUE(refused);
}

TEST(DatasheetDialogs, AutomaticPlateThicknessComposesTheTextAndOkStoresIt) {
    TagRecord r = CalculatedTag(MeterType::ConcentricOrifice);
    r.Pipe_NomDia = 8.0;  // an 8 in line at 150 inH2O: 1/4 in stock plate
    r.Dp_Max = 150.0;
    Doc d(r);
    QString shown;
    bool selection_seen = false;
    DrivePages({[](QWidget* p) { Press(p, kOk); },
                [&](QWidget* p) {
                    WhenModalAppears(
                        [&](QWidget* sel) {
                            selection_seen = true;
                            WhenBackOn(p, [&shown](QWidget* page) {
                                shown = Find<QLineEdit>(page, ds::kPlateThick)->text();
                                // Entering the box sent the focus on to the
                                // manufacturer, where it comes back.
                                EXPECT_EQ(page->focusWidget(), Find<QLineEdit>(page, ds::kMfr));
                                Press(page, kOk);
                            });
                            Press(sel, ds::kAutoThickness);
                        },
                        [](QWidget* w) { return w->windowTitle() == "Orifice Plate Thickness Selection"; });
                    QApplication::setActiveWindow(p);
                    Find<QLineEdit>(p, ds::kPlateThick)->setFocus();
                    QApplication::processEvents();
                },
                [](QWidget* p) { Press(p, kCancel); }});
    EXPECT_EQ(d.Run(), 2);
    EXPECT_TRUE(selection_seen);
    EXPECT_EQ(shown.toStdString(), std::string(GetText(d.doc.record.Elem_Thick)));
    EXPECT_EQ(shown.left(6), "0.2500");  // PlateThicknessText: 8 in line below 200 inH2O gives 0.25 in
}

TEST(DatasheetDialogs, ManualPlateThicknessTakesTheFreeBox) {
    TagRecord r = CalculatedTag(MeterType::ConcentricOrifice);
    SetText(r.Elem_Thick, "0.125 in");
    Doc d(r);
    bool free_visible = false;
    DrivePages({[](QWidget* p) { Press(p, kOk); },
                [&](QWidget* p) {
                    WhenModalAppears(
                        [&](QWidget* sel) {
                            WhenBackOn(p, [&free_visible](QWidget* page) {
                                QLineEdit* free_box = Find<QLineEdit>(page, ds::kPlateThickFree);
                                EXPECT_TRUE(free_box->isVisibleTo(page));
                                EXPECT_FALSE(Find<QLineEdit>(page, ds::kPlateThick)->isEnabled());
                                EXPECT_EQ(free_box->text(), "0.125 in");
                                EXPECT_EQ(page->focusWidget(), free_box);
                                free_visible = true;
                                free_box->setText("3/16 in 316 SS");
                                Press(page, kOk);
                            });
                            Press(sel, ds::kManualThickness);
                        },
                        [](QWidget* w) { return w->windowTitle() == "Orifice Plate Thickness Selection"; });
                    QApplication::setActiveWindow(p);
                    Find<QLineEdit>(p, ds::kPlateThick)->setFocus();
                    QApplication::processEvents();
                },
                [](QWidget* p) { Press(p, kCancel); }});
    EXPECT_EQ(d.Run(), 2);
    EXPECT_TRUE(free_visible);
    EXPECT_EQ(GetText(d.doc.record.Elem_Thick), "3/16 in 316 SS");
}

TEST(DatasheetDialogs, GroupButtonsMoveTheFocusAndSelectTheBox) {
    Doc d(CalculatedTag(MeterType::ConcentricOrifice));
    bool pid_selected = false;
    bool max_press_focused = false;
    DrivePages({[&](QWidget* p) {
        QApplication::setActiveWindow(p);
        Type(p, ds::kPidNo, "P-1");
        Press(p, ds::kGroupButton[1]);  // &Service
        pid_selected = Find<QLineEdit>(p, ds::kPidNo)->hasFocus() &&
                       Find<QLineEdit>(p, ds::kPidNo)->selectedText() == "P-1";
        Press(p, ds::kGroupButton[2]);  // &Fluid
        max_press_focused = Find<QLineEdit>(p, ds::kMaxPress)->hasFocus();
        Press(p, kCancel);
    }});
    d.Run();
    EXPECT_TRUE(pid_selected);
    EXPECT_TRUE(max_press_focused);
}

TEST(DatasheetDialogs, ClearDatasheetEmptiesTheTextsMarksTheTagUnsavedAndSaysSo) {
    TagRecord r = CalculatedTag(MeterType::ConcentricOrifice);
    SetText(r.Rev_No_4, "D");
    SetText(r.User_Notes_2, "note");
    r.Max_Press = 200.0;
    Doc d(r);
    TagRecord expected = r;
    ClearDatasheet(expected);
    RunClearDatasheet(d.doc, d.sink);
    ExpectSameBytes(d.doc.record, expected);
    EXPECT_EQ(d.doc.record.Bore, 2.013);
    EXPECT_FALSE(d.doc.tag_saved);
    ASSERT_EQ(d.sink.messages.size(), 1u);
    EXPECT_EQ(d.sink.messages[0].caption, "NOTICE");
    EXPECT_EQ(d.sink.messages[0].text, "Datasheet data deleted for this tag number.");
    EXPECT_EQ(d.sink.messages[0].icon, MessageIcon::Information);
}

TEST(DatasheetCommands, MenuCommandsShowTheProjectsCompanyAndFollowTheirRules) {
    QTemporaryDir dir;
    Profile profile{dir.filePath(QStringLiteral("profile.ini"))};
    RecordingMessageSink sink;
    CMainFrame frame{profile, sink};
    CQuorven64Doc& doc = frame.OpenDocumentWindow()->Document();
    doc.record = CalculatedTag(MeterType::ConcentricOrifice);
    doc.project_open = false;
    frame.UpdateCommands();
    EXPECT_FALSE(frame.Action(cmd::kEnterDatasheet)->isEnabled());  // no project open
    EXPECT_TRUE(frame.Action(cmd::kClearDatasheet)->isEnabled());

    doc.project_open = true;
    SetText(doc.settings.Company_Name, "Hollis Engineering");
    frame.UpdateCommands();
    ASSERT_TRUE(frame.Action(cmd::kEnterDatasheet)->isEnabled());
    bool company_shown = false;
    DrivePages({[&company_shown](QWidget* p) {
        for (QLabel* label : p->findChildren<QLabel*>())
            company_shown = company_shown || label->text() == "Hollis Engineering";
        Press(p, kCancel);
    }});
    frame.RunCommand(cmd::kEnterDatasheet);
    EXPECT_TRUE(company_shown);

    doc.tag_saved = true;
    frame.RunCommand(cmd::kClearDatasheet);
    EXPECT_FALSE(doc.tag_saved);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, "Datasheet data deleted for this tag number.");
}

}  // namespace
}  // namespace quorven
