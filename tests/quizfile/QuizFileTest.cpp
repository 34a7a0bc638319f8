#include "quizfile/QuizFile.h"

#include "QuizTestSupport.h"
#include "support/TestFiles.h"
#include "toolkit/FileNames.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QFileInfo>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#ifdef Q_OS_WIN
#include <windows.h>
#endif
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using quizfile::ReadErrorKind;
using quizfile::ReadResult;
using quizfile::TextEncoding;
using namespace quiztest_support;

namespace {

class QuizFileLoad : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString write(const QString& name, const QByteArray& content)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(testfiles::write(path, content));
        return path;
    }

    // A file of `size` bytes that takes no room on the disk.
    QString sparse(const QString& name, qint64 size)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_TRUE(file.resize(size));
        return path;
    }

    static QString quoted(const QString& path) { return u'"' + QDir::toNativeSeparators(path) + u'"'; }

    QTemporaryDir dir;
};

TEST_F(QuizFileLoad, ReadsAFile)
{
    // A name in UTF-8, and one in Latin-1 as old archives have them.
    for (const QString& name : {QStringLiteral("words 単語.txt"), filenames::decode("caf\xE9.txt")}) {
        const QString path = write(name, cp932("かぶる,put on\r\nむら (村),village\r\n"));
        const ReadResult result = quizfile::loadQuizFile(path);
        EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error->message.toStdString());
        EXPECT_EQ(result.encoding, TextEncoding::ShiftJis);
        EXPECT_EQ(result.items, items({{"かぶる", "put on"}, {"むら (村)", "village"}}));
    }
}

TEST_F(QuizFileLoad, EmptyFile)
{
    const ReadResult result = quizfile::loadQuizFile(write(QStringLiteral("empty.csv"), QByteArray()));
    EXPECT_TRUE(result.ok());
    EXPECT_TRUE(result.items.isEmpty());
}

TEST_F(QuizFileLoad, LineErrorKeepsTheItemsBefore)
{
    const ReadResult result = quizfile::loadQuizFile(write(QStringLiteral("bad.txt"), "a,1\r\nb,2\r\nword\r\nc,3"));
    EXPECT_EQ(result.items, items({{"a", "1"}, {"b", "2"}}));
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->kind, ReadErrorKind::NoComma);
    EXPECT_EQ(result.error->line, 3);
    EXPECT_EQ(result.error->message, QStringLiteral("line 3: no comma between question and answer"));
}

TEST_F(QuizFileLoad, FollowsASymbolicLink)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "POSIX only: on Windows QFile::link makes a shortcut file, and a symbolic link needs a privilege";
#endif
    const QString target = write(QStringLiteral("target.txt"), "a,1");
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    if (!QFile::link(target, link))
        GTEST_SKIP() << "no symbolic links here";
    EXPECT_EQ(quizfile::loadQuizFile(link).items, items({{"a", "1"}}));
}

TEST_F(QuizFileLoad, NoPath)
{
    const ReadResult result = quizfile::loadQuizFile(QString());
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->kind, ReadErrorKind::FileNotFound);
    EXPECT_EQ(result.error->line, 0);
    EXPECT_EQ(result.error->message, QStringLiteral("no file name was given"));
}

TEST_F(QuizFileLoad, MissingFile)
{
    const QString path = dir.filePath(QStringLiteral("no such file.txt"));
    const ReadResult result = quizfile::loadQuizFile(path);
    EXPECT_TRUE(result.items.isEmpty());
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->kind, ReadErrorKind::FileNotFound);
    EXPECT_EQ(result.error->line, 0);
    EXPECT_EQ(result.error->message, QStringLiteral("the file %1 does not exist").arg(quoted(path)));
    // A byte that is no UTF-8 is shown as such.
    EXPECT_EQ(quizfile::loadQuizFile(dir.filePath(filenames::decode("gone\xE9.txt"))).error->message,
              QStringLiteral("the file %1 does not exist").arg(quoted(dir.filePath(QStringLiteral("gone\uFFFD.txt")))));

    // A folder on the way that is missing, and blanks that are not trimmed.
    EXPECT_EQ(quizfile::loadQuizFile(dir.filePath(QStringLiteral("none/quiz.txt"))).error->kind,
              ReadErrorKind::FileNotFound);
#ifdef Q_OS_UNIX
    // (Windows itself drops blanks at the end of a name.)
    const QString padded = write(QStringLiteral("padded.txt"), "a,1");
    EXPECT_EQ(quizfile::loadQuizFile(padded + u' ').error->kind, ReadErrorKind::FileNotFound);
#endif
}

TEST_F(QuizFileLoad, Folder)
{
    const ReadResult result = quizfile::loadQuizFile(dir.path());
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->kind, ReadErrorKind::NotAFile);
    EXPECT_EQ(result.error->message, QStringLiteral("%1 is a folder, not a file").arg(quoted(dir.path())));
}

#ifdef Q_OS_WIN
// A device is refused before anything is read: NUL would read as empty.
TEST_F(QuizFileLoad, Device)
{
    for (const QString& device : {QStringLiteral("NUL")}) {
        const ReadResult result = quizfile::loadQuizFile(device);
        ASSERT_TRUE(result.error.has_value()) << device.toStdString();
        EXPECT_EQ(result.error->kind, ReadErrorKind::NotAFile);
        EXPECT_EQ(result.error->message, QStringLiteral("\"%1\" is not an ordinary file").arg(device));
    }
}

// A file that another program holds open, as an editor or a spreadsheet may,
// is read all the same; and the load closes its own handle on every way out,
// so that the file can then be opened for exclusive use.
TEST_F(QuizFileLoad, SharesTheFileAndClosesIt)
{
    const QString held = write(QStringLiteral("held 単語.txt"), "a,1\r\nb,2");
    const HANDLE editor = ::CreateFileW(held.toStdWString().c_str(), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(editor, INVALID_HANDLE_VALUE);
    EXPECT_EQ(quizfile::loadQuizFile(held).items, items({{"a", "1"}, {"b", "2"}}));
    ::CloseHandle(editor);

    const QString paths[] = {
        held,
        write(QStringLiteral("bad line.txt"), "a,1\r\nword"),
        write(QStringLiteral("bad bytes.txt"), "a,1\r\n\xFF"),
        sparse(QStringLiteral("huge.txt"), quizfile::kMaxFileBytes + 1),
    };
    for (const QString& path : paths) {
        (void)quizfile::loadQuizFile(path);
        const HANDLE alone =
            ::CreateFileW(path.toStdWString().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(alone, INVALID_HANDLE_VALUE) << path.toStdString();
        ::CloseHandle(alone);
    }
}

// A path past MAX_PATH still reaches its file.
TEST_F(QuizFileLoad, LongPath)
{
    QString folder = dir.path();
    while (folder.size() < 300) {
        folder += QStringLiteral("/") + QString(60, u'd');
        ASSERT_TRUE(QDir().mkdir(folder));
    }
    const QString path = folder + QStringLiteral("/words.csv");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("a,1\r\n");
    file.close();
    EXPECT_EQ(quizfile::loadQuizFile(path).items, items({{"a", "1"}}));
    EXPECT_EQ(quizfile::loadQuizFile(QDir::toNativeSeparators(path)).items, items({{"a", "1"}}));
}
#endif

#ifdef Q_OS_UNIX
TEST_F(QuizFileLoad, Device)
{
    const ReadResult result = quizfile::loadQuizFile(QStringLiteral("/dev/zero"));
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->kind, ReadErrorKind::NotAFile);
    EXPECT_EQ(result.error->message, QStringLiteral("\"/dev/zero\" is not an ordinary file"));
}

TEST_F(QuizFileLoad, PermissionDenied)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const QString path = write(QStringLiteral("locked.txt"), "a,1");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    const ReadResult result = quizfile::loadQuizFile(path);
    EXPECT_TRUE(result.items.isEmpty());
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->kind, ReadErrorKind::PermissionDenied);
    EXPECT_EQ(result.error->message, QStringLiteral("you have no permission to read the file %1").arg(quoted(path)));
}
#endif

TEST_F(QuizFileLoad, TooLarge)
{
    const QString path = sparse(QStringLiteral("huge.txt"), quizfile::kMaxFileBytes + 1);
    const ReadResult result = quizfile::loadQuizFile(path);
    EXPECT_TRUE(result.items.isEmpty());
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->kind, ReadErrorKind::FileTooLarge);
    EXPECT_EQ(result.error->line, 0);
    EXPECT_EQ(result.error->message,
              QStringLiteral("the file %1 is larger than 64 MiB and cannot be a quiz file").arg(quoted(path)));
}

// 64 MiB itself is allowed: the file is read (its zero bytes make one line
// too long to be an item).
TEST_F(QuizFileLoad, JustSmallEnough)
{
    const ReadResult result = quizfile::loadQuizFile(sparse(QStringLiteral("big.txt"), quizfile::kMaxFileBytes));
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->kind, ReadErrorKind::LineTooLong);
    EXPECT_EQ(result.error->line, 1);
}

#ifdef Q_OS_LINUX
// The system's own cause, not a guess from what the path looks like afterwards.
TEST_F(QuizFileLoad, SystemCauses)
{
    const QString loop = dir.filePath(QStringLiteral("loop"));
    ASSERT_TRUE(QFile::link(loop, loop));
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString longName = dir.filePath(QString(300, u'n'));
    const QString longPath = dir.path() + QStringLiteral("/d").repeated(3000);
    const struct {
        QString path;
        ReadErrorKind kind;
        QString message;
    } rows[] = {
        {loop, ReadErrorKind::FileNotFound,
         QStringLiteral("the path %1 has too many levels of symbolic links").arg(quoted(loop))},
        {loop + QStringLiteral("/x"), ReadErrorKind::FileNotFound,
         QStringLiteral("the path %1 has too many levels of symbolic links").arg(quoted(loop + QStringLiteral("/x")))},
        {longName, ReadErrorKind::FileNotFound,
         QStringLiteral("the path %1 is longer than the system allows").arg(quoted(longName))},
        {longPath, ReadErrorKind::FileNotFound,
         QStringLiteral("the path %1 is longer than the system allows").arg(quoted(longPath))},
        // A FIFO is refused at once, without waiting for a writer.
        {fifo, ReadErrorKind::NotAFile, QStringLiteral("%1 is not an ordinary file").arg(quoted(fifo))},
    };
    for (const auto& row : rows) {
        const ReadResult result = quizfile::loadQuizFile(row.path);
        ASSERT_TRUE(result.error.has_value()) << row.path.left(80).toStdString();
        EXPECT_EQ(result.error->kind, row.kind) << row.path.left(80).toStdString();
        EXPECT_EQ(result.error->message, row.message);
    }
}

// A file that reports no size but never ends is read no further than the limit.
TEST_F(QuizFileLoad, EndlessFileReportingSizeZero)
{
    const QString path = QStringLiteral("/proc/self/pagemap");
    QFileInfo info(path);
    if (!info.isReadable() || info.size() != 0)
        GTEST_SKIP() << "no readable /proc/self/pagemap of size 0";
    const ReadResult result = quizfile::loadQuizFile(path);
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->kind, ReadErrorKind::FileTooLarge);
}

// The path flips between a quiz file and a FIFO while it is loaded: no load may
// wait for a writer, however the flips fall between the checks.
TEST_F(QuizFileLoad, FifoSwappedIn)
{
    const QByteArray quiz = QFile::encodeName(write(QStringLiteral("quiz.txt"), "a,1"));
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("fifo")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("flipping")));
    const QByteArray spare = path + ".new";

    std::atomic<bool> done = false;
    std::atomic<int> flips = 0;
    std::thread flipper([&] {
        for (int i = 0; !done; ++i) {
            ::unlink(spare.constData());
            if (::symlink((i % 2 ? fifo : quiz).constData(), spare.constData()) == 0 &&
                ::rename(spare.constData(), path.constData()) == 0)
                ++flips;
        }
    });
    while (flips < 2)
        std::this_thread::yield();
    auto loads = std::async(std::launch::async, [&] {
        int refused = 0;
        for (int i = 0; i < 20000; ++i) {
            const ReadResult result = quizfile::loadQuizFile(QFile::decodeName(path));
            if (result.error)
                ++refused;
        }
        return refused;
    });
    const bool finished = loads.wait_for(std::chrono::minutes(2)) == std::future_status::ready;
    if (!finished) {
        // Free the blocked load before failing, so that the test can end.
        const int writer = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    done = true;
    flipper.join();
    EXPECT_TRUE(finished) << "a load waited on the FIFO";
    loads.wait();
}

int openFileCount()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

// The file is closed again on every way out.
TEST_F(QuizFileLoad, ClosesTheFile)
{
    const QString paths[] = {
        write(QStringLiteral("good.txt"), "a,1\r\nb,2"),
        write(QStringLiteral("bad line.txt"), "a,1\r\nword"),
        write(QStringLiteral("bad bytes.txt"), "a,1\r\n\xFF"),
        sparse(QStringLiteral("huge.txt"), quizfile::kMaxFileBytes + 1),
        dir.path(),
        dir.filePath(QStringLiteral("missing.txt")),
    };
    const int before = openFileCount();
    for (const QString& path : paths) {
        (void)quizfile::loadQuizFile(path);
        EXPECT_EQ(openFileCount(), before) << path.toStdString();
    }
}
#endif

} // namespace
