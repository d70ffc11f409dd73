#include "rt/conv.h"
#include "rt/picture.h"
#include "rt/scene3d.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace {

void BM_StrValRoundTrip(benchmark::State& state) {
    double value = 0.1234567;
    for (auto _ : state) {
        const std::string text = rt::Str(value);
        benchmark::DoNotOptimize(rt::Val(text));
        value += 1.0000001;
    }
}
BENCHMARK(BM_StrValRoundTrip);

// One painter per call: the price of each drawing operation on a picture.
void BM_PictureDrawLine(benchmark::State& state) {
    const rt::Picture picture = rt::Picture::New(800, 600);
    rt::Graphics& g = picture.Graphics();
    g.SetForeColor(0x336699);
    int i = 0;
    for (auto _ : state) {
        g.DrawLine(i % 800, 0, 799 - i % 800, 599);
        ++i;
    }
}
BENCHMARK(BM_PictureDrawLine);

void BM_PictureDrawShortLine(benchmark::State& state) {
    const rt::Picture picture = rt::Picture::New(800, 600);
    rt::Graphics& g = picture.Graphics();
    int i = 0;
    for (auto _ : state) {
        g.DrawLine(i % 790, i % 590, i % 790 + 5, i % 590 + 3);
        ++i;
    }
}
BENCHMARK(BM_PictureDrawShortLine);

void BM_GroupBoundsOfASurface(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto mesh = std::make_shared<rt::Trimesh>();
    mesh->SetVertexCount((n + 1) * (n + 1));
    for (int v = 0; v < (n + 1) * (n + 1); ++v)
        mesh->VertexPositions().SetXYZ(v, v % (n + 1), std::sin(v), v / (n + 1));
    rt::Group3D group;
    group.Append(mesh);
    for (auto _ : state) {
        group.ComputeBounds(2);
        benchmark::DoNotOptimize(group.Bounds());
    }
}
BENCHMARK(BM_GroupBoundsOfASurface)->Arg(100)->Arg(400);

} // namespace
