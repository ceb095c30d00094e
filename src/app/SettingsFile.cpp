#include "app/SettingsFile.h"

#include "engine/ItemReader.h"
#include "engine/NumberText.h"
#include "engine/TextDecoding.h"
#include "app/WholeFile.h"
#include "app/basYomari.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <limits>
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

// Applies the n-th value; false, leaving the setting as it was, when the
// value cannot stand for that setting.
bool Apply(int slot, const QString& text, Values& v)
{
    if (slot == kInSysTray) {
        const auto b = ToBoolean(text);
        if (b)
            v.inSysTray = *b;
        return b.has_value();
    }
    const auto n = ToLong(text);
    if (!n)
        return false;
    const auto set = [&n](int32_t& field, int32_t lo, int32_t hi) {
        if (!InRange(*n, lo, hi))
            return false;
        field = *n;
        return true;
    };
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    switch (slot) {
    case kTop: return set(v.top, kMin, kMax);
    case kLeft: return set(v.left, kMin, kMax);
    case kCalcMode: return set(v.calcMode, 0, 3);
    case kInputIndex: return set(v.inputIndex, 0, 5);
    case kOutputIndex: return set(v.outputIndex, 6, 11);
    // The upper bound of a list index is known only once the lists are filled.
    case kInputBeforeMeijiIndex: return set(v.inputBeforeMeijiIndex, -1, kMax);
    case kOutputBeforeMeijiIndex: return set(v.outputBeforeMeijiIndex, -1, kMax);
    case kNanBokuMode: return set(v.nanBokuMode, 0, 1);
    case kAppMode: return set(v.appMode, 0, 1);
    case kTextLenMax: v.textLenMax = std::clamp(*n, kMinTextLen, kMaxTextLen); return true;
    case kBirthYearWhichCopy: return set(v.birthYearWhichCopy, 0, 1);
    case kADGenTop: return set(v.adGenTop, kMin, kMax);
    case kADGenLeft: return set(v.adGenLeft, kMin, kMax);
    default: {
        int32_t selected = v.selectedGengo;
        if (!set(selected, -1, 3))
            return false;
        v.selectedGengo = static_cast<int16_t>(selected);
        return true;
    }
    }
}

QString Quoted(const QString& value)
{
    return QString::fromStdString(QuoteForMessage(value.toStdString()));
}

} // namespace

ReadResult Read(const QString& fileName)
{
    ReadResult result;
    if (!QFileInfo::exists(fileName))
        return result;
    result.status = ReadResult::Status::Unreadable;
    const auto bytes = app::ReadWholeFile(fileName, result.fileError);
    if (!bytes)
        return result;
    const auto text = DecodeTextFile(bytes->toStdString());
    if (!text) {
        result.fileError = QStringLiteral("文字コードを判別できません");
        return result;
    }
    result.status = ReadResult::Status::Ok;
    ItemReader reader(*text);
    int n = 0;
    while (n < kValueCount) {
        const auto item = reader.Next();
        if (!item)
            break;
        const QString trimmed = QString::fromStdString(*item).trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('[')))
            continue;
        const QString value = basYomari::IniValue(trimmed).trimmed();
        result.lineOf[n] = reader.Line();
        result.taken[n] = Apply(n, value, result.values);
        if (!result.taken[n])
            result.problems << Problem{reader.Line(), Quoted(value)};
        ++n;
    }
    result.valueCount = n;
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
    // A writable file in a folder that is not (a copy carried around) can
    // only be written in place.
    return app::WriteWholeFile(fileName, content, app::InPlace::Allowed);
}

void RemoveStaleTemporaries(const QString& fileName)
{
    const QFileInfo info(fileName);
    QDir dir = info.absoluteDir();
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QStringList names = dir.entryList({info.fileName() + QStringLiteral(".??????")},
                                            QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        if (temporary.match(name).hasMatch())
            dir.remove(name);
}

} // namespace yomari::settings
