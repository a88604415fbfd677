// The answering of message boxes and dialog messages in widget tests.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QMessageBox>

#include "dialogs/NSFlexDialog.h"
#include "support/WidgetTestSupport.h"

TEST(Answering, BoxesTakeTheQueuedButtonsInOrder) {
    vxtest::AnswerNext(QMessageBox::No);
    vxtest::AnswerNext(QMessageBox::Yes);
    const auto buttons = QMessageBox::Yes | QMessageBox::No;
    EXPECT_EQ(QMessageBox::question(nullptr, "Test", "First?", buttons), QMessageBox::No);
    EXPECT_EQ(QMessageBox::question(nullptr, "Test", "Second?", buttons), QMessageBox::Yes);
    EXPECT_EQ(vxtest::AskedTexts(), (QStringList{"First?", "Second?"}));
    EXPECT_EQ(vxtest::LastAskedText(), "Second?");
    EXPECT_EQ(vxtest::PendingAnswers(), 0);
}

TEST(Answering, DialogQuestionsAndMessagesShareTheQueue) {
    CNSFlexDialog d;
    vxtest::AnswerNext(QMessageBox::Ok);
    vxtest::AnswerNext(QMessageBox::Cancel);
    vxtest::AnswerNext(QMessageBox::Ok);
    vxtest::AnswerNext(QMessageBox::Yes);
    EXPECT_TRUE(d.AskOkCancel("Go on?"));
    EXPECT_FALSE(d.AskOkCancel("Really?"));
    d.ShowMessage("Done.");
    EXPECT_EQ(QMessageBox::question(nullptr, "Test", "Box?"), QMessageBox::Yes);
    EXPECT_EQ(vxtest::AskedTexts(), (QStringList{"Go on?", "Really?", "Done.", "Box?"}));
}

TEST(Answering, AnUnansweredBoxFailsTheTestAndCloses) {
    EXPECT_NONFATAL_FAILURE(QMessageBox::warning(nullptr, "Test", "Nobody answers."), "no answer queued");
    EXPECT_NONFATAL_FAILURE(CNSFlexDialog().ShowMessage("Nobody reads."), "no answer queued");
    // An unanswered question counts as Cancel.
    EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(CNSFlexDialog().AskOkCancel("Nobody decides?")), "no answer queued");
}

TEST(Answering, AButtonTheBoxDoesNotHaveFails) {
    vxtest::AnswerNext(QMessageBox::Yes);
    EXPECT_NONFATAL_FAILURE(QMessageBox::information(nullptr, "Test", "Only OK."), "has no button");
    EXPECT_EQ(vxtest::PendingAnswers(), 0);
}

// Run by the AnswerLeftUnusedFailsItsTest check: the first must fail, the
// second must start with an empty queue.
TEST(Answering, DISABLED_LeavesAnAnswer) { vxtest::AnswerNext(QMessageBox::Ok); }

TEST(Answering, DISABLED_StartsEmptyAfterALeftover) {
    EXPECT_EQ(vxtest::PendingAnswers(), 0);
    EXPECT_TRUE(vxtest::AskedTexts().isEmpty());
}
