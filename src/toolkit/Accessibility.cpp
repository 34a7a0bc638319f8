#include "toolkit/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusFrame>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QList>
#include <QString>
#include <QVersionNumber>
#include <QWidget>

namespace accessibility {

namespace {

constexpr char kHidden[] = "ponderaHiddenFromTree";
constexpr char kGroup[] = "ponderaGroup";
constexpr char kRole[] = "ponderaRole";

bool isHidden(const QWidget& widget)
{
    return widget.property(kHidden).toBool();
}

// The child widgets a screen reader sees: Qt's own choice less the hidden.
QList<QWidget*> treeChildren(const QWidget& parent)
{
    QList<QWidget*> shown;
    for (QObject* object : parent.children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child && !child->isWindow() && !qobject_cast<QFocusFrame*>(child) && !isHidden(*child))
            shown.append(child);
    }
    return shown;
}

class FilteredWidget : public QAccessibleWidget {
public:
    FilteredWidget(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    // A caption padded with blanks to leave room on the screen is read
    // without them.
    QString text(QAccessible::Text t) const override { return QAccessibleWidget::text(t).simplified(); }

    int childCount() const override { return static_cast<int>(treeChildren(*widget()).size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> shown = treeChildren(*widget());
        return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown.at(index)) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child || !child->object() || !child->object()->isWidgetType())
            return -1;
        return static_cast<int>(treeChildren(*widget()).indexOf(static_cast<QWidget*>(child->object())));
    }
};

bool hasHiddenChild(const QWidget& widget)
{
    for (QObject* object : widget.children())
        if (auto* child = qobject_cast<QWidget*>(object); child && isHidden(*child))
            return true;
    return false;
}

// Asked before Qt's own factory, for every class of the object from the most
// derived up; the first answer stands.
QAccessibleInterface* designedInterface(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (const QVariant role = widget->property(kRole); role.isValid())
        return new FilteredWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
    const bool group = widget->property(kGroup).toBool();
    if (!group && !hasHiddenChild(*widget))
        return nullptr;
    return new FilteredWidget(widget, group ? QAccessible::Grouping : QAccessible::Client);
}

// An interface made before the widget was marked would stay in Qt's cache.
void forgetPlainInterface(QWidget* widget)
{
    if (!widget)
        return;
    QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(widget);
    if (cached && !dynamic_cast<FilteredWidget*>(cached))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}

void installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(designedInterface);
        return true;
    }();
    (void)installed;
}

} // namespace

void hideFromTree(QWidget& widget)
{
    installFactory();
    widget.setProperty(kHidden, true);
    forgetPlainInterface(widget.parentWidget());
}

void showAsGroup(QWidget& widget)
{
    installFactory();
    widget.setProperty(kGroup, true);
    forgetPlainInterface(&widget);
}

namespace {
void showAsRole(QWidget& widget, QAccessible::Role role)
{
    installFactory();
    widget.setProperty(kRole, static_cast<int>(role));
    forgetPlainInterface(&widget);
}
} // namespace

void quietly(void (*change)(QWidget&), QWidget& widget)
{
    // The update handler, when one is installed, takes every event instead
    // of the screen reader's bridge.
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler([](QAccessibleEvent*) {});
    change(widget);
    QAccessible::installUpdateHandler(previous);
}

void showAsStatusBar(QWidget& widget)
{
    showAsRole(widget, QAccessible::StatusBar);
}

void showAsNotification(QWidget& widget)
{
    showAsRole(widget, QAccessible::Notification);
}

void readWholeLine(QLineEdit& box)
{
    if (QLibraryInfo::version() >= QVersionNumber(6, 5))
        return;
    box.setAccessibleDescription(box.text());
    QObject::connect(&box, &QLineEdit::textChanged, &box,
                     [&box](const QString& text) { box.setAccessibleDescription(text); });
}

} // namespace accessibility
