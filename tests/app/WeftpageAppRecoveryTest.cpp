#include "app/MainFrame.h"
#include "app/WeftpageApp.h"
#include "editor/RecoveryCopy.h"
#include "editor/RecoveryKeeper.h"
#include "editor/WeftpageDoc.h"
#include "editor/WeftpageView.h"
#include "platform/StateFolder.h"
#include "resources/CommandIds.h"
#include "tests/support/EditorFixture.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace {

// Copies left in the state folder by editors that are gone (or, for one test, still running).
class RecoveryAtStart : public CEditorFixture {
protected:
    RecoveryAtStart() { Clear(); }
    ~RecoveryAtStart() override {
        Clear();
        if (m_running > 0) {
            ::kill(m_running, SIGKILL);
            ::waitpid(m_running, nullptr, 0);
        }
    }

    static void Clear() {
        QDir folder(StateFolder());
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
            folder.remove(name);
    }

    // The id of a process that has ended, as a crashed editor's would be.
    static RecoveryCopy::CInstanceId GoneInstance() {
        RecoveryCopy::CInstanceId id = *RecoveryCopy::CurrentInstance();
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        ::waitpid(child, nullptr, 0);
        id.pid = child;
        return id;
    }

    RecoveryCopy::CInstanceId RunningInstance() {
        m_running = ::fork();
        if (m_running == 0) {
            ::pause();
            ::_exit(0);
        }
        RecoveryCopy::CInstanceId id = *RecoveryCopy::CurrentInstance();
        id.pid = m_running;
        std::ifstream stat("/proc/" + std::to_string(m_running) + "/stat");
        const std::string line((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        id.startTicks = *RecoveryCopy::StartTicksFromStat(line);
        return id;
    }

    static QString Leave(const RecoveryCopy::CInstanceId& writer, const QByteArray& path,
                         const std::string& text, time_t modified = 0) {
        const QByteArray folder = QFile::encodeName(StateFolder());
        const std::string name = RecoveryCopy::FileNameOf(writer);
        EXPECT_EQ(RecoveryCopy::Write(folder, name, path, CTextSnapshot(text)), 0);
        const QByteArray file = folder + "/" + QByteArray::fromStdString(name);
        if (modified != 0) {
            const utimbuf times{modified, modified};
            ::utime(file.constData(), &times);
        }
        return QFile::decodeName(file);
    }

    static QString Question(const QString& shown) {
        return QStringLiteral("前回保存されなかった変更が残っています。\n%1\n復元しますか？").arg(shown);
    }

    static QStringList RecoveryFiles() {
        return QDir(StateFolder()).entryList({QStringLiteral("recovery-*")}, QDir::Files);
    }

    // Help is missing in tests; its one message is not what these tests look at.
    QStringList QuestionsAsked() {
        QStringList texts = ui->MessageTexts();
        texts.removeAll(QStringLiteral("ヘルプ用DLLが見つかりません。"));
        return texts;
    }

    pid_t m_running = 0;
};

} // namespace

TEST_F(RecoveryAtStart, GivesTheTextBackNamedAfterItsFileReadyToSave) {
    const QString page = FilePath("page.html");
    WriteFile(page, "<p>on disk</p>");
    const std::string unsaved = "<p>\x93\xfa\x96\x7b\x8c\xea</p>\r\n\r\nnot saved yet";
    const QString copy = Leave(GoneInstance(), QFile::encodeName(page), unsaved);
    ui->QueueAnswer(CPlatformUi::Answer::Yes);
    CWeftpageApp app;
    ASSERT_TRUE(app.InitInstance({}));

    ASSERT_EQ(QuestionsAsked(), QStringList{Question(page)});
    const CPlatformUi::Message& asked = ui->messages.back();
    EXPECT_EQ(asked.caption, QStringLiteral("Vuro"));
    EXPECT_EQ(asked.buttons, CPlatformUi::Buttons::YesNo);
    EXPECT_EQ(asked.defaultButton, 1);
    CWeftpageView* view = app.MainFrame()->View();
    EXPECT_EQ(view->GetText(), unsaved);
    EXPECT_EQ(app.MainFrame()->windowTitle(), page + " - Vuro");
    EXPECT_TRUE(app.Document().IsModified());
    EXPECT_FALSE(view->UndoHistory().CanUndo());
    EXPECT_FALSE(QFile::exists(copy)); // now this editor's own copy

    app.Router().Execute(Cmd::kFileSave);
    EXPECT_TRUE(ui->fileDialogs.empty());
    EXPECT_EQ(ReadFile(page), unsaved);
    EXPECT_FALSE(app.Document().IsModified());
    app.Recovery()->WaitIdle();
    EXPECT_TRUE(RecoveryFiles().isEmpty());
    app.ExitInstance();
}

TEST_F(RecoveryAtStart, AnUnnamedTextIsOfferedAsUntitledAndDecliningDeletesIt) {
    Leave(GoneInstance(), QByteArray(), "draft");
    ui->QueueAnswer(CPlatformUi::Answer::No);
    CWeftpageApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_EQ(QuestionsAsked(), QStringList{Question(QStringLiteral("無題"))});
    EXPECT_EQ(app.MainFrame()->View()->GetText(), CWeftpageView::kDefaultPage);
    EXPECT_FALSE(app.Document().IsModified());
    app.Recovery()->WaitIdle();
    EXPECT_TRUE(RecoveryFiles().isEmpty());
    app.ExitInstance();
}

TEST_F(RecoveryAtStart, OffersTheNewestFirstAndKeepsTheRestForTheNextStart) {
    const QString older = Leave(GoneInstance(), "/web/old.html", "old", 1000000);
    Leave(GoneInstance(), "/web/new.html", "new", 2000000);
    ui->QueueAnswer(CPlatformUi::Answer::Yes);
    {
        CWeftpageApp app;
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_EQ(QuestionsAsked(), QStringList{Question("/web/new.html")});
        EXPECT_EQ(app.MainFrame()->View()->GetText(), "new");
        EXPECT_TRUE(QFile::exists(older));
        app.ExitInstance();
    }
    // The next start offers the one left; declining it and every other leaves none.
    ui->QueueAnswer(CPlatformUi::Answer::No);
    CWeftpageApp next;
    ASSERT_TRUE(next.InitInstance({}));
    EXPECT_EQ(QuestionsAsked().mid(1), QStringList{Question("/web/old.html")});
    next.Recovery()->WaitIdle();
    EXPECT_TRUE(RecoveryFiles().isEmpty());
    next.ExitInstance();
}

TEST_F(RecoveryAtStart, LeavesARunningEditorsCopyAlone) {
    const QString copy = Leave(RunningInstance(), "/web/busy.html", "in use");
    CWeftpageApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(QuestionsAsked().isEmpty());
    EXPECT_TRUE(QFile::exists(copy));
    app.ExitInstance();
}

TEST_F(RecoveryAtStart, PutsADamagedCopyAsideWithoutOfferingIt) {
    const QString copy = Leave(GoneInstance(), "/web/a.html", "text");
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(file.size() - 3);
    file.write("zz");
    file.close();
    CWeftpageApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(QuestionsAsked().isEmpty());
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_TRUE(QFile::exists(copy + ".damaged"));
    app.ExitInstance();
}

TEST_F(RecoveryAtStart, EditsAreCopiedAndANormalEndRemovesTheCopy) {
    CWeftpageApp app;
    ASSERT_TRUE(app.InitInstance({}));
    app.MainFrame()->View()->ReplaceSel("typed");
    ASSERT_TRUE(app.Recovery()->Flush(app.Document().IsModified()));
    ASSERT_EQ(RecoveryFiles().size(), 1);
    const auto content = RecoveryCopy::Read(app.Recovery()->CopyFile());
    ASSERT_TRUE(content);
    EXPECT_EQ(content->text, app.MainFrame()->View()->GetText());
    app.ExitInstance();
    EXPECT_TRUE(RecoveryFiles().isEmpty());
}

TEST_F(RecoveryAtStart, AnInteractiveSessionEndAsksAndItsCancelKeepsTheSessionGoing) {
    CWeftpageApp app;
    ASSERT_TRUE(app.InitInstance({}));
    app.MainFrame()->View()->ReplaceSel("typed");
    ui->QueueAnswer(CPlatformUi::Answer::Cancel);
    EXPECT_FALSE(app.CommitSessionData(true));
    EXPECT_EQ(QuestionsAsked(), QStringList{QStringLiteral("無題.htmlへの変更を保存しますか？")});
    EXPECT_TRUE(app.Document().IsModified());

    // いいえ gives the changes up: the copy goes and the closing that follows asks nothing.
    ASSERT_TRUE(app.Recovery()->Flush(true));
    ui->QueueAnswer(CPlatformUi::Answer::No);
    EXPECT_TRUE(app.CommitSessionData(true));
    EXPECT_FALSE(app.Document().IsModified());
    app.Recovery()->WaitIdle();
    EXPECT_TRUE(RecoveryFiles().isEmpty());
    EXPECT_TRUE(app.MainFrame()->close());
    EXPECT_EQ(QuestionsAsked().size(), 2);
    EXPECT_TRUE(Profile().GetBarState(QStringLiteral("State")).has_value());
    app.ExitInstance();
}

TEST_F(RecoveryAtStart, ASessionEndWithoutInteractionKeepsTheTextInTheCopy) {
    CWeftpageApp app;
    ASSERT_TRUE(app.InitInstance({}));
    app.MainFrame()->View()->ReplaceSel("unsaved at log-out");
    const std::string text = app.MainFrame()->View()->GetText();
    EXPECT_TRUE(app.CommitSessionData(false));
    EXPECT_TRUE(QuestionsAsked().isEmpty());
    ASSERT_EQ(RecoveryFiles().size(), 1);
    EXPECT_EQ(RecoveryCopy::Read(app.Recovery()->CopyFile())->text, text);

    app.SessionEnding();
    EXPECT_TRUE(app.MainFrame()->close()); // no question: the copy holds the text
    EXPECT_TRUE(QuestionsAsked().isEmpty());
    app.ExitInstance();
    ASSERT_EQ(RecoveryFiles().size(), 1);
}
