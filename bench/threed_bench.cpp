// The 3D working mode: "Create Mesh 3D" as a whole command, one frame of the 3D view and the time
// from an arrow key to the new frame. The frames need OpenGL: run these under a display
// (QT_QPA_PLATFORM=xcb, e.g. under xvfb-run); without one they report that and skip.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QMatrix4x4>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

#include "baremeshdraw.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "rt/window.h"
#include "terrainbenchsetup.h"
#include "views/fincontrol.h"
#include "views/winquesa3d.h"

namespace {

// n survey points scattered over 0..3000 by 0..2000 on rolling hills, as lone points.
void ScatteredSurvey(std::int32_t n) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> x(0, 3000), y(0, 2000);
    globali::px.resize(static_cast<std::size_t>(n));
    globali::py.resize(static_cast<std::size_t>(n));
    globali::pz.resize(static_cast<std::size_t>(n));
    for (std::size_t k = 0; k < globali::px.size(); ++k) {
        globali::px[k] = x(random);
        globali::py[k] = y(random);
        globali::pz[k] =
            50.0 + 25.0 * std::sin(globali::px[k] / 400.0) + 25.0 * std::cos(globali::py[k] / 300.0);
    }
    globali::ptot = n - 1;
}

// "Create Mesh 3D" from 10 000 points on a 100 x 100 grid with the 3D view chosen: sizes read,
// interpolation, meshes built, the 3D view closed and opened on them.
void BM_CreateMesh3D10000Points100x100(benchmark::State& state) {
    globali::scrx = 1100;
    globali::scry = 800;
    ScatteredSurvey(10000);
    Inizio::calcolaingombro();
    fincontrol& panel = rt::Instance<fincontrol>();
    panel.XEditField.SetText("100");
    panel.YEditField.SetText("100");
    for (auto _ : state) {
        panel.PushButton1_Action();
        benchmark::DoNotOptimize(globali::terreno->VertexCount());
    }
    rt::WindowRegistry::DiscardAll();
}
BENCHMARK(BM_CreateMesh3D10000Points100x100)->Unit(benchmark::kMillisecond);

// Waits, at most ten seconds, until the window system shows the widget's window.
bool Exposed(QWidget* widget) {
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (widget->window()->windowHandle() != nullptr && widget->window()->windowHandle()->isExposed())
            return true;
    }
    return false;
}

// The 3D view on a 300 x 300 surface with ribbons (setting 7), shown and exposed; null without
// an OpenGL engine.
winquesa3d* ViewOf300Surface(benchmark::State& state) {
    globali::scrx = 1100;
    globali::scry = 800;
    terrainbench::RollingGrid(300);
    rt::Instance<fincontrol>().Slider2.SetValue(7);
    globali::creatrimesh();
    rt::CloseIfOpen<winquesa3d>();
    winquesa3d& view = rt::Instance<winquesa3d>();
    if (!view.rb3d.Objects() || !Exposed(view.ContentWidget())) {
        state.SkipWithError("no OpenGL engine: run under a display");
        return nullptr;
    }
    // The first frame sends the meshes to the renderer; the frames timed are the later ones.
    view.rb3d.RenderToPicture();
    return &view;
}

// One frame drawn and read back (the read-back is part of the time: an upper bound of a frame).
void BM_Frame300x300WithRibbons(benchmark::State& state) {
    winquesa3d* view = ViewOf300Surface(state);
    if (view == nullptr)
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(view->rb3d.RenderToPicture().Width());
    state.counters["triangles"] = globali::terreno->TriangleCount() + globali::tercurva->TriangleCount();
    rt::WindowRegistry::DiscardAll();
}
BENCHMARK(BM_Frame300x300WithRibbons)->Unit(benchmark::kMillisecond);

// From a left-arrow key to the new frame read back.
void BM_ArrowKeyToFrame300x300(benchmark::State& state) {
    winquesa3d* view = ViewOf300Surface(state);
    if (view == nullptr)
        return;
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
        QCoreApplication::sendEvent(view->ContentWidget(), &press);
        benchmark::DoNotOptimize(view->rb3d.RenderToPicture().Width());
    }
    rt::WindowRegistry::DiscardAll();
}
BENCHMARK(BM_ArrowKeyToFrame300x300)->Unit(benchmark::kMillisecond);

// The 3D view on a 999 x 999 surface with ribbons (setting 7), shown and exposed, its first frame
// drawn; built once for the cases below. Null without an OpenGL engine.
winquesa3d* ViewOf999Surface(benchmark::State& state) {
    static bool built = false;
    if (!built) {
        globali::scrx = 1100;
        globali::scry = 800;
        terrainbench::RollingGrid(999);
        rt::Instance<fincontrol>().Slider2.SetValue(7);
        globali::creatrimesh();
        rt::CloseIfOpen<winquesa3d>();
        built = true;
    }
    winquesa3d& view = rt::Instance<winquesa3d>();
    if (!view.rb3d.Objects() || !Exposed(view.ContentWidget())) {
        state.SkipWithError("no OpenGL engine: run under a display");
        return nullptr;
    }
    view.rb3d.RenderToPicture();
    state.counters["triangles"] = globali::terreno->TriangleCount() + globali::tercurva->TriangleCount();
    return &view;
}

QMatrix4x4 LocalMatrix(const rt::Element3D& element) {
    const double* r = element.Orientation();
    const rt::Vector3D& p = element.Position;
    return QMatrix4x4(float(r[0]), float(r[1]), float(r[2]), float(p.X), float(r[3]), float(r[4]),
                      float(r[5]), float(p.Y), float(r[6]), float(r[7]), float(r[8]), float(p.Z), 0, 0, 0, 1);
}

// An arrow key, then the view's frame read back, beside the same triangles (or their edges) drawn
// bare through the view's camera into a widget of the view's size and read back, by turns in each
// iteration so that both meet the same load. Counters: the mean of each, and their ratio.
void FramesBesideBareDraw999x999(benchmark::State& state, bool wireframe) {
    winquesa3d* view = ViewOf999Surface(state);
    if (view == nullptr)
        return;
    BareMeshDraw bare({globali::terreno, globali::tercurva});
    bare.resize(view->rb3d.Widget()->size());
    bare.show();
    if (!Exposed(&bare)) {
        state.SkipWithError("the bare drawing was not shown");
        return;
    }
    QMatrix4x4 projection;
    projection.perspective(float(view->rb3d.FieldOfView), float(bare.width()) / float(bare.height()),
                           float(view->rb3d.Hither), float(view->rb3d.Yon));
    bare.Matrix = projection * LocalMatrix(view->rb3d.Camera()).inverted() * LocalMatrix(*view->obj);
    bare.Wireframe = wireframe;
    view->rb3d.Wireframe = wireframe;
    bare.grabFramebuffer();
    view->rb3d.RenderToPicture();
    QElapsedTimer clock;
    std::int64_t viewNs = 0, bareNs = 0;
    for (auto _ : state) {
        clock.start();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
        QCoreApplication::sendEvent(view->ContentWidget(), &press);
        benchmark::DoNotOptimize(view->rb3d.RenderToPicture().Width());
        viewNs += clock.nsecsElapsed();
        clock.start();
        benchmark::DoNotOptimize(bare.grabFramebuffer().width());
        bareNs += clock.nsecsElapsed();
    }
    view->rb3d.Wireframe = false;
    const double n = static_cast<double>(std::max<std::int64_t>(1, state.iterations()));
    state.counters["view_ms"] = static_cast<double>(viewNs) / n / 1e6;
    state.counters["bare_ms"] = static_cast<double>(bareNs) / n / 1e6;
    state.counters["view_per_bare"] =
        bareNs > 0 ? static_cast<double>(viewNs) / static_cast<double>(bareNs) : 0;
}

void BM_ArrowKeyToFrameBesideBareDraw999x999WithRibbons(benchmark::State& state) {
    FramesBesideBareDraw999x999(state, false);
}
BENCHMARK(BM_ArrowKeyToFrameBesideBareDraw999x999WithRibbons)->Unit(benchmark::kMillisecond)->Iterations(6);

void BM_ArrowKeyToWireframeBesideBareDraw999x999WithRibbons(benchmark::State& state) {
    FramesBesideBareDraw999x999(state, true);
}
BENCHMARK(BM_ArrowKeyToWireframeBesideBareDraw999x999WithRibbons)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4);

// The "w" key, then the view's frame read back: solid and wireframe frames by turns.
void BM_WireframeKeyToFrame999x999WithRibbons(benchmark::State& state) {
    winquesa3d* view = ViewOf999Surface(state);
    if (view == nullptr)
        return;
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_W, Qt::NoModifier, QStringLiteral("w"));
        QCoreApplication::sendEvent(view->ContentWidget(), &press);
        benchmark::DoNotOptimize(view->rb3d.RenderToPicture().Width());
    }
    view->rb3d.Wireframe = false;
}
BENCHMARK(BM_WireframeKeyToFrame999x999WithRibbons)->Unit(benchmark::kMillisecond);

// Notes that its widget received a paint event.
class PaintSeen final : public QObject {
public:
    bool seen = false;
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        seen = seen || event->type() == QEvent::Paint;
        return false;
    }
};

// From the finished mesh to the terrain shown: the view closed, opened again on the meshes, until
// its first frame on the screen is drawn.
void BM_BuildToShown999x999WithRibbons(benchmark::State& state) {
    if (ViewOf999Surface(state) == nullptr)
        return;
    for (auto _ : state) {
        rt::CloseIfOpen<winquesa3d>();
        winquesa3d& view = rt::Instance<winquesa3d>();
        PaintSeen paint;
        view.rb3d.Widget()->installEventFilter(&paint);
        const QDeadlineTimer deadline(20000);
        while (!paint.seen && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        view.rb3d.Widget()->removeEventFilter(&paint);
    }
}
BENCHMARK(BM_BuildToShown999x999WithRibbons)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
