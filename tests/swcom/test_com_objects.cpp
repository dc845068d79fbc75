#include <chrono>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "swcom/com_application.h"
#include "swcom/com_document.h"
#include "swcom/com_objects.h"
#include "swcom/fake_dispatch.h"

namespace quorrix::test {
namespace {

using swcom::ComApplication;
using swcom::ComDocument;
using swcom::ComExportPdfData;
using swcom::ComExtension;
using swcom::ComPageSetup;
using swcom::ComSheet;
using swcom::ComView;

// Export data of another implementation, which SolidWorks cannot take.
class ForeignExportData : public engine::SwExportPdfData {
public:
    bool SetSheets(std::int32_t, const std::vector<std::string>&) override { return true; }
    std::vector<std::string> GetSheets() override { return {}; }
    bool ExportAs3D() override { return false; }
    void ExportAs3D(bool) override { }
};

template <class T> std::string joined(const std::vector<T>& values)
{
    std::ostringstream out;
    for (std::size_t i = 0; i < values.size(); ++i)
        out << (i ? "|" : "") << values[i];
    return out.str();
}

class ComObjectsTest : public ::testing::Test {
protected:
    // Every wrapper has let go of every object and result by the end of a test.
    void TearDown() override
    {
        for (const FakeDispatch* fake :
            { &app, &doc, &sheet, &view, &pageSetup, &extension, &exportData })
            EXPECT_EQ(fake->references(), 1u) << fake->name();
    }

    std::vector<std::string> journal;
    FakeDispatch app { "app", journal,
        { L"OpenDoc2", L"ActivateDoc", L"ActiveDoc", L"CloseDoc", L"ExitApp", L"RunMacro",
            L"Visible", L"UserControl", L"RevisionNumber", L"ActivePrinter", L"LoadAddIn",
            L"GetExportFileData", L"SetUserPreferenceDoubleValue",
            L"GetUserPreferenceStringListValue", L"SetUserPreferenceStringListValue" } };
    FakeDispatch doc { "doc", journal,
        { L"GetType", L"GetTitle", L"GetPathName", L"PrintOut2", L"SaveAs2", L"SaveAs4",
            L"PageSetup", L"Extension", L"Printer", L"PrintSetup", L"GetSheetCount",
            L"GetSheetNames", L"GetCurrentSheet", L"ActivateSheet", L"GetFirstView",
            L"GetConfigurationNames", L"SetUserPreferenceIntegerValue",
            L"GetUserPreferenceToggle" } };
    FakeDispatch sheet { "sheet", journal, { L"GetName", L"GetProperties" } };
    FakeDispatch view { "view", journal,
        { L"GetNextView", L"GetDisplayMode", L"SetDisplayMode2", L"SetDisplayMode3",
            L"GetUseParentDisplayMode" } };
    FakeDispatch pageSetup { "pageSetup", journal,
        { L"PrinterPaperSize", L"Orientation", L"DrawingColor", L"SetHeader", L"SetFooter" } };
    FakeDispatch extension { "extension", journal, { L"UsePageSetup", L"SaveAs" } };
    FakeDispatch exportData { "exportData", journal,
        { L"SetSheets", L"GetSheets", L"ExportAs3D" } };
};

TEST_F(ComObjectsTest, PassesArgumentsInOrderWithTheirTypesAndFlags)
{
    ComApplication swApp(&app, nullptr);
    ComDocument swDoc(&doc, nullptr);
    ComView swView(&view, nullptr);
    ComPageSetup swPageSetup(&pageSetup, nullptr);
    ComExtension swExtension(&extension, nullptr);
    ComExportPdfData swExportData(&exportData, nullptr);
    const struct {
        std::function<void()> call;
        std::string line;
    } rows[] = {
        { [&] { swDoc.PrintOut2(1, 3, 2, true, "\\\\srv\\Drucker ü", 0.5, false, ""); },
            "doc.PrintOut2 call(I4 1, I4 3, I4 2, BOOL -1, BSTR \\\\srv\\Drucker ü, R8 0.5, "
            "BOOL 0, BSTR )" },
        { [&] { swDoc.SaveAs2("C:\\out\\Blatt ü.dxf", 0, true, false); },
            "doc.SaveAs2 call(BSTR C:\\out\\Blatt ü.dxf, I4 0, BOOL -1, BOOL 0)" },
        { [&] { swView.SetDisplayMode2(3, true, false); },
            "view.SetDisplayMode2 call(I4 3, BOOL -1, BOOL 0)" },
        { [&] { swView.SetDisplayMode3(true, 4, false, true); },
            "view.SetDisplayMode3 call(BOOL -1, I4 4, BOOL 0, BOOL -1)" },
        { [&] { swApp.SetUserPreferenceDoubleValue(7, 0.25); },
            "app.SetUserPreferenceDoubleValue call(I4 7, R8 0.25)" },
        { [&] { swApp.SetUserPreferenceStringListValue(3, "Blatt ü;2"); },
            "app.SetUserPreferenceStringListValue call(I4 3, BSTR Blatt ü;2)" },
        { [&] { swDoc.SetUserPreferenceIntegerValue(5, -1); },
            "doc.SetUserPreferenceIntegerValue call(I4 5, I4 -1)" },
        { [&] { swApp.RunMacro("C:\\m.swp", "Modul1", "main"); },
            "app.RunMacro call(BSTR C:\\m.swp, BSTR Modul1, BSTR main)" },
        { [&] { swPageSetup.SetFooter("links", "", "Seite ü"); },
            "pageSetup.SetFooter call(BSTR links, BSTR , BSTR Seite ü)" },
        { [&] { swApp.CloseDoc("Blatt ü.SLDDRW"); }, "app.CloseDoc call(BSTR Blatt ü.SLDDRW)" },
        { [&] { swApp.ExitApp(); }, "app.ExitApp call()" },
        { [&] { swApp.GetExportFileData(1); }, "app.GetExportFileData call(I4 1)" },
        { [&] { swApp.Visible(); }, "app.Visible get()" },
        { [&] { swApp.Visible(true); }, "app.Visible put() [-3]=BOOL -1" },
        { [&] { swApp.UserControl(false); }, "app.UserControl put() [-3]=BOOL 0" },
        { [&] { swApp.ActivePrinter("Drucker ü"); },
            "app.ActivePrinter put() [-3]=BSTR Drucker ü" },
        { [&] { swDoc.Printer(); }, "doc.Printer get()" },
        { [&] { swDoc.PrintSetup(1); }, "doc.PrintSetup get(I4 1)" },
        { [&] { swDoc.PrintSetup(0, 9); }, "doc.PrintSetup put(I4 0) [-3]=I4 9" },
        { [&] { swPageSetup.DrawingColor(std::int16_t { 2 }); },
            "pageSetup.DrawingColor put() [-3]=I2 2" },
        { [&] { swPageSetup.Orientation(2); }, "pageSetup.Orientation put() [-3]=I4 2" },
        { [&] { swExtension.UsePageSetup(); }, "extension.UsePageSetup get()" },
        { [&] { swExportData.ExportAs3D(false); }, "exportData.ExportAs3D put() [-3]=BOOL 0" },
        { [&] {
             swExportData.SetSheets(4, { "Blatt ü", "Sheet2" });
         },
            "exportData.SetSheets call(I4 4, ARRAY BSTR 0:[Blatt ü, Sheet2])" },
        { [&] { swExportData.SetSheets(4, {}); },
            "exportData.SetSheets call(I4 4, ARRAY BSTR 0:[])" },
    };
    for (const auto& row : rows) {
        journal.clear();
        row.call();
        EXPECT_EQ(journal, std::vector<std::string> { row.line });
    }
}

TEST_F(ComObjectsTest, OpenDoc2CopiesTheOutValuesBack)
{
    const struct {
        bool opens;
        std::int32_t errors;
    } rows[] = { { true, 64 }, { false, engine::kSwFileNotFoundError } };
    ComApplication swApp(&app, nullptr);
    doc.on(L"GetTitle", answer(bstr(L"Blatt ü.SLDDRW")));
    for (const auto& row : rows) {
        app.on(L"OpenDoc2", [&](DISPPARAMS& params, VARIANT& result, EXCEPINFO&) {
            *argument(params, 2).pboolVal = VARIANT_TRUE;
            *argument(params, 3).pboolVal = VARIANT_FALSE;
            *argument(params, 5).plVal = row.errors;
            result.vt = VT_DISPATCH;
            result.pdispVal = row.opens ? &doc : nullptr;
            if (row.opens)
                doc.AddRef();
            return S_OK;
        });
        journal.clear();
        bool readOnly = false;
        bool viewOnly = true;
        std::int32_t errors = 7;
        auto document = swApp.OpenDoc2("C:\\Zeichnungen\\Blatt ü.SLDDRW", engine::kSwDocDrawing,
            readOnly, viewOnly, true, errors);
        EXPECT_EQ(journal.front(),
            "app.OpenDoc2 call(BSTR C:\\Zeichnungen\\Blatt ü.SLDDRW, I4 3, BYREF BOOL 0, "
            "BYREF BOOL -1, BOOL -1, BYREF I4 7)");
        EXPECT_TRUE(readOnly);
        EXPECT_FALSE(viewOnly);
        EXPECT_EQ(errors, row.errors);
        ASSERT_EQ(document != nullptr, row.opens);
        if (document) {
            EXPECT_EQ(document->GetTitle(), "Blatt ü.SLDDRW");
        }
    }
}

TEST_F(ComObjectsTest, SavesFillErrorsAndWarningsAndPassOnlyTheirOwnExportData)
{
    // errors at the given position, warnings right after it
    const auto outValues = [](UINT errorsAt, bool saved) {
        return [=](DISPPARAMS& params, VARIANT& result, EXCEPINFO&) {
            *argument(params, errorsAt).plVal = 256;
            *argument(params, errorsAt + 1).plVal = 8;
            result = boolean(saved);
            return S_OK;
        };
    };
    doc.on(L"SaveAs4", outValues(3, false));
    extension.on(L"SaveAs", outValues(4, true));
    app.on(L"GetExportFileData", answerObject(&exportData));
    ComApplication swApp(&app, nullptr);
    ComDocument swDoc(&doc, nullptr);
    ComExtension swExtension(&extension, nullptr);

    std::int32_t errors = 1;
    std::int32_t warnings = 2;
    EXPECT_FALSE(swDoc.SaveAs4("C:\\out\\a.pdf", 0, 1, errors, warnings));
    EXPECT_EQ(journal.back(),
        "doc.SaveAs4 call(BSTR C:\\out\\a.pdf, I4 0, I4 1, BYREF I4 1, BYREF I4 2)");
    EXPECT_EQ(errors, 256);
    EXPECT_EQ(warnings, 8);

    const auto pdfData = swApp.GetExportFileData(1);
    ForeignExportData foreign;
    const struct {
        engine::SwExportPdfData* data;
        std::string passed;
    } rows[] = {
        { pdfData.get(), "DISPATCH exportData" },
        { nullptr, "DISPATCH null" },
        { &foreign, "DISPATCH null" },
    };
    for (const auto& row : rows) {
        errors = 0;
        warnings = 0;
        EXPECT_TRUE(swExtension.SaveAs("C:\\out\\b.pdf", 0, 3, row.data, errors, warnings));
        EXPECT_EQ(journal.back(),
            "extension.SaveAs call(BSTR C:\\out\\b.pdf, I4 0, I4 3, " + row.passed
                + ", BYREF I4 0, BYREF I4 0)");
        EXPECT_EQ(errors, 256);
        EXPECT_EQ(warnings, 8);
    }
}

TEST_F(ComObjectsTest, ConvertsWhatSolidWorksAnswers)
{
    ComApplication swApp(&app, nullptr);
    ComDocument swDoc(&doc, nullptr);
    ComSheet swSheet(&sheet, nullptr);
    ComView swView(&view, nullptr);
    ComPageSetup swPageSetup(&pageSetup, nullptr);
    ComExportPdfData swExportData(&exportData, nullptr);
    const auto text = [](bool value) { return std::string(value ? "true" : "false"); };
    struct Row {
        FakeDispatch* fake;
        const wchar_t* member;
        VARIANT answer;
        std::function<std::string()> read;
        std::string expected;
    };
    const Row rows[] = {
        { &doc, L"GetTitle", bstr(L"Blatt ü"), [&] { return swDoc.GetTitle(); }, "Blatt ü" },
        { &doc, L"GetTitle", null(), [&] { return swDoc.GetTitle(); }, "" },
        { &doc, L"GetPathName", VARIANT {}, [&] { return swDoc.GetPathName(); }, "" },
        { &app, L"RevisionNumber", bstr(L"31.2.0"), [&] { return swApp.RevisionNumber(); },
            "31.2.0" },
        { &doc, L"GetType", i2(3), [&] { return std::to_string(swDoc.GetType()); }, "3" },
        { &doc, L"GetSheetCount", bstr(L"12"),
            [&] { return std::to_string(swDoc.GetSheetCount()); }, "12" },
        { &view, L"GetDisplayMode", i4(4), [&] { return std::to_string(swView.GetDisplayMode()); },
            "4" },
        { &pageSetup, L"DrawingColor", i4(-1),
            [&] { return std::to_string(swPageSetup.DrawingColor()); }, "-1" },
        { &doc, L"ActivateSheet", boolean(true), [&] { return text(swDoc.ActivateSheet("A")); },
            "true" },
        { &doc, L"ActivateSheet", i4(0), [&] { return text(swDoc.ActivateSheet("A")); }, "false" },
        { &view, L"GetUseParentDisplayMode", VARIANT {},
            [&] { return text(swView.GetUseParentDisplayMode()); }, "false" },
        { &doc, L"GetSheetNames", bstrArray(1, { L"Blatt ü", L"Sheet2" }),
            [&] { return joined(swDoc.GetSheetNames()); }, "Blatt ü|Sheet2" },
        { &doc, L"GetConfigurationNames",
            variantArray(-2, { bstr(L"Standard"), bstr(L"Größe ü"), i4(5) }),
            [&] { return joined(swDoc.GetConfigurationNames()); }, "Standard|Größe ü|5" },
        { &doc, L"GetSheetNames", VARIANT {}, [&] { return joined(swDoc.GetSheetNames()); }, "" },
        { &doc, L"GetSheetNames", bstrArray(0, {}), [&] { return joined(swDoc.GetSheetNames()); },
            "" },
        { &exportData, L"GetSheets", variantArray(3, { bstr(L"A") }),
            [&] { return joined(swExportData.GetSheets()); }, "A" },
        { &sheet, L"GetProperties", doubleArray(1, { 12, 0, 0, 0, 0, 0.42, 0.297 }),
            [&] { return joined(swSheet.GetProperties()); }, "12|0|0|0|0|0.42|0.297" },
        { &sheet, L"GetProperties", variantArray(0, { i4(9), r8(0.21), i2(3) }),
            [&] { return joined(swSheet.GetProperties()); }, "9|0.21|3" },
    };
    for (const Row& row : rows) {
        row.fake->on(row.member, answer(row.answer));
        EXPECT_EQ(row.read(), row.expected) << describe(row.answer);
    }
}

TEST_F(ComObjectsTest, NothingBecomesANullPointer)
{
    ComApplication swApp(&app, nullptr);
    ComDocument swDoc(&doc, nullptr);
    ComView swView(&view, nullptr);
    struct Row {
        FakeDispatch* fake;
        const wchar_t* member;
        FakeDispatch::Handler answer;
        std::function<bool()> isNull;
    };
    const std::function<bool()> activeDoc = [&] { return swApp.ActiveDoc() == nullptr; };
    const Row rows[] = {
        { &app, L"ActiveDoc", answer(VARIANT {}), activeDoc },
        { &app, L"ActiveDoc", answer(null()), activeDoc },
        { &app, L"ActiveDoc", answer(nullObject()), activeDoc },
        { &app, L"ActivateDoc", answer(nullObject()),
            [&] { return swApp.ActivateDoc("x") == nullptr; } },
        { &app, L"GetExportFileData", answer(VARIANT {}),
            [&] { return swApp.GetExportFileData(1) == nullptr; } },
        { &doc, L"GetFirstView", answer(nullObject()),
            [&] { return swDoc.GetFirstView() == nullptr; } },
        { &doc, L"GetCurrentSheet", answer(null()),
            [&] { return swDoc.GetCurrentSheet() == nullptr; } },
        { &doc, L"PageSetup", answer(nullObject()), [&] { return swDoc.PageSetup() == nullptr; } },
        { &doc, L"Extension", answer(VARIANT {}), [&] { return swDoc.Extension() == nullptr; } },
        { &view, L"GetNextView", answer(nullObject()),
            [&] { return swView.GetNextView() == nullptr; } },
    };
    for (const Row& row : rows) {
        row.fake->on(row.member, row.answer);
        EXPECT_TRUE(row.isNull()) << journal.back();
    }

    // Objects come wrapped, and the wrapper reaches the object behind it.
    app.on(L"ActiveDoc", answerObject(&doc));
    doc.on(L"GetCurrentSheet", answerObject(&sheet));
    doc.on(L"PageSetup", answerObject(&pageSetup));
    sheet.on(L"GetName", answer(bstr(L"Blatt ü")));
    const auto active = swApp.ActiveDoc();
    ASSERT_NE(active, nullptr);
    ASSERT_NE(active->GetCurrentSheet(), nullptr);
    EXPECT_EQ(active->GetCurrentSheet()->GetName(), "Blatt ü");
    ASSERT_NE(active->PageSetup(), nullptr);
    active->PageSetup()->PrinterPaperSize(9);
    EXPECT_EQ(journal.back(), "pageSetup.PrinterPaperSize put() [-3]=I4 9");
}

TEST_F(ComObjectsTest, FailuresBecomeAutomationErrors)
{
    ComApplication swApp(&app, nullptr);
    ComDocument swDoc(&doc, nullptr);
    ComSheet swSheet(&sheet, nullptr);
    ComView swView(&view, nullptr);
    const auto twoDimensions = [] {
        SAFEARRAYBOUND bounds[] = { { 2, 0 }, { 2, 0 } };
        VARIANT v;
        v.vt = VT_ARRAY | VT_R8;
        v.parray = SafeArrayCreate(VT_R8, 2, bounds);
        return v;
    };
    struct Row {
        FakeDispatch* fake;
        const wchar_t* member;
        FakeDispatch::Handler answer; // none: the object lacks the member
        std::function<void()> call;
        long number;
        std::string text; // empty: the system's text, whatever it is
    };
    const Row rows[] = {
        { &doc, L"GetTitle",
            raise(static_cast<HRESULT>(0x80041001), 0, L"Die Datei ist gesperrt: Blatt ü"),
            [&] { swDoc.GetTitle(); }, static_cast<long>(0x80041001),
            "Die Datei ist gesperrt: Blatt ü" },
        { &doc, L"ActivateSheet", raise(0, 1001, L"Sheet not found"),
            [&] { swDoc.ActivateSheet("A"); }, 1001, "Sheet not found" },
        { &doc, L"GetSheetCount", raise(0, 0, nullptr), [&] { swDoc.GetSheetCount(); },
            DISP_E_EXCEPTION, "" },
        { &app, L"Visible", fail(DISP_E_TYPEMISMATCH), [&] { swApp.Visible(true); },
            DISP_E_TYPEMISMATCH, "" },
        { &app, L"ExitApp", fail(RPC_E_DISCONNECTED), [&] { swApp.ExitApp(); }, RPC_E_DISCONNECTED,
            "" },
        { &doc, L"GetSheetCount", answer(bstr(L"zwölf")), [&] { swDoc.GetSheetCount(); },
            DISP_E_TYPEMISMATCH, "" },
        { &sheet, L"GetProperties", answer(r8(1.5)), [&] { swSheet.GetProperties(); },
            DISP_E_TYPEMISMATCH, "" },
        { &sheet, L"GetProperties", answer(twoDimensions()), [&] { swSheet.GetProperties(); },
            DISP_E_TYPEMISMATCH, "" },
        { &view, L"GetFacettedHlrDisplay", nullptr, [&] { swView.GetFacettedHlrDisplay(); },
            DISP_E_UNKNOWNNAME, "(GetFacettedHlrDisplay)" },
        { &doc, L"ActivateSheet", nullptr, [&] { swDoc.ActivateSheet("\xff"); },
            HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION), "" },
    };
    for (const Row& row : rows) {
        if (row.answer)
            row.fake->on(row.member, row.answer);
        try {
            row.call();
            ADD_FAILURE() << "no error for " << row.fake->name();
        } catch (const engine::AutomationError& e) {
            EXPECT_EQ(e.number(), row.number) << e.description();
            if (row.text.empty()) {
                EXPECT_FALSE(e.description().empty());
            } else {
                EXPECT_NE(e.description().find(row.text), std::string::npos) << e.description();
            }
        }
    }
}

// A busy SolidWorks refuses calls for a while; one that went away answers nothing again.
TEST_F(ComObjectsTest, RefusedCallsAreRetriedAndAGoneServerFailsEveryLaterCall)
{
    const auto link = std::make_shared<swcom::ComLink>();
    std::vector<long long> pauses;
    link->pause = [&pauses](std::chrono::milliseconds time) {
        pauses.push_back(time.count());
        Sleep(static_cast<DWORD>(time.count()));
    };
    ComApplication swApp(&app, link);
    int refusals = 3;
    app.on(L"RevisionNumber", [&refusals](DISPPARAMS&, VARIANT& result, EXCEPINFO&) {
        if (refusals-- > 0)
            return refusals % 2 ? RPC_E_CALL_REJECTED : RPC_E_SERVERCALL_RETRYLATER;
        result = bstr(L"30.0.0");
        return S_OK;
    });
    EXPECT_EQ(swApp.RevisionNumber(), "30.0.0");
    EXPECT_EQ(pauses, (std::vector<long long> { 50, 100, 200 }));

    link->retryLimit = std::chrono::milliseconds(120);
    app.on(L"ActivePrinter", fail(RPC_E_CALL_REJECTED));
    try {
        swApp.ActivePrinter();
        ADD_FAILURE() << "a call refused for ever succeeded";
    } catch (const engine::AutomationError& e) {
        EXPECT_EQ(e.number(), RPC_E_CALL_REJECTED);
    }
    EXPECT_TRUE(swApp.isAlive());

    for (const HRESULT gone : { HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE),
             HRESULT_FROM_WIN32(RPC_S_CALL_FAILED), RPC_E_DISCONNECTED }) {
        const auto lost = std::make_shared<swcom::ComLink>();
        ComApplication lostApp(&app, lost);
        ComDocument lostDoc(&doc, lost);
        app.on(L"OpenDoc2", fail(gone));
        bool readOnly = false;
        bool viewOnly = false;
        std::int32_t errors = 0;
        EXPECT_THROW(lostApp.OpenDoc2("a.SLDDRW", 3, readOnly, viewOnly, true, errors),
            engine::AutomationError);
        journal.clear();
        try {
            lostDoc.GetTitle();
            ADD_FAILURE() << "a call reached a server that is gone";
        } catch (const engine::AutomationError& e) {
            EXPECT_EQ(e.number(), gone);
        }
        EXPECT_TRUE(journal.empty());
        EXPECT_FALSE(lostApp.isAlive());
    }
}

TEST_F(ComObjectsTest, LooksUpEachMemberOnceAndKeepsObjectsOnlyWhileWrapped)
{
    app.on(L"ActiveDoc", answerObject(&doc));
    doc.on(L"GetFirstView", answerObject(&view));
    view.on(L"GetNextView", answerObject(&view));
    {
        ComApplication swApp(&app, nullptr);
        const auto document = swApp.ActiveDoc();
        for (int i = 0; i < 3; ++i)
            document->GetTitle();
        EXPECT_EQ(doc.lookups(L"GetTitle"), 1);
        const auto first = document->GetFirstView();
        const auto second = first->GetNextView();
        EXPECT_EQ(doc.references(), 2u);
        EXPECT_EQ(view.references(), 3u);
    }
    // TearDown checks that everything has been released.
}

} // namespace
} // namespace quorrix::test
