#pragma once
// A Prompter that records every message asked and answers from a script,
// then with the box's close-box answer.

#include "ports/Prompter.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace rq7::test {

class ScriptedPrompter : public Prompter {
public:
    std::deque<Answer> answers;
    std::vector<Message> asked;
    // Runs when a message is asked, before it is answered (e.g. to nest
    // events or to press Storno).
    std::function<void(const Message&)> onAsk;

    Answer ask(const Message& message) override {
        asked.push_back(message);
        if (onAsk)
            onAsk(message);
        if (answers.empty())
            return message.defaultAnswer();
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // The catalogue key of every message asked, in order; the text for a
    // fixed message without a key.
    std::vector<std::string> keys() const {
        std::vector<std::string> result;
        for (const Message& message : asked)
            result.push_back(keyOf(message));
        return result;
    }

    // The first message asked with this key (or text, as keys() gives it);
    // nullptr when none was.
    const Message* find(const std::string& key) const {
        for (const Message& message : asked)
            if (keyOf(message) == key)
                return &message;
        return nullptr;
    }

    void clear() { asked.clear(); }

private:
    static const std::string& keyOf(const Message& message) {
        return message.key.empty() ? message.text : message.key;
    }
};

} // namespace rq7::test
