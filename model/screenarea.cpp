#include "model/screenarea.h"

#include "model/globali.h"
#include "model/inizio.h"

namespace screenarea {

namespace {

// The desktop area the screen area in use was read from; none before the first was taken.
std::optional<rt::ScreenSize> taken;

bool Same(const rt::ScreenSize& a, const rt::ScreenSize& b) {
    return a.Width == b.Width && a.Height == b.Height;
}

} // namespace

Reading OfDesktop() {
    const rt::ScreenSize desktop = rt::Screen(0);
    return {desktop, desktop.Width - 173, desktop.Height - 53};
}

void Take(const Reading& reading) {
    taken = reading.desktop;
    globali::scrx = reading.scrx;
    globali::scry = reading.scry;
}

Reading Latest() {
    const Reading now = OfDesktop();
    if (taken && !Same(*taken, *now.desktop))
        return now;
    return {taken, globali::scrx, globali::scry};
}

void Refresh() {
    if (!Inizio::immaginesfondo)
        Take(Latest());
}

} // namespace screenarea
