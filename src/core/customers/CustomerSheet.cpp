#include "CustomerSheet.h"

#include "common/Money.h"
#include "common/XlsxWriter.h"
#include "data/Db.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <cmath>

using namespace Qt::StringLiterals;

namespace lanfan {

SheetCell SheetData::cell(int row, int column) const
{
    auto it = rows.constFind(row);
    if (it == rows.cend() || column < 0 || column >= it->size())
        return {};
    return it->at(column);
}

namespace {

// ---- reading .xlsx ---------------------------------------------------------

struct ZipReadError {
    QString text;
};

QByteArray zipEntry(QuaZip &zip, const QString &name, bool required)
{
    QString wanted = name;
    if (wanted.startsWith(u'/'))
        wanted.remove(0, 1);
    if (!zip.setCurrentFile(wanted, QuaZip::csInsensitive)) {
        if (required)
            throw ZipReadError{u"缺少 "_s + wanted};
        return {};
    }
    QuaZipFile f(&zip);
    if (!f.open(QIODevice::ReadOnly))
        throw ZipReadError{u"无法读取 "_s + wanted};
    QByteArray bytes = f.readAll();
    f.close();
    if (f.getZipError() != UNZ_OK)
        throw ZipReadError{u"损坏的 "_s + wanted};
    return bytes;
}

void checkXml(const QXmlStreamReader &x, const QString &part)
{
    if (x.hasError())
        throw ZipReadError{part + u": "_s + x.errorString()};
}

// Text of an <si> or <is> element: its <t>, or the <t> of its runs.
QString richText(QXmlStreamReader &x)
{
    const QString end = x.name().toString();
    QString out;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == u"t"_s)
            out += x.readElementText();
        else if (x.isStartElement() && x.name() == u"rPh"_s)
            x.skipCurrentElement(); // phonetic hints are not part of the text
        else if (x.isEndElement() && x.name() == end)
            break;
    }
    return out;
}

// "AB12" → column 27 (from 0), row 12; false when it is not a reference.
bool parseRef(QStringView ref, int *column, int *row)
{
    int i = 0, col = 0;
    while (i < ref.size() && ref[i].isLetter()) {
        col = col * 26 + (ref[i].toUpper().unicode() - u'A' + 1);
        ++i;
        if (col > 16384)
            return false;
    }
    if (i == 0 || i == ref.size())
        return false;
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (!ok || r < 1)
        return false;
    *column = col - 1;
    *row = r;
    return true;
}

QString numberText(const QString &raw, bool *ok)
{
    const double d = raw.trimmed().toDouble(ok);
    if (!*ok || !std::isfinite(d)) {
        *ok = false;
        return {};
    }
    if (d == std::floor(d) && std::fabs(d) < 1e15)
        return QString::number(qint64(d));
    return QString::number(d, 'g', 15);
}

} // namespace

QDate dateFromSerial(double serial, bool date1904)
{
    if (!std::isfinite(serial) || serial < 0 || serial > 2958465)
        return {};
    const qint64 days = qint64(std::floor(serial));
    if (date1904)
        return QDate(1904, 1, 1).addDays(days);
    // The 1900 system counts a 29 February 1900 that never was.
    if (days < 60)
        return QDate(1899, 12, 31).addDays(days);
    return QDate(1899, 12, 30).addDays(days);
}

QDate dateFromText(const QString &input)
{
    static const QRegularExpression re(
        uR"(^\s*(\d{4})\s*[-/.年]\s*(\d{1,2})\s*[-/.月]\s*(\d{1,2})\s*日?(?:[ T]+\d{1,2}:\d{1,2}(?::\d{1,2})?)?\s*$)"_s);
    const auto m = re.match(input);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

SheetRead readXlsx(const QString &path)
{
    SheetRead out;
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip)) {
        out.error = u"不是有效的 xlsx 文件"_s;
        return out;
    }
    try {
        // The workbook: its sheets, the active one, the date system.
        QXmlStreamReader wb(zipEntry(zip, u"xl/workbook.xml"_s, true));
        QStringList sheetRels;
        int activeTab = 0;
        bool date1904 = false;
        while (!wb.atEnd()) {
            wb.readNext();
            if (!wb.isStartElement())
                continue;
            if (wb.name() == u"sheet"_s) {
                QString rid;
                for (const auto &a : wb.attributes())
                    if (a.name() == u"id"_s)
                        rid = a.value().toString();
                sheetRels << rid;
            } else if (wb.name() == u"workbookView"_s) {
                activeTab = wb.attributes().value(u"activeTab"_s).toInt();
            } else if (wb.name() == u"workbookPr"_s) {
                const auto v = wb.attributes().value(u"date1904"_s);
                date1904 = v == u"1"_s || v == u"true"_s;
            }
        }
        checkXml(wb, u"workbook.xml"_s);
        if (sheetRels.isEmpty())
            throw ZipReadError{u"工作簿中没有工作表"_s};
        if (activeTab < 0 || activeTab >= sheetRels.size())
            activeTab = 0;

        // Where the sheet and the shared strings are.
        QHash<QString, QString> targets;
        QString sharedTarget;
        {
            QXmlStreamReader rels(zipEntry(zip, u"xl/_rels/workbook.xml.rels"_s, false));
            while (!rels.atEnd()) {
                rels.readNext();
                if (rels.isStartElement() && rels.name() == u"Relationship"_s) {
                    const auto at = rels.attributes();
                    QString target = at.value(u"Target"_s).toString();
                    target = target.startsWith(u'/') ? target.mid(1) : u"xl/"_s + target;
                    targets.insert(at.value(u"Id"_s).toString(), target);
                    if (at.value(u"Type"_s).endsWith(u"/sharedStrings"_s))
                        sharedTarget = target;
                }
            }
            checkXml(rels, u"workbook.xml.rels"_s);
        }
        const QString sheetPath = targets.value(sheetRels[activeTab], u"xl/worksheets/sheet%1.xml"_s.arg(activeTab + 1));
        if (sharedTarget.isEmpty())
            sharedTarget = u"xl/sharedStrings.xml"_s;

        QStringList shared;
        if (const QByteArray bytes = zipEntry(zip, sharedTarget, false); !bytes.isEmpty()) {
            QXmlStreamReader ss(bytes);
            while (!ss.atEnd()) {
                ss.readNext();
                if (ss.isStartElement() && ss.name() == u"si"_s)
                    shared << richText(ss);
            }
            checkXml(ss, u"sharedStrings.xml"_s);
        }

        QXmlStreamReader sx(zipEntry(zip, sheetPath, true));
        int currentRow = 0;
        int nextColumn = 0;
        bool sawSheetData = false;
        while (!sx.atEnd()) {
            sx.readNext();
            if (!sx.isStartElement())
                continue;
            if (sx.name() == u"sheetData"_s) {
                sawSheetData = true;
            } else if (sx.name() == u"row"_s) {
                const auto r = sx.attributes().value(u"r"_s);
                bool ok = false;
                const int n = r.toInt(&ok);
                currentRow = ok && n > 0 ? n : currentRow + 1;
                nextColumn = 0;
            } else if (sx.name() == u"c"_s) {
                const auto at = sx.attributes();
                int column = nextColumn, row = currentRow;
                if (at.hasAttribute(u"r"_s) && !parseRef(at.value(u"r"_s), &column, &row))
                    throw ZipReadError{u"单元格引用无效："_s + at.value(u"r"_s).toString()};
                if (row < 1)
                    row = currentRow > 0 ? currentRow : 1;
                nextColumn = column + 1;
                const QString type = at.value(u"t"_s).toString();
                QString raw;
                bool hasInline = false;
                while (!sx.atEnd()) {
                    sx.readNext();
                    if (sx.isStartElement() && sx.name() == u"v"_s) {
                        raw = sx.readElementText();
                    } else if (sx.isStartElement() && sx.name() == u"is"_s) {
                        raw = richText(sx);
                        hasInline = true;
                    } else if (sx.isStartElement()) {
                        sx.skipCurrentElement(); // formulas and extensions
                    } else if (sx.isEndElement() && sx.name() == u"c"_s) {
                        break;
                    }
                }
                SheetCell cell;
                if (type == u"s"_s) {
                    bool ok = false;
                    const int ix = raw.toInt(&ok);
                    if (!ok || ix < 0 || ix >= shared.size())
                        throw ZipReadError{u"共享字符串编号无效："_s + raw};
                    cell.text = shared[ix];
                } else if (type == u"inlineStr"_s || hasInline || type == u"str"_s || type == u"e"_s) {
                    cell.text = raw;
                } else if (type == u"b"_s) {
                    cell.text = raw.trimmed() == u"1"_s ? u"TRUE"_s : u"FALSE"_s;
                } else if (type == u"d"_s) {
                    cell.text = raw;
                } else if (!raw.isEmpty()) {
                    bool ok = false;
                    const QString t = numberText(raw, &ok);
                    if (!ok)
                        throw ZipReadError{u"数值无效："_s + raw};
                    cell.text = t;
                    cell.numeric = true;
                }
                auto &cells = out.sheet.rows[row];
                if (cells.size() <= column)
                    cells.resize(column + 1);
                cells[column] = cell;
            }
        }
        checkXml(sx, QFileInfo(sheetPath).fileName());
        if (!sawSheetData)
            throw ZipReadError{u"工作表中没有数据区"_s};
        if (date1904) {
            // Column G is the birthday: shift 1904 serials into the 1900 count.
            for (auto &cells : out.sheet.rows) {
                if (cells.size() > 6 && cells[6].numeric) {
                    const QDate d = dateFromSerial(cells[6].text.toDouble(), true);
                    if (d.isValid())
                        cells[6].text = QString::number(QDate(1899, 12, 30).daysTo(d));
                }
            }
        }
    } catch (const ZipReadError &e) {
        out.sheet = {};
        out.error = e.text;
    }
    zip.close();
    return out;
}

SheetRead readCsv(const QString &path)
{
    SheetRead out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        out.error = f.errorString();
        return out;
    }
    QByteArray bytes = f.readAll();
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
        text = QString::fromUtf8(bytes);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8);
        text = utf8.decode(bytes);
        if (utf8.hasError()) {
            QStringDecoder gbk("GBK");
            if (!gbk.isValid()) {
                out.error = u"无法识别文件的编码"_s;
                return out;
            }
            text = gbk.decode(bytes);
            if (gbk.hasError()) {
                out.error = u"无法识别文件的编码"_s;
                return out;
            }
        }
    }
    if (text.contains(QChar(0))) {
        out.error = u"不是文本文件"_s;
        return out;
    }
    int row = 1;
    QVector<SheetCell> cells;
    QString field;
    bool quoted = false, fieldStarted = false, any = false;
    auto endField = [&] {
        cells.append({field, false});
        field.clear();
        fieldStarted = false;
    };
    auto endRow = [&] {
        endField();
        out.sheet.rows.insert(row++, cells);
        cells.clear();
    };
    const int n = int(text.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = text[i];
        any = true;
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == u',') {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            endRow();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        out.sheet = {};
        out.error = u"引号没有结束"_s;
        return out;
    }
    if (any && (fieldStarted || !cells.isEmpty() || !field.isEmpty()))
        endRow();
    return out;
}

SheetRead readSheet(const QString &path)
{
    if (QFileInfo(path).suffix().compare(u"csv"_s, Qt::CaseInsensitive) == 0)
        return readCsv(path);
    return readXlsx(path);
}

// ---- writing ---------------------------------------------------------------

namespace {

bool isNumericField(const QString &f)
{
    return f == u"购物次数"_s || f == u"购物金额"_s || f == u"积分"_s || f == u"帐户余额"_s || f == u"生日月"_s
           || f == u"生日日"_s || f == u"id"_s;
}

QString cellText(const QString &field, const QVariant &v)
{
    if (v.isNull())
        return {};
    if (isNumericField(field))
        return Money::fromVariant(v).toString();
    return v.toString();
}

QString csvField(const QString &s)
{
    if (s.contains(u',') || s.contains(u'"') || s.contains(u'\n') || s.contains(u'\r'))
        return u'"' + QString(s).replace(u"\""_s, u"\"\""_s) + u'"';
    return s;
}

} // namespace

QString writeCustomersXlsx(Db &db, const CustomerQuery &query, const QString &path)
{
    XlsxWriter xlsx(path);
    if (!xlsx.isValid() || !xlsx.addSheet(u"客户资料"_s))
        return u"无法创建文件："_s + path + (xlsx.error().isEmpty() ? QString() : u"（"_s + xlsx.error() + u"）"_s);
    const int dateFormat = xlsx.addFormat(u"yyyy-mm-dd"_s);
    const int textFormat = xlsx.addFormat(u"@"_s);
    const int bold = xlsx.addFormat({}, true);

    const QStringList &fields = customerListFields();
    for (int c = 0; c < fields.size(); ++c)
        xlsx.writeText(0, c, customerFieldTitle(fields[c]), bold);
    const int phoneColumn = int(fields.indexOf(u"联系电话"_s));
    xlsx.setColumn(phoneColumn, phoneColumn, 16, textFormat);

    try {
        QSqlQuery q = db.exec(query.selectSql(), query.params);
        int row = 1;
        while (q.next()) {
            for (int c = 0; c < fields.size(); ++c) {
                const QString &f = fields[c];
                const QVariant v = q.value(c);
                if (v.isNull())
                    continue;
                if (f == u"生日"_s) {
                    const QDate d = QDate::fromString(v.toString().left(10), u"yyyy-MM-dd"_s);
                    if (d.isValid()) {
                        xlsx.writeDate(row, c, d, dateFormat);
                        continue;
                    }
                }
                if (isNumericField(f)) {
                    xlsx.writeNumber(row, c, Money::fromVariant(v).toDouble());
                    continue;
                }
                const QString s = v.toString();
                if (!s.isEmpty())
                    xlsx.writeText(row, c, s, c == phoneColumn ? textFormat : -1);
            }
            ++row;
        }
        q.finish();
    } catch (const SqlError &e) {
        xlsx.close();
        QFile::remove(path);
        return e.text();
    }
    const QString error = xlsx.close();
    if (!error.isEmpty())
        return error + u"："_s + path;
    return {};
}

QString writeCustomersCsv(Db &db, const CustomerQuery &query, const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return f.errorString() + u"："_s + path;
    const QStringList &fields = customerListFields();
    QStringList header;
    for (const QString &field : fields)
        header << csvField(customerFieldTitle(field));
    QByteArray out = "\xEF\xBB\xBF";
    out += header.join(u',').toUtf8() + "\r\n";
    try {
        QSqlQuery q = db.exec(query.selectSql(), query.params);
        while (q.next()) {
            QStringList line;
            for (int c = 0; c < fields.size(); ++c)
                line << csvField(cellText(fields[c], q.value(c)));
            out += line.join(u',').toUtf8() + "\r\n";
        }
        q.finish();
    } catch (const SqlError &e) {
        f.close();
        f.remove();
        return e.text();
    }
    if (f.write(out) != out.size() || !f.flush())
        return f.errorString() + u"："_s + path;
    return {};
}

// ---- importing -------------------------------------------------------------

namespace {

// Columns A to S.
const QStringList &importFields()
{
    static const QStringList fields = [] {
        QStringList f = customerListFields();
        f.removeLast(); // id
        return f;
    }();
    return fields;
}

constexpr int kAddressColumn = 7; // H

enum class Kind { Text, Date, Money, Number, OptionalNumber };

Kind kindOf(int column)
{
    switch (column) {
    case 6: return Kind::Date;            // G 生日
    case 10: return Kind::Number;         // K 购物次数
    case 11: return Kind::Money;          // L 购物金额
    case 12: return Kind::Number;         // M 积分
    case 16: return Kind::Money;          // Q 帐户余额
    case 17:                              // R 生日月
    case 18: return Kind::OptionalNumber; // S 生日日
    default: return Kind::Text;
    }
}

// The insert's parameters for one sheet row; false when a value does not fit.
bool rowParams(const SheetData &sheet, int row, SqlParams *params)
{
    const QStringList &fields = importFields();
    for (int c = 0; c < fields.size(); ++c) {
        const SheetCell cell = sheet.cell(row, c);
        const QString text = cell.text.trimmed();
        QVariant value;
        switch (kindOf(c)) {
        case Kind::Text: value = text.isEmpty() ? QString(u""_s) : text; break; // empty text, not null
        case Kind::Date:
            if (text.isEmpty()) {
                value = QVariant(QMetaType::fromType<QString>());
            } else {
                QDate d;
                if (cell.numeric)
                    d = dateFromSerial(text.toDouble());
                else
                    d = dateFromText(text);
                if (!d.isValid())
                    return false;
                value = d;
            }
            break;
        case Kind::Money:
        case Kind::Number:
            if (text.isEmpty()) {
                value = QVariant::fromValue(Money());
            } else {
                const auto m = Money::parse(text);
                if (!m)
                    return false;
                value = QVariant::fromValue(*m);
            }
            break;
        case Kind::OptionalNumber:
            if (text.isEmpty()) {
                value = QVariant(QMetaType::fromType<QString>());
            } else {
                const auto m = Money::parse(text);
                if (!m)
                    return false;
                value = QVariant::fromValue(*m);
            }
            break;
        }
        params->insert(fields[c], value);
    }
    return true;
}

} // namespace

QString CustomerImporter::failureLine(int row)
{
    return u"行数为："_s + QString::number(row) + u"的数据插入错误"_s;
}

int CustomerImporter::rowsToImport(const SheetData &sheet)
{
    int row = 2;
    while (!sheet.cell(row, kAddressColumn).text.trimmed().isEmpty())
        ++row;
    return row - 2;
}

ImportOutcome CustomerImporter::run(const SheetData &sheet, const Progress &progress)
{
    ImportOutcome out;
    const int total = rowsToImport(sheet);
    const QStringList &fields = importFields();
    QStringList marks;
    for (const QString &f : fields)
        marks << u':' + f;
    const QString insert = u"insert into 客户资料 ("_s + fields.join(u',') + u") values ("_s + marks.join(u',') + u')';

    // Rows are stored in batches, each row behind a savepoint of its own, so
    // a failing row leaves nothing behind and does not undo the others.
    constexpr int kBatch = 200;
    int done = 0;
    bool stop = false;
    while (done < total && !stop) {
        Transaction tx(m_db);
        for (int i = 0; i < kBatch && done < total && !stop; ++i, ++done) {
            const int row = 2 + done;
            SqlParams params;
            bool stored = false;
            if (rowParams(sheet, row, &params)) {
                try {
                    m_db.execute(u"SAVEPOINT import_row"_s);
                    try {
                        m_db.execute(insert, params);
                        m_db.execute(u"RELEASE SAVEPOINT import_row"_s);
                        stored = true;
                    } catch (const SqlError &) {
                        m_db.execute(u"ROLLBACK TO SAVEPOINT import_row"_s);
                        m_db.execute(u"RELEASE SAVEPOINT import_row"_s);
                    }
                } catch (const SqlError &) {
                    stored = false;
                }
            }
            if (stored) {
                ++out.imported;
            } else {
                out.failedRows << row;
                out.memo << failureLine(row);
            }
            if (progress && !progress(done + 1, total))
                stop = true;
        }
        tx.commit();
    }
    return out;
}

} // namespace lanfan
