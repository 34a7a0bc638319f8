#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class BackgroundWork;
class QObject;

// The report's lists saved as quiz files beside the loaded one: their names,
// their bytes, and a write that never leaves a half-written file in place of
// the one it replaces.
namespace resultfiles {

inline const QString kReadAgainSuffix = QStringLiteral("-ReadAgain.csv");
inline const QString kAnsweredCorrectSuffix = QStringLiteral("-AnsweredCorrect.csv");

// The quiz path with the extension of its file name replaced by `suffix`, or
// with `suffix` appended when the file name has none. A dot in a folder name
// or at the start of the file name (a hidden file) is no extension; both "/"
// and "\" end a folder name. The dot's position is a 16-bit count: beyond
// 32 767 it throws int16::OverflowError.
QString resultFileName(const QString& quizPath, const QString& suffix);

// Whether saving to `path` replaces something the user should be asked about:
// any existing entry but a folder, hidden files and symbolic links (even to
// nothing) included. An empty path or one
// ending in "/" or "\" names no file.
bool fileExists(const QString& path);

// The user who owns the file that saving to `path` would write (at the end of
// its links), when that is not the saver: "the user NAME", or "the user
// number N" where the system knows no name. Empty for the saver's own file
// and for none.
QString otherOwner(const QString& path);

// A list's text as a quiz file: the text and one CR LF, in UTF-8. A byte order
// mark comes first when `withMark` asks for one, and always before a text that
// begins with U+FEFF, or the reader would take that character for the mark and
// drop it.
QByteArray fileContent(const QString& listText, bool withMark = false);

// Writes `content` to `path` (at the end of its symbolic links) through a new
// file in the same folder, under a short name of its own, that replaces the
// target only once everything is written and synced. On failure the target is
// left as it was, no temporary file stays, and the result is one sentence for
// the user, without a final full stop, that gives the cause the system gave.
// A read-only file, a folder or anything but an ordinary file is refused
// before anything is written.
std::optional<QString> writeFile(const QString& path, const QByteArray& content);

// Saves a list's text at `path`: its fileContent through writeFile. A text
// that UTF-8 cannot hold (half of a surrogate pair, which a paste may bring)
// is refused before anything is written, since it would not load back as it
// stands.
std::optional<QString> writeList(const QString& path, const QString& listText, bool withMark = false);

// writeList on another thread through `work`, so that a slow disk does not
// hold the windows; `done` gets its outcome on the user-interface thread,
// unless `receiver` is gone by then.
void saveList(BackgroundWork& work, QObject& receiver, const QString& path, const QString& listText, bool withMark,
              std::function<void(const std::optional<QString>& failure)> done);

} // namespace resultfiles
