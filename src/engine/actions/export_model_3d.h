#pragma once

#include <array>
#include <string>

#include "engine/actions/export_format.h"

namespace quorrix::engine {

struct ActionContext;
class SwApplication;
class SwDocument;

// The neutral 3D formats; SolidWorks picks its translator from the extension.
inline constexpr std::array<ExportFormat, 10> kExport3DFormats { {
    { "Parasolid files (*.x_t)", "x_t" },
    { "Parasolid binary files (*.x_b)", "x_b" },
    { "IGES (*.igs)", "igs" },
    { "STEP AP203 (*.step)", "step" },
    { "ACIS (*.sat)", "sat" },
    { "STL (*.stl)", "stl" },
    { "VRML (*.wrl)", "wrl" },
    { "Universal 3D (*.u3d)", "u3d" },
    { "3D XML (*.3dxml)", "3dxml" },
    { "Microsoft XAML (*.xaml)", "xaml" },
} };

// Saves a copy of a part or assembly as <folder><title without extension>.<extension>.
// Anything else gets an error line and is left open.
void ExportModel3D(ActionContext& context, const std::string& action, const std::string& extension,
    SwApplication& app, SwDocument& document, bool closeAfter, std::string& errorText,
    const std::string& fileName);

} // namespace quorrix::engine
