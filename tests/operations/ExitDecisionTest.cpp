#include "operations/ExitDecision.h"

#include "tests/support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace rq7 {
namespace {

struct ExitCase {
    const char* name;
    ExitRequest request;
    bool active;
    std::optional<Answer> answer; // nothing: no question expected
    ExitAction expected;
};

TEST(ExitDecision, AsksOnlyWhileActiveAndMapsTheAnswer) {
    const ExitCase cases[] = {
        {"button, inactive", ExitRequest::ExitButton, false, std::nullopt, ExitAction::Quit},
        {"close box, inactive", ExitRequest::WindowClosed, false, std::nullopt, ExitAction::Quit},
        {"button, Yes", ExitRequest::ExitButton, true, Answer::Yes, ExitAction::DeactivateThenQuit},
        {"button, No", ExitRequest::ExitButton, true, Answer::No, ExitAction::Quit},
        {"button, Cancel", ExitRequest::ExitButton, true, Answer::Cancel, ExitAction::KeepRunning},
        {"close box, Yes", ExitRequest::WindowClosed, true, Answer::Yes,
         ExitAction::DeactivateThenQuit},
        {"close box, No", ExitRequest::WindowClosed, true, Answer::No, ExitAction::Quit},
        // Escape on a Yes/No box cannot keep the closing window alive.
        {"close box, Cancel", ExitRequest::WindowClosed, true, Answer::Cancel, ExitAction::Quit},
    };
    const Texts texts;
    for (const ExitCase& c : cases) {
        test::ScriptedPrompter prompter;
        if (c.answer)
            prompter.answers.push_back(*c.answer);
        EXPECT_EQ(DecideExit(c.request, c.active, prompter, texts), c.expected)
            << "case: " << c.name;
        if (!c.answer) {
            EXPECT_TRUE(prompter.asked.empty()) << "case: " << c.name;
            continue;
        }
        ASSERT_EQ(prompter.asked.size(), 1u) << "case: " << c.name;
        const Message& m = prompter.asked[0];
        EXPECT_EQ(m.key, "msg038") << "case: " << c.name;
        EXPECT_EQ(m.icon, Icon::Question) << "case: " << c.name;
        EXPECT_EQ(m.title, "RQ7 Init") << "case: " << c.name;
        EXPECT_EQ(m.buttons,
                  c.request == ExitRequest::ExitButton ? Buttons::YesNoCancel : Buttons::YesNo)
            << "case: " << c.name;
        EXPECT_EQ(m.text,
                  "Za\u0159\u00edzen\u00ed nebylo deaktivov\u00e1no a je z\u0159ejm\u011b "
                  "st\u00e1le v programovac\u00edm m\u00f3du. M\u00e1 se za\u0159\u00edzen\u00ed "
                  "p\u0159ed ukon\u010den\u00edm programu deaktivovat?")
            << "case: " << c.name;
    }
}

} // namespace
} // namespace rq7
