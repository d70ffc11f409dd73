#include "views/finestra.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
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

    // The nodes of two neighbouring columns, each projected once.
    using Column = std::vector<std::optional<axo::Pixel>>;
    Column left(static_cast<std::size_t>(std::max(lastJ + 1, 0)));
    Column right(left.size());
    auto project = [&](std::int32_t k, Column& column) {
        for (std::int32_t l = 0; l <= lastJ; ++l) {
            const double xr = globali::mx(k, l) - globali::xmin;
            const double yr = globali::my(k, l) - globali::ymin;
            const double zr = globali::mz(k, l) - globali::zmin;
            column[static_cast<std::size_t>(l)] =
                axo::NodePixel(projection.H(xr, yr), projection.V(xr, yr, zr), fit, globali::scry);
        }
    };
    // Fills the vertex list with three nodes; false when one of them has no place in the picture.
    auto triangle = [&](const std::optional<axo::Pixel>& a, const std::optional<axo::Pixel>& b,
                        const std::optional<axo::Pixel>& c) {
        if (!a || !b || !c)
            return false;
        vertici[1] = a->X;
        vertici[2] = a->Y;
        vertici[3] = b->X;
        vertici[4] = b->Y;
        vertici[5] = c->X;
        vertici[6] = c->Y;
        return true;
    };

    if (lastI > 0)
        project(0, left);
    for (std::int32_t i = 0; i < lastI; ++i) {
        project(i + 1, right);
        for (std::int32_t j = 0; j < lastJ; ++j) {
            const auto here = static_cast<std::size_t>(j);
            const rt::Color colour = axo::CellColor(globali::mz(i, j), globali::zmax);
            g.SetForeColor(colour);
            if (triangle(left[here], left[here + 1], right[here]))
                g.DrawPolygon(vertici);
            g.SetForeColor(colour);
            if (triangle(right[here + 1], left[here + 1], right[here]))
                g.DrawPolygon(vertici);
            rt::RuntimeBackgroundTask();
        }
        rt::RuntimeBackgroundTask();
        std::swap(left, right);
    }
    can_dis.SetBackdrop(globali::disegno);
}
