// The reader of text files of X, Y, Z lines: one lone point per line.

#include <optional>
#include <string>
#include <string_view>

#include "input/loadedsurvey.h"
#include "model/inizio.h"
#include "rt/conv.h"
#include "rt/dialogs.h"
#include "rt/folderitem.h"
#include "rt/runtime.h"

namespace {

// A comma anywhere in the file puts the whole file in decimal-comma form. Nothing when the file
// cannot be read.
std::optional<bool> HoldsComma(const rt::FolderItem& file) {
    const auto stream = file.OpenAsTextFile();
    if (!stream)
        return std::nullopt;
    bool comma = false;
    while (!comma && !stream->Eof()) {
        comma = stream->ReadLine().find(',') != std::string::npos;
        rt::RuntimeBackgroundTask();
    }
    const bool failed = stream->ReadFailed();
    stream->Close();
    return failed ? std::nullopt : std::optional(comma);
}

// In decimal-comma form a comma is the decimal sign and points only group thousands.
double DecimalCommaVal(std::string_view text) {
    std::string rewritten;
    rewritten.reserve(text.size());
    for (const char c : text) {
        if (c == ',')
            rewritten.push_back('.');
        else if (c != '.')
            rewritten.push_back(c);
    }
    return rt::Val(rewritten);
}

// The text up to the next tab (or the end), and the position after that tab.
std::string_view NextField(std::string_view line, std::size_t& pos) {
    if (pos > line.size())
        return {};
    const std::size_t tab = line.find('\t', pos);
    const std::size_t end = tab == std::string_view::npos ? line.size() : tab;
    const std::string_view field = line.substr(pos, end - pos);
    pos = tab == std::string_view::npos ? line.size() + 1 : tab + 1;
    return field;
}

} // namespace

namespace Inizio {

void apritesto() {
    const auto file = rt::GetOpenFolderItem("text/plain");
    if (!file)
        return;
    const std::optional<bool> decimalComma = HoldsComma(*file);
    const auto stream = decimalComma ? file->OpenAsTextFile() : nullptr;
    if (!stream) {
        ReportReadFailure();
        return;
    }

    const auto number = *decimalComma ? DecimalCommaVal : rt::Val;
    LoadedSurvey survey;
    while (!stream->Eof()) {
        const std::string line = stream->ReadLine();
        // X, Y and Z are the first three tab-separated fields; further fields are not read.
        std::size_t pos = 0;
        const double x = number(NextField(line, pos));
        const double y = number(NextField(line, pos));
        const double z = number(NextField(line, pos));
        survey.AddLonePoint(x, y, z);
        rt::RuntimeBackgroundTask();
    }
    const bool failed = stream->ReadFailed();
    stream->Close();
    if (failed) {
        ReportReadFailure();
        return;
    }

    survey.MoveIntoSharedData();
    mostra2d();
}

} // namespace Inizio
