#include "swcom/com_document_manager.h"

#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include <objbase.h>
#include <olectl.h>

#include "swcom/com_apartment.h"
#include "swcom/com_support.h"

namespace quorrix::swcom {

namespace {

// Larger pictures are not previews; the limit also keeps the pixel count far from overflow.
constexpr int kMaxPictureSide = 16384;

struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class T> using ComPtr = std::unique_ptr<T, ComReleaser>;

struct ScreenDc {
    ScreenDc()
        : dc(GetDC(nullptr))
    {
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc()
    {
        if (dc)
            ReleaseDC(nullptr, dc);
    }
    HDC dc;
};

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

bool validSize(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

// 32 bits per pixel, rows from top to bottom.
BITMAPINFO topDownInfo(int width, int height)
{
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// GDI's blue, green, red, unused to red, green, blue and an opaque alpha: the fourth byte
// is undefined for most bitmaps.
engine::DmPicture fromBgr(int width, int height, std::vector<std::uint8_t> pixels)
{
    for (std::size_t i = 0; i + 3 < pixels.size(); i += 4) {
        std::swap(pixels[i], pixels[i + 2]);
        pixels[i + 3] = 255;
    }
    return { width, height, std::move(pixels) };
}

std::optional<engine::DmPicture> bitmapPixels(HBITMAP bitmap)
{
    BITMAP header {};
    if (!GetObjectW(bitmap, sizeof header, &header) || !validSize(header.bmWidth, header.bmHeight))
        return std::nullopt;
    const int width = header.bmWidth;
    const int height = header.bmHeight;
    BITMAPINFO info = topDownInfo(width, height);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    const ScreenDc screen;
    if (!screen.dc
        || GetDIBits(screen.dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
               DIB_RGB_COLORS)
            != height)
        return std::nullopt;
    return fromBgr(width, height, std::move(pixels));
}

// Metafiles and icons have no pixels of their own: they are drawn onto white at the size
// they claim, at the screen's resolution.
std::optional<engine::DmPicture> renderedPixels(IPicture& picture)
{
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (FAILED(picture.get_Width(&hmWidth)) || FAILED(picture.get_Height(&hmHeight)))
        return std::nullopt;
    const ScreenDc screen;
    if (!screen.dc)
        return std::nullopt;
    constexpr int kHimetricPerInch = 2540;
    const int width = MulDiv(hmWidth, GetDeviceCaps(screen.dc, LOGPIXELSX), kHimetricPerInch);
    const int height = MulDiv(hmHeight, GetDeviceCaps(screen.dc, LOGPIXELSY), kHimetricPerInch);
    if (!validSize(width, height))
        return std::nullopt;

    const BITMAPINFO info = topDownInfo(width, height);
    void* bits = nullptr;
    const std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter> target(
        CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter> memory(
        CreateCompatibleDC(screen.dc));
    if (!target || !bits || !memory)
        return std::nullopt;
    const HGDIOBJ previous = SelectObject(memory.get(), target.get());
    RECT all { 0, 0, width, height };
    FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    // The source rectangle runs upwards in HIMETRIC: start at the top, negative height.
    const HRESULT drawn = picture.Render(
        memory.get(), 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr);
    GdiFlush();
    SelectObject(memory.get(), previous);
    if (FAILED(drawn))
        return std::nullopt;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    std::memcpy(pixels.data(), bits, pixels.size());
    return fromBgr(width, height, std::move(pixels));
}

// A picture's handle is 32 bits wide even in a 64-bit process; GDI handles survive the
// round trip through a sign-extended LONG.
HBITMAP bitmapHandle(OLE_HANDLE handle)
{
    return static_cast<HBITMAP>(LongToHandle(static_cast<LONG>(handle)));
}

// A picture file's bytes, as a server in another process hands a picture over: its GDI
// handles would mean nothing here. Loaded here, it is a picture object like any other.
std::optional<engine::DmPicture> pictureFromBytes(SAFEARRAY* bytes)
{
    LONG lower = 0;
    LONG upper = -1;
    if (SafeArrayGetDim(bytes) != 1 || FAILED(SafeArrayGetLBound(bytes, 1, &lower))
        || FAILED(SafeArrayGetUBound(bytes, 1, &upper)) || upper < lower)
        return std::nullopt;
    const auto size = static_cast<SIZE_T>(upper - lower + 1);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return std::nullopt;
    void* data = nullptr;
    void* target = GlobalLock(memory);
    if (!target || FAILED(SafeArrayAccessData(bytes, &data))) {
        GlobalFree(memory);
        return std::nullopt;
    }
    std::memcpy(target, data, size);
    SafeArrayUnaccessData(bytes);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return std::nullopt;
    }
    const ComPtr<IStream> ownedStream(stream);
    IPicture* loaded = nullptr;
    if (FAILED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
            reinterpret_cast<void**>(&loaded)))
        || !loaded)
        return std::nullopt;
    const ComPtr<IPicture> picture(loaded);
    return pictureFromObject(picture.get());
}

IUnknown* objectIn(const Variant& value)
{
    const VARIANT& raw = value.raw();
    switch (raw.vt) {
    case VT_DISPATCH:
        return raw.pdispVal;
    case VT_UNKNOWN:
        return raw.punkVal;
    default:
        return nullptr;
    }
}

// The objects of a one-dimensional array of objects or of VARIANTs holding them; other
// elements are skipped, nothing gives none.
std::vector<Variant> objectElements(const Variant& list)
{
    const VARIANT& raw = list.raw();
    const VARTYPE type = raw.vt & VT_TYPEMASK;
    if (!(raw.vt & VT_ARRAY) || (type != VT_VARIANT && type != VT_DISPATCH))
        return {};
    SAFEARRAY* array = (raw.vt & VT_BYREF) ? (raw.pparray ? *raw.pparray : nullptr) : raw.parray;
    if (!array || SafeArrayGetDim(array) != 1)
        return {};
    LONG lower = 0;
    LONG upper = -1;
    swcom::check(SafeArrayGetLBound(array, 1, &lower));
    swcom::check(SafeArrayGetUBound(array, 1, &upper));
    std::vector<Variant> objects;
    for (LONGLONG i = lower; i <= upper; ++i) {
        LONG index = static_cast<LONG>(i);
        if (type == VT_DISPATCH) {
            IDispatch* object = nullptr;
            swcom::check(SafeArrayGetElement(array, &index, &object));
            objects.emplace_back(object);
            if (object)
                object->Release();
            continue;
        }
        VARIANT element;
        VariantInit(&element);
        swcom::check(SafeArrayGetElement(array, &index, &element));
        if (element.vt == VT_DISPATCH)
            objects.emplace_back(element.pdispVal);
        VariantClear(&element);
    }
    return objects;
}

// The class names a class that is not installed here.
bool isMissingClass(HRESULT result)
{
    return result == CO_E_CLASSSTRING || result == REGDB_E_CLASSNOTREG;
}

} // namespace

std::optional<engine::DmPicture> pictureFromObject(IUnknown* object)
{
    if (!object)
        return std::nullopt;
    IPicture* found = nullptr;
    if (FAILED(object->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&found))) || !found)
        return std::nullopt;
    const ComPtr<IPicture> picture(found);
    SHORT type = PICTYPE_UNINITIALIZED;
    if (FAILED(picture->get_Type(&type)))
        return std::nullopt;
    switch (type) {
    case PICTYPE_BITMAP: {
        OLE_HANDLE handle = 0;
        if (FAILED(picture->get_Handle(&handle)) || !handle)
            return std::nullopt;
        // GetDIBits refuses a bitmap that is selected into a device context; drawing it
        // still works.
        if (auto pixels = bitmapPixels(bitmapHandle(handle)))
            return pixels;
        return renderedPixels(*picture);
    }
    case PICTYPE_METAFILE:
    case PICTYPE_ENHMETAFILE:
    case PICTYPE_ICON:
        return renderedPixels(*picture);
    default:
        return std::nullopt;
    }
}

ComDMDocument::ComDMDocument(IDispatch* object, std::shared_ptr<ComLink> link)
    : m_dispatch(object, std::move(link))
{
}

std::optional<engine::DmPicture> ComDMDocument::GetPreviewBitmap(std::int32_t& result)
{
    return preview(L"GetPreviewBitmap", result);
}

std::optional<engine::DmPicture> ComDMDocument::GetPreviewPNGBitmap(std::int32_t& result)
{
    return preview(L"GetPreviewPNGBitmap", result);
}

std::optional<engine::DmPicture> ComDMDocument::preview(const wchar_t* member, std::int32_t& result)
{
    LONG resultOut = result;
    const Variant picture = m_dispatch.call(member, { Variant::ref(resultOut) });
    result = resultOut;
    const VARIANT& raw = picture.raw();
    if (raw.vt == (VT_ARRAY | VT_UI1) && raw.parray)
        return pictureFromBytes(raw.parray);
    return pictureFromObject(objectIn(picture));
}

// Through the configuration manager: the document itself offers the components only in
// interfaces that later versions dropped.
std::optional<std::vector<engine::DmComponent>> ComDMDocument::GetComponents(
    const std::string& configurationName)
{
    const auto manager = m_dispatch.wrap<Dispatcher>(m_dispatch.get(L"ConfigurationManager"));
    if (!manager)
        return std::nullopt;
    const std::string name = configurationName.empty()
        ? manager->call(L"GetActiveConfigurationName").toString()
        : configurationName;
    const auto configuration
        = m_dispatch.wrap<Dispatcher>(manager->call(L"GetConfigurationByName", { name }));
    if (!configuration)
        return std::nullopt;
    // A configuration without components gives nothing instead of an empty array.
    std::vector<engine::DmComponent> components;
    for (const Variant& element : objectElements(configuration->call(L"GetComponents"))) {
        const auto component = m_dispatch.wrap<Dispatcher>(element);
        if (!component)
            continue;
        engine::DmComponent entry;
        entry.pathName = component->get(L"PathName").toString();
        entry.configurationName = component->get(L"ConfigurationName").toString();
        entry.suppressed = component->call(L"IsSuppressed").toBool();
        // Document Managers older than the member cannot say; the component then counts.
        try {
            entry.excludeFromBom = component->get(L"ExcludeFromBOM").toInt32();
        } catch (const engine::AutomationError&) {
            entry.excludeFromBom = engine::kDmExcludeFromBomNotDefined;
        }
        components.push_back(std::move(entry));
    }
    return components;
}

ComDMApplication::ComDMApplication(IDispatch* object, std::shared_ptr<ComLink> link)
    : m_dispatch(object, std::move(link))
{
}

std::shared_ptr<engine::SwDMDocument> ComDMApplication::GetDocument(const std::string& fullPathName,
    std::int32_t docType, bool allowReadOnly, std::int32_t& openError)
{
    LONG openErrorOut = openError;
    const Variant document = m_dispatch.call(
        L"GetDocument", { fullPathName, docType, allowReadOnly, Variant::ref(openErrorOut) });
    openError = openErrorOut;
    return m_dispatch.wrap<ComDMDocument>(document);
}

ComDMClassFactory::ComDMClassFactory(IDispatch* object, std::shared_ptr<ComLink> link)
    : m_dispatch(object, std::move(link))
{
}

std::shared_ptr<engine::SwDMApplication> ComDMClassFactory::GetApplication(
    const std::string& accessString)
{
    return m_dispatch.wrap<ComDMApplication>(m_dispatch.call(L"GetApplication", { accessString }));
}

ComDocumentManager::ComDocumentManager()
    : m_apartment(std::make_shared<const ComApartment>())
{
}

std::shared_ptr<engine::SwDMClassFactory> ComDocumentManager::createClassFactory(
    const std::string& className)
{
    m_apartment->check();
    CLSID classId {};
    const HRESULT found = CLSIDFromProgID(wideText(className).c_str(), &classId);
    if (isMissingClass(found))
        return nullptr;
    swcom::check(found);
    IDispatch* object = nullptr;
    const HRESULT created
        = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
            IID_IDispatch, reinterpret_cast<void**>(&object));
    if (isMissingClass(created))
        return nullptr;
    swcom::check(created);
    const ComPtr<IDispatch> owned(object); // the factory holds its own reference
    return std::make_shared<ComDMClassFactory>(owned.get(), std::make_shared<ComLink>(m_apartment));
}

} // namespace quorrix::swcom
