#pragma once

#include "quizfile/QuizFileReader.h"

class Form;
class QString;

// What the report window reads of the quiz window, which hands itself over
// when the report is made: where it stands (the report docks below it and is
// never narrower), the quiz file path as it stands in the path box (the result
// files are named after it), its caption (the title of their messages), and
// the encoding of the quiz loaded (a result file of a quiz that was not UTF-8
// starts with a byte order mark, so that spreadsheets read it right).
class QuizWindowLink {
public:
    virtual ~QuizWindowLink() = default;

    virtual const Form& quizForm() const = 0;
    virtual QString quizFilePath() const = 0;
    virtual quizfile::TextEncoding quizEncoding() const = 0;

protected:
    QuizWindowLink() = default;
    QuizWindowLink(const QuizWindowLink&) = default;
    QuizWindowLink& operator=(const QuizWindowLink&) = default;
};
