#include "ui/main/EditTracker.h"

#include "settings/SettingsFields.h"
#include "ui/dialogs/FieldWatcher.h"
#include "ui/main/SettingsBinding.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <set>

namespace rq7::ui {

namespace {

constexpr const char* kMarked = "rq7Changed";

// A changed control's field (a check box's box) is tinted with the
// palette's highlight colour, and a check box's caption is bold: both show
// in light and dark palettes alike. An unchanged control inherits its
// palette again.
void mark(QWidget* control, bool changed, bool force = false) {
    if (!force && control->property(kMarked).toBool() == changed)
        return;
    control->setProperty(kMarked, changed);
    if (qobject_cast<QCheckBox*>(control)) {
        QFont font = control->font();
        font.setBold(changed);
        control->setFont(font);
    }
    if (!changed) {
        control->setPalette(QPalette());
        return;
    }
    const QPalette inherited =
        control->parentWidget() ? control->parentWidget()->palette() : QApplication::palette();
    const QColor base = inherited.color(QPalette::Base);
    const QColor tint = inherited.color(QPalette::Highlight);
    QPalette palette;
    palette.setColor(QPalette::Base, QColor::fromRgbF(base.redF() * 0.7f + tint.redF() * 0.3f,
                                                      base.greenF() * 0.7f + tint.greenF() * 0.3f,
                                                      base.blueF() * 0.7f + tint.blueF() * 0.3f));
    control->setPalette(palette);
}

} // namespace

EditTracker::EditTracker(EditTrackerPorts ports, QObject* parent)
    : QObject(parent), ports_(std::move(ports)) {
    QWidget* window = ports_.window;
    connect(qApp, &QApplication::focusChanged, this, [this, window](QWidget* old, QWidget*) {
        if (old && window->isAncestorOf(old))
            commitSoon();
    });
    for (const SettingsField& field : settingsFields()) {
        QWidget* control = ports_.binding.control(field);
        if (auto* check = qobject_cast<QCheckBox*>(control))
            connect(check, &QCheckBox::clicked, this, &EditTracker::commitSoon);
        else if (auto* list = qobject_cast<QComboBox*>(control))
            connect(list, &QComboBox::activated, this, &EditTracker::commitSoon);
    }
    history_.reset(ports_.record());
    window->installEventFilter(this);
}

bool EditTracker::eventFilter(QObject* watched, QEvent* event) {
    // A new palette (light to dark) needs new tints.
    if (watched == ports_.window && event->type() == QEvent::PaletteChange)
        QTimer::singleShot(0, this, [this] { refreshMarks(true); });
    return QObject::eventFilter(watched, event);
}

void EditTracker::loaded() {
    history_.reset(ports_.record());
    refreshMarks();
    emit historyChanged();
}

void EditTracker::saved() {
    commitNow(true); // a save has settled every check first
    history_.markSaved(ports_.record());
    refreshMarks();
}

std::string EditTracker::typingField() const {
    // The window's own focus, also while a message box or another window
    // has the activation: leaving the window is not leaving the field.
    QWidget* focus = ports_.window->focusWidget();
    if (!focus || !qobject_cast<QLineEdit*>(focus))
        return {};
    for (const SettingsField& field : settingsFields()) {
        QWidget* control = ports_.binding.control(field);
        if (control && (control == focus || control->isAncestorOf(focus)))
            return field.name();
    }
    return {};
}

void EditTracker::commitNow(bool settled) {
    const bool could = history_.canUndo();
    if (history_.commit(ports_.record(), settled ? std::string() : typingField()) ||
        could != history_.canUndo())
        emit historyChanged();
}

void EditTracker::commitSoon() {
    if (queued_)
        return;
    queued_ = true;
    QTimer::singleShot(0, this, [this] {
        queued_ = false;
        // A leave check still waiting in its message box commits when it
        // has ended (its field may get the focus back, rejected).
        if (ports_.watcher.busy()) {
            commitSoon();
            return;
        }
        commitNow();
    });
}

void EditTracker::applyRecord(const SettingsRecord& record) {
    ports_.apply(record);
    refreshMarks();
    emit historyChanged();
}

void EditTracker::undo() {
    commitNow();
    if (history_.canUndo())
        applyRecord(history_.undo(ports_.record()));
}

void EditTracker::redo() {
    commitNow();
    if (history_.canRedo())
        applyRecord(history_.redo(ports_.record()));
}

void EditTracker::takeFields(const SettingsRecord& source, const std::vector<std::string>& fields) {
    commitNow();
    ports_.apply(TakeFields(ports_.record(), source, fields));
    history_.commit(ports_.record());
    refreshMarks();
    emit historyChanged();
}

std::vector<FieldDifference> EditTracker::changes() const {
    return history_.changes(ports_.record());
}

void EditTracker::refreshMarks(bool repaint) {
    std::set<std::string> changed;
    for (const FieldDifference& difference : changes())
        changed.insert(difference.field);
    for (const SettingsField& field : settingsFields())
        if (QWidget* control = ports_.binding.control(field))
            mark(control, changed.count(field.name()) > 0,
                 repaint && control->property(kMarked).toBool());
}

} // namespace rq7::ui
