#pragma once

#include "PrintLayout.h"
#include "PrintOrder.h"

namespace lanfan {
class Settings;
}

namespace lanfan::printing {

// The shop's choices for the fixed-layout tickets.
struct LayoutOptions {
    bool narrow = false;       // 打印幅面 "58mm"
    bool showFlavour = false;  // 口味打印 "打印"
    bool logo = false;         // 打印图片
    QString logoPath;          // 店标.bmp of the data folder
    int titleLeft = 0;         // 标题左边距
    int left = 0, right = 0, top = 0, bottom = 0; // 左边距 右边距 上边距 下边距
    QString shopName, servicePhrase, shopPhone, website; // 店名 row
    bool companyPrinted = true; // the reprint prints the company line empty

    static LayoutOptions fromSettings(const Settings &settings, const QString &logoPath);
};

// Where the shop-name title sits when the logo takes its place: outside the paper.
constexpr int kTitleOutside = 1000;

// The plain ticket ("普通样式") of the chosen paper width: one page.
PrintPage plainTicket(const PrintOrder &order, const LayoutOptions &options);
// The kitchen copy of the plain ticket: shop name, times, dishes, flavours, portions.
PrintPage kitchenTicket(const PrintOrder &order, const LayoutOptions &options);
// The three pages of the feedback form ("反馈三联单"): customer feedback,
// customer copy, dispatch copy.
QList<PrintPage> feedbackForm(const PrintOrder &order, const LayoutOptions &options);

// Page heights of the fixed layouts for `lines` order lines (layout units).
int plainTicketHeight(bool narrow, int lines, int bottomMargin);
int kitchenTicketHeight(bool narrow, int lines, int bottomMargin);
int feedbackPageHeight(int lines, int bottomMargin);

} // namespace lanfan::printing
