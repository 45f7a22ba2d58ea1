#pragma once

#include "CustomerQuery.h"

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace lanfan {

class Db;

// One cell of a sheet as read: its text, and whether the spreadsheet held it
// as a number (a date in column G is then a day serial).
struct SheetCell {
    QString text;
    bool numeric = false;
};

// The cells of a sheet by row number (1 = the header row) and column (0 = A).
struct SheetData {
    QMap<int, QVector<SheetCell>> rows;
    SheetCell cell(int row, int column) const;
};

// What reading a file came to: the sheet, or the reason it cannot be read.
struct SheetRead {
    SheetData sheet;
    QString error; // empty when read
    bool ok() const { return error.isEmpty(); }
};

// Reads the active sheet of an .xlsx workbook (shared strings, inline
// strings, numbers, booleans; 1900 and 1904 date systems).
SheetRead readXlsx(const QString &path);
// Reads a .csv file (UTF-8, with or without byte order mark, or GBK).
SheetRead readCsv(const QString &path);
// By the file's extension.
SheetRead readSheet(const QString &path);

// The date of a spreadsheet day serial.
QDate dateFromSerial(double serial, bool date1904 = false);
// A date typed as text: "2020-01-05", "2020/1/5", "2020.1.5", "2020年1月5日", with or without a time.
QDate dateFromText(const QString &text);

// Writes the customers of a query: a header row of the list's titles, then
// one row per customer. The phone is written as text, the birthday as a date.
// Return an empty text, or the reason the file could not be written.
QString writeCustomersXlsx(Db &db, const CustomerQuery &query, const QString &path);
QString writeCustomersCsv(Db &db, const CustomerQuery &query, const QString &path);

// The import of a sheet in the layout of columns A to S (from row 2 until the
// first row whose address, column H, is empty).
struct ImportOutcome {
    int imported = 0;
    QList<int> failedRows;
    QStringList memo; // one line per failed row
};

class CustomerImporter {
public:
    // Called after each row with the rows done and the rows to do; a false
    // answer stops the import after that row.
    using Progress = std::function<bool(int done, int total)>;

    explicit CustomerImporter(Db &db) : m_db(db) {}

    // The rows that will be imported: from row 2 to the row before the first
    // empty column H.
    static int rowsToImport(const SheetData &sheet);
    // Inserts every row. A row whose value does not fit its column or whose
    // insert fails is left out whole and named in the memo; the others go on.
    ImportOutcome run(const SheetData &sheet, const Progress &progress = {});

    static QString failureLine(int row);
    static QString finishedMessage() { return QStringLiteral("导入完毕"); }

private:
    Db &m_db;
};

} // namespace lanfan
