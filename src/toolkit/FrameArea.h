#pragma once

class QMdiArea;
class QString;

// The frame as the windows inside it see it: the area their child windows
// attach to, the size of that area in twips, and the frame's caption.
class FrameArea {
public:
    virtual ~FrameArea() = default;

    virtual QMdiArea& mdiArea() = 0;
    // The client area in twips.
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    virtual QString Caption() const = 0;

protected:
    FrameArea() = default;
    FrameArea(const FrameArea&) = default;
    FrameArea& operator=(const FrameArea&) = default;
};
