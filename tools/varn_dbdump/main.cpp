// Prints the rows of one table or view of a program database, tab-separated with a header
// line, or lists its tables and views. The file is opened read-only and never changed.
//
//   varn_dbdump <database file> [password] [table-or-view]
//
// Give "" as the password for a plain file. Tabs, line breaks and backslashes inside a
// value are written as \t, \n, \r and \\ so that every row stays on one line.

#include "platform/db/Database.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

using namespace varn;

namespace {

QString cell(const QVariant& v)
{
    if (v.typeId() == QMetaType::QByteArray)
        return QStringLiteral("0x") + QString::fromLatin1(v.toByteArray().toHex());
    QString s = v.toString();
    s.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    s.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    s.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    s.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return s;
}

void listObjects(Database& db, QTextStream& out)
{
    out << "type\tname\n";
    Recordset rs = db.openRecordset(QStringLiteral(
        "SELECT type, name FROM sqlite_master WHERE type IN ('table', 'view') "
        "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY type, name"));
    for (; !rs.eof(); rs.moveNext())
        out << rs.text(0) << '\t' << rs.text(1) << '\n';
}

// The stored spelling of a table or view, or empty when the file has none by that name.
QString findObject(Database& db, const QString& name)
{
    Recordset rs = db.openRecordset(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type IN ('table', 'view') AND name = ? COLLATE NOCASE"),
        {name});
    return rs.eof() ? QString() : rs.text(0);
}

void dumpObject(Database& db, const QString& name, QTextStream& out)
{
    Recordset rs = db.openRecordset(name);
    QStringList header;
    for (int i = 0; i < rs.fieldCount(); ++i)
        header << cell(rs.fieldName(i));
    out << header.join(QLatin1Char('\t')) << '\n';
    for (; !rs.eof(); rs.moveNext()) {
        QStringList row;
        for (int i = 0; i < rs.fieldCount(); ++i)
            row << cell(rs.value(i));
        out << row.join(QLatin1Char('\t')) << '\n';
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);

    if (args.isEmpty() || args.size() > 3 || args.first() == QLatin1String("--help")) {
        err << "usage: varn_dbdump <database file> [password] [table-or-view]\n"
               "  without a table or view: lists the tables and views of the file\n"
               "  give \"\" as the password for a file without one\n";
        return 2;
    }

    try {
        auto db = Database::open(args.at(0), args.value(1), /*readOnly=*/true);
        if (args.size() < 3) {
            listObjects(*db, out);
            return 0;
        }
        const QString name = findObject(*db, args.at(2));
        if (name.isEmpty()) {
            err << "varn_dbdump: no table or view named '" << args.at(2) << "'\n";
            return 1;
        }
        dumpObject(*db, name, out);
    } catch (const DbError& e) {
        err << "varn_dbdump: error " << e.number() << ": " << e.description() << '\n';
        return 1;
    }
    return 0;
}
