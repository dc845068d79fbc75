#include "swsim/sim_document_manager.h"

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
    SimDMDocument(std::shared_ptr<State> state, DocumentModel model, StoredPreview stored)
        : m_state(std::move(state))
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
        return std::make_shared<SimDMDocument>(m_state, std::move(model), storedPreview(*bytes));
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
