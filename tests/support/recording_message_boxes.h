#pragma once

// A stand-in for the message boxes in window tests: it notes every message a window shows and answers
// each with the next scripted button (OK, or the message's default button, when none is scripted).

#include "platform/message.h"

#include <deque>
#include <functional>
#include <vector>

namespace orvane::testing {

class RecordingMessageBoxes : public platform::MessageBoxes {
public:
    platform::Button Show(const platform::Message& message) override
    {
        shown.push_back(message);
        if (whileShown)
            whileShown();
        if (answers.empty())
            return message.buttons == platform::Buttons::Ok ? platform::Button::Ok : message.defaultButton;
        const platform::Button answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<platform::Message> shown;
    std::deque<platform::Button> answers;
    std::function<void()> whileShown;  // what a test looks at while a box is open
};

}  // namespace orvane::testing
