#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

// The tag: a second, invisible text that text boxes and options carry.
namespace tag {

inline QString get(const QObject& control)
{
    return control.property("Tag").toString();
}

inline void set(QObject& control, const QString& text)
{
    control.setProperty("Tag", text);
}

// A tag read as a boolean: "True" (any letter case) is true.
inline bool isTrue(const QObject& control)
{
    return get(control).compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
}

} // namespace tag
