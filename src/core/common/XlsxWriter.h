#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace lanfan {

// Writes an .xlsx workbook with libxlsxwriter.
//
// libxlsxwriter writes its zip container through the system's minizip, and
// QuaZip (which reads our .xlsx files) exports minizip functions of the same
// names with a different file interface. Linked into one program, whichever
// library the loader sees first answers both, and libxlsxwriter crashes
// inside QuaZip's copy. So the library is loaded here into a link namespace
// of its own, where it sees only the system minizip. Every .xlsx writer of
// the program goes through this class; nothing calls libxlsxwriter directly.
class XlsxWriter {
public:
    explicit XlsxWriter(const QString &path);
    ~XlsxWriter();
    XlsxWriter(const XlsxWriter &) = delete;
    XlsxWriter &operator=(const XlsxWriter &) = delete;

    // False when the library or the workbook could not be set up; error() says why.
    bool isValid() const { return m_workbook != nullptr; }
    QString error() const { return m_error; }

    // Adds a sheet and makes it the one written to; returns false on failure.
    bool addSheet(const QString &name = {});
    // A cell format: a number format such as "yyyy-mm-dd" or "@", bold or not.
    // Returns its number for the write calls; -1 means the default format.
    int addFormat(const QString &numberFormat, bool bold = false);

    void writeText(int row, int column, const QString &text, int format = -1);
    void writeNumber(int row, int column, double value, int format = -1);
    void writeDate(int row, int column, const QDate &date, int format);
    void setColumn(int first, int last, double width, int format = -1);

    // Writes the file. Returns an empty text, or the reason it failed.
    QString close();

private:
    void *format(int n) const;
    void keep(int code);

    void *m_workbook = nullptr;
    void *m_sheet = nullptr;
    QList<void *> m_formats;
    QString m_error;
    int m_firstError = 0;
};

} // namespace lanfan
