#include "CartModel.h"

#include "data/SqlError.h"

using namespace Qt::StringLiterals;

namespace lanfan {

CartModel::CartModel(CartService &cart, QObject *parent) : QAbstractTableModel(parent), m_cart(cart)
{
}

void CartModel::reload()
{
    beginResetModel();
    m_lines = m_cart.lines();
    endResetModel();
}

const CartLine *CartModel::lineAt(int row) const
{
    return row >= 0 && row < m_lines.size() ? &m_lines[row] : nullptr;
}

int CartModel::rowOf(qint64 id) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].id == id)
            return i;
    return -1;
}

int CartModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

int CartModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CartModel::data(const QModelIndex &index, int role) const
{
    const CartLine *l = lineAt(index.row());
    if (!l)
        return {};
    if (role == Qt::TextAlignmentRole) {
        if (index.column() >= Quantity && index.column() <= Commission)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case Name: return l->name;
    case Flavour: return l->flavour;
    case Quantity: return l->quantity.toString();
    case Price: return l->price.toString(2);
    case Amount: return l->amount.toString(2);
    case Commission: return l->commission.toString();
    case Discounted: return l->discounted;
    case KitchenPrinter: return l->kitchenPrinter;
    }
    return {};
}

QVariant CartModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList titles{u"产品名称"_s, u"口味"_s, u"数量"_s, u"单价"_s, u"应付货款"_s, u"提成"_s, u"参与打折"_s, u"后厨打印机"_s};
    return titles.value(section);
}

Qt::ItemFlags CartModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    const CartLine *l = lineAt(index.row());
    if (!l)
        return f;
    const bool protectedLine = m_protectOld && l->newOld == u"老单";
    switch (index.column()) {
    case Name:
    case Quantity:
        if (!protectedLine)
            f |= Qt::ItemIsEditable;
        break;
    case Flavour: f |= Qt::ItemIsEditable; break;
    case Price:
        if (m_priceEditable)
            f |= Qt::ItemIsEditable;
        break;
    default: break;
    }
    return f;
}

bool CartModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const CartLine *l = lineAt(index.row());
    if (!l || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const qint64 id = l->id;
    const QString text = value.toString().trimmed();
    try {
        switch (index.column()) {
        case Name:
            if (text.isEmpty() || text == l->name)
                return false;
            m_cart.setName(id, text);
            break;
        case Flavour:
            if (text == l->flavour)
                return false;
            m_cart.setFlavour(id, text);
            break;
        case Quantity:
        case Price: {
            // An emptied box counts as 0; a text that is not a number is not taken.
            const std::optional<Money> v = text.isEmpty() ? std::optional<Money>(Money()) : Money::parse(text);
            if (!v)
                return false;
            if (index.column() == Quantity) {
                if (*v == l->quantity)
                    return false;
                m_cart.setQuantity(id, *v);
            } else {
                if (*v == l->price)
                    return false;
                m_cart.setPrice(id, *v);
            }
            break;
        }
        default: return false;
        }
    } catch (const SqlError &) {
        return false;
    }
    Q_EMIT lineEdited(id);
    return true;
}

} // namespace lanfan
