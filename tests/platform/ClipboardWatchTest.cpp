#include "platform/ClipboardWatch.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

// Under the offscreen platform the clipboard is the program's own, so the watch looks at
// it directly; the X11 way of asking its owner is proven by the desktop tests.
TEST(ClipboardWatch, FollowsTheClipboardsChangesWithoutBeingAsked) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    CClipboardWatch& watch = CClipboardWatch::Instance();
    clipboard->setText(QStringLiteral("テキスト"));
    EXPECT_TRUE(watch.HasText());
    auto* picture = new QMimeData;
    picture->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    clipboard->setMimeData(picture);
    EXPECT_FALSE(watch.HasText());
    EXPECT_EQ(watch.CurrentState(), CClipboardWatch::State::NoText);
    clipboard->setText(QStringLiteral("x"));
    EXPECT_TRUE(watch.HasText());
    clipboard->clear();
    EXPECT_FALSE(watch.HasText());
}
