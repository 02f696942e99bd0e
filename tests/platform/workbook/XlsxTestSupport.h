#pragma once

// Helpers for the workbook tests: building small packages part by part, reading packages
// back, and reading workbooks with openpyxl, an independent reader.

#include <QJsonObject>
#include <QString>
#include <QTemporaryDir>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace varn::test {

using Parts = std::vector<std::pair<std::string, std::string>>;

// Writes a zip archive holding the parts in this order.
void WriteZip(const QString& path, const Parts& parts);
// Every entry of an archive, uncompressed, by name (and the names in archive order).
std::map<std::string, std::string> ReadZip(const QString& path, std::vector<std::string>* order = nullptr);

// A small but complete workbook: worksheets (their <sheetData> inner XML and anything
// after it), shared strings, a style sheet with a bordered format and a bold font.
struct BookLayout {
    struct Sheet {
        std::string name = {};
        std::string sheetData = {};     // rows, inside <sheetData>
        std::string beforeData = {};    // elements between <worksheet> and <sheetData>
        std::string afterData = {};     // elements after </sheetData>
        std::string prefix = {};        // "x" for a prefixed worksheet part
    };
    std::vector<Sheet> sheets = {};
    std::vector<std::string> sharedStrings = {};   // raw <si> inner XML each
    bool withCalcChain = false;
    std::string calcChain = {};               // <c> entries
};
Parts BuildParts(const BookLayout& layout);
void WriteBook(const QString& path, const BookLayout& layout);

// Runs read_xlsx.py on the file; fails the test when it cannot read it.
QJsonObject ReadWithOpenpyxl(const QString& path);
QJsonObject SheetOf(const QJsonObject& book, int position);
QJsonObject CellOf(const QJsonObject& book, int position, const QString& ref);

} // namespace varn::test
