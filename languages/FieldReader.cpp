#include "languages/FieldReader.h"

namespace rq7::languages {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

FieldReader::FieldReader(std::FILE* file) : file_(file), buffer_(kBufferSize) {}

bool FieldReader::fill() {
    if (exhausted_)
        return false;
    // Keep unread bytes (at most a few, for the byte order mark test).
    std::size_t kept = end_ - pos_;
    for (std::size_t i = 0; i < kept; ++i)
        buffer_[i] = buffer_[pos_ + i];
    pos_ = 0;
    end_ = kept;
    const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    end_ += got;
    if (got == 0) {
        exhausted_ = true;
        failed_ = std::ferror(file_) != 0;
    }
    return got != 0;
}

int FieldReader::peek() {
    if (pos_ == end_ && !fill())
        return kEnd;
    return static_cast<unsigned char>(buffer_[pos_]);
}

int FieldReader::get() {
    const int c = peek();
    if (c != kEnd)
        ++pos_;
    return c;
}

bool FieldReader::skipUtf8Bom() {
    while (end_ - pos_ < 3 && fill()) {
    }
    if (end_ - pos_ >= 3 && buffer_[pos_] == '\xEF' && buffer_[pos_ + 1] == '\xBB' &&
        buffer_[pos_ + 2] == '\xBF') {
        pos_ += 3;
        return true;
    }
    return false;
}

void FieldReader::consumeLineEnd() {
    if (get() == '\r' && peek() == '\n')
        get();
    ++currentLine_;
}

void FieldReader::consumeDelimiter() {
    const int c = peek();
    if (c == ',')
        get();
    else if (atLineEnd(c))
        consumeLineEnd();
}

bool FieldReader::next(std::string& field) {
    field.clear();
    if (peek() == kEnd)
        return false;
    while (peek() == ' ' || peek() == '\t')
        get();
    fieldLine_ = currentLine_;
    if (peek() == '"') {
        get();
        for (int c = get(); c != kEnd && c != '"'; c = get()) {
            if (c == '\n' || (c == '\r' && peek() != '\n'))
                ++currentLine_;
            field += static_cast<char>(c);
        }
        for (int c = peek(); c != kEnd && c != ',' && !atLineEnd(c); c = peek())
            get();
    } else {
        // Copy whole runs of the buffer up to the next delimiter.
        while (peek() != kEnd) {
            std::size_t stop = pos_;
            while (stop < end_ && buffer_[stop] != ',' && buffer_[stop] != '\n' &&
                   buffer_[stop] != '\r')
                ++stop;
            field.append(buffer_.data() + pos_, stop - pos_);
            pos_ = stop;
            if (stop < end_)
                break;
        }
    }
    consumeDelimiter();
    return true;
}

} // namespace rq7::languages
