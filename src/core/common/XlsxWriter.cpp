#include "XlsxWriter.h"

#include <QFile>

#include <dlfcn.h>
#include <xlsxwriter.h>

namespace lanfan {

namespace {

// The functions of the privately loaded library.
struct Api {
    decltype(&::workbook_new) workbookNew = nullptr;
    decltype(&::workbook_add_worksheet) addWorksheet = nullptr;
    decltype(&::workbook_add_format) addFormat = nullptr;
    decltype(&::format_set_num_format) setNumFormat = nullptr;
    decltype(&::format_set_bold) setBold = nullptr;
    decltype(&::worksheet_write_string) writeString = nullptr;
    decltype(&::worksheet_write_number) writeNumber = nullptr;
    decltype(&::worksheet_write_datetime) writeDatetime = nullptr;
    decltype(&::worksheet_set_column) setColumn = nullptr;
    decltype(&::workbook_close) close = nullptr;
    decltype(&::lxw_strerror) strerror = nullptr;
    QString error;
};

template <typename F>
bool resolve(void *handle, const char *name, F *out)
{
    *out = reinterpret_cast<F>(dlsym(handle, name));
    return *out != nullptr;
}

const Api &api()
{
    static const Api loaded = [] {
        Api a;
        void *h = dlmopen(LM_ID_NEWLM, "libxlsxwriter.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!h)
            h = dlopen("libxlsxwriter.so.4", RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
        if (!h) {
            a.error = QString::fromLocal8Bit(dlerror());
            return a;
        }
        const bool ok = resolve(h, "workbook_new", &a.workbookNew) && resolve(h, "workbook_add_worksheet", &a.addWorksheet)
                        && resolve(h, "workbook_add_format", &a.addFormat)
                        && resolve(h, "format_set_num_format", &a.setNumFormat) && resolve(h, "format_set_bold", &a.setBold)
                        && resolve(h, "worksheet_write_string", &a.writeString)
                        && resolve(h, "worksheet_write_number", &a.writeNumber)
                        && resolve(h, "worksheet_write_datetime", &a.writeDatetime)
                        && resolve(h, "worksheet_set_column", &a.setColumn) && resolve(h, "workbook_close", &a.close)
                        && resolve(h, "lxw_strerror", &a.strerror);
        if (!ok) {
            a = Api{};
            a.error = QStringLiteral("libxlsxwriter is incomplete");
        }
        return a;
    }();
    return loaded;
}

} // namespace

XlsxWriter::XlsxWriter(const QString &path)
{
    const Api &a = api();
    if (!a.workbookNew) {
        m_error = a.error;
        return;
    }
    const QByteArray name = QFile::encodeName(path);
    m_workbook = a.workbookNew(name.constData());
    if (!m_workbook)
        m_error = path;
}

XlsxWriter::~XlsxWriter()
{
    if (m_workbook)
        close();
}

bool XlsxWriter::addSheet(const QString &name)
{
    if (!m_workbook)
        return false;
    const QByteArray n = name.toUtf8();
    m_sheet = api().addWorksheet(static_cast<lxw_workbook *>(m_workbook), name.isEmpty() ? nullptr : n.constData());
    return m_sheet != nullptr;
}

int XlsxWriter::addFormat(const QString &numberFormat, bool bold)
{
    if (!m_workbook)
        return -1;
    lxw_format *f = api().addFormat(static_cast<lxw_workbook *>(m_workbook));
    if (!f)
        return -1;
    if (!numberFormat.isEmpty())
        api().setNumFormat(f, numberFormat.toUtf8().constData());
    if (bold)
        api().setBold(f);
    m_formats.append(f);
    return int(m_formats.size() - 1);
}

void *XlsxWriter::format(int n) const
{
    return n >= 0 && n < m_formats.size() ? m_formats[n] : nullptr;
}

void XlsxWriter::keep(int code)
{
    if (code != LXW_NO_ERROR && m_firstError == LXW_NO_ERROR)
        m_firstError = code;
}

void XlsxWriter::writeText(int row, int column, const QString &text, int fmt)
{
    if (!m_sheet)
        return;
    keep(api().writeString(static_cast<lxw_worksheet *>(m_sheet), lxw_row_t(row), lxw_col_t(column), text.toUtf8().constData(),
                           static_cast<lxw_format *>(format(fmt))));
}

void XlsxWriter::writeNumber(int row, int column, double value, int fmt)
{
    if (!m_sheet)
        return;
    keep(api().writeNumber(static_cast<lxw_worksheet *>(m_sheet), lxw_row_t(row), lxw_col_t(column), value,
                           static_cast<lxw_format *>(format(fmt))));
}

void XlsxWriter::writeDate(int row, int column, const QDate &date, int fmt)
{
    if (!m_sheet || !date.isValid())
        return;
    lxw_datetime dt{date.year(), date.month(), date.day(), 0, 0, 0};
    keep(api().writeDatetime(static_cast<lxw_worksheet *>(m_sheet), lxw_row_t(row), lxw_col_t(column), &dt,
                             static_cast<lxw_format *>(format(fmt))));
}

void XlsxWriter::setColumn(int first, int last, double width, int fmt)
{
    if (!m_sheet)
        return;
    keep(api().setColumn(static_cast<lxw_worksheet *>(m_sheet), lxw_col_t(first), lxw_col_t(last), width,
                         static_cast<lxw_format *>(format(fmt))));
}

QString XlsxWriter::close()
{
    if (!m_workbook)
        return m_error.isEmpty() ? QStringLiteral("no workbook") : m_error;
    const lxw_error err = api().close(static_cast<lxw_workbook *>(m_workbook));
    m_workbook = nullptr;
    m_sheet = nullptr;
    m_formats.clear();
    if (err != LXW_NO_ERROR)
        return QString::fromUtf8(api().strerror(err));
    if (m_firstError != LXW_NO_ERROR)
        return QString::fromUtf8(api().strerror(lxw_error(m_firstError)));
    return {};
}

} // namespace lanfan
