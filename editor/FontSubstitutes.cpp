#include "editor/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

void RegisterFontSubstitutes() {
    // Debian's fonts-noto-cjk first, then other Japanese fonts a desktop may have.
    const QStringList gothicMono{"Noto Sans Mono CJK JP", "VL Gothic", "IPAGothic", "TakaoGothic",
                                 "Noto Sans CJK JP"};
    const QStringList gothic{"Noto Sans CJK JP", "IPAPGothic", "VL PGothic", "TakaoPGothic",
                             "Noto Sans Mono CJK JP"};
    const QStringList mincho{"Noto Serif CJK JP", "IPAMincho", "TakaoMincho", "Noto Sans Mono CJK JP"};
    const QStringList pmincho{"Noto Serif CJK JP", "IPAPMincho", "TakaoPMincho"};
    for (const QString& face : {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                                QStringLiteral("ＭＳ ｺﾞｼｯｸ"), QStringLiteral("Osaka－等幅")})
        QFont::insertSubstitutions(face, gothicMono);
    for (const QString& face :
         {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("MS UI Gothic"),
          QStringLiteral("メイリオ"), QStringLiteral("Meiryo")})
        QFont::insertSubstitutions(face, gothic);
    for (const QString& face : {QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho")})
        QFont::insertSubstitutions(face, mincho);
    for (const QString& face : {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("MS PMincho")})
        QFont::insertSubstitutions(face, pmincho);
}
