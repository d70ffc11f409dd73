#include "input/decimalcomma.h"

#include "rt/conv.h"

double DecimalCommaVal(std::string_view text, std::string& rewritten) {
    rewritten.clear();
    for (const char c : text) {
        if (c == ',')
            rewritten.push_back('.');
        else if (c != '.')
            rewritten.push_back(c);
    }
    return rt::Val(rewritten);
}
