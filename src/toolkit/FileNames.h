#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QUrl;

// File names as the system holds them, bytes, and as the program holds them,
// text. A name is UTF-8 as a rule, but old archives and USB sticks bring names
// in other encodings (Latin-1 "caf\xE9.csv"); each byte that is not part of
// valid UTF-8 is kept in the text as one lone low surrogate, U+DC80 to U+DCFF,
// so that the name maps back to its very bytes. Qt's own conversion turns such
// a byte into U+FFFD, and the file can no longer be found. Windows holds
// names in UTF-16, which its wide calls take as the text itself.
namespace filenames {

QString decode(const QByteArray& native);
QByteArray encode(const QString& name);

// The name for a person to read: each kept byte shown as U+FFFD.
QString display(const QString& name);

// The file a file:// address names, its percent-encoded bytes as they are;
// empty for any other address.
QString fromUrl(const QUrl& url);

// Whether the name is that of a folder (or a link to one).
bool isFolder(const QString& name);

// A folder separator as a path typed or pasted by a user may hold it: either
// system's, since a path copied from Windows comes with backslashes.
inline bool isSeparator(QChar ch)
{
    return ch == u'/' || ch == u'\\';
}

// The path as the user knows it, in quotes and with the system's
// separators, for a message.
QString quoted(const QString& path);

// The working folder, absolute.
QString currentFolder();

// The name as it stands when it is absolute ("/..." here; "C:\...", "\\server\..."
// on Windows), else taken from the working folder; nothing is resolved or
// cleaned.
QString absolute(const QString& name);

// The program's command line, its name first, as the system gives it: argv's
// words decoded here, the UTF-16 command line on Windows (where argv holds
// the words in the ANSI code page, which cannot hold every name).
QStringList programArguments(int argc, const char* const* argv);

} // namespace filenames
