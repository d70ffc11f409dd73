#include "views/fincontrolpanel.h"

#include "rt/conv.h"
#include "rt/window.h"
#include "views/fincontrol.h"
#include "views/finestra.h"

std::int32_t FincontrolPanel::PowerSetting() {
    return rt::Instance<fincontrol>().Slider1.Value();
}

std::int32_t FincontrolPanel::RibbonSetting() {
    return rt::Instance<fincontrol>().Slider2.Value();
}

void FincontrolPanel::ShowSpans(double dx, double dy, double dz) {
    rt::Instance<fincontrol>().ShowSpans(dx, dy, dz);
}

void FincontrolPanel::SetXCountText(const std::string& text) {
    rt::Instance<fincontrol>().XEditField.SetText(text);
}

void FincontrolPanel::SetYCountText(const std::string& text) {
    rt::Instance<fincontrol>().ShowYCount(rt::conv(rt::Val(text)));
}

void FincontrolPanel::SetProgressMaximum(std::int32_t maximum) {
    rt::Instance<fincontrol>().ProgressBar1.SetMaximum(maximum);
}

void FincontrolPanel::ShowProgress(std::int32_t value) {
    rt::ProgressBar& bar = rt::Instance<fincontrol>().ProgressBar1;
    bar.SetValue(value);
    bar.Refresh();
}

std::int32_t FincontrolPanel::CanvasWidth() {
    return rt::Instance<Finestra>().can_dis.Width();
}

std::int32_t FincontrolPanel::CanvasHeight() {
    return rt::Instance<Finestra>().can_dis.Height();
}

rt::Picture FincontrolPanel::CanvasBackdrop() {
    return rt::Instance<Finestra>().can_dis.Backdrop();
}

void FincontrolPanel::InstallForProgram() {
    static FincontrolPanel panel;
    TerrainPanel::Install(&panel);
}
