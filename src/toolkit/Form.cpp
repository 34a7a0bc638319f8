#include "toolkit/Form.h"

#include "toolkit/Twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QMdiArea>
#include <QPushButton>
#include <QShortcut>

#include <ranges>

Form::Form(QWidget* parent) : QWidget(parent) {}

Form::~Form() = default;

void Form::attachTo(QMdiArea& area, BorderStyle style)
{
    if (m_window)
        return;
    // The form's size is the design's client area; the child window adds its border.
    const QSize client = size();
    m_window = new ChildWindow(style, this);
    if (!m_windowName.isEmpty())
        m_window->setWindowTitle(m_windowName);
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
    m_notifiedSize = m_window->size();
    connect(m_window, &ChildWindow::resized, this, [this] { notifyResize(); });
    connect(m_window, &ChildWindow::shown, this, [this] {
        if (!m_shownOnce) {
            m_shownOnce = true;
            notifyResize(true);
        }
    });
}

QWidget& Form::outerWidget()
{
    return m_window ? static_cast<QWidget&>(*m_window) : *this;
}

QRect Form::outerPixels() const
{
    return m_window ? m_window->geometry() : geometry();
}

const Form::TwipsRect* Form::standingMove() const
{
    return m_lastMove && m_lastMove->pixels == outerPixels() ? &*m_lastMove : nullptr;
}

double Form::leftTwips() const
{
    const TwipsRect* set = standingMove();
    return set ? set->left : twips::fromPixels(outerPixels().x());
}

double Form::topTwips() const
{
    const TwipsRect* set = standingMove();
    return set ? set->top : twips::fromPixels(outerPixels().y());
}

double Form::widthTwips() const
{
    const TwipsRect* set = standingMove();
    return set ? set->width : twips::fromPixels(outerPixels().width());
}

double Form::heightTwips() const
{
    const TwipsRect* set = standingMove();
    return set ? set->height : twips::fromPixels(outerPixels().height());
}

void Form::moveTwips(double left, double top, double width, double height)
{
    const QRect pixels(twips::toPixels(left), twips::toPixels(top), twips::toPixels(width), twips::toPixels(height));
    // Set first: the resize handling that the new size runs reads it back.
    m_lastMove = TwipsRect{left, top, width, height, pixels};
    const unsigned move = ++m_moves;
    if (m_window)
        m_window->setGeometry(pixels);
    else
        setGeometry(pixels);
    if (move != m_moves)
        return; // the resize handling moved the window again; that Move stands
    m_lastMove->pixels = outerPixels();
    // Qt holds back the resize event of a hidden window until it is shown.
    notifyResize();
}

void Form::moveTwips(double left, double top)
{
    moveTwips(left, top, widthTwips(), heightTwips());
}

void Form::setWindowName(const QString& name)
{
    m_windowName = name;
    if (m_window)
        m_window->setWindowTitle(name);
}

void Form::showForm()
{
    QWidget& window = outerWidget();
    window.show();
    if (m_window && m_window->mdiArea())
        m_window->mdiArea()->setActiveSubWindow(m_window);
    window.raise();
    if (!m_window)
        show();
    focusFirstControl();
}

void Form::focusFirstControl()
{
    // The form itself holds the focus when its child window is activated.
    const QWidget* focused = focusWidget();
    if (focused && focused != this && isAncestorOf(focused) && focused->isVisibleTo(this) && focused->isEnabled())
        return;
    for (QWidget* next = nextInFocusChain(); next && next != this; next = next->nextInFocusChain()) {
        if (isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(this) &&
            next->isEnabled()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void Form::hideForm()
{
    const QWidget* focused = QApplication::focusWidget();
    const bool hadFocus = focused && isAncestorOf(focused);
    if (!m_window) {
        hide();
        return;
    }
    m_window->hide();
    // As when a window closes, the focus goes to the window in front, back
    // to the control that last had it there.
    QMdiArea* area = m_window->mdiArea();
    if (!hadFocus || !area)
        return;
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::ActivationHistoryOrder) | std::views::reverse) {
        auto* front = qobject_cast<ChildWindow*>(window);
        auto* form = front ? qobject_cast<Form*>(front->form()) : nullptr;
        if (form && front->isVisible()) {
            area->setActiveSubWindow(front);
            form->restoreFocus();
            return;
        }
    }
}

void Form::restoreFocus()
{
    QWidget* last = focusWidget();
    if (last && last != this && last->isVisibleTo(this) && last->isEnabled())
        last->setFocus(Qt::OtherFocusReason);
    else
        focusFirstControl();
}

bool Form::Visible() const
{
    return m_window ? m_window->isVisible() : isVisible();
}

double Form::ScaleWidth() const
{
    const int border = m_window ? m_window->borderSize().width() : 0;
    return twips::fromPixels(outerPixels().width() - border);
}

double Form::ScaleHeight() const
{
    const int border = m_window ? m_window->borderSize().height() : 0;
    return twips::fromPixels(outerPixels().height() - border);
}

bool Form::Minimized() const
{
    return m_window ? m_window->isMinimized() : isMinimized();
}

void Form::outerResized() {}

void Form::notifyResize(bool firstShow)
{
    if (!m_window)
        return;
    const QSize size = m_window->size();
    if (!firstShow && size == m_notifiedSize)
        return;
    m_notifiedSize = size;
    outerResized();
}

void Form::startInteractiveMove(const QPointF& pressed, const QPointF& now, std::function<void()> finished)
{
    m_drag.emplace(outerWidget(), pressed, now, std::move(finished));
}

bool Form::event(QEvent* event)
{
    if (m_drag) {
        const bool used = m_drag->handle(event);
        if (m_drag->finished())
            m_drag.reset();
        if (used)
            return true;
    }
    return QWidget::event(event);
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
