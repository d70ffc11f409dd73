#include "export/createstodxf.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "export/writesupport.h"
#include "model/globali.h"
#include "rt/runtime.h"

namespace {

// CAD programs read DXF lines ended by CR LF; a lone CR they do not.
constexpr std::string_view kLineEnd = "\r\n";

class DxfText {
public:
    DxfText& operator<<(std::string_view line) {
        text_ += line;
        text_ += kLineEnd;
        return *this;
    }
    const std::string& Text() const { return text_; }
    void Clear() { text_.clear(); }

private:
    std::string text_;
};

// The three coordinates of a node as text.
struct Corner {
    std::string x, y, z;
};

Corner NodeCorner(std::int32_t i, std::int32_t j) {
    return {rt::Str(globali::mx(i, j)), rt::Str(globali::my(i, j)), rt::Str(globali::mz(i, j))};
}

// One triangular face: the fourth corner repeats the third.
void Face(DxfText& out, const Corner& c0, const Corner& c1, const Corner& c2) {
    out << "3DFACE"
        << "8"
        << "mat1layer"
        << "62"
        << "1.000";
    out << "10" << c0.x << "20" << c0.y << "30" << c0.z;
    out << "11" << c1.x << "21" << c1.y << "31" << c1.z;
    out << "12" << c2.x << "22" << c2.y << "32" << c2.z;
    out << "13" << c2.x << "23" << c2.y << "33" << c2.z;
    out << "0";
}

std::string Header() {
    using namespace globali;
    DxfText out;
    out << "999"
        << "DXF created from Ambrelix";
    out << "0"
        << "SECTION"
        << "2"
        << "HEADER";
    out << "9"
        << "$EXTMIN"
        << "10" << rt::Str(xmin) << "20" << rt::Str(ymin) << "30" << rt::Str(zmin);
    out << "9"
        << "$EXTMAX"
        << "10" << rt::Str(xmax) << "20" << rt::Str(ymax) << "30" << rt::Str(zmax);
    out << "0"
        << "ENDSEC";
    out << "0"
        << "SECTION"
        << "2"
        << "BLOCKS"
        << "0"
        << "ENDSEC";
    out << "0"
        << "SECTION"
        << "2"
        << "ENTITIES"
        << "0";
    return out.Text();
}

} // namespace

bool globali::createstodxf(const rt::FolderItem& f) {
    exportfile::MeshFileWriter out;
    if (!exportfile::GridComplete() || !out.Create(f, "text/plain"))
        return false;
    out.Write(Header());
    DxfText cell;
    out.Rows(mytot - 1, mxtot - 1, {mytot}, [&](std::int32_t j, std::int32_t i) {
        const Corner lowLeft = NodeCorner(i, j);
        const Corner highRight = NodeCorner(i + 1, j + 1);
        cell.Clear();
        Face(cell, lowLeft, NodeCorner(i, j + 1), highRight);
        Face(cell, lowLeft, NodeCorner(i + 1, j), highRight);
        out.Write(cell.Text());
    });
    DxfText tail;
    tail << "ENDSEC"
         << "0"
         << "EOF";
    out.Write(tail.Text());
    return out.Close();
}
