#pragma once

#include <string>

namespace qs::platform {

// Message box answers, as the platform numbers them.
enum MsgAnswer { kAnswerOK = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

// Style codes: buttons plus icon.
enum MsgStyle {
    kStyleCritical = 16,      // OK, critical
    kStyleYesNoCritical = 20, // Yes and No, critical
    kStyleYesNoQuestion = 36, // Yes and No, question
    kStyleExclamation = 48,   // OK, exclamation
    kStyleInformation = 64,   // OK, information
    kStyleYesNoInformation = 68,
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a modal message box and returns the answer.
    virtual int messageBox(const std::string& text, int style, const std::string& title) = 0;
};

} // namespace qs::platform
