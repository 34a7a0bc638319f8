#include "app/Form.h"

#include "app/Twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QPushButton>
#include <QShortcut>

Form::Form(QWidget* parent) : QWidget(parent) {}

Form::~Form()
{
    if (m_keyPreview)
        qApp->removeEventFilter(this);
}

void Form::attachTo(QMdiArea& area, BorderStyle style)
{
    if (m_window)
        return;
    // The form's size is the design's client area; the child window adds its border.
    const QSize client = size();
    m_window = new ChildWindow(style, this);
    area.addSubWindow(m_window);
    m_window->hide();
    switch (style) {
    case BorderStyle::None:
        m_window->resize(client);
        break;
    case BorderStyle::FixedSingle:
    case BorderStyle::FixedToolWindow:
        m_window->resize(client + QSize(2, 2));
        break;
    case BorderStyle::FixedDialog:
        setFixedSize(client);
        m_window->adjustSize();
        break;
    }
}

QRect Form::outerPixels() const
{
    return m_window ? m_window->geometry() : geometry();
}

const Form::TwipsRect* Form::standingMove() const
{
    return m_lastMove && m_lastMove->pixels == outerPixels() ? &*m_lastMove : nullptr;
}

double Form::Left() const
{
    const TwipsRect* set = standingMove();
    return set ? set->left : twips::fromPixels(outerPixels().x());
}

double Form::Top() const
{
    const TwipsRect* set = standingMove();
    return set ? set->top : twips::fromPixels(outerPixels().y());
}

double Form::Width() const
{
    const TwipsRect* set = standingMove();
    return set ? set->width : twips::fromPixels(outerPixels().width());
}

double Form::Height() const
{
    const TwipsRect* set = standingMove();
    return set ? set->height : twips::fromPixels(outerPixels().height());
}

void Form::Move(double left, double top, double width, double height)
{
    const QRect pixels(twips::toPixels(left), twips::toPixels(top), twips::toPixels(width), twips::toPixels(height));
    if (m_window)
        m_window->setGeometry(pixels);
    else
        setGeometry(pixels);
    m_lastMove = TwipsRect{left, top, width, height, outerPixels()};
}

void Form::Move(double left, double top)
{
    Move(left, top, Width(), Height());
}

void Form::Show()
{
    QWidget& window = m_window ? static_cast<QWidget&>(*m_window) : *this;
    window.show();
    if (m_window && m_window->mdiArea())
        m_window->mdiArea()->setActiveSubWindow(m_window);
    window.raise();
    if (!m_window)
        show();
}

void Form::Hide()
{
    if (m_window)
        m_window->hide();
    else
        hide();
}

bool Form::Visible() const
{
    return m_window ? m_window->isVisible() : isVisible();
}

void Form::setBorderStyle(BorderStyle style)
{
    if (m_window)
        m_window->setBorderStyle(style);
}

void Form::setDefaultButton(QAbstractButton* button)
{
    m_defaultButton = button;
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, &Form::onEnter);
    }
}

void Form::setCancelButton(QAbstractButton* button)
{
    m_cancelButton = button;
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, &Form::onEscape);
}

void Form::onEnter()
{
    auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (focused && isAncestorOf(focused)) {
        focused->click();
        return;
    }
    if (m_defaultButton && m_defaultButton->isVisible() && m_defaultButton->isEnabled())
        m_defaultButton->click();
}

void Form::onEscape()
{
    if (m_cancelButton && m_cancelButton->isVisible() && m_cancelButton->isEnabled())
        m_cancelButton->click();
}

void Form::setKeyPreview(bool on)
{
    if (on == m_keyPreview)
        return;
    m_keyPreview = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

void Form::keyPreview(int) {}

bool Form::eventFilter(QObject* watched, QEvent* event)
{
    // Seen once per key: only as delivered to the focused control of this form.
    if (m_keyPreview && event->type() == QEvent::KeyPress && watched == QApplication::focusWidget()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == this || isAncestorOf(widget))) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            if (text.size() == 1)
                keyPreview(text.at(0).unicode());
        }
    }
    return QWidget::eventFilter(watched, event);
}
