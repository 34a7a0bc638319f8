#include "report/ListSaving.h"

#include "quizfile/ResultList.h"
#include "quizfile/TextEncoding.h"
#include "report/ResultFiles.h"
#include "toolkit/CrLf.h"
#include "toolkit/FileNames.h"
#include "toolkit/Int16.h"
#include "toolkit/MessageBoxes.h"

#include <QDir>

#include <new>
#include <optional>

ListSaving::ListSaving(MessageBoxes& boxes, BackgroundWork& work) : m_boxes(boxes), m_work(work) {}

void ListSaving::setQuizEncoding(quizfile::TextEncoding encoding)
{
    m_quizIsUtf8 = encoding == quizfile::TextEncoding::Utf8 || encoding == quizfile::TextEncoding::Utf8WithBom;
}

QString ListSaving::ResultFileName(const QString& suffix) const
{
    return resultfiles::resultFileName(m_quizFilePath, suffix);
}

bool ListSaving::FileExists(const QString& Fname) const
{
    return resultfiles::fileExists(Fname);
}

void ListSaving::saveList(const ResultList& Lst, const QString& suffix)
{
    QString file;
    try {
        file = ResultFileName(suffix);
    } catch (const int16::OverflowError& error) {
        showSaveError(QString::fromLatin1(error.what()));
        return;
    }
    SaveText(Lst, file);
}

void ListSaving::SaveText(const ResultList& Lst, const QString& name)
{
    // A relative name (an empty path box gives one) is saved in the working
    // folder; the messages say which.
    const QString file = filenames::absolute(name);
    const QString T = m_quizCaption;
    try {
        if (FileExists(file)) {
            // Saving into another user's file gives them the list.
            const QString owner = resultfiles::otherOwner(file);
            const QString belongs =
                owner.isEmpty() ? QString() : QStringLiteral("It belongs to %1.").arg(owner) + kCrLf;
            const MsgAnswer answer =
                m_boxes.MsgBox(filenames::display(file) + kCrLf + QStringLiteral("already exists") + kCrLf + belongs +
                                   kCrLf + QStringLiteral("Do you want to overwrite?"),
                               MsgStyle::YesNoStop, T);
            if (answer == MsgAnswer::No)
                return;
        }
        const bool withMark = !m_quizIsUtf8;
        // The window keeps answering while the disk works; the list is
        // saved as it stood at the press.
        emit writing(true);
        // Before the save: a save that ends at once says so after.
        emit saving(true);
        resultfiles::saveList(m_work, *this, file, Lst.text(), withMark,
                              [this, file, T](const std::optional<QString>& failure) {
                                  emit writing(false);
                                  if (failure)
                                      showSaveError(*failure);
                                  else
                                      m_boxes.MsgBox(QStringLiteral("File is Saved as") + kCrLf + kCrLf +
                                                         QDir::toNativeSeparators(filenames::display(file)),
                                                     MsgStyle::OkInformation, T);
                                  // After the message: a quit that waited for the save ends now.
                                  emit saving(false);
                              });
    } catch (const std::bad_alloc&) {
        emit writing(false);
        showSaveError(QStringLiteral("there is not enough memory to save the list"));
        emit saving(false);
    }
}

void ListSaving::showSaveError(const QString& description)
{
    m_boxes.MsgBox(QStringLiteral("There has been a error!") + kCrLf + description, MsgStyle::OkInformation,
                   m_quizCaption);
}
