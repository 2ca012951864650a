#include "editor/RecoveryCopy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

using namespace RecoveryCopy;

namespace {

const std::string kBoot = "0123456789abcdef0123456789abcdef";

std::string SampleText() {
    // Shift-JIS, a NUL, lone CR and LF, and bytes that are no text at all.
    return std::string("<p>\x82\xa0\x82\xa2</p>\r\n\0x\rY\n\xff\xfe", 22);
}

QByteArray Native(const QTemporaryDir& dir) {
    return QFile::encodeName(dir.path());
}

void Touch(const QByteArray& file, const std::string& bytes, time_t modified) {
    QFile f(QFile::decodeName(file));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    f.close();
    const utimbuf times{modified, modified};
    ::utime(file.constData(), &times);
}

QStringList Entries(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

TEST(RecoveryCopyFormat, GivesBackExactBytesAndPath) {
    const QByteArray path("/web/\x83\x79\x81\x5b\x83\x57.html"); // a Shift-JIS file name
    const auto content = Parse(Serialize(path, CTextSnapshot(SampleText())));
    ASSERT_TRUE(content);
    EXPECT_EQ(content->path, path);
    EXPECT_EQ(content->text, SampleText());
}

TEST(RecoveryCopyFormat, KeepsAnUnnamedAndAnEmptyText) {
    const auto content = Parse(Serialize(QByteArray(), CTextSnapshot()));
    ASSERT_TRUE(content);
    EXPECT_TRUE(content->path.isEmpty());
    EXPECT_TRUE(content->text.empty());
}

TEST(RecoveryCopyFormat, RefusesEveryCutShortCopy) {
    const std::string whole = Serialize("/a.html", CTextSnapshot(SampleText()));
    ASSERT_TRUE(Parse(whole));
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_FALSE(Parse(std::string_view(whole).substr(0, length))) << length;
    EXPECT_FALSE(Parse(whole + "x"));
}

TEST(RecoveryCopyFormat, RefusesEveryChangedByte) {
    const std::string whole = Serialize("/a.html", CTextSnapshot(SampleText()));
    for (std::size_t i = 0; i < whole.size(); ++i) {
        std::string damaged = whole;
        damaged[i] = static_cast<char>(damaged[i] ^ 0x01);
        EXPECT_FALSE(Parse(damaged)) << "byte " << i;
    }
}

TEST(RecoveryCopyFormat, RefusesLengthsThatAreNotPlainNumbersOrTooLarge) {
    const auto withText = [](const std::string& field) {
        return std::string("VuroRecovery 1\npath 0\n\ntext ") + field + "abc\ncheck 0000000000000000\n";
    };
    for (const std::string& field :
         std::vector<std::string>{"3 \n", "+3\n", "-3\n", " 3\n", "\n", "0x3\n", "99999999999999999999\n",
                                  "18446744073709551615\n", "4\n", "1000\n"})
        EXPECT_FALSE(Parse(withText(field))) << field;
    EXPECT_FALSE(Parse("VuroRecovery 2\npath 0\n\ntext 0\n\ncheck cbf29ce484222325\n"));
    EXPECT_TRUE(Parse("VuroRecovery 1\npath 0\n\ntext 0\n\ncheck cbf29ce484222325\n"));
}

TEST(RecoveryCopyFormat, ReadsALengthOnlyAsTheWriterSpellsIt) {
    // The check covers the content, not the spelling of its length: a leading zero would
    // otherwise give a second file that reads back as the same copy.
    EXPECT_TRUE(Parse("VuroRecovery 1\npath 0\n\ntext 3\nabc\ncheck e71fa2190541574b\n"));
    EXPECT_FALSE(Parse("VuroRecovery 1\npath 0\n\ntext 03\nabc\ncheck e71fa2190541574b\n"));
    EXPECT_FALSE(Parse("VuroRecovery 1\npath 00\n\ntext 3\nabc\ncheck e71fa2190541574b\n"));
}

TEST(RecoveryCopyFile, IsWrittenWholeWithNoTemporaryFileLeft) {
    QTemporaryDir dir;
    const CTextSnapshot text(SampleText());
    ASSERT_EQ(Write(Native(dir), "recovery-1-2-" + kBoot, "/x/page.html", text), 0);
    ASSERT_EQ(Write(Native(dir), "recovery-1-2-" + kBoot, "/x/page.html", text.Replaced(0, 3, "<b>")), 0);
    EXPECT_EQ(Entries(dir), QStringList{QString::fromStdString("recovery-1-2-" + kBoot)});
    const auto read = Read(Native(dir) + "/recovery-1-2-" + QByteArray::fromStdString(kBoot));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->text, "<b>" + SampleText().substr(3));
    EXPECT_EQ(read->path, "/x/page.html");
}

TEST(RecoveryCopyFile, AFolderThatCannotBeWrittenIsReportedAndLeftAlone) {
    QTemporaryDir dir;
    EXPECT_NE(Write(Native(dir) + "/missing", "recovery-1-2-" + kBoot, "", CTextSnapshot("x")), 0);
    EXPECT_TRUE(Entries(dir).isEmpty());
    EXPECT_FALSE(Read(Native(dir) + "/missing/recovery-1-2-" + QByteArray::fromStdString(kBoot)));
}

TEST(RecoveryInstance, NamesTheCopyAfterProcessStartAndBoot) {
    const CInstanceId id{kBoot, 4321, 98765};
    EXPECT_EQ(FileNameOf(id), "recovery-4321-98765-" + kBoot);
    EXPECT_EQ(InstanceOf(FileNameOf(id)), id);
    for (const std::string& name : std::vector<std::string>{
             "recovery-4321-98765", "recovery--1-2-" + kBoot, "recovery-0-2-" + kBoot,
             "recovery-x-2-" + kBoot, "recovery-1-2-" + kBoot + "0", "recovery-1-2-" + kBoot.substr(1),
             "backup-1-2-" + kBoot, "recovery-1-2-" + kBoot.substr(0, 31) + "g"})
        EXPECT_FALSE(InstanceOf(name)) << name;
}

TEST(RecoveryInstance, ReadsTheStartTimeEvenBehindAStrangeCommandName) {
    const std::string tail = " S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 424242 19 20 21\n";
    EXPECT_EQ(StartTicksFromStat("77 (weftpage)" + tail), 424242u);
    EXPECT_EQ(StartTicksFromStat("77 (a) (b c) d)" + tail), 424242u);
    EXPECT_FALSE(StartTicksFromStat("77 (weftpage) S 1 2 3"));
    EXPECT_FALSE(StartTicksFromStat("77 weftpage S 1 2"));
    EXPECT_FALSE(StartTicksFromStat(""));
}

TEST(RecoveryInstance, ReadsTheBootId) {
    EXPECT_EQ(BootIdFrom("01234567-89AB-cdef-0123-456789abcdef\n"), kBoot);
    EXPECT_FALSE(BootIdFrom("01234567-89ab"));
    EXPECT_FALSE(BootIdFrom("0123456789abcdef0123456789abcdeg"));
}

TEST(RecoveryInstance, IsAliveOnlyAsTheSameProcessOfTheSameBoot) {
    const CInstanceId id{kBoot, 50, 1000};
    const auto running = [](std::int64_t pid) -> std::optional<std::uint64_t> {
        if (pid == 50)
            return 1000;
        if (pid == 60)
            return 2000;
        return std::nullopt;
    };
    EXPECT_TRUE(IsInstanceAlive(id, kBoot, running));
    // Another boot: process ids and start times begin anew.
    EXPECT_FALSE(IsInstanceAlive(id, "ffffffffffffffffffffffffffffffff", running));
    // The process is gone, or its id now belongs to a program started later.
    EXPECT_FALSE(IsInstanceAlive({kBoot, 70, 1000}, kBoot, running));
    EXPECT_FALSE(IsInstanceAlive({kBoot, 60, 1000}, kBoot, running));
}

TEST(RecoveryInstance, ThisProcessLivesAndAnEndedChildDoesNot) {
    const auto self = CurrentInstance();
    ASSERT_TRUE(self);
    EXPECT_EQ(self->pid, ::getpid());
    EXPECT_TRUE(IsInstanceAlive(*self));
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_GT(child, 0);
    CInstanceId ended = *self;
    ended.pid = child;
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(IsInstanceAlive(ended));
    ended.pid = self->pid;
    ended.startTicks = self->startTicks + 1;
    EXPECT_FALSE(IsInstanceAlive(ended));
}

TEST(RecoveryLeftovers, AreTheGoneWritersCopiesNewestFirst) {
    QTemporaryDir dir;
    const QByteArray folder = Native(dir);
    const std::string copy = Serialize("/a.html", CTextSnapshot("x"));
    const auto name = [](int pid) { return "recovery-" + std::to_string(pid) + "-1-" + kBoot; };
    Touch(folder + "/" + QByteArray::fromStdString(name(11)), copy, 1000);
    Touch(folder + "/" + QByteArray::fromStdString(name(12)), copy, 3000);
    Touch(folder + "/" + QByteArray::fromStdString(name(13)), copy, 2000);
    Touch(folder + "/" + QByteArray::fromStdString(name(14)), copy, 4000); // still running
    // A write cut short by a crash, and one still going on in a running editor.
    Touch(folder + "/." + QByteArray::fromStdString(name(11)) + ".tmp-AbCdEf", "VuroRec", 1000);
    Touch(folder + "/." + QByteArray::fromStdString(name(14)) + ".tmp-AbCdEf", "VuroRec", 1000);
    // Files of other kinds in the same folder.
    Touch(folder + "/page.html.bak", "old", 5000);
    Touch(folder + "/recovery-notes.txt", "", 5000);

    const auto found = Leftovers(folder, [](const CInstanceId& id) { return id.pid == 14; });
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].writer.pid, 12);
    EXPECT_EQ(found[1].writer.pid, 13);
    EXPECT_EQ(found[2].writer.pid, 11);
    EXPECT_EQ(found[0].file, folder + "/" + QByteArray::fromStdString(name(12)));
    EXPECT_FALSE(Entries(dir).contains(QString::fromStdString("." + name(11) + ".tmp-AbCdEf")));
    EXPECT_TRUE(Entries(dir).contains(QString::fromStdString("." + name(14) + ".tmp-AbCdEf")));
    EXPECT_TRUE(Entries(dir).contains("page.html.bak"));
}
