// The reader of contour polylines from a DXF drawing: the X and Y of each vertex, the heights
// given by the caller, polyline by polyline in file order.
//
// The file is read as pairs of lines, a group code and its value, so that a value is never taken
// for a code. Three forms of polyline are known:
//   1  lightweight polylines: the subclass marker (100, AcDbPolyline) starts one, its vertices'
//      (10, X) and (20, Y) pairs follow it, and the next entity (code 0) ends it;
//   2  POLYLINE entities: (0, POLYLINE) starts one, each (0, VERTEX) starts a vertex, and any
//      other entity (SEQEND) ends it; the POLYLINE entity's own 10 and 20 are not read;
//   3  as 2, with subclass markers: (100, AcDb2dPolyline) starts one and a vertex's
//      (100, AcDb2dVertex) precedes its 10 and 20.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "input/loadedsurvey.h"
#include "input/readers.h"
#include "input/surveyreaders.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/conv.h"
#include "rt/dialogs.h"
#include "rt/folderitem.h"
#include "rt/runtime.h"
#include "rt/textcompare.h"

namespace {

class GroupReader {
public:
    explicit GroupReader(rt::TextInputStream& stream) : stream_(stream) {}

    // Reads the next group, whose value stands until the next read; false at the end of the
    // file, where a code without its value is dropped.
    bool Next() {
        std::string_view code;
        if (!stream_.NextLine(code))
            return false;
        code_ = rt::Val(code);
        if (!stream_.NextLine(value_))
            return false;
        rt::RuntimeBackgroundTask();
        return true;
    }

    bool Is(double code, std::string_view value) const {
        return code_ == code && rt::TextEquals(value_, value);
    }
    double Code() const { return code_; }
    std::string_view Value() const { return value_; }

private:
    rt::TextInputStream& stream_;
    double code_ = 0;
    std::string_view value_;
};

constexpr double kEntity = 0;
constexpr double kSubclass = 100;
constexpr double kX = 10;
constexpr double kY = 20;

class PolylineReader {
public:
    PolylineReader(std::int32_t form, double firstHeight, double heightStep, std::int32_t skip,
                   LoadedSurvey& survey)
        : form_(form), firstHeight_(firstHeight), heightStep_(heightStep), skip_(std::max(skip, 0)),
          survey_(survey) {}

    void Read(GroupReader& groups) {
        while (groups.Next())
            Take(groups);
    }

    void Take(const GroupReader& g) {
        if (StartsPolyline(g)) {
            survey_.StartRow();
            skipCounter_ = skip_;
            state_ = form_ == 1 ? State::AwaitX : State::AwaitVertex;
        } else if (g.Code() == kEntity) {
            EndEntity(g);
        } else if (form_ == 3 && state_ == State::AwaitVertex && g.Is(kSubclass, "AcDb2dVertex")) {
            state_ = State::AwaitX;
        } else if (g.Code() == kX && state_ == State::AwaitX) {
            TakeX(rt::Val(g.Value()));
            state_ = State::AwaitY;
        } else if (g.Code() == kY && state_ == State::AwaitY) {
            TakeY(rt::Val(g.Value()));
            state_ = form_ == 1 ? State::AwaitX : State::AwaitVertex;
        }
    }

private:
    enum class State { Outside, AwaitVertex, AwaitX, AwaitY };

    bool StartsPolyline(const GroupReader& g) const {
        switch (form_) {
        case 2:
            return g.Is(kEntity, "POLYLINE");
        case 3:
            return g.Is(kSubclass, "AcDb2dPolyline");
        default:
            return g.Is(kSubclass, "AcDbPolyline");
        }
    }

    // A new entity, or the end of a section, ends a lightweight polyline and a vertex.
    void EndEntity(const GroupReader& g) {
        if (form_ == 1) {
            // A polyline that ended its section without a vertex leaves no row.
            if (state_ == State::AwaitX && rt::TextEquals(g.Value(), "ENDSEC"))
                survey_.DropLastRowIfEmpty();
            state_ = State::Outside;
        } else if (state_ != State::Outside && rt::TextEquals(g.Value(), "VERTEX")) {
            state_ = form_ == 2 ? State::AwaitX : State::AwaitVertex;
        } else {
            state_ = State::Outside;
        }
    }

    double Height() const { return firstHeight_ + (survey_.RowCount() - 1) * heightStep_; }

    // A vertex that the skip passes over moves the polyline's last point, once it has two.
    void TakeX(double x) {
        if (skipCounter_ == skip_)
            survey_.AppendToLastRow(x, 0, Height());
        else if (survey_.LastRowLast() > 0)
            survey_.MoveLastPointX(x);
    }

    void TakeY(double y) {
        if (skipCounter_ == skip_) {
            skipCounter_ = 0;
            survey_.MoveLastPointYZ(y, Height());
        } else {
            ++skipCounter_;
            if (survey_.LastRowLast() > 0)
                survey_.MoveLastPointYZ(y, Height());
        }
    }

    const std::int32_t form_;
    const double firstHeight_;
    const double heightStep_;
    const std::int32_t skip_;
    std::int32_t skipCounter_ = 0;
    State state_ = State::Outside;
    LoadedSurvey& survey_;
};

// The form that a group marks, 2 or 3, or 0 when it marks none; the code's number is asked for
// only when the value names a form.
template <class Code> std::int32_t MarkedForm(std::string_view value, Code code) {
    if (rt::TextEquals(value, "POLYLINE") && code() == kEntity)
        return 2;
    if (rt::TextEquals(value, "AcDb2dPolyline") && code() == kSubclass)
        return 3;
    return 0;
}

// The form that the last marking group of the rest of the stream marks; `form` when none does.
// Group by group as GroupReader reads them, but most groups' codes are never read as numbers.
std::int32_t LastMarkedForm(rt::TextInputStream& stream, std::int32_t form) {
    std::string code;
    std::string_view line;
    while (stream.NextLine(line)) {
        code.assign(line);
        if (!stream.NextLine(line))
            break;
        if (const std::int32_t marked = MarkedForm(line, [&] { return rt::Val(code); }))
            form = marked;
        rt::RuntimeBackgroundTask();
    }
    return form;
}

// The form of polyline the file uses; nothing when the file cannot be read.
std::optional<std::int32_t> FormOf(const rt::FolderItem& file) {
    const auto stream = file.OpenAsTextFile();
    if (!stream)
        return std::nullopt;
    const std::int32_t form = LastMarkedForm(*stream, 1);
    const bool failed = stream->ReadFailed();
    stream->Close();
    return failed ? std::nullopt : std::optional(form);
}

} // namespace

// Most drawings hold lightweight polylines, so the file is read as such until a group marks one
// of the other forms. From that group on, the readers of both other forms take the rest of the
// file (neither takes anything before its first polyline, which is or follows that group), and the
// last marking group picks the one whose points are kept: one pass for every form.
bool ReadDxfFile(const rt::FolderItem& file, double firstHeight, double heightStep, std::int32_t skip,
                 LoadedSurvey& survey) {
    const auto stream = file.OpenAsTextFile();
    if (!stream)
        return false;
    PolylineReader lightweight(1, firstHeight, heightStep, skip, survey);
    LoadedSurvey entities, subclassed;
    PolylineReader entityReader(2, firstHeight, heightStep, skip, entities);
    PolylineReader subclassReader(3, firstHeight, heightStep, skip, subclassed);
    GroupReader groups(*stream);
    std::int32_t form = 1;
    while (groups.Next()) {
        if (const std::int32_t marked = MarkedForm(groups.Value(), [&] { return groups.Code(); }))
            form = marked;
        if (form == 1) {
            lightweight.Take(groups);
        } else {
            entityReader.Take(groups);
            subclassReader.Take(groups);
        }
    }
    const bool failed = stream->ReadFailed();
    stream->Close();
    if (failed)
        return false;
    if (form != 1)
        survey = std::move(form == 2 ? entities : subclassed);
    return true;
}

namespace modulodxf {

std::int32_t capiscidxf(const rt::FolderItem& file) {
    return FormOf(file).value_or(1);
}

void leggidxf(double firstHeight, double heightStep, std::int32_t skip) {
    const auto file = rt::GetOpenFolderItem("special/any");
    if (!file)
        return;
    LoadedSurvey survey;
    if (!ReadDxfFile(*file, firstHeight, heightStep, skip, survey)) {
        ReportReadFailure();
        return;
    }
    survey.MoveIntoSharedData();
    Inizio::mostra2d();
}

} // namespace modulodxf
