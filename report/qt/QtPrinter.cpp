#include "report/qt/QtPrinter.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QString>
#include <cmath>

namespace rq7::report {

namespace {

constexpr double kTwipsPerInch = 1440.0;

// Central European variants of a face carry a " CE" suffix; where the system
// has only the base face, that is the one meant.
QStringList familiesFor(const QString& family) {
    QStringList families{family};
    const QString suffix = QStringLiteral(" CE");
    if (family.endsWith(suffix, Qt::CaseInsensitive))
        families << family.left(family.size() - suffix.size());
    return families;
}

} // namespace

QtPrinter::QtPrinter(QPrinter& printer) : printer_(printer) {
    font_.setStyleHint(QFont::SansSerif);
}

QtPrinter::~QtPrinter() {
    if (painter_.isActive())
        painter_.end();
}

void QtPrinter::setFontName(const std::string& family) {
    font_.setFamilies(familiesFor(QString::fromStdString(family)));
    // When none of the families exists, the closest sans-serif face.
    font_.setStyleHint(QFont::SansSerif);
    if (painter_.isActive())
        painter_.setFont(font_);
}

void QtPrinter::setFontSize(double points) {
    font_.setPointSizeF(points);
    if (painter_.isActive())
        painter_.setFont(font_);
}

double QtPrinter::toDeviceX(Twips twips) const {
    return twips * printer_.logicalDpiX() / kTwipsPerInch;
}

double QtPrinter::toDeviceY(Twips twips) const {
    return twips * printer_.logicalDpiY() / kTwipsPerInch;
}

bool QtPrinter::ensureStarted() {
    if (!started_) {
        started_ = true;
        pageBreakPending_ = false; // the job opens on a fresh page anyway
        failed_ = !painter_.begin(&printer_);
        if (!failed_)
            painter_.setFont(font_);
    }
    return !failed_;
}

void QtPrinter::printLine(const std::string& text) {
    if (ensureStarted()) {
        if (pageBreakPending_) {
            printer_.newPage();
            pageBreakPending_ = false;
        }
        const QFontMetricsF metrics(font_, &printer_);
        painter_.drawText(QPointF(toDeviceX(x_), toDeviceY(y_) + metrics.ascent()),
                          QString::fromStdString(text));
    }
    y_ += textHeight(text);
}

Twips QtPrinter::textHeight(const std::string& /*text*/) const {
    // A report line is a single line of text, so every text measures one
    // line of the current font.
    const QFontMetricsF metrics(font_, &printer_);
    return static_cast<Twips>(
        std::lround(metrics.height() * kTwipsPerInch / printer_.logicalDpiY()));
}

Twips QtPrinter::pageHeight() const {
    // The printable height of the page, which is where the painter's origin
    // and y run; truncated to whole twips.
    return static_cast<Twips>(
        std::floor(printer_.height() * kTwipsPerInch / printer_.logicalDpiY()));
}

void QtPrinter::newPage() {
    if (started_)
        pageBreakPending_ = true;
}

void QtPrinter::endDocument() {
    if (painter_.isActive())
        painter_.end();
    started_ = false;
    pageBreakPending_ = false;
}

} // namespace rq7::report
