#pragma once
// Settings records that many tests share.

#include "settings/SettingsRecord.h"

#include <string>

namespace rq7::test {

// Every field differs from its initial value, the texts pass the field
// rules, and the image holds the record exactly (Czech letters included), so
// it survives a file or a device round trip unchanged.
SettingsRecord everyFieldSet();

// The bytes a save of `record` writes to a settings file.
std::string settingsFileBytes(const SettingsRecord& record);

} // namespace rq7::test
