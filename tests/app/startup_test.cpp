#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <fstream>

#include "app/application.h"
#include "app/commands/command_ids.h"
#include "app/commands/shell_texts.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/platform/profile.h"
#include "app/splash_wnd.h"
#include "app/view.h"
#include "messages/messages.h"
#include "project/database.h"
#include "project/project_fixture.h"
#include "qt_test_support.h"

namespace quorven {
namespace {

// A started program with its own profile in a fresh directory and a recording sink.
struct Started {
    QTemporaryDir dir;
    Profile profile{dir.filePath("profile.ini")};
    RecordingMessageSink sink;
    CQuorven64App program{profile, sink};

    explicit Started(const std::string& project_argument = {}) {
        StartupOptions options;
        options.show_splash = false;
        options.start_dir = dir.path().toStdString();
        options.project_argument = project_argument;
        options.config_dir = dir.path().toStdString();
        program.Start(options);
    }
    CMainFrame& Frame() { return *program.Frame(); }
};

QStringList MenuTitles(const QMenuBar& bar) {
    QStringList titles;
    for (const QAction* a : bar.actions()) titles << a->text();
    return titles;
}

TEST(Startup, OpensTheFrameAndOneStdScreenWindow) {
    Started s;
    CMainFrame& frame = s.Frame();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.windowTitle(), "Quorven Version 4.0 - Std Screen");
    ASSERT_EQ(frame.Workspace()->subWindowList().size(), 1);
    QMdiSubWindow* window = frame.Workspace()->subWindowList().constFirst();
    EXPECT_EQ(window->windowTitle(), "Std Screen");
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(MenuTitles(*frame.menuBar()),
              (QStringList{"&File", "&Edit", "&Tag", "F&luids", "&Sizing", "F&actors", "&Meter and Pipe",
                           "&Base...", "&Utility", "&View", "&Window", "&Help"}));
    auto* tool_bar = frame.findChild<QToolBar*>("toolBarStandard");
    ASSERT_NE(tool_bar, nullptr);
    EXPECT_EQ(tool_bar->windowTitle(), "Standard");
    // A new tag needs calculating and saving; no project is open.
    const std::array<QString, 3> panes = frame.StatusPanes();
    EXPECT_EQ(panes[0], " CALC ");
    EXPECT_EQ(panes[1], " SAVE ");
    EXPECT_EQ(panes[2], "PROJECT:  CLOSED");
    // The first update puts today's date into the record and the form.
    const CQuorven64Doc* doc = frame.ActiveDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(GetText(doc->record.Date), TodayDateText());
    EXPECT_EQ(doc->version_text, "4.4.0");
    auto* date_edit = window->findChild<QLineEdit*>("id1104");
    ASSERT_NE(date_edit, nullptr);
    EXPECT_EQ(date_edit->text().toStdString(), TodayDateText());
    // Features still to come are shown greyed; the frame's own commands work.
    EXPECT_TRUE(frame.Action(cmd::kCalculate)->isEnabled());
    EXPECT_TRUE(window->findChild<QPushButton*>("id32810")->isEnabled());
    EXPECT_TRUE(frame.Action(cmd::kAbout)->isEnabled());
    EXPECT_TRUE(frame.Action(cmd::kExit)->isEnabled());
    EXPECT_EQ(frame.Action(cmd::kNewProject)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_TRUE(s.sink.messages.empty());
}

struct ArgumentCase {
    const char* what;
    const char* argument;  // as typed on the command line
    bool create;           // the project exists
    const char* resolved;  // relative to the start directory
};

TEST(Startup, ProjectOnTheCommandLineIsResolvedAgainstTheStartDirectoryAndOpened) {
    const ArgumentCase kCases[] = {
        {"existing, relative", "plant.fil", true, "plant.fil"},
        {"existing, quoted with a blank", "\"My Plant.fil\"", true, "My Plant.fil"},
        {"missing", "jobs/none.fil", false, "jobs/none.fil"},
    };
    for (const ArgumentCase& c : kCases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir start;
        const std::string full = start.path().toStdString() + "/" + c.resolved;
        RecordingMessageSink made;
        if (c.create) {
            ASSERT_TRUE(
                CDatabase::CreateProject(DiskFiles(), ProjectPathsOf(full), DefaultProjectSettings(), made));
        }
        // The program is started from `start`, whatever the current directory is.
        Started s;
        s.sink.messages.clear();
        StartupOptions options;
        options.show_splash = false;
        options.start_dir = start.path().toStdString();
        options.project_argument = c.argument;
        options.config_dir = s.dir.path().toStdString();
        CQuorven64App program(s.profile, s.sink);
        program.Start(options);
        CMainFrame& frame = *program.Frame();
        if (c.create) {
            EXPECT_TRUE(s.sink.messages.empty());
            // "Std Screen" and the project's own window, which is the active one.
            ASSERT_EQ(frame.Workspace()->subWindowList().size(), 2);
            const CQuorven64Doc* doc = frame.ActiveDocument();
            ASSERT_NE(doc, nullptr);
            EXPECT_TRUE(doc->project_open);
            EXPECT_EQ(doc->title.toStdString(), ProjectPathsOf(full).name + ".fil");
            EXPECT_EQ(frame.StatusPanes()[2].toStdString(), "PROJECT:  " + ProjectPathsOf(full).name);
            EXPECT_EQ(s.profile.RecentFiles().front(), full);
        } else {
            ASSERT_EQ(s.sink.messages.size(), 1u);
            const Message& m = s.sink.messages.front();
            EXPECT_EQ(m.caption, "Open Project");
            EXPECT_NE(m.text.find("\n" + full + "\n"), std::string::npos) << m.text;
            EXPECT_NE(m.text.find("cannot be opened"), std::string::npos);
            EXPECT_EQ(frame.Workspace()->subWindowList().size(), 1);
        }
    }
}

TEST(Frame, CommandsAndPanesFollowTheRecord) {
    Started s;
    CMainFrame& frame = s.Frame();
    CQuorven64Doc* doc = frame.ActiveDocument();
    ASSERT_NE(doc, nullptr);
    doc->record.Calc_Status = 1;
    doc->record.Factor_Manometer = 1;
    doc->tag_saved = true;
    doc->project_open = true;
    doc->project_name = "Plant7";
    doc->NotifyRecordChanged();
    EXPECT_EQ(frame.StatusPanes(), (std::array<QString, 3>{"", "", "PROJECT:  Plant7"}));
    EXPECT_TRUE(frame.Action(cmd::kFactorManometer)->isChecked());

    // Changed behind the frame's back: the menu asks again before it shows.
    doc->record.Factor_Manometer = 0;
    QMenu* factors = nullptr;
    for (QAction* a : frame.menuBar()->actions())
        if (a->text() == "F&actors") factors = a->menu();
    ASSERT_NE(factors, nullptr);
    EXPECT_TRUE(frame.Action(cmd::kFactorManometer)->isChecked());
    emit factors->aboutToShow();
    EXPECT_FALSE(frame.Action(cmd::kFactorManometer)->isChecked());
}

TEST(Frame, LooksApplyAtOnceAreCheckedAndRemembered) {
    Started s;
    CMainFrame& frame = s.Frame();
    EXPECT_TRUE(frame.Action(cmd::kLookOffice2007Blue)->isChecked());  // the default look
    struct LookCase {
        int id;
        const char* style;
        QRgb window;
    };
    const LookCase kCases[] = {
        {205, "windows", 0xD4D0C8}, {216, "fusion", 0x535353}, {219, "fusion", 0xF0F0F0}};
    for (const LookCase& c : kCases) {
        SCOPED_TRACE(c.id);
        frame.Action(c.id)->trigger();
        EXPECT_EQ(QApplication::style()->name(), c.style);
        EXPECT_EQ(QApplication::palette().color(QPalette::Window).rgb() & 0xFFFFFF, c.window);
        EXPECT_TRUE(frame.Action(c.id)->isChecked());
        EXPECT_FALSE(frame.Action(cmd::kLookOffice2007Blue)->isChecked());
        EXPECT_EQ(Profile(s.dir.filePath("profile.ini")).ApplicationLook(), c.id);
    }
    frame.Action(cmd::kLookOffice2007Blue)->trigger();
}

TEST(Frame, RecentFilesListTheProfileAndOpenThroughTheProjectPath) {
    Started s;
    s.profile.AddRecentFile("/nowhere/old.fil");
    s.profile.AddRecentFile("/nowhere/new.fil");
    s.Frame().UpdateCommands();
    QAction* first = s.Frame().Action(cmd::kRecentFile1);
    EXPECT_EQ(first->text(), "&1 /nowhere/new.fil");
    EXPECT_TRUE(first->isEnabled());
    EXPECT_TRUE(s.Frame().Action(cmd::kRecentFile1 + 1)->isEnabled());
    EXPECT_FALSE(s.Frame().Action(cmd::kRecentFile1 + 2)->isEnabled());
    first->trigger();
    ASSERT_EQ(s.sink.messages.size(), 1u);
    EXPECT_NE(s.sink.messages[0].text.find("/nowhere/new.fil"), std::string::npos);
}

TEST(Frame, HelpAboutViewAndExit) {
    Started s;
    CMainFrame& frame = s.Frame();
    frame.Action(cmd::kHelpTopics)->trigger();
    ASSERT_EQ(s.sink.messages.size(), 1u);
    EXPECT_EQ(s.sink.messages[0].caption, "Quorven Help");

    QString about_text;
    testing::WhenModalAppears([&](QWidget* w) {
        EXPECT_EQ(w->objectName(), "id100");
        for (const QLabel* l : w->findChildren<QLabel*>()) about_text += l->text() + "\n";
        testing::Find<QPushButton>(w, 1)->click();
    });
    frame.Action(cmd::kAbout)->trigger();
    EXPECT_TRUE(about_text.contains("Quorven\n"));
    EXPECT_TRUE(about_text.contains("Version 4.4.0"));

    frame.Action(cmd::kViewToolBar)->trigger();
    EXPECT_FALSE(frame.Action(cmd::kViewToolBar)->isChecked());
    EXPECT_TRUE(frame.findChild<QToolBar*>("toolBarStandard")->isHidden());
    frame.Action(cmd::kViewToolBar)->trigger();
    EXPECT_TRUE(frame.Action(cmd::kViewToolBar)->isChecked());

    frame.Action(cmd::kExit)->trigger();
    EXPECT_FALSE(frame.isVisible());
}

TEST(Frame, AcceleratorsReachTheirCommands) {
    Started s;
    CMainFrame& frame = s.Frame();
    QApplication::setActiveWindow(&frame);
    QTest::keyClick(&frame, Qt::Key_F1);
    ASSERT_EQ(s.sink.messages.size(), 1u);
    EXPECT_EQ(s.sink.messages[0].caption, "Quorven Help");
    // New Project asks for its file; cancelled, nothing more happens.
    testing::FakeChooser chooser;
    frame.UseFileChooser(chooser);
    QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(chooser.asked.size(), 1u);
    EXPECT_EQ(chooser.asked[0].title, "New Project File");
    EXPECT_EQ(s.sink.messages.size(), 1u);
}

TEST(Frame, TagCopyKeyWinsOverAFocusedEditOnlyWhileEnabled) {
    Started s;
    CMainFrame& frame = s.Frame();
    QApplication::setActiveWindow(&frame);
    auto* tag_edit = frame.findChild<QLineEdit*>("id1106");
    ASSERT_NE(tag_edit, nullptr);
    tag_edit->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(tag_edit->hasFocus());
    QAction* copy = frame.Action(cmd::kCopyTag);
    QSignalSpy triggered(copy, &QAction::triggered);
    QTest::keyClick(tag_edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(triggered.count(), 0);  // disabled: the edit keeps Ctrl+C
    copy->setEnabled(true);           // as when tag copying is available and the tag calculated
    QTest::keyClick(tag_edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(triggered.count(), 1);
}

TEST(Frame, ClosingTheLastWindowLeavesTheFrameWithoutADocument) {
    Started s;
    CMainFrame& frame = s.Frame();
    frame.Workspace()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame.ActiveDocument(), nullptr);
    EXPECT_EQ(frame.windowTitle(), "Quorven Version 4.0");
    EXPECT_EQ(frame.StatusPanes(), (std::array<QString, 3>{"", "", "PROJECT:  CLOSED"}));
    EXPECT_TRUE(frame.Action(cmd::kAbout)->isEnabled());
    EXPECT_FALSE(frame.Action(cmd::kFactorManometer)->isChecked());
    // A new window can follow.
    frame.OpenDocumentWindow();
    EXPECT_EQ(frame.StatusPanes()[0], " CALC ");
}

TEST(Splash, AClickOrAKeyClosesIt) {
    for (bool by_key : {false, true}) {
        SCOPED_TRACE(by_key ? "key" : "click");
        QPointer<CSplashWnd> splash = new CSplashWnd;
        EXPECT_TRUE(splash->isVisible());
        EXPECT_EQ(splash->size(), CSplashWnd::Picture().size());
        if (by_key)
            QTest::keyClick(splash.data(), Qt::Key_Space);
        else
            QTest::mouseClick(splash.data(), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(splash.isNull());
    }
}

TEST(Startup, SplashShowsFirstAndTheFrameBehindIt) {
    QTemporaryDir dir;
    Profile profile(dir.filePath("profile.ini"));
    RecordingMessageSink sink;
    CQuorven64App program(profile, sink);
    StartupOptions options;
    options.show_splash = true;
    program.Start(options);
    ASSERT_NE(program.Splash(), nullptr);
    EXPECT_TRUE(program.Splash()->isVisible());
    EXPECT_TRUE(program.Frame()->isVisible());
}

}  // namespace
}  // namespace quorven
