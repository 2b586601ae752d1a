#include "dialogs_fake.h"

namespace qs::fake {

std::string answerName(int answer) {
    switch (answer) {
    case platform::kAnswerOK:
        return "OK";
    case platform::kAnswerCancel:
        return "Cancel";
    case platform::kAnswerYes:
        return "Yes";
    case platform::kAnswerNo:
        return "No";
    default:
        return std::to_string(answer);
    }
}

int FakeDialogs::messageBox(const std::string& text, int style, const std::string& title) {
    int answer;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    } else {
        const bool yesNo = (style & 0xF) == 4;
        answer = yesNo ? platform::kAnswerNo : platform::kAnswerOK;
    }
    transcript_.line("msgbox " + std::to_string(style) + " " + quote(title) + " " + quote(text) + " -> " +
                     answerName(answer));
    return answer;
}

} // namespace qs::fake
