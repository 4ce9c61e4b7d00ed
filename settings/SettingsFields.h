#pragma once
// The settings record as a table of named fields, so that generic code (the
// settings text, field checks, the report, rq7ctl) can walk every setting
// without naming each member. Order: general settings, existence report,
// panel link, then the telephone, input and output tables; a row field is
// expanded to its eight elements "tabTC(0)" .. "tabTC(7)" before the next
// field starts.

#include "settings/ChoiceTables.h"
#include "settings/SettingsRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace rq7 {

// CheckBox: a flag (0, 1 or the grey 2).
enum class FieldKind { Text, CheckBox, Choice };

// The frame or page of the main window that holds the field.
enum class FieldGroup { General, Existence, PanelLink, Telephone, Input, Output };

class SettingsField {
public:
    // Text fields, single and row element; their width comes from
    // kFieldWidths (settings/FieldWidths.h).
    SettingsField(std::string base, FieldGroup group, std::string SettingsRecord::*text);
    SettingsField(std::string base, FieldGroup group, Rows<std::string> SettingsRecord::*texts,
                  int row);
    // Choice fields.
    SettingsField(std::string base, FieldGroup group, const ChoiceTable& table,
                  std::string SettingsRecord::*text);
    // Flag fields, single and row element.
    SettingsField(std::string base, FieldGroup group, Flag SettingsRecord::*flag);
    SettingsField(std::string base, FieldGroup group, Rows<Flag> SettingsRecord::*flags, int row);

    const std::string& name() const { return name_; } // "tabPIN", "tabTC(3)"
    const std::string& base() const { return base_; } // "tabPIN", "tabTC"
    int row() const { return row_; }                  // 0..7, or -1 for a single field
    FieldKind kind() const { return kind_; }
    FieldGroup group() const { return group_; }
    // Text fields: the most characters the field's box takes; 0 when the box
    // sets no limit (the SMS-centre list) and for flags and choices.
    int maxWidth() const { return maxWidth_; }
    // Choice fields: the item texts in list order; empty otherwise.
    std::vector<std::string> items() const;

    // The value as text: texts and choices as they are (UTF-8), flags as
    // their number "0", "1" or "2".
    std::string get(const SettingsRecord& record) const;
    // Sets the value from text. A flag takes "0", "1" or "2", a choice one of
    // its item texts, a text anything. Returns false and leaves the record
    // alone when the value does not fit the kind.
    bool set(SettingsRecord& record, const std::string& value) const;

    // Direct access. text() is for texts and choices, flag() for flags;
    // asking a field of the other kind throws std::logic_error.
    std::string& text(SettingsRecord& record) const;
    const std::string& text(const SettingsRecord& record) const;
    Flag& flag(SettingsRecord& record) const;
    Flag flag(const SettingsRecord& record) const;

private:
    std::string name_;
    std::string base_;
    int row_ = -1;
    FieldKind kind_;
    FieldGroup group_;
    int maxWidth_ = 0;
    std::string SettingsRecord::*text_ = nullptr;
    Rows<std::string> SettingsRecord::*texts_ = nullptr;
    Flag SettingsRecord::*flag_ = nullptr;
    Rows<Flag> SettingsRecord::*flags_ = nullptr;
    const ChoiceTable* choices_ = nullptr;
};

// Every field of the record, in the order described above (181 entries).
const std::vector<SettingsField>& settingsFields();

// The field called `name` ("tabTC(3)" for a row element), or nullptr.
const SettingsField* findSettingsField(std::string_view name);

} // namespace rq7
