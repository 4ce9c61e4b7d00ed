#include "operations/ExitDecision.h"

namespace rq7 {

ExitAction DecideExit(ExitRequest request, bool deviceActive, Prompter& prompter,
                      const Texts& texts) {
    if (!deviceActive)
        return ExitAction::Quit;
    Message message;
    message.key = "msg038";
    message.text = texts.get(message.key);
    message.icon = Icon::Question;
    message.buttons = request == ExitRequest::ExitButton ? Buttons::YesNoCancel : Buttons::YesNo;
    switch (prompter.ask(message)) {
    case Answer::Yes:
        return ExitAction::DeactivateThenQuit;
    case Answer::Cancel:
        // Closing the window cannot be cancelled; only the button's question offers Cancel.
        return request == ExitRequest::ExitButton ? ExitAction::KeepRunning : ExitAction::Quit;
    case Answer::No:
    case Answer::Ok:
        break;
    }
    return ExitAction::Quit;
}

} // namespace rq7
