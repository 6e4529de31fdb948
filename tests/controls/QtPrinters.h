#pragma once
// Readable failure messages for Qt values in GoogleTest.
#include <QColor>
#include <QRect>
#include <QString>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QColor &colour, std::ostream *out)
{
    *out << "rgb(" << colour.red() << ", " << colour.green() << ", " << colour.blue() << ")";
}

inline void PrintTo(const QRect &rect, std::ostream *out)
{
    *out << "QRect(" << rect.x() << ", " << rect.y() << " " << rect.width() << "x"
         << rect.height() << ")";
}
