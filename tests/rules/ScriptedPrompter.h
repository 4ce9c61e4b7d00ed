#pragma once
// A Prompter that records every message and answers from a script (then
// with the box's close answer).

#include "ports/Prompter.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace rq7::test {

class ScriptedPrompter : public Prompter {
public:
    std::vector<Message> asked;
    std::deque<Answer> answers;
    std::function<void()> duringAsk; // runs inside ask(), e.g. to nest events

    Answer ask(const Message& message) override {
        asked.push_back(message);
        if (duringAsk)
            duringAsk();
        if (answers.empty())
            return message.defaultAnswer();
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }

    std::vector<std::string> keys() const {
        std::vector<std::string> out;
        for (const Message& m : asked)
            out.push_back(m.key.empty() ? m.text : m.key);
        return out;
    }
};

} // namespace rq7::test
