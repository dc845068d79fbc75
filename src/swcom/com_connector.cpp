#include "swcom/com_connector.h"

#include <objbase.h>

#include "engine/swlink/sw_versions.h"
#include "swcom/com_application.h"
#include "swcom/com_support.h"

namespace quorrix::swcom {

// COM for the calling thread, from the connector's creation until the last object is gone.
class ComConnector::Apartment {
public:
    Apartment()
        : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))
    {
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
    ~Apartment()
    {
        // S_FALSE (already initialised here) still counts and must be balanced. Another
        // threading model chosen earlier (RPC_E_CHANGED_MODE) leaves COM usable but not ours.
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }

    void check() const
    {
        if (FAILED(m_result) && m_result != RPC_E_CHANGED_MODE)
            throw automationError(m_result);
    }

private:
    HRESULT m_result;
};

ComConnector::ComConnector(engine::KeyValueStore& store)
    : m_store(store)
    , m_apartment(std::make_shared<const Apartment>())
{
}

std::shared_ptr<engine::SwApplication> ComConnector::createApplication(const std::string& progId)
{
    m_apartment->check();
    CLSID classId {};
    swcom::check(CLSIDFromProgID(wideText(progId).c_str(), &classId));
    IDispatch* object = nullptr;
    swcom::check(CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
        IID_IDispatch, reinterpret_cast<void**>(&object)));
    std::shared_ptr<ComApplication> application;
    try {
        application = std::make_shared<ComApplication>(object, m_apartment);
    } catch (...) {
        object->Release();
        throw;
    }
    object->Release(); // the application holds its own reference
    return application;
}

bool ComConnector::isRegistered(const std::string& progId)
{
    return engine::classesRootRegisters(m_store, progId);
}

} // namespace quorrix::swcom
