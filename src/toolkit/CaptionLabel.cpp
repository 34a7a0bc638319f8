#include "toolkit/CaptionLabel.h"

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent) {}

void CaptionLabel::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
    emit Change();
}
