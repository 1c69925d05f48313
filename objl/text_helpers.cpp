#include "objl/text_helpers.h"

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace objl {

// ---------------------------------------------------------------------------
// Words and pieces
// ---------------------------------------------------------------------------

namespace {

const char* const kWordSpace = " \t";

// The number conversions skip white space in the C library's wide sense.
bool isNumberSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

size_t skipNumberSpace(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && isNumberSpace(text[i]))
        ++i;
    return i;
}

size_t skipDigits(const std::string& text, size_t i)
{
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

}  // namespace

std::string firstToken(const std::string& line)
{
    const size_t start = line.find_first_not_of(kWordSpace);
    if (start == std::string::npos)
        return "";
    const size_t end = line.find_first_of(kWordSpace, start);
    return end == std::string::npos ? line.substr(start) : line.substr(start, end - start);
}

std::string tail(const std::string& line)
{
    const size_t start = line.find_first_not_of(kWordSpace);
    const size_t gap = start == std::string::npos ? std::string::npos : line.find_first_of(kWordSpace, start);
    const size_t tailStart = gap == std::string::npos ? std::string::npos : line.find_first_not_of(kWordSpace, gap);
    if (tailStart == std::string::npos)
        return "";
    const size_t tailEnd = line.find_last_not_of(kWordSpace);
    return line.substr(tailStart, tailEnd - tailStart + 1);
}

std::vector<std::string> split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> pieces;
    std::string piece;
    const size_t separatorLength = separator.size();
    size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, separatorLength, separator) == 0) {
            // A separator right after a piece ends it; any other separator
            // stands for an empty piece of its own.
            if (!piece.empty()) {
                pieces.push_back(piece);
                piece.clear();
                i += separatorLength;
            } else {
                pieces.emplace_back();
                ++i;
            }
        } else if (i + separatorLength >= text.size()) {
            piece += text.substr(i, separatorLength);
            pieces.push_back(piece);
            break;
        } else {
            piece += text[i];
            ++i;
        }
    }
    return pieces;
}

std::string trimLineEnd(const std::string& text)
{
    const size_t last = text.find_last_not_of("\r\n");
    return last == std::string::npos ? text : text.substr(0, last + 1);
}

// ---------------------------------------------------------------------------
// Number conversions
// ---------------------------------------------------------------------------

float toFloat(const std::string& text)
{
    // Find the longest decimal number at the start ourselves, so that exactly
    // optional sign, digits, optional point and optional exponent are read
    // (no hexadecimal, no "nan" or "inf" words), then let strtod round it.
    const size_t start = skipNumberSpace(text);
    size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const size_t integerEnd = skipDigits(text, i);
    size_t digitCount = integerEnd - i;
    i = integerEnd;
    if (i < text.size() && text[i] == '.') {
        const size_t fractionEnd = skipDigits(text, i + 1);
        digitCount += fractionEnd - (i + 1);
        i = fractionEnd;
    }
    if (digitCount == 0)
        throw std::invalid_argument("invalid stof argument");
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t exponent = i + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        const size_t exponentEnd = skipDigits(text, exponent);
        if (exponentEnd > exponent)
            i = exponentEnd;
    }

    const std::string number = text.substr(start, i - start);
    errno = 0;
    const double value = std::strtod(number.c_str(), nullptr);
    if (errno == ERANGE)
        throw std::out_of_range("stof argument out of range");
    // Beyond the float range this rounds to an infinity, as IEEE rounding does.
    return static_cast<float>(value);
}

int toInt(const std::string& text)
{
    size_t i = skipNumberSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || !isDigit(text[i]))
        throw std::invalid_argument("invalid stoi argument");

    const long long limit = negative ? 2147483648LL : 2147483647LL;
    long long magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            throw std::out_of_range("stoi argument out of range");
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace objl
