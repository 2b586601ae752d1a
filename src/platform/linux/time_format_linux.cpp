#include "time_format_linux.h"

namespace qs::linuxos {

QString timeFormatWithoutZone(const QLocale& locale, QLocale::FormatType type) {
    const QString format = locale.timeFormat(type);
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.simplified();
}

QString hoursAndMinutesFormat(const QLocale& locale) {
    QString format = timeFormatWithoutZone(locale, QLocale::ShortFormat);
    // From the end of the minutes to the end of the seconds goes, separator and all.
    bool quoted = false;
    qsizetype minutesEnd = -1, secondsStart = -1, secondsEnd = -1;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && c == u'm' && secondsStart < 0)
            minutesEnd = i + 1;
        else if (!quoted && c == u's') {
            if (secondsStart < 0)
                secondsStart = i;
            secondsEnd = i + 1;
        }
    }
    if (secondsStart < 0)
        return format;
    const qsizetype from = minutesEnd >= 0 && minutesEnd <= secondsStart ? minutesEnd : secondsStart;
    format.remove(from, secondsEnd - from);
    return format.simplified();
}

QString longTimeFormat(const QLocale& locale) {
    const QString format = timeFormatWithoutZone(locale, QLocale::LongFormat);
    return format.contains(u's') ? format : QStringLiteral("HH:mm:ss");
}

} // namespace qs::linuxos
