#include "app/MenuStyle.h"

#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

TEST(MenuStyle, AMnemonicSharedWithAGreyedItemStillReachesTheOtherItem) {
    CMenuStyle style;
    QMenu menu;
    menu.setStyle(&style);
    menu.addAction(QStringLiteral("元に戻す(&U)"));
    QAction* redo = menu.addAction(QStringLiteral("やり直し(&R)"));
    redo->setEnabled(false);
    QAction* replace = menu.addAction(QStringLiteral("置換(&R)..."));
    int replaced = 0;
    QObject::connect(replace, &QAction::triggered, [&] { ++replaced; });
    menu.popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    QTest::keyClick(&menu, Qt::Key_R);
    EXPECT_EQ(menu.activeAction(), redo); // greyed, highlighted, not run
    QTest::keyClick(&menu, Qt::Key_R);
    EXPECT_EQ(menu.activeAction(), replace);
    QTest::keyClick(&menu, Qt::Key_Return);
    EXPECT_EQ(replaced, 1);
}
