#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include <windows.h>

#include <olectl.h>

#include <cstdlib>
#include <memory>

#include "engine/swlink/document_manager.h"
#include "engine/swlink/solidworks.h"
#include "platform/platform_ports.h"
#include "swcom/com_document_manager.h"
#include "swcom/fake_dispatch.h"
#include "swsim/sim_document_manager.h"

namespace quorrix::test {
namespace {

using engine::DmPicture;
using Outcome = engine::PreviewReading::Outcome;

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
// A 3 x 2 picture in rows from top to bottom.
const std::vector<COLORREF> kPixels { kRed, RGB(0, 255, 0), kBlue, RGB(255, 255, 255), RGB(0, 0, 0),
    RGB(10, 20, 30) };

DmPicture expected(int width, int height, const std::vector<COLORREF>& pixels)
{
    DmPicture picture { width, height, {} };
    for (COLORREF colour : pixels)
        picture.rgba.insert(
            picture.rgba.end(), { GetRValue(colour), GetGValue(colour), GetBValue(colour), 255 });
    return picture;
}

// A picture of the pixels, as a bitmap whose fourth bytes are 0, or as an opaque icon,
// which has no pixels of its own and must be drawn.
IPictureDisp* createPicture(SHORT type, int width, int height, const std::vector<COLORREF>& pixels)
{
    std::vector<std::uint8_t> bgrx;
    for (COLORREF colour : pixels)
        bgrx.insert(bgrx.end(), { GetBValue(colour), GetGValue(colour), GetRValue(colour), 0 });
    HBITMAP colours = CreateBitmap(width, height, 1, 32, bgrx.data());
    const std::vector<WORD> noMask(static_cast<std::size_t>(height) * ((width + 15) / 16));
    ICONINFO icon { TRUE, 0, 0, nullptr, colours };
    PICTDESC description { sizeof(PICTDESC), static_cast<UINT>(type), {} };
    if (type == PICTYPE_ICON) {
        icon.hbmMask = CreateBitmap(width, height, 1, 1, noMask.data());
        description.icon.hicon = CreateIconIndirect(&icon);
        DeleteObject(icon.hbmMask);
        DeleteObject(colours);
    } else {
        description.bmp.hbitmap = colours;
    }
    IPictureDisp* picture = nullptr;
    EXPECT_EQ(OleCreatePictureIndirect(
                  &description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&picture)),
        S_OK);
    return picture;
}

IPictureDisp* bitmapPicture()
{
    return createPicture(PICTYPE_BITMAP, 3, 2, kPixels);
}

// Writes the by-reference result code and answers with the object as the given type.
FakeDispatch::Handler preview(LONG code, IUnknown* picture, VARTYPE type = VT_DISPATCH)
{
    return [=](DISPPARAMS& params, VARIANT& result, EXCEPINFO&) {
        *argument(params, 0).plVal = code;
        result.vt = type;
        result.punkVal = picture;
        if (picture)
            picture->AddRef();
        return S_OK;
    };
}

// Hands out the fake factory as the class factory.
class FakeDocumentManager : public engine::DocumentManagerConnector {
public:
    explicit FakeDocumentManager(IDispatch* factory)
        : m_factory(factory)
    {
    }
    std::shared_ptr<engine::SwDMClassFactory> createClassFactory(const std::string&) override
    {
        return std::make_shared<swcom::ComDMClassFactory>(m_factory, nullptr);
    }

private:
    IDispatch* m_factory;
};

class ComDocumentManagerTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const FakeDispatch* fake : { &factory, &application, &document })
            EXPECT_EQ(fake->references(), 1u) << fake->name();
    }

    std::vector<std::string> journal;
    FakeDispatch factory { "factory", journal, { L"GetApplication" } };
    FakeDispatch application { "application", journal, { L"GetDocument" } };
    FakeDispatch document { "document", journal, { L"GetPreviewBitmap", L"GetPreviewPNGBitmap" } };
};

TEST_F(ComDocumentManagerTest, ReadsThePngPreviewWhenNoBitmapIsStored)
{
    IPictureDisp* picture = bitmapPicture();
    ASSERT_NE(picture, nullptr);
    factory.on(L"GetApplication", answerObject(&application));
    application.on(L"GetDocument", answerObject(&document));
    document.on(L"GetPreviewBitmap", preview(engine::kDmPreviewErrorNoPreview, nullptr));
    document.on(L"GetPreviewPNGBitmap", preview(engine::kDmPreviewErrorNone, picture, VT_UNKNOWN));
    FakeDocumentManager manager(&factory);

    const auto reading = engine::ReadPreviewPicture(
        manager, "Schlüssel", "C:\\Zeichnungen\\Blatt ü.SLDDRW", engine::kSwDocDrawing);

    EXPECT_EQ(journal,
        (std::vector<std::string> { "factory.GetApplication call(BSTR Schlüssel)",
            "application.GetDocument call(BSTR C:\\Zeichnungen\\Blatt ü.SLDDRW, I4 3, BOOL 0, "
            "BYREF I4 0)",
            "document.GetPreviewBitmap call(BYREF I4 0)",
            "document.GetPreviewPNGBitmap call(BYREF I4 2)" }));
    EXPECT_EQ(reading.outcome, Outcome::Picture);
    EXPECT_EQ(reading.resultCode, engine::kDmPreviewErrorNone);
    EXPECT_EQ(reading.picture, expected(3, 2, kPixels));
    EXPECT_EQ(picture->Release(), 0u) << "the wrappers keep the picture";
}

TEST_F(ComDocumentManagerTest, RefusalsEndTheReadingWithTheirReason)
{
    // An access string refused.
    factory.on(L"GetApplication", answer(nullObject()));
    FakeDocumentManager refusing(&factory);
    EXPECT_EQ(engine::ReadPreviewPicture(refusing, "key", "C:\\a.SLDPRT", 1).outcome,
        Outcome::NoDocumentManager);
    EXPECT_EQ(journal, std::vector<std::string> { "factory.GetApplication call(BSTR key)" });

    // A document that does not open reports why.
    application.on(L"GetDocument", [](DISPPARAMS& params, VARIANT& result, EXCEPINFO&) {
        *argument(params, 3).plVal = engine::kDmDocumentOpenErrorFileNotFound;
        result = nullObject();
        return S_OK;
    });
    swcom::ComDMApplication dmApplication(&application, nullptr);
    std::int32_t openError = engine::kDmDocumentOpenErrorNone;
    EXPECT_EQ(dmApplication.GetDocument("C:\\fehlt.SLDASM", 2, false, openError), nullptr);
    EXPECT_EQ(openError, engine::kDmDocumentOpenErrorFileNotFound);

    // A failed preview keeps its code and gives no picture, whatever came with it.
    IPictureDisp* picture = bitmapPicture();
    document.on(L"GetPreviewBitmap", preview(engine::kDmPreviewErrorFileOpen, picture));
    swcom::ComDMDocument dmDocument(&document, nullptr);
    std::int32_t result = engine::kDmPreviewErrorNone;
    EXPECT_TRUE(dmDocument.GetPreviewBitmap(result).has_value());
    EXPECT_EQ(result, engine::kDmPreviewErrorFileOpen);
    document.on(L"GetPreviewBitmap", preview(engine::kDmPreviewErrorNone, &factory));
    EXPECT_FALSE(dmDocument.GetPreviewBitmap(result).has_value()) << "no picture object";
    EXPECT_EQ(result, engine::kDmPreviewErrorNone);
    EXPECT_EQ(picture->Release(), 0u);
}

TEST(ComDMComponentsTest, ComeFromTheNamedOrActiveConfigurationOfTheConfigurationManager)
{
    std::vector<std::string> journal;
    FakeDispatch assembly { "assembly", journal, { L"ConfigurationManager" } };
    FakeDispatch manager { "manager", journal,
        { L"GetActiveConfigurationName", L"GetConfigurationByName" } };
    FakeDispatch configuration { "configuration", journal, { L"GetComponents" } };
    FakeDispatch gear { "gear", journal,
        { L"PathName", L"ConfigurationName", L"IsSuppressed", L"ExcludeFromBOM" } };
    // A Document Manager from before the exclusion was stored has no member for it.
    FakeDispatch old { "old", journal, { L"PathName", L"ConfigurationName", L"IsSuppressed" } };
    assembly.on(L"ConfigurationManager", answerObject(&manager));
    manager.on(L"GetActiveConfigurationName", answer(bstr(L"Standard")));
    manager.on(L"GetConfigurationByName", [&](DISPPARAMS& params, VARIANT& result, EXCEPINFO&) {
        const bool known = std::wstring(argument(params, 0).bstrVal) != L"fehlt";
        result.vt = VT_DISPATCH;
        result.pdispVal = known ? &configuration : nullptr;
        if (known)
            configuration.AddRef();
        return S_OK;
    });
    configuration.on(L"GetComponents", [&](DISPPARAMS&, VARIANT& result, EXCEPINFO&) {
        std::vector<VARIANT> elements;
        for (FakeDispatch* component : { &gear, &old }) {
            VARIANT element;
            VariantInit(&element);
            element.vt = VT_DISPATCH;
            element.pdispVal = component;
            component->AddRef();
            elements.push_back(element);
        }
        result = variantArray(1, std::move(elements));
        return S_OK;
    });
    gear.on(L"PathName", answer(bstr(L"C:\\Pumpe\\Zahnrad ü.SLDPRT")));
    gear.on(L"ConfigurationName", answer(bstr(L"Lang")));
    gear.on(L"IsSuppressed", answer(boolean(true)));
    gear.on(L"ExcludeFromBOM", answer(i4(engine::kDmExcludeFromBomTrue)));
    old.on(L"PathName", answer(bstr(L"C:\\Pumpe\\Welle.SLDPRT")));
    old.on(L"ConfigurationName", answer(bstr(L"Standard")));
    old.on(L"IsSuppressed", answer(boolean(false)));
    {
        swcom::ComDMDocument document(&assembly, nullptr);
        const auto components = document.GetComponents("");
        ASSERT_TRUE(components.has_value());
        EXPECT_EQ(*components,
            (std::vector<engine::DmComponent> {
                { "C:\\Pumpe\\Zahnrad ü.SLDPRT", "Lang", true, engine::kDmExcludeFromBomTrue },
                { "C:\\Pumpe\\Welle.SLDPRT", "Standard", false,
                    engine::kDmExcludeFromBomNotDefined } }));
        EXPECT_NE(std::find(journal.begin(), journal.end(),
                      "manager.GetConfigurationByName call(BSTR Standard)"),
            journal.end());
        EXPECT_FALSE(document.GetComponents("fehlt").has_value());
    }
    for (const FakeDispatch* fake : { &assembly, &manager, &configuration, &gear, &old })
        EXPECT_EQ(fake->references(), 1u) << fake->name();
}

TEST(ComPictureTest, ReadsBitmapsAndDrawnPicturesTopDownAsRgba)
{
    IPictureDisp* bitmap = bitmapPicture();
    EXPECT_EQ(swcom::pictureFromObject(bitmap), expected(3, 2, kPixels));
    bitmap->Release();

    const std::vector<COLORREF> halves { kRed, kRed, kBlue, kBlue };
    IPictureDisp* icon = createPicture(PICTYPE_ICON, 2, 2, halves);
    EXPECT_EQ(swcom::pictureFromObject(icon), expected(2, 2, halves));
    icon->Release();
    EXPECT_EQ(swcom::pictureFromObject(nullptr), std::nullopt);
}

// Wine has no Document Manager but registers its scripting runtime: a real class that is
// not one.
TEST(ComDocumentManagerConnectorTest, CreatesRegisteredClassesOnly)
{
    swcom::ComDocumentManager manager;
    EXPECT_EQ(manager.createClassFactory(engine::kDocumentManagerClassName), nullptr);
    EXPECT_EQ(manager.createClassFactory("Keine Klasse ü"), nullptr);
    EXPECT_THROW(manager.createClassFactory("\xff"), engine::AutomationError);

    const auto other = manager.createClassFactory("Scripting.Dictionary");
    ASSERT_NE(other, nullptr);
    try {
        other->GetApplication("key");
        ADD_FAILURE() << "a dictionary has no application";
    } catch (const engine::AutomationError& e) {
        EXPECT_EQ(e.number(), DISP_E_UNKNOWNNAME);
    }
}

// The stand-in server's Document Manager in a process of its own: the picture crosses the
// process boundary and arrives as the stand-in reads it here. The server's Wine runs
// register the server and name a stand-in drawing.
TEST(ComDocumentManagerConnectorTest, ReadsAPreviewThroughTheStandInServer)
{
    const char* document = std::getenv("QUORRIX_SWSERVER_DOCUMENT");
    if (!document)
        GTEST_SKIP() << "the stand-in server is not registered";
    const std::unique_ptr<engine::FileSystem> files = platform::createPlatformPorts().files;
    swcom::ComDocumentManager remote;
    swsim::SimDocumentManager local(*files);
    std::vector<std::optional<DmPicture>> pictures;
    for (engine::DocumentManagerConnector* manager :
        { static_cast<engine::DocumentManagerConnector*>(&remote),
            static_cast<engine::DocumentManagerConnector*>(&local) }) {
        const auto factory = manager->createClassFactory(engine::kDocumentManagerClassName);
        ASSERT_NE(factory, nullptr);
        const auto application = factory->GetApplication("access");
        ASSERT_NE(application, nullptr);
        std::int32_t openError = -1;
        const auto opened
            = application->GetDocument(document, engine::kSwDocDrawing, false, openError);
        ASSERT_NE(opened, nullptr);
        EXPECT_EQ(openError, engine::kDmDocumentOpenErrorNone);
        std::int32_t result = -1;
        pictures.push_back(opened->GetPreviewBitmap(result));
        EXPECT_EQ(result, engine::kDmPreviewErrorNone);
        std::int32_t missing = -1;
        EXPECT_EQ(
            application->GetDocument("Z:\\nowhere.SLDDRW", engine::kSwDocDrawing, false, missing),
            nullptr);
        EXPECT_NE(missing, engine::kDmDocumentOpenErrorNone);
    }
    ASSERT_TRUE(pictures[0] && pictures[0]->isValid());
    EXPECT_EQ(pictures[0], pictures[1]);
}

} // namespace
} // namespace quorrix::test
