// Reading a text line by line, as an input stream's getline does.
#pragma once

#include <string>

namespace objl {

// Hands out the lines of a text, split at line feeds (not part of the line);
// a last line without a line feed is read too, and an empty text has none.
class LineReader {
public:
    explicit LineReader(const std::string& text) : text_(text) {}

    // Stores the next line in `line`; false, leaving `line` alone, once the
    // text is used up.
    bool next(std::string& line)
    {
        if (start_ >= text_.size())
            return false;
        size_t end = text_.find('\n', start_);
        if (end == std::string::npos)
            end = text_.size();
        line.assign(text_, start_, end - start_);
        start_ = end + 1;
        return true;
    }

private:
    const std::string& text_;
    size_t start_ = 0;
};

}  // namespace objl
