#include "toolkit/ChildWindow.h"

#include <QCloseEvent>
#include <QFrame>
#include <QVBoxLayout>

ChildWindow::ChildWindow(BorderStyle style, QWidget* form, QWidget* parent)
    : QMdiSubWindow(parent), m_style(style), m_border(new QFrame), m_form(form)
{
    auto* layout = new QVBoxLayout(m_border);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(form);
    setWidget(m_border);
    setFocusProxy(form);
    applyStyle();
}

void ChildWindow::setBorderStyle(BorderStyle style)
{
    m_style = style;
    applyStyle();
}

void ChildWindow::applyStyle()
{
    Qt::WindowFlags flags = Qt::SubWindow;
    if (m_style == BorderStyle::FixedDialog)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    else
        flags |= Qt::FramelessWindowHint;
    if (windowFlags() != flags)
        setWindowFlags(flags);
    const bool thinLine = m_style == BorderStyle::FixedSingle || m_style == BorderStyle::FixedToolWindow;
    m_border->setFrameStyle(thinLine ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    m_border->setLineWidth(1);
}

QSize ChildWindow::borderSize() const
{
    if (m_style == BorderStyle::FixedDialog)
        return size() - m_form->size(); // the title bar's height is the style's
    const int line = m_border->frameWidth();
    return {2 * line, 2 * line};
}

void ChildWindow::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    emit resized();
}

void ChildWindow::showEvent(QShowEvent* event)
{
    QMdiSubWindow::showEvent(event);
    emit shown();
}

void ChildWindow::closeEvent(QCloseEvent* event)
{
    if (!m_form->close()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
