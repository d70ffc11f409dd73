#include "model/terrainpanel.h"

#include <stdexcept>

namespace {
TerrainPanel* installed = nullptr;
} // namespace

TerrainPanel& TerrainPanel::Current() {
    if (installed == nullptr)
        throw std::logic_error("the terrain routines have no control panel installed");
    return *installed;
}

TerrainPanel* TerrainPanel::Install(TerrainPanel* panel) {
    TerrainPanel* const previous = installed;
    installed = panel;
    return previous;
}
