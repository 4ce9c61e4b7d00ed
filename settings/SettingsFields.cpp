#include "settings/SettingsFields.h"

#include <stdexcept>

namespace rq7 {

namespace {

std::string rowName(const std::string& base, int row) {
    return base + "(" + std::to_string(row) + ")";
}

} // namespace

SettingsField::SettingsField(std::string base, FieldGroup group, int maxWidth,
                             std::string SettingsRecord::*text)
    : name_(base), base_(std::move(base)), kind_(FieldKind::Text), group_(group),
      maxWidth_(maxWidth), text_(text) {}

SettingsField::SettingsField(std::string base, FieldGroup group, int maxWidth,
                             Rows<std::string> SettingsRecord::*texts, int row)
    : name_(rowName(base, row)), base_(std::move(base)), row_(row), kind_(FieldKind::Text),
      group_(group), maxWidth_(maxWidth), texts_(texts) {}

SettingsField::SettingsField(std::string base, FieldGroup group, const ChoiceTable& table,
                             std::string SettingsRecord::*text)
    : name_(base), base_(std::move(base)), kind_(FieldKind::Choice), group_(group), text_(text),
      choices_(&table) {}

SettingsField::SettingsField(std::string base, FieldGroup group, Flag SettingsRecord::*flag)
    : name_(base), base_(std::move(base)), kind_(FieldKind::CheckBox), group_(group), flag_(flag) {}

SettingsField::SettingsField(std::string base, FieldGroup group, Rows<Flag> SettingsRecord::*flags,
                             int row)
    : name_(rowName(base, row)), base_(std::move(base)), row_(row), kind_(FieldKind::CheckBox),
      group_(group), flags_(flags) {}

std::vector<std::string> SettingsField::items() const {
    std::vector<std::string> texts;
    if (choices_)
        for (const ChoiceItem& item : *choices_)
            texts.emplace_back(item.text);
    return texts;
}

std::string& SettingsField::text(SettingsRecord& record) const {
    if (text_)
        return record.*text_;
    if (texts_)
        return (record.*texts_)[static_cast<std::size_t>(row_)];
    throw std::logic_error(name_ + " is not a text field");
}

const std::string& SettingsField::text(const SettingsRecord& record) const {
    return text(const_cast<SettingsRecord&>(record));
}

Flag& SettingsField::flag(SettingsRecord& record) const {
    if (flag_)
        return record.*flag_;
    if (flags_)
        return (record.*flags_)[static_cast<std::size_t>(row_)];
    throw std::logic_error(name_ + " is not a flag field");
}

Flag SettingsField::flag(const SettingsRecord& record) const {
    return flag(const_cast<SettingsRecord&>(record));
}

std::string SettingsField::get(const SettingsRecord& record) const {
    if (kind_ == FieldKind::CheckBox)
        return std::to_string(flag(record));
    return text(record);
}

bool SettingsField::set(SettingsRecord& record, const std::string& value) const {
    switch (kind_) {
    case FieldKind::CheckBox:
        if (value == "0" || value == "1" || value == "2") {
            flag(record) = value[0] - '0';
            return true;
        }
        return false;
    case FieldKind::Choice:
        if (!choiceCode(*choices_, value))
            return false;
        text(record) = value;
        return true;
    case FieldKind::Text:
        text(record) = value;
        return true;
    }
    return false;
}

namespace {

using R = SettingsRecord;
using G = FieldGroup;

std::vector<SettingsField> buildFields() {
    std::vector<SettingsField> f;
    const auto texts = [&f](const char* base, G group, int width, Rows<std::string> R::*member) {
        for (int i = 0; i < kRowCount; ++i)
            f.emplace_back(base, group, width, member, i);
    };
    const auto flags = [&f](const char* base, G group, Rows<Flag> R::*member) {
        for (int i = 0; i < kRowCount; ++i)
            f.emplace_back(base, group, member, i);
    };

    f.emplace_back("tabJmenoStanice", G::General, 100, &R::tabJmenoStanice);
    f.emplace_back("tabPIN", G::General, 8, &R::tabPIN);
    f.emplace_back("tabTCcentra", G::General, 0, &R::tabTCcentra);
    f.emplace_back("tabDobaPlatnostiSMS", G::General, 5, &R::tabDobaPlatnostiSMS);
    f.emplace_back("tabBezpecRezim", G::General, &R::tabBezpecRezim);
    f.emplace_back("tabOdpovidatT0", G::General, &R::tabOdpovidatT0);
    f.emplace_back("tabPrepnoutNepovolPristup", G::General, &R::tabPrepnoutNepovolPristup);
    f.emplace_back("opNotAuthorized", G::General, &R::opNotAuthorized);
    f.emplace_back("rtNotAuthorized", G::General, 100, &R::rtNotAuthorized);
    f.emplace_back("tabPrepnoutJTS", G::General, &R::tabPrepnoutJTS);
    f.emplace_back("tabPrepnoutJTSCislo", G::General, 1, &R::tabPrepnoutJTSCislo);

    f.emplace_back("opExist", G::Existence, &R::opExist);
    f.emplace_back("rtReCall", G::Existence, 100, &R::rtReCall);
    f.emplace_back("eeExistTime", G::Existence, 5, &R::eeExistTime);

    f.emplace_back("tabKOMUNIKFormat", G::PanelLink, FormatTable, &R::tabKOMUNIKFormat);
    f.emplace_back("tabKOMUNIKParita", G::PanelLink, ParityTable, &R::tabKOMUNIKParita);
    f.emplace_back("tabKOMUNIKFrekvence", G::PanelLink, FrequencyTable, &R::tabKOMUNIKFrekvence);
    f.emplace_back("tabKOMUNIKPocetTestu", G::PanelLink, 3, &R::tabKOMUNIKPocetTestu);
    f.emplace_back("tabKOMUNIKPocetBloku", G::PanelLink, 3, &R::tabKOMUNIKPocetBloku);
    f.emplace_back("tabRFRWait", G::PanelLink, 3, &R::tabRFRWait);
    f.emplace_back("tabWaitFree", G::PanelLink, 3, &R::tabWaitFree);

    texts("tabTC", G::Telephone, 50, &R::tabTC);
    flags("tabTCPrijem", G::Telephone, &R::tabTCPrijem);
    flags("tabTCPoplach", G::Telephone, &R::tabTCPoplach);
    flags("tabTCUdalost", G::Telephone, &R::tabTCUdalost);

    texts("tabINPNazev", G::Input, 100, &R::tabINPNazev);
    texts("tabINPZap", G::Input, 100, &R::tabINPZap);
    texts("tabINPVyp", G::Input, 100, &R::tabINPVyp);
    texts("tabINPLH", G::Input, 100, &R::tabINPLH);
    texts("tabINPHL", G::Input, 100, &R::tabINPHL);
    flags("tabINPLHEvent", G::Input, &R::tabINPLHEvent);
    flags("tabINPHLEvent", G::Input, &R::tabINPHLEvent);
    flags("tabINPNeg", G::Input, &R::tabINPNeg);
    flags("tabINPZpr", G::Input, &R::tabINPZpr);

    texts("tabOUTNazev", G::Output, 100, &R::tabOUTNazev);
    texts("tabOUTZap", G::Output, 100, &R::tabOUTZap);
    texts("tabOUTVyp", G::Output, 100, &R::tabOUTVyp);
    flags("tabOUTNeg", G::Output, &R::tabOUTNeg);
    texts("tabOUTimpuls", G::Output, 100, &R::tabOUTimpuls);
    texts("tabOUTimpulsLEN", G::Output, 3, &R::tabOUTimpulsLEN);
    flags("tabOUTZpr", G::Output, &R::tabOUTZpr);
    return f;
}

} // namespace

const std::vector<SettingsField>& settingsFields() {
    static const std::vector<SettingsField> fields = buildFields();
    return fields;
}

const SettingsField* findSettingsField(std::string_view name) {
    for (const SettingsField& field : settingsFields())
        if (field.name() == name)
            return &field;
    return nullptr;
}

} // namespace rq7
