// The reader of text files of X, Y, Z lines: one lone point per line.

#include <optional>
#include <string>
#include <string_view>

#include "input/loadedsurvey.h"
#include "input/surveyreaders.h"
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
    std::string_view line;
    while (!comma && stream->NextLine(line)) {
        comma = line.find(',') != std::string_view::npos;
        rt::RuntimeBackgroundTask();
    }
    const bool failed = stream->ReadFailed();
    stream->Close();
    return failed ? std::nullopt : std::optional(comma);
}

// The number of a field: as it stands, or in decimal-comma form, where a comma is the decimal
// sign and points only group thousands, after that rewrite.
class FieldNumbers {
public:
    explicit FieldNumbers(bool decimalComma) : decimalComma_(decimalComma) {}

    double operator()(std::string_view field) {
        if (!decimalComma_)
            return rt::Val(field);
        rewritten_.clear();
        for (const char c : field) {
            if (c == ',')
                rewritten_.push_back('.');
            else if (c != '.')
                rewritten_.push_back(c);
        }
        return rt::Val(rewritten_);
    }

private:
    const bool decimalComma_;
    std::string rewritten_; // kept from field to field, so that its room is allocated once
};

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

bool ReadXyzFile(const rt::FolderItem& file, LoadedSurvey& survey) {
    const std::optional<bool> decimalComma = HoldsComma(file);
    const auto stream = decimalComma ? file.OpenAsTextFile() : nullptr;
    if (!stream)
        return false;
    FieldNumbers number(*decimalComma);
    std::string_view line;
    while (stream->NextLine(line)) {
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
    return !failed;
}

namespace Inizio {

void apritesto() {
    const auto file = rt::GetOpenFolderItem("text/plain");
    if (!file)
        return;
    LoadedSurvey survey;
    if (!ReadXyzFile(*file, survey)) {
        ReportReadFailure();
        return;
    }
    survey.MoveIntoSharedData();
    mostra2d();
}

} // namespace Inizio
