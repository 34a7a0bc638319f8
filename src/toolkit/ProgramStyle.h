#pragma once

#include <QProxyStyle>

// The desktop's own style with one change: the focus is drawn as a solid
// two-pixel frame in the control's text colour. The styles' thin dotted or
// pale frame is hard to see on the design's grey.
class ProgramStyle : public QProxyStyle {
public:
    ProgramStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

// Makes the application's style a ProgramStyle; call once the QApplication exists.
void installProgramStyle();
