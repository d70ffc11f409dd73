// The top view: every grid node a small rectangle in its height colour, crossed by black contour
// lines, fitted to the drawing window's canvas and pasted, centred, onto its backdrop.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/contours.h"
#include "model/curvedilivello.h"
#include "model/globali.h"
#include "model/levelcells.h"
#include "model/terraindata.h"
#include "model/terrainpanel.h"
#include "rt/picture.h"
#include "rt/runtime.h"

namespace {

// Saturates an exact whole number to the int32 range.
std::int32_t Clamped(std::int64_t value) {
    return rt::conv(static_cast<double>(value));
}

// (index * size) / count: a node's offset in the picture along one axis.
double NodeOffset(std::int32_t index, std::int32_t size, std::int32_t count) {
    return static_cast<double>(std::int64_t{index} * size) / static_cast<double>(count);
}

struct Fit {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The picture size that keeps the bounding box's proportions and fills the canvas along the
// axis that decides the scale. Worked from half spans, so no span overflows; the result is that
// of the full spans. A zero size means there is nothing to draw.
Fit FitToCanvas(const terrain::Bounds& bounds, std::int32_t canvasWidth, std::int32_t canvasHeight) {
    Fit fit;
    if (canvasWidth < 1 || canvasHeight < 1)
        return fit;
    const double hx = contours::HalfSpan(bounds.xmin, bounds.xmax);
    const double hy = contours::HalfSpan(bounds.ymin, bounds.ymax);
    const double halfScale =
        std::max(hx / static_cast<double>(canvasWidth), hy / static_cast<double>(canvasHeight));
    if (!(halfScale > 0.0) || !std::isfinite(halfScale))
        return fit;
    fit.width = rt::conv(hx / halfScale);
    fit.height = rt::conv(hy / halfScale);
    return fit;
}

} // namespace

namespace terrain {

rt::Picture DrawTopView(const HeightGrid& grid, const Bounds& bounds, std::int32_t canvasWidth,
                        std::int32_t canvasHeight, Progress& progress) {
    const std::int32_t nx = grid.nx;
    const std::int32_t ny = grid.ny;
    const Array2D<double>& mz = grid.z;
    if (!contours::GridCovers(mz, nx, ny))
        return {};

    const contours::LevelSeries levels = contours::LevelSeriesFor(20.0, bounds.zmin, bounds.zmax);
    progress.SetProgressMaximum(Clamped(std::int64_t{nx} + (std::int64_t{levels.kmax} - levels.kmin) + 1));
    progress.ShowProgress(0);

    const Fit fit = FitToCanvas(bounds, canvasWidth, canvasHeight);
    if (fit.width < 1 || fit.height < 1) {
        progress.ShowProgress(0);
        return {};
    }
    const std::int32_t w = fit.width;
    const std::int32_t h = fit.height;

    const rt::Picture picture = rt::Picture::New(w, h, 32);
    rt::Graphics& g = picture.Graphics();

    const std::int32_t cellWidth = rt::conv(static_cast<double>(w) / nx + 1.0);
    const std::int32_t cellHeight = rt::conv(static_cast<double>(h) / ny + 1.0);
    for (std::int32_t i = 0; i <= nx; ++i) {
        progress.ShowProgress(i);
        const std::int32_t left = rt::conv(NodeOffset(i, w, nx));
        for (std::int32_t j = 0; j <= ny; ++j) {
            g.SetForeColor(contours::HeightColour(mz(i, j), bounds.zmin, bounds.zmax));
            g.FillRect(left, rt::conv(NodeOffset(j, h, ny)), cellWidth, cellHeight);
            rt::RuntimeBackgroundTask();
        }
        rt::RuntimeBackgroundTask();
    }

    g.SetForeColor(rt::RGB(0, 0, 0));
    const auto drawSegment = [&g](const contours::Segment& s) {
        g.DrawLine(rt::conv(s.x0), rt::conv(s.y0), rt::conv(s.x1), rt::conv(s.y1));
    };
    contours::LevelCells candidates(mz, nx, ny, levels);
    std::int64_t q = 0;
    for (std::int64_t k = levels.kmin; k <= levels.kmax; k += levels.step, ++q) {
        progress.ShowProgress(Clamped((k - levels.kmin) + 1 + nx));
        const double level = contours::LevelHeight(k);
        // Cells the level cannot cross give no line.
        candidates.TraceLevel(q, [&](std::int32_t i, std::int32_t j) {
            const double x0 = NodeOffset(i, w, nx);
            const double x1 = NodeOffset(i + 1, w, nx);
            const double y0 = NodeOffset(j, h, ny);
            const double y1 = NodeOffset(j + 1, h, ny);
            const contours::CellTrace trace =
                contours::TraceCell(level, {x0, y0, mz(i, j)}, {x1, y0, mz(i + 1, j)}, {x0, y1, mz(i, j + 1)},
                                    {x1, y1, mz(i + 1, j + 1)});
            if (trace.hasA)
                drawSegment(trace.a);
            if (trace.hasB)
                drawSegment(trace.b);
        });
    }

    progress.ShowProgress(0);
    return picture;
}

} // namespace terrain

void globali::curvedilivello() {
    // Without a grid the panel is not reached.
    if (!contours::GridCovers(mz, mxtot, mytot))
        return;
    TerrainPanel& panel = TerrainPanel::Current();
    const std::int32_t canvasWidth = panel.CanvasWidth();
    const std::int32_t canvasHeight = panel.CanvasHeight();
    const rt::Picture view = terrain::DrawTopView(grid, bounds, canvasWidth, canvasHeight, panel);
    if (!view)
        return;
    // The top view goes onto the bounding-box drawing the canvas already shows; without one
    // there is nothing to draw onto.
    const rt::Picture backdrop = panel.CanvasBackdrop();
    if (!backdrop)
        return;
    const std::int32_t left = rt::conv(static_cast<double>(std::int64_t{canvasWidth} - view.Width()) / 2.0);
    const std::int32_t top = rt::conv(static_cast<double>(std::int64_t{canvasHeight} - view.Height()) / 2.0);
    backdrop.Graphics().DrawPicture(view, left, top);
}
