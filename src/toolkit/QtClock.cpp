#include "toolkit/QtClock.h"

#include <QTime>

double QtClock::secondsSinceMidnight()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}
