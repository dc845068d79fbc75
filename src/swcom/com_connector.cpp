#include "swcom/com_connector.h"

#include <objbase.h>

#include "engine/swlink/sw_versions.h"
#include "swcom/com_apartment.h"
#include "swcom/com_application.h"
#include "swcom/com_support.h"

namespace quorrix::swcom {

namespace {

// The apartment of a run's thread, while the thread has one of its own.
thread_local std::weak_ptr<const ComApartment> t_threadApartment;

// COM's rule of identity: two pointers reach the same object when their IUnknown is one.
bool sameObject(IUnknown* a, IUnknown* b)
{
    IUnknown* first = nullptr;
    IUnknown* second = nullptr;
    const bool same = SUCCEEDED(a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&first)))
        && SUCCEEDED(b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&second)))
        && first == second;
    if (first)
        first->Release();
    if (second)
        second->Release();
    return same;
}

} // namespace

ComConnector::ComConnector(engine::KeyValueStore& store)
    : m_store(store)
    , m_apartment(std::make_shared<const ComApartment>())
{
}

std::shared_ptr<const ComApartment> ComConnector::threadApartment() const
{
    std::shared_ptr<const ComApartment> apartment = t_threadApartment.lock();
    return apartment ? apartment : m_apartment;
}

bool ComConnector::stillRunning(const engine::SwApplication& application)
{
    const std::shared_ptr<ComApplication> last = m_last.lock();
    // An object of another thread's apartment cannot be used here, even when it is alive.
    return last && last.get() == &application && m_lastApartment.lock() == threadApartment()
        && last->stillRuns();
}

std::shared_ptr<engine::SwApplication> ComConnector::createApplication(const std::string& progId)
{
    const std::shared_ptr<const ComApartment> apartment = threadApartment();
    apartment->check();
    CLSID classId {};
    swcom::check(CLSIDFromProgID(wideText(progId).c_str(), &classId));
    IDispatch* object = nullptr;
    swcom::check(CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
        IID_IDispatch, reinterpret_cast<void**>(&object)));
    // An object of another thread's apartment cannot be used here, even when it is alive.
    if (const std::shared_ptr<ComApplication> last = m_last.lock(); last
        && m_lastApartment.lock() == apartment && last->isAlive()
        && sameObject(last->object(), object)) {
        object->Release();
        last->reachedAgain();
        return last;
    }
    std::shared_ptr<ComApplication> application;
    try {
        application
            = std::make_shared<ComApplication>(object, std::make_shared<ComLink>(apartment));
    } catch (...) {
        object->Release();
        throw;
    }
    object->Release(); // the application holds its own reference
    m_last = application;
    m_lastApartment = apartment;
    return application;
}

std::shared_ptr<void> ComConnector::prepareThread()
{
    auto apartment = std::make_shared<const ComApartment>();
    t_threadApartment = apartment;
    return std::const_pointer_cast<ComApartment>(apartment);
}

bool ComConnector::isRegistered(const std::string& progId)
{
    return engine::classesRootRegisters(m_store, progId);
}

} // namespace quorrix::swcom
