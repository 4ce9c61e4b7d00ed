#include "operations/UnsavedChanges.h"

namespace rq7 {

UnsavedResult ResolveUnsavedChanges(WorkflowContext& context, FileDialog& dialog, bool modified) {
    if (!modified)
        return {true, std::nullopt};
    Message message;
    message.key = "msg090";
    message.text = context.texts.get(message.key);
    message.icon = Icon::Question;
    message.buttons = Buttons::YesNoCancel;
    message.yesCaption = context.texts.get("btSaveChanges");
    message.noCaption = context.texts.get("btDiscardChanges");
    message.cancelCaption = context.texts.get("btCancel");
    switch (context.prompter.ask(message)) {
    case Answer::No:
        return {true, std::nullopt};
    case Answer::Yes:
        break;
    case Answer::Cancel:
    case Answer::Ok:
        return {false, std::nullopt};
    }
    const std::optional<std::string> path =
        dialog.chooseFileToSave(context.settings.offeredFileName());
    if (!path || SaveToPath(context, *path) != Outcome::Done)
        return {false, std::nullopt};
    return {true, path};
}

} // namespace rq7
