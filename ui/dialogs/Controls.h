#pragma once
// Small builders for the main window's controls. Every control gets the
// objectName of its setting or caption key; a row control of the tables is
// named stem_row ("tabTC_3" for row 3 of tabTC), so the settings binding and
// the tests find it by name.

#include "settings/SettingsRecord.h"

#include <QString>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace rq7::ui {

QString rowName(const char* stem, int row);

QLabel* makeLabel(QWidget* parent, const QString& name);
// A column heading of a table: its lines centred.
QLabel* makeHeading(QWidget* parent, const QString& name);
QLineEdit* makeText(QWidget* parent, const QString& name, int maxLength, bool rightAligned = false);
QCheckBox* makeCheck(QWidget* parent, const QString& name);
QComboBox* makeCombo(QWidget* parent, const QString& name, bool editable);
QPushButton* makeButton(QWidget* parent, const QString& name);
QGroupBox* makeFrame(QWidget* parent, const QString& name);

// Room for about `chars` characters of the control's font; grows with it.
void setWidthInChars(QWidget* control, int chars, bool fixed = false);

// The line edit of a text box or of an editable drop-down list, else nullptr.
QLineEdit* lineEditOf(QWidget* field);

// The value of a text box, a drop-down list (its text) or a check box, as
// the settings record holds it: UTF-8 text, flags 0, 1 or the grey 2.
std::string controlText(const QWidget* control);
// A text box keeps the whole text, also one longer than its typing limit;
// keys may then shorten it but not lengthen it.
void setControlText(QWidget* control, const std::string& text);
Flag controlFlag(const QWidget* control);
// Setting a flag from the program raises the box's change handlers, as a
// click does.
void setControlFlag(QWidget* control, Flag flag);

} // namespace rq7::ui
