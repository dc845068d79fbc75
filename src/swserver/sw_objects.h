#pragma once

#include <memory>

#include "engine/swlink/solidworks.h"
#include "swserver/server_object.h"

namespace quorrix::swserver {

// The stand-in's SolidWorks objects as automation objects, with the members the program
// calls. Each holds the stand-in object it answers for.

// What the server that started this SolidWorks process connects through: CreateObject
// gives the application object of the running instance.
class ConnectorObject : public ServerObject {
public:
    explicit ConnectorObject(ServerState& state);
};

class ApplicationObject : public ServerObject {
public:
    ApplicationObject(ServerState& state, std::shared_ptr<engine::SwApplication> application);
    ~ApplicationObject() override;

    const std::shared_ptr<engine::SwApplication>& application() const { return m_application; }

private:
    std::shared_ptr<engine::SwApplication> m_application;
};

class DocumentObject : public ServerObject {
public:
    DocumentObject(ServerState& state, std::shared_ptr<engine::SwDocument> document);

private:
    std::shared_ptr<engine::SwDocument> m_document;
};

class SheetObject : public ServerObject {
public:
    SheetObject(ServerState& state, std::shared_ptr<engine::SwSheet> sheet);

private:
    std::shared_ptr<engine::SwSheet> m_sheet;
};

class ViewObject : public ServerObject {
public:
    ViewObject(ServerState& state, std::shared_ptr<engine::SwView> view);

private:
    std::shared_ptr<engine::SwView> m_view;
};

class PageSetupObject : public ServerObject {
public:
    PageSetupObject(ServerState& state, std::shared_ptr<engine::SwPageSetup> pageSetup);

private:
    std::shared_ptr<engine::SwPageSetup> m_pageSetup;
};

class ExportDataObject : public ServerObject {
public:
    ExportDataObject(ServerState& state, std::shared_ptr<engine::SwExportPdfData> data);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    // The stand-in's export data behind an argument, when it is one of this server's.
    static engine::SwExportPdfData* dataOf(IDispatch* object);

private:
    std::shared_ptr<engine::SwExportPdfData> m_data;
};

class ExtensionObject : public ServerObject {
public:
    ExtensionObject(ServerState& state, std::shared_ptr<engine::SwModelDocExtension> extension);

private:
    std::shared_ptr<engine::SwModelDocExtension> m_extension;
};

} // namespace quorrix::swserver
