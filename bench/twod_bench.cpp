// The 2D working mode with 100 000 lone points: the switch (fit and drawing), a full repaint of
// the editor, and the hit test of a press among all its items; and a repaint of 100 000 segments.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include <cstdint>

#include "input/fin_edita.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/window.h"

namespace {

constexpr std::int32_t kPoints = 100000;

// Lone points on a 400 x 250 lattice, each its own row, on a 1280 x 1024 screen.
void SetUpPoints() {
    globali::scrx = 1107;
    globali::scry = 971;
    Inizio::azzeradati();
    globali::px.resize(kPoints);
    globali::py.resize(kPoints);
    globali::pz.resize(kPoints);
    modulodxf::dxfpn.Redim(kPoints, 1);
    for (std::int32_t i = 0; i < kPoints; ++i) {
        globali::px[i] = 2.5 * (i % 400);
        globali::py[i] = 4.0 * (i / 400);
        globali::pz[i] = i % 97;
        modulodxf::dxfpn(i + 1, 0) = i;
        modulodxf::dxfpn(i + 1, 1) = 0;
    }
    globali::ptot = kPoints - 1;
    modulodxf::dxfcounter = kPoints;
}

void Discard() {
    rt::WindowRegistry::DiscardAll();
    QCoreApplication::processEvents();
}

void BM_Mostra2dLonePoints(benchmark::State& state) {
    SetUpPoints();
    for (auto _ : state) {
        Inizio::mostra2d();
        // The first paint of the editor, with every item.
        QCoreApplication::processEvents();
        state.PauseTiming();
        Discard();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Mostra2dLonePoints)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_EditorRepaint(benchmark::State& state) {
    SetUpPoints();
    Inizio::mostra2d();
    QCoreApplication::processEvents();
    fin_edita& editor = rt::Instance<fin_edita>();
    for (auto _ : state)
        editor.Refresh();
    Discard();
}
BENCHMARK(BM_EditorRepaint)->Unit(benchmark::kMillisecond);

// 1000 contours of 100 vertices each, zigzagging across the editor.
void SetUpContours() {
    SetUpPoints();
    modulodxf::dxfpn.Redim(kPoints / 100, 1);
    for (std::int32_t r = 0; r < kPoints / 100; ++r) {
        modulodxf::dxfpn(r + 1, 0) = r * 100;
        modulodxf::dxfpn(r + 1, 1) = 99;
        for (std::int32_t v = 0; v < 100; ++v) {
            globali::px[static_cast<std::size_t>(r * 100 + v)] = 10.0 * v;
            globali::py[static_cast<std::size_t>(r * 100 + v)] = r + 5.0 * (v % 2);
        }
    }
    modulodxf::dxfcounter = kPoints / 100;
}

void BM_EditorRepaintContours(benchmark::State& state) {
    SetUpContours();
    Inizio::mostra2d();
    QCoreApplication::processEvents();
    fin_edita& editor = rt::Instance<fin_edita>();
    for (auto _ : state)
        editor.Refresh();
    state.counters["segments"] = modulodxf::qlin;
    Discard();
}
BENCHMARK(BM_EditorRepaintContours)->Unit(benchmark::kMillisecond);

// A press with the select tool on an empty spot: every item is tested and none is hit.
void BM_EditorPressHitTest(benchmark::State& state) {
    SetUpPoints();
    Inizio::mostra2d();
    QCoreApplication::processEvents();
    QWidget* canvas = rt::Instance<fin_edita>().ContentWidget();
    const QPointF at(3, 3);
    for (auto _ : state) {
        QMouseEvent press(QEvent::MouseButtonPress, at, canvas->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, canvas->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &release);
    }
    Discard();
}
BENCHMARK(BM_EditorPressHitTest)->Unit(benchmark::kMicrosecond);

// Leaving the 2D working mode: the editor and its 100 000 items are discarded.
void BM_EditorDiscard(benchmark::State& state) {
    SetUpPoints();
    for (auto _ : state) {
        state.PauseTiming();
        Inizio::mostra2d();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        Discard();
    }
}
BENCHMARK(BM_EditorDiscard)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
