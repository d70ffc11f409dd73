// The reader of a CAD drawing's tab-separated text export: each text object becomes a spot height.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "input/loadedsurvey.h"
#include "input/readers.h"
#include "model/inizio.h"
#include "rt/conv.h"
#include "rt/dialogs.h"
#include "rt/folderitem.h"
#include "rt/runtime.h"
#include "rt/textcompare.h"

namespace {

// A line holds fields 1 to 18, each ended by a tab; text after the last tab, and any field
// after the eighteenth, is not read.
constexpr std::size_t kFields = 18;
constexpr std::size_t kKind = 6;
constexpr std::size_t kX = 7;
constexpr std::size_t kY = 8;
constexpr std::size_t kLabel = 18;

using Fields = std::array<std::string_view, kFields + 1>; // [0] unused: fields count from 1

Fields SplitFields(std::string_view line) {
    Fields fields{};
    std::size_t start = 0;
    for (std::size_t number = 1; number <= kFields; ++number) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos)
            break;
        fields[number] = line.substr(start, tab - start);
        start = tab + 1;
    }
    return fields;
}

// Commas are decimal signs here; points stay as they are. The rewritten text keeps its room
// from field to field.
double CommaVal(std::string_view field, std::string& rewritten) {
    rewritten.assign(field);
    std::replace(rewritten.begin(), rewritten.end(), ',', '.');
    return rt::Val(rewritten);
}

} // namespace

namespace Inizio {

void apripcaddtesto() {
    const auto file = rt::GetOpenFolderItem("text/plain");
    if (!file)
        return;
    const auto stream = file->OpenAsTextFile();
    if (!stream) {
        ReportReadFailure();
        return;
    }

    LoadedSurvey survey;
    bool anyLine = false;
    std::string rewritten;
    std::string_view line;
    while (stream->NextLine(line)) {
        anyLine = true;
        const Fields fields = SplitFields(line);
        if (rt::TextEquals(fields[kKind], "text")) {
            const double x = CommaVal(fields[kX], rewritten);
            const double y = -CommaVal(fields[kY], rewritten);
            survey.AddLonePoint(x, y, CommaVal(fields[kLabel], rewritten));
        }
        rt::RuntimeBackgroundTask();
    }
    const bool failed = stream->ReadFailed();
    stream->Close();
    if (failed)
        ReportReadFailure();
    if (failed || !anyLine)
        return;

    survey.MoveIntoSharedData();
    mostra2d();
}

} // namespace Inizio
