#pragma once
// The printing surface the settings report is written on, measured in twips
// (1/1440 inch) with y growing downwards from the top of the page's printable
// area. The program supplies a real printer; tests record what was printed.

#include <string>

namespace rq7::report {

using Twips = int;

class Printer {
public:
    virtual ~Printer() = default;

    virtual void setCurrentX(Twips x) = 0;
    virtual Twips currentY() const = 0;
    virtual void setCurrentY(Twips y) = 0;
    virtual void setFontName(const std::string& family) = 0;
    virtual void setFontSize(double points) = 0;
    // Prints the text (UTF-8) at the current position and ends the line: y
    // moves down by the height of the printed line. The first print of a
    // document starts the print job.
    virtual void printLine(const std::string& text) = 0;
    // Height of the text in the current font.
    virtual Twips textHeight(const std::string& text) const = 0;
    // Height of the page in whole twips.
    virtual Twips pageHeight() const = 0;
    virtual void newPage() = 0;
    // Ends the document and hands it to the printer.
    virtual void endDocument() = 0;
};

// The dialog in which the user picks the printer (and its settings) that the
// next document goes to.
class PrintDialog {
public:
    virtual ~PrintDialog() = default;
    // False when the user cancelled.
    virtual bool choosePrinter() = 0;
};

} // namespace rq7::report
