#pragma once

#include <QDialog>

namespace lanfan {

class AppContext;

// The about box: the program title, the build and the maker's contact data.
class Tabout : public QDialog {
    Q_OBJECT
public:
    explicit Tabout(AppContext &context, QWidget *parent = nullptr);
};

} // namespace lanfan
