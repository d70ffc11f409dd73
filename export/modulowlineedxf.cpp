#include "export/modulowlineedxf.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "export/finscrivilinee.h"
#include "export/writesupport.h"
#include "model/globali.h"
#include "model/modulodxf.h"
#include "rt/runtime.h"

namespace {

// Lines inside a piece end with CR LF; the piece's last line gets its CR here and its LF from
// the text stream.
constexpr std::string_view kLineEnd = "\r\n";

std::string Joined(std::initializer_list<std::string_view> lines) {
    std::string text;
    bool first = true;
    for (const std::string_view line : lines) {
        if (!first)
            text += kLineEnd;
        text += line;
        first = false;
    }
    return text;
}

void WritePiece(rt::TextOutputStream& stream, std::string piece) {
    piece += '\r';
    stream.WriteLine(piece);
}

// Writes the polyline of table row k, when it has two or more points; vertices outside the
// point set are left out.
void WriteRow(rt::TextOutputStream& stream, std::int32_t k) {
    using modulodxf::dxfpn;
    if (!dxfpn.InRange(k, 1) || dxfpn(k, 1) <= 0)
        return;
    const std::int64_t first = dxfpn(k, 0);
    const std::int64_t last = first + dxfpn(k, 1);
    const std::int64_t points = static_cast<std::int64_t>(std::min(globali::px.size(), globali::py.size()));
    WritePiece(stream, ModuloWLineeDXF::scrivipolilineastart());
    for (std::int64_t p = std::max<std::int64_t>(first, 0); p <= last && p < points; ++p) {
        const auto index = static_cast<std::size_t>(p);
        WritePiece(stream, ModuloWLineeDXF::scrivipolilineapunto(globali::px[index], globali::py[index]));
        rt::RuntimeBackgroundTask();
    }
    WritePiece(stream, ModuloWLineeDXF::scrivipolilineaend());
}

} // namespace

namespace ModuloWLineeDXF {

bool scrivilinee(const std::optional<rt::FolderItem>& file) {
    if (!file)
        return false;
    finscrivilinee& window = rt::Instance<finscrivilinee>();
    window.Show();
    const std::int32_t rows = modulodxf::dxfcounter;
    // The bar keeps a range of at least one step, its value within it, also for an empty table.
    window.ProgressBar1.SetMaximum(std::max(rows, 1));
    window.ProgressBar1.SetValue(std::min(rows, 1));

    const auto stream = file->CreateTextFile();
    if (!stream) {
        window.Close();
        exportfile::ReportWriteFailure();
        return false;
    }
    WritePiece(*stream, intestazionedxf());
    for (std::int32_t k = 1; k <= rows; ++k) {
        WriteRow(*stream, k);
        window.RefreshChanged();
        window.ProgressBar1.SetValue(k);
        rt::RuntimeBackgroundTask();
    }
    WritePiece(*stream, finefiledxf());
    const bool closed = stream->Close();
    window.Close();
    if (!closed) {
        exportfile::ReportWriteFailure();
        return false;
    }
    return true;
}

std::string intestazionedxf() {
    return Joined({"999", "DXF Writing Engine from Tamborvelt Software House",
                   "0",   "SECTION",
                   "2",   "HEADER",
                   "9",   "$ACADVER",
                   "1",   "AC1009",
                   "0",   "ENDSEC",
                   "0",   "SECTION",
                   "2",   "TABLES",
                   "0",   "TABLE",
                   "2",   "LAYER",
                   "70",  "128",
                   "0",   "LAYER",
                   "2",   "LAYER",
                   "70",  "0",
                   "6",   "CONTINUOUS",
                   "62",  "1",
                   "0",   "ENDTAB",
                   "0",   "ENDSEC",
                   "0",   "SECTION",
                   "2",   "ENTITIES"});
}

std::string scrivipolilineastart() {
    return Joined({"0", "POLYLINE", "8", "LAYER", "66", "1"});
}

std::string scrivipolilineapunto(double x, double y) {
    return Joined({"0", "VERTEX", "8", "LAYER", "10", rt::Str(x), "20", rt::Str(y)});
}

std::string scrivipolilineaend() {
    return Joined({"0", "SEQEND"});
}

std::string finefiledxf() {
    return Joined({"0", "ENDSEC", "0", "EOF"});
}

} // namespace ModuloWLineeDXF
