#include "editor/NamingState.h"

#include <gtest/gtest.h>

TEST(NamingState, UnnamedDocumentIsMutaiHtml) {
    const CNamingState n = CNamingState::Unnamed();
    EXPECT_TRUE(n.filePath.isEmpty());
    EXPECT_EQ(n.fileTitle, QStringLiteral("無題"));
    EXPECT_EQ(n.fileExtension, "html");
    EXPECT_TRUE(n.previewCopyPath.isEmpty());
    EXPECT_EQ(n.FileName(), QStringLiteral("無題.html"));
    EXPECT_EQ(n.OpenedCaption(), QStringLiteral("無題 - Vuro"));
}

TEST(NamingState, TitleExtensionAndPreviewCopyComeFromThePath) {
    const CNamingState n = CNamingState::FromPath("/a/b.htm");
    EXPECT_EQ(n.filePath, "/a/b.htm");
    EXPECT_EQ(n.fileTitle, "b");
    EXPECT_EQ(n.fileExtension, "htm");
    EXPECT_EQ(n.previewCopyPath, "/a/~b.htm");
    EXPECT_EQ(n.OpenedCaption(), "/a/b.htm - Vuro");
    EXPECT_EQ(n.SavedCaption(), "/a/b.htm-Vuro");
}

TEST(NamingState, OnlyTheLastDotOfTheFileNameCounts) {
    const CNamingState n = CNamingState::FromPath(QStringLiteral("/home/user.web/サイト/index.ja.html"));
    EXPECT_EQ(n.fileTitle, "index.ja");
    EXPECT_EQ(n.fileExtension, "html");
    EXPECT_EQ(n.previewCopyPath, QStringLiteral("/home/user.web/サイト/~index.ja.html"));
    // A dot in a folder name is not the file's extension.
    const CNamingState plain = CNamingState::FromPath("/home/user.web/README");
    EXPECT_EQ(plain.fileTitle, "README");
    EXPECT_EQ(plain.fileExtension, "");
    EXPECT_EQ(plain.FileName(), "README");
    EXPECT_EQ(plain.previewCopyPath, "/home/user.web/~README");
}
