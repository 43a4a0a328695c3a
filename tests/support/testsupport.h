#pragma once
// Shared helpers for the tests: a prompt recorder, a scratch working
// directory, pseudo-terminal pairs from socat and a standard test main.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

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

// Makes a fresh temporary directory the working directory for the scope.
class ScratchDir
{
public:
    ScratchDir();
    ~ScratchDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// A socat pseudo-terminal pair; a() is handed to the program, b() is the
// peer's end. Both links live in a temporary directory.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    bool ok() const { return m_ok; }
    QString a() const { return m_a; }
    QString b() const { return m_b; }
    void kill();

private:
    QTemporaryDir m_dir;
    QProcess m_socat;
    QString m_a, m_b;
    bool m_ok = false;
};

// Environment every test program wants before its QApplication exists.
void prepareEnvironment();

// Resident memory of this process in KiB (-1 when it cannot be read).
long residentKb();

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
