#include "XlsxTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <zip.h>

namespace varn::test {

void WriteZip(const QString& path, const Parts& parts)
{
    QFile::remove(path);
    int error = 0;
    zip_t* za = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(za, nullptr);
    for (const auto& [name, data] : parts) {
        zip_source_t* src = zip_source_buffer(za, data.data(), data.size(), 0);
        ASSERT_GE(zip_file_add(za, name.c_str(), src, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(za), 0);
}

std::map<std::string, std::string> ReadZip(const QString& path, std::vector<std::string>* order)
{
    std::map<std::string, std::string> out;
    int error = 0;
    zip_t* za = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!za) {
        ADD_FAILURE() << "cannot open " << path.toStdString();
        return out;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) {
        zip_file_t* f = zip_fopen_index(za, static_cast<zip_uint64_t>(i), 0);
        std::string data;
        char buf[8192];
        zip_int64_t n;
        while ((n = zip_fread(f, buf, sizeof buf)) > 0)
            data.append(buf, static_cast<size_t>(n));
        zip_fclose(f);
        const char* name = zip_get_name(za, static_cast<zip_uint64_t>(i), 0);
        out[name] = data;
        if (order)
            order->push_back(name);
    }
    zip_discard(za);
    return out;
}

namespace {

const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char* kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// Formats: 0 default; 1 thin border all round; 2 bold font; 3 number format "0.00".
const char* kStyles =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"2\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font>"
    "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"2\"><border><left/><right/><top/><bottom/><diagonal/></border>"
    "<border><left style=\"thin\"><color indexed=\"64\"/></left><right style=\"thin\"><color indexed=\"64\"/></right>"
    "<top style=\"thin\"><color indexed=\"64\"/></top><bottom style=\"thin\"><color indexed=\"64\"/></bottom><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
    "<cellXfs count=\"4\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"1\" xfId=\"0\" applyBorder=\"1\"/>"
    "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
    "<xf numFmtId=\"2\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/></cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "</styleSheet>";

} // namespace

Parts BuildParts(const BookLayout& layout)
{
    std::string types = std::string(kDecl)
        + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
          "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
          "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
          "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
          "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
          "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>";
    std::string rels = std::string(kDecl) + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rIdS\" Type=\"" + kRel + "/styles\" Target=\"styles.xml\"/>"
        "<Relationship Id=\"rIdT\" Type=\"" + kRel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
    std::string sheets;
    Parts sheetParts;
    for (size_t i = 0; i < layout.sheets.size(); ++i) {
        const auto& s = layout.sheets[i];
        const std::string n = std::to_string(i + 1);
        types += "<Override PartName=\"/xl/worksheets/sheet" + n
            + ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + kRel + "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        sheets += "<sheet name=\"" + s.name + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        const std::string p = s.prefix.empty() ? std::string() : s.prefix + ":";
        const std::string ns = s.prefix.empty() ? std::string(" xmlns=\"") + kMain + "\"" : " xmlns:" + s.prefix + "=\"" + kMain + "\"";
        sheetParts.emplace_back("xl/worksheets/sheet" + n + ".xml",
                                std::string(kDecl) + "<" + p + "worksheet" + ns + " xmlns:r=\"" + kRel + "\">" + s.beforeData
                                    + "<" + p + "sheetData>" + s.sheetData + "</" + p + "sheetData>" + s.afterData + "</" + p
                                    + "worksheet>");
    }
    if (layout.withCalcChain) {
        types += "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>";
        rels += "<Relationship Id=\"rIdC\" Type=\"" + std::string(kRel) + "/calcChain\" Target=\"calcChain.xml\"/>";
    }
    types += "</Types>";
    rels += "</Relationships>";

    std::string sst = std::string(kDecl) + "<sst xmlns=\"" + kMain + "\" count=\"" + std::to_string(layout.sharedStrings.size())
        + "\" uniqueCount=\"" + std::to_string(layout.sharedStrings.size()) + "\">";
    for (const auto& si : layout.sharedStrings)
        sst += "<si>" + si + "</si>";
    sst += "</sst>";

    Parts parts = {
        {"[Content_Types].xml", types},
        {"_rels/.rels", std::string(kDecl) + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                            "<Relationship Id=\"rId1\" Type=\"" + kRel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", std::string(kDecl) + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel + "\"><sheets>" + sheets
                                + "</sheets><calcPr calcId=\"0\"/></workbook>"},
        {"xl/_rels/workbook.xml.rels", rels},
        {"xl/styles.xml", std::string(kDecl) + kStyles},
        {"xl/sharedStrings.xml", sst},
    };
    parts.insert(parts.end(), sheetParts.begin(), sheetParts.end());
    if (layout.withCalcChain)
        parts.emplace_back("xl/calcChain.xml", std::string(kDecl) + "<calcChain xmlns=\"" + kMain + "\">" + layout.calcChain + "</calcChain>");
    return parts;
}

void WriteBook(const QString& path, const BookLayout& layout)
{
    WriteZip(path, BuildParts(layout));
}

QJsonObject ReadWithOpenpyxl(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral(VARN_SOURCE_DIR "/tests/platform/workbook/read_xlsx.py"), path});
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        ADD_FAILURE() << "openpyxl could not read " << path.toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    QJsonParseError error;
    const QJsonObject book = QJsonDocument::fromJson(p.readAllStandardOutput(), &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_TRUE(book.value("warnings").toArray().isEmpty())
        << QJsonDocument(book.value("warnings").toArray()).toJson().toStdString();
    return book;
}

QJsonObject SheetOf(const QJsonObject& book, int position)
{
    return book.value("sheets").toArray().at(position - 1).toObject();
}

QJsonObject CellOf(const QJsonObject& book, int position, const QString& ref)
{
    return SheetOf(book, position).value("cells").toObject().value(ref).toObject();
}

} // namespace varn::test
