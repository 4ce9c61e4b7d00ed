#pragma once
// Reads a language file as a sequence of comma-separated fields, the way the
// classic sequential-input statement reads one item at a time:
// - leading blanks (spaces, tabs) of a field are skipped;
// - an unquoted field ends at a comma or at the end of the line (LF, CR LF
//   or a lone CR), which are consumed;
// - a field that starts with a double quote runs to the closing double quote
//   (line ends included); the quotes are dropped and whatever follows up to
//   the next comma or line end is discarded;
// - an empty line is one empty field.
// Fields are raw bytes; decoding is left to the caller.

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace rq7::languages {

class FieldReader {
public:
    explicit FieldReader(std::FILE* file);

    // Skips a leading UTF-8 byte order mark; true when there was one. Call
    // before the first field.
    bool skipUtf8Bom();

    // Reads the next field into field. False when the file is at its end
    // (or could not be read further: see failed()).
    bool next(std::string& field);

    // The line (from 1) on which the last field read started.
    std::size_t line() const { return fieldLine_; }

    // True when reading stopped on an error of the file rather than its end.
    bool failed() const { return failed_; }

private:
    static constexpr int kEnd = -1;

    int peek();
    int get();
    bool fill();
    bool atLineEnd(int c) const { return c == '\n' || c == '\r'; }
    void consumeLineEnd();
    void consumeDelimiter();

    std::FILE* file_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool exhausted_ = false;
    bool failed_ = false;
    std::size_t currentLine_ = 1;
    std::size_t fieldLine_ = 0;
};

} // namespace rq7::languages
