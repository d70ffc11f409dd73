// The reader of text files of X, Y, Z lines: one lone point per line.

#include <string>
#include <string_view>

#include "input/decimalcomma.h"
#include "input/loadedsurvey.h"
#include "input/readers.h"
#include "input/surveyreaders.h"
#include "model/inizio.h"
#include "rt/conv.h"
#include "rt/dialogs.h"
#include "rt/folderitem.h"
#include "rt/runtime.h"

namespace {

// The number of a field: as it stands, or in decimal-comma form.
class FieldNumbers {
public:
    explicit FieldNumbers(bool decimalComma) : decimalComma_(decimalComma) {}

    double operator()(std::string_view field) {
        return decimalComma_ ? DecimalCommaVal(field, rewritten_) : rt::Val(field);
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

// Adds the line's point: X, Y and Z are its first three tab-separated fields; further fields
// are not read.
void AddPoint(std::string_view line, FieldNumbers& number, LoadedSurvey& survey) {
    std::size_t pos = 0;
    const double x = number(NextField(line, pos));
    const double y = number(NextField(line, pos));
    const double z = number(NextField(line, pos));
    survey.AddLonePoint(x, y, z);
}

} // namespace

// A comma anywhere in the file puts the whole file in decimal-comma form. The file is read with
// decimal points until a line holds a comma, which most files never do; from such a line on,
// only the pass that read the points is dropped, and the file is read again in decimal-comma form.
bool ReadXyzFile(const rt::FolderItem& file, LoadedSurvey& survey) {
    const auto stream = file.OpenAsTextFile();
    if (!stream)
        return false;
    FieldNumbers decimalPoint(false);
    bool comma = false;
    std::string_view line;
    while (!comma && stream->NextLine(line)) {
        comma = line.find(',') != std::string_view::npos;
        if (!comma)
            AddPoint(line, decimalPoint, survey);
        rt::RuntimeBackgroundTask();
    }
    const bool failed = stream->ReadFailed();
    stream->Close();
    if (failed || !comma)
        return !failed;

    survey = LoadedSurvey();
    const auto again = file.OpenAsTextFile();
    if (!again)
        return false;
    FieldNumbers decimalComma(true);
    while (again->NextLine(line)) {
        AddPoint(line, decimalComma, survey);
        rt::RuntimeBackgroundTask();
    }
    const bool failedAgain = again->ReadFailed();
    again->Close();
    return !failedAgain;
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
