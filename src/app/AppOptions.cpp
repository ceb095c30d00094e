#include "app/AppOptions.h"

AppOptions::AppOptions(QObject* parent)
    : QObject(parent)
{
}

template <typename T>
void AppOptions::Set(T& field, T value, Option option)
{
    if (field == value)
        return;
    field = value;
    emit Changed(option);
}

void AppOptions::SetNanBokuMode(int32_t value)
{
    Set(m_nanBokuMode, value, Option::NanBokuMode);
}

void AppOptions::SetInSysTray(bool value)
{
    Set(m_inSysTray, value, Option::InSysTray);
}

void AppOptions::SetAppMode(int32_t value)
{
    Set(m_appMode, value, Option::AppMode);
}

void AppOptions::SetTextLenMax(int32_t value)
{
    // Signalled even when unchanged: a digit count typed anew and raised to
    // the smallest allowed one still clears the boxes.
    m_textLenMax = value;
    emit Changed(Option::TextLenMax);
}

void AppOptions::SetBirthYearWhichCopy(int32_t value)
{
    Set(m_birthYearWhichCopy, value, Option::BirthYearWhichCopy);
}

void AppOptions::Apply(const yomari::settings::Values& values)
{
    SetNanBokuMode(values.nanBokuMode);
    SetAppMode(values.appMode);
    SetInSysTray(values.inSysTray);
    SetTextLenMax(values.textLenMax);
    SetBirthYearWhichCopy(values.birthYearWhichCopy);
}

void AppOptions::Store(yomari::settings::Values& values) const
{
    values.nanBokuMode = m_nanBokuMode;
    values.appMode = m_appMode;
    values.inSysTray = m_inSysTray;
    values.textLenMax = m_textLenMax;
    values.birthYearWhichCopy = m_birthYearWhichCopy;
}
