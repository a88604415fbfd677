#include "support/WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <deque>

#include "dialogs/NSFlexDialog.h"

namespace vxtest {

namespace {

struct AnswerState {
    std::deque<QMessageBox::StandardButton> queue;
    QStringList asked;
};

AnswerState& State() {
    static AnswerState state;
    return state;
}

// The next answer for a box showing `text`; false when none is queued (the
// running test then fails).
bool TakeAnswer(const QString& text, QMessageBox::StandardButton* button) {
    AnswerState& s = State();
    s.asked << text;
    if (s.queue.empty()) {
        ADD_FAILURE() << "no answer queued for \"" << text.toStdString() << "\"";
        return false;
    }
    *button = s.queue.front();
    s.queue.pop_front();
    return true;
}

// Answers a message box once its own event loop runs.
class BoxWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                QPointer<QMessageBox> guard(box);
                QTimer::singleShot(0, box, [guard] {
                    if (guard) Answer(guard);
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void Answer(QMessageBox* box) {
        QMessageBox::StandardButton button = QMessageBox::NoButton;
        if (TakeAnswer(box->text(), &button)) {
            if (QAbstractButton* b = box->button(button)) {
                b->click();
                return;
            }
            ADD_FAILURE() << "the box \"" << box->text().toStdString() << "\" has no button " << int(button);
        }
        box->reject();
    }
};

// Empties the queue before each test and fails a test that left answers.
class AnswerListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        State().queue.clear();
        State().asked.clear();
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        const size_t left = State().queue.size();
        State().queue.clear();
        if (left) ADD_FAILURE() << left << " queued answer(s) were not used";
    }
};

}  // namespace

void AnswerNext(QMessageBox::StandardButton button) { State().queue.push_back(button); }

int PendingAnswers() { return int(State().queue.size()); }

const QStringList& AskedTexts() { return State().asked; }

QString LastAskedText() { return State().asked.isEmpty() ? QString() : State().asked.back(); }

void InstallAnswering() {
    qApp->installEventFilter(new BoxWatcher(qApp));
    CNSFlexDialog::messageHook() = [](QWidget*, const QString& text) {
        QMessageBox::StandardButton button;
        TakeAnswer(text, &button);
    };
    CNSFlexDialog::questionHook() = [](QWidget*, const QString& text) {
        QMessageBox::StandardButton button = QMessageBox::Cancel;
        return TakeAnswer(text, &button) && (button == QMessageBox::Ok || button == QMessageBox::Yes);
    };
    // Appended after the result printer, so it reports before the printer
    // (listeners hear of a test's end in reverse order).
    ::testing::UnitTest::GetInstance()->listeners().Append(new AnswerListener);
}

}  // namespace vxtest
