#pragma once

#include <memory>
#include <vector>

#include "engine/swlink/document_manager.h"
#include "swserver/server_object.h"

namespace quorrix::swserver {

// The stand-in's Document Manager as automation objects. A preview picture leaves this
// process as the bytes of a bitmap file: a picture object would carry a GDI handle, which
// means nothing in the client's process.

class DmClassFactoryObject : public ServerObject {
public:
    DmClassFactoryObject(ServerState& state, std::shared_ptr<engine::SwDMClassFactory> factory);

private:
    std::shared_ptr<engine::SwDMClassFactory> m_factory;
};

class DmApplicationObject : public ServerObject {
public:
    DmApplicationObject(ServerState& state, std::shared_ptr<engine::SwDMApplication> application);

private:
    std::shared_ptr<engine::SwDMApplication> m_application;
};

class DmDocumentObject : public ServerObject {
public:
    DmDocumentObject(ServerState& state, std::shared_ptr<engine::SwDMDocument> document);

private:
    std::shared_ptr<engine::SwDMDocument> m_document;
};

// An assembly's configurations, as the client reaches its components.
class DmConfigurationManagerObject : public ServerObject {
public:
    DmConfigurationManagerObject(ServerState& state, std::shared_ptr<engine::SwDMDocument> document);

private:
    std::shared_ptr<engine::SwDMDocument> m_document;
};

class DmConfigurationObject : public ServerObject {
public:
    DmConfigurationObject(
        ServerState& state, std::vector<engine::DmComponent> components);

private:
    std::vector<engine::DmComponent> m_components;
};

class DmComponentObject : public ServerObject {
public:
    DmComponentObject(ServerState& state, engine::DmComponent component);

private:
    engine::DmComponent m_component;
};

// A picture as a bottom-up 32-bit bitmap file (BITMAPFILEHEADER and BITMAPINFOHEADER).
std::vector<std::uint8_t> bitmapFileBytes(const engine::DmPicture& picture);

} // namespace quorrix::swserver
