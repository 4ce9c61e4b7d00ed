#pragma once
// The one way the core talks to the user: a message box described by data.
// The program shows it with a real message box; tests script the answers and
// record every message that was asked.

#include <string>

namespace rq7 {

enum class Icon { Critical, Exclamation, Question, Information };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

struct Message {
    std::string key;  // catalogue key of the main text, e.g. "msg021" (empty for fixed texts)
    std::string text; // the text as shown, already looked up and completed
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
    std::string title = "RQ7 Init";
    // Texts that replace the standard captions of the Yes, No and Cancel
    // buttons (empty: the standard one), for a question whose answers are
    // better named, such as Save and Discard.
    std::string yesCaption = {};
    std::string noCaption = {};
    std::string cancelCaption = {};
    // Shown on request below the text (why a file failed); may be empty.
    std::string detail = {};
    // The answer taken when the box is closed without a button
    // (Esc or the close box): Cancel, else No, else Ok.
    Answer defaultAnswer() const {
        switch (buttons) {
        case Buttons::YesNoCancel:
            return Answer::Cancel;
        case Buttons::YesNo:
            return Answer::No;
        case Buttons::Ok:
            break;
        }
        return Answer::Ok;
    }
};

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Answer ask(const Message& message) = 0;
};

} // namespace rq7
