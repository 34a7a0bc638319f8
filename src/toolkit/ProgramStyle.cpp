#include "toolkit/ProgramStyle.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPen>
#include <QPushButton>
#include <QStyleOption>

namespace {

constexpr int kFocusWidth = 2;

void drawFocusFrame(const QRect& rect, const QStyleOption& option, QPainter& painter)
{
    painter.save();
    QPen pen(option.palette.color(QPalette::Active, QPalette::WindowText), kFocusWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // The pen straddles the path: inset by half its width to stay inside.
    painter.drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
    painter.restore();
}

} // namespace

ProgramStyle::ProgramStyle() = default;

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    if (element == PE_FrameFocusRect && option && painter) {
        // A push button's frame is drawn with the button, whether or not
        // the style asks for one.
        if (!qobject_cast<const QPushButton*>(widget))
            drawFocusFrame(option->rect, *option, *painter);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    // Text boxes of several lines get no focus frame from most styles.
    if (element == PE_Frame && option && painter && (option->state & State_HasFocus) &&
        qobject_cast<const QAbstractScrollArea*>(widget))
        drawFocusFrame(option->rect, *option, *painter);
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton && option && painter && (option->state & State_HasFocus))
        drawFocusFrame(option->rect.adjusted(3, 3, -3, -3), *option, *painter);
}

// Every child window asks for its title bar's icons as it is made, for its
// window menu. The common style reads some of them from picture files, and
// the first such reading loads and asks every image plugin installed, a cost
// at each start; the style's drawn pictures are what the others are made of.
QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option, const QWidget* widget) const
{
    if (standardIcon >= SP_TitleBarMenuButton && standardIcon <= SP_TitleBarContextHelpButton)
        return QIcon(standardPixmap(standardIcon, option, widget));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

void installProgramStyle()
{
    QApplication::setStyle(new ProgramStyle);
}
