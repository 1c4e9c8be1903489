// The main form as a new user meets it: a window smaller than the form, a click
// into an edit, Return, the read-only date, the Calculate key and the result unit
// boxes in their rows.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "app/document.h"
#include "app/view.h"
#include "messages/messages.h"
#include "qt_test_support.h"
#include "record/tag_record.h"
#include "record/units.h"

namespace quorven {
namespace {

using testing::Find;

struct Form {
    RecordingMessageSink sink;
    CChildFrame frame;
    explicit Form(QSize size = {1280, 960}) {
        frame.View().SetMessageSink(&sink);
        frame.resize(size);
        frame.show();
        QApplication::setActiveWindow(&frame);
        QApplication::processEvents();
    }
    TagRecord& record() { return frame.Document().record; }
    QWidget* view() { return &frame.View(); }
    QLineEdit* Edit(int id) { return Find<QLineEdit>(view(), id); }
    void Refresh() { frame.Document().NotifyRecordChanged(); }
};

// The rectangle of `w` in the coordinates of `area`'s viewport.
QRect InViewport(QScrollArea* area, QWidget* w) {
    return QRect(w->mapTo(area->viewport(), QPoint(0, 0)), w->size());
}

TEST(FormUse, ASmallWindowScrollsToEveryControl) {
    Form f({640, 420});
    auto* area = f.frame.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    QPushButton* calculate = f.frame.View().CalculateButton();
    // The form is taller than the window: Calculate starts below the fold and is
    // reached by scrolling, not cut off.
    EXPECT_FALSE(area->viewport()->rect().contains(InViewport(area, calculate)));
    area->ensureWidgetVisible(calculate);
    QApplication::processEvents();
    EXPECT_TRUE(area->viewport()->rect().contains(InViewport(area, calculate)));
    EXPECT_GT(area->verticalScrollBar()->value(), 0);
}

TEST(FormUse, ResultUnitBoxesStandInTheirRowsUncut) {
    Form f;
    f.record().Calc_Mode = Code(CalcMode::Meter);
    f.record().Calc_SizeParam = Code(SizeParam::Bore);
    f.Refresh();
    auto* box = Find<QComboBox>(f.view(), 1056);
    auto* velocity_box = Find<QComboBox>(f.view(), 1674);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(velocity_box, nullptr);
    struct Row {
        QComboBox* box;
        int value_id;
    };
    for (const Row& row : {Row{box, 1096}, Row{velocity_box, 1675}}) {
        SCOPED_TRACE(row.value_id);
        auto* value = Find<QLabel>(f.view(), row.value_id);
        ASSERT_NE(value, nullptr);
        ASSERT_TRUE(row.box->isVisible());
        // Same row: the box's middle lies within the value's line.
        const int middle = row.box->geometry().center().y();
        EXPECT_GE(middle, value->geometry().top() - 4);
        EXPECT_LE(middle, value->geometry().bottom() + 4);
        // Inside its group, wide enough for its longest name.
        EXPECT_TRUE(row.box->parentWidget()->rect().contains(row.box->geometry()));
        EXPECT_GE(row.box->width(), row.box->minimumSizeHint().width());
    }
    // Critical drop: no velocity row, and nothing of its unit box shows.
    f.record().Calc_Mode = Code(CalcMode::CriticalDrop);
    f.Refresh();
    EXPECT_FALSE(velocity_box->isVisible());
    for (QLabel* label : f.view()->findChildren<QLabel*>()) {
        if (label->isVisible()) {
            EXPECT_FALSE(label->text().contains(QStringLiteral("Velocity"))) << label->text().toStdString();
        }
    }
}

TEST(FormUse, AClickSelectsTheWholeValueAndReturnCommitsInPlace) {
    Form f;
    f.Edit(1106)->setFocus();
    QLineEdit* tb = f.Edit(1046);  // "Tb", 60 deg F
    ASSERT_EQ(tb->text(), QStringLiteral("60.00"));
    QTest::mouseClick(tb, Qt::LeftButton, {}, QPoint(tb->width() - 8, tb->height() / 2));
    EXPECT_TRUE(tb->hasFocus());
    EXPECT_EQ(tb->selectedText(), QStringLiteral("60.00"));
    // Typing replaces the value; Return stores it and leaves the focus in place,
    // the redrawn value selected for the next entry.
    QTest::keyClicks(tb, "32");
    QTest::keyClick(tb, Qt::Key_Return);
    EXPECT_NEAR(f.record().Base_Temp, 491.67, 1e-9);  // 32 deg F = 491.67 deg R
    EXPECT_TRUE(tb->hasFocus());
    EXPECT_EQ(tb->text(), QStringLiteral("32.00"));
    EXPECT_EQ(tb->selectedText(), QStringLiteral("32.00"));
    // A click into the edit that has the focus places the cursor as usual.
    QTest::mouseClick(tb, Qt::LeftButton, {}, QPoint(tb->width() - 8, tb->height() / 2));
    EXPECT_TRUE(tb->selectedText().isEmpty());
}

TEST(FormUse, TypingAfterAClickOnTheDateChangesNothing) {
    Form f;
    QLineEdit* gg = f.Edit(1002);  // "Gg" of the new gas tag
    const double gg_before = f.record().Property_MwDenVp;
    gg->setFocus();
    QLineEdit* date = f.Edit(1104);
    const QString date_text = date->text();
    QTest::mouseClick(date, Qt::LeftButton);
    QTest::keyClicks(QApplication::focusWidget(), "31 Feb 1999");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_DOUBLE_EQ(f.record().Property_MwDenVp, gg_before);
    EXPECT_EQ(date->text(), date_text);
    EXPECT_EQ(GetText(f.record().Date), date_text.toStdString());
    EXPECT_TRUE(f.sink.Numbers().empty());
}

}  // namespace
}  // namespace quorven
