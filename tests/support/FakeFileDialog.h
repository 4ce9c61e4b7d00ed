#pragma once
// A file dialog answered from the test: the name to give, or nullopt for
// Cancel (the default), counting how often each dialog opened.

#include "operations/FileDialog.h"

#include <optional>
#include <string>

namespace rq7::test {

class FakeFileDialog : public FileDialog {
public:
    std::optional<std::string> openAnswer;
    std::optional<std::string> saveAnswer;
    int opened = 0;
    int saved = 0;
    std::string openedIn; // the folder of the last chooseFileToOpenIn

    std::optional<std::string> chooseFileToOpen() override {
        ++opened;
        return openAnswer;
    }
    std::optional<std::string> chooseFileToOpenIn(const std::string& folder) override {
        openedIn = folder;
        return chooseFileToOpen();
    }
    std::string offered; // the name the last save dialog offered
    std::optional<std::string> chooseFileToSave(const std::string& offeredName) override {
        offered = offeredName;
        ++saved;
        return saveAnswer;
    }
};

} // namespace rq7::test
