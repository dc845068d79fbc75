#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorrix::engine {

class DocumentManagerConnector;
class FileSystem;
class SwDMApplication;

struct AssemblyPackageOptions {
    // Lists a document again wherever it occurs instead of once at its first place.
    bool everyOccurrence = false;
    // The models themselves (for a 3D export) instead of their drawings.
    bool models = false;
    // Where a drawing is looked for when none lies next to its model, in this order.
    std::vector<std::string> searchFolders {};
};

// A component whose file is not where the assembly says, nor beside the assembly.
struct MissingComponent {
    std::string file; // as the assembly names it
    std::string assembly; // the assembly that names it; empty for the assembly asked for
    bool operator==(const MissingComponent&) const = default;
};

struct UnreadableAssembly {
    enum class Reason {
        OpenError, // GetDocument gave nothing; code is its open error
        NoConfiguration, // the assembly has no configuration of the name a component gives
        AutomationError, // code is the error number, text its description
    };
    std::string path;
    Reason reason = Reason::OpenError;
    std::int64_t code = 0;
    std::string text; // the configuration's name or the error's description
    bool operator==(const UnreadableAssembly&) const = default;
};

// The documents of an assembly in the order of its indented bill of materials, and what
// stood in the way. Every list holds an entry once.
struct AssemblyPackage {
    std::vector<std::string> documents; // drawings, or models with the models option
    std::vector<MissingComponent> missing;
    std::vector<std::string> withoutDrawing; // models for which no drawing was found
    // Each cycle as the assemblies from the one referenced again to the one referencing it,
    // followed by the one referenced again.
    std::vector<std::vector<std::string>> cycles;
    std::vector<UnreadableAssembly> unreadable;
    bool noDocumentManager = false; // not installed, or the access string was refused
};

// Expands the assembly depth first in its own component order: the assembly, then each
// component, a subassembly followed by its own components. Suppressed components and
// those excluded from the bill of materials are left out, with everything below them.
// A model's drawing has its file name with the extension .SLDDRW (in any case), beside
// the model or else in the first search folder that has one. A component file that is
// not where the assembly says is looked for in the assembly's folder, as SolidWorks does.
// A file compares without regard to case, as on Windows. Never throws for a single
// document: an assembly the Document Manager cannot read, or that raises an automation
// error, is reported and the rest goes on.
AssemblyPackage ExpandAssembly(SwDMApplication& documentManager, FileSystem& files,
    const std::string& assemblyPath, const AssemblyPackageOptions& options);

// The same with fresh Document Manager objects, released at the end.
AssemblyPackage ExpandAssembly(DocumentManagerConnector& connector, const std::string& accessString,
    FileSystem& files, const std::string& assemblyPath, const AssemblyPackageOptions& options);

// The folders of the DrawingSearchFolders setting: separated by ";", blanks around each
// dropped, empty entries skipped.
std::vector<std::string> splitSearchFolders(std::string_view text);

} // namespace quorrix::engine
