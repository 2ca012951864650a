#include "uninstall/UninstallStrings.h"

QString UninstallString(int id) {
    switch (id) {
    case UninstallId::kAboutItem:
        return QStringLiteral("uninstall のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    case UninstallId::kProductName:
        return QStringLiteral("Vuro");
    case UninstallId::kExplanationEnd:
        return QStringLiteral("の情報をレジストリから削除します。");
    case UninstallId::kExplanationStart:
        return QStringLiteral("OKボタンをクリックすると");
    case UninstallId::kProfileKey:
        return QStringLiteral("software\\Brellmoor\\Vuro");
    default:
        return QString();
    }
}
