#pragma once

#include <QLocale>
#include <QString>

namespace qs::linuxos {

// The locale's time format without its time-zone part ("h:mm:ss AP t" -> "h:mm:ss AP").
QString timeFormatWithoutZone(const QLocale& locale, QLocale::FormatType type);

// The short time format cut to hours and minutes (some system locales put seconds in it).
QString hoursAndMinutesFormat(const QLocale& locale);

// The long time format, with seconds even where the locale leaves them out.
QString longTimeFormat(const QLocale& locale);

} // namespace qs::linuxos
