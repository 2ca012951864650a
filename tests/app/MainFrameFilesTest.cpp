#include "app/MainFrame.h"
#include "app/RecentFileList.h"
#include "editor/WeftpageDoc.h"
#include "editor/WeftpageView.h"
#include "platform/FileName.h"

#include "tests/support/EditorFixture.h"

#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// The frame's side of files: the caption as the window shows it, files dropped with names
// in any bytes, and the check for changes on disk when the window is activated.
namespace {

using Answer = CPlatformUi::Answer;

class FrameFiles : public CEditorFixture {
protected:
    FrameFiles() {
        frame = std::make_unique<CMainFrame>(doc, router);
        router.SetTargets({frame->View(), frame.get()});
        frame->View()->InitialUpdate();
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    // The title the window system is given, after Qt's handling of "[*]".
    QString ShownTitle() const { return frame->windowHandle()->title(); }

    CWeftpageDoc doc;
    CCommandRouter router;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace

TEST_F(FrameFiles, ACaptionWithTheModifiedPlaceholderShowsItLiterally) {
    for (const QString& name : {QStringLiteral("a[*]b.html"), QStringLiteral("[*][*].html")}) {
        const QString path = FilePath(name);
        WriteFile(path, "x");
        frame->View()->OpenFileByPath(path);
        EXPECT_EQ(ShownTitle(), path + " - Vuro");
        frame->setWindowModified(true);
        EXPECT_EQ(ShownTitle(), path + " - Vuro");
        frame->setWindowModified(false);
    }
}

TEST_F(FrameFiles, AFileDroppedWithShiftJisBytesInItsNameIsOpened) {
    const QByteArray native = FileName::ToNative(m_dir.path()) + "/\x82\xa0.html";
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "dropped", 7), 7);
    ::close(fd);
    QMimeData mime;
    // As a file manager puts it on the clipboard: the name's bytes percent-escaped.
    mime.setUrls({QUrl(QStringLiteral("file://") + QString::fromLatin1(native.toPercentEncoding("/")))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(frame->View()->GetText(), "dropped");
    EXPECT_EQ(FileName::ToNative(frame->View()->Naming().filePath), native);
    EXPECT_EQ(ShownTitle(), m_dir.path() + QStringLiteral("/あ.html - Vuro"));
    ::unlink(native.constData());
}

TEST_F(FrameFiles, ComingBackToTheWindowChecksTheFileOnDisk) {
    const QString path = FilePath("page.html");
    WriteFile(path, "mine");
    frame->View()->OpenFileByPath(path);
    WriteFile(path, "theirs, longer");
    ui->QueueAnswer(Answer::Yes);
    QEvent activation(QEvent::ActivationChange);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QCoreApplication::sendEvent(frame.get(), &activation);
    // The question comes after the activation has been handled.
    EXPECT_TRUE(ui->messages.empty());
    QTRY_COMPARE(ui->messages.size(), std::size_t{1});
    EXPECT_EQ(frame->View()->GetText(), "theirs, longer");
}

TEST_F(FrameFiles, TheRecentFileListRemembersANameThatIsNotUtf8Exactly) {
    const QString foreign = FileName::FromNative("/web/\x82\xa0.html");
    CRecentFileList list;
    list.Add(QStringLiteral("/web/あ.html"));
    list.Add(foreign);
    list.Save();
    CRecentFileList loaded;
    loaded.Load();
    EXPECT_EQ(loaded.Files(), (QStringList{foreign, QStringLiteral("/web/あ.html")}));
}
