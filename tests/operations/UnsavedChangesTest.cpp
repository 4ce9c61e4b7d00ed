#include "operations/UnsavedChanges.h"

#include "settings/EepromImage.h"
#include "tests/operations/FakeSettingsHolder.h"
#include "tests/support/FakeFileDialog.h"
#include "tests/support/RecordingStatus.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace rq7 {
namespace {

// Each answer does what it says; the question comes only for modified
// settings, and a save that does not happen keeps the user where he was.
TEST(UnsavedChanges, EachAnswerDoesWhatItSays) {
    test::TempDir dir;
    struct Case {
        const char* name;
        bool modified;
        std::deque<Answer> answers;
        std::optional<std::string> saveAs; // the save dialog's answer
        bool proceed;
        bool saved;
    };
    const std::string file = (dir / "zmeny.eep").string();
    const Case cases[] = {
        {"unmodified: no question", false, {}, std::nullopt, true, false},
        {"Discard", true, {Answer::No}, std::nullopt, true, false},
        {"Cancel", true, {Answer::Cancel}, file, false, false},
        {"Save", true, {Answer::Yes}, file, true, true},
        {"Save, dialog cancelled", true, {Answer::Yes}, std::nullopt, false, false},
        {"Save into a missing folder",
         true,
         {Answer::Yes, Answer::Ok},
         (dir / "missing" / "x.eep").string(),
         false,
         false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(file);
        test::FakeSettingsHolder holder;
        holder.current.tabJmenoStanice = "Chata7";
        auto image = std::make_unique<EepromImage>();
        test::ScriptedPrompter prompter;
        prompter.answers = c.answers;
        test::RecordingStatus status;
        test::FakeFileDialog dialog;
        dialog.saveAnswer = c.saveAs;
        const Texts texts;
        WorkflowContext context{holder, *image, prompter, status, texts};

        const UnsavedResult result = ResolveUnsavedChanges(context, dialog, c.modified);
        EXPECT_EQ(result.proceed, c.proceed) << "case: " << c.name;
        EXPECT_EQ(result.savedPath.has_value(), c.saved) << "case: " << c.name;
        EXPECT_EQ(std::filesystem::exists(file), c.saved) << "case: " << c.name;
        if (!c.modified) {
            EXPECT_TRUE(prompter.asked.empty()) << "case: " << c.name;
            continue;
        }
        ASSERT_FALSE(prompter.asked.empty()) << "case: " << c.name;
        const Message& question = prompter.asked.front();
        EXPECT_EQ(question.key, "msg090") << "case: " << c.name;
        EXPECT_EQ(question.buttons, Buttons::YesNoCancel) << "case: " << c.name;
        EXPECT_EQ(question.yesCaption, texts.get("btSaveChanges")) << "case: " << c.name;
        EXPECT_EQ(question.noCaption, texts.get("btDiscardChanges")) << "case: " << c.name;
        EXPECT_EQ(dialog.saved, c.answers.front() == Answer::Yes ? 1 : 0) << "case: " << c.name;
    }
}

} // namespace
} // namespace rq7
