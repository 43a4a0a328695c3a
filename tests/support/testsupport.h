#pragma once
// The tests' widget helpers: a prompt recorder and the standard test main
// (a QApplication). The Core-only helpers are in coresupport.h.

#include <QApplication>
#include <QList>
#include <QStringList>

#include "coresupport.h"
#include "uiprompt.h"

namespace TestSupport {

// Records every prompt; answers from a queue (or with the default answer).
class PromptRecorder
{
public:
    PromptRecorder();
    ~PromptRecorder();
    void queue(const UiPrompt::Answer &answer) { m_answers.append(answer); }
    void queueFile(const QString &path) { m_answers.append(UiPrompt::Answer{QMessageBox::Ok, path, true}); }
    void queueButton(QMessageBox::StandardButton b) { m_answers.append(UiPrompt::Answer{b, QString(), true}); }
    // The next message box is answered the way the Return key answers it:
    // with its default button (a box without one presses its first Ok or
    // Yes button, as Qt's box does).
    void queueReturn() { m_answers.append(UiPrompt::Answer{kReturnKey, QString(), true}); }
    static constexpr int kReturnKey = -1;
    const QList<UiPrompt::Request> &requests() const { return m_requests; }
    QStringList texts() const;
    void clear() { m_requests.clear(); m_answers.clear(); }
    UiPrompt::Answer defaultAnswer{QMessageBox::Ok, QString(), true};

private:
    QList<UiPrompt::Request> m_requests;
    QList<UiPrompt::Answer> m_answers;
};

} // namespace TestSupport

// Like QTEST_MAIN, with the web-engine switches set first.
#define VELM_TEST_MAIN(TestObject)                                                                                     \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        TestSupport::prepareEnvironment();                                                                             \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
