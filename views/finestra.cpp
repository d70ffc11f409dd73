#include "views/finestra.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/globali.h"
#include "rt/application.h"
#include "rt/picture.h"
#include "rt/runtime.h"
#include "views/projection.h"

void Finestra::Layout() {
    SetTitle("3 D");
    SetWidth(200);
    SetHeight(200);
    SetBackColor(0xFFFFFF);
    SetCloseButton(false);
    SetMaximizeButton(false);
    SetResizeable(false);
    SetVisibleWhenCreated(true);
    if (const rt::Application* application = rt::Application::Current())
        SetMenuBar(application->GetMenuBar());
}

void Finestra::CreateControls() {
    can_dis.Create(*this, 10, 10, 100, 100);
}

void Finestra::Event_Open() {
    SetLeft(168);
    SetTop(48);
    SetWidth(globali::scrx);
    SetHeight(globali::scry);
    can_dis.SetWidth(globali::scrx - 20);
    can_dis.SetHeight(globali::scry - 20);
}

namespace {

struct Corner {
    bool p, q, r; // false: 0, true: dx, dy or dz
};

// The nine edges of the box, each from its first corner to its second. The three edges that meet
// at (0, 0, dz) are left out.
constexpr Corner kEdges[9][2] = {
    {{false, false, false}, {true, false, false}}, {{false, false, false}, {false, true, false}},
    {{true, true, false}, {true, true, true}},     {{true, false, true}, {true, false, false}},
    {{true, true, false}, {true, false, false}},   {{false, true, true}, {false, true, false}},
    {{true, true, false}, {false, true, false}},   {{true, true, true}, {false, true, true}},
    {{true, true, true}, {true, false, true}},
};

} // namespace

void Finestra::disegnaingombro() {
    const axo::Projection projection = axo::Projection::Current();
    const axo::Fit fit =
        axo::ComputeFit(projection, globali::dx, globali::dy, globali::dz, globali::scrx, globali::scry);
    globali::scala = fit.scala;
    globali::spostx = fit.spostx;
    globali::sposty = fit.sposty;

    globali::disegno = rt::Picture::New(globali::scrx - 20, globali::scry - 20, 32);
    if (globali::disegno) {
        rt::Graphics& g = globali::disegno.Graphics();
        g.SetForeColor(axo::BoxColor());
        auto place = [&](const Corner& c) {
            const double H = projection.CornerH(c.p ? globali::dx : 0.0, c.q);
            const double V =
                projection.CornerV(c.p ? globali::dx : 0.0, c.q ? globali::dy : 0.0, c.r ? globali::dz : 0.0);
            return axo::PointPixel(H, V, fit, globali::scry);
        };
        for (const auto& edge : kEdges) {
            const auto from = place(edge[0]);
            const auto to = place(edge[1]);
            if (from && to)
                g.DrawLine(from->X, from->Y, to->X, to->Y);
        }
    }
    can_dis.SetBackdrop(globali::disegno);
}

void Finestra::assonometria() {
    if (!globali::disegno)
        return;
    const axo::Projection projection = axo::Projection::Current();
    const axo::Fit fit{globali::scala, globali::spostx, globali::sposty};
    rt::Graphics& g = globali::disegno.Graphics();
    const std::int64_t stored =
        static_cast<std::int64_t>(std::min({globali::px.size(), globali::py.size(), globali::pz.size()}));
    const std::int64_t last = std::min<std::int64_t>(globali::ptot, stored - 1);
    for (std::int64_t i = 0; i <= last; ++i) {
        const auto k = static_cast<std::size_t>(i);
        g.SetForeColor(axo::PointColor(globali::pz[k], globali::zmax));
        const double xr = globali::px[k] - globali::xmin;
        const double yr = globali::py[k] - globali::ymin;
        const double zr = globali::pz[k] - globali::zmin;
        if (const auto at =
                axo::PointPixel(projection.H(xr, yr), projection.V(xr, yr, zr), fit, globali::scry))
            g.DrawOval(at->X, at->Y, 2, 2);
        rt::RuntimeBackgroundTask();
    }
}

void Finestra::disegnamesh() {
    std::vector<std::int32_t> vertici(7, 0);
    if (!globali::disegno)
        return;
    const axo::Projection projection = axo::Projection::Current();
    const axo::Fit fit{globali::scala, globali::spostx, globali::sposty};
    rt::Graphics& g = globali::disegno.Graphics();

    // Only cells whose four nodes the grid arrays hold are drawn.
    const std::int32_t lastI =
        std::min({globali::mxtot, globali::mx.UBound0(), globali::my.UBound0(), globali::mz.UBound0()});
    const std::int32_t lastJ =
        std::min({globali::mytot, globali::mx.UBound1(), globali::my.UBound1(), globali::mz.UBound1()});

    auto place = [&](std::int32_t k, std::int32_t l, std::size_t slot) {
        const double xr = globali::mx(k, l) - globali::xmin;
        const double yr = globali::my(k, l) - globali::ymin;
        const double zr = globali::mz(k, l) - globali::zmin;
        const auto at = axo::NodePixel(projection.H(xr, yr), projection.V(xr, yr, zr), fit, globali::scry);
        if (!at)
            return false;
        vertici[slot] = at->X;
        vertici[slot + 1] = at->Y;
        return true;
    };

    for (std::int32_t i = 0; i < lastI; ++i) {
        for (std::int32_t j = 0; j < lastJ; ++j) {
            const rt::Color colour = axo::CellColor(globali::mz(i, j), globali::zmax);
            bool whole = place(i, j, 1);
            whole = place(i, j + 1, 3) && whole;
            whole = place(i + 1, j, 5) && whole;
            g.SetForeColor(colour);
            if (whole)
                g.DrawPolygon(vertici);
            whole = place(i + 1, j + 1, 1);
            whole = place(i, j + 1, 3) && whole;
            whole = place(i + 1, j, 5) && whole;
            g.SetForeColor(colour);
            if (whole)
                g.DrawPolygon(vertici);
            rt::RuntimeBackgroundTask();
        }
        rt::RuntimeBackgroundTask();
    }
    can_dis.SetBackdrop(globali::disegno);
}
