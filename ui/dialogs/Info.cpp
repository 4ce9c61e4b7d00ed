#include "ui/dialogs/Info.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace rq7::ui {

Info::Info(const Texts& texts, QWidget* owner)
    : QDialog(owner), texts_(texts), owner_(owner), napis_(new QLabel(this)),
      waiting_(new QLabel(this)), note_(new QLabel(this)), bar_(new QProgressBar(this)),
      storno_(new QPushButton(this)) {
    setObjectName(QStringLiteral("Info"));
    // No close box: closing would give the owner its input back in the
    // middle of an operation without stopping it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::WindowModal);

    napis_->setObjectName(QStringLiteral("Napis"));
    // The message may carry a file name, which can hold "<", ">" or "&":
    // shown as written, never as markup.
    napis_->setTextFormat(Qt::PlainText);
    napis_->setText(QStringLiteral("???"));
    napis_->setWordWrap(true);
    napis_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    napis_->setMinimumWidth(napis_->fontMetrics().averageCharWidth() * 48);
    // Room for two lines, as the window always had.
    napis_->setMinimumHeight(napis_->fontMetrics().lineSpacing() * 2);
    waiting_->setObjectName(QStringLiteral("Waiting"));
    waiting_->setTextFormat(Qt::PlainText);
    waiting_->setWordWrap(true);
    waiting_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    waiting_->hide();
    note_->setObjectName(QStringLiteral("Note"));
    note_->setTextFormat(Qt::PlainText);
    note_->setWordWrap(true);
    note_->hide();
    bar_->setObjectName(QStringLiteral("Progress"));
    bar_->hide();
    storno_->setObjectName(QStringLiteral("Storno"));
    storno_->setDefault(true);
    connect(storno_, &QPushButton::clicked, this, &Info::storno);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(storno_);
    buttonRow->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addWidget(napis_, 1);
    column->addWidget(waiting_);
    column->addWidget(note_);
    column->addWidget(bar_);
    column->addLayout(buttonRow);
    column->setSizeConstraint(QLayout::SetMinimumSize);

    ChangeLanguage();
}

Info::~Info() {
    if (running_)
        qApp->removeEventFilter(this);
}

void Info::ChangeLanguage() {
    storno_->setText(QString::fromStdString(texts_.get("btCancel")));
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
}

void Info::showStatus(const std::string& text) {
    showWith(text, true);
}

void Info::showStatusWithoutCancel(const std::string& text) {
    showWith(text, false);
}

void Info::showWith(const std::string& text, bool allowCancel) {
    cancelFlag_ = false;
    setWindowTitle(QString::fromLatin1(kProductName));
    storno_->setVisible(allowCancel);
    napis_->setText(QString::fromStdString(text));
    waiting_->hide();
    bar_->hide();
    if (!running_) {
        running_ = true;
        // Keeps the owner from input also once Storno has hidden the window
        // and until the operation has noticed and ended.
        qApp->installEventFilter(this);
    }
    adjustSize();
    show();
    raise();
    QCoreApplication::processEvents(); // paint before the caller continues
}

void Info::hideStatus() {
    hide();
    if (running_) {
        running_ = false;
        qApp->removeEventFilter(this);
    }
    if (owner_) {
        owner_->raise();
        owner_->activateWindow();
    }
    QCoreApplication::processEvents();
}

void Info::showNote(const std::string& text) {
    note_->setText(QString::fromStdString(text));
    note_->show();
    if (isVisible())
        adjustSize();
}

void Info::progress(int done, int total) {
    if (total <= 0) {
        bar_->hide();
        return;
    }
    bar_->setRange(0, total);
    bar_->setValue(std::min(done, total));
    if (!bar_->isVisible() && isVisible()) {
        bar_->show();
        adjustSize();
    }
}

void Info::showWaiting(const std::string& elapsed, const std::string& hint) {
    const QString text = QString::fromStdString(hint.empty() ? elapsed : elapsed + "\n\n" + hint);
    if (waiting_->text() == text && waiting_->isVisible())
        return;
    const bool grows = !waiting_->isVisible() ||
                       (!hint.empty() && !waiting_->text().contains(QString::fromStdString(hint)));
    waiting_->setText(text);
    waiting_->show();
    if (grows && isVisible()) {
        // Only taller: the width stays, and Storno under the pointer.
        const int keep = width();
        layout()->activate();
        resize(keep, std::max(height(), layout()->totalHeightForWidth(keep)));
    }
}

void Info::storno() {
    cancelFlag_ = true;
    hide();
}

void Info::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void Info::reject() {
    // Esc neither closes the window nor cancels; Storno does.
}

bool Info::eventFilter(QObject* watched, QEvent* event) {
    if (!running_ || isVisible() || !owner_ || !watched->isWidgetType())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::Close:
        return static_cast<QWidget*>(watched)->window() == owner_->window();
    default:
        return false;
    }
}

} // namespace rq7::ui
