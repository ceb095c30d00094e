#pragma once

#include "app/SettingsFile.h"

#include <QObject>

#include <cstdint>

// The five options of the program, held once for every window. The options
// dialog writes them, the windows read them; a change is signalled so that
// a window showing something that depends on one can follow.
class AppOptions : public QObject {
    Q_OBJECT

public:
    enum class Option { NanBokuMode, InSysTray, AppMode, TextLenMax, BirthYearWhichCopy };
    Q_ENUM(Option)

    explicit AppOptions(QObject* parent = nullptr);

    // Takes the options of a settings file; signals each that changed.
    void Apply(const yomari::settings::Values& values);
    // Puts the options into values that are written to the settings file.
    void Store(yomari::settings::Values& values) const;

    // Court line: 0 Northern, 1 Southern.
    int32_t NanBokuMode() const { return m_nanBokuMode; }
    void SetNanBokuMode(int32_t value);
    bool InSysTray() const { return m_inSysTray; }
    void SetInSysTray(bool value);
    // 0 the full window, 1 the simple window.
    int32_t AppMode() const { return m_appMode; }
    void SetAppMode(int32_t value);
    // Digits a year box takes and a result may have.
    int32_t TextLenMax() const { return m_textLenMax; }
    void SetTextLenMax(int32_t value);
    // What the birth-year calculation copies: 0 the era year, 1 the Western year.
    int32_t BirthYearWhichCopy() const { return m_birthYearWhichCopy; }
    void SetBirthYearWhichCopy(int32_t value);

signals:
    void Changed(AppOptions::Option option);

private:
    template <typename T>
    void Set(T& field, T value, Option option);

    int32_t m_nanBokuMode = 0;
    bool m_inSysTray = false;
    int32_t m_appMode = 0;
    int32_t m_textLenMax = yomari::settings::kMinTextLen;
    int32_t m_birthYearWhichCopy = 0;
};
