#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace lanfan {

class AppContext;
struct Operator;

// Messages of the operator windows.
inline const QString kEnterNameMessage = QStringLiteral("请输入用户名");
inline const QString kEnterPasswordMessage = QStringLiteral("请输入密码");
inline const QString kPasswordsDifferMessage = QStringLiteral("两次密码输入的不一致！！");
inline const QString kChooseRoleMessage = QStringLiteral("请选择权限！！");
inline const QString kNameTakenMessage = QStringLiteral("此用户名已经存在！！");
inline const QString kOperatorChangedMessage = QStringLiteral("修改完毕");
inline const QString kCannotDeleteSelfMessage = QStringLiteral("不能删除自己");
inline const QString kChooseLowerNodeMessage = QStringLiteral("请选择低一层节点");
inline const QString kConfirmDeleteMessage = QStringLiteral("确实要删除吗？");
inline const QString kNewPasswordEmptyMessage = QStringLiteral("新密码不能为空！！");
inline const QString kNewPasswordsDifferMessage = QStringLiteral("两次输入的密码不相同！！");
inline const QString kOldPasswordWrongMessage = QStringLiteral("原密码错误！！");
inline const QString kPasswordChangedMessage = QStringLiteral("密码修改成功！！");

// The rights string of a new operator: nothing granted.
inline const QString kNoRights = QString(31, u'0');

// A group of the rights editor: string Right<number>, one function per
// character.
struct RightsGroup {
    int number = 0;       // 1..5
    QString name;         // "基础数据"
    QStringList functions;
    QString nodeText() const { return QString::number(number) + QStringLiteral(". ") + name; }
};

// The five groups the editor offers, in order.
const QList<RightsGroup> &rightsGroups();
// The group whose node text is `text`, or nullptr.
const RightsGroup *rightsGroupByNode(const QString &text);

// What the operator editor's boxes hold.
struct OperatorForm {
    int id = 0;          // 0: a new operator
    QString name;
    QString password;
    QString repeat;
    QString role;        // "管理员", "操作员" or typed text
};

struct OperatorRow {
    int id = 0;
    QString name;
    QString role;
};

struct SaveResult {
    bool ok = false;
    QString message;   // the refusal, or "修改完毕" after changing an operator
};

// The operators and their rights, the password changes. Passwords are
// stored salted (Passwords.h); rows with the old digest are still accepted.
class Operators {
public:
    explicit Operators(AppContext &ctx);

    // Operator names in table order.
    QStringList names() const;
    std::optional<OperatorRow> find(int id) const;
    std::optional<OperatorRow> findByName(const QString &name) const;

    // The operator's string for the group ("" when he has none).
    QString rights(const QString &name, int group) const;
    // Stores the ticks of the group as its string, one character per
    // function (missing ticks count as unticked), and returns the string.
    QString saveRights(const QString &name, int group, const QList<bool> &ticks);

    // Checks and stores the editor's operator (new or existing).
    SaveResult save(const OperatorForm &form);

    // The refusal for deleting the selected node, or empty when it may be
    // deleted. `operatorNode`: the node is an operator, not a group.
    QString checkDelete(const QString &nodeText, bool operatorNode) const;
    void remove(const QString &name);

    // Reads the current operator's row again, so that changed rights (or a
    // changed name) take effect at once.
    void reloadCurrentOperator();

    // "修改密码": the current operator's own password. Returns the message
    // to show; "密码修改成功！！" means it was changed.
    QString changeOwnPassword(const QString &oldPassword, const QString &newPassword,
                              const QString &repeat);
    // "初始化密码修改": the password asked before the data is initialised,
    // kept as plain text in table 初始化密码.
    QString changeInitPassword(const QString &oldPassword, const QString &newPassword,
                               const QString &repeat);

private:
    AppContext &m_ctx;
};

} // namespace lanfan
