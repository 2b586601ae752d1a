#pragma once

#include "../dialogs.h"
#include "transcript.h"

#include <deque>

namespace qs::fake {

// Answers message boxes from a queue; with none queued an OK box answers OK and a Yes/No box No.
class FakeDialogs : public platform::Dialogs {
public:
    explicit FakeDialogs(Transcript& t) : transcript_(t) {}

    void queueAnswer(int answer) { answers_.push_back(answer); }
    int messageBox(const std::string& text, int style, const std::string& title) override;

private:
    Transcript& transcript_;
    std::deque<int> answers_;
};

std::string answerName(int answer);

} // namespace qs::fake
