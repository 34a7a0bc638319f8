#pragma once

#include "quizfile/QuizFileReader.h"

#include <QtGlobal>

// Loading a quiz file by its path: the file part of the Load command, from
// opening the file to closing it, and the errors on the way.
namespace quizfile {

// Larger files are refused before anything is read.
inline constexpr qint64 kMaxFileBytes = qint64(64) * 1024 * 1024;

// Reads the quiz file at `path` (as the user typed it; not trimmed). Every
// failure comes back as `error` with a one-line message for the user: a
// missing file, an empty, too long or looping path (FileNotFound), a folder,
// a FIFO or a device (NotAFile), a file over 64 MiB, whatever size it reports
// (FileTooLarge), no permission to read (PermissionDenied), an I/O error
// (ReadFailed), and the line errors of readQuizBytes, which keep the items
// read before the failing line. Nothing blocks, and the file is closed again
// on every path.
ReadResult loadQuizFile(const QString& path);

} // namespace quizfile
