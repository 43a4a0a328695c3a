#include "uiprompt.h"

#include "portnumber.h"

#include <QFileDialog>
#include <QCoreApplication>
#include <QInputDialog>

namespace UiPrompt {
namespace {
Handler &handlerRef()
{
    static Handler handler;
    return handler;
}

QMessageBox::StandardButton message(Kind kind, QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    if (handlerRef())
        return QMessageBox::StandardButton(
            handlerRef()(Request{kind, title, text, QString(), buttons, defaultButton}).button);
    switch (kind) {
    case Kind::Warning:
        return QMessageBox::warning(parent, title, text, buttons);
    case Kind::Critical:
        return QMessageBox::critical(parent, title, text, buttons);
    case Kind::Question:
        return QMessageBox::question(parent, title, text, buttons, defaultButton);
    default:
        return QMessageBox::information(parent, title, text, buttons);
    }
}
} // namespace

void setHandler(Handler handler) { handlerRef() = std::move(handler); }

QMessageBox::StandardButton information(QWidget *p, const QString &t, const QString &x, QMessageBox::StandardButtons b)
{
    return message(Kind::Information, p, t, x, b);
}
QMessageBox::StandardButton warning(QWidget *p, const QString &t, const QString &x, QMessageBox::StandardButtons b)
{
    return message(Kind::Warning, p, t, x, b);
}
QMessageBox::StandardButton critical(QWidget *p, const QString &t, const QString &x, QMessageBox::StandardButtons b)
{
    return message(Kind::Critical, p, t, x, b);
}
QMessageBox::StandardButton question(QWidget *p, const QString &t, const QString &x, QMessageBox::StandardButtons b,
                                     QMessageBox::StandardButton d)
{
    return message(Kind::Question, p, t, x, b, d);
}

namespace {
// A file name from the test handler when one is set; otherwise from `ask`.
template<typename Ask>
QString fileName(Kind kind, const QString &caption, const QString &directory, const QString &filter, Ask ask)
{
    if (handlerRef()) {
        const Answer a =
            handlerRef()(Request{kind, caption, filter, directory, QMessageBox::Ok, QMessageBox::NoButton});
        return a.accepted ? a.text : QString();
    }
    return ask();
}
} // namespace

QString openFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filter)
{
    return fileName(Kind::FileOpen, caption, directory, filter,
                    [&] { return QFileDialog::getOpenFileName(parent, caption, directory, filter); });
}

QString saveFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filter)
{
    return fileName(Kind::FileSave, caption, directory, filter,
                    [&] { return QFileDialog::getSaveFileName(parent, caption, directory, filter); });
}

bool textInput(QWidget *parent, const QString &title, const QString &label, const QString &initial, QString *result)
{
    if (handlerRef()) {
        const Answer a = handlerRef()(
            Request{Kind::TextInput, title, label, initial, QMessageBox::Ok, QMessageBox::NoButton});
        if (a.accepted && result)
            *result = a.text;
        return a.accepted;
    }
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, initial, &ok);
    if (ok && result)
        *result = text;
    return ok;
}

bool portOrWarning(QWidget *parent, const QString &text, quint16 *port, QMessageBox::StandardButtons buttons)
{
    if (PortNumber::parse(text, port))
        return true;
    warning(parent, QCoreApplication::translate("MainWindow", "warning:"), PortNumber::notAPort(text), buttons);
    return false;
}

} // namespace UiPrompt
