#pragma once

#include "Skin.h"
#include "app/Login.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSerialPort;

namespace lanfan {

class AppContext;
class Tmain;

// The login window "用户登陆": the operator, the password and the caller-ID
// device of this run. A successful login builds and shows the main window
// (which this window keeps for the whole run) and hides this one; closing
// it before that ends the program.
class Tlogin : public QDialog, private LoginHost {
    Q_OBJECT
public:
    explicit Tlogin(AppContext &context, QWidget *parent = nullptr);
    ~Tlogin() override;

    Tmain *mainWindow() const { return m_main.get(); }
    Skin &skin() { return m_skin; }

    // How the customer display's port is opened at login (port number,
    // baud); by default the serial port of that COM number is opened.
    void setCustomerDisplayOpener(std::function<bool(int port, int baud)> opener);

    // The device boxes as they stand.
    DeviceChoice deviceChoice() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void build();
    void prepare();
    void applyEnglish();
    void logInClicked();
    void serialTicked(bool on);
    void usbTicked(bool on);
    void usbTypeChosen(const QString &type);
    void fillComPorts();
    QString caption() const;

    // LoginHost
    void showStep(const QString &code) override;
    void createWindows() override;
    void applyRights(const Operator &op) override;
    void showOperator(const QString &name) override;
    void wait(int milliseconds) override;
    void settingsLoaded() override;
    bool openCustomerDisplay(int port, int baud) override;
    void showMainWindow() override;

    AppContext &m_context;
    Skin m_skin;
    std::unique_ptr<Tmain> m_main;
    std::unique_ptr<QSerialPort> m_display;
    std::function<bool(int, int)> m_displayOpener;
    bool m_prepared = false;

    QLabel *m_title = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLabel *Label2 = nullptr;
    QCheckBox *cb1 = nullptr;
    QLabel *Label4 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QLabel *Label5 = nullptr;
    QComboBox *ComboBox3 = nullptr;
    QCheckBox *cb2 = nullptr;
    QLabel *Label6 = nullptr;
    QComboBox *ComboBox4 = nullptr;
    QLabel *Label7 = nullptr;
    QComboBox *ComboBox5 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
};

} // namespace lanfan
