#include "export/createstoxyz.h"

#include <cstdint>
#include <string>

#include "export/writesupport.h"
#include "model/globali.h"
#include "model/terrainpanel.h"
#include "rt/runtime.h"

bool globali::createstoxyz(const rt::FolderItem& f) {
    if (!exportfile::GridComplete())
        return false;
    const auto stream = exportfile::CreateOrReport(f, "text/plain");
    if (!stream)
        return false;
    TerrainPanel::Current().SetProgressMaximum(100);
    std::string line;
    for (std::int32_t i = 0; i <= mxtot; ++i) {
        for (std::int32_t j = 0; j <= mytot; ++j) {
            line = rt::Str(mx(i, j));
            line += '\t';
            line += rt::Str(my(i, j));
            line += '\t';
            line += rt::Str(mz(i, j));
            line += '\r';
            stream->Write(line);
            rt::RuntimeBackgroundTask();
        }
        exportfile::ShowProgress(exportfile::Percent(std::int64_t{i} * 100, mxtot));
        rt::RuntimeBackgroundTask();
    }
    if (!stream->Close()) {
        exportfile::ShowProgress(0);
        exportfile::ReportWriteFailure();
        return false;
    }
    return true;
}
