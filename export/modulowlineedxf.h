#pragma once
// The DXF polyline writer: every polyline of two or more points of the polyline table becomes a
// POLYLINE of an AC1009 DXF file, its vertices in plan (X and Y only).

#include <optional>
#include <string>

#include "rt/folderitem.h"

namespace ModuloWLineeDXF {

// Writes the file under the progress window finscrivilinee; does nothing without a file. False,
// with the window closed, the user told and the partial file removed, when the file could not
// be written.
bool scrivilinee(const std::optional<rt::FolderItem>& file);

// The pieces of the file. Each is a text of lines separated by CR LF, with nothing after its
// last line: the writer ends each piece as a line of its own.
std::string intestazionedxf();
std::string scrivipolilineastart();
std::string scrivipolilineapunto(double x, double y);
std::string scrivipolilineaend();
std::string finefiledxf();

} // namespace ModuloWLineeDXF
