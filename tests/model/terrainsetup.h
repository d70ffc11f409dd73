#pragma once
// Shared set-up for the terrain tests: survey points, bounds, a height grid spread evenly over
// them, the control panel's settings, and a log of the progress values a run shows.

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/globali.h"
#include "model/progressreport.h"
#include "rt/window.h"
#include "views/fincontrol.h"

namespace terraintest {

struct Point {
    double x, y, z;
};

inline void SetPoints(const std::vector<Point>& points) {
    globali::px.clear();
    globali::py.clear();
    globali::pz.clear();
    for (const Point& p : points) {
        globali::px.push_back(p.x);
        globali::py.push_back(p.y);
        globali::pz.push_back(p.z);
    }
    globali::ptot = static_cast<std::int32_t>(points.size()) - 1;
}

inline void SetBounds(double xmin, double xmax, double ymin, double ymax, double zmin, double zmax) {
    globali::xmin = xmin;
    globali::xmax = xmax;
    globali::ymin = ymin;
    globali::ymax = ymax;
    globali::zmin = zmin;
    globali::zmax = zmax;
    globali::dx = xmax - xmin;
    globali::dy = ymax - ymin;
    globali::dz = zmax - zmin;
}

// low + (high - low) / count * index; bounds whose span overflows are blended instead.
inline double Spread(double low, double high, int index, int count) {
    const double plain = low + (high - low) / count * index, share = static_cast<double>(index) / count;
    return std::isfinite(plain) ? plain : low * (1.0 - share) + high * share;
}

// A grid of nx by ny intervals over the current bounds; node (i, j) gets height(i, j).
inline void SetGrid(std::int32_t nx, std::int32_t ny, const std::function<double(int, int)>& height) {
    globali::mxtot = nx;
    globali::mytot = ny;
    globali::mx.Redim(nx, ny);
    globali::my.Redim(nx, ny);
    globali::mz.Redim(nx, ny);
    for (int i = 0; i <= nx; ++i)
        for (int j = 0; j <= ny; ++j) {
            globali::mx(i, j) = Spread(globali::xmin, globali::xmax, i, nx);
            globali::my(i, j) = Spread(globali::ymin, globali::ymax, j, ny);
            globali::mz(i, j) = height(i, j);
        }
}

// The ribbon setting. No grid is marked present, so the panel only shows the value.
inline void SetRibbonSetting(std::int32_t value) {
    globali::celamesh = false;
    rt::Instance<fincontrol>().Slider2.SetValue(value);
}

inline const rt::ProgressBar& Bar() {
    return rt::Instance<fincontrol>().ProgressBar1;
}

// Records every progress value shown while it lives. The bar starts from a range and value that
// the operation under test must change.
class ProgressLog {
public:
    ProgressLog() {
        auto& bar = rt::Instance<fincontrol>().ProgressBar1;
        bar.SetMaximum(10);
        bar.SetValue(5);
        progressreport::SetObserver([this](std::int32_t value) { values.push_back(value); });
    }
    ~ProgressLog() { progressreport::SetObserver({}); }
    ProgressLog(const ProgressLog&) = delete;
    ProgressLog& operator=(const ProgressLog&) = delete;

    std::vector<std::int32_t> values;
};

} // namespace terraintest
