#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/swlink/solidworks.h"
#include "swsim/model/installation.h"

namespace quorrix::swsim {

struct ViewModel {
    std::int16_t mode = 3; // display mode
    bool facetted = false; // facetted hidden-line display
    bool edges = false; // edges in shaded mode
    bool useParent = true; // uses the parent view's display mode
    bool operator==(const ViewModel&) const = default;
};

struct SheetModel {
    std::string name;
    std::int32_t paperSize = 8; // element 0 of GetProperties
    double width = 0.42; // metres
    double height = 0.297; // metres
    std::vector<ViewModel> views;
    bool operator==(const SheetModel&) const = default;
};

// One component of an assembly, as its [Component.N] section describes it.
struct ComponentModel {
    std::string file; // as written: a relative path is taken from the assembly's folder
    std::string configuration = "Default";
    bool suppressed = false;
    bool excluded = false; // excluded from the bill of materials
    bool operator==(const ComponentModel&) const = default;
};

// Faults a document file asks the stand-in to inject while that document is open.
struct DocumentFaults {
    std::optional<std::int32_t> openError; // OpenDoc2 gives nothing with this error code
    std::set<std::string> activateSheet; // sheets that do not activate
    std::int32_t saveError = 0; // every save fails with this code; 0: saves work
    std::set<std::string> raise; // members that always raise an automation error
    std::set<std::string> raiseOnce; // members that raise the first time they are called
    std::map<std::string, int> delayMilliseconds; // time spent in a member
    // Real time spent in a member, cut short when the program ends this SolidWorks.
    std::map<std::string, int> slowMilliseconds;
    std::set<std::string> hang; // members that return only when SolidWorks is ended
    bool noExportData = false; // GetExportFileData gives nothing while active
    bool emptyOutput = false; // saves report success but leave an empty file
    bool noOutput = false; // saves report success but write nothing at all
    // Preference sets refused while this document is active, as the installation's.
    std::set<std::string> refusedPreferences;
    // Calls refused as busy once the document is open, as while SolidWorks shows a dialog;
    // only the automation server refuses them.
    int busyCalls = 0;
    bool operator==(const DocumentFaults&) const = default;
};

// What the stand-in knows of one document file.
struct DocumentModel {
    std::int32_t type = engine::kSwDocNone; // 1 part, 2 assembly, 3 drawing
    std::string title;
    std::vector<std::string> configurations;
    std::vector<SheetModel> sheets; // drawings only, in sheet order
    std::vector<ComponentModel> components; // assemblies only, in the assembly's order
    DocumentFaults faults;
    Preferences preferences; // document properties (line weights 48-55) from [Preferences]
    bool operator==(const DocumentModel&) const = default;
};

// The document type a path's extension names (".sldprt", ".sldasm", ".slddrw", any case);
// kSwDocNone for any other.
std::int32_t documentTypeFromPath(const std::string& path);

// The model of a file that is not in the stand-in's format (or is broken): a drawing with
// one A3 landscape sheet "Sheet1" and one view, or a part or assembly with the
// configuration "Default"; the title is the file name.
DocumentModel defaultDocumentModel(const std::string& path);

// Reads a document file's text. Text in the stand-in's format gives its model, anything
// else (binary, empty, malformed) gives the default model; it never throws.
DocumentModel parseDocumentModel(const std::string& path, const std::string& bytes);

} // namespace quorrix::swsim
