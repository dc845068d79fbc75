#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "swsim/model/document_model.h"

namespace quorrix::swsim {
namespace {

using engine::kSwDocAssembly;
using engine::kSwDocDrawing;
using engine::kSwDocNone;
using engine::kSwDocPart;

const std::string kFullDrawing = "; a drawing with two sheets\r\n"
                                 "[Document]\r\n"
                                 "Type=3                 ; drawing\r\n"
                                 "Title=Bracket Rev B\r\n"
                                 "Configurations=Default,Variant\r\n"
                                 "[Sheet.1]\r\n"
                                 "Name=Front\r\n"
                                 "PaperSize=9\r\n"
                                 "Width=0.297\r\n"
                                 "Height=0.21\r\n"
                                 "View.1=mode=3;facetted=1;edges=0;useparent=1\r\n"
                                 "View.2=mode=4;facetted=0;edges=1;useparent=0\r\n"
                                 "[Sheet.2]\r\n"
                                 "Name=Details\r\n"
                                 "[Faults]\r\n"
                                 "OpenError=10\r\n"
                                 "ActivateSheet=Details\r\n"
                                 "SaveError=1\r\n"
                                 "Raise=PrintOut2\r\n"
                                 "RaiseOnce=SaveAs2\r\n"
                                 "Delay=ActivateSheet:300\r\n"
                                 "NoExportData=1\r\n"
                                 "EmptyOutput=1\r\n"
                                 "[Preferences]\r\n"
                                 "Double.49=0.0003\r\n";

DocumentModel fullDrawingModel()
{
    DocumentModel model;
    model.type = kSwDocDrawing;
    model.title = "Bracket Rev B";
    model.configurations = { "Default", "Variant" };
    model.sheets = {
        { "Front", 9, 0.297, 0.21, { { 3, true, false, true }, { 4, false, true, false } } },
        { "Details", 8, 0.42, 0.297, {} },
    };
    model.faults.openError = 10;
    model.faults.activateSheet = { "Details" };
    model.faults.saveError = 1;
    model.faults.raise = { "PrintOut2" };
    model.faults.raiseOnce = { "SaveAs2" };
    model.faults.delayMilliseconds = { { "ActivateSheet", 300 } };
    model.faults.noExportData = true;
    model.faults.emptyOutput = true;
    model.preferences.doubles[49] = 0.0003;
    return model;
}

SheetModel defaultSheet(const std::string& name)
{
    return { name, 8, 0.42, 0.297, { ViewModel {} } };
}

TEST(DocumentModel, ReadsEveryFieldOfAStandInDocument)
{
    EXPECT_EQ(parseDocumentModel("/cad/bracket.SLDDRW", kFullDrawing), fullDrawingModel());
}

TEST(DocumentModel, TypeComesFromTheLastExtensionInAnyCase)
{
    const struct {
        const char* path;
        std::int32_t type;
    } rows[] = {
        { "a.sldprt", kSwDocPart },
        { "C:\\Work\\A.SLDASM", kSwDocAssembly },
        { "/x/a.SldDrw", kSwDocDrawing },
        { "a.slddrw.bak", kSwDocNone },
        { "plans.slddrw/readme.txt", kSwDocNone },
        { "plans.slddrw\\readme", kSwDocNone },
        { "sldprt", kSwDocNone },
        { "", kSwDocNone },
    };
    for (const auto& row : rows)
        EXPECT_EQ(documentTypeFromPath(row.path), row.type) << row.path;
}

TEST(DocumentModel, FilesOutsideTheFormatGetTheDefaultModel)
{
    DocumentModel drawing;
    drawing.type = kSwDocDrawing;
    drawing.title = "Plan 1.SLDDRW";
    drawing.sheets = { defaultSheet("Sheet1") };
    DocumentModel part;
    part.type = kSwDocPart;
    part.title = "shaft.sldprt";
    part.configurations = { "Default" };
    DocumentModel other;
    other.title = "notes.txt";

    const struct {
        const char* path;
        std::string bytes;
        DocumentModel expected;
    } rows[] = {
        { "C:\\cad\\Plan 1.SLDDRW", "", drawing },
        { "/cad/Plan 1.SLDDRW", "[Sheet.1]\nName=X\n", drawing },
        { "Plan 1.SLDDRW", std::string("[Document]\nType=1\n\0", 19), drawing },
        { "Plan 1.SLDDRW", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 not text", drawing },
        { "shaft.sldprt", "Document\nType=3", part },
        { "notes.txt", "hello", other },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(parseDocumentModel(row.path, row.bytes), row.expected) << row.path;
        EXPECT_EQ(defaultDocumentModel(row.path), row.expected) << row.path;
    }
}

TEST(DocumentModel, DocumentSectionFallsBackFieldByField)
{
    const struct {
        const char* path;
        const char* text;
        std::int32_t type;
        const char* title;
        std::vector<std::string> configurations;
        std::size_t sheets;
    } rows[] = {
        { "/a/b.SLDDRW", "[Document]", kSwDocDrawing, "b.SLDDRW", {}, 1 },
        { "b.sldprt", "[document]\ntype=3", kSwDocDrawing, "b.sldprt", {}, 1 },
        { "b.sldasm", "[Document]\nType=7", kSwDocAssembly, "b.sldasm", { "Default" }, 0 },
        { "b.sldasm", "[Document]\nType=2.0", kSwDocAssembly, "b.sldasm", { "Default" }, 0 },
        { "b.txt", "[Document]\nType=x", kSwDocNone, "b.txt", {}, 0 },
        { "b.txt", "[Document]\nType= 1 ; part", kSwDocPart, "b.txt", { "Default" }, 0 },
        { "b.SLDDRW", "[Document]\nType=1\n[Sheet.1]", kSwDocPart, "b.SLDDRW", { "Default" }, 0 },
        { "b.sldprt", "[Document]\nTitle=", kSwDocPart, "b.sldprt", { "Default" }, 0 },
        { "b.sldprt", "[Document]\nTitle=\"  Shaft \" ; note", kSwDocPart, "  Shaft ",
            { "Default" }, 0 },
        { "b.sldprt", "[Document]\nConfigurations= , ,", kSwDocPart, "b.sldprt", { "Default" }, 0 },
        { "b.sldprt", "[Document]\nConfigurations=Long, short,Long,long", kSwDocPart, "b.sldprt",
            { "Long", "short", "long" }, 0 },
        { "b.slddrw", "[Document]\nConfigurations=A", kSwDocDrawing, "b.slddrw", { "A" }, 1 },
        // UTF-8 after a byte-order mark, or an old tool's Windows-1252.
        { "b.sldprt", "\xEF\xBB\xBF[Document]\nTitle=Pl\xC3\xA4ne", kSwDocPart, "Pl\xC3\xA4ne",
            { "Default" }, 0 },
        { "b.sldprt", "[Document]\nTitle=Pl\xE4ne", kSwDocPart, "Pl\xC3\xA4ne", { "Default" }, 0 },
    };
    for (const auto& row : rows) {
        const DocumentModel model = parseDocumentModel(row.path, row.text);
        EXPECT_EQ(model.type, row.type) << row.text;
        EXPECT_EQ(model.title, row.title) << row.text;
        EXPECT_EQ(model.configurations, row.configurations) << row.text;
        EXPECT_EQ(model.sheets.size(), row.sheets) << row.text;
    }
}

TEST(DocumentModel, SheetsAndViewsFollowTheirNumbers)
{
    const struct {
        const char* sheets;
        std::vector<SheetModel> expected;
    } rows[] = {
        { "", { defaultSheet("Sheet1") } },
        { "[Sheet.1]", { { "Sheet1", 8, 0.42, 0.297, {} } } },
        { "[Sheet.10]\nName=C\n[Sheet.3]\nName=B\n[sheet.1]\nname=A\n[Sheet.x]\n[Sheet.]\n"
          "[Sheet.-2]\n[Sheets.4]",
            { { "A", 8, 0.42, 0.297, {} }, { "B", 8, 0.42, 0.297, {} },
                { "C", 8, 0.42, 0.297, {} } } },
        { "[Sheet.1]\nName=First\n[Sheet.01]\nName=Second", { { "First", 8, 0.42, 0.297, {} } } },
        { "[Sheet.1]\nName=A\n[Sheet.2]\nName=A\n[Sheet.3]\nName=a",
            { { "A", 8, 0.42, 0.297, {} }, { "Sheet2", 8, 0.42, 0.297, {} },
                { "a", 8, 0.42, 0.297, {} } } },
        { "[Sheet.1]\nName=Sheet2\n[Sheet.2]\n[Sheet.3]",
            { { "Sheet2", 8, 0.42, 0.297, {} }, { "Sheet3", 8, 0.42, 0.297, {} },
                { "Sheet4", 8, 0.42, 0.297, {} } } },
        { "[Sheet.1]\nPaperSize=9.5\nWidth=0,42\nHeight=-0.2",
            { { "Sheet1", 8, 0.42, 0.297, {} } } },
        { "[Sheet.1]\nPaperSize= +256 \nWidth=1e-1\nHeight=nan",
            { { "Sheet1", 256, 0.1, 0.297, {} } } },
        { "[Sheet.1]\nWidth=inf\nHeight=0", { { "Sheet1", 8, 0.42, 0.297, {} } } },
        { "[Sheet.1]\nView.2=mode=4\nVIEW.1=MODE=1;Facetted=TRUE;Edges=1;UseParent=0\n"
          "View.02=mode=5\nView=mode=2",
            { { "Sheet1", 8, 0.42, 0.297,
                { { 1, true, true, false }, { 4, false, false, true } } } } },
        { "[Sheet.1]\nView.1=mode=x;facetted=2;edges=;bogus=1;useparent\n"
          "View.2=mode=70000 ; comment\nView.3=",
            { { "Sheet1", 8, 0.42, 0.297, { ViewModel {}, ViewModel {}, ViewModel {} } } } },
    };
    for (const auto& row : rows) {
        const std::string text = std::string("[Document]\nType=3\n") + row.sheets;
        EXPECT_EQ(parseDocumentModel("d.slddrw", text).sheets, row.expected) << row.sheets;
    }
}

TEST(DocumentModel, ComponentsFollowTheirNumbersAndKeepDefaultsThatDoNotRead)
{
    const std::string text = "[Document]\n[Component.10]\nFile=c\n[Component.2]\nFile= b \n"
                             "Configuration=Long\nSuppressed=true\nExcluded=1\n[component.1]\n"
                             "file=a\nConfiguration= \nSuppressed=yes\nExcluded=2\n"
                             "[Component.3]\nConfiguration=X\n[Component.4]\nFile=\n";
    const std::vector<ComponentModel> expected { { "a" }, { "b", "Long", true, true }, { "c" } };
    EXPECT_EQ(parseDocumentModel("a.sldasm", text).components, expected);
    EXPECT_TRUE(parseDocumentModel("a.sldprt", text).components.empty());
}

TEST(DocumentModel, EachFaultKeyReadsOnItsOwn)
{
    const auto faults = [](auto change) {
        DocumentFaults expected;
        change(expected);
        return expected;
    };
    const struct {
        const char* line;
        DocumentFaults expected;
    } rows[] = {
        { "OpenError=10", faults([](auto& f) { f.openError = 10; }) },
        { "OpenError=0", {} },
        { "OpenError=ten", {} },
        { "ActivateSheet= Sheet2, Sheet4 ,,sheet2", faults([](auto& f) {
             f.activateSheet = { "Sheet2", "Sheet4", "sheet2" };
         }) },
        { "SaveError=1", faults([](auto& f) { f.saveError = 1; }) },
        { "SaveError=yes", {} },
        { "Raise=PrintOut2,SaveAs2", faults([](auto& f) {
             f.raise = { "PrintOut2", "SaveAs2" };
         }) },
        { "RaiseOnce=SaveAs2", faults([](auto& f) { f.raiseOnce = { "SaveAs2" }; }) },
        { "Delay=ActivateSheet:300, SaveAs2 : 50,bad,X:-1,Y:abc,:5,ActivateSheet:5",
            faults([](auto& f) {
                f.delayMilliseconds = { { "ActivateSheet", 300 }, { "SaveAs2", 50 } };
            }) },
        { "NoExportData=1", faults([](auto& f) { f.noExportData = true; }) },
        { "NoExportData=2", {} },
        { "EmptyOutput=True", faults([](auto& f) { f.emptyOutput = true; }) },
        { "emptyoutput=1", faults([](auto& f) { f.emptyOutput = true; }) },
        { "NoOutput=1", faults([](auto& f) { f.noOutput = true; }) },
        { "RefusePreferences=Integer.9, 11", faults([](auto& f) {
             f.refusedPreferences = { "Integer.9", "11" };
         }) },
    };
    for (const auto& row : rows) {
        const std::string text = std::string("[Document]\n[Faults]\n") + row.line;
        EXPECT_EQ(parseDocumentModel("p.sldprt", text).faults, row.expected) << row.line;
    }
}

} // namespace
} // namespace quorrix::swsim
