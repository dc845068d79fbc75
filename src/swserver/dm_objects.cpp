#include "swserver/dm_objects.h"

#include <cstring>
#include <optional>
#include <utility>

#include "swserver/server_state.h"

namespace quorrix::swserver {

namespace {

VARIANT byteArray(const std::vector<std::uint8_t>& bytes)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array)
        throw engine::AutomationError(E_OUTOFMEMORY, "Out of memory");
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    std::memcpy(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(array);
    VARIANT value;
    value.vt = VT_ARRAY | VT_UI1;
    value.parray = array;
    return value;
}

void answerPicture(
    Invocation& call, const std::optional<engine::DmPicture>& picture, std::int32_t result)
{
    call.setRef(0, result);
    if (picture && picture->isValid())
        call.result(byteArray(bitmapFileBytes(*picture)));
    else
        call.result(static_cast<IDispatch*>(nullptr));
}

// Objects as COM hands out a list of them: an array of IDispatch, each holding a reference.
VARIANT objectArray(const std::vector<IDispatch*>& objects)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_DISPATCH, 0, static_cast<ULONG>(objects.size()));
    if (!array) {
        for (IDispatch* object : objects)
            object->Release();
        throw engine::AutomationError(E_OUTOFMEMORY, "Out of memory");
    }
    for (LONG i = 0; i < static_cast<LONG>(objects.size()); ++i) {
        IDispatch* object = objects[static_cast<std::size_t>(i)];
        SafeArrayPutElement(array, &i, object); // takes a reference of its own
        object->Release();
    }
    VARIANT value;
    value.vt = VT_ARRAY | VT_DISPATCH;
    value.parray = array;
    return value;
}

} // namespace

std::vector<std::uint8_t> bitmapFileBytes(const engine::DmPicture& picture)
{
    BITMAPFILEHEADER file {};
    BITMAPINFOHEADER info {};
    const std::size_t pixels = picture.rgba.size();
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels);
    info.biSize = sizeof info;
    info.biWidth = picture.width;
    info.biHeight = picture.height; // bottom-up, as every reader takes it
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    std::vector<std::uint8_t> bytes(file.bfOffBits + pixels);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    const std::size_t row = static_cast<std::size_t>(picture.width) * 4;
    for (std::int32_t y = 0; y < picture.height; ++y) {
        const std::uint8_t* from = picture.rgba.data() + static_cast<std::size_t>(y) * row;
        std::uint8_t* to = bytes.data() + file.bfOffBits
            + static_cast<std::size_t>(picture.height - 1 - y) * row;
        for (std::size_t x = 0; x < row; x += 4) {
            to[x] = from[x + 2];
            to[x + 1] = from[x + 1];
            to[x + 2] = from[x];
            to[x + 3] = from[x + 3];
        }
    }
    return bytes;
}

DmClassFactoryObject::DmClassFactoryObject(
    ServerState& server, std::shared_ptr<engine::SwDMClassFactory> factory)
    : ServerObject(server)
    , m_factory(std::move(factory))
{
    member(L"GetApplication", [this](Invocation& c) {
        std::shared_ptr<engine::SwDMApplication> application = m_factory->GetApplication(c.text(0));
        c.result(application ? newObject<DmApplicationObject>(this->state(), std::move(application))
                             : nullptr);
    });
}

DmApplicationObject::DmApplicationObject(
    ServerState& server, std::shared_ptr<engine::SwDMApplication> application)
    : ServerObject(server)
    , m_application(std::move(application))
{
    member(L"GetDocument", [this](Invocation& c) {
        std::int32_t openError = c.refInt32(3);
        std::shared_ptr<engine::SwDMDocument> document
            = m_application->GetDocument(c.text(0), c.int32(1), c.flag(2), openError);
        c.setRef(3, openError);
        c.result(
            document ? newObject<DmDocumentObject>(this->state(), std::move(document)) : nullptr);
    });
}

DmDocumentObject::DmDocumentObject(
    ServerState& server, std::shared_ptr<engine::SwDMDocument> document)
    : ServerObject(server)
    , m_document(std::move(document))
{
    member(L"GetPreviewBitmap", [this](Invocation& c) {
        std::int32_t result = c.refInt32(0);
        const std::optional<engine::DmPicture> picture = m_document->GetPreviewBitmap(result);
        answerPicture(c, picture, result);
    });
    member(L"GetPreviewPNGBitmap", [this](Invocation& c) {
        std::int32_t result = c.refInt32(0);
        const std::optional<engine::DmPicture> picture = m_document->GetPreviewPNGBitmap(result);
        answerPicture(c, picture, result);
    });
    member(L"ConfigurationManager", [this](Invocation& c) {
        c.result(newObject<DmConfigurationManagerObject>(this->state(), m_document));
    });
}

DmConfigurationManagerObject::DmConfigurationManagerObject(
    ServerState& server, std::shared_ptr<engine::SwDMDocument> document)
    : ServerObject(server)
    , m_document(std::move(document))
{
    // The stand-in's documents take an empty name for the active configuration.
    member(L"GetActiveConfigurationName", [](Invocation& c) { c.result(std::string()); });
    member(L"GetConfigurationByName", [this](Invocation& c) {
        std::optional<std::vector<engine::DmComponent>> components
            = m_document->GetComponents(c.text(0));
        c.result(components
                ? newObject<DmConfigurationObject>(this->state(), std::move(*components))
                : nullptr);
    });
}

DmConfigurationObject::DmConfigurationObject(
    ServerState& server, std::vector<engine::DmComponent> components)
    : ServerObject(server)
    , m_components(std::move(components))
{
    member(L"GetComponents", [this](Invocation& c) {
        std::vector<IDispatch*> objects;
        for (const engine::DmComponent& component : m_components)
            objects.push_back(newObject<DmComponentObject>(this->state(), component));
        c.result(objectArray(objects));
    });
}

DmComponentObject::DmComponentObject(ServerState& server, engine::DmComponent component)
    : ServerObject(server)
    , m_component(std::move(component))
{
    member(L"PathName", [this](Invocation& c) { c.result(m_component.pathName); });
    member(L"ConfigurationName", [this](Invocation& c) { c.result(m_component.configurationName); });
    member(L"IsSuppressed", [this](Invocation& c) { c.result(m_component.suppressed); });
    member(L"ExcludeFromBOM", [this](Invocation& c) { c.result(m_component.excludeFromBom); });
}

} // namespace quorrix::swserver
