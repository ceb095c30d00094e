#pragma once

// Modal windows in the window tests. A test names the dialogs it expects and
// how to answer them; any other modal window is closed and fails the running
// test with its text, so that a test never waits on a dialog until the ctest
// timeout.

#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

namespace testsupport {

// "QMessageBox "title": text" for a report.
QString DescribeModal(const QWidget* modal);

// One per test program (YOMARI_TEST_MAIN makes it). Every 10 ms it offers the
// active modal window, once it is active, to the rules in force, the newest
// first; a rule answers true when it took care of the window. A window no
// rule takes for kPatienceMs is closed, and the test running fails, naming it.
class ModalGuard : public QObject {
public:
    using Rule = std::function<bool(QWidget* modal)>;
    static constexpr int kPatienceMs = 3000;
    static constexpr int kActivationMs = 200;

    static ModalGuard& Instance();
    int Add(Rule rule);
    void Remove(int id);
    // The windows closed unasked since the last call.
    QStringList TakeClosed();

private:
    ModalGuard();
    void Tick();

    QTimer m_timer;
    std::vector<std::pair<int, Rule>> m_rules;
    int m_nextId = 0;
    QPointer<QWidget> m_busy; // a rule is working on it
    QPointer<QWidget> m_seen; // the modal window waiting, since when
    qint64 m_seenSince = 0;
    QStringList m_closed;
};

// The answers for one action: what the test expects to see, and what it
// reads from it.
class Modals {
public:
    using Rule = ModalGuard::Rule;

    // Message boxes are answered with `button` (or, where they lack it, their
    // first button), and their texts kept in Texts().
    Modals& AnswerBoxes(QMessageBox::StandardButton button = QMessageBox::Ok);
    // Each time a dialog of type D is the active modal window, the next step
    // runs on it; once the steps are done, the dialog is expected to close.
    template <class D>
    Modals& Steps(std::vector<std::function<void(D&)>> steps)
    {
        auto next = std::make_shared<size_t>(0);
        return Add([steps = std::move(steps), next](QWidget* modal) {
            auto* d = qobject_cast<D*>(modal);
            if (!d || *next >= steps.size())
                return false;
            steps[(*next)++](*d);
            return true;
        });
    }
    // Any other rule.
    Modals& Add(Rule rule);

    // Runs the action with these answers in force. Answers false, having
    // failed the test, when a modal window came that nobody expected.
    bool Run(const std::function<void()>& action);

    const QStringList& Texts() const { return *m_texts; }
    // The windows closed because nobody expected them, by DescribeModal.
    const QStringList& Unexpected() const { return m_unexpected; }

private:
    std::vector<Rule> m_rules;
    std::shared_ptr<QStringList> m_texts = std::make_shared<QStringList>();
    QStringList m_unexpected;
};

// Runs `action` and answers every modal message box that opens meanwhile
// with `button`, answering the texts they showed.
QStringList AnswerMessageBoxes(const std::function<void()>& action,
                               QMessageBox::StandardButton button = QMessageBox::Ok);

} // namespace testsupport

// QTEST_MAIN with the guard against unexpected modal windows in force from the
// first test on.
#define YOMARI_TEST_MAIN(TestObject)                                                                         \
    QTEST_MAIN_WRAPPER(TestObject, QTEST_MAIN_SETUP() testsupport::ModalGuard::Instance();)
