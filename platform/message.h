#pragma once

// A message box without the window: what a model has to tell or ask the user. Every message and question
// of the program is one of these values; the windows show them through MessageBoxes, the command-line
// companion prints their text.

#include <string>
#include <utility>

namespace orvane::platform {

// The icon beside the text: none (a plain box), information (input problems and questions), exclamation
// (errors), critical (the stop sign of the one fatal case).
enum class Icon { None, Information, Exclamation, Critical };

// The buttons a box offers.
enum class Buttons { Ok, YesNo, YesNoCancel };

// The button the user pressed, or the one that is pressed when Enter is hit.
enum class Button { Ok, Yes, No, Cancel };

struct Message {
    Icon icon = Icon::None;
    std::string title;
    std::string text;
    Buttons buttons = Buttons::Ok;
    Button defaultButton = Button::Ok;

    bool operator==(const Message&) const = default;

    // A box with one OK button.
    static Message Plain(std::string title, std::string text) { return Ok(Icon::None, std::move(title), std::move(text)); }
    static Message Information(std::string title, std::string text)
    {
        return Ok(Icon::Information, std::move(title), std::move(text));
    }
    static Message Exclamation(std::string title, std::string text)
    {
        return Ok(Icon::Exclamation, std::move(title), std::move(text));
    }
    static Message Critical(std::string title, std::string text)
    {
        return Ok(Icon::Critical, std::move(title), std::move(text));
    }

    // A question with the buttons Yes and No, under the information icon as every question of the program.
    static Message Question(std::string title, std::string text, Button defaultButton = Button::Yes)
    {
        return {Icon::Information, std::move(title), std::move(text), Buttons::YesNo, defaultButton};
    }

private:
    static Message Ok(Icon icon, std::string title, std::string text)
    {
        return {icon, std::move(title), std::move(text), Buttons::Ok, Button::Ok};
    }
};

// How a window shows a message: modal, until the user presses one of its buttons, which is returned. The
// desktop program implements it on QMessageBox; tests replace it with a recorder.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual Button Show(const Message& message) = 0;
};

}  // namespace orvane::platform
