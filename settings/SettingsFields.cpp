#include "settings/SettingsFields.h"

#include "settings/FieldWidths.h"

#include <stdexcept>

namespace rq7 {

namespace {

std::string rowName(const std::string& base, int row) {
    return base + "(" + std::to_string(row) + ")";
}

} // namespace

SettingsField::SettingsField(std::string base, FieldGroup group, std::string SettingsRecord::*text)
    : name_(base), base_(std::move(base)), kind_(FieldKind::Text), group_(group),
      maxWidth_(FieldMaxWidth(base_)), text_(text) {}

SettingsField::SettingsField(std::string base, FieldGroup group,
                             Rows<std::string> SettingsRecord::*texts, int row)
    : name_(rowName(base, row)), base_(std::move(base)), row_(row), kind_(FieldKind::Text),
      group_(group), maxWidth_(FieldMaxWidth(base_)), texts_(texts) {}

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
    // One field a row: texts and flags alike.
    const auto rows = [&f](const char* base, G group, auto member) {
        for (int i = 0; i < kRowCount; ++i)
            f.emplace_back(base, group, member, i);
    };

    f.emplace_back("tabJmenoStanice", G::General, &R::tabJmenoStanice);
    f.emplace_back("tabPIN", G::General, &R::tabPIN);
    f.emplace_back("tabTCcentra", G::General, &R::tabTCcentra);
    f.emplace_back("tabDobaPlatnostiSMS", G::General, &R::tabDobaPlatnostiSMS);
    f.emplace_back("tabBezpecRezim", G::General, &R::tabBezpecRezim);
    f.emplace_back("tabOdpovidatT0", G::General, &R::tabOdpovidatT0);
    f.emplace_back("tabPrepnoutNepovolPristup", G::General, &R::tabPrepnoutNepovolPristup);
    f.emplace_back("opNotAuthorized", G::General, &R::opNotAuthorized);
    f.emplace_back("rtNotAuthorized", G::General, &R::rtNotAuthorized);
    f.emplace_back("tabPrepnoutJTS", G::General, &R::tabPrepnoutJTS);
    f.emplace_back("tabPrepnoutJTSCislo", G::General, &R::tabPrepnoutJTSCislo);

    f.emplace_back("opExist", G::Existence, &R::opExist);
    f.emplace_back("rtReCall", G::Existence, &R::rtReCall);
    f.emplace_back("eeExistTime", G::Existence, &R::eeExistTime);

    f.emplace_back("tabKOMUNIKFormat", G::PanelLink, FormatTable, &R::tabKOMUNIKFormat);
    f.emplace_back("tabKOMUNIKParita", G::PanelLink, ParityTable, &R::tabKOMUNIKParita);
    f.emplace_back("tabKOMUNIKFrekvence", G::PanelLink, FrequencyTable, &R::tabKOMUNIKFrekvence);
    f.emplace_back("tabKOMUNIKPocetTestu", G::PanelLink, &R::tabKOMUNIKPocetTestu);
    f.emplace_back("tabKOMUNIKPocetBloku", G::PanelLink, &R::tabKOMUNIKPocetBloku);
    f.emplace_back("tabRFRWait", G::PanelLink, &R::tabRFRWait);
    f.emplace_back("tabWaitFree", G::PanelLink, &R::tabWaitFree);

    rows("tabTC", G::Telephone, &R::tabTC);
    rows("tabTCPrijem", G::Telephone, &R::tabTCPrijem);
    rows("tabTCPoplach", G::Telephone, &R::tabTCPoplach);
    rows("tabTCUdalost", G::Telephone, &R::tabTCUdalost);

    rows("tabINPNazev", G::Input, &R::tabINPNazev);
    rows("tabINPZap", G::Input, &R::tabINPZap);
    rows("tabINPVyp", G::Input, &R::tabINPVyp);
    rows("tabINPLH", G::Input, &R::tabINPLH);
    rows("tabINPHL", G::Input, &R::tabINPHL);
    rows("tabINPLHEvent", G::Input, &R::tabINPLHEvent);
    rows("tabINPHLEvent", G::Input, &R::tabINPHLEvent);
    rows("tabINPNeg", G::Input, &R::tabINPNeg);
    rows("tabINPZpr", G::Input, &R::tabINPZpr);

    rows("tabOUTNazev", G::Output, &R::tabOUTNazev);
    rows("tabOUTZap", G::Output, &R::tabOUTZap);
    rows("tabOUTVyp", G::Output, &R::tabOUTVyp);
    rows("tabOUTNeg", G::Output, &R::tabOUTNeg);
    rows("tabOUTimpuls", G::Output, &R::tabOUTimpuls);
    rows("tabOUTimpulsLEN", G::Output, &R::tabOUTimpulsLEN);
    rows("tabOUTZpr", G::Output, &R::tabOUTZpr);
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
