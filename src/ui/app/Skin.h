#pragma once

#include <QString>

namespace lanfan {

// The skin (setting 换肤): a style sheet for every window of the program.
// The shop's own skin.qss in the data folder wins over the built-in one.
class Skin {
public:
    explicit Skin(QString shopSkinFile);

    // Switches the skin on or off for the whole application.
    void setActive(bool on);
    bool isActive() const { return m_active; }

    // The style sheet in use when the skin is on.
    QString styleSheet() const;

private:
    QString m_shopSkinFile;
    bool m_active = false;
};

} // namespace lanfan
