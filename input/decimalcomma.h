#pragma once
// Numbers written with a decimal comma: the comma is the decimal sign and points only group
// thousands ("-1.234,5" is -1234.5). XYZ files in this form and the numbers typed into the point
// list read by this one rule.

#include <string>
#include <string_view>

// The number a text in decimal-comma form begins with, read as rt::Val reads the text with its
// commas made points and its points dropped. `rewritten` is working room, kept by a caller that
// reads many texts so that it is allocated once.
double DecimalCommaVal(std::string_view text, std::string& rewritten);
