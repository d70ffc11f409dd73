#include "export/createstogdl.h"

#include <cstdint>
#include <string>

#include "export/writesupport.h"
#include "model/globali.h"
#include "model/terrainpanel.h"
#include "rt/runtime.h"
#include "rt/window.h"
#include "views/fincontrol.h"

bool globali::createstogdl(const rt::FolderItem& f) {
    if (!exportfile::GridComplete())
        return false;
    const auto stream = exportfile::CreateOrReport(f, "text/plain");
    if (!stream)
        return false;
    mesh = rt::Instance<fincontrol>().CheckBox1.Value() ? 63 : 127;

    const std::int64_t nodesX = std::int64_t{mxtot} + 1;
    const std::int64_t nodesY = std::int64_t{mytot} + 1;
    stream->Write("MESH " + rt::Str(dx) + ", " + rt::Str(dy) + ", " + std::to_string(nodesX) + ", " +
                  std::to_string(nodesY) + ", " + rt::Str(mesh) + ", \r");

    TerrainPanel::Current().SetProgressMaximum(100);
    std::string pending;
    std::int32_t count = 0;
    for (std::int32_t j = 0; j <= mytot; ++j) {
        for (std::int32_t i = 0; i <= mxtot; ++i) {
            pending += rt::Str(mz(i, j));
            if (i != mxtot || j != mytot)
                pending += ", ";
            if (++count == 10) {
                count = 0;
                pending += '\r';
                stream->Write(pending);
                pending.clear();
            }
            rt::RuntimeBackgroundTask();
        }
        pending += '\r';
        stream->Write(pending);
        pending.clear();
        exportfile::ShowProgress(exportfile::Percent(std::int64_t{j} * 100, mytot));
        rt::RuntimeBackgroundTask();
    }
    exportfile::ShowProgress(0);
    if (!stream->Close()) {
        exportfile::ReportWriteFailure();
        return false;
    }
    return true;
}
