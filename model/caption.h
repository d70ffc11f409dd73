#pragma once
// A text the windows show in both interface languages, and the choice between them.

#include "model/globali.h"

struct Caption {
    const char* english;
    const char* italian;
};

// The text in the language in force: English for language 1, Italian for any other.
inline const char* InLanguage(const Caption& caption) {
    return globali::lingua == 1 ? caption.english : caption.italian;
}
