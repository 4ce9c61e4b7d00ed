#include "operations/StartupLists.h"

#include "operations/SmsCentreList.h"
#include "settings/ChoiceTables.h"

namespace rq7 {

namespace {
std::vector<std::string> texts(const ChoiceTable& table) {
    std::vector<std::string> items;
    for (const ChoiceItem& item : table)
        items.emplace_back(item.text);
    return items;
}
} // namespace

StartupLists InitTables(const std::filesystem::path& programDir,
                        const std::filesystem::path& systemDir) {
    StartupLists lists;
    lists.tabKOMUNIKFormat = texts(FormatTable);
    lists.tabKOMUNIKParita = texts(ParityTable);
    lists.tabKOMUNIKFrekvence = texts(FrequencyTable);
    lists.tabTCcentra = LoadSmsCentreList(programDir, systemDir);
    return lists;
}

} // namespace rq7
