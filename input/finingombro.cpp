#include "input/finingombro.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "model/caption.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modeswitch.h"
#include "model/terrainpanel.h"
#include "rt/conv.h"
#include "rt/runtime.h"
#include "rt/textstyle.h"

namespace {

// The captions that follow the language.
constexpr struct {
    Caption title, rotate, cancel, modify;
} kCaptions{
    .title = {"Edit measures..", "Edita ingombro.."},
    .rotate = {"Rotate 90 degrees", "Ruota di 90 gradi"},
    .cancel = {"Cancel", "Annulla"},
    .modify = {"Modify", "Modifica"},
};

void MakeAxis(rt::StaticText& label, EditFieldNumero& field, rt::Window& window, std::int32_t top,
              const char* caption) {
    label.Create(window, 20, top + 2, 30, 20);
    label.SetText(caption);
    rt::TextStyle system;
    system.Size = 12;
    label.SetStyle(system);
    field.Create(window, 60, top, 240, 22);
    field.SetStyle(rt::Arial(12, true));
}

// A coordinate scaled by new / old span, product first. An axis without an old span keeps its
// coordinates; a product beyond the range of doubles is taken by the ratio instead, and a result
// still beyond it stays at the largest double of its sign.
double Rescale(double value, double updated, double previous) {
    if (previous == 0)
        return value;
    const double product = value * updated / previous;
    if (std::isfinite(product))
        return product;
    const double ratio = value * (updated / previous);
    if (std::isfinite(ratio))
        return ratio;
    return std::signbit(ratio) ? std::numeric_limits<double>::lowest() : std::numeric_limits<double>::max();
}

struct Transform {
    double sx, sy, sz;
    bool rotate;

    void Apply(std::size_t k) const {
        using namespace globali;
        if (rotate) {
            const double x = px[k];
            px[k] = py[k];
            py[k] = -x;
        }
        px[k] = Rescale(px[k], sx, dx);
        py[k] = Rescale(py[k], sy, dy);
        pz[k] = Rescale(pz[k], sz, dz);
    }
};

} // namespace

finingombro::finingombro() {
    PushButton1.Action = [this] { PushButton1_Action(); };
    PushButton2.Action = [this] { PushButton2_Action(); };
}

void finingombro::Layout() {
    SetTitle("Edit Measures..");
    SetWidth(320);
    SetHeight(200);
    SetFrame(1);
    SetPlacement(2);
    SetCloseButton(false);
    SetMinimizeButton(true);
    SetMaximizeButton(false);
    SetResizeable(false);
    SetVisibleWhenCreated(true);
}

void finingombro::CreateControls() {
    MakeAxis(StaticText1, mxeditf, *this, 14, "\u2206X :");
    MakeAxis(StaticText2, myeditf, *this, 54, "\u2206Y :");
    MakeAxis(StaticText3, mzeditf, *this, 94, "\u2206Z :");

    CheckBox1.Create(*this, 60, 134, 240, 20);
    CheckBox1.SetCaption("Rotate 90 degrees");
    CheckBox1.SetStyle(rt::Arial(12, true));
    CheckBox1.SetValue(false);

    PushButton1.Create(*this, 20, 170, 80, 20);
    PushButton1.SetCaption("Cancel");
    PushButton1.SetStyle(rt::Arial(12, true));
    PushButton1.SetCancel(true);
    PushButton2.Create(*this, 220, 170, 80, 20);
    PushButton2.SetCaption("Modify");
    PushButton2.SetStyle(rt::Arial(12, true));
    PushButton2.SetDefault(true);
}

void finingombro::Event_Open() {
    SetTitle(InLanguage(kCaptions.title));
    CheckBox1.SetCaption(InLanguage(kCaptions.rotate));
    PushButton1.SetCaption(InLanguage(kCaptions.cancel));
    PushButton2.SetCaption(InLanguage(kCaptions.modify));
    mxeditf.SetProgramText(rt::Str(globali::dx));
    myeditf.SetProgramText(rt::Str(globali::dy));
    mzeditf.SetProgramText(rt::Str(globali::dz));
}

void finingombro::PushButton1_Action() {
    Close();
}

void finingombro::PushButton2_Action() {
    using namespace globali;
    const Transform t{rt::Val(mxeditf.Text()), rt::Val(myeditf.Text()), rt::Val(mzeditf.Text()),
                      CheckBox1.Value()};
    // Only the 3D working mode has bounds of the present points; a plan span of 0 would fold
    // the survey onto a line that no grid can cover.
    if (Inizio::ambiente != 2 || ptot < 0 || px.empty() || py.empty() || pz.empty() || t.sx == 0 ||
        t.sy == 0) {
        rt::Beep();
        return;
    }

    t.Apply(0);
    xmin = xmax = px[0];
    ymin = ymax = py[0];
    zmin = zmax = pz[0];
    Close();

    TerrainPanel& panel = TerrainPanel::Current();
    panel.SetProgressMaximum(100);
    const std::size_t present = std::min({px.size(), py.size(), pz.size()});
    for (std::int32_t i = 1; i <= ptot && static_cast<std::size_t>(i) < present; ++i) {
        const auto k = static_cast<std::size_t>(i);
        t.Apply(k);
        Inizio::allargaingombro(k);
        panel.ShowProgress(rt::conv(static_cast<double>(std::int64_t{i} * 100) / static_cast<double>(ptot)));
        rt::RuntimeBackgroundTask();
    }
    panel.ShowProgress(0);

    panel.ShowSpans(xmax - xmin, ymax - ymin, zmax - zmin);
    dx = xmax - xmin;
    dy = ymax - ymin;
    dz = zmax - zmin;
    celamesh = false;

    ModeSwitch::Current().RedrawViews();
}
