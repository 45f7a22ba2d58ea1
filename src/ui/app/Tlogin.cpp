#include "Tlogin.h"

#include "EntryWiring.h"
#include "Tmain.h"
#include "app/AppContext.h"
#include "app/ComPorts.h"
#include "common/Prompter.h"
#include "data/Schema.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

QComboBox *comboBox(QWidget *parent, const QString &name, const QStringList &items, bool editable)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(editable);
    box->addItems(items);
    return box;
}

QLabel *label(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

void keepPlaceWhenHidden(QWidget *w)
{
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

} // namespace

Tlogin::Tlogin(AppContext &context, QWidget *parent)
    : QDialog(parent), m_context(context), m_skin(context.folder().skin())
{
    setObjectName(u"Tlogin"_s);
    setWindowTitle(caption());
    if (m_context.settings().is(u"换肤"_s, u"是"_s))
        m_skin.setActive(true);
    build();
    try {
        const QStringList names = operatorNames(m_context.db());
        ComboBox1->addItems(names);
        if (!names.isEmpty())
            ComboBox1->setCurrentIndex(0);
    } catch (const SqlError &e) {
        m_context.prompter().error(e.text());
    }
    m_context.deviceMode() = CallDeviceMode();
    m_displayOpener = [this](int port, int baud) {
        m_display = std::make_unique<QSerialPort>(comPortDevice(m_context.folder(), port));
        m_display->setBaudRate(baud);
        return m_display->open(QIODevice::ReadWrite);
    };
}

Tlogin::~Tlogin() = default;

QString Tlogin::caption() const
{
    return m_context.settings().is(u"版本语言"_s, u"英语"_s) ? u"Delivery Software 2010"_s : u"用户登陆"_s;
}

void Tlogin::build()
{
    m_title = label(this, u"loginTitle"_s, m_context.programTitle());
    m_title->setAlignment(Qt::AlignCenter);
    Label1 = label(this, u"Label1"_s, u"用户名："_s);
    ComboBox1 = comboBox(this, u"ComboBox1"_s, {}, true);
    Label3 = label(this, u"Label3"_s, u"密　码："_s);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(u"Edit2"_s);
    Edit2->setEchoMode(QLineEdit::Password);
    Label2 = label(this, u"Label2"_s, u"初始密码为："_s + initialPassword());

    cb1 = new QCheckBox(u"串口来电"_s, this);
    cb1->setObjectName(u"cb1"_s);
    Label4 = label(this, u"Label4"_s, u"串口号"_s);
    ComboBox2 = comboBox(this, u"ComboBox2"_s, serialPortChoices(), true);
    ComboBox2->setCurrentIndex(-1);
    Label5 = label(this, u"Label5"_s, u"类型"_s);
    ComboBox3 = comboBox(this, u"ComboBox3"_s, serialTypeChoices(), true);

    cb2 = new QCheckBox(u"USB来电录音"_s, this);
    cb2->setObjectName(u"cb2"_s);
    Label6 = label(this, u"Label6"_s, u"型号"_s);
    ComboBox4 = comboBox(this, u"ComboBox4"_s, usbTypeChoices(), false);
    Label7 = label(this, u"Label7"_s, u"路数"_s);
    ComboBox5 = comboBox(this, u"ComboBox5"_s, usbLineChoices(), true);

    BitBtn1 = new QPushButton(u"登陆"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn2 = new QPushButton(u"退出"_s, this);
    BitBtn2->setObjectName(u"BitBtn2"_s);
    // Enter in the password box logs in; no button answers Enter on its own.
    for (QPushButton *b : {BitBtn1, BitBtn2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(ComboBox1, 0, 1, 1, 4);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(Edit2, 1, 1, 1, 4);
    grid->addWidget(Label2, 2, 1, 1, 4);
    grid->addWidget(cb1, 3, 0);
    grid->addWidget(Label4, 3, 1);
    grid->addWidget(ComboBox2, 3, 2);
    grid->addWidget(Label5, 3, 3);
    grid->addWidget(ComboBox3, 3, 4);
    grid->addWidget(cb2, 4, 0);
    grid->addWidget(Label6, 4, 1);
    grid->addWidget(ComboBox4, 4, 2);
    grid->addWidget(Label7, 4, 3);
    grid->addWidget(ComboBox5, 4, 4);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    for (QWidget *w : std::initializer_list<QWidget *>{Label4, ComboBox2, Label5, ComboBox3, Label6, ComboBox4, Label7, ComboBox5})
        keepPlaceWhenHidden(w);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(14);
    layout->addWidget(m_title);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(ComboBox1, &QComboBox::activated, this, [this] { Edit2->setFocus(); });
    connect(Edit2, &QLineEdit::returnPressed, BitBtn1, &QPushButton::click);
    connect(BitBtn1, &QPushButton::clicked, this, &Tlogin::logInClicked);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(cb1, &QCheckBox::toggled, this, &Tlogin::serialTicked);
    connect(cb2, &QCheckBox::toggled, this, &Tlogin::usbTicked);
    connect(ComboBox4, &QComboBox::textActivated, this, &Tlogin::usbTypeChosen);
    serialTicked(false);
    usbTicked(false);
}

void Tlogin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_prepared) {
        m_prepared = true;
        prepare();
    }
}

void Tlogin::prepare()
{
    if (m_context.settings().is(u"版本语言"_s, u"英语"_s))
        applyEnglish();
    DeviceChoice c;
    try {
        c = loadDeviceChoice(m_context.db());
    } catch (const SqlError &e) {
        m_context.prompter().error(e.text());
    }
    if (c.serial) {
        ComboBox2->setCurrentText(c.serialPort);
        ComboBox3->setCurrentText(c.serialType);
    }
    cb1->setChecked(c.serial);
    serialTicked(c.serial);
    if (c.usb) {
        cb2->setChecked(true);
        ComboBox4->setCurrentText(c.usbType);
        usbTypeChosen(c.usbType);
        // The stored lines (or COM port of the X-type box) stay chosen when the list offers them.
        if (c.usbType != u"X型" || ComboBox5->findText(c.usbLines) >= 0)
            ComboBox5->setCurrentText(c.usbLines);
    } else {
        cb2->setChecked(false);
        usbTicked(false);
    }
    if (ComboBox1->count() > 0)
        Edit2->setFocus();
}

void Tlogin::applyEnglish()
{
    setWindowTitle(caption());
    Label1->setText(u"Login"_s);
    Label2->setText(u"Initial Password:"_s + initialPassword());
    Label3->setText(u"Password"_s);
    cb1->setText(u"Serial device"_s);
    cb2->setText(u"Usb device"_s);
    BitBtn1->setText(u"Sign In"_s);
    BitBtn2->setText(u"Cancel"_s);
}

void Tlogin::serialTicked(bool on)
{
    if (on)
        cb2->setChecked(false);
    for (QWidget *w : std::initializer_list<QWidget *>{Label4, ComboBox2, Label5, ComboBox3})
        w->setVisible(on);
}

void Tlogin::usbTicked(bool on)
{
    if (on)
        cb1->setChecked(false);
    for (QWidget *w : std::initializer_list<QWidget *>{Label6, ComboBox4, Label7, ComboBox5})
        w->setVisible(on);
}

void Tlogin::usbTypeChosen(const QString &type)
{
    if (type == u"X型") {
        Label7->setText(u"编号"_s);
        fillComPorts();
    } else {
        Label7->setText(u"路数"_s);
    }
}

void Tlogin::fillComPorts()
{
    ComboBox5->clear();
    ComboBox5->addItems(comPortNumbers(systemComPortNames(m_context.folder())));
    ComboBox5->setCurrentIndex(ComboBox5->count() - 1);
}

DeviceChoice Tlogin::deviceChoice() const
{
    DeviceChoice c;
    c.serial = cb1->isChecked();
    c.serialPort = ComboBox2->currentText();
    c.serialType = ComboBox3->currentText();
    c.usb = cb2->isChecked();
    c.usbType = ComboBox4->currentText();
    c.usbLines = ComboBox5->currentText();
    return c;
}

void Tlogin::setCustomerDisplayOpener(std::function<bool(int, int)> opener)
{
    m_displayOpener = std::move(opener);
}

void Tlogin::logInClicked()
{
    BitBtn1->setEnabled(false);
    const LoginResult result = logIn(m_context, {ComboBox1->currentText(), Edit2->text(), deviceChoice()}, *this);
    BitBtn1->setEnabled(true);
    if (result.ok)
        accept();
    else
        setWindowTitle(caption());
}

void Tlogin::showStep(const QString &code)
{
    setWindowTitle(code);
    repaint();
}

void Tlogin::createWindows()
{
    if (m_main)
        return;
    m_main = std::make_unique<Tmain>(m_context, m_skin);
    connectMainEntries(*m_main, m_context);
}

void Tlogin::applyRights(const Operator &op)
{
    m_main->applyRights(op);
}

void Tlogin::showOperator(const QString &name)
{
    m_main->showOperator(name);
}

void Tlogin::wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void Tlogin::settingsLoaded()
{
    m_main->applySettings();
}

bool Tlogin::openCustomerDisplay(int port, int baud)
{
    return m_displayOpener && m_displayOpener(port, baud);
}

void Tlogin::showMainWindow()
{
    m_main->showMaximized();
    hide();
}

} // namespace lanfan
