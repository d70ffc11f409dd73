#include "views/finestra.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <tuple>
#include <vector>

#include "model/globali.h"
#include "model/parallelcolumns.h"
#include "rt/application.h"
#include "rt/picture.h"
#include "rt/runtime.h"
#include "views/projection.h"

namespace {

// Drawings of more triangles than this are drawn in bands of rows on all cores.
constexpr std::int64_t kBandedTriangles = 100000;
// The bands' pictures together take at most this many bytes.
constexpr std::int64_t kMostBandBytes = std::int64_t{256} << 20;
// A triangle is drawn in every band that meets the rows of its corners widened by this many: the
// outline of whole-pixel corners reaches at most one row beyond them.
constexpr std::int32_t kRowMargin = 2;

// The grid's nodes as picture pixels, each projected once, and the drawing of its cells.
class MeshPixels {
public:
    MeshPixels(std::int32_t lastI, std::int32_t lastJ)
        : lastI_(lastI), lastJ_(lastJ),
          nodes_(lastI < 0 || lastJ < 0
                     ? 0
                     : static_cast<std::size_t>(lastI + 1) * static_cast<std::size_t>(lastJ + 1)) {
        const axo::Projection projection = axo::Projection::Current();
        const axo::Fit fit{globali::scala, globali::spostx, globali::sposty};
        for (std::int32_t i = 0; i <= lastI_; ++i)
            for (std::int32_t j = 0; j <= lastJ_; ++j) {
                const double xr = globali::mx(i, j) - globali::xmin;
                const double yr = globali::my(i, j) - globali::ymin;
                const double zr = globali::mz(i, j) - globali::zmin;
                nodes_[Index(i, j)] =
                    axo::NodePixel(projection.H(xr, yr), projection.V(xr, yr, zr), fit, globali::scry);
            }
    }

    std::int64_t Triangles() const {
        return lastI_ > 0 && lastJ_ > 0 ? 2 * std::int64_t{lastI_} * lastJ_ : 0;
    }
    const std::vector<std::optional<axo::Pixel>>& Nodes() const { return nodes_; }

    // Every cell's two triangle outlines, in the colour of its first corner, cell by cell up the
    // columns: those whose corners' rows, widened by kRowMargin, meet rows top..bottom. With
    // `yield`, a yield after every cell and after every column.
    void Draw(rt::Graphics& g, std::int32_t top, std::int32_t bottom, bool yield) const {
        std::vector<std::int32_t> vertices(7, 0);
        // Fills the vertex list with three nodes; false when one of them has no place in the
        // picture or the triangle lies outside the rows.
        const auto triangle = [&](std::size_t a, std::size_t b, std::size_t c) {
            const std::optional<axo::Pixel>&pa = nodes_[a], &pb = nodes_[b], &pc = nodes_[c];
            if (!pa || !pb || !pc)
                return false;
            if (std::int64_t{std::max({pa->Y, pb->Y, pc->Y})} < std::int64_t{top} - kRowMargin ||
                std::int64_t{std::min({pa->Y, pb->Y, pc->Y})} > std::int64_t{bottom} + kRowMargin)
                return false;
            vertices[1] = pa->X;
            vertices[2] = pa->Y;
            vertices[3] = pb->X;
            vertices[4] = pb->Y;
            vertices[5] = pc->X;
            vertices[6] = pc->Y;
            return true;
        };
        for (std::int32_t i = 0; i < lastI_; ++i) {
            for (std::int32_t j = 0; j < lastJ_; ++j) {
                const std::size_t here = Index(i, j), up = Index(i, j + 1), right = Index(i + 1, j),
                                  across = Index(i + 1, j + 1);
                std::optional<rt::Color> colour;
                for (const auto& [a, b, c] : {std::tuple{here, up, right}, std::tuple{across, up, right}})
                    if (triangle(a, b, c)) {
                        if (!colour)
                            colour = axo::CellColor(globali::mz(i, j), globali::zmax);
                        g.SetForeColor(*colour);
                        g.DrawPolygon(vertices);
                    }
                if (yield)
                    rt::RuntimeBackgroundTask();
            }
            if (yield)
                rt::RuntimeBackgroundTask();
        }
    }

private:
    std::size_t Index(std::int32_t i, std::int32_t j) const {
        return static_cast<std::size_t>(i) * static_cast<std::size_t>(lastJ_ + 1) +
               static_cast<std::size_t>(j);
    }

    std::int32_t lastI_, lastJ_;
    std::vector<std::optional<axo::Pixel>> nodes_;
};

// How many bands of rows the drawing is split into: one a core for a large grid, as many as
// the memory for the bands' pictures allows; 1 draws on the picture itself.
std::size_t BandCount(const MeshPixels& mesh, const rt::Picture& picture) {
    if (mesh.Triangles() < kBandedTriangles)
        return 1;
    const std::int64_t bytes = std::int64_t{picture.Width()} * picture.Height() * 4;
    const auto affordable = static_cast<std::size_t>(kMostBandBytes / std::max<std::int64_t>(bytes, 1));
    return std::min(parallelcolumns::WorkerCount(), affordable);
}

// Each band is drawn on a copy of the picture by a helper thread, with every triangle that
// reaches its rows in the grid's order, so its rows come out as the plain drawing would leave
// them; they are copied back in order as the bands complete. The rows are split so that the
// bands hold about as many nodes.
void DrawInBands(const MeshPixels& mesh, const rt::Picture& picture, std::size_t bands) {
    const std::int32_t width = picture.Width(), height = picture.Height();
    std::vector<std::int64_t> nodesAbove(static_cast<std::size_t>(height) + 1, 0);
    for (const std::optional<axo::Pixel>& node : mesh.Nodes())
        if (node && node->Y >= 0 && node->Y < height)
            ++nodesAbove[static_cast<std::size_t>(node->Y) + 1];
    for (std::size_t row = 1; row < nodesAbove.size(); ++row)
        nodesAbove[row] += nodesAbove[row - 1];
    const std::int64_t total = nodesAbove.back();
    std::vector<std::int32_t> tops(bands + 1, height);
    tops[0] = 0;
    for (std::size_t b = 1; b < bands; ++b) {
        const std::int64_t wanted = total * static_cast<std::int64_t>(b) / static_cast<std::int64_t>(bands);
        const auto row =
            std::lower_bound(nodesAbove.begin() + 1, nodesAbove.end(), wanted) - nodesAbove.begin();
        tops[b] = std::max(tops[b - 1], static_cast<std::int32_t>(row));
    }

    std::vector<rt::Picture> copies(bands);
    for (rt::Picture& copy : copies)
        copy = picture.Copy();
    parallelcolumns::Run(
        static_cast<std::int64_t>(bands),
        [&](std::int64_t band, std::size_t) {
            const auto b = static_cast<std::size_t>(band);
            if (tops[b] < tops[b + 1])
                mesh.Draw(copies[b].Graphics(), tops[b], tops[b + 1] - 1, false);
        },
        [&](std::int64_t band) {
            const auto b = static_cast<std::size_t>(band);
            const std::int32_t rows = tops[b + 1] - tops[b];
            if (rows > 0)
                picture.Graphics().DrawPicture(copies[b], 0, tops[b], width, rows, 0, tops[b], width, rows);
            copies[b] = rt::Picture();
        },
        [] { rt::RuntimeBackgroundWait(); });
}

} // namespace

void Finestra::Layout() {
    SetTitle("3 D");
    SetWidth(200);
    SetHeight(200);
    SetBackColor(0xFFFFFF);
    SetCloseButton(false);
    SetMaximizeButton(false);
    SetMinimizeButton(true);
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
    if (!globali::disegno)
        return;
    // Only cells whose four nodes the grid arrays hold are drawn.
    const std::int32_t lastI =
        std::min({globali::mxtot, globali::mx.UBound0(), globali::my.UBound0(), globali::mz.UBound0()});
    const std::int32_t lastJ =
        std::min({globali::mytot, globali::mx.UBound1(), globali::my.UBound1(), globali::mz.UBound1()});
    const MeshPixels mesh(lastI, lastJ);
    const std::size_t bands = BandCount(mesh, globali::disegno);
    if (bands > 1)
        DrawInBands(mesh, globali::disegno, bands);
    else
        mesh.Draw(globali::disegno.Graphics(), std::numeric_limits<std::int32_t>::min(),
                  std::numeric_limits<std::int32_t>::max(), true);
    if (lastI > 0 && lastJ > 0)
        globali::disegno.Graphics().SetForeColor(
            axo::CellColor(globali::mz(lastI - 1, lastJ - 1), globali::zmax));
    can_dis.SetBackdrop(globali::disegno);
}
