#include "support/Controls.h"

#include "toolkit/CaptionLabel.h"
#include "toolkit/Tag.h"
#include "toolkit/TextBox.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstdio>
#include <cstdlib>
#include <type_traits>

namespace {

// A control the design names; a missing one is a broken test, not a result.
template <class T> T* find(const QWidget& window, const char* name)
{
    T* control = window.findChild<T*>(QString::fromLatin1(name));
    if (!control) {
        std::fprintf(stderr, "no control %s in %s\n", name, qPrintable(window.objectName()));
        std::abort();
    }
    return control;
}

} // namespace

QString OptionButtons::Caption(int index) const
{
    return (*this)[index].text();
}

QString OptionButtons::Tag(int index) const
{
    return tag::get((*this)[index]);
}

int OptionButtons::selectedIndex() const
{
    for (std::size_t i = 0; i < m_options.size(); ++i)
        if (m_options[i]->isChecked())
            return static_cast<int>(i);
    return -1;
}

#define FIND(name) name(find<std::remove_pointer_t<decltype(name)>>(window, #name))

QuizControls::QuizControls(const QWidget& window)
    : FIND(Frame1), FIND(Frame2), FIND(Frame3), FIND(Frame4), FIND(Line1), FIND(txtQuizFile), FIND(cmdBrowse),
      FIND(cmdLoad), FIND(cmdStart), FIND(cmdNext), FIND(cmdReport), FIND(cmdClose), FIND(cmdHelp), FIND(lblQuestion),
      FIND(lblRightAnswer), FIND(lblWrong), FIND(lblAsking1), FIND(lblCorrect1), FIND(Image1), FIND(Label1),
      FIND(Label2), FIND(Label3), FIND(Label4), FIND(Label5), FIND(Label6), FIND(lblAsking), FIND(lblCorrect),
      FIND(lblScore), FIND(chkFastQuiz), FIND(chkShowCorrect), FIND(chkAnswered), FIND(Option1_0), FIND(Option1_1),
      FIND(Option1_2), FIND(Option1_3), FIND(Option1_4),
      Option1({Option1_0, Option1_1, Option1_2, Option1_3, Option1_4})
{
}

ReportControls::ReportControls(const QWidget& window)
    : FIND(cmdDock), FIND(cmdFullScreen), FIND(cmdClose), FIND(cmdSaveTODO), FIND(cmdSaveCorrect), FIND(fraReport),
      FIND(lblTODO), FIND(lblAnsweredCorrect), FIND(lblReport), FIND(txtPractise), FIND(txtAnsweredCorrect)
{
}

#undef FIND
