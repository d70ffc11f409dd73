#include "rt/picture.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

// A picture of the given size with something on it, as a scanned map would have.
rt::Picture Map(std::int32_t width, std::int32_t height) {
    const rt::Picture map = rt::Picture::New(width, height);
    map.Graphics().SetForeColor(0x202020);
    for (std::int32_t x = 3; x < width; x += 8)
        map.Graphics().DrawLine(x, 0, x, height - 1);
    return map;
}

// A window-sized backdrop drawn at its own size into another picture.
void BM_DrawPictureAtItsSize(benchmark::State& state) {
    const rt::Picture map = Map(1100, 850);
    const rt::Picture target = rt::Picture::New(1100, 850);
    for (auto _ : state) {
        target.Graphics().DrawPicture(map, 0, 0);
        benchmark::DoNotOptimize(target.Pixel(0, 0));
    }
}
BENCHMARK(BM_DrawPictureAtItsSize)->Unit(benchmark::kMillisecond);

// A scanned map shrunk to the 2D editor's size, smoothed.
void BM_DrawPictureShrunk(benchmark::State& state) {
    const rt::Picture map = Map(4000, 3000);
    const rt::Picture target = rt::Picture::New(1100, 825);
    for (auto _ : state) {
        target.Graphics().DrawPicture(map, 0, 0, 1100, 825, 0, 0, 4000, 3000);
        benchmark::DoNotOptimize(target.Pixel(0, 0));
    }
}
BENCHMARK(BM_DrawPictureShrunk)->Unit(benchmark::kMillisecond);

// The marks of the axonometric drawing: many 2 x 2 ovals.
void BM_DrawSmallOvals(benchmark::State& state) {
    const rt::Picture target = rt::Picture::New(800, 600);
    target.Graphics().SetForeColor(0x336699);
    std::int32_t i = 0;
    for (auto _ : state) {
        target.Graphics().DrawOval(i % 797, (i / 797) % 597, 2, 2);
        ++i;
    }
}
BENCHMARK(BM_DrawSmallOvals);

} // namespace
