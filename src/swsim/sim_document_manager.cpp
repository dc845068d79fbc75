#include "swsim/sim_document_manager.h"

#include <algorithm>
#include <utility>

#include "engine/platform/file_system.h"
#include "engine/platform/ini_document.h"
#include "engine/platform/platform_error.h"
#include "swsim/model/document_model.h"
#include "swsim/preview_picture.h"

namespace quorrix::swsim {

namespace {

using engine::DmPicture;

enum class StoredPreview { Bitmap, Png, None };

// Which preview the document says it stores; files not in the stand-in's format store a
// bitmap, like the default model they open with.
StoredPreview storedPreview(const std::string& bytes)
{
    if (bytes.find('\0') != std::string::npos)
        return StoredPreview::Bitmap;
    const auto ini = engine::IniDocument::parse(bytes);
    if (!ini.hasSection("Document"))
        return StoredPreview::Bitmap;
    const std::string stored = engine::foldCase(ini.get("Preview", "Stored").value_or(""));
    if (stored == "png")
        return StoredPreview::Png;
    if (stored == "none")
        return StoredPreview::None;
    return StoredPreview::Bitmap;
}

bool isAbsolutePath(const std::string& path)
{
    if (path.starts_with('/') || path.starts_with('\\'))
        return true;
    return path.size() >= 2 && path[1] == ':'
        && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// A relative component file is taken from the assembly's folder, written with the
// separator the assembly's path uses, so the path comes back in the form the vendor's
// Document Manager gives: full and in the platform's spelling.
std::string componentPath(const std::string& assemblyPath, const std::string& file)
{
    if (isAbsolutePath(file))
        return file;
    const std::size_t end = assemblyPath.find_last_of("/\\");
    if (end == std::string::npos)
        return file;
    const char separator = assemblyPath[end];
    std::string path = assemblyPath.substr(0, end + 1) + file;
    for (std::size_t i = end + 1; i < path.size(); ++i) {
        if (path[i] == '/' || path[i] == '\\')
            path[i] = separator;
    }
    return path;
}

bool isDocumentType(std::int32_t type)
{
    return type == engine::kSwDocPart || type == engine::kSwDocAssembly
        || type == engine::kSwDocDrawing;
}

} // namespace

struct SimDocumentManager::State {
    State(engine::FileSystem& fileSystem, std::optional<std::string> accessString)
        : files(fileSystem)
        , acceptedAccessString(std::move(accessString))
    {
    }

    engine::FileSystem& files;
    std::optional<std::string> acceptedAccessString;
    bool installed = true;
    std::vector<std::string> calls;
};

namespace {

using State = SimDocumentManager::State;

class SimDMDocument : public engine::SwDMDocument {
public:
    SimDMDocument(
        std::shared_ptr<State> state, std::string path, DocumentModel model, StoredPreview stored)
        : m_state(std::move(state))
        , m_path(std::move(path))
        , m_model(std::move(model))
        , m_stored(stored)
    {
    }

    std::optional<DmPicture> GetPreviewBitmap(std::int32_t& result) override
    {
        m_state->calls.push_back("GetPreviewBitmap");
        return answer(m_stored == StoredPreview::Bitmap, result);
    }

    std::optional<DmPicture> GetPreviewPNGBitmap(std::int32_t& result) override
    {
        m_state->calls.push_back("GetPreviewPNGBitmap");
        return answer(m_stored != StoredPreview::None, result);
    }

    // Every configuration of a stand-in assembly has the same components.
    std::optional<std::vector<engine::DmComponent>> GetComponents(
        const std::string& configurationName) override
    {
        m_state->calls.push_back("GetComponents(" + configurationName + ")");
        const auto& names = m_model.configurations;
        if (m_model.type != engine::kSwDocAssembly
            || (!configurationName.empty()
                && std::find(names.begin(), names.end(), configurationName) == names.end()))
            return std::nullopt;
        std::vector<engine::DmComponent> components;
        components.reserve(m_model.components.size());
        for (const ComponentModel& component : m_model.components) {
            components.push_back({ componentPath(m_path, component.file), component.configuration,
                component.suppressed,
                component.excluded ? engine::kDmExcludeFromBomTrue
                                   : engine::kDmExcludeFromBomFalse });
        }
        return components;
    }

private:
    std::optional<DmPicture> answer(bool stored, std::int32_t& result) const
    {
        if (!stored) {
            result = engine::kDmPreviewErrorNoPreview;
            return std::nullopt;
        }
        result = engine::kDmPreviewErrorNone;
        return renderPreview(m_model);
    }

    std::shared_ptr<State> m_state;
    std::string m_path;
    DocumentModel m_model;
    StoredPreview m_stored;
};

class SimDMApplication : public engine::SwDMApplication {
public:
    explicit SimDMApplication(std::shared_ptr<State> state)
        : m_state(std::move(state))
    {
    }

    std::shared_ptr<engine::SwDMDocument> GetDocument(const std::string& fullPathName,
        std::int32_t docType, bool allowReadOnly, std::int32_t& openError) override
    {
        m_state->calls.push_back("GetDocument(" + fullPathName + "," + std::to_string(docType) + ","
            + (allowReadOnly ? "1" : "0") + ")");
        openError = engine::kDmDocumentOpenErrorFail;
        if (!isDocumentType(docType))
            return nullptr;
        std::optional<std::string> bytes;
        try {
            if (m_state->files.isPlainFile(fullPathName))
                bytes = m_state->files.readBytes(fullPathName);
        } catch (const engine::PlatformError&) {
            return nullptr; // unreadable: a plain failure to open
        }
        if (!bytes) {
            openError = engine::kDmDocumentOpenErrorFileNotFound;
            return nullptr;
        }
        DocumentModel model = parseDocumentModel(fullPathName, *bytes);
        if (model.type != docType)
            return nullptr;
        openError = engine::kDmDocumentOpenErrorNone;
        return std::make_shared<SimDMDocument>(
            m_state, fullPathName, std::move(model), storedPreview(*bytes));
    }

private:
    std::shared_ptr<State> m_state;
};

class SimDMClassFactory : public engine::SwDMClassFactory {
public:
    explicit SimDMClassFactory(std::shared_ptr<State> state)
        : m_state(std::move(state))
    {
    }

    std::shared_ptr<engine::SwDMApplication> GetApplication(
        const std::string& accessString) override
    {
        m_state->calls.push_back("GetApplication");
        const bool accepted = m_state->acceptedAccessString
            ? accessString == *m_state->acceptedAccessString
            : !accessString.empty();
        if (!accepted)
            return nullptr;
        return std::make_shared<SimDMApplication>(m_state);
    }

private:
    std::shared_ptr<State> m_state;
};

} // namespace

SimDocumentManager::SimDocumentManager(
    engine::FileSystem& files, std::optional<std::string> acceptedAccessString)
    : m_state(std::make_shared<State>(files, std::move(acceptedAccessString)))
{
}

SimDocumentManager::~SimDocumentManager() = default;

std::shared_ptr<engine::SwDMClassFactory> SimDocumentManager::createClassFactory(
    const std::string& className)
{
    m_state->calls.push_back("createClassFactory(" + className + ")");
    // Class names are looked up without regard to case, as the registry does.
    if (!m_state->installed
        || !engine::equalsIgnoringCase(className, engine::kDocumentManagerClassName))
        return nullptr;
    return std::make_shared<SimDMClassFactory>(m_state);
}

void SimDocumentManager::setInstalled(bool installed)
{
    m_state->installed = installed;
}

const std::vector<std::string>& SimDocumentManager::calls() const
{
    return m_state->calls;
}

void SimDocumentManager::clearCalls()
{
    m_state->calls.clear();
}

} // namespace quorrix::swsim
