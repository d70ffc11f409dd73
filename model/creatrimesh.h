#pragma once

namespace globali {

// Builds the 3D surface mesh terreno from the height grid and, when the control panel asks for
// them, the contour ribbons tercurva; both are replaced by new meshes.
void creatrimesh();

} // namespace globali
