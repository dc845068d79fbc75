#pragma once

#include <objbase.h>

namespace quorrix::swcom {

// COM for the creating thread (apartment-threaded, as SolidWorks and the Document Manager
// expect of their clients), from the creation of a connector until the last object it
// handed out is gone: the objects hold it through a shared pointer. While it lasts, the
// thread's message filter retries calls that a busy SolidWorks refuses.
class ComApartment {
public:
    ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment();

    // Throws AutomationError when COM could not be started for the thread.
    void check() const;

private:
    HRESULT m_result;
    DWORD m_thread;
};

} // namespace quorrix::swcom
