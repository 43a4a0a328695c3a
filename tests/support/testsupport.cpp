#include "testsupport.h"

namespace TestSupport {

PromptRecorder::PromptRecorder()
{
    UiPrompt::setHandler([this](const UiPrompt::Request &r) {
        m_requests.append(r);
        UiPrompt::Answer answer = m_answers.isEmpty() ? defaultAnswer : m_answers.takeFirst();
        if (answer.button == kReturnKey) {
            answer.button = r.defaultButton;
            if (answer.button == QMessageBox::NoButton)
                answer.button = (r.buttons & QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Yes;
        }
        return answer;
    });
}

PromptRecorder::~PromptRecorder() { UiPrompt::setHandler({}); }

QStringList PromptRecorder::texts() const
{
    QStringList out;
    for (const auto &r : m_requests)
        out << r.text;
    return out;
}

} // namespace TestSupport
