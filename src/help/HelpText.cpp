#include "help/HelpText.h"

#include <QStringList>

namespace helptext {

QString contactAddress()
{
    return QStringLiteral("pondera@example.org");
}

QString text()
{
    // One entry a line, numbered, so the text can be read against its table.
    // Trailing blanks and tabs belong to the text; the examples in lines 17
    // and 18 use full-width parentheses and the full-width wave dash.
    // clang-format off
    const QStringList lines = {
        QString(),                                                                                            //   1
        QStringLiteral("Before taking a Quiz using 'pdr.exe', you MUST create a quiz Q&A file"),              //   2
        QString(),                                                                                            //   3
        QStringLiteral("HOW TO MAKE THE QUIZ 'Q and A' FILE"),                                                //   4
        QString(39, u'-'),                                                                                    //   5
        QStringLiteral("Using your favorite editor, "),                                                       //   6
        QStringLiteral("Create a CSV (Comma Seperated File) in the following format"),                        //   7
        QString(),                                                                                            //   8
        QStringLiteral("QUESTION,ANSWER"),                                                                    //   9
        QString(),                                                                                            //  10
        QStringLiteral("Example 1: Using Notepad"),                                                           //  11
        QStringLiteral("Save a file with the following contents"),                                            //  12
        QString(),                                                                                            //  13
        QStringLiteral("らべる (比べる),compare"),                                                              //  14
        QStringLiteral("かぶる,put on"),                                                                       //  15
        QStringLiteral("むら (村),village"),                                                                   //  16
        QStringLiteral("ひっこす（引っ越す）,move to (house)"),                                                  //  17
        QStringLiteral("～けん（～軒）,door"),                                                                  //  18
        QString(),                                                                                            //  19
        QString(),                                                                                            //  20
        QStringLiteral("Example 2: Using Excel"),                                                             //  21
        QStringLiteral("Enter the QUESTION in 'column A' "),                                                  //  22
        QStringLiteral("Enter the ANSWER in 'column B' "),                                                    //  23
        QStringLiteral("  'column A'           'column B' "),                                                 //  24
        QStringLiteral("らべる (比べる)          compare"),                                                     //  25
        QStringLiteral("and so on"),                                                                          //  26
        QString(),                                                                                            //  27
        QStringLiteral("From File Menu, press 'Save as' and save the file as CSV"),                           //  28
        QString(),                                                                                            //  29
        QString(),                                                                                            //  30
        QString(72, u'~'),                                                                                    //  31
        QString(),                                                                                            //  32
        QString(),                                                                                            //  33
        QStringLiteral("HOW TO TAKE THE QUIZ"),                                                               //  34
        QString(25, u'-'),                                                                                    //  35
        QStringLiteral("STEP 1: Enter the 'Q and A' CSV file or Select a file using the Browse '...' "),      //  36
        QStringLiteral("button. "),                                                                           //  37
        QString(),                                                                                            //  38
        QStringLiteral("STEP 2: Press the 'Load' button."),                                                   //  39
        QString(),                                                                                            //  40
        QStringLiteral("STEP 3: Press the 'Start' button to begin taking the quiz"),                          //  41
        QString(),                                                                                            //  42
        QStringLiteral("STEP 4: You can either type 1,2,3 or 4 for the answer "),                             //  43
        QStringLiteral("\tor "),                                                                              //  44
        QStringLiteral("        Select the appropriate 'radio button'"),                                      //  45
        QStringLiteral("\t"),                                                                                 //  46
        QStringLiteral("\tTyping 5 or Selecting 'Skip' will skip this question and moves to the next "),      //  47
        QStringLiteral("question."),                                                                          //  48
        QString(),                                                                                            //  49
        QStringLiteral("STEP 5: You can also press 'ENTER' in the keyboard "),                                //  50
        QStringLiteral("\tor the button 'Next' to move to the next question"),                                //  51
        QString(),                                                                                            //  52
        QString(),                                                                                            //  53
        QStringLiteral("OPTIONS:"),                                                                           //  54
        QString(9, u'-'),                                                                                     //  55
        QStringLiteral("Fast Quiz: When this option is checked, next question will be asked whether or not "), // 56
        QStringLiteral("the present question is answered correctly. "),                                       //  57
        QString(),                                                                                            //  58
        QStringLiteral("Show Correct Answer: When this option is checked, correct answer is displayed when "), // 59
        QStringLiteral("a wrong answer is selected. "),                                                       //  60
        QStringLiteral("pdr.exe will strike out the wrong answer and show the correct answer in big "),       //  61
        QStringLiteral("fontsize, and bright color."),                                                        //  62
        QString(),                                                                                            //  63
        QStringLiteral("If I answer correct, Ask Next Question: As the label indicates, when this option is "), // 64
        QStringLiteral("checked pdr.exe will automatically ask the next question when your present answer is "), // 65
        QStringLiteral("correct"),                                                                            //  66
        QString(),                                                                                            //  67
        QString(),                                                                                            //  68
        QString(),                                                                                            //  69
        QStringLiteral("NOTE: If 'FAST QUIZ' is checked then 'SHOW CORRECT ANSWER' and 'If I answer...' "),   //  70
        QStringLiteral("functions are disabled"),                                                             //  71
        QString(),                                                                                            //  72
        QString(),                                                                                            //  73
        QString(),                                                                                            //  74
        QStringLiteral("OTHERS:"),                                                                            //  75
        QString(8, u'-'),                                                                                     //  76
        QString(),                                                                                            //  77
        QStringLiteral("Clicking on the button 'REPORT' will show report window. Report window has two text "), // 78
        QStringLiteral("box. "),                                                                              //  79
        QString(),                                                                                            //  80
        QStringLiteral("The left text box displays (in CSV format), the questions you have answered that "),  //  81
        QStringLiteral("are NOT CORRECT. "),                                                                  //  82
        QString(),                                                                                            //  83
        QStringLiteral("The right text box displays (in CSV format), the questions you have answered "),      //  84
        QStringLiteral("correctly. "),                                                                        //  85
        QString(),                                                                                            //  86
        QStringLiteral("The text boxes support editing, so you can add your own questions or move items "),   //  87
        QStringLiteral("between text boxes. "),                                                               //  88
        QString(),                                                                                            //  89
        QStringLiteral("There is a command button 'Save' for both correctly answered and incorrectly "),      //  90
        QStringLiteral("answered or skipped questions. "),                                                    //  91
        QString(),                                                                                            //  92
        QStringLiteral("The contents of the text box can be saved as CSV file for taking future quiz. You "), //  93
        QStringLiteral("can keep on drilling the unanswered questions till you feel comfortable. "),          //  94
        QString(),                                                                                            //  95
        QString(),                                                                                            //  96
        QString(),                                                                                            //  97
        QString(),                                                                                            //  98
        QString(52, u'-'),                                                                                    //  99
        QStringLiteral("pdr.exe ver 1.0.04.12.12"),                                                           // 100
        QStringLiteral("Have doubts or clarification mail me "),                                              // 101
        contactAddress(),                                                                                     // 102
        QString(),                                                                                            // 103
        QStringLiteral("Thank you for using pdr.exe"),                                                        // 104
    };
    // clang-format on

    QString result;
    for (const QString& line : lines)
        result += line + QStringLiteral("\r\n");
    return result;
}

} // namespace helptext
