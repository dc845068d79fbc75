#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "engine/swlink/document_manager.h"
#include "swcom/dispatcher.h"

namespace quorrix::swcom {

class ComApartment;

// The vendor's Document Manager through late binding. Like the SolidWorks objects, each
// wrapper is constructed from its automation object and the link of its connection.

class ComDMDocument : public engine::SwDMDocument {
public:
    ComDMDocument(IDispatch* object, std::shared_ptr<ComLink> link);
    std::optional<engine::DmPicture> GetPreviewBitmap(std::int32_t& result) override;
    std::optional<engine::DmPicture> GetPreviewPNGBitmap(std::int32_t& result) override;
    std::optional<std::vector<engine::DmComponent>> GetComponents(
        const std::string& configurationName) override;

private:
    std::optional<engine::DmPicture> preview(const wchar_t* member, std::int32_t& result);

    Dispatcher m_dispatch;
};

class ComDMApplication : public engine::SwDMApplication {
public:
    ComDMApplication(IDispatch* object, std::shared_ptr<ComLink> link);
    std::shared_ptr<engine::SwDMDocument> GetDocument(const std::string& fullPathName,
        std::int32_t docType, bool allowReadOnly, std::int32_t& openError) override;

private:
    Dispatcher m_dispatch;
};

class ComDMClassFactory : public engine::SwDMClassFactory {
public:
    ComDMClassFactory(IDispatch* object, std::shared_ptr<ComLink> link);
    std::shared_ptr<engine::SwDMApplication> GetApplication(
        const std::string& accessString) override;

private:
    Dispatcher m_dispatch;
};

// Creates the class factory by its automation class name for the thread that creates the
// connector; the objects it hands out keep COM initialised for as long as they live.
class ComDocumentManager : public engine::DocumentManagerConnector {
public:
    ComDocumentManager();

    // Nothing when no such class is registered; any other failure to create it is an
    // AutomationError, so a broken installation says why.
    std::shared_ptr<engine::SwDMClassFactory> createClassFactory(
        const std::string& className) override;

private:
    std::shared_ptr<const ComApartment> m_apartment;
};

// The pixels of a preview picture (an object with IPicture): a bitmap as it is, a metafile
// or an icon drawn at the screen's resolution. Nothing when the object is no picture, holds
// none, or cannot be read.
std::optional<engine::DmPicture> pictureFromObject(IUnknown* object);

} // namespace quorrix::swcom
