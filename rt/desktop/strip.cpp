#include "rt/desktop/strip.h"

namespace rt::detail {

namespace {

StripWindow* shown = nullptr;

} // namespace

StripWindow* Strip() {
    return shown;
}

void SetStrip(StripWindow* strip) {
    shown = strip;
}

bool IsStrip(const QWidget* window) {
    return shown != nullptr && window != nullptr && window == &shown->StripWidget();
}

} // namespace rt::detail
