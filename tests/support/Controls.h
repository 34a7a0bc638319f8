#pragma once

#include "toolkit/CaptionLabel.h"
#include "toolkit/TextBox.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

#include <array>
#include <cstddef>

// The answer options Option1(0..4) as a person sees them.
class OptionButtons {
public:
    explicit OptionButtons(const std::array<QRadioButton*, 5>& options) : m_options(options) {}

    QRadioButton& operator[](int index) const { return *m_options.at(static_cast<std::size_t>(index)); }
    QString Caption(int index) const;
    QString Tag(int index) const;
    int selectedIndex() const; // -1 when none is selected

private:
    std::array<QRadioButton*, 5> m_options;
};

// The quiz window's controls, found by their names as a script finds them,
// so that the tests read what the window shows without its generated class.
struct QuizControls {
    explicit QuizControls(const QWidget& quiz);

    QFrame *Frame1, *Frame2, *Frame3, *Frame4, *Line1;
    QLineEdit* txtQuizFile;
    QPushButton *cmdBrowse, *cmdLoad, *cmdStart, *cmdNext, *cmdReport, *cmdClose, *cmdHelp;
    QLabel *lblQuestion, *lblRightAnswer, *lblWrong, *lblAsking1, *lblCorrect1, *Image1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    CaptionLabel *lblAsking, *lblCorrect, *lblScore;
    QCheckBox *chkFastQuiz, *chkShowCorrect, *chkAnswered;
    QRadioButton *Option1_0, *Option1_1, *Option1_2, *Option1_3, *Option1_4;
    OptionButtons Option1;
};

// The report window's controls, found the same way.
struct ReportControls {
    explicit ReportControls(const QWidget& report);

    QPushButton *cmdDock, *cmdFullScreen, *cmdClose, *cmdSaveTODO, *cmdSaveCorrect;
    QFrame* fraReport;
    QLabel *lblTODO, *lblAnsweredCorrect, *lblReport;
    TextBox *txtPractise, *txtAnsweredCorrect;
};
