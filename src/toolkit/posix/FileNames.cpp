#include "toolkit/FileNames.h"

#include <QStringView>
#include <QUrl>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace filenames {

namespace {

constexpr char16_t kFirstKept = 0xDC80;
constexpr char16_t kLastKept = 0xDCFF;

// The code point of the valid UTF-8 sequence at `at`, and its length; a
// length of 0 when the byte there starts none (overlong forms and encoded
// surrogates included, as they would not map back to the same bytes).
struct Sequence {
    char32_t codePoint = 0;
    int length = 0;
};

Sequence sequenceAt(const QByteArray& bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return {lead, 1};
    int length = 0;
    char32_t codePoint = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, least = 0x10000;
    } else {
        return {};
    }
    if (bytes.size() - at < length)
        return {};
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return {};
        codePoint = codePoint << 6 | (byte(at + i) & 0x3F);
    }
    if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return {};
    return {codePoint, length};
}

// A kept byte: a lone low surrogate of the kept range, not the second half of
// a pair.
bool isKept(QStringView name, qsizetype i)
{
    const char16_t ch = name.at(i).unicode();
    return ch >= kFirstKept && ch <= kLastKept && (i == 0 || !name.at(i - 1).isHighSurrogate());
}

} // namespace

QString decode(const QByteArray& native)
{
    QString name;
    name.reserve(native.size());
    for (qsizetype at = 0; at < native.size();) {
        const Sequence sequence = sequenceAt(native, at);
        if (sequence.length == 0) {
            name += QChar(char16_t(0xDC00 + static_cast<unsigned char>(native.at(at))));
            ++at;
            continue;
        }
        // By hand, not with fromUtf8, which would drop a byte order mark.
        for (const char16_t unit : QChar::fromUcs4(sequence.codePoint))
            if (unit != 0)
                name += QChar(unit);
        at += sequence.length;
    }
    return name;
}

QByteArray encode(const QString& name)
{
    QByteArray native;
    native.reserve(name.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!isKept(name, i))
            continue;
        native += QStringView(name).sliced(runStart, i - runStart).toUtf8();
        native += char(name.at(i).unicode() - 0xDC00);
        runStart = i + 1;
    }
    native += QStringView(name).sliced(runStart).toUtf8();
    return native;
}

QString display(const QString& name)
{
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (isKept(name, i))
            shown[i] = QChar::ReplacementCharacter;
    return shown;
}

QString fromUrl(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    // Percent-encoded, the path keeps bytes that are no UTF-8; decoded by Qt,
    // they would be lost.
    QString name = decode(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
    // A host is kept as QUrl::toLocalFile keeps it.
    if (!url.host().isEmpty())
        name = QStringLiteral("//") + url.host() + name;
    return name;
}

bool isFolder(const QString& name)
{
    struct stat status {};
    return ::stat(encode(name).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

QString currentFolder()
{
    QByteArray folder(4096, Qt::Uninitialized);
    while (!::getcwd(folder.data(), size_t(folder.size()))) {
        if (errno != ERANGE)
            return {};
        folder.resize(folder.size() * 2);
    }
    folder.truncate(qsizetype(std::strlen(folder.constData())));
    return decode(folder);
}

QString absolute(const QString& name)
{
    if (name.startsWith(u'/'))
        return name;
    const QString folder = currentFolder();
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

QStringList programArguments(int argc, const char* const* argv)
{
    QStringList words;
    for (int i = 0; i < argc; ++i)
        words.append(decode(QByteArray(argv[i])));
    return words;
}

} // namespace filenames
