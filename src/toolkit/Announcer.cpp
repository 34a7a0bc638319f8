#include "toolkit/Announcer.h"

#include "toolkit/Accessibility.h"

#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

std::vector<Announcer*>& announcers()
{
    static std::vector<Announcer*> all;
    return all;
}

Announcer::Listener& listener()
{
    static Announcer::Listener current = nullptr;
    return current;
}

// Texts run together as sentences: a caption without a closing mark gets one.
QString sentence(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || QStringLiteral(".!?:").contains(trimmed.back()))
        return trimmed;
    return trimmed + u'.';
}

} // namespace

Announcer::Announcer(QWidget& window) : QWidget(&window), m_notice(new QWidget(this))
{
    setObjectName(QStringLiteral("announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    m_notice->setGeometry(0, 0, 1, 1);
    m_notice->hide();
    accessibility::showAsStatusBar(*this);
    accessibility::showAsNotification(*m_notice);
    announcers().push_back(this);
    show();
}

Announcer::~Announcer()
{
    std::erase(announcers(), this);
}

Announcer& Announcer::of(QWidget& window)
{
    if (auto* existing = window.findChild<Announcer*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new Announcer(window);
}

void Announcer::say(const QString& text)
{
    if (text.trimmed().isEmpty())
        return;
    if (m_pending.isEmpty())
        QTimer::singleShot(0, this, &Announcer::flush);
    m_pending.append(sentence(text));
}

void Announcer::say(const QStringList& sentences)
{
    for (const QString& text : sentences)
        say(text);
}

void Announcer::sayPendingNow()
{
    for (Announcer* announcer : announcers())
        announcer->flush();
}

void Announcer::flush()
{
    if (m_pending.isEmpty())
        return;
    const QString text = m_pending.join(u' ');
    m_pending.clear();
    // Shown afresh, it is read afresh, the same text as the last one too.
    m_notice->hide();
    m_notice->setAccessibleName(text);
    m_notice->show();
    if (Listener heard = listener())
        heard(text);
}

Announcer::Listener Announcer::setListener(Listener listener)
{
    Listener& current = ::listener();
    const Listener previous = current;
    current = listener;
    return previous;
}
