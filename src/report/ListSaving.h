#pragma once

#include <QObject>
#include <QString>

class BackgroundWork;
class MessageBoxes;
class ResultList;
namespace quizfile {
enum class TextEncoding;
}

// Saving a result list as a quiz file beside the loaded one: the file's name,
// the question before replacing a file, the write away from the window's
// thread and the message that ends it. It has no window: the report hands
// it a list at a press of Save and shows what it signals.
class ListSaving : public QObject {
    Q_OBJECT
public:
    ListSaving(MessageBoxes& boxes, BackgroundWork& work);

    // What the result files take from the quiz: the path as it stands in the
    // quiz window's path box (they are named after it), the encoding of the
    // quiz loaded (a list of a quiz that was not UTF-8 starts with a byte
    // order mark, so that spreadsheets read it right), and the quiz window's
    // caption (the title of their messages).
    void setQuizFilePath(const QString& path) { m_quizFilePath = path; }
    void setQuizEncoding(quizfile::TextEncoding encoding);
    void setQuizCaption(const QString& caption) { m_quizCaption = caption; }

    // Saves the list under the loaded quiz's name with the suffix; the list
    // is saved as it stands at the call.
    void saveList(const ResultList& Lst, const QString& suffix);
    QString ResultFileName(const QString& suffix) const;
    bool FileExists(const QString& Fname) const;
    void SaveText(const ResultList& Lst, const QString& name);

signals:
    // The file began to be written (true), or its write ended (false), just
    // before the message that says how.
    void writing(bool writing);
    // A save began (true), or it ended and its message has been answered
    // (false).
    void saving(bool saving);

private:
    void showSaveError(const QString& description);

    MessageBoxes& m_boxes;
    BackgroundWork& m_work;
    QString m_quizFilePath;
    QString m_quizCaption;
    bool m_quizIsUtf8 = true;
};
