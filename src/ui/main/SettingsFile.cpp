#include "SettingsFile.h"

#include "ItemReader.h"
#include "NumberText.h"
#include "TextDecoding.h"
#include "basYomari.h"

#include <QFile>
#include <QSaveFile>

#include <optional>

namespace yomari::settings {
namespace {

std::optional<int32_t> ToLong(const QString& text)
{
    const auto value = NumberText::ParseNumber(text.toStdString());
    if (!value)
        return std::nullopt;
    return NumberText::RoundToInt32(*value);
}

std::optional<bool> ToBoolean(const QString& text)
{
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const auto n = ToLong(text);
    if (!n)
        return std::nullopt;
    return *n != 0;
}

bool InRange(int32_t v, int32_t lo, int32_t hi)
{
    return v >= lo && v <= hi;
}

// Applies the n-th value; false when the value cannot stand for that setting.
bool Apply(int slot, const QString& text, Values& v)
{
    if (slot == kInSysTray) {
        const auto b = ToBoolean(text);
        if (!b)
            return false;
        v.inSysTray = *b;
        return true;
    }
    const auto n = ToLong(text);
    if (!n)
        return false;
    switch (slot) {
    case kTop: v.top = *n; return true;
    case kLeft: v.left = *n; return true;
    case kCalcMode: v.calcMode = *n; return InRange(*n, 0, 3);
    case kInputIndex: v.inputIndex = *n; return InRange(*n, 0, 5);
    case kOutputIndex: v.outputIndex = *n; return InRange(*n, 6, 11);
    // The upper bound of a list index is known only once the lists are filled.
    case kInputBeforeMeijiIndex: v.inputBeforeMeijiIndex = *n; return *n >= -1;
    case kOutputBeforeMeijiIndex: v.outputBeforeMeijiIndex = *n; return *n >= -1;
    case kNanBokuMode: v.nanBokuMode = *n; return InRange(*n, 0, 1);
    case kAppMode: v.appMode = *n; return InRange(*n, 0, 1);
    case kTextLenMax:
        v.textLenMax = std::clamp(*n, kMinTextLen, kMaxTextLen);
        return true;
    case kBirthYearWhichCopy: v.birthYearWhichCopy = *n; return InRange(*n, 0, 1);
    case kADGenTop: v.adGenTop = *n; return true;
    case kADGenLeft: v.adGenLeft = *n; return true;
    case kSelectedGengo:
        v.selectedGengo = static_cast<int16_t>(std::clamp(*n, -1, 3));
        return InRange(*n, -1, 3);
    default: return true;
    }
}

} // namespace

ReadResult Read(const QString& fileName)
{
    ReadResult result;
    QFile file(fileName);
    if (!file.exists())
        return result;
    result.status = ReadResult::Status::Error;
    if (!file.open(QIODevice::ReadOnly)) {
        result.errorValue = file.errorString();
        return result;
    }
    const auto text = DecodeTextFile(file.readAll().toStdString());
    if (!text) {
        result.errorValue = QStringLiteral("文字コードを判別できません");
        return result;
    }
    ItemReader reader(*text);
    int n = 0;
    while (auto item = reader.Next()) {
        const QString trimmed = QString::fromStdString(*item).trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('[')))
            continue;
        if (n < kValueCount) {
            const QString value = basYomari::IniValue(trimmed).trimmed();
            result.lineOf[n] = reader.Line();
            if (!Apply(n, value, result.values)) {
                result.errorLine = reader.Line();
                result.errorValue = value;
                result.values = Values{};
                return result;
            }
        }
        ++n;
    }
    result.valueCount = std::min(n, kValueCount);
    result.status = ReadResult::Status::Ok;
    return result;
}

QByteArray Format(const Snapshot& s)
{
    const Values& v = s.values;
    QByteArray out;
    const auto line = [&out](const QString& text) { out += text.toLatin1() + "\r\n"; };
    const auto num = [](int32_t v) { return QString::number(v); };
    line(QStringLiteral("[Window]"));
    line(QStringLiteral("Top =") + num(v.top));
    line(QStringLiteral("Left =") + num(v.left));
    line(QStringLiteral("\r"));
    line(QStringLiteral("[CalcSetting]"));
    for (int32_t mode : s.selectedCalcModes)
        line(QStringLiteral("CalcMode =") + num(mode));
    for (qsizetype i = 0; i < s.selectedEraButtons.size(); ++i)
        line((i == 0 ? QStringLiteral("InputIndex =") : QStringLiteral("OutputIndex =")) +
             num(s.selectedEraButtons[i]));
    line(QStringLiteral("InputBeforeMeijiIndex =") + num(v.inputBeforeMeijiIndex));
    line(QStringLiteral("OutputBeforeMeijiIndex =") + num(v.outputBeforeMeijiIndex));
    line(QStringLiteral("\r"));
    line(QStringLiteral("[Options]"));
    line(QStringLiteral("NanBokuMode =") + num(v.nanBokuMode));
    line(QStringLiteral("AppMode =") + num(v.appMode));
    line(QStringLiteral("InSysTray =") + (v.inSysTray ? QStringLiteral("True") : QStringLiteral("False")));
    line(QStringLiteral("TextLenMax =") + num(v.textLenMax));
    line(QStringLiteral("BirthYearWhichCopy =") + num(v.birthYearWhichCopy));
    line(QStringLiteral("\r"));
    line(QStringLiteral("[ADGen]"));
    line(QStringLiteral("ADGenTop =") + num(v.adGenTop));
    line(QStringLiteral("ADGenLeft =") + num(v.adGenLeft));
    line(QStringLiteral("SelectedGengo =") + num(v.selectedGengo));
    return out;
}

QString Write(const QString& fileName, const QByteArray& content)
{
    QSaveFile file(fileName);
    // A writable file in a folder that is not (a copy carried around) can
    // only be written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(content) != content.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

} // namespace yomari::settings
