#include "toolkit/CaptionLabel.h"
#include "toolkit/Form.h"
#include "toolkit/InputHold.h"
#include "toolkit/KeyPreview.h"
#include "toolkit/OptionArray.h"
#include "toolkit/QtPlatform.h"
#include "toolkit/TerminationSignals.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <csignal>
#include <future>
#include <memory>

#include <vector>

namespace {

TEST(CaptionLabel, ChangeRaisedOnEveryNewCaption)
{
    CaptionLabel label;
    std::vector<QString> seen;
    QObject::connect(&label, &CaptionLabel::Change, [&] { seen.push_back(label.Caption()); });
    label.setCaption(QStringLiteral("Score = 00.00 %"));
    label.setCaption(QStringLiteral("Score = 50.00 %"));
    EXPECT_EQ(seen, (std::vector<QString>{QStringLiteral("Score = 00.00 %"), QStringLiteral("Score = 50.00 %")}));
}

struct Options {
    QWidget parent;
    std::array<QRadioButton*, 5> buttons{};
    std::unique_ptr<OptionArray> array;
    std::vector<int> clicks;

    Options()
    {
        for (auto& b : buttons)
            b = new QRadioButton(&parent);
        array = std::make_unique<OptionArray>(buttons);
        QObject::connect(array.get(), &OptionArray::clicked, [this](int i) { clicks.push_back(i); });
    }
};

TEST(OptionArray, SelectByCodeClicksAndCanBeLeftWithNoneSelected)
{
    Options o;
    o.array->select(2);
    EXPECT_EQ(o.array->selectedIndex(), 2);
    o.array->select(4);
    EXPECT_EQ(o.array->selectedIndex(), 4);
    EXPECT_FALSE(o.buttons[2]->isChecked()) << "one selected at a time";
    o.array->clearSelection();
    EXPECT_EQ(o.array->selectedIndex(), -1);
    EXPECT_EQ(o.clicks, (std::vector<int>{2, 4}));

    o.buttons[1]->click(); // by mouse
    EXPECT_EQ(o.array->selectedIndex(), 1);
    o.buttons[1]->click(); // again: it stays selected
    EXPECT_EQ(o.array->selectedIndex(), 1);
    EXPECT_EQ(o.clicks, (std::vector<int>{2, 4, 1, 1}));
}

TEST(OptionArray, TagsCaptionsAndMarks)
{
    Options o;
    o.array->setTag(4, QStringLiteral("False"));
    o.array->setTag(0, QStringLiteral("True"));
    o.array->setCaption(0, QStringLiteral("ringo"));
    EXPECT_EQ(o.array->Tag(4), QStringLiteral("False"));
    EXPECT_EQ(o.array->Tag(0), QStringLiteral("True"));
    EXPECT_EQ(o.array->Caption(0), QStringLiteral("ringo"));

    o.array->setUnderline(0, true);
    o.array->setForeColor(0, QColor(0x00, 0x00, 0x80));
    o.array->setFontSize(0, 14);
    o.array->setStrikeOut(3, true);
    EXPECT_TRUE(o.buttons[0]->font().underline());
    EXPECT_EQ(o.buttons[0]->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0x80));
    EXPECT_EQ(o.buttons[0]->font().pointSizeF(), 14.0);
    EXPECT_TRUE(o.buttons[3]->font().strikeOut());
    const QPalette standard = o.parent.palette();
    const auto disabledText = [&] { return o.buttons[0]->palette().color(QPalette::Disabled, QPalette::WindowText); };
    EXPECT_EQ(disabledText(), standard.color(QPalette::Disabled, QPalette::ButtonText))
        << "a disabled option stays grey, whatever its colour";
    o.array->resetForeColor(0);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        EXPECT_EQ(o.buttons[0]->palette().color(group, QPalette::WindowText),
                  standard.color(group, QPalette::ButtonText))
            << group;
    EXPECT_NE(standard.color(QPalette::Disabled, QPalette::ButtonText),
              standard.color(QPalette::Active, QPalette::ButtonText))
        << "the style greys disabled text, or this test sees nothing";
}

// A form with a default and a cancel button, as the quiz window has.
class TestForm : public Form {
public:
    TestForm()
    {
        resize(300, 200);
        edit = new QLineEdit(this);
        other = new QPushButton(QStringLiteral("Other"), this);
        defaultButton = new QPushButton(QStringLiteral("Default"), this);
        cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
        for (auto* b : {other, defaultButton, cancelButton})
            QObject::connect(b, &QPushButton::clicked, [this, b] { clicked.push_back(b->text()); });
        setDefaultButton(defaultButton);
        setCancelButton(cancelButton);
    }
    QLineEdit* edit;
    QPushButton* other;
    QPushButton* defaultButton;
    QPushButton* cancelButton;
    std::vector<QString> clicked;
    QString previewed;
    // As the quiz window has it.
    KeyPreview preview{*this, [this](int keyAscii) { previewed += QChar(keyAscii); }};
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setCentralWidget(area);
        window.resize(800, 600);
        form = new TestForm;
        form->attachTo(*area, BorderStyle::FixedSingle);
        window.show();
        form->showForm();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        QCoreApplication::processEvents();
    }
    QMainWindow window;
    QMdiArea* area = new QMdiArea;
    TestForm* form = nullptr;
};

TEST_F(FormTest, EnterClicksTheDefaultOrTheFocusedButtonAndEscTheCancelButton)
{
    form->edit->setFocus();
    QTest::keyClick(form->edit, Qt::Key_Return);
    form->other->setFocus();
    QTest::keyClick(form->other, Qt::Key_Return);
    QTest::keyClick(form->other, Qt::Key_Escape);
    form->defaultButton->setVisible(false);
    form->edit->setFocus();
    QTest::keyClick(form->edit, Qt::Key_Enter);
    form->cancelButton->setEnabled(false);
    QTest::keyClick(form->edit, Qt::Key_Escape);
    EXPECT_EQ(form->clicked,
              (std::vector<QString>{QStringLiteral("Default"), QStringLiteral("Other"), QStringLiteral("Cancel")}));
}

TEST_F(FormTest, KeyPreviewSeesEveryKeyOnceAndSwallowsNone)
{
    form->edit->setFocus();
    QTest::keyClicks(form->edit, QStringLiteral("12a5"));
    EXPECT_EQ(form->previewed, QStringLiteral("12a5"));
    EXPECT_EQ(form->edit->text(), QStringLiteral("12a5")) << "the focused control still gets the keys";
    form->other->setFocus();
    QTest::keyClick(form->other, Qt::Key_3);
    EXPECT_EQ(form->previewed, QStringLiteral("12a53"));
}

TEST_F(FormTest, GeometryReadsBackInTwipsAsSet)
{
    form->moveTwips(555, 350, 9450, 7890);
    EXPECT_DOUBLE_EQ(form->leftTwips(), 555);
    EXPECT_DOUBLE_EQ(form->topTwips(), 350); // 23.3 pixels, read back as set
    EXPECT_DOUBLE_EQ(form->widthTwips(), 9450);
    EXPECT_DOUBLE_EQ(form->heightTwips(), 7890);
    EXPECT_EQ(form->childWindow()->geometry(), QRect(37, 23, 630, 526));
    EXPECT_EQ(form->size(), QSize(628, 524)) << "a one-pixel border around the form";

    form->childWindow()->move(100, 40); // moved by other means: read from the pixels
    EXPECT_DOUBLE_EQ(form->leftTwips(), 1500);
    EXPECT_DOUBLE_EQ(form->topTwips(), 600);
    EXPECT_DOUBLE_EQ(form->widthTwips(), 9450);
}

TEST_F(FormTest, ShowAndHide)
{
    form->hideForm();
    EXPECT_FALSE(form->Visible());
    form->showForm();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(area->activeSubWindow(), form->childWindow());
}

// A job that waits (a slow disk) leaves the thread of the windows free; its
// answer comes back on that thread, is dropped when its receiver is gone, and
// the end waits for a job still running.
// While a desktop file dialog is open, keys, access keys and clicks meant for
// it press nothing behind it; a window opened and shown meanwhile takes them.
TEST(InputHold, WindowsOpenBeforeTakeNoInputUntilItEnds)
{
    QWidget window;
    auto* box = new QLineEdit(&window);
    auto* button = new QPushButton(QStringLiteral("&Browse"), &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(box);
    layout->addWidget(button);
    window.show();
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, [&] { ++clicks; });
    const auto act = [&] {
        QApplication::setActiveWindow(&window);
        box->setFocus();
        QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
        QTest::keyClick(window.windowHandle(), Qt::Key_A);
        QTest::keyClick(window.windowHandle(), Qt::Key_B, Qt::AltModifier);
        QTest::qWait(150); // an access key clicks a moment later
        QTest::mouseClick(button, Qt::LeftButton);
    };
    {
        const InputHold hold;
        QLineEdit later;
        later.show();
        QTest::keyClick(&later, Qt::Key_Z);
        EXPECT_EQ(later.text(), QStringLiteral("z"));
        // A native dialog's unseen stand-in takes none of the dialog's keys.
        QLineEdit unseen;
        unseen.setAttribute(Qt::WA_DontShowOnScreen);
        unseen.show();
        QTest::keyClick(&unseen, Qt::Key_Z);
        EXPECT_EQ(unseen.text(), QString());
        act();
        EXPECT_EQ(box->text(), QString());
        EXPECT_EQ(clicks, 0);
    }
    act();
    EXPECT_EQ(box->text(), QStringLiteral("a"));
    EXPECT_EQ(clicks, 3);
}

TEST(BackgroundWork, JobsRunAwayFromTheWindowsAndAnswerOnTheirThread)
{
    auto work = std::make_unique<QtBackgroundWork>();
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    QThread* jobThread = nullptr;
    QThread* answerThread = nullptr;
    QObject receiver;
    work->run(
        receiver,
        [&, released] {
            released.wait();
            jobThread = QThread::currentThread();
        },
        [&] { answerThread = QThread::currentThread(); });

    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    QTRY_VERIFY(timerRan); // while the job waits
    EXPECT_EQ(answerThread, nullptr);
    release.set_value();
    QTRY_VERIFY(answerThread != nullptr);
    EXPECT_EQ(answerThread, QThread::currentThread());
    EXPECT_NE(jobThread, QThread::currentThread());

    bool answered = false;
    bool jobDone = false;
    {
        QObject gone;
        work->run(
            gone,
            [&] {
                QThread::msleep(50);
                jobDone = true;
            },
            [&] { answered = true; });
    }
    work.reset(); // waits for the job
    EXPECT_TRUE(jobDone);
    QCoreApplication::processEvents();
    EXPECT_FALSE(answered);
}

} // namespace

// SIGTERM (a logout) and its kin end the event loop as Close does, instead of
// the process: a save running on the background work finishes as it ends.
TEST(TerminationSignals, EndTheEventLoopAndLetTheWorkFinish)
{
#ifdef Q_OS_WIN
    GTEST_SKIP()
        << "POSIX only: signals; Windows ends a program with WM_ENDSESSION, which Qt answers by leaving the event loop";
#else
    quitOnTerminationSignals(*QCoreApplication::instance());
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        std::atomic<bool> finished = false;
        {
            QtBackgroundWork work;
            QObject receiver;
            work.run(
                receiver,
                [&finished] {
                    QThread::msleep(200);
                    finished = true;
                },
                [] {});
            QTimer::singleShot(0, [signal] { std::raise(signal); });
            EXPECT_EQ(QCoreApplication::exec(), 0);
        }
        EXPECT_TRUE(finished) << "the work ended before the program";
    }
#endif
}
