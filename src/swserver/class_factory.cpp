#include "swserver/class_factory.h"

#include "engine/swlink/document_manager.h"
#include "swserver/dm_objects.h"
#include "swserver/server_state.h"
#include "swserver/solidworks_process.h"
#include "swserver/sw_objects.h"

namespace quorrix::swserver {

ClassFactory::ClassFactory(ServerState& state, std::string progId, SolidWorksProcess* solidWorks)
    : m_state(state)
    , m_progId(std::move(progId))
    , m_solidWorks(solidWorks)
{
}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    IDispatch* created = nullptr;
    try {
        if (m_solidWorks) {
            if (const HRESULT connected = m_solidWorks->createObject(m_progId, &created);
                FAILED(connected))
                return connected;
        } else {
            std::shared_ptr<engine::SwDMClassFactory> factory
                = m_state.documentManager().createClassFactory(engine::kDocumentManagerClassName);
            if (!factory)
                return REGDB_E_CLASSNOTREG;
            created = newObject<DmClassFactoryObject>(m_state, std::move(factory));
        }
    } catch (const engine::AutomationError& error) {
        return static_cast<HRESULT>(error.number());
    } catch (const std::exception&) {
        return E_FAIL;
    }
    const HRESULT result = created->QueryInterface(iid, object);
    created->Release();
    return result;
}

HRESULT ClassFactory::LockServer(BOOL lock)
{
    m_state.lock(lock != FALSE);
    return S_OK;
}

} // namespace quorrix::swserver
