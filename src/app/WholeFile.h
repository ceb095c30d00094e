#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The program's own small files (settings, exported tables), read and
// written whole, so that a pipe or a device put in a file's place cannot hang
// the program, and a full disk cannot cost the old file.
namespace yomari::app {

// Why the existing `fileName` is no file to read: not a regular file (a pipe
// would never end, /dev/zero never ends), or larger than the data files'
// limit. Empty when it can be read.
QString RefusedFile(const QString& fileName);

// The file's bytes; none, with the reason in `error`, when RefusedFile
// refuses it or it cannot be read.
std::optional<QByteArray> ReadWholeFile(const QString& fileName, QString& error);

// How WriteWholeFile may write where no temporary file can be made beside the
// file (a writable file in a read-only folder).
enum class InPlace { Refuse, Allowed };

// Writes `content` through a temporary file beside `fileName`, put in place
// only once every byte reached the disk, so that a failure leaves the old
// file as it was and no temporary file behind. Answers an error text, or empty.
QString WriteWholeFile(const QString& fileName, const QByteArray& content, InPlace inPlace = InPlace::Refuse);

} // namespace yomari::app
