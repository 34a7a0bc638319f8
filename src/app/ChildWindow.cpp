#include "app/ChildWindow.h"

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

void ChildWindow::closeEvent(QCloseEvent* event)
{
    if (!m_form->close()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
