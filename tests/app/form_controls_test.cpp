#include "app/platform/form_controls.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "app/platform/qt_message_sink.h"
#include "messages/messages.h"
#include "qt_test_support.h"

namespace quorven {
namespace {

struct TwoEdits {
    QWidget window;
    QLineEdit* first = new QLineEdit(&window);
    QLineEdit* second = new QLineEdit(&window);
    TwoEdits() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        window.show();
        QApplication::setActiveWindow(&window);
        first->setFocus();
        QApplication::processEvents();
    }
};

TEST(FocusOutCommit, CommitsWhenTheFocusLeavesNotOnReturn) {
    TwoEdits form;
    ASSERT_TRUE(form.first->hasFocus());
    int commits = 0;
    QString committed;
    new FocusOutCommit(form.first, [&] {
        ++commits;
        committed = form.first->text();
    });
    QTest::keyClicks(form.first, "264.7");
    QTest::keyClick(form.first, Qt::Key_Return);
    EXPECT_EQ(commits, 0);
    form.second->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(commits, 1);
    EXPECT_EQ(committed, "264.7");
}

TEST(FocusOutCommit, AMessageBoxShownByTheCommitDoesNotCommitTwice) {
    TwoEdits form;
    int commits = 0;
    QtMessageSink sink;
    new FocusOutCommit(form.first, [&] {
        ++commits;
        // A refused value takes the focus back to its edit and says why: the box
        // then takes the focus from the edit while this commit still runs.
        form.first->setFocus();
        QApplication::processEvents();
        testing::WhenModalAppears([](QWidget* box) { testing::Find<QAbstractButton>(box, 1)->click(); });
        CError(sink).Show(msg::kErrBasePressure);
    });
    form.second->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(commits, 1);
}

TEST(FillCombo, FillsAndSelectsWithoutSignals) {
    QComboBox combo;
    int changes = 0;
    QObject::connect(&combo, &QComboBox::currentIndexChanged, [&] { ++changes; });
    FillCombo(combo, {"psia", "psig", "kPa(a)"}, 1);
    EXPECT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.currentIndex(), 1);
    FillCombo(combo, {"in", "mm"}, 7);  // a damaged index selects nothing
    EXPECT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(changes, 0);
}

}  // namespace
}  // namespace quorven
