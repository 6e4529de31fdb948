#include "TimeChoices.h"

#include <algorithm>

namespace trb::TimeChoices {

const QStringList &Zones()
{
    static const QStringList zones = {
        QStringLiteral("(GMT-12:00) International Date Line West"),
        QStringLiteral("(GMT-11:00) Midway Island, Samoa"),
        QStringLiteral("(GMT-10:00) Hawaii"),
        QStringLiteral("(GMT-09:00) Alaska"),
        QStringLiteral("(GMT-08:00) Pacific Time (US & Canada); Tijuana"),
        QStringLiteral("(GMT-07:00) Arizona"),
        QStringLiteral("(GMT-07:00) Chihuahua, La Paz, Mazatlan"),
        QStringLiteral("(GMT-07:00) Mountain Time (US & Canada)"),
        QStringLiteral("(GMT-06:00) Central America"),
        QStringLiteral("(GMT-06:00) Central Time (US & Canada)"),
        QStringLiteral("(GMT-06:00) Guadalajara, Mexico City, Monterrey"),
        QStringLiteral("(GMT-06:00) Saskatchewan"),
        QStringLiteral("(GMT-05:00) Bogota, Lima, Quito"),
        QStringLiteral("(GMT-05:00) Eastern Time (US & Canada)"),
        QStringLiteral("(GMT-05:00) Indiana (East)"),
        QStringLiteral("(GMT-04:00) Atlantic Time (Canada)"),
        QStringLiteral("(GMT-04:00) Caracas, La Paz"),
        QStringLiteral("(GMT-04:00) Santiago"),
        QStringLiteral("(GMT-03:30) Newfoundland"),
        QStringLiteral("(GMT-03:00) Brasilia"),
        QStringLiteral("(GMT-03:00) Buenos Aires, Georgetown"),
        QStringLiteral("(GMT-03:00) Greenland"),
        QStringLiteral("(GMT-02:00) Mid-Atlantic"),
        QStringLiteral("(GMT-01:00) Azores"),
        QStringLiteral("(GMT-01:00) Cape Verde Is."),
        QStringLiteral("(GMT) Casablanca, Monrovia"),
        QStringLiteral("(GMT) Greenwich Mean Time : Dublin, Edinburgh, Lisbon, London"),
        QStringLiteral("(GMT+01:00) Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna"),
        QStringLiteral("(GMT+01:00) Belgrade, Bratislava, Budapest, Ljubljana, Prague"),
        QStringLiteral("(GMT+01:00) Brussels, Copenhagen, Madrid, Paris"),
        QStringLiteral("(GMT+01:00) Sarajevo, Skopje, Warsaw, Zagreb"),
        QStringLiteral("(GMT+01:00) West Central Africa"),
        QStringLiteral("(GMT+02:00) Athens, Istanbul, Minsk"),
        QStringLiteral("(GMT+02:00) Bucharest"),
        QStringLiteral("(GMT+02:00) Cairo"),
        QStringLiteral("(GMT+02:00) Harare, Pretoria"),
        QStringLiteral("(GMT+02:00) Helsinki, Kyiv, Riga, Sofia, Tallinn, Vilnius"),
        QStringLiteral("(GMT+02:00) Jerusalem"),
        QStringLiteral("(GMT+03:00) Baghdad"),
        QStringLiteral("(GMT+03:00) Kuwait, Riyadh"),
        QStringLiteral("(GMT+03:00) Moscow, St. Petersburg, Volgograd"),
        QStringLiteral("(GMT+03:00) Nairobi"),
        QStringLiteral("(GMT+03:30) Tehran"),
        QStringLiteral("(GMT+04:00) Abu Dhabi, Muscat"),
        QStringLiteral("(GMT+04:00) Baku, Tbilisi, Yerevan"),
        QStringLiteral("(GMT+04:30) Kabul"),
        QStringLiteral("(GMT+05:00) Ekaterinburg"),
        QStringLiteral("(GMT+05:00) Islamabad, Karachi, Tashkent"),
        QStringLiteral("(GMT+05:30) Chennai, Kolkata, Mumbai, New Delhi"),
        QStringLiteral("(GMT+05:45) Kathmandu"),
        QStringLiteral("(GMT+06:00) Almaty, Novosibirsk"),
        QStringLiteral("(GMT+06:00) Astana, Dhaka"),
        QStringLiteral("(GMT+06:00) Sri Jayawardenepura"),
        QStringLiteral("(GMT+06:30) Rangoon"),
        QStringLiteral("(GMT+07:00) Bangkok, Hanoi, Jakarta"),
        QStringLiteral("(GMT+07:00) Krasnoyarsk"),
        QStringLiteral("(GMT+08:00) Beijing, Chongqing, Hong Kong, Urumqi"),
        QStringLiteral("(GMT+08:00) Irkutsk, Ulaan Bataar"),
        QStringLiteral("(GMT+08:00) Kuala Lumpur, Singapore"),
        QStringLiteral("(GMT+08:00) Perth"),
        QStringLiteral("(GMT+08:00) Taipei"),
        QStringLiteral("(GMT+09:00) Osaka, Sapporo, Tokyo"),
        QStringLiteral("(GMT+09:00) Seoul"),
        QStringLiteral("(GMT+09:00) Yakutsk"),
        QStringLiteral("(GMT+09:30) Adelaide"),
        QStringLiteral("(GMT+09:30) Darwin"),
        QStringLiteral("(GMT+10:00) Brisbane"),
        QStringLiteral("(GMT+10:00) Canberra, Melbourne, Sydney"),
        QStringLiteral("(GMT+10:00) Guam, Port Moresby"),
        QStringLiteral("(GMT+10:00) Hobart"),
        QStringLiteral("(GMT+10:00) Vladivostok"),
        QStringLiteral("(GMT+11:00) Magadan, Solomon Is., New Caledonia"),
        QStringLiteral("(GMT+12:00) Auckland, Wellington"),
        QStringLiteral("(GMT+12:00) Fiji, Kamchatka, Marshall Is."),
        QStringLiteral("(GMT+13:00) Nuku'alofa"),
    };
    return zones;
}

const QStringList &DstOffsets()
{
    static const QStringList offsets = {"-2:00", "-1:30", "-1:00", "-0:30", "+0:30", "+1:00", "+1:30", "+2:00"};
    return offsets;
}

const QStringList &Months()
{
    static const QStringList months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return months;
}

const QStringList &Weeks()
{
    static const QStringList weeks = {"1st", "2nd", "3rd", "4th", "5th"};
    return weeks;
}

const QStringList &Weekdays()
{
    static const QStringList days = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return days;
}

const QStringList &Hours()
{
    static const QStringList hours = [] {
        QStringList list;
        for (const char *half : {"am", "pm"})
            for (int h = 0; h < 12; ++h)
                list << QStringLiteral("%1 %2").arg(h == 0 ? 12 : h).arg(QLatin1String(half));
        return list;
    }();
    return hours;
}

QStringList Years(int currentYear)
{
    QStringList years;
    for (int year = kFirstYear; year <= std::max(kLastYearAtLeast, currentYear); ++year)
        years << QString::number(year);
    return years;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
    return month == 2 && leap ? 29 : kDays[month - 1];
}

QString ManualTimeText(const QDateTime &at)
{
    return at.toString(QStringLiteral("MM-dd-yyyy HH:mm:ss"));
}

} // namespace trb::TimeChoices
