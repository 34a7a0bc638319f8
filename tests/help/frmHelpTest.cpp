#include "help/frmHelp.h"
#include "help/HelpText.h"
#include "toolkit/ChildWindow.h"
#include "toolkit/TextBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// The frame: a main window whose client area holds the child windows, and a
// stand-in for the quiz window that opens the help.
class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = std::make_unique<QMainWindow>();
        area = new QMdiArea;
        frame->setCentralWidget(area);
        frame->resize(1024, 738);
        quiz = area->addSubWindow(new QWidget);
        quiz->setGeometry(100, 50, 400, 300);
        frame->show();
        quiz->show();
        frame->activateWindow();
        QApplication::setActiveWindow(frame.get());
        settle();
    }

    void TearDown() override
    {
        frame.reset();
        settle();
        EXPECT_EQ(frmHelp::instance(), nullptr);
    }

    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    int helpWindows() const { return static_cast<int>(area->findChildren<frmHelp*>().size()); }

    static TextBox* txtHelp(frmHelp* help) { return help->findChild<TextBox*>(QStringLiteral("txtHelp")); }
    static QPushButton* cmdCloseHelp(frmHelp* help)
    {
        return help->findChild<QPushButton*>(QStringLiteral("cmdCloseHelp"));
    }

    std::unique_ptr<QMainWindow> frame;
    QMdiArea* area = nullptr;
    QMdiSubWindow* quiz = nullptr;
};

TEST_F(HelpWindowTest, OpensAtOriginWithItsDesign)
{
    frmHelp* help = frmHelp::ShowHelp(*area);
    settle();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(frmHelp::instance(), help);
    EXPECT_EQ(helpWindows(), 1);

    ChildWindow* window = help->childWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pos(), QPoint(0, 0));
    EXPECT_EQ(help->leftTwips(), 0.0);
    EXPECT_EQ(help->topTwips(), 0.0);
    EXPECT_EQ(help->size(), QSize(762, 616));
    EXPECT_EQ(window->widget()->size(), QSize(762, 616)) << "the form fills the client area";
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the user must not resize it";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Taking Quiz using pdr.exe"));
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_FALSE(window->windowIcon().pixmap(64).isNull()) << "the icon's resources are not loaded";
    EXPECT_EQ(help->palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));

    const struct {
        const char* name;
        QRect pixels;
    } controls[] = {
        {"Label1", {12, 12, 740, 558}},
        {"txtHelp", {27, 13, 724, 556}},
        {"cmdCloseHelp", {658, 580, 83, 25}},
        {"Label5", {22, 580, 503, 21}},
    };
    for (const auto& c : controls) {
        auto* control = help->findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(control, nullptr) << c.name;
        EXPECT_EQ(control->geometry(), c.pixels) << c.name;
    }

    TextBox* text = txtHelp(help);
    EXPECT_EQ(text->text(), helptext::text());
    EXPECT_EQ(text->font().family(), QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_EQ(text->font().pointSizeF(), 12.0);
    EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(text->verticalScrollBar()->value(), 0);
    EXPECT_EQ(text->textCursor().position(), 0);
    EXPECT_FALSE(text->accessibleName().isEmpty());

    auto* label5 = help->findChild<QLabel*>(QStringLiteral("Label5"));
    const QString prefix = QStringLiteral("Comments/Clarifications eMail : ");
    ASSERT_TRUE(label5->text().startsWith(prefix));
    EXPECT_EQ(label5->text().mid(prefix.size()), helptext::text().split(QStringLiteral("\r\n")).at(101));
    EXPECT_EQ(label5->font().pointSizeF(), 9.75);
    EXPECT_EQ(cmdCloseHelp(help)->text(), QStringLiteral("Close &Help"));
}

TEST_F(HelpWindowTest, FocusStartsOnCloseButtonThenGoesToText)
{
    frmHelp* help = frmHelp::ShowHelp(*area);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), cmdCloseHelp(help));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), txtHelp(help));
}

TEST_F(HelpWindowTest, SecondShowBringsTheSameWindowToFront)
{
    QPointer<frmHelp> first = frmHelp::ShowHelp(*area);
    settle();
    TextBox* text = txtHelp(first);
    text->moveCaretToEnd();
    area->setActiveSubWindow(quiz);
    settle();
    ASSERT_NE(area->activeSubWindow(), first->childWindow());

    frmHelp* again = frmHelp::ShowHelp(*area);
    settle();
    EXPECT_EQ(again, first.data());
    EXPECT_EQ(helpWindows(), 1);
    EXPECT_EQ(area->subWindowList().size(), 2);
    EXPECT_EQ(area->activeSubWindow(), first->childWindow());
    EXPECT_EQ(area->subWindowList(QMdiArea::StackingOrder).last(), first->childWindow());
    EXPECT_EQ(text->textCursor().position(), text->document()->characterCount() - 1) << "an open window is kept";
}

TEST_F(HelpWindowTest, EveryWayOfClosingDestroysTheWindow)
{
    const struct {
        const char* how;
        std::function<void(frmHelp*)> close;
    } ways[] = {
        {"click", [](frmHelp* help) { cmdCloseHelp(help)->click(); }},
        {"Alt+H", [](frmHelp*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::AltModifier); }},
        {"Alt+H from the text",
         [](frmHelp* help) {
             txtHelp(help)->setFocus();
             QTest::keyClick(txtHelp(help), Qt::Key_H, Qt::AltModifier);
         }},
        {"Enter", [](frmHelp*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }},
        {"Space", [](frmHelp*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); }},
        {"title bar", [](frmHelp* help) { help->childWindow()->close(); }},
    };
    for (const auto& way : ways) {
        QPointer<frmHelp> help = frmHelp::ShowHelp(*area);
        settle();
        QPointer<QMdiSubWindow> window = help->childWindow();
        ASSERT_EQ(QApplication::focusWidget(), cmdCloseHelp(help)) << way.how;

        way.close(help);
        // An access key clicks its button only after showing it pressed a while.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                return help.isNull();
            },
            5000))
            << way.how;
        EXPECT_EQ(frmHelp::instance(), nullptr) << way.how;
        EXPECT_TRUE(window.isNull()) << way.how;
        EXPECT_EQ(helpWindows(), 0) << way.how;
        EXPECT_EQ(area->subWindowList().size(), 1) << way.how;
        settle();
    }
}

TEST_F(HelpWindowTest, ReopeningStartsAfreshFromTheTop)
{
    QPointer<frmHelp> first = frmHelp::ShowHelp(*area);
    settle();
    TextBox* text = txtHelp(first);
    text->setFocus();
    text->moveCaretToEnd();
    settle();
    ASSERT_GT(text->verticalScrollBar()->value(), 0);
    cmdCloseHelp(first)->click();
    settle();
    ASSERT_TRUE(first.isNull());

    frmHelp* second = frmHelp::ShowHelp(*area);
    settle();
    EXPECT_EQ(helpWindows(), 1);
    EXPECT_EQ(txtHelp(second)->text(), helptext::text());
    EXPECT_EQ(txtHelp(second)->verticalScrollBar()->value(), 0);
    EXPECT_EQ(txtHelp(second)->textCursor().position(), 0);
    EXPECT_EQ(second->childWindow()->pos(), QPoint(0, 0));
    EXPECT_EQ(QApplication::focusWidget(), cmdCloseHelp(second));
}

TEST_F(HelpWindowTest, ShowRightAfterCloseNeverLeavesTwo)
{
    QPointer<frmHelp> first = frmHelp::ShowHelp(*area);
    settle();
    cmdCloseHelp(first)->click();
    // The closed window's deletion is still pending here.
    frmHelp* second = frmHelp::ShowHelp(*area);
    EXPECT_TRUE(first.isNull());
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(helpWindows(), 1);
    EXPECT_EQ(frmHelp::instance(), second);
}

} // namespace
