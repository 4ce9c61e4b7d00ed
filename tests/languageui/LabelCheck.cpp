#include "tests/languageui/LabelCheck.h"

#include "settings/SettingsRecord.h"
#include "tests/languageui/LanguageFiles.h"
#include "tests/support/Captions.h"
#include "ui/dialogs/Controls.h"
#include "ui/dialogs/LabelApplier.h"
#include "ui/language/catalogue/Catalogue.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace rq7::test {

namespace {

std::string shown(QWidget* control, const ui::ControlLabel& label) {
    using T = ui::LabelTarget;
    switch (label.target) {
    case T::Caption:
        return captionOf(control);
    case T::Tooltip:
        return control->toolTip().toStdString();
    case T::CaptionAndTooltip:
        // The tooltip is the caption without its Alt key's "&".
        if (control->toolTip() != QString::fromStdString(captionOf(control)).remove('&'))
            return "tooltip " + control->toolTip().toStdString();
        return captionOf(control);
    case T::TabCaption:
        if (auto* tabs = qobject_cast<QTabWidget*>(control))
            return tabs->tabText(label.index).toStdString();
        return "<no tabs>";
    case T::Text:
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            return edit->text().toStdString();
        if (auto* combo = qobject_cast<QComboBox*>(control))
            return combo->currentText().toStdString();
        return "<no text>";
    }
    return {};
}

} // namespace

std::string taggedPattern(const std::string& pattern, const std::string& tag) {
    std::string text;
    std::size_t at = 0;
    while (at < pattern.size()) {
        const auto open = pattern.find('{', at);
        const auto close = open == std::string::npos ? open : pattern.find('}', open);
        if (close == std::string::npos) {
            text += pattern.substr(at);
            break;
        }
        text += pattern.substr(at, open - at);
        const std::string inner = pattern.substr(open + 1, close - open - 1);
        const auto bar = inner.find('|');
        const std::string key = inner.substr(0, bar);
        if (inCatalogue(key))
            text += tagged(key, tag);
        else
            text += bar == std::string::npos ? "" : inner.substr(bar + 1);
        at = close + 1;
    }
    return text;
}

std::vector<std::string>
labelMismatches(QWidget* root, const std::vector<ui::ControlLabel>& table,
                const std::function<std::string(const std::string& pattern)>& expected) {
    std::vector<std::string> mismatches;
    for (const ui::ControlLabel& label : table) {
        std::vector<QString> names;
        if (label.perRow)
            for (int row = 0; row < kRowCount; ++row)
                names.push_back(ui::rowName(label.control, row));
        else
            names.push_back(QString::fromLatin1(label.control));
        const std::string want = expected(label.pattern);
        for (const QString& name : names) {
            QWidget* control = ui::findControl(root, name);
            const std::string have = control ? shown(control, label) : "<missing>";
            if (have != want)
                mismatches.push_back(name.toStdString() + ": " + have + " <> " + want);
        }
    }
    return mismatches;
}

} // namespace rq7::test
