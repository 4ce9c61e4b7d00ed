#include "operations/SettingsCompare.h"

#include "settings/EepromImage.h"

#include <functional>
#include <memory>

namespace rq7 {

namespace {

// The window as the load workflows see it, except that the loaded settings
// land in a record of their own (starting as the window's, as a load into
// the window would); its page, focus and size labels stay as they are.
class CapturingHolder : public SettingsHolder {
public:
    explicit CapturingHolder(SettingsHolder& window)
        : window_(window), captured_(window.record()) {}

    SettingsRecord record() const override { return captured_; }
    void applyRecord(const SettingsRecord& record) override { captured_ = record; }
    std::vector<std::string> smsCentreItems() const override { return window_.smsCentreItems(); }
    // The window keeps its page and its focus.
    void showPage(int) override {}
    void focusField(const std::string&) override {}
    std::string usageCaption() const override { return window_.usageCaption(); }
    std::string eepromSizeCaption() const override { return window_.eepromSizeCaption(); }
    void updateMemoryUsage() override {}
    bool checkWrite() const override { return window_.checkWrite(); }

private:
    SettingsHolder& window_;
    SettingsRecord captured_;
};

// Every message but the load's success message.
class WithoutMessage : public Prompter {
public:
    WithoutMessage(Prompter& prompter, std::string key)
        : prompter_(prompter), key_(std::move(key)) {}
    Answer ask(const Message& message) override {
        return message.key == key_ ? Answer::Ok : prompter_.ask(message);
    }

private:
    Prompter& prompter_;
    std::string key_;
};

Outcome readToCompare(WorkflowContext& context, const std::string& successKey,
                      SettingsRecord& other, const std::function<Outcome(WorkflowContext&)>& load) {
    CapturingHolder holder(context.settings);
    WithoutMessage prompter(context.prompter, successKey);
    auto image = std::make_unique<EepromImage>(); // 64 KiB: not on the stack
    WorkflowContext own{holder, *image, prompter, context.status, context.texts};
    const Outcome outcome = load(own);
    if (outcome == Outcome::Done)
        other = holder.record();
    return outcome;
}

} // namespace

Outcome ReadFileToCompare(WorkflowContext& context, const std::string& path,
                          SettingsRecord& other) {
    return readToCompare(context, "msg004", other,
                         [&path](WorkflowContext& own) { return LoadFromPath(own, path); });
}

Outcome ReadDeviceToCompare(WorkflowContext& context, EepromTransfer& device,
                            SettingsRecord& other) {
    return readToCompare(context, "msg014", other,
                         [&device](WorkflowContext& own) { return LoadFromDevice(own, device); });
}

} // namespace rq7
