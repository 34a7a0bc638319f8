#include "toolkit/DesignPalette.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

QPalette designPalette()
{
    const QColor black(0x00, 0x00, 0x00);
    const QColor white(0xFF, 0xFF, 0xFF);
    const QColor face(0xF0, 0xF0, 0xF0);
    const QColor grey(0x6D, 0x6D, 0x6D); // readable on white and on the face
    QPalette palette(black, face, white, QColor(0xA0, 0xA0, 0xA0), QColor(0xC8, 0xC8, 0xC8), black, white, white, face);
    palette.setColor(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
    palette.setColor(QPalette::Shadow, QColor(0x69, 0x69, 0x69));
    palette.setColor(QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    palette.setColor(QPalette::ToolTipText, black);
    palette.setColor(QPalette::PlaceholderText, grey);
    palette.setColor(QPalette::Highlight, QColor(0x00, 0x78, 0xD7));
    palette.setColor(QPalette::HighlightedText, white);
    palette.setColor(QPalette::Link, QColor(0x00, 0x00, 0xFF));
    palette.setColor(QPalette::LinkVisited, QColor(0x80, 0x00, 0x80));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, grey);
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0xC8, 0xC8, 0xC8));
    palette.setColor(QPalette::Disabled, QPalette::HighlightedText, grey);
    return palette;
}

void applyDesignPalette(QWidget& frame)
{
    frame.setPalette(designPalette());
}
