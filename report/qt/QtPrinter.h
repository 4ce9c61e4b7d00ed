#pragma once
// The report's Printer on a QPrinter: positions in twips are converted to the
// printer's device units at its resolution. The print job starts with the
// first line printed and ends with endDocument().

#include "report/Printer.h"

#include <QFont>
#include <QPainter>

class QPrinter;

namespace rq7::report {

class QtPrinter final : public Printer {
public:
    explicit QtPrinter(QPrinter& printer);
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    void setCurrentX(Twips x) override { x_ = x; }
    Twips currentY() const override { return y_; }
    void setCurrentY(Twips y) override { y_ = y; }
    void setFontName(const std::string& family) override;
    void setFontSize(double points) override;
    void printLine(const std::string& text) override;
    Twips textHeight(const std::string& text) const override;
    Twips pageHeight() const override;
    void newPage() override;
    void endDocument() override;

    // True when the print job could not be started (no usable printer or
    // output file); the lines printed since went nowhere.
    bool failed() const { return failed_; }

private:
    double toDeviceX(Twips twips) const;
    double toDeviceY(Twips twips) const;
    bool ensureStarted();

    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
    Twips x_ = 0;
    Twips y_ = 0;
    bool started_ = false;
    bool failed_ = false;
    // A page break is carried out only when something is printed after it,
    // so a break after the last line leaves no blank page behind.
    bool pageBreakPending_ = false;
};

} // namespace rq7::report
