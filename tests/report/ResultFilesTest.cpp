#include "report/ResultFiles.h"

#include "support/TestFiles.h"

#include "quizfile/QuizFile.h"
#include "quizfile/QuizTestSupport.h"
#include "toolkit/Int16.h"
#include "toolkit/TextBox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <future>
#include <random>
#include <vector>

#ifdef Q_OS_WIN
#include <atomic>
#include <set>
#include <string>
#include <thread>

#include <windows.h>
// After windows.h, which they need.
#include <aclapi.h>
#include <sddl.h>
#else
#include <acl/libacl.h>
#include <fcntl.h>
#include <sys/acl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

namespace {

using resultfiles::kAnsweredCorrectSuffix;
using resultfiles::kReadAgainSuffix;

TEST(ResultFileName, ReplacesTheExtensionOfTheFileNameOnly)
{
    const struct {
        const char* quizPath;
        const char* readAgain;
    } cases[] = {
        {"C:\\quiz\\words.txt", "C:\\quiz\\words-ReadAgain.csv"},
        {"/home/a/words.txt", "/home/a/words-ReadAgain.csv"},
        {"/home/a/quiz.old/words", "/home/a/quiz.old/words-ReadAgain.csv"},
        {"C:\\quiz.old\\words", "C:\\quiz.old\\words-ReadAgain.csv"},
        {"a.b.csv", "a.b-ReadAgain.csv"},
        {"/q/words-ReadAgain.csv", "/q/words-ReadAgain-ReadAgain.csv"},
        {"words", "words-ReadAgain.csv"},
        {"/home/a/.quiz", "/home/a/.quiz-ReadAgain.csv"}, // a hidden file's dot is no extension
        {"/home/a/.quiz.csv", "/home/a/.quiz-ReadAgain.csv"},
        {"words.", "words-ReadAgain.csv"},
        {"/home/a/", "/home/a/-ReadAgain.csv"},
        {"Enter the Quiz Q&A file here", "Enter the Quiz Q&A file here-ReadAgain.csv"},
        {"", "-ReadAgain.csv"},
        {"/x/単語.CSV", "/x/単語-ReadAgain.csv"},
    };
    for (const auto& c : cases) {
        const QString path = QString::fromUtf8(c.quizPath);
        EXPECT_EQ(resultfiles::resultFileName(path, kReadAgainSuffix), QString::fromUtf8(c.readAgain)) << c.quizPath;
    }
    EXPECT_EQ(resultfiles::resultFileName(QStringLiteral("C:\\quiz\\words.txt"), kAnsweredCorrectSuffix),
              QStringLiteral("C:\\quiz\\words-AnsweredCorrect.csv"));
}

TEST(ResultFileName, DotPositionIsASixteenBitCount)
{
    const QString atLimit = QString(32766, u'a') + QStringLiteral(".csv"); // the dot is character 32 767
    EXPECT_EQ(resultfiles::resultFileName(atLimit, kReadAgainSuffix), QString(32766, u'a') + kReadAgainSuffix);
    const QString beyond = QString(32767, u'a') + QStringLiteral(".csv");
    EXPECT_THROW(resultfiles::resultFileName(beyond, kReadAgainSuffix), int16::OverflowError);
    EXPECT_EQ(resultfiles::resultFileName(QString(40000, u'a'), kReadAgainSuffix),
              QString(40000, u'a') + kReadAgainSuffix)
        << "no dot, no position to count";
}

TEST(FileExists, AnyEntryButAFolderCounts)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("words.csv"));
    const QString hidden = dir.filePath(QStringLiteral(".hidden.csv"));
    const QString readOnly = dir.filePath(QStringLiteral("kept.csv"));
    const QString folder = dir.filePath(QStringLiteral("sub.csv"));
    ASSERT_TRUE(testfiles::write(file, "a,b\r\n") && testfiles::write(hidden, "") && testfiles::write(readOnly, "x"));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));
    ASSERT_TRUE(QDir().mkdir(folder));
    struct Case {
        QString path;
        bool exists;
    };
    std::vector<Case> cases = {
        {file, true},           {hidden, true},
        {readOnly, true},       {folder, false},
        {folder + u'/', false}, {file + u'/', false},
        {file + u'\\', false},  {dir.filePath(QStringLiteral("missing.csv")), false},
        {QString(), false},     {QStringLiteral("Ordner/ファイル.csv"), false},
    };
#ifdef Q_OS_UNIX
    // Symbolic links, which Qt makes as shortcut files on Windows.
    const QString dangling = dir.filePath(QStringLiteral("dangling.csv"));
    const QString toFolder = dir.filePath(QStringLiteral("to-folder.csv"));
    const QString loop = dir.filePath(QStringLiteral("loop.csv"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("gone/target.csv")), dangling));
    ASSERT_TRUE(QFile::link(folder, toFolder) && QFile::link(loop, loop));
    cases.push_back({dangling, true});
    cases.push_back({loop, true});
    cases.push_back({toFolder, false});
    cases.push_back({QStringLiteral("/dev/null"), true}); // not ours to replace, but the user is asked first
#else
    const QString unicode = dir.filePath(QStringLiteral("単語 – café.csv"));
    ASSERT_TRUE(testfiles::write(unicode, "a,b\r\n"));
    cases.push_back({unicode, true});
#endif
    for (const auto& c : cases)
        EXPECT_EQ(resultfiles::fileExists(c.path), c.exists) << c.path.toStdString();
}

TEST(ResultFileContent, IsTheTextAndOneCrLfInUtf8)
{
    const struct {
        QString text;
        QByteArray bytes;
        bool withMark = false; // after a quiz that was not UTF-8
    } cases[] = {
        {QString(), "\r\n"},
        {QStringLiteral("dog,inu\r\n"), "dog,inu\r\n\r\n"},
        {QStringLiteral("むら,village\r\n"), "\xE3\x82\x80\xE3\x82\x89,village\r\n\r\n"},
        {QStringLiteral("no break"), "no break\r\n"},
        {QStringLiteral("\uFEFFq,a\r\n"), "\xEF\xBB\xBF\xEF\xBB\xBFq,a\r\n\r\n"},
        {QStringLiteral("crème,cream\r\n"),
         "\xEF\xBB\xBF"
         "cr\xC3\xA8me,cream\r\n\r\n",
         true},
        {QString(), "\xEF\xBB\xBF\r\n", true},
        {QStringLiteral("\uFEFFq,a\r\n"), "\xEF\xBB\xBF\xEF\xBB\xBFq,a\r\n\r\n", true},
    };
    for (const auto& c : cases) {
        const QByteArray bytes = resultfiles::fileContent(c.text, c.withMark);
        EXPECT_EQ(bytes, c.bytes) << c.text.toStdString();
        // Read back, the list's own lines.
        EXPECT_EQ(quizfile::decodeQuizBytes(bytes).text, c.text + QStringLiteral("\r\n")) << c.text.toStdString();
    }
    EXPECT_EQ(resultfiles::fileContent(QStringLiteral("dog,inu\r\n")).size(), 11);
}

TEST(ResultFileWrite, ReplacesAWholeFileAndKeepsItsPermissions)
{
    // The longest name a folder can hold must be replaceable as well as
    // creatable: the temporary file beside it needs a name of its own.
    const QString longest = QString(255 - kReadAgainSuffix.size(), u'w') + kReadAgainSuffix;
    for (const QString& name : {QStringLiteral("words-ReadAgain.csv"), longest}) {
        SCOPED_TRACE(name.size());
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        ASSERT_TRUE(testfiles::write(path, QByteArray(5000, 'x')));
#ifdef Q_OS_WIN
        ASSERT_TRUE(::SetFileAttributesW(path.toStdWString().c_str(), FILE_ATTRIBUTE_HIDDEN));
#else
        ASSERT_TRUE(
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
#endif
        EXPECT_EQ(resultfiles::writeFile(path, "a,b\r\n\r\n"), std::nullopt);
        EXPECT_EQ(resultfiles::writeFile(path, "a,b\r\n\r\n"), std::nullopt) << "and once more";
        EXPECT_EQ(testfiles::read(path), "a,b\r\n\r\n");
#ifdef Q_OS_WIN
        // Windows keeps no mode; the file's attributes stay, as its ACL does.
        EXPECT_TRUE(::GetFileAttributesW(path.toStdWString().c_str()) & FILE_ATTRIBUTE_HIDDEN);
#else
        EXPECT_EQ(QFile::permissions(path), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                                QFileDevice::WriteUser | QFileDevice::ReadGroup);
#endif
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name})
            << "no temporary file is left behind";
    }
}

// A file replaced stays what it was to its owner: its owner and group (root
// saving another user's list), its mode with the set-user-ID bit, and every
// name it has (a hard link). Rows for another user's file need root.
TEST(ResultFileWrite, KeepsTheOwnerTheModeAndEveryName)
{
#ifdef Q_OS_WIN
    // Windows: no owner or mode to give the new file; a second name (a hard
    // link) must still name the same file, written in place.
    for (const bool hardLink : {false, true}) {
        SCOPED_TRACE(hardLink);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("words-ReadAgain.csv"));
        const QString other = dir.filePath(QStringLiteral("second name.csv"));
        ASSERT_TRUE(testfiles::write(path, "old,item\r\n"));
        if (hardLink) {
            ASSERT_TRUE(::CreateHardLinkW(other.toStdWString().c_str(), path.toStdWString().c_str(), nullptr));
        }
        EXPECT_EQ(resultfiles::writeFile(path, "new,item\r\n\r\n"), std::nullopt);
        EXPECT_EQ(testfiles::read(path), "new,item\r\n\r\n");
        QStringList names{QStringLiteral("words-ReadAgain.csv")};
        if (hardLink) {
            EXPECT_EQ(testfiles::read(other), "new,item\r\n\r\n") << "the other name is the same file";
            names.prepend(QStringLiteral("second name.csv"));
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), names) << "no temporary file is left";
    }
#else
    constexpr uid_t kSpare = 54321;
    const struct {
        const char* what;
        uid_t owner; // 0: the saver
        gid_t group;
        mode_t mode;
        bool hardLink;
    } rows[] = {
        {"own file", 0, 0, 0640, false},
        {"own file, set-user-ID", 0, 0, 04750, false},
        {"own file with a second name", 0, 0, 0644, true},
        {"another user's file", kSpare, kSpare, 0600, false},
        {"another user's file, set-user-ID", kSpare, kSpare + 1, 04710, false},
        {"another user's file with a second name", kSpare, kSpare, 0660, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.owner != 0 && geteuid() != 0)
            continue; // only root makes another user's file
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("words-ReadAgain.csv"));
        const QString other = dir.filePath(QStringLiteral("second name.csv"));
        const QByteArray native = QFile::encodeName(path);
        ASSERT_TRUE(testfiles::write(path, "old,item\r\n"));
        const uid_t owner = row.owner ? row.owner : geteuid();
        const gid_t group = row.owner ? row.group : getegid();
        ASSERT_EQ(::chown(native.constData(), owner, group), 0);
        ASSERT_EQ(::chmod(native.constData(), row.mode), 0);
        if (row.hardLink) {
            ASSERT_EQ(::link(native.constData(), QFile::encodeName(other).constData()), 0);
        }

        EXPECT_EQ(resultfiles::writeFile(path, "new,item\r\n\r\n"), std::nullopt);
        struct stat after {};
        ASSERT_EQ(::stat(native.constData(), &after), 0);
        EXPECT_EQ(after.st_uid, owner);
        EXPECT_EQ(after.st_gid, group);
        EXPECT_EQ(after.st_mode & 07777, row.mode);
        EXPECT_EQ(testfiles::read(path), "new,item\r\n\r\n");
        QStringList names{QStringLiteral("words-ReadAgain.csv")};
        if (row.hardLink) {
            EXPECT_EQ(after.st_nlink, 2u);
            EXPECT_EQ(testfiles::read(other), "new,item\r\n\r\n") << "the other name is the same file";
            names.prepend(QStringLiteral("second name.csv"));
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), names) << "no temporary file is left";
    }
#endif
}

// A file written in place is locked for the whole write (flock): a second
// writer that honours the lock, another Pondera or flock(1), waits for it, and
// the two lists never mix.
TEST(ResultFileWrite, InPlaceWriteWaitsForTheFilesLock)
{
#ifdef Q_OS_WIN
    // Windows: a program that holds the file open without sharing its
    // writing (another Pondera's in-place save, a spreadsheet) is waited for.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("words-ReadAgain.csv"));
    ASSERT_TRUE(testfiles::write(path, "old,item\r\n"));
    ASSERT_TRUE(::CreateHardLinkW(dir.filePath(QStringLiteral("other.csv")).toStdWString().c_str(),
                                  path.toStdWString().c_str(), nullptr));
    const HANDLE holder =
        ::CreateFileW(path.toStdWString().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    auto saving = std::async(std::launch::async, [&] { return resultfiles::writeFile(path, "new,item\r\n\r\n"); });
    EXPECT_EQ(saving.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout) << "it waits";
    EXPECT_EQ(testfiles::read(path), "old,item\r\n") << "and writes nothing meanwhile";
    ::CloseHandle(holder);
    EXPECT_EQ(saving.get(), std::nullopt);
    EXPECT_EQ(testfiles::read(path), "new,item\r\n\r\n");
#else
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("words-ReadAgain.csv"));
    const QByteArray native = QFile::encodeName(path);
    ASSERT_TRUE(testfiles::write(path, "old,item\r\n"));
    // A second name makes the save write in place.
    ASSERT_EQ(::link(native.constData(), QFile::encodeName(dir.filePath(QStringLiteral("other.csv"))).constData()), 0);
    const int holder = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    auto saving = std::async(std::launch::async, [&] { return resultfiles::writeFile(path, "new,item\r\n\r\n"); });
    EXPECT_EQ(saving.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout) << "it waits";
    EXPECT_EQ(testfiles::read(path), "old,item\r\n") << "and writes nothing meanwhile";
    ::flock(holder, LOCK_UN);
    ::close(holder);
    EXPECT_EQ(saving.get(), std::nullopt);
    EXPECT_EQ(testfiles::read(path), "new,item\r\n\r\n");
#endif
}

// In a sticky folder that anyone may write to, another user's link is never
// followed, as the kernel's protected_symlinks has it (whether or not the
// system turns it on): it could point the save at the saver's private file.
// A link of the saver's own, or one outside such a folder, is followed.
TEST(ResultFileWrite, AnotherUsersLinkInASharedFolderIsNotFollowed)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "POSIX only: sticky shared folders and link owners have no Windows counterpart";
#else
    constexpr uid_t kOther = 54321;
    const struct {
        const char* what;
        mode_t folderMode;
        bool othersLink;
        bool dangling;
        bool followed;
    } rows[] = {
        {"own link in a shared folder", 01777, false, false, true},
        {"another user's link in a shared folder", 01777, true, false, false},
        {"another user's dangling link in a shared folder", 01777, true, true, false},
        {"another user's link in a folder without the sticky bit", 0777, true, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.othersLink && ::geteuid() != 0)
            continue; // only root makes another user's link
        QTemporaryDir dir;
        const QString shared = dir.filePath(QStringLiteral("shared"));
        ASSERT_TRUE(QDir().mkdir(shared));
        ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), row.folderMode), 0);
        const QString notes = dir.filePath(QStringLiteral("notes.txt"));
        if (!row.dangling) {
            ASSERT_TRUE(testfiles::write(notes, "private\n"));
        }
        const QString link = shared + QStringLiteral("/w-ReadAgain.csv");
        const QByteArray nativeLink = QFile::encodeName(link);
        ASSERT_EQ(::symlink(QFile::encodeName(notes).constData(), nativeLink.constData()), 0);
        if (row.othersLink) {
            ASSERT_EQ(::lchown(nativeLink.constData(), kOther, kOther), 0);
        }

        const std::optional<QString> failure = resultfiles::writeFile(link, "a,b\r\n\r\n");
        if (row.followed) {
            EXPECT_EQ(failure, std::nullopt);
            EXPECT_EQ(testfiles::read(notes), "a,b\r\n\r\n");
            continue;
        }
        EXPECT_EQ(failure, QStringLiteral("\"%1\" is a link that another user made in a shared folder, and it is not "
                                          "followed")
                               .arg(QDir::toNativeSeparators(link)));
        EXPECT_EQ(QFileInfo::exists(notes), !row.dangling);
        if (!row.dangling) {
            EXPECT_EQ(testfiles::read(notes), "private\n");
        }
    }
#endif
}

// Another user's file: the overwrite question names its owner, and one that
// anyone may change is not saved into in a shared folder, where that user
// could read the list and change it after the save.
TEST(ResultFileWrite, AnotherUsersFile)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "POSIX only: a second user's file needs root and chown";
#else
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make a second user's file";
    constexpr uid_t kOther = 54321;
    const struct {
        const char* what;
        uid_t owner; // 0: the saver
        mode_t mode;
        mode_t folderMode;
        bool saved;
    } rows[] = {
        {"own file", 0, 0666, 01777, true},
        {"another user's file", kOther, 0600, 0755, true},
        {"another user's file in a shared folder", kOther, 0644, 01777, true},
        {"another user's file anyone may change, in a shared folder", kOther, 0666, 01777, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("folder"));
        ASSERT_TRUE(QDir().mkdir(folder));
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), row.folderMode), 0);
        const QString path = folder + QStringLiteral("/w-ReadAgain.csv");
        const QByteArray native = QFile::encodeName(path);
        ASSERT_TRUE(testfiles::write(path, "old,item\r\n"));
        ASSERT_EQ(::chown(native.constData(), row.owner, row.owner), 0);
        ASSERT_EQ(::chmod(native.constData(), row.mode), 0);
        EXPECT_EQ(resultfiles::otherOwner(path),
                  row.owner ? QStringLiteral("the user number %1").arg(row.owner) : QString());
        const std::optional<QString> failure = resultfiles::writeFile(path, "new,item\r\n\r\n");
        if (row.saved) {
            EXPECT_EQ(failure, std::nullopt);
            EXPECT_EQ(testfiles::read(path), "new,item\r\n\r\n");
        } else {
            EXPECT_EQ(failure, QStringLiteral("the file \"%1\" belongs to another user and anyone may change it; a "
                                              "list is not saved into it in a shared folder")
                                   .arg(QDir::toNativeSeparators(path)));
            EXPECT_EQ(testfiles::read(path), "old,item\r\n");
        }
        struct stat after {};
        ASSERT_EQ(::stat(native.constData(), &after), 0);
        EXPECT_EQ(after.st_uid, row.owner) << "the file stays its owner's";
    }
#endif
}

// A replaced file keeps its access control list and its extended attributes:
// a second user's entry stays, and the group gains nothing from the ACL's
// mask. Skipped where the file system has neither.
TEST(ResultFileWrite, KeepsTheAccessControlListAndTheAttributes)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "POSIX only: POSIX ACLs and user attributes; the Windows ACL is checked with the temporary file";
#else
    for (const bool hardLink : {false, true}) {
        SCOPED_TRACE(hardLink ? "written in place" : "replaced");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("words-ReadAgain.csv"));
        const QByteArray native = QFile::encodeName(path);
        ASSERT_TRUE(testfiles::write(path, "old,item\r\n"));
        ASSERT_EQ(::chmod(native.constData(), 0600), 0);
        const char* const entries = "u::rw-,u:54321:rw-,g::---,m::rw-,o::---";
        acl_t acl = acl_from_text(entries);
        ASSERT_NE(acl, nullptr);
        const int set = acl_set_file(native.constData(), ACL_TYPE_ACCESS, acl);
        acl_free(acl);
        if (set != 0 || ::setxattr(native.constData(), "user.origin", "teacher", 7, 0) != 0)
            GTEST_SKIP() << "no ACLs or user attributes here: " << std::strerror(errno);
        if (hardLink) {
            ASSERT_EQ(
                ::link(native.constData(), QFile::encodeName(dir.filePath(QStringLiteral("other.csv"))).constData()),
                0);
        }

        EXPECT_EQ(resultfiles::writeFile(path, "new,item\r\n\r\n"), std::nullopt);
        EXPECT_EQ(testfiles::read(path), "new,item\r\n\r\n");
        acl_t after = acl_get_file(native.constData(), ACL_TYPE_ACCESS);
        ASSERT_NE(after, nullptr);
        char* text = acl_to_any_text(after, nullptr, ',', TEXT_NUMERIC_IDS);
        EXPECT_STREQ(text, "user::rw-,user:54321:rw-,group::---,mask::rw-,other::---");
        acl_free(text);
        acl_free(after);
        char value[16] = {};
        EXPECT_EQ(::getxattr(native.constData(), "user.origin", value, sizeof value), 7);
        EXPECT_STREQ(value, "teacher");
    }
#endif
}

#ifdef Q_OS_WIN
// The security identifier of the user the tests run as, as text.
QString currentUserSid()
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    std::vector<char> buffer(256);
    DWORD size = 0;
    wchar_t* text = nullptr;
    QString sid;
    if (::GetTokenInformation(token, TokenUser, buffer.data(), DWORD(buffer.size()), &size) &&
        ::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        sid = QString::fromWCharArray(text);
        ::LocalFree(text);
    }
    ::CloseHandle(token);
    return sid;
}

// A file's access control list as the system tells it.
struct Dacl {
    bool read = false;
    std::string text;          // its SDDL form
    bool isProtected = false;  // from inheriting its folder's entries
    std::set<QString> allowed; // whom its entries grant anything
};

// Read through a handle that shares everything, deleting and renaming too,
// so that looking at a file never stands in the writer's way.
Dacl daclOf(const QString& path, LONGLONG* size = nullptr)
{
    Dacl dacl;
    const HANDLE file = ::CreateFileW(path.toStdWString().c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return dacl;
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD got = ::GetSecurityInfo(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &list,
                                        nullptr, &descriptor);
    LARGE_INTEGER length{};
    const bool measured = ::GetFileSizeEx(file, &length);
    ::CloseHandle(file);
    if (got != ERROR_SUCCESS)
        return dacl;
    if (size)
        *size = measured ? length.QuadPart : -1;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    wchar_t* text = nullptr;
    if (::GetSecurityDescriptorControl(descriptor, &control, &revision) &&
        ::ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                               &text, nullptr)) {
        dacl.read = true;
        dacl.text = QString::fromWCharArray(text).toStdString();
        dacl.isProtected = control & SE_DACL_PROTECTED;
        ::LocalFree(text);
    }
    for (DWORD i = 0; list && i < list->AceCount; ++i) {
        void* entry = nullptr;
        wchar_t* sid = nullptr;
        if (::GetAce(list, i, &entry) && static_cast<ACE_HEADER*>(entry)->AceType == ACCESS_ALLOWED_ACE_TYPE &&
            ::ConvertSidToStringSidW(&static_cast<ACCESS_ALLOWED_ACE*>(entry)->SidStart, &sid)) {
            dacl.allowed.insert(QString::fromWCharArray(sid));
            ::LocalFree(sid);
        }
    }
    ::LocalFree(descriptor);
    return dacl;
}

bool setDacl(const QString& path, const QString& sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.toStdWString().c_str(), SDDL_REVISION_1,
                                                                &descriptor, nullptr))
        return false;
    const bool set = ::SetFileSecurityW(path.toStdWString().c_str(), DACL_SECURITY_INFORMATION, descriptor);
    ::LocalFree(descriptor);
    return set;
}
#endif

// A list that replaces a file is not readable by anyone else while it is
// written: it is made for the saver alone and only then gets the old file's
// access control list. A list of a new name is made as any new file in its
// folder is. Under wine a file's list is its Unix mode: the user's entry, the
// one for Everyone and SYSTEM's, which wine adds to every file; a file it
// calls protected, or an entry for anyone else, it does not keep.
TEST(ResultFileWrite, TemporaryFileOfAReplacedListIsTheSaversAlone)
{
#ifndef Q_OS_WIN
    GTEST_SKIP() << "Windows only: the POSIX writer's temporary file is checked by its mode";
#else
    const QString user = currentUserSid();
    ASSERT_FALSE(user.isEmpty());
    const QString system = QStringLiteral("S-1-5-18");
    // Written in one piece that takes a while, so that a watcher sees the
    // temporary file part written. A part-written file with the old file's
    // list may be the old file on its way aside: where the folder gives a new
    // file that same list (anyone may read, under wine), the row shows only
    // that the old list is kept.
    const QByteArray content(8 << 20, 'n');
    const QByteArray oldContent(9 << 20, 'o');
    const struct {
        const char* what;
        QString oldDacl; // empty: no file there yet
    } rows[] = {
        {"a file anyone may change", QStringLiteral("D:(A;;FA;;;%1)(A;;FA;;;WD)").arg(user)},
        {"a file anyone may read", QStringLiteral("D:(A;;FA;;;%1)(A;;FR;;;WD)").arg(user)},
        {"a file only its owner may read", QStringLiteral("D:P(A;;FA;;;%1)").arg(user)},
        {"a new file", QString()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("words-ReadAgain.csv"));
        Dacl before;
        if (!row.oldDacl.isEmpty()) {
            ASSERT_TRUE(testfiles::write(path, oldContent));
            ASSERT_TRUE(setDacl(path, row.oldDacl));
            before = daclOf(path);
            ASSERT_TRUE(before.read);
        }

        // Looks at every temporary file while the list is written, its size
        // after its list: a file not full yet was not full when its list was read.
        std::atomic<bool> done{false};
        std::atomic<int> seen{0};
        std::set<std::string> exposed;
        std::thread watcher([&] {
            const std::wstring pattern =
                QDir::toNativeSeparators(dir.filePath(QStringLiteral(".pondera-*"))).toStdWString();
            while (!done) {
                WIN32_FIND_DATAW found{};
                const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
                if (search == INVALID_HANDLE_VALUE)
                    continue;
                do {
                    const QString name = dir.filePath(QString::fromWCharArray(found.cFileName));
                    LONGLONG size = -1;
                    const Dacl dacl = daclOf(name, &size);
                    // wine's ReplaceFileW copies the old file aside under
                    // the second temporary name, with the old file's list.
                    if (!dacl.read || size < 0 || size >= content.size())
                        continue;
                    ++seen;
                    std::set<QString> others = dacl.allowed;
                    others.erase(user);
                    others.erase(system);
                    if (!others.empty() && dacl.text != before.text)
                        exposed.insert(dacl.text);
                } while (::FindNextFileW(search, &found));
                ::FindClose(search);
            }
        });
        // No assertion that returns while the watcher runs.
        for (int attempt = 0; attempt < 200 && seen == 0; ++attempt) {
            if (!row.oldDacl.isEmpty()) {
                EXPECT_TRUE(testfiles::write(path, oldContent));
            } else {
                QFile::remove(path);
            }
            EXPECT_EQ(resultfiles::writeFile(path, content), std::nullopt);
        }
        done = true;
        watcher.join();
        ASSERT_GT(seen, 0) << "the temporary file was never seen being written";
        if (!row.oldDacl.isEmpty()) {
            EXPECT_EQ(exposed, std::set<std::string>{}) << "no one else may read the list while it is written";
            EXPECT_EQ(daclOf(path).text, before.text) << "the old file's list";
        } else {
            // What any new file there gets.
            const QString plain = dir.filePath(QStringLiteral("plain.csv"));
            ASSERT_TRUE(testfiles::write(plain, "x"));
            const Dacl made = daclOf(path);
            EXPECT_FALSE(made.isProtected);
            EXPECT_EQ(made.text, daclOf(plain).text);
        }
        EXPECT_EQ(testfiles::read(path), content);
    }
#endif
}

// Another user's file that the saver may write but cannot give back to its
// owner as a new file: it is written in place and stays its owner's.
TEST(ResultFileWrite, FileThatCannotBeGivenBackIsWrittenInPlace)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "POSIX only: owners that a new file cannot be given back to";
#else
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to make a second user's file";
    constexpr uid_t kOwner = 54321;
    constexpr uid_t kSaver = 54322;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("words-ReadAgain.csv"));
    const QByteArray native = QFile::encodeName(path);
    ASSERT_TRUE(testfiles::write(path, "old,item\r\n"));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    ASSERT_EQ(::chown(native.constData(), kOwner, kOwner), 0);
    ASSERT_EQ(::chmod(native.constData(), 0666), 0);

    ASSERT_EQ(::seteuid(kSaver), 0);
    const std::optional<QString> failure = resultfiles::writeFile(path, "new,item\r\n\r\n");
    ASSERT_EQ(::seteuid(0), 0);

    EXPECT_EQ(failure, std::nullopt);
    struct stat after {};
    ASSERT_EQ(::stat(native.constData(), &after), 0);
    EXPECT_EQ(after.st_uid, kOwner);
    EXPECT_EQ(after.st_gid, kOwner);
    EXPECT_EQ(after.st_mode & 07777, 0666u);
    EXPECT_EQ(testfiles::read(path), "new,item\r\n\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("words-ReadAgain.csv")});
#endif
}

TEST(ResultFileWrite, FailuresLeaveTheTargetAsItWas)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("words-ReadAgain.csv"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString readOnly = dir.filePath(QStringLiteral("kept-ReadAgain.csv"));
    ASSERT_TRUE(testfiles::write(readOnly, "old,item\r\n"));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup));

    const auto shown = [](const QString& path) { return QDir::toNativeSeparators(path); };
    struct Case {
        QString path;
        QString message;
    };
    std::vector<Case> cases = {
        {folder, QStringLiteral("\"%1\" is a folder, not a file").arg(shown(folder))},
        {dir.filePath(QStringLiteral("no/such/folder/x.csv")),
         QStringLiteral("the folder \"%1\" does not exist").arg(shown(dir.filePath(QStringLiteral("no/such/folder"))))},
        {readOnly, QStringLiteral("the file \"%1\" is read-only").arg(shown(readOnly))},
        {QString(), QStringLiteral("no file name was given")},
    };
#ifdef Q_OS_UNIX
    cases.push_back({QStringLiteral("/dev/full"), QStringLiteral("\"/dev/full\" is not an ordinary file")});
    cases.push_back({QStringLiteral("/dev/null"), QStringLiteral("\"/dev/null\" is not an ordinary file")});
    cases.push_back(
        {dir.filePath(QString(256, u'n')), QStringLiteral("the file \"%1\" cannot be written: %2")
                                               .arg(dir.filePath(QString(256, u'n')), qt_error_string(ENAMETOOLONG))});
#else
    cases.push_back({QStringLiteral("NUL"), QStringLiteral("\"NUL\" is not an ordinary file")});
#endif
    for (const auto& c : cases)
        EXPECT_EQ(resultfiles::writeFile(c.path, "new,item\r\n\r\n"), c.message);
    EXPECT_EQ(testfiles::read(readOnly), "old,item\r\n");
    EXPECT_TRUE(QFileInfo(folder).isDir());
#ifdef Q_OS_UNIX
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/full")).isFile()) << "the device is still a device";
#endif
}

TEST(ResultFileWrite, FolderWithoutWritePermission)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "POSIX only: folder modes; Windows folders have ACLs, which wine does not model";
#else
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write in any folder";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.csv"));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_EQ(resultfiles::writeFile(path, "a,b\r\n"),
              QStringLiteral("you have no permission to write in the folder \"%1\"").arg(dir.path()));
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
#endif
}

// Half of a surrogate pair (a paste may bring one) has no UTF-8 form: the
// list is refused, naming the line as the reader counts lines, and nothing is
// written. A whole pair is saved.
TEST(ResultFileWrite, ListWithHalfACharacterIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("words-ReadAgain.csv"));
    const QString high(QChar(0xD83D));
    const QString low(QChar(0xDC15));
    const struct {
        QString text;
        int line; // 0: saved
    } rows[] = {
        {QStringLiteral("a,1\r\nb,") + high + QStringLiteral("x\r\n"), 2},
        {low + QStringLiteral(",x"), 1},
        // Every break the list holds counts, as the list box shows them: CR
        // LF, CR, and LF alone (pasted lines).
        {QStringLiteral("a\rb\r\nc\n,") + high, 4},
        {QStringLiteral("a,1\nb,") + high, 2},
        {QStringLiteral("a,1\r\n") + low + high, 2},
        {QStringLiteral("dog,") + high + low + QStringLiteral("\r\n"), 0},
    };
    for (const auto& row : rows) {
        QFile::remove(path);
        const std::optional<QString> failure = resultfiles::writeList(path, row.text);
        if (row.line == 0) {
            EXPECT_EQ(failure, std::nullopt);
            EXPECT_EQ(testfiles::read(path), resultfiles::fileContent(row.text));
            continue;
        }
        EXPECT_EQ(failure,
                  QStringLiteral("line %1 of the list holds half of a character, which cannot be saved").arg(row.line));
        EXPECT_FALSE(QFileInfo::exists(path));
    }
}

// A disk that fills up while the file is written: the size limit of the
// process stands in for it, refusing the write half way. A short list fits in
// one buffer of the file layer and only meets the limit when it is flushed.
TEST(ResultFileWrite, FullDiskLeavesTheOldFile)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "POSIX only: the process size limit (RLIMIT_FSIZE) stands in for a full disk";
#else
    // A file with a second name is written in place, and must keep its old
    // bytes all the same.
    const struct {
        rlim_t limit;
        qsizetype size;
        bool hardLink = false;
    } rows[] = {{16, 37}, {64 * 1024, 1024 * 1024}, {16, 37, true}, {64 * 1024, 1024 * 1024, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.size);
        SCOPED_TRACE(row.hardLink);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("words-AnsweredCorrect.csv"));
        ASSERT_TRUE(testfiles::write(path, "old,item\r\n"));
        const QString other = dir.filePath(QStringLiteral("second name.csv"));
        if (row.hardLink) {
            ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
        }

        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = row.limit;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const std::optional<QString> failure = resultfiles::writeFile(path, QByteArray(row.size, 'x'));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        ASSERT_TRUE(failure.has_value());
        EXPECT_TRUE(failure->startsWith(QStringLiteral("the file \"%1\" cannot be written: ").arg(path)))
            << failure->toStdString();
        EXPECT_EQ(testfiles::read(path), "old,item\r\n");
        if (row.hardLink) {
            EXPECT_EQ(testfiles::read(other), "old,item\r\n");
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), row.hardLink ? 2 : 1)
            << "the partial file is removed";
    }
#endif
}

// A real full file system, where the test may mount one.
TEST(ResultFileWrite, FullFileSystemLeavesTheOldFile)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "POSIX only: mounts a small tmpfs";
#else
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (geteuid() != 0 || ::mount("pondera-test", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here";
    const QString path = dir.filePath(QStringLiteral("words-ReadAgain.csv"));
    ASSERT_TRUE(testfiles::write(path, "old,item\r\n"));
    {
        // Fill what is left.
        QFile filler(dir.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'f')) == 4096) {
        }
    }
    for (const qsizetype size : {qsizetype(37), qsizetype(1024 * 1024)}) {
        const std::optional<QString> failure = resultfiles::writeFile(path, QByteArray(size, 'x'));
        ASSERT_TRUE(failure.has_value()) << size;
        EXPECT_TRUE(failure->startsWith(QStringLiteral("the file \"%1\" cannot be written: ").arg(path)))
            << failure->toStdString();
        EXPECT_EQ(testfiles::read(path), "old,item\r\n");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file is left";
    }
    EXPECT_EQ(::umount(mountPoint.constData()), 0);
#endif
}

// A read-only file system is named as the cause, for a new file and for one
// to replace alike, whatever the file's own mode says.
TEST(ResultFileWrite, ReadOnlyFileSystemIsNamed)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "POSIX only: remounts a tmpfs read-only";
#else
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (geteuid() != 0 || ::mount("pondera-test", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    const QString existing = dir.filePath(QStringLiteral("words-ReadAgain.csv"));
    ASSERT_TRUE(testfiles::write(existing, "old,item\r\n"));
    ASSERT_EQ(::mount("pondera-test", mountPoint.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
    const QString expected = QStringLiteral("the folder \"%1\" is on a read-only file system").arg(dir.path());
    for (const QString& path : {existing, dir.filePath(QStringLiteral("words-AnsweredCorrect.csv"))})
        EXPECT_EQ(resultfiles::writeFile(path, "new,item\r\n\r\n"), expected) << path.toStdString();
    EXPECT_EQ(testfiles::read(existing), "old,item\r\n");
    EXPECT_EQ(::umount(mountPoint.constData()), 0);
#endif
}

TEST(ResultFileWrite, SavedListLoadsBackIntoItsItems)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("words-ReadAgain.csv"));
    ASSERT_EQ(resultfiles::writeFile(path, resultfiles::fileContent(QStringLiteral("dog,inu\r\n"))), std::nullopt);
    EXPECT_EQ(testfiles::read(path), "dog,inu\r\n\r\n");
    const quizfile::ReadResult loaded = quizfile::loadQuizFile(path);
    ASSERT_TRUE(loaded.ok());
    ASSERT_EQ(loaded.items.size(), 1);
    EXPECT_EQ(loaded.items.question(1), QStringLiteral("dog"));
    EXPECT_EQ(loaded.items.answer(1), QStringLiteral("inu"));
}

} // namespace

namespace {

// Any items the reader can give, appended to a list as the quiz window does
// and saved, load back into the same items.
TEST(ResultFileRoundTrip, SavedListLoadsBackIntoTheSameItems)
{
    const QString alphabet = QStringLiteral("ab,\" \t\n\u00A0\u2028\u2029\uFDD0\uFDD1\uFEFF\u3000むら") + QChar(0) +
                             QString::fromUtf8("\xF0\x9F\x98\x80"); // and a surrogate pair
    std::mt19937 random(20261207);
    const auto character = [&] {
        const auto i = std::uniform_int_distribution<qsizetype>(0, alphabet.size() - 1)(random);
        // Never half a surrogate pair.
        if (alphabet.at(i).isHighSurrogate())
            return alphabet.mid(i, 2);
        if (alphabet.at(i).isLowSurrogate())
            return alphabet.mid(i - 1, 2);
        return alphabet.mid(i, 1);
    };
    int lists = 0;
    for (int round = 0; round < 300; ++round) {
        quizfile::QuizItems items;
        const int wanted = std::uniform_int_distribution<int>(0, 12)(random);
        while (items.size() < wanted) {
            QString line;
            const int length = std::uniform_int_distribution<int>(0, 14)(random);
            for (int i = 0; i < length; ++i)
                line += character();
            const quizfile::ReadResult one = quizfile::readQuizText(line);
            if (one.ok() && one.items.size() == 1)
                items.append(one.items.questionView(1), one.items.answerView(1));
        }
        TextBox list;
        for (qsizetype i = 1; i <= items.size(); ++i)
            list.appendText(items.question(i) + u',' + items.answer(i) + QStringLiteral("\r\n"));
        const quizfile::ReadResult loaded = quizfile::readQuizBytes(resultfiles::fileContent(list.text()));
        ASSERT_TRUE(loaded.ok()) << loaded.error->message.toStdString();
        ASSERT_EQ(loaded.items, items) << "round " << round;
        ++lists;
    }
    EXPECT_EQ(lists, 300);
}

} // namespace
