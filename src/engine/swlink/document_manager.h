#pragma once

// The SolidWorks Document Manager: the vendor's component that reads SolidWorks files
// without SolidWorks running. The program takes the preview picture and an assembly's
// components from it. Members keep their automation names; "nothing" is a null pointer or
// an empty optional.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/swlink/solidworks.h"

namespace quorrix::engine {

inline constexpr const char* kDocumentManagerClassName = "SwDocumentMgr.SwDMClassFactory";
// The licence key both programs hand to GetApplication.
inline constexpr const char* kDocumentManagerAccessString = "QUORRIX-preview";

// Result codes of the preview requests.
inline constexpr std::int32_t kDmPreviewErrorNone = 0;
inline constexpr std::int32_t kDmPreviewErrorFileOpen = 1;
// No picture of this kind is stored; newer files may still hold the other kind.
inline constexpr std::int32_t kDmPreviewErrorNoPreview = 2;
inline constexpr std::int32_t kDmPreviewErrorMakeBmpFail = 4;

// Open error codes of GetDocument.
inline constexpr std::int32_t kDmDocumentOpenErrorNone = 0;
inline constexpr std::int32_t kDmDocumentOpenErrorFail = 1;
inline constexpr std::int32_t kDmDocumentOpenErrorFileNotFound = 2;

// What ExcludeFromBOM reports for a component.
inline constexpr std::int32_t kDmExcludeFromBomNotDefined = -1; // saved before this was stored
inline constexpr std::int32_t kDmExcludeFromBomFalse = 0;
inline constexpr std::int32_t kDmExcludeFromBomTrue = 1;

// One component of an assembly configuration.
struct DmComponent {
    // The referenced file's full path as the assembly stores it: where the file was when the
    // assembly was last saved, which need not be where it is now.
    std::string pathName;
    std::string configurationName; // the configuration of the referenced document
    bool suppressed = false;
    std::int32_t excludeFromBom = kDmExcludeFromBomFalse;
    bool operator==(const DmComponent&) const = default;
};

// A preview picture: rows from top to bottom, four bytes per pixel in the order red, green,
// blue, alpha.
struct DmPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgba;

    bool isValid() const
    {
        return width > 0 && height > 0
            && rgba.size()
            == static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    }
    bool operator==(const DmPicture&) const = default;
};

class SwDMDocument {
public:
    virtual ~SwDMDocument() = default;

    virtual std::optional<DmPicture> GetPreviewBitmap(std::int32_t& result) = 0;
    // The picture newer files store instead of the bitmap.
    virtual std::optional<DmPicture> GetPreviewPNGBitmap(std::int32_t& result) = 0;

    // The top-level components of an assembly configuration (the active one for an empty
    // name) in the order the assembly keeps them, one entry per instance. Nothing when the
    // document is no assembly or has no configuration of that name.
    virtual std::optional<std::vector<DmComponent>> GetComponents(
        const std::string& configurationName)
        = 0;
};

class SwDMApplication {
public:
    virtual ~SwDMApplication() = default;

    // docType as GetType numbers documents (kSwDocPart ...); nothing when the file cannot
    // be opened as that type, with the reason in openError.
    virtual std::shared_ptr<SwDMDocument> GetDocument(const std::string& fullPathName,
        std::int32_t docType, bool allowReadOnly, std::int32_t& openError)
        = 0;
};

class SwDMClassFactory {
public:
    virtual ~SwDMClassFactory() = default;

    // Nothing when the Document Manager refuses the access string.
    virtual std::shared_ptr<SwDMApplication> GetApplication(const std::string& accessString) = 0;
};

// Creates the class factory from its automation class name; nothing when no such class is
// installed.
class DocumentManagerConnector {
public:
    virtual ~DocumentManagerConnector() = default;

    virtual std::shared_ptr<SwDMClassFactory> createClassFactory(const std::string& className) = 0;
};

// What one preview request came to.
struct PreviewReading {
    enum class Outcome {
        NoDocumentManager, // not installed, or the access string was refused
        NoDocument, // the file does not open as the given type
        NoPicture, // opened, but the preview requests failed with resultCode
        Picture,
    };
    Outcome outcome = Outcome::NoDocumentManager;
    std::int32_t resultCode = kDmPreviewErrorNone;
    DmPicture picture;
};

// Reads a document's preview picture with fresh Document Manager objects, released at the
// end, so a file changed on disk between two clicks shows its new picture. The document is
// opened without allowing read-only access. AutomationError passes through.
inline PreviewReading ReadPreviewPicture(DocumentManagerConnector& connector,
    const std::string& accessString, const std::string& path, std::int32_t docType)
{
    using Outcome = PreviewReading::Outcome;
    PreviewReading reading;
    std::shared_ptr<SwDMApplication> application;
    if (const auto factory = connector.createClassFactory(kDocumentManagerClassName))
        application = factory->GetApplication(accessString);
    if (!application)
        return reading;

    std::int32_t openError = kDmDocumentOpenErrorNone;
    const auto document = application->GetDocument(path, docType, false, openError);
    if (!document) {
        reading.outcome = Outcome::NoDocument;
        return reading;
    }

    std::int32_t result = kDmPreviewErrorNone;
    std::optional<DmPicture> picture = document->GetPreviewBitmap(result);
    if (result == kDmPreviewErrorNoPreview)
        picture = document->GetPreviewPNGBitmap(result);
    reading.resultCode = result;
    if (result != kDmPreviewErrorNone || !picture || !picture->isValid()) {
        // Success without a usable picture is still no picture.
        if (result == kDmPreviewErrorNone)
            reading.resultCode = kDmPreviewErrorMakeBmpFail;
        reading.outcome = Outcome::NoPicture;
        return reading;
    }
    reading.outcome = Outcome::Picture;
    reading.picture = std::move(*picture);
    return reading;
}

} // namespace quorrix::engine
