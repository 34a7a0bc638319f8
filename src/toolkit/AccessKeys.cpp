#include "toolkit/AccessKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace {

class AccessKeyFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers held = key->modifiers();
        return held.testFlag(Qt::AltModifier) && !held.testFlag(Qt::ControlModifier) && !key->text().isEmpty() &&
               key->text().front().isPrint();
    }
};

} // namespace

void accessKeysNeverType(QWidget& box)
{
    box.installEventFilter(new AccessKeyFilter(&box));
}
