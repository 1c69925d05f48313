// Taking an OBJ or MTL line apart: words, the rest of a line, pieces between
// separators, and the number conversions.
//
// For firstToken, tail and split white space means exactly space and tab;
// carriage return and line feed are ordinary characters to them.
#pragma once

#include <string>
#include <vector>

namespace objl {

// The first word of the line, or "" when the line is empty or all white space.
std::string firstToken(const std::string& line);

// Everything after the first word, without the white space around it; white
// space between later words stays.  "" for a line of one word or none.
std::string tail(const std::string& line);

// The pieces between occurrences of `separator`.  A separator at the very end
// adds nothing ("a/" gives "a"), one at the very start adds one empty piece,
// each further separator of a run adds one empty piece ("1//3" gives "1", "",
// "3"), and an empty text gives an empty list.
std::vector<std::string> split(const std::string& text, const std::string& separator);

// The text without its trailing CR and LF characters; a text made only of
// them (or empty) comes back unchanged.
std::string trimLineEnd(const std::string& text);

// Reads the decimal floating-point number at the start of `text` (after
// leading white space of any kind: space, tab, CR, LF, VT, FF) in double
// precision and rounds it to float; whatever follows is ignored, and a value
// beyond the float range becomes an infinity.  Throws std::invalid_argument
// "invalid stof argument" when no number starts the text, and
// std::out_of_range "stof argument out of range" when the value overflows or
// underflows a double.
float toFloat(const std::string& text);

// Reads the decimal integer at the start of `text` (same leading skip,
// optional sign); whatever follows is ignored.  Throws std::invalid_argument
// "invalid stoi argument" when no number starts the text, and
// std::out_of_range "stoi argument out of range" outside the 32-bit range.
int toInt(const std::string& text);

}  // namespace objl
