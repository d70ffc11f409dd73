#include "input/fin_edita.h"

#include <cmath>
#include <cstddef>
#include <string>

#include "input/finimmagine.h"
#include "input/pictures2d.h"
#include "input/surveyrows.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/application.h"
#include "rt/conv.h"
#include "rt/runtime.h"

namespace {

rt::TextStyle LabelStyle() {
    rt::TextStyle style;
    style.Font = "arial";
    style.Size = 9;
    style.Bold = true;
    style.TextColor = 0x6666FF;
    return style;
}

// The view transform can turn pixels back into data units.
bool TransformUsable() {
    return std::isfinite(modulodxf::zmfct) && modulodxf::zmfct != 0.0;
}

double DataX(std::int32_t x) {
    return (static_cast<double>(x) - modulodxf::xz) / modulodxf::zmfct + modulodxf::zxmin;
}

double DataY(std::int32_t y) {
    const std::int64_t flipped = std::int64_t{globali::scry} - y;
    return (static_cast<double>(flipped) - modulodxf::yz) / modulodxf::zmfct + modulodxf::zymin;
}

} // namespace

void fin_edita::Layout() {
    SetTitle("2 D");
    SetWidth(kInitialWidth);
    SetHeight(300);
    SetFrame(0);
    SetPlacement(0);
    SetBackColor(0xFFFFFF);
    SetCloseButton(false);
    SetResizeable(false);
    SetMaximizeButton(false);
    SetMinimizeButton(true);
    SetMinimumSize(64, 64);
    SetMaximumSize(32000, 32000);
    if (rt::Application* application = rt::Application::Current())
        SetMenuBar(application->GetMenuBar());
    SetVisibleWhenCreated(true);
}

void fin_edita::CreateControls() {
    Linea.MouseDown = [this](std::int32_t index, std::int32_t x, std::int32_t y) {
        return Linea_MouseDown(index, x, y);
    };
    punto.MouseDown = [this](std::int32_t index, std::int32_t x, std::int32_t y) {
        return punto_MouseDown(index, x, y);
    };

    rt::LineArray::Member lineTemplate = Linea.Add(0);
    lineTemplate.Create(*this, 0, 0, 0, 0);
    lineTemplate.SetEnds(-100, -100, -50, -50);
    lineTemplate.SetBorderWidth(1);
    lineTemplate.SetBorderColor(0x00FF80);

    rt::RectArray::Member pointTemplate = punto.Add(0);
    pointTemplate.Create(*this, -50, -50, 5, 5);
    pointTemplate.SetBorderWidth(0);
    pointTemplate.SetFillColor(0x5F7F3F);
    pointTemplate.SetBorderColor(0x5F7F3F);

    // A press on the marker or the reference line is a press on the picture under them.
    puntino.Create(*this, kMarkerParking, kMarkerParking, 3, 3);
    puntino.SetBorderWidth(1);
    puntino.SetFillColor(0x800000);
    puntino.SetBorderColor(0x800000);
    puntino.MouseDown = [this](std::int32_t x, std::int32_t y) {
        return Event_MouseDown(puntino.Left() + x, puntino.Top() + y);
    };

    linscala.Create(*this, 0, 0, 0, 0);
    linscala.SetEnds(-80, -100, -80, -200);
    linscala.SetBorderWidth(1);
    linscala.SetBorderColor(0x004080);
    linscala.MouseDown = [this](std::int32_t x, std::int32_t y) {
        return Event_MouseDown(linscala.Left() + x, linscala.Top() + y);
    };

    StaticText1.Create(*this, 4, 4, 100, 16);
    StaticText1.SetText("ref.:");
    StaticText1.SetStyle(LabelStyle());
    StaticText1.SetAlignment(1);
}

void fin_edita::Event_Open() {
    SetLeft(88);
    SetTop(48);
}

void fin_edita::Event_MouseEnter() {
    SetMouseCursor(cursore());
}

void fin_edita::Event_MouseExit() {
    SetMouseCursor(nullptr);
}

void fin_edita::dis_punto(double x, double y, rt::Color colour) {
    rt::RectArray::Member square = punto.AddCopy();
    square.SetFillColor(colour);
    square.SetLeft(rt::conv(x - 2.0));
    square.SetTop(rt::conv(y - 2.0));
}

void fin_edita::dis_linea(double x1, double y1, double x2, double y2, rt::Color colour) {
    rt::LineArray::Member line = Linea.AddCopy();
    line.SetBorderColor(colour);
    line.SetEnds(rt::conv(x1), rt::conv(y1), rt::conv(x2), rt::conv(y2));
}

void fin_edita::ColourSegments(std::int32_t row, std::int32_t first, rt::Color colour, std::int32_t width) {
    const std::int32_t segments = modulodxf::dxfpn(row, 1);
    for (std::int64_t k = first; k < std::int64_t{first} + segments; ++k) {
        if (Linea.Has(static_cast<std::int32_t>(k))) {
            rt::LineArray::Member line = Linea(static_cast<std::int32_t>(k));
            line.SetBorderColor(colour);
            line.SetBorderWidth(width);
        }
        rt::RuntimeBackgroundTask();
    }
}

void fin_edita::seleziona(std::int32_t i) {
    const std::int32_t row = modulodxf::selnow;
    if (!surveyrows::RowExists(row))
        return;
    const rt::Color colour = Inizio::gammasisel;
    if (modulodxf::dxfpn(row, 1) > 0) {
        if (surveyrows::SegmentMapped(i))
            ColourSegments(row, modulodxf::qqlin(i, 1), colour, 3);
    } else if (punto.Has(i)) {
        punto(i).SetFillColor(colour);
    }
    selectionShown_ = true;

    finimmagine* palette = rt::OpenInstance<finimmagine>();
    if (palette == nullptr)
        return;
    const std::int64_t first = modulodxf::dxfpn(row, 0);
    if (surveyrows::PointExists(first)) {
        palette->z_efield.SetEnabled(true);
        palette->FocusField(palette->z_efield);
        palette->z_efield.SetProgramText(rt::Str(globali::pz[static_cast<std::size_t>(first)]));
    }
    palette->BevelBut(5).SetEnabled(true);
}

void fin_edita::deseleziona(std::int32_t /*i*/) {
    finimmagine* palette = rt::OpenInstance<finimmagine>();
    const std::int32_t selected = modulodxf::selpre[0];
    if (selected > -1) {
        const rt::Color colour = Inizio::gammanosel;
        if (modulodxf::selpre[1] == 1 && punto.Has(selected)) {
            punto(selected).SetFillColor(colour);
        } else if (modulodxf::selpre[1] == 2 && surveyrows::SegmentMapped(selected)) {
            const std::int32_t row = modulodxf::qqlin(selected, 0);
            if (surveyrows::RowExists(row))
                ColourSegments(row, modulodxf::qqlin(selected, 1), colour, 1);
        }
        if (palette != nullptr)
            palette->z_efield.SetEnabled(false);
    }
    if (palette != nullptr)
        palette->BevelBut(5).SetEnabled(false);
    selectionShown_ = false;
}

void fin_edita::elimina(std::int32_t /*i*/) {
    const std::int32_t selected = modulodxf::selpre[0];
    if (selected > -1 && selectionShown_) {
        if (modulodxf::selpre[1] == 1 && surveyrows::PointMapped(selected)) {
            if (punto.Has(selected)) {
                punto(selected).SetVisible(false);
                punto(selected).SetEnabled(false);
            }
            Inizio::cancellacestino(modulodxf::qqpun[static_cast<std::size_t>(selected)]);
        } else if (modulodxf::selpre[1] == 2 && surveyrows::SegmentMapped(selected)) {
            const std::int32_t row = modulodxf::qqlin(selected, 0);
            if (surveyrows::RowExists(row)) {
                const std::int32_t first = modulodxf::qqlin(selected, 1);
                for (std::int64_t k = first; k < std::int64_t{first} + modulodxf::dxfpn(row, 1); ++k) {
                    if (Linea.Has(static_cast<std::int32_t>(k))) {
                        Linea(static_cast<std::int32_t>(k)).SetVisible(false);
                        Linea(static_cast<std::int32_t>(k)).SetEnabled(false);
                    }
                    rt::RuntimeBackgroundTask();
                }
                Inizio::cancellacestino(row);
            }
        }
        Refresh();
        modulodxf::selpre[0] = -1;
        selectionShown_ = false;
    }
    if (finimmagine* palette = rt::OpenInstance<finimmagine>()) {
        palette->z_efield.SetEnabled(false);
        palette->BevelBut(5).SetEnabled(false);
    }
}

void fin_edita::puntoaggiunto(std::int32_t x, std::int32_t y) {
    const std::int32_t p = ++globali::ptot;
    surveyrows::GrowPoints(p);
    globali::px[static_cast<std::size_t>(p)] = DataX(x);
    globali::py[static_cast<std::size_t>(p)] = DataY(y);
    globali::pz[static_cast<std::size_t>(p)] = 0.0;
}

void fin_edita::Event_MouseMove(std::int32_t x, std::int32_t y) {
    finimmagine* palette = rt::OpenInstance<finimmagine>();
    if (palette == nullptr || !TransformUsable())
        return;
    palette->x_stx.SetText(rt::Str(DataX(x), rt::kReadoutDigits));
    palette->y_stx.SetText(rt::Str(DataY(y), rt::kReadoutDigits));
}

bool fin_edita::Event_MouseDown(std::int32_t x, std::int32_t y) {
    // A point needs a scale that turns pixels into data units; the reference works in pixels.
    if (globali::momento == 2) {
        if (Inizio::fasemom < 1)
            ReferenceStart(x, y);
        else
            ReferenceEnd(x, y);
    } else if (globali::momento == 3 && TransformUsable()) {
        if (Inizio::fasemom < 1)
            ContourStart(x, y);
        else
            ContourVertex(x, y);
    } else if (globali::momento == 4 && TransformUsable()) {
        SinglePoint(x, y);
    }
    return false;
}

void fin_edita::ReferenceStart(std::int32_t x, std::int32_t y) {
    linscala.SetVisible(false);
    linscala.SetEnds(x, y, linscala.X2(), linscala.Y2());
    Inizio::rifxy12.resize(4, 0);
    Inizio::rifxy12[0] = x;
    Inizio::rifxy12[1] = y;
    Refresh();
    if (finimmagine* palette = rt::OpenInstance<finimmagine>()) {
        palette->z_efield.SetEnabled(false);
        palette->s_efield.SetEnabled(true);
        palette->FocusField(palette->s_efield);
    }
    Inizio::fasemom = 1;
    puntino.SetLeft(x - 1);
    puntino.SetTop(y - 1);
}

void fin_edita::ReferenceEnd(std::int32_t x, std::int32_t y) {
    linscala.SetEnds(linscala.X1(), linscala.Y1(), x, y);
    Inizio::rifxy12.resize(4, 0);
    Inizio::rifxy12[2] = x;
    Inizio::rifxy12[3] = y;
    linscala.SetVisible(true);
    Refresh();
    finimmagine* palette = rt::OpenInstance<finimmagine>();
    if (palette != nullptr) {
        palette->s_efield.SetEnabled(true);
        for (const std::int32_t tool : {1, 3, 4, 5})
            palette->BevelBut(tool).SetEnabled(true);
        palette->PushButton1.SetEnabled(true);
        palette->FocusField(palette->s_efield);
    }
    globali::momento = 1;
    if (palette != nullptr) {
        palette->BevelBut(1).SetValue(true);
        palette->BevelBut(1).SetIcon(ib1copia());
        palette->BevelBut(2).SetValue(false);
        palette->BevelBut(2).SetIcon(ib2());
    }
    Inizio::fasemom = 0;
    const std::int64_t dx = std::int64_t{Inizio::rifxy12[2]} - Inizio::rifxy12[0];
    const std::int64_t dy = std::int64_t{Inizio::rifxy12[3]} - Inizio::rifxy12[1];
    const double length = std::sqrt(static_cast<double>(dx * dx + dy * dy));
    if (palette != nullptr)
        palette->s_efield.SetProgramText(rt::Str(length));
}

std::int32_t fin_edita::NewRow(std::int32_t x, std::int32_t y) {
    puntoaggiunto(x, y);
    const std::int32_t p = globali::ptot;
    const std::int32_t r = ++modulodxf::dxfcounter;
    surveyrows::GrowTable(r);
    modulodxf::dxfpn(r, 0) = p;
    modulodxf::dxfpn(r, 1) = 0;
    modulodxf::dxfxyz[static_cast<std::size_t>(p)] = r;
    return r;
}

void fin_edita::ContourStart(std::int32_t x, std::int32_t y) {
    NewRow(x, y);
    puntino.SetLeft(x - 1);
    puntino.SetTop(y - 1);
    Inizio::fasemom = 1;
    if (finimmagine* palette = rt::OpenInstance<finimmagine>())
        palette->NewHeight("");
}

void fin_edita::ContourVertex(std::int32_t x, std::int32_t y) {
    const std::int32_t r = modulodxf::dxfcounter;
    // The curve being traced is the last row, and its last point the last point of the set.
    if (!surveyrows::RowPointsExist(r) ||
        std::int64_t{modulodxf::dxfpn(r, 0)} + modulodxf::dxfpn(r, 1) != globali::ptot) {
        ContourStart(x, y);
        return;
    }
    const std::int32_t n = modulodxf::dxfpn(r, 1) + 1;
    const rt::Color colour = Inizio::gammanosel;
    puntoaggiunto(x, y);
    const std::int32_t p = globali::ptot;
    modulodxf::dxfpn(r, 1) += 1;
    modulodxf::dxfxyz[static_cast<std::size_t>(p)] = r;
    dis_linea(puntino.Left() + 1, puntino.Top() + 1, x, y, colour);
    const std::int32_t j = ++modulodxf::qlin;
    surveyrows::GrowSegmentMap(j);
    modulodxf::qqlin(j, 0) = r;
    modulodxf::qqlin(j, 1) = j - n + 1;
    puntino.SetLeft(x - 1);
    puntino.SetTop(y - 1);
    Inizio::fasemom = n + 1;
    if (finimmagine* palette = rt::OpenInstance<finimmagine>())
        palette->NewHeight(rt::Str(globali::pz[static_cast<std::size_t>(p) - 1]));
}

void fin_edita::SinglePoint(std::int32_t x, std::int32_t y) {
    const rt::Color colour = Inizio::gammanosel;
    const std::int32_t r = NewRow(x, y);
    dis_punto(x, y, colour);
    const std::int32_t k = ++modulodxf::qpun;
    surveyrows::GrowPointMap(k);
    modulodxf::qqpun[static_cast<std::size_t>(k)] = r;
    Inizio::fasemom = 0;
    if (finimmagine* palette = rt::OpenInstance<finimmagine>())
        palette->NewHeight("");
}

bool fin_edita::Linea_MouseDown(std::int32_t index, std::int32_t /*x*/, std::int32_t /*y*/) {
    if (globali::momento != 1 || !surveyrows::SegmentMapped(index))
        return false;
    deseleziona(modulodxf::selpre[0]);
    modulodxf::selnow = modulodxf::qqlin(index, 0);
    modulodxf::selpre[0] = index;
    modulodxf::selpre[1] = 2;
    seleziona(index);
    return false;
}

bool fin_edita::punto_MouseDown(std::int32_t index, std::int32_t /*x*/, std::int32_t /*y*/) {
    if (globali::momento != 1 || !surveyrows::PointMapped(index))
        return false;
    deseleziona(modulodxf::selpre[0]);
    modulodxf::selnow = modulodxf::qqpun[static_cast<std::size_t>(index)];
    modulodxf::selpre[0] = index;
    modulodxf::selpre[1] = 1;
    seleziona(index);
    return false;
}
