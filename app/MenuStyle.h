#pragma once

#include <QProxyStyle>

// The desktop's style, with one change to its menus: a greyed item can be the highlighted
// one. Two items of a menu share a mnemonic (やり直し(&R) and 置換(&R)); the key moves
// between them in turn, and with the first greyed the second could not be reached at all.
class CMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
