#include "support/AppFixture.h"
#include "support/TestFiles.h"

#include "app/MDIForm1.h"
#include "quiztest/QuizSession.h"
#include "quiztest/frmQ.h"
#include "report/frmReport.h"
#include "support/Controls.h"
#include "toolkit/Accessibility.h"
#include "toolkit/Announcer.h"
#include "toolkit/OptionArray.h"
#include "toolkit/TextBox.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGlyphRun>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRawFont>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

QStringList& heard()
{
    static QStringList said;
    return said;
}

void listen(const QString& text)
{
    heard().append(text);
}

class Accessibility : public AppFixture {
protected:
    void SetUp() override
    {
        previous = Announcer::setListener(listen);
        AppFixture::SetUp();
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        Announcer::setListener(previous);
        heard().clear();
    }

    // What a screen reader was told since the last call, each handler's
    // texts as one.
    static QStringList said()
    {
        settle();
        return std::exchange(heard(), {});
    }
    // The question on screen as it is read out.
    QString questionSaid(int number, int total)
    {
        const QuizControls q = controls();
        QString text = QStringLiteral("Question %1 of %2: ").arg(number).arg(total) + q.lblQuestion->text() + u'.';
        for (int slot = 0; slot < 4; ++slot)
            text += QStringLiteral(" Key %1: ").arg(slot + 1) + q.Option1.Caption(slot) + u'.';
        return text;
    }
    // What a screen reader reads for the widget now.
    static QString nameOf(QWidget* widget)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    }

    Announcer::Listener previous = nullptr;
};

struct Node {
    QAccessible::Role role;
    QString name;
    QString description;
    QObject* object;
    bool focusable;
};

void collect(QAccessibleInterface* iface, std::vector<Node>& nodes, int depth = 0)
{
    ASSERT_LT(depth, 40) << "the tree loops";
    const QAccessible::State state = iface->state();
    if (state.invisible)
        return; // hidden controls and everything in them
    nodes.push_back({iface->role(), iface->text(QAccessible::Name), iface->text(QAccessible::Description),
                     iface->object(), bool(state.focusable)});
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(iface->indexOfChild(child), i);
        collect(child, nodes, depth + 1);
    }
}

std::vector<Node> treeOf(QWidget& top)
{
    std::vector<Node> nodes;
    collect(QAccessible::queryAccessibleInterface(&top), nodes);
    return nodes;
}

const Node* nodeOf(const std::vector<Node>& nodes, const QObject* object)
{
    for (const Node& node : nodes)
        if (node.object == object)
            return &node;
    return nullptr;
}

// Every control a user can reach has a name of its own, and the options are
// radio buttons that say their key.
void checkTree(MDIForm1& frame, const char* when)
{
    SCOPED_TRACE(when);
    const std::vector<Node> nodes = treeOf(frame);
    std::map<QString, int> names;
    for (const Node& node : nodes) {
        // A window may share its name with the button that shows it.
        if (!node.focusable || node.role == QAccessible::Window)
            continue;
        EXPECT_FALSE(node.name.trimmed().isEmpty()) << "a focusable " << node.object->metaObject()->className() << " "
                                                    << node.object->objectName().toStdString() << " has no name";
        ++names[node.name];
    }
    for (const Node& node : nodes)
        EXPECT_EQ(node.name, node.name.simplified()) << "a name with padding";
    for (const auto& [name, count] : names)
        EXPECT_EQ(count, 1) << name.toStdString() << " names " << count << " controls";

    frmQ& quiz = frame.quiz();
    for (int index = 0; index < OptionArray::Count; ++index) {
        const Node* option = nodeOf(nodes, &QuizControls(quiz).Option1[index]);
        ASSERT_NE(option, nullptr);
        EXPECT_EQ(option->role, QAccessible::RadioButton);
        EXPECT_EQ(option->description, QStringLiteral("key %1").arg(index + 1));
    }
    const QuizControls q(quiz);
    const ReportControls r(frame.report());
    for (const QObject* decoration :
         std::initializer_list<const QObject*>{q.Label1, q.Label2, q.Label3, q.Label4, q.Label5, q.Label6, q.Image1,
                                               q.Line1, q.lblAsking1, q.lblCorrect1, r.lblTODO, r.lblAnsweredCorrect})
        EXPECT_EQ(nodeOf(nodes, decoration), nullptr) << decoration->objectName().toStdString();
    const std::map<const QObject*, QString> named{{quiz.childWindow(), QStringLiteral("Quiz")},
                                                  {q.cmdBrowse, QStringLiteral("Browse for a quiz file")},
                                                  {q.cmdHelp, QStringLiteral("Help")}};
    for (const auto& [object, name] : named) {
        const Node* node = nodeOf(nodes, object);
        ASSERT_NE(node, nullptr) << name.toStdString();
        EXPECT_EQ(node->name, name);
    }
    if (frame.report().Visible()) {
        EXPECT_EQ(nodeOf(nodes, frame.report().childWindow())->name, QStringLiteral("Report"));
        EXPECT_EQ(nodeOf(nodes, r.cmdSaveTODO)->name, QStringLiteral("Save the questions to practise"));
        EXPECT_EQ(nodeOf(nodes, r.cmdSaveCorrect)->name, QStringLiteral("Save the questions answered correctly"));
    }
    // The table of the tree for a reader of the tests' output.
    if (std::getenv("PONDERA_PRINT_TREE"))
        for (const Node& node : nodes)
            if (node.focusable || node.role == QAccessible::StaticText || node.role == QAccessible::Window ||
                node.role == QAccessible::Grouping)
                std::cout << when << " | " << node.role << " | " << node.name.toStdString() << " | "
                          << node.description.toStdString() << "\n";
}

TEST_F(Accessibility, TreeNamesEveryControlOnceInEveryState)
{
    checkTree(*frame, "start-up");
    QuizDriver d = driver();
    d.loadItems(numberedItems(8));
    checkTree(*frame, "ready");
    EXPECT_EQ(said(), QStringList{QStringLiteral("8 questions loaded.")});
    d.pressStart();
    checkTree(*frame, "question");
    EXPECT_EQ(controls().lblAsking->accessibleName(), QStringLiteral("Asking question 1 of 8"));
    EXPECT_EQ(controls().lblCorrect->accessibleName(), QStringLiteral("Correctly answered 0"));

    // Read out without the focus moving, in order and once: the question
    // with its candidates, each verdict as it is given (a second wrong choice
    // too), the score after the answer that counts.
    const QString wrong = QStringLiteral("Wrong Answer, Try Again!");
    const QString right = QStringLiteral("Correct Answer, Press Next to continue.");
    EXPECT_EQ(said(), QStringList{questionSaid(1, 8)});
    const QuizControls q = controls();
    const struct {
        int slot;
        QString text;
    } answers[] = {{d.wrongSlot(), wrong + QStringLiteral(" Score = 00.00 %.")},
                   {d.wrongSlot(), wrong},
                   {d.rightSlot(), right},
                   {4, wrong}};
    for (const auto& answer : answers) {
        d.choose(answer.slot);
        EXPECT_EQ(said(), QStringList{answer.text}) << answer.slot;
    }
    EXPECT_EQ(nameOf(q.lblScore), QStringLiteral("Score = 00.00 %"));
    EXPECT_EQ(nameOf(q.lblCorrect), QStringLiteral("Correctly answered 0"));
    d.pressNext();
    EXPECT_EQ(said(), QStringList{questionSaid(2, 8)});
    // Moving on by itself, one answer's texts come as one, the verdict first,
    // without the advice for a question that has gone, and the score the
    // screen shows after the move.
    q.chkAnswered->setChecked(true);
    d.choose(d.rightSlot());
    EXPECT_EQ(said(), QStringList{QStringLiteral("Correct Answer. Score = 33.33 %. ") + questionSaid(3, 8)});
    EXPECT_EQ(q.lblScore->text(), QStringLiteral("Score = 33.33 %"));
    q.chkAnswered->setChecked(false);

    p.boxes.autoOk = true;
    for (int item = 3; item <= 8; ++item) {
        d.choose(d.rightSlot());
        if (item < 8)
            d.pressNext();
    }
    d.pressNext();
    ASSERT_EQ(p.boxes.shown.back().prompt.left(32), QStringLiteral("You have finished taking the Qui"));
    EXPECT_EQ(nameOf(q.lblAsking), QStringLiteral("Asking question 8 of 8"));
    EXPECT_EQ(nameOf(q.lblCorrect), QStringLiteral("Correctly answered 7"));
    EXPECT_EQ(nameOf(q.lblScore), QStringLiteral("Score = 87.50 %"));
    checkTree(*frame, "finished");
    d.pressReport();
    checkTree(*frame, "report shown");
}

// Show correct answer's marks are font and colour: the right answer is said,
// and both marked options carry their mark in their description until Next.
// Fast Quiz moves on after a wrong answer too, and on the last question the
// finish follows what is said.
TEST_F(Accessibility, MarksAndMovesAreTold)
{
    QuizDriver d = driver();
    d.loadItems(numberedItems(4));
    d.pressStart();
    said();
    const QuizControls q = controls();
    const auto description = [&](int slot) { return q.Option1[slot].accessibleDescription(); };
    q.chkShowCorrect->setChecked(true);
    const int right = d.rightSlot();
    const int wrong = d.wrongSlot();
    const QString rightText = q.Option1.Caption(right);
    d.choose(wrong);
    EXPECT_EQ(said(),
              QStringList{QStringLiteral("Wrong Answer, Try Again! The right answer is %1: %2. Score = 00.00 %.")
                              .arg(right + 1)
                              .arg(rightText)});
    EXPECT_EQ(description(right), QStringLiteral("key %1, the right answer").arg(right + 1));
    EXPECT_EQ(description(wrong), QStringLiteral("key %1, your wrong choice").arg(wrong + 1));
    d.pressNext();
    said();
    for (int slot = 0; slot < 5; ++slot)
        EXPECT_EQ(description(slot), QStringLiteral("key %1").arg(slot + 1));

    q.chkFastQuiz->click();
    d.choose(d.wrongSlot());
    EXPECT_EQ(said(), QStringList{QStringLiteral("Wrong Answer. Score = 00.00 %. ") + questionSaid(3, 4)});
    d.choose(d.rightSlot());
    said();
    p.boxes.autoOk = true;
    d.choose(d.rightSlot());
    EXPECT_EQ(said(), QStringList{QStringLiteral("Correct Answer. Score = 50.00 %.")});
    EXPECT_EQ(p.boxes.shown.back().prompt.left(32), QStringLiteral("You have finished taking the Qui"));
}

class Keyboard : public AppFixture {
protected:
    static QWidget* focused() { return QApplication::focusWidget(); }
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_NE(focused(), nullptr) << "no control has the focus";
        // Through the window, as the keyboard's keys come: access keys and
        // Enter and Esc are shortcuts, which only a key from there triggers.
        QTest::keyClick(focused()->window()->windowHandle(), static_cast<Qt::Key>(key), modifiers);
        // An access key shows the button pressed for a moment before it clicks.
        if (modifiers & Qt::AltModifier)
            QTest::qWait(150);
        settle();
    }
    // The slot to choose, through its key.
    static int keyOf(int slot) { return Qt::Key_1 + slot; }
};

TEST_F(Keyboard, WholeSessionByKeysAlone)
{
    const QuizControls q = controls();
    const ReportControls r = reportControls();
    QuizDriver d = driver(); // reads only: every step is a key

    // The path box has the focus from the start, its text selected, so that
    // typing replaces it.
    ASSERT_EQ(focused(), q.txtQuizFile);
    EXPECT_EQ(q.txtQuizFile->selectedText(), q.txtQuizFile->text());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keys.csv"));
    ASSERT_TRUE(testfiles::write(path, "Q1,A1\r\nQ2,A2\r\nQ3,A3\r\nQ4,A4\r\nQ5,A5\r\n"));
    for (const QChar c : path)
        QTest::keyClick(focused()->window()->windowHandle(), c.toLatin1());
    EXPECT_EQ(q.txtQuizFile->text(), path);

    press(Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(d.session().iTotal(), 5);
    EXPECT_EQ(focused(), q.cmdStart);
    press(Qt::Key_R, Qt::AltModifier);
    ASSERT_EQ(d.session().iAsked(), 1);
    // A wrong key, then the right one, then Enter for the default Next.
    press(keyOf(d.wrongSlot()));
    EXPECT_TRUE(q.lblWrong->isVisible());
    press(keyOf(d.rightSlot()));
    EXPECT_TRUE(q.lblRightAnswer->isVisible());
    press(Qt::Key_Return);
    EXPECT_EQ(d.session().iAsked(), 2);
    press(Qt::Key_5); // Skip
    press(Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(d.session().iAsked(), 3);
    p.boxes.autoOk = true;
    for (int item = 3; item <= 5; ++item) {
        press(keyOf(d.rightSlot()));
        press(Qt::Key_Return);
    }
    EXPECT_EQ(d.session().iCorrect(), 3);

    // The report takes the focus when it shows; Tab reaches each of its
    // controls, and leaves the lists without typing into them.
    press(Qt::Key_P, Qt::AltModifier);
    ASSERT_TRUE(report().Visible());
    const QString practise = d.practise();
    std::vector<QWidget*> visited{focused()};
    for (int step = 0; step < 5; ++step) {
        press(Qt::Key_Tab);
        visited.push_back(focused());
    }
    const std::vector<QWidget*> tabOrder{r.cmdFullScreen, r.cmdClose,           r.txtPractise,
                                         r.cmdSaveTODO,   r.txtAnsweredCorrect, r.cmdSaveCorrect};
    EXPECT_EQ(visited, tabOrder);
    // Reached by Tab, a list starts at its first line, which a screen reader
    // reads with the focus, not at the empty one past its last line break.
    EXPECT_TRUE(r.txtPractise->textCursor().atStart());
    EXPECT_EQ(d.practise(), practise);
    EXPECT_FALSE(d.practise().contains(u'\t'));

    // Save by the keyboard: Space presses the focused button.
    press(Qt::Key_Space);
    EXPECT_EQ(p.boxes.shown.back().prompt.left(16), QStringLiteral("File is Saved as"));
    for (int step = 0; step < 3; ++step)
        press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focused(), r.txtPractise);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focused(), r.cmdClose);
    press(Qt::Key_Space);
    EXPECT_FALSE(report().Visible());

    // Back in the quiz window, Esc asks the quit question.
    ASSERT_TRUE(quiz().isAncestorOf(focused()));
    p.boxes.expect(MsgAnswer::No);
    press(Qt::Key_Escape);
    EXPECT_EQ(p.boxes.shown.back().prompt, QStringLiteral("Are you sure you want to quit the Quiz?"));
    EXPECT_EQ(p.end.ends, 0);
}

// An Alt key types nothing into a text box, whether it presses a button, is a
// disabled button's (Start before a load) or another window's, or nothing's.
TEST_F(Keyboard, AltKeysNeverTypeIntoABox)
{
    const QuizControls q = controls();
    const ReportControls r = reportControls();
    practiseList().append(QStringLiteral("dog,inu\r\n"));
    p.boxes.autoOk = true;             // Load of the box's text fails
    p.boxes.autoYesNo = MsgAnswer::No; // Close asks
    const auto textOf = [](QWidget* box) {
        if (auto* line = qobject_cast<QLineEdit*>(box))
            return line->text();
        return static_cast<TextBox*>(box)->toPlainText();
    };
    for (QWidget* box : {static_cast<QWidget*>(q.txtQuizFile), static_cast<QWidget*>(r.txtPractise),
                         static_cast<QWidget*>(r.txtAnsweredCorrect)}) {
        // Every access key of the three windows, and one that none has.
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_F, Qt::Key_H, Qt::Key_L, Qt::Key_O, Qt::Key_P, Qt::Key_R,
                                  Qt::Key_X, Qt::Key_Question, Qt::Key_Z}) {
            if (box != q.txtQuizFile && !report().Visible())
                driver().pressReport();
            box->setFocus();
            settle();
            const QString before = textOf(box);
            press(key, Qt::AltModifier);
            EXPECT_EQ(textOf(box), before)
                << box->objectName().toStdString() << " Alt+" << QKeySequence(key).toString().toStdString();
        }
    }
    EXPECT_EQ(p.end.ends, 0);
}

// On a 1024 x 768 screen the docked report reaches past the frame: the client
// area scrolls to it, and a control that gets the focus is scrolled into view.
TEST_F(Keyboard, SmallScreenScrollsToTheReport)
{
    frame.reset();
    p.workArea.rect = {0, 0, 1024, 768};
    start();
    QuizDriver d = driver();
    d.loadItems(numberedItems(5));
    d.pressReport();
    settle();
    QMdiArea& area = frame->mdiArea();
    QWidget* save = reportControls().cmdSaveCorrect;
    const QRect view = area.viewport()->rect();
    ASSERT_GT(report().childWindow()->geometry().bottom(), view.bottom()) << "the report fits; nothing to test";
    EXPECT_TRUE(area.verticalScrollBar()->isVisible());
    save->setFocus(Qt::TabFocusReason);
    settle();
    EXPECT_TRUE(view.contains(QRect(save->mapTo(area.viewport(), QPoint(0, 0)), save->size())));
    EXPECT_GT(area.verticalScrollBar()->value(), 0);
}

} // namespace

namespace {

// The controls whose text a user reads, in every window of the frame.
std::vector<QWidget*> textControls(MDIForm1& frame)
{
    std::vector<QWidget*> controls;
    for (QWidget* widget : frame.findChildren<QWidget*>())
        if (widget->isVisible() && (qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget) ||
                                    qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget)))
            controls.push_back(widget);
    return controls;
}

// WCAG's contrast ratio of two colours, 1 to 21.
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::string describe(const QWidget* widget)
{
    return widget->metaObject()->className() + std::string(" ") + widget->objectName().toStdString();
}

// A test in the question state with the report and the help window shown.
class Appearance : public AppFixture {
protected:
    void SetUp() override
    {
        startAtSetUp = false;
        AppFixture::SetUp();
    }
    void showEverything()
    {
        start();
        QuizDriver d = driver();
        d.loadItems(numberedItems(8));
        d.pressStart();
        d.pressReport();
        controls().cmdHelp->click();
        settle();
    }
};

TEST_F(Appearance, DarkDesktopPaletteLeavesEveryTextReadable)
{
    const QPalette desktop = QApplication::palette();
    QPalette dark(QColor(0xEE, 0xEE, 0xEE), QColor(0x2B, 0x2B, 0x2B));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    QApplication::setPalette(dark);
    showEverything();
    for (QWidget* control : textControls(*frame)) {
        const QPalette palette = control->palette();
        const bool field = qobject_cast<QLineEdit*>(control) || qobject_cast<QPlainTextEdit*>(control);
        const bool button = qobject_cast<QPushButton*>(control);
        const auto text = field ? QPalette::Text : button ? QPalette::ButtonText : QPalette::WindowText;
        const auto back = field ? QPalette::Base : button ? QPalette::Button : QPalette::Window;
        EXPECT_GE(contrast(palette.color(QPalette::Active, text), palette.color(QPalette::Active, back)), 4.5)
            << describe(control);
        EXPECT_GE(contrast(palette.color(QPalette::Disabled, text), palette.color(QPalette::Disabled, back)), 3.0)
            << describe(control) << " disabled";
    }
    frame.reset();
    QApplication::setPalette(desktop);
}

// Run at the scale factors 1, 1.5 and 2 (QT_SCALE_FACTOR): every caption fits
// its control as designed.
TEST_F(Appearance, CaptionsFitTheirControls)
{
    showEverything();
    int checked = 0;
    for (QWidget* control : textControls(*frame)) {
        const auto* label = qobject_cast<QLabel*>(control);
        const auto* button = qobject_cast<QAbstractButton*>(control);
        if ((!label && !button) || (label && (label->wordWrap() || !label->pixmap().isNull())))
            continue;
        QString caption = label ? label->text() : button->text();
        caption.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
        if (caption.isEmpty())
            continue;
        // What the style sets aside beside the text: a button's margins, the
        // box or circle of a check box or option.
        QStyleOptionButton option;
        option.initFrom(control);
        const QSize room =
            button
                ? control->style()->sizeFromContents(qobject_cast<const QPushButton*>(control) ? QStyle::CT_PushButton
                                                     : qobject_cast<const QCheckBox*>(control) ? QStyle::CT_CheckBox
                                                                                               : QStyle::CT_RadioButton,
                                                     &option, QSize(0, 0), control)
                : QSize(0, 0);
        const int needed = control->fontMetrics().horizontalAdvance(caption) + room.width();
        EXPECT_LE(needed, control->width() + (button ? 8 : 0))
            << describe(control) << " \"" << caption.toStdString() << "\"";
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

// A quiz in any script draws as glyphs in the question's face and the
// options': the design's Japanese face first, and for what it lacks (Hangul,
// simplified Chinese) the faces that stand behind it.
TEST_F(Appearance, QuestionAndOptionFacesDrawEveryScript)
{
    start();
    const QuizControls q = controls();
    for (const QWidget* control : std::initializer_list<const QWidget*>{q.lblQuestion, q.Option1_0}) {
        for (const char* text : {"かぶる 漢字", "한국어", "简体字 这个", "Привет αβγ", "naïve café"}) {
            QTextLayout layout(QString::fromUtf8(text), control->font());
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            for (const QGlyphRun& run : layout.glyphRuns())
                EXPECT_FALSE(run.glyphIndexes().contains(0))
                    << describe(control) << " \"" << text << "\" in " << run.rawFont().familyName().toStdString();
        }
    }
}

// The focus is plain to see on every control that can take it: giving it the
// focus changes a frame's worth of its pixels, around its text at least.
TEST_F(Appearance, FocusIsPlainlyVisible)
{
    showEverything();
    for (QWidget* control : frame->findChildren<QWidget*>()) {
        if (!control->isVisible() || !control->isEnabled() || !(control->focusPolicy() & Qt::TabFocus) ||
            qobject_cast<QMdiSubWindow*>(control) || qobject_cast<QScrollBar*>(control))
            continue;
        frame->mdiArea().setFocus();
        const QImage before = control->grab().toImage();
        control->setFocus(Qt::TabFocusReason);
        settle();
        ASSERT_EQ(QApplication::focusWidget(), control) << describe(control);
        const QImage after = control->grab().toImage();
        int changed = 0;
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                changed += contrast(before.pixelColor(x, y), after.pixelColor(x, y)) >= 3.0;
        EXPECT_GE(changed, std::min(control->width() + control->height(), 60)) << describe(control);
    }
}

} // namespace
