#pragma once
// A settings field as the user knows it, in the current language: the
// caption of its control on the main window ("PIN"), a row field with its
// row's title first ("T3 Telefonní číslo"). For the lists of changes and
// differences, which name fields rather than controls.

#include "settings/SettingsFields.h"
#include "ui/language/catalogue/Texts.h"

#include <string>

namespace rq7::ui {

std::string fieldCaption(const SettingsField& field, const Texts& texts);

} // namespace rq7::ui
