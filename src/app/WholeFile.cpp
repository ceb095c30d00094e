#include "app/WholeFile.h"

#include "engine/EraTable.h"

#include <QFile>
#include <QSaveFile>

namespace yomari::app {
namespace {

QString TooBig()
{
    return QStringLiteral("ファイルが大きすぎます。%1 MB までのファイルを読みます")
        .arg(kMaxDataFileBytes / (1024 * 1024));
}

} // namespace

QString RefusedFile(const QString& fileName)
{
    switch (CheckFileToRead(fileName.toStdString())) {
    case FileRefusal::Missing:
    case FileRefusal::NotRegular: return QStringLiteral("通常のファイルではありません");
    case FileRefusal::TooBig: return TooBig();
    case FileRefusal::None: break;
    }
    return {};
}

std::optional<QByteArray> ReadWholeFile(const QString& fileName, QString& error)
{
    error = RefusedFile(fileName);
    if (!error.isEmpty())
        return std::nullopt;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
    // One byte past the limit: a file that grew since it was measured is
    // refused like one that was too big from the start.
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxDataFileBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return std::nullopt;
    }
    if (static_cast<std::uintmax_t>(bytes.size()) > kMaxDataFileBytes) {
        error = TooBig();
        return std::nullopt;
    }
    return bytes;
}

QString WriteWholeFile(const QString& fileName, const QByteArray& content, InPlace inPlace)
{
    QSaveFile file(fileName);
    file.setDirectWriteFallback(inPlace == InPlace::Allowed);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // The flush is checked here: commit() does not notice a failed flush of
    // its own (a full disk) and would put an empty file in place of the old one.
    if (file.write(content) != content.size() || !file.flush()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace yomari::app
