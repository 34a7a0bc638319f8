#include "toolkit/QtPlatform.h"

#include "toolkit/Announcer.h"
#include "toolkit/DialogFocus.h"
#include "toolkit/FileNames.h"
#include "toolkit/InputHold.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QString>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <utility>

MsgAnswer QtMessageBoxes::MsgBox(const QString& prompt, MsgStyle style, const QString& title)
{
    // The reader reads the box by itself; what the windows queued goes first.
    Announcer::sayPendingNow();
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(text);
    switch (style) {
    case MsgStyle::OkStop:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgStyle::YesNoStop:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MsgStyle::OkInformation:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        // Esc on a Yes/No box answers No, as the platform's own boxes do.
        return style == MsgStyle::YesNoStop ? MsgAnswer::No : MsgAnswer::Ok;
    }
}

std::optional<QString> QtFileOpenDialog::getOpenFileName(const QString& filter)
{
    QWidget* const owner = QApplication::activeWindow();
    const InputHold hold;
    const DialogFocus focus(owner);
    QString selected = filter.section(QStringLiteral(";;"), 0, 0);
    // As an address, which keeps the bytes of a name that is not UTF-8 where
    // the dialog knows them; a plain name would have lost them already.
    const QUrl chosen = QFileDialog::getOpenFileUrl(owner, QString(), QUrl(), filter, &selected, QFileDialog::Options(),
                                                    {QStringLiteral("file")});
    const QString name = filenames::fromUrl(chosen);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

void QtProgramEnd::End()
{
    // exit() leaves the event loop without closing any window, so no close
    // handler runs; main's objects are then destroyed without being asked.
    QCoreApplication::exit(0);
}

QtBackgroundWork::~QtBackgroundWork()
{
    for (QThread* thread : m_running) {
        thread->wait();
        delete thread;
    }
}

void QtBackgroundWork::run(QObject& receiver, std::function<void()> job, std::function<void()> done)
{
    QThread* thread = QThread::create(std::move(job));
    m_running.push_back(thread);
    // Queued to the receiver's thread, and dropped with the receiver.
    QObject::connect(thread, &QThread::finished, &receiver, std::move(done), Qt::QueuedConnection);
    QObject::connect(
        thread, &QThread::finished, thread,
        [this, thread] {
            m_running.erase(std::remove(m_running.begin(), m_running.end(), thread), m_running.end());
            thread->deleteLater();
        },
        Qt::QueuedConnection);
    thread->start();
}
