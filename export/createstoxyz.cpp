#include "export/createstoxyz.h"

#include <cstdint>
#include <string>

#include "export/writesupport.h"
#include "model/globali.h"
#include "rt/runtime.h"

bool globali::createstoxyz(const rt::FolderItem& f) {
    // The command sets the bar back to 0 once the file is closed.
    exportfile::MeshFileWriter out(exportfile::MeshFileWriter::BarAtClose::LeftToCaller);
    if (!exportfile::GridComplete() || !out.Create(f, "text/plain"))
        return false;
    std::string line;
    out.Rows(mxtot, mytot, {mxtot}, [&](std::int32_t i, std::int32_t j) {
        line = rt::Str(mx(i, j));
        line += '\t';
        line += rt::Str(my(i, j));
        line += '\t';
        line += rt::Str(mz(i, j));
        line += '\r';
        out.Write(line);
    });
    return out.Close();
}
