#pragma once

#include <QByteArray>
#include <QString>

// Files the tests set up and look into.
namespace testfiles {

// Writes `bytes` as the whole file at `path`; false when it cannot.
bool write(const QString& path, const QByteArray& bytes);

// The whole file at `path`, or "<unreadable>" when it cannot be read.
QByteArray read(const QString& path);

} // namespace testfiles
