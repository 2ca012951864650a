#include "platform/FontRecord.h"
#include "platform/QtPlatformUi.h"

#include <QFontDialog>
#include <QFontInfo>

#include <gtest/gtest.h>

namespace {

CPlatformUi::FontDialog EditorFontRequest(const QFont& initial) {
    CPlatformUi::FontDialog request;
    request.initial = initial;
    request.minPoints = 8;
    request.maxPoints = 24;
    return request;
}

} // namespace

TEST(FontDialog, OpensOnTheFaceDrawnForAStoredWindowsFaceName) {
    QFont stored(QStringLiteral("ＭＳ ゴシック"));
    stored.setPointSize(12);
    const auto dialog = MakeFontDialog(EditorFontRequest(stored), nullptr);
    EXPECT_EQ(dialog->currentFont().family(), QFontInfo(stored).family());
    EXPECT_NE(dialog->currentFont().family(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(dialog->currentFont().pointSize(), 12);
}
