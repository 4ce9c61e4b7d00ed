#include "ui/main/rules/RecordCheck.h"

#include "ui/main/rules/CharSets.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace rq7;
using namespace rq7::rules;

namespace {

std::vector<std::string> lines(const RecordCheck& check) {
    std::vector<std::string> out;
    for (const Finding& f : check.findings)
        out.push_back(f.line());
    return out;
}

std::string reject(const std::string& field, const std::string& key,
                   std::string_view appended = {}) {
    return field + ": " + key + " " + Texts{}.get(key) + std::string(appended);
}

} // namespace

TEST(CheckRecord, DefaultRecordPasses) {
    const SettingsRecord record;
    const RecordCheck check = CheckRecord(record, "+420", Texts{});
    EXPECT_TRUE(check.findings.empty());
    EXPECT_FALSE(check.rejected());
    EXPECT_EQ(check.corrected, record);
}

TEST(CheckRecord, RejectionsAndReplacementsInFieldOrder) {
    SettingsRecord r;
    r.tabPIN = "12a";
    r.tabDobaPlatnostiSMS = "45";
    r.tabTC[1] = "061";
    r.tabTCPrijem[2] = 1; // on an empty number
    r.tabTCUdalost[2] = 1;
    r.tabTC[3] = "+";
    r.tabINPNazev[0] = "st";
    r.tabOUTNazev[0] = "REL";
    r.tabOUTNazev[1] = "RELE";
    r.tabOUTVyp[0] = "on";
    r.tabOUTZap[0] = "ON";
    const RecordCheck check = CheckRecord(r, "+420", Texts{});
    const std::vector<std::string> expected = {
        "tabPIN: msg045 PIN je zad\u00e1n chybn\u011b!",
        "tabDobaPlatnostiSMS=30",
        "tabTC(1)=+42061",
        "tabTCPrijem(2)=0",
        "tabTCUdalost(2)=0",
        reject("tabTC(3)", "msg037"),
        reject("tabINPNazev(0)", "msg044", CommandKeywords),
        reject("tabOUTVyp(0)", "msg040"), // once for the pair, as in a bounce
        reject("tabOUTNazev(0)", "msg041"),
    };
    EXPECT_EQ(lines(check), expected);
    EXPECT_TRUE(check.rejected());

    SettingsRecord corrected = r;
    corrected.tabDobaPlatnostiSMS = "30";
    corrected.tabTC[1] = "+42061";
    corrected.tabTCPrijem[2] = 0;
    corrected.tabTCUdalost[2] = 0;
    EXPECT_EQ(check.corrected, corrected);
}

TEST(CheckRecord, EachRowsStatePairIsItsOwnBounce) {
    SettingsRecord r;
    r.tabINPVyp[0] = "Zap";
    r.tabINPZap[0] = "zap";
    r.tabINPVyp[1] = "Open";
    r.tabINPZap[1] = "open";
    r.tabOUTVyp[4] = "back"; // msg040 first, then the sister's keyword test
    r.tabOUTZap[4] = "BACK";
    r.tabOUTVyp[5] = "X";
    r.tabOUTZap[5] = "x";
    const std::vector<std::string> expected = {
        reject("tabINPVyp(0)", "msg040"), reject("tabINPVyp(1)", "msg040"),
        reject("tabOUTVyp(4)", "msg040"), reject("tabOUTZap(4)", "msg044", CommandKeywords),
        reject("tabOUTVyp(5)", "msg040"),
    };
    EXPECT_EQ(lines(CheckRecord(r, "+420", Texts{})), expected);
}

TEST(CheckRecord, ReplacementsOnlyDoNotReject) {
    SettingsRecord r;
    r.tabTC[0] = "0042061";
    r.tabPrepnoutJTSCislo = "x";
    r.tabTCPoplach[7] = 1;
    const RecordCheck check = CheckRecord(r, "", Texts{});
    EXPECT_EQ(lines(check), (std::vector<std::string>{"tabPrepnoutJTSCislo=0", "tabTC(0)=+42061",
                                                      "tabTCPoplach(7)=0"}));
    EXPECT_FALSE(check.rejected());
    // With no prefix a national number stays as typed.
    r = SettingsRecord();
    r.tabTC[0] = "061";
    EXPECT_TRUE(CheckRecord(r, "", Texts{}).findings.empty());
}
