#pragma once

#include "customers/CustomerPicker.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

namespace lanfan {

class AppContext;
class OrderFormWindow;
class Txiaoshou;
class Txiaoshou2;

// What the call intake gives a new call popup.
struct CallPopupInputs {
    QString key;          // window name: "a" + the number without "-", or "asg" + the member code
    QString phone;        // Edit9
    QString callNumber;   // laidian_haoma
    QString source;       // kaidan_laiyuan
    QString caption;      // window caption
    QString callTime;     // Label21, "yyyy-MM-dd HH:mm:ss"
    QString recording;    // Label31
    QString memberCode;   // Edit8 (member-code path)
    QString historyId;    // 来电历史记录表.编号 of the call, when known
};

// The takeaway order forms of the program: the one manual form and the open
// call popups (laidian_chuangkou). The main window owns one and sets the
// hooks; every form it makes gets them.
class OrderForms : public QObject {
    Q_OBJECT
public:
    explicit OrderForms(AppContext &ctx, QObject *parent = nullptr);
    ~OrderForms() override;

    // The main board: re-select the order (empty: keep the selection) and refresh.
    std::function<void(const QString &orderNumber)> refreshBoard;
    // The order modification form on an order, read only when paid. Unset: not available.
    std::function<void(const QString &orderNumber, bool readOnly)> openModification;
    // The customer list in picker mode. Unset: each form opens a list of its own.
    std::function<void(const CustomerPickRequest &request)> openCustomerList;
    // The receipt and kitchen tickets of a saved order. Unset: the printing of the forms.
    std::function<void(const QString &orderNumber)> printOverride;

    // "外卖开单F1": the manual form, created once, shown and brought to the front.
    Txiaoshou *openManual();
    Txiaoshou *manualForm();

    // A new call popup with the intake's inputs set; not yet shown. The
    // intake shows it and presses its "查询" button (Button6, or Button9 on
    // the member-code path).
    Txiaoshou2 *createPopup(const CallPopupInputs &inputs);
    QList<Txiaoshou2 *> popups() const;
    // The popup a customer picked from the list goes to: the newest one.
    Txiaoshou2 *newestPopup() const;

private:
    void wire(OrderFormWindow *form);

    AppContext &m_ctx;
    Txiaoshou *m_manual = nullptr;
    QList<QPointer<Txiaoshou2>> m_popups;
};

} // namespace lanfan
