#pragma once
// Every modal dialog the program raises (message boxes, file choosers, text
// input) goes through these functions. Tests install a handler that answers
// or records them instead of showing a window.

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace UiPrompt {

enum class Kind { Information, Warning, Critical, Question, FileOpen, FileSave, TextInput };

struct Request {
    Kind kind;
    QString title;
    QString text;       // message text, or the filter of a file chooser, or the input label
    QString directory;  // file choosers: start directory; text input: default text
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    // The button that Return presses; NoButton lets the box choose.
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// A test handler returns the answer: a QMessageBox::StandardButton (as int)
// for message kinds, a file name / text for the others (empty = cancelled).
struct Answer {
    int button = QMessageBox::Ok;
    QString text;
    bool accepted = true;
};

using Handler = std::function<Answer(const Request &)>;

// Replaces the real dialogs; pass an empty handler to restore them.
void setHandler(Handler handler);

QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

QString openFileName(QWidget *parent, const QString &caption, const QString &directory = QString(),
                     const QString &filter = QString());
QString saveFileName(QWidget *parent, const QString &caption, const QString &directory = QString(),
                     const QString &filter = QString());

// The port number typed in a port field; when it holds none, a warning box
// naming what was typed, and false.
bool portOrWarning(QWidget *parent, const QString &text, quint16 *port,
                   QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Returns false when the user cancelled.
bool textInput(QWidget *parent, const QString &title, const QString &label, const QString &initial,
               QString *result);

} // namespace UiPrompt
