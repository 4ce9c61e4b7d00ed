#include "report/ReportLines.h"

namespace rq7::report {

namespace {

// One table line: every field followed by the separator, the last one too.
class FieldLine {
public:
    FieldLine& text(const std::string& value) {
        line_ += value;
        line_ += kFieldSeparator;
        return *this;
    }
    FieldLine& flag(Flag value) { return text(std::to_string(value)); }
    std::string str() const { return line_; }

private:
    std::string line_;
};

void startSection(std::vector<std::string>& lines, const char* heading) {
    lines.emplace_back();
    lines.emplace_back(heading);
    lines.emplace_back(kRuleLength, '=');
}

std::string rowName(char prefix, int row) {
    return prefix + std::to_string(row);
}

void addGeneral(std::vector<std::string>& lines, const SettingsRecord& s) {
    startSection(lines, "VŠEOBECNÉ");
    const auto flag = [](Flag value) { return std::to_string(value); };
    lines.push_back("Jméno stanice: " + s.tabJmenoStanice);
    lines.push_back("PIN: " + s.tabPIN);
    lines.push_back("Tel.č. SMS centra: " + s.tabTCcentra);
    lines.push_back("Doba platnosti SMS zprávy: " + s.tabDobaPlatnostiSMS);
    lines.push_back("Používat bezpečný režim: " + flag(s.tabBezpecRezim));
    lines.push_back("V nebezpečném režimu odpovídat i na T0: " + flag(s.tabOdpovidatT0));
    lines.push_back("Hlášení o nepovoleném přístupu posílat i na telefonní číslo T0: " +
                    flag(s.tabPrepnoutNepovolPristup));
    lines.push_back("Posílat hlášení, že není povolen přístup: " + flag(s.opNotAuthorized));
    lines.push_back("Text hlášení o nepovolení přístupu: " + s.rtNotAuthorized);
}

void addPhones(std::vector<std::string>& lines, const SettingsRecord& s) {
    startSection(lines, "TELEFONNÍ ČÍSLA - (Tel.číslo, Příjem, Odesílat události)");
    // The alarm flag is not part of the report.
    for (int i = 0; i < kRowCount; ++i)
        lines.push_back(FieldLine()
                            .text(rowName('T', i))
                            .text(s.tabTC[i])
                            .flag(s.tabTCPrijem[i])
                            .flag(s.tabTCUdalost[i])
                            .str());
}

void addInputs(std::vector<std::string>& lines, const SettingsRecord& s) {
    startSection(lines, "VSTUPY: (Vstup, Název, Zapnuto, Vypnuto, Přechod N->A, Přechod A->N, "
                        "Negace, N->A, A->N, Uvádět ve zprávě)");
    for (int i = 0; i < kRowCount; ++i)
        lines.push_back(FieldLine()
                            .text(rowName('I', i))
                            .text(s.tabINPNazev[i])
                            .text(s.tabINPZap[i])
                            .text(s.tabINPVyp[i])
                            .flag(s.tabINPLHEvent[i])
                            .flag(s.tabINPHLEvent[i])
                            .flag(s.tabINPNeg[i])
                            .text(s.tabINPLH[i])
                            .text(s.tabINPHL[i])
                            .flag(s.tabINPZpr[i])
                            .str());
}

void addOutputs(std::vector<std::string>& lines, const SettingsRecord& s) {
    startSection(lines, "VÝSTUPY: (Výstup, Název, Zapnuto, Vypnuto, Negace, Impuls, "
                        "Délka impulsu * 0,1 sekund, Uvádět ve zprávě)");
    for (int i = 0; i < kRowCount; ++i)
        lines.push_back(FieldLine()
                            .text(rowName('O', i))
                            .text(s.tabOUTNazev[i])
                            .text(s.tabOUTZap[i])
                            .text(s.tabOUTVyp[i])
                            .flag(s.tabOUTNeg[i])
                            .text(s.tabOUTimpuls[i])
                            .text(s.tabOUTimpulsLEN[i])
                            .flag(s.tabOUTZpr[i])
                            .str());
}

} // namespace

std::vector<std::string> reportLines(const SettingsRecord& settings) {
    std::vector<std::string> lines;
    lines.reserve(kReportLineCount);
    addGeneral(lines, settings);
    addPhones(lines, settings);
    addInputs(lines, settings);
    addOutputs(lines, settings);
    return lines;
}

} // namespace rq7::report
