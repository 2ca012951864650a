#include "editor/WeftpageDoc.h"
#include "editor/WeftpageView.h"
#include "platform/FileName.h"

#include "tests/support/ShownViewFixture.h"
#include "tests/support/Unprivileged.h"

#include <QTest>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// What the view does around saving over a file on disk: files that are read-only,
// changed by another program, or named in bytes that are not UTF-8.
namespace {

using Answer = CPlatformUi::Answer;

class ViewFiles : public CShownViewFixture {
protected:
    // Another program rewrites the file; its time stamp moves on, as it would a second later.
    static void ChangeOnDisk(const QString& path, const std::string& bytes) {
        WriteFile(path, bytes);
        struct stat st {};
        ::stat(FileName::ToNative(path).constData(), &st);
        const timespec times[2] = {st.st_atim, {st.st_mtim.tv_sec + 1, st.st_mtim.tv_nsec}};
        ::utimensat(AT_FDCWD, FileName::ToNative(path).constData(), times, 0);
    }

    static void Chmod(const QString& path, mode_t mode) {
        ASSERT_EQ(::chmod(FileName::ToNative(path).constData(), mode), 0);
    }
};

QString ReadOnlyQuestion(const QString& path) {
    return path + QStringLiteral(" は読み取り専用です。上書きしますか？");
}

} // namespace

TEST_F(ViewFiles, AReadOnlyFileIsOverwrittenOnlyAfterYes) {
    const QString path = FilePath("ro.html");
    WriteFile(path, "old");
    Chmod(path, 0444);
    view->OpenFileByPath(path);
    Type("new ");
    ui->QueueAnswer(Answer::No);
    view->OnFileSave();
    ASSERT_EQ(ui->messages.size(), 1u);
    const CPlatformUi::Message& asked = ui->messages[0];
    EXPECT_EQ(asked.text, ReadOnlyQuestion(path));
    EXPECT_EQ(asked.buttons, CPlatformUi::Buttons::YesNo);
    EXPECT_EQ(asked.defaultButton, 2);
    EXPECT_EQ(asked.caption, "Vuro");
    // いいえ: as after a failed save.
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(caption, path + " - Vuro");
    EXPECT_TRUE(view->UndoHistory().CanUndo());

    ui->QueueAnswer(Answer::Yes);
    view->OnFileSave();
    EXPECT_EQ(ReadFile(path), "new old");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(caption, path + "-Vuro");
    struct stat st {};
    ::stat(FileName::ToNative(path).constData(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
}

TEST_F(ViewFiles, TheSaveQuestionsYesAsksTooAndNoThereKeepsTheText) {
    const QString path = FilePath("ro.html");
    WriteFile(path, "old");
    Chmod(path, 0444);
    view->OpenFileByPath(path);
    Type("x");
    ui->QueueAnswer(Answer::Yes); // save the changes?
    ui->QueueAnswer(Answer::No);  // read-only: overwrite?
    EXPECT_FALSE(view->AskSaveChanges());
    EXPECT_EQ(ui->MessageTexts().last(), ReadOnlyQuestion(path));
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_TRUE(doc.IsModified());
    // Save As onto a read-only file asks as well.
    const QString other = FilePath("other.html");
    WriteFile(other, "other");
    Chmod(other, 0444);
    ui->QueueFileName(other);
    ui->QueueAnswer(Answer::No);
    view->OnFileSaveAs();
    EXPECT_EQ(ui->MessageTexts().last(), ReadOnlyQuestion(other));
    EXPECT_EQ(ReadFile(other), "other");
    EXPECT_EQ(view->Naming().filePath, path);
    EXPECT_TRUE(ui->AllAnswersUsed());
}

TEST_F(ViewFiles, AWritableFileIsSavedWithoutAQuestion) {
    const QString path = FilePath("rw.html");
    WriteFile(path, "old");
    view->OpenFileByPath(path);
    Type("a");
    view->OnFileSave();
    Type("b");
    view->OnFileSave();
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_EQ(ReadFile(path), "abold");
}

TEST_F(ViewFiles, AnOrdinaryUserIsAskedAboutAFileWithoutWritePermission) {
    ::chmod(FileName::ToNative(m_dir.path()).constData(), 0777);
    WriteFile(FilePath("mine.html"), "old mine");
    WriteFile(FilePath("roots.html"), "old roots");
    Chmod(FilePath("mine.html"), 0444);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(FileName::ToNative(FilePath("mine.html")).constData(), Unprivileged::kNobody,
                          Unprivileged::kNobody),
                  0);
    }
    EXPECT_EQ(Unprivileged::Run("ViewFilesChild.AsksAboutReadOnlyFiles", m_dir.path()), "");
    EXPECT_EQ(ReadFile(FilePath("mine.html")), "xold mine");
    if (::geteuid() == 0) {
        EXPECT_EQ(ReadFile(FilePath("roots.html")), "old roots");
    }
}

TEST(ViewFilesChild, AsksAboutReadOnlyFiles) {
    VURO_CHILD_ONLY();
    CScopedScriptedUi ui;
    CWeftpageDoc doc;
    CWeftpageView view(doc);
    view.InitialUpdate();
    const QString folder = Unprivileged::ChildFolder();
    const QString mine = folder + "/mine.html";
    view.OpenFileByPath(mine);
    view.InsertReplacing("x");
    ui->QueueAnswer(Answer::Yes);
    EXPECT_TRUE(view.SaveDocument());
    EXPECT_EQ(ui->MessageTexts(), QStringList{ReadOnlyQuestion(mine)});
    // Root's file (0644) is read-only for nobody: いいえ writes nothing, はい is refused
    // by the system and told, and the text stays modified either way.
    const QString roots = folder + "/roots.html";
    view.OpenFileByPath(roots);
    view.InsertReplacing("y");
    ui->QueueAnswer(Answer::No);
    EXPECT_FALSE(view.SaveDocument());
    EXPECT_EQ(ui->MessageTexts().size(), 2);
    EXPECT_EQ(ui->MessageTexts().last(), ReadOnlyQuestion(roots));
    ui->QueueAnswer(Answer::Yes);
    EXPECT_FALSE(view.SaveDocument());
    EXPECT_TRUE(ui->MessageTexts().last().contains(QStringLiteral("アクセスが拒否されました")));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ViewFiles, SavingOverAFileAnotherProgramChangedAsksFirst) {
    const QString path = FilePath("page.html");
    WriteFile(path, "mine");
    view->OpenFileByPath(path);
    Type("x");
    ChangeOnDisk(path, "theirs");
    ui->QueueAnswer(Answer::No);
    view->OnFileSave();
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text,
              path + QStringLiteral(" は、開いた後にほかのプログラムによって変更されています。\n"
                                    "上書きすると、その変更は失われます。上書きしますか？"));
    EXPECT_EQ(ui->messages[0].buttons, CPlatformUi::Buttons::YesNo);
    EXPECT_EQ(ui->messages[0].defaultButton, 2);
    EXPECT_EQ(ReadFile(path), "theirs");
    EXPECT_TRUE(doc.IsModified());
    // The save question was the one question about this state: activation does not ask.
    view->CheckExternalChange();
    EXPECT_EQ(ui->messages.size(), 1u);
    // Saving again asks again; はい overwrites, and from then on the file is ours again.
    ui->QueueAnswer(Answer::Yes);
    view->OnFileSave();
    EXPECT_EQ(ReadFile(path), "xmine");
    Type("y");
    view->OnFileSave();
    EXPECT_EQ(ui->messages.size(), 2u);
    EXPECT_EQ(ReadFile(path), "xymine");
}

TEST_F(ViewFiles, AReplacedFileCountsAsChangedEvenWithTheSameSizeAndTime) {
    const QString path = FilePath("page.html");
    WriteFile(path, "mine");
    view->OpenFileByPath(path);
    struct stat before {};
    ::stat(FileName::ToNative(path).constData(), &before);
    // Another editor's atomic save: a new file (new inode) renamed into place.
    const QString other = FilePath("new.tmp");
    WriteFile(other, "them");
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, FileName::ToNative(other).constData(), times, 0);
    ASSERT_EQ(::rename(FileName::ToNative(other).constData(), FileName::ToNative(path).constData()), 0);
    ui->QueueAnswer(Answer::No);
    view->CheckExternalChange();
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(ViewFiles, ActivationOffersToReloadAChangedFileOncePerChange) {
    const QString path = FilePath("page.html");
    WriteFile(path, "mine");
    view->OpenFileByPath(path);
    // Unchanged: nothing is asked.
    view->CheckExternalChange();
    EXPECT_TRUE(ui->messages.empty());

    ChangeOnDisk(path, "theirs");
    ui->QueueAnswer(Answer::Yes);
    view->CheckExternalChange();
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text,
              path + QStringLiteral(" は、ほかのプログラムによって変更されました。\n再読み込みしますか？"));
    EXPECT_EQ(ui->messages[0].defaultButton, 1);
    // Reloaded as Open reads a file.
    EXPECT_EQ(view->GetText(), "theirs");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(view->UndoHistory().CanUndo());
    EXPECT_EQ(caption, path + " - Vuro");
    view->CheckExternalChange();
    EXPECT_EQ(ui->messages.size(), 1u);

    // With changes in the editor, keeping them (いいえ, also Esc) leaves both as they are
    // and is not asked again for the same state of the file.
    view->InsertReplacing("edit ");
    ChangeOnDisk(path, "theirs again");
    ui->QueueAnswer(Answer::No);
    view->CheckExternalChange();
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_TRUE(ui->messages[1].text.contains(QStringLiteral("編集中の変更は失われます")));
    EXPECT_EQ(ui->messages[1].defaultButton, 2);
    EXPECT_EQ(view->GetText(), "edit theirs");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadFile(path), "theirs again");
    view->CheckExternalChange();
    EXPECT_EQ(ui->messages.size(), 2u);
    // A further change is a new question.
    ChangeOnDisk(path, "theirs a third time");
    ui->QueueAnswer(Answer::No);
    view->CheckExternalChange();
    EXPECT_EQ(ui->messages.size(), 3u);
}

TEST_F(ViewFiles, NothingIsAskedForADeletedFileOrAnUnnamedDocument) {
    view->CheckExternalChange();
    const QString path = FilePath("page.html");
    WriteFile(path, "mine");
    view->OpenFileByPath(path);
    ::unlink(FileName::ToNative(path).constData());
    view->CheckExternalChange();
    view->InsertReplacing("x");
    view->OnFileSave();
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_EQ(ReadFile(path), "xmine");
}

TEST_F(ViewFiles, ANameInShiftJisIsOpenedShownAndSavedUnderItsOwnBytes) {
    // "あ.html" as an old site archive names it: Shift-JIS bytes, not UTF-8.
    const QByteArray native = FileName::ToNative(m_dir.path()) + "/\x82\xa0.html";
    const QString path = FileName::FromNative(native);
    {
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "sjis", 4), 4);
        ::close(fd);
    }
    CWeftpageView fresh(doc);
    QString freshCaption;
    QObject::connect(&fresh, &CWeftpageView::CaptionChanged, [&](const QString& c) { freshCaption = c; });
    ASSERT_TRUE(fresh.InitialUpdate(path));
    EXPECT_EQ(fresh.GetText(), "sjis");
    EXPECT_EQ(freshCaption, m_dir.path() + QStringLiteral("/あ.html - Vuro"));
    fresh.InsertReplacing("<");
    ui->QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(fresh.AskSaveChanges());
    EXPECT_EQ(ui->MessageTexts().last(), QStringLiteral("あ.htmlへの変更を保存しますか？"));
    fresh.OnFileSave();
    EXPECT_EQ(freshCaption, m_dir.path() + QStringLiteral("/あ.html-Vuro"));
    char buffer[16] = {};
    const int fd = ::open(native.constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(::read(fd, buffer, sizeof buffer), 5);
    ::close(fd);
    EXPECT_STREQ(buffer, "<sjis");
    // Qt's own clean-up of the folder cannot name the file.
    ::unlink(native.constData());
}

TEST_F(ViewFiles, OpeningAFileTellsOfTheBackupACutOffSaveLeftBesideIt) {
    const QString path = FilePath("cut.html");
    WriteFile(path, "half of the ne");
    const QString backup = FilePath(".cut.html.vuro-backup-Q1w2E3");
    WriteFile(backup, "the old page");
    view->OpenFileByPath(path);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, path + QStringLiteral(" の保存が前回途中で終わりました。\n保存する前の内容は ") +
                                         backup + QStringLiteral(" に残っています。"));
    EXPECT_EQ(ui->messages[0].buttons, CPlatformUi::Buttons::Ok);
    // The file is opened all the same, and the backup stays for the user to take.
    EXPECT_EQ(view->Snapshot().ToString(), "half of the ne");
    EXPECT_TRUE(QFile::exists(backup));
    // Without a backup nothing is told.
    ASSERT_TRUE(QFile::remove(backup));
    view->OpenFileByPath(path);
    EXPECT_EQ(ui->messages.size(), 1u);
}
