#include "adapters/xlsx/xlsxworkbookwriter.h"

#include "adapters/xlsx/deflatepieces.h"
#include "adapters/xlsx/sheetxml.h"
#include "adapters/xlsx/xlsxstyles.h"
#include "adapters/xlsx/xmltext.h"
#include "adapters/xlsx/zippackage.h"
#include "core/common/fileutil.h"
#include "core/workbook/sheetsource.h"
#include "core/workbook/workbook.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <stdexcept>

namespace quiz
{

namespace
{

const char *const xmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const char *const relationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// "" when the spreadsheet takes the name for a sheet.
std::string sheetNameProblem(const std::string &name, std::set<std::string> &taken)
{
    const std::string quoted = "sheet name \"" + name + "\": ";
    if (name.empty())
        return quoted + "a sheet needs a name";
    // Counted as the spreadsheet counts them: a character beyond the 16-bit
    // range (a four-byte UTF-8 sequence, an emoji) counts twice.
    std::size_t characters = 0;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        characters += (byte & 0xC0) == 0x80 ? 0 : byte >= 0xF0 ? 2 : 1;
    }
    if (characters > 31)
        return quoted + "a sheet name has at most 31 characters";
    if (name.find_first_of("[]:*?/\\") != std::string::npos)
        return quoted + "a sheet name cannot hold [ ] : * ? / \\";
    if (name.front() == '\'' || name.back() == '\'')
        return quoted + "a sheet name cannot start or end with an apostrophe";
    std::string folded = name;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (!taken.insert(folded).second)
        return quoted + "two sheets have this name";
    return {};
}

std::string contentTypes(std::size_t sheets)
{
    std::string out =
        std::string(xmlHead) +
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>";
    for (std::size_t i = 1; i <= sheets; ++i)
        out += "<Override PartName=\"/xl/worksheets/sheet" + std::to_string(i) +
               ".xml\" "
               "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
    return out + "</Types>";
}

std::string packageRelationships()
{
    return std::string(xmlHead) +
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" Type=\"" +
           relationships + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
}

std::string workbookXml(const std::vector<std::string> &names, std::size_t activeSheet)
{
    std::string out =
        std::string(xmlHead) +
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"" +
        relationships + "\"><bookViews><workbookView activeTab=\"" + std::to_string(activeSheet) +
        "\"/></bookViews><sheets>";
    for (std::size_t i = 0; i < names.size(); ++i) {
        out += "<sheet name=\"";
        appendXmlText(out, names[i]);
        const std::string n = std::to_string(i + 1);
        out += "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
    }
    return out + "</sheets><calcPr fullCalcOnLoad=\"1\"/></workbook>";
}

std::string workbookRelationships(std::size_t sheets)
{
    std::string out =
        std::string(xmlHead) +
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (std::size_t i = 1; i <= sheets; ++i) {
        const std::string n = std::to_string(i);
        out += "<Relationship Id=\"rId" + n + "\" Type=\"" + relationships +
               "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
    }
    return out + "<Relationship Id=\"rId" + std::to_string(sheets + 1) + "\" Type=\"" + relationships +
           "/styles\" Target=\"styles.xml\"/></Relationships>";
}

// Writes the parts of one workbook into its zip file.
class WorkbookPackage
{
  public:
    explicit WorkbookPackage(const std::string &path) : zip_(path) {}

    // One part whose bytes are handed over by `produce` (it gets the sink of
    // its pieces and returns "" or what went wrong).
    template <typename Produce> std::string part(const std::string &name, Produce &&produce)
    {
        if (!zip_.begin(name))
            return zip_.close();
        DeflatePieces pieces(XlsxWorkbookWriter::compressionLevel, DeflatePieces::machineThreads(),
                             [this](std::string_view bytes) { return zip_.write(bytes); });
        const std::string error = produce(pieces);
        if (!error.empty()) {
            const std::string written = zip_.close(); // a failed write says more
            return written.empty() ? error : written;
        }
        if (!pieces.finish() || !zip_.end(pieces.size(), pieces.crc()))
            return zip_.close();
        return {};
    }
    std::string part(const std::string &name, std::string xml)
    {
        return part(name, [&xml](DeflatePieces &pieces) {
            pieces.add(std::move(xml));
            return std::string{};
        });
    }
    std::string close() { return zip_.close(); }

  private:
    ZipPackage zip_;
};

std::string writePackage(const std::string &file, const std::vector<SheetSource *> &sheets,
                         std::size_t activeSheet)
{
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (SheetSource *sheet : sheets) {
        names.push_back(sheet->name());
        if (std::string problem = sheetNameProblem(names.back(), taken); !problem.empty())
            return problem;
    }
    WorkbookPackage package(file);
    std::string error = package.part("[Content_Types].xml", contentTypes(sheets.size()));
    if (error.empty())
        error = package.part("_rels/.rels", packageRelationships());
    if (error.empty())
        error = package.part("xl/workbook.xml", workbookXml(names, activeSheet));
    if (error.empty())
        error = package.part("xl/_rels/workbook.xml.rels", workbookRelationships(sheets.size()));
    XlsxStyles styles;
    for (std::size_t i = 0; i < sheets.size() && error.empty(); ++i)
        error =
            package.part("xl/worksheets/sheet" + std::to_string(i + 1) + ".xml", [&](DeflatePieces &pieces) {
                SheetXml xml(styles, [&pieces](std::string piece) { return pieces.add(std::move(piece)); });
                return xml.write(*sheets[i], i == activeSheet);
            });
    if (error.empty())
        error = package.part("xl/styles.xml", styles.xml());
    const std::string closed = package.close();
    return error.empty() ? closed : error;
}

} // namespace

std::string XlsxWorkbookWriter::write(const Workbook &book, const std::string &path)
{
    std::vector<ModelSheetSource> models;
    for (std::size_t i = 0; i < book.sheetCount(); ++i)
        models.emplace_back(book.sheet(i));
    std::vector<SheetSource *> sheets;
    for (ModelSheetSource &model : models)
        sheets.push_back(&model);
    return writeSheets(sheets, book.activeSheet(), path);
}

std::string XlsxWorkbookWriter::writeSheets(const std::vector<SheetSource *> &sheets, std::size_t activeSheet,
                                            const std::string &path)
{
    if (sheets.empty())
        return "the workbook has no sheet";
    std::string error;
    replaceFileAtomic(
        path,
        [&](const std::string &temp) {
            try {
                return writePackage(temp, sheets, std::min(activeSheet, sheets.size() - 1));
            } catch (const std::exception &e) {
                return "cannot write " + path + ": " + e.what();
            }
        },
        &error);
    return error;
}

} // namespace quiz
