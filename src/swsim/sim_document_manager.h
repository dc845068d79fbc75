#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/swlink/document_manager.h"

namespace quorrix::engine {
class FileSystem;
} // namespace quorrix::engine

namespace quorrix::swsim {

// The Document Manager as the stand-in offers it. Documents are read through the file
// system port with the stand-in's document reader; a stand-in document may say which
// preview it stores:
//
//   [Preview]
//   Stored=bitmap   (default; both requests give the picture)
//             png   (only the PNG request does, as in files of newer revisions)
//             none  (both requests fail with kDmPreviewErrorNoPreview)
//
// An assembly's components are its [Component.N] sections (see docs/swsim.md), the same in
// every configuration; a relative file is given as a full path from the assembly's folder.
//
// Every call is recorded in calls(), e.g. "GetDocument(C:\a.SLDDRW,3,0)",
// "GetComponents(Default)".
class SimDocumentManager : public engine::DocumentManagerConnector {
public:
    // acceptedAccessString: the only access string GetApplication accepts; without one,
    // any access string that is not empty.
    explicit SimDocumentManager(
        engine::FileSystem& files, std::optional<std::string> acceptedAccessString = {});
    ~SimDocumentManager() override;

    std::shared_ptr<engine::SwDMClassFactory> createClassFactory(
        const std::string& className) override;

    // Not installed: no class factory is created.
    void setInstalled(bool installed);
    const std::vector<std::string>& calls() const;
    void clearCalls();

    struct State;

private:
    std::shared_ptr<State> m_state;
};

} // namespace quorrix::swsim
