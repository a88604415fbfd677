// Answering the questions and messages of widget tests.
//
// Every message box the code under test opens, and every message or question
// of a CNSFlexDialog, takes the next queued answer:
//
//     vxtest::AnswerNext(QMessageBox::No);   // "Save changes to ...?" -> No
//     frame->close();
//     EXPECT_TRUE(vxtest::LastAskedText().contains("Save changes"));
//
// A box or dialog message with no answer queued fails the running test and
// is closed (Escape), so nothing waits for a click. An answer still queued
// when a test ends fails that test; the queue and the texts are emptied
// before every test, so nothing leaks into the next one.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

namespace vxtest {

// Queues `button` for the next box or dialog message. For a dialog's
// OK/Cancel question, Ok and Yes mean OK; for its plain messages any
// button acknowledges.
void AnswerNext(QMessageBox::StandardButton button);
// Answers not yet taken.
int PendingAnswers();
// The texts of the boxes and dialog messages of this test, in order.
const QStringList& AskedTexts();
// The last of them (empty when none).
QString LastAskedText();

// Installs the answering (the widget test main calls it once).
void InstallAnswering();

}  // namespace vxtest
