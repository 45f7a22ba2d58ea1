#include "orders/OrderForms.h"

#include "orders/Txiaoshou.h"

#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace lanfan {

OrderForms::OrderForms(AppContext &ctx, QObject *parent) : QObject(parent), m_ctx(ctx) {}

OrderForms::~OrderForms()
{
    for (const QPointer<Txiaoshou2> &p : std::as_const(m_popups))
        if (p)
            p->closed = nullptr;
    delete m_manual;
}

void OrderForms::wire(OrderFormWindow *form)
{
    form->refreshBoard = [this](const QString &number) {
        if (refreshBoard)
            refreshBoard(number);
    };
    form->openModification = openModification;
    if (openCustomerList)
        form->openCustomerList = openCustomerList;
    if (printOverride)
        form->printAction = printOverride;
}

Txiaoshou *OrderForms::manualForm()
{
    if (!m_manual) {
        m_manual = new Txiaoshou(m_ctx);
        wire(m_manual);
    }
    return m_manual;
}

Txiaoshou *OrderForms::openManual()
{
    Txiaoshou *form = manualForm();
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

Txiaoshou2 *OrderForms::createPopup(const CallPopupInputs &in)
{
    auto *form = new Txiaoshou2(m_ctx);
    wire(form);
    if (!in.key.isEmpty())
        form->setObjectName(in.key);
    form->Edit9->setText(in.phone);
    form->laidian_haoma = in.callNumber;
    form->kaidan_laiyuan = in.source;
    if (!in.caption.isEmpty())
        form->setWindowTitle(in.caption);
    form->Label21->setText(in.callTime);
    form->Label31->setText(in.recording);
    form->Edit8->setText(in.memberCode);
    form->callHistoryId = in.historyId;
    form->closed = [this](OrderFormWindow *closing) {
        // Step 4 of closing: the popup leaves the list of open popups.
        for (qsizetype i = 0; i < m_popups.size(); ++i)
            if (m_popups[i].data() == closing) {
                m_popups.removeAt(i);
                break;
            }
    };
    m_popups.append(form);
    return form;
}

QList<Txiaoshou2 *> OrderForms::popups() const
{
    QList<Txiaoshou2 *> out;
    for (const QPointer<Txiaoshou2> &p : m_popups)
        if (p)
            out << p.data();
    return out;
}

Txiaoshou2 *OrderForms::newestPopup() const
{
    const QList<Txiaoshou2 *> all = popups();
    return all.isEmpty() ? nullptr : all.last();
}

} // namespace lanfan
