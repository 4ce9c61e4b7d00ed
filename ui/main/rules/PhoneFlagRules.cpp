#include "ui/main/rules/PhoneFlagRules.h"

#include "ui/main/rules/RuleMessages.h"

namespace rq7::rules {

namespace {

struct FlagMessage {
    PhoneFlag flag;
    const char* key;
};
constexpr FlagMessage kFlagMessages[] = {
    {PhoneFlag::Prijem, "msg051"},
    {PhoneFlag::Poplach, "msg052"},
    {PhoneFlag::Udalost, "msg053"},
};

// Clears AlarmClickBusy however the rule is left, a throwing prompter included.
class BusyGuard {
public:
    explicit BusyGuard(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyGuard() { busy_ = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    bool& busy_;
};

} // namespace

bool CheckPhoneFlags(PhoneRows& rows, int row, const ValidationState& state, const Texts& texts,
                     Prompter& prompter) {
    bool result = true;
    for (const FlagMessage& f : kFlagMessages) {
        if (!isOn(rows.flag(row, f.flag)) || !rows.number(row).empty() || state.SuppressCrossChecks)
            continue;
        prompter.ask(KeyMessage(texts, f.key, Icon::Exclamation));
        rows.setFlag(row, f.flag, kFlagOff);
        result = false;
    }
    return result;
}

void SingleAlarmRule(PhoneRows& rows, int row, ValidationState& state, const Texts& texts,
                     Prompter& prompter) {
    const bool set = isOn(rows.flag(row, PhoneFlag::Poplach));
    const bool flagsOk = CheckPhoneFlags(rows, row, state, texts, prompter);
    if (!set || !flagsOk || state.AlarmClickBusy)
        return;
    BusyGuard busy(state.AlarmClickBusy);
    int flagged = 0;
    for (int r = 0; r < kRowCount; ++r)
        if (isOn(rows.flag(r, PhoneFlag::Poplach)))
            ++flagged;
    if (flagged < 2)
        return;
    const Answer answer = prompter.ask(
        FixedMessage(kSingleAlarmText, Icon::Exclamation, kSingleAlarmTitle, Buttons::YesNo));
    if (answer == Answer::Yes) {
        for (int r = 0; r < kRowCount; ++r)
            rows.setFlag(r, PhoneFlag::Poplach, kFlagOff);
        rows.setFlag(row, PhoneFlag::Poplach, kFlagOn);
    } else {
        rows.setFlag(row, PhoneFlag::Poplach, kFlagOff);
    }
}

} // namespace rq7::rules
