#include "export/createstogdl.h"

#include <cstdint>
#include <string>

#include "export/writesupport.h"
#include "model/globali.h"
#include "rt/runtime.h"
#include "rt/window.h"
#include "views/fincontrol.h"

bool globali::createstogdl(const rt::FolderItem& f) {
    exportfile::MeshFileWriter out;
    if (!exportfile::GridComplete() || !out.Create(f, "text/plain"))
        return false;
    mesh = rt::Instance<fincontrol>().CheckBox1.Value() ? 63 : 127;
    out.Write("MESH " + rt::Str(dx) + ", " + rt::Str(dy) + ", " + std::to_string(std::int64_t{mxtot} + 1) +
              ", " + std::to_string(std::int64_t{mytot} + 1) + ", " + rt::Str(mesh) + ", \r");

    // A line ends after every ten heights, counted across rows, and at the end of every row.
    std::string line;
    const auto endLine = [&] {
        line += '\r';
        out.Write(line);
        line.clear();
    };
    std::int32_t count = 0;
    out.Rows(mytot, mxtot, {mytot}, [&](std::int32_t j, std::int32_t i) {
        line += rt::Str(mz(i, j));
        if (i != mxtot || j != mytot)
            line += ", ";
        if (++count == 10) {
            count = 0;
            endLine();
        }
        if (i == mxtot)
            endLine();
    });
    return out.Close();
}
