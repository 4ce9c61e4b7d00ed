#pragma once
// A Printer that keeps a log of every line printed, where it went and on
// which page, and of every other call, for checking the report's layout.

#include "report/Printer.h"

#include <string>
#include <vector>

namespace rq7::report::testing {

struct PrintedLine {
    std::string text;
    Twips x;
    Twips y;
    int page; // 1-based
    std::string fontName;
    double fontSize;
};

class RecordingPrinter : public Printer {
public:
    RecordingPrinter(Twips lineHeight, Twips pageHeight)
        : lineHeight_(lineHeight), pageHeight_(pageHeight) {}

    void setCurrentX(Twips x) override {
        x_ = x;
        calls.push_back("setCurrentX " + std::to_string(x));
    }
    Twips currentY() const override { return y_; }
    void setCurrentY(Twips y) override {
        y_ = y;
        calls.push_back("setCurrentY " + std::to_string(y));
    }
    void setFontName(const std::string& family) override {
        fontName_ = family;
        calls.push_back("setFontName " + family);
    }
    void setFontSize(double points) override {
        fontSize_ = points;
        calls.push_back("setFontSize " + std::to_string(points));
    }
    void printLine(const std::string& text) override {
        lines.push_back({text, x_, y_, page_, fontName_, fontSize_});
        calls.push_back("printLine " + text);
        y_ += lineHeight_;
    }
    Twips textHeight(const std::string& /*text*/) const override { return lineHeight_; }
    Twips pageHeight() const override { return pageHeight_; }
    void newPage() override {
        ++page_;
        calls.push_back("newPage");
    }
    void endDocument() override { calls.push_back("endDocument"); }

    std::vector<PrintedLine> lines;
    std::vector<std::string> calls;

private:
    Twips lineHeight_;
    Twips pageHeight_;
    Twips x_ = 0;
    Twips y_ = 0;
    int page_ = 1;
    std::string fontName_;
    double fontSize_ = 0;
};

class ScriptedDialog : public PrintDialog {
public:
    explicit ScriptedDialog(bool accept) : accept_(accept) {}
    bool choosePrinter() override {
        ++shown;
        return accept_;
    }
    int shown = 0;

private:
    bool accept_;
};

} // namespace rq7::report::testing
