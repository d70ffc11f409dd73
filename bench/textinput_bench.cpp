// The text input stream over 96 MB of text, and the XYZ reader's pass over it: one line without a
// line end beside the same bytes in lines of 4 KB. Each byte is searched once however long its
// line, so what the one line costs beyond the short ones is the memory that holds it: the buffer
// grows by moving its pages, and the one line should stay within 6 times the short ones.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "input/loadedsurvey.h"
#include "input/surveyreaders.h"
#include "rt/folderitem.h"

namespace {

constexpr std::size_t kTextBytes = 96 * 1024 * 1024;

// A file of letters that lives as long as the benchmark binary, with an LF closing every line
// of `lineLength` bytes; a length of 0 makes the whole file one line without an end.
std::string LettersFile(std::size_t lineLength) {
    static QTemporaryDir folder;
    std::string text(kTextBytes, 'x');
    if (lineLength > 0)
        for (std::size_t end = lineLength - 1; end < text.size(); end += lineLength)
            text[end] = '\n';
    const std::string path = folder.filePath(QString("letters-%1.txt").arg(lineLength)).toStdString();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

void BM_TextInputLines(benchmark::State& state) {
    const std::string path = LettersFile(static_cast<std::size_t>(state.range(0)));
    std::int64_t lines = 0;
    for (auto _ : state) {
        const auto stream = rt::FolderItem(path).OpenAsTextFile();
        std::string_view line;
        std::size_t read = 0;
        lines = 0;
        while (stream->NextLine(line)) {
            read += line.size();
            ++lines;
        }
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kTextBytes));
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_TextInputLines)->ArgName("line")->Arg(0)->Arg(4096)->Unit(benchmark::kMillisecond);

void BM_ReadXyzFileLines(benchmark::State& state) {
    const std::string path = LettersFile(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        LoadedSurvey survey;
        benchmark::DoNotOptimize(ReadXyzFile(rt::FolderItem(path), survey));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kTextBytes));
}
BENCHMARK(BM_ReadXyzFileLines)->ArgName("line")->Arg(0)->Arg(4096)->Unit(benchmark::kMillisecond);

} // namespace
