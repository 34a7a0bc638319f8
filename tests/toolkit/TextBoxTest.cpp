#include "toolkit/TextBox.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

QString chars(std::initializer_list<char16_t> units)
{
    QString text;
    for (const char16_t unit : units)
        text += QChar(unit);
    return text;
}

// What a field may hold besides ordinary text: characters the document treats
// as breaks or frame markers, and others that are easy to lose on the way.
struct Special {
    const char* name;
    QString text;
};

const std::vector<Special>& specials()
{
    static const std::vector<Special> all = {
        {"lone LF", chars({u'\n'})},
        {"lone CR", chars({u'\r'})},
        {"U+2028 line separator", chars({0x2028})},
        {"U+2029 paragraph separator", chars({0x2029})},
        {"U+FDD0 frame start", chars({0xFDD0})},
        {"U+FDD1 frame end", chars({0xFDD1})},
        {"NUL", chars({0x0000})},
        {"no-break space", chars({0x00A0})},
        {"U+FEFF", chars({0xFEFF})},
        {"tab", chars({u'\t'})},
        {"VT", chars({0x000B})},
        {"FF", chars({0x000C})},
        {"NEL", chars({0x0085})},
        {"object replacement", chars({0xFFFC})},
        {"replacement", chars({0xFFFD})},
        {"surrogate pair", chars({0xD83D, 0xDE00})},
        {"CJK", QStringLiteral("言")},
    };
    return all;
}

// The lines of a text as the quiz window appends them: each up to and with
// its CR LF.
std::vector<QString> wholeLines(const QString& text)
{
    std::vector<QString> lines;
    qsizetype start = 0;
    for (qsizetype end = text.indexOf(QStringLiteral("\r\n")); end >= 0;
         end = text.indexOf(QStringLiteral("\r\n"), start)) {
        lines.push_back(text.mid(start, end + 2 - start));
        start = end + 2;
    }
    if (start < text.size())
        lines.push_back(text.mid(start));
    return lines;
}

// Readable in a failure message: every character outside printable ASCII as
// its code.
std::string escaped(const QString& text)
{
    std::string out;
    for (const QChar ch : text) {
        if (ch.unicode() >= 0x20 && ch.unicode() < 0x7F)
            out += static_cast<char>(ch.unicode());
        else
            out += QStringLiteral("<%1>").arg(ch.unicode(), 4, 16, QLatin1Char('0')).toStdString();
    }
    return out;
}

void expectReadsBack(const QString& text, const std::vector<QString>& appends, const std::string& what)
{
    TextBox set;
    set.setText(text);
    EXPECT_EQ(escaped(set.text()), escaped(text)) << what << ", set";
    EXPECT_EQ(set.textCursor().position(), 0) << what << ", set";

    TextBox appended;
    for (const QString& part : appends)
        appended.appendText(part);
    EXPECT_EQ(escaped(appended.text()), escaped(text)) << what << ", appended";
    EXPECT_EQ(appended.textCursor().position(), appended.document()->characterCount() - 1)
        << what << ", the caret is at the end";
}

TEST(TextBox, ReadsBackCrLfLinesAndLoneLfExactly)
{
    const QString samples[] = {
        QStringLiteral("apple,ringo\r\n"),
        QStringLiteral("a,b\r\nc,d\r\n"),
        QStringLiteral("one\nlong,line\nwith lone LFs\r\n"),
        QStringLiteral("\r\n\r\n"),
        QStringLiteral("\"x\",\"yz\"\r\nらべる (比べる),compare\r\n"),
        QStringLiteral("no break at the end"),
        QString(),
    };
    for (const QString& text : samples)
        expectReadsBack(text, wholeLines(text), escaped(text));
}

TEST(TextBox, EachSpecialCharacterInAFieldReadsBackExactly)
{
    for (const Special& s : specials()) {
        const QString c = s.text;
        const QString texts[] = {
            QStringLiteral("q") + c + QStringLiteral("q,a\r\n"),
            c + QStringLiteral(",answer\r\n"),
            QStringLiteral("question,") + c + QStringLiteral("\r\n"),
            QStringLiteral("x,y\r\n") + c + c + QStringLiteral(",") + c + QStringLiteral("\r\nz,w\r\n"),
            QStringLiteral("q,a") + c,
            c,
        };
        for (const QString& text : texts)
            expectReadsBack(text, wholeLines(text), std::string(s.name) + " in " + escaped(text));
    }
}

TEST(TextBox, ALoneCrReadsBackAsCr)
{
    const QString texts[] = {
        QStringLiteral("a\r,b\r\n"),
        QStringLiteral("a\r\r\n"),
        QStringLiteral("\r\r\r\n\r"),
        QStringLiteral("a\n\r,b\r\n"),
    };
    for (const QString& text : texts)
        expectReadsBack(text, wholeLines(text), escaped(text));
    // A CR LF torn across two appends still reads back as one.
    expectReadsBack(QStringLiteral("a,b\r\nc,d\r\n"), {QStringLiteral("a,b\r"), QStringLiteral("\nc,d\r\n")},
                    "torn CR LF");
}

// Any text, set at once, appended as whole lines, or appended in pieces cut
// anywhere (even inside a CR LF or a surrogate pair), reads back as it was.
TEST(TextBox, RandomTextsReadBackExactly)
{
    std::vector<QString> alphabet = {QStringLiteral("a"), QStringLiteral("Z"),  QStringLiteral(" "),
                                     QStringLiteral(","), QStringLiteral("\""), QStringLiteral("ら")};
    for (const Special& s : specials())
        alphabet.push_back(s.text);
    std::mt19937 random(20240611);
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    auto field = [&] {
        QString text;
        for (int n = below(7); n > 0; --n)
            text += alphabet[static_cast<std::size_t>(below(static_cast<int>(alphabet.size())))];
        return text;
    };
    for (int round = 0; round < 300; ++round) {
        QString text;
        for (int lines = below(12); lines > 0; --lines)
            text += field() + QStringLiteral(",") + field() + QStringLiteral("\r\n");
        if (below(4) == 0)
            text += field();
        std::vector<QString> pieces;
        for (qsizetype at = 0; at < text.size();) {
            const qsizetype length = 1 + below(8);
            pieces.push_back(text.mid(at, length));
            at += length;
        }
        const std::string what = "round " + std::to_string(round) + ": " + escaped(text);
        expectReadsBack(text, wholeLines(text), what + ", whole lines");
        expectReadsBack(text, pieces, what + ", in pieces");
    }
}

// Appends are in the document at once, for every reader, the accessibility
// bridge included; their layout waits until the box receives anything. The
// text, caret and, once laid out, the scroll position are those that laying
// out each append at once gives: here a box laid out after every append.
TEST(TextBox, HeldAppendsReadAsIfEachWereLaidOutAtOnce)
{
    std::vector<QString> plain, special;
    for (int i = 1; i <= 120; ++i) {
        plain.push_back(QStringLiteral("question %1 that wraps past the edge of the box,answer %1\r\n").arg(i));
        special.push_back(QStringLiteral("q%1\n(x)") + QChar(0x2028) + QStringLiteral(",a%1\r").arg(i));
        special.push_back(QStringLiteral("\n"));
    }
    using Step = std::function<void(TextBox&)>;
    const Step nothing = [](TextBox&) {};
    const Step show = [](TextBox& b) { b.show(); };
    const Step turn = [](TextBox& b) {
        b.show();
        QCoreApplication::processEvents();
    };
    const Step frame = [](TextBox&) { QTest::qWait(50); };
    const Step resizeThenShow = [](TextBox& b) {
        b.resize(200, 60);
        b.show();
    };
    const Step typeAtEnd = [](TextBox& b) {
        b.show();
        QApplication::setActiveWindow(&b);
        b.setFocus();
        QTest::keyClicks(&b, QStringLiteral("z"));
    };
    const struct {
        const char* what;
        const std::vector<QString>& lines;
        bool shownWhileAppending;
        Step after;
        Step midway = [](TextBox&) {};
    } cases[] = {
        {"hidden, read", plain, false, nothing},
        {"hidden, then shown", plain, false, show},
        {"hidden, then shown and a turn of the event loop", plain, false, turn},
        {"hidden, resized and shown", plain, false, resizeThenShow},
        {"hidden, then typed into", plain, false, typeAtEnd},
        {"hidden, lines the box keeps apart, CR and LF torn", special, false, show},
        {"shown, read in the same turn", plain, true, nothing},
        {"shown, after a turn", plain, true, turn},
        {"shown, resized", plain, true, resizeThenShow},
        {"shown, typed into", plain, true, typeAtEnd},
        {"shown, lines the box keeps apart, CR and LF torn", special, true, turn},
        {"shown, full after a turn midway, read in the next", plain, true, nothing, turn},
        {"shown, full after a turn midway, read after a turn", plain, true, turn, turn},
        {"shown, full after a turn midway, read after a frame", plain, true, frame, turn},
    };
    // One box at a time, so that no window of another case covers it.
    const auto observe = [](const std::vector<QString>& lines, bool shown, const Step& midway, const Step& after,
                            bool readEach) {
        TextBox box;
        box.resize(290, 117);
        if (shown)
            box.show();
        for (const QString& line : lines) {
            if (&line == &lines[lines.size() / 2])
                midway(box);
            box.appendText(line);
            if (readEach)
                box.layOutHeld();
        }
        after(box);
        // Read as the base class and the screen reader's bridge read it.
        const QPlainTextEdit& base = box;
        QAccessibleInterface* const accessible = QAccessible::queryAccessibleInterface(&box);
        const QString seen = accessible->textInterface()->text(0, accessible->textInterface()->characterCount());
        const int caret = base.textCursor().position();
        const QString text = base.toPlainText();
        EXPECT_EQ(seen, base.document()->toRawText().replace(QChar::ParagraphSeparator, u'\n'))
            << "the accessible text";
        EXPECT_EQ(caret, base.document()->characterCount() - 1) << "the caret follows the held lines";
        box.layOutHeld();
        // Read again once laid out, as the bridge does on the change: a read
        // lays out the lines it touches, which Qt's layout otherwise leaves
        // until they are shown, and that read did so in the first box alone.
        accessible->textInterface()->text(0, accessible->textInterface()->characterCount());
        return std::tuple{escaped(box.text()),
                          text,
                          caret,
                          base.verticalScrollBar()->value(),
                          base.verticalScrollBar()->maximum(),
                          base.horizontalScrollBar()->value()};
    };
    for (const auto& c : cases) {
        const auto stepwise = observe(c.lines, c.shownWhileAppending, c.midway, c.after, true);
        const auto held = observe(c.lines, c.shownWhileAppending, c.midway, c.after, false);
        EXPECT_EQ(std::get<0>(held), std::get<0>(stepwise)) << c.what;
        EXPECT_EQ(std::get<1>(held), std::get<1>(stepwise)) << c.what;
        EXPECT_EQ(std::get<2>(held), std::get<2>(stepwise)) << c.what << ": the caret";
        EXPECT_EQ(std::get<3>(held), std::get<3>(stepwise)) << c.what << ": the scroll position";
        EXPECT_EQ(std::get<4>(held), std::get<4>(stepwise)) << c.what << ": the scroll range";
        EXPECT_EQ(std::get<5>(held), std::get<5>(stepwise)) << c.what << ": the sideways scroll position";
        EXPECT_GT(std::get<3>(held), 0) << c.what << ": the newest line is in view";
    }
}

// Held appends reach the document's listeners and the box's signals, and
// through them the accessibility bridge, when they are laid out: once, as one
// edit of all of them. Appends replaced or edited over by then are not told.
TEST(TextBox, HeldAppendsAreToldAsOneEdit)
{
    const struct {
        const char* what;
        std::function<void(TextBox&)> before;
        std::vector<std::string> signalled;
        QString text;
    } cases[] = {
        {"laid out",
         [](TextBox&) {},
         {"contents 6 0 8", "caret", "text", "blocks 4"},
         QStringLiteral("first\r\na,b\r\nc\nd\r\n")},
        {"replaced", [](TextBox& b) { b.setText(QStringLiteral("x")); }, {}, QStringLiteral("x")},
        {"edited by the base",
         [](TextBox& b) { static_cast<QPlainTextEdit&>(b).setPlainText(QStringLiteral("y")); },
         {},
         QStringLiteral("y")},
    };
    for (const auto& c : cases) {
        TextBox box;
        box.setText(QStringLiteral("first\r\n"));
        box.moveCaretToEnd();
        std::vector<std::string> signalled;
        QObject::connect(box.document(), &QTextDocument::contentsChange, [&](int from, int removed, int added) {
            signalled.push_back("contents " + std::to_string(from) + " " + std::to_string(removed) + " " +
                                std::to_string(added));
        });
        QObject::connect(&box, &QPlainTextEdit::cursorPositionChanged, [&] { signalled.push_back("caret"); });
        QObject::connect(&box, &QPlainTextEdit::textChanged, [&] { signalled.push_back("text"); });
        QObject::connect(&box, &QPlainTextEdit::blockCountChanged,
                         [&](int blocks) { signalled.push_back("blocks " + std::to_string(blocks)); });
        box.appendText(QStringLiteral("a,b\r\n"));
        box.appendText(QStringLiteral("c\nd\r\n"));
        EXPECT_EQ(signalled, std::vector<std::string>{}) << c.what << ": nothing told before the layout";
        c.before(box);
        signalled.clear();
        box.layOutHeld();
        EXPECT_EQ(signalled, c.signalled) << c.what;
        EXPECT_EQ(escaped(box.text()), escaped(c.text)) << c.what;
    }
}

// A box on screen with the focus, as the user meets it.
// A box shown with the focus, and a copy of its text kept from the edits it
// tells (and the appends it is given, which it does not tell): the copy must
// end as the box's text.
struct ShownBox {
    explicit ShownBox(const QString& text) : copy(text.split(QStringLiteral("\r\n")))
    {
        QObject::connect(&box, &TextBox::paragraphsEdited, [this](int first, int removed, const QStringList& edited) {
            ASSERT_TRUE(first >= 0 && removed >= 0 && first + removed <= copy.size()) << first << " " << removed;
            copy.remove(first, removed);
            for (qsizetype i = 0; i < edited.size(); ++i)
                copy.insert(first + i, edited.at(i));
        });
        box.resize(300, 200);
        box.setText(text);
        box.show();
        QApplication::setActiveWindow(&box);
        box.setFocus();
        QCoreApplication::processEvents();
    }
    ~ShownBox() { expectCopyInStep(); }
    void expectCopyInStep() const
    {
        EXPECT_EQ(escaped(copy.join(QStringLiteral("\r\n"))), escaped(box.text())) << "the copy of the told edits";
    }
    void append(const QString& text)
    {
        const QStringList pieces = text.split(QStringLiteral("\r\n"));
        copy.last() += pieces.first();
        copy.append(pieces.mid(1));
        box.appendText(text);
    }
    void putCaret(int position)
    {
        QTextCursor cursor = box.textCursor();
        cursor.setPosition(position);
        box.setTextCursor(cursor);
    }
    TextBox box;
    QStringList copy;
};

// What the user types reads back as it looks: Enter and Shift+Enter make a
// line break (CR LF), and nothing typed next to a character the box keeps
// apart takes over its meaning.
TEST(TextBox, TypingNextToASpecialCharacterReadsBackAsTyped)
{
    using Keys = std::function<void(TextBox&)>;
    const Keys typeXy = [](TextBox& b) { QTest::keyClicks(&b, QStringLiteral("xy")); };
    const Keys enter = [](TextBox& b) { QTest::keyClick(&b, Qt::Key_Return); };
    const Keys shiftEnter = [](TextBox& b) { QTest::keyClick(&b, Qt::Key_Return, Qt::ShiftModifier); };
    const Keys shiftEnterThenZ = [](TextBox& b) {
        QTest::keyClick(&b, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(&b, Qt::Key_Z);
    };
    const Keys enterThenShiftEnter = [](TextBox& b) {
        QTest::keyClick(&b, Qt::Key_Return);
        QTest::keyClick(&b, Qt::Key_Return, Qt::ShiftModifier);
    };
    const Keys selectRightThen = [](TextBox& b) { QTest::keyClick(&b, Qt::Key_Right, Qt::ShiftModifier); };
    const Keys backspace = [](TextBox& b) { QTest::keyClick(&b, Qt::Key_Backspace); };
    const Keys pasteLines = [](TextBox& b) {
        QApplication::clipboard()->setText(QStringLiteral("p\nq") + QChar(0x2028) + QStringLiteral("r"));
        b.paste();
    };

    for (const char16_t unit : {u'\n', u'\r', char16_t(0x2028), char16_t(0x2029), char16_t(0xFDD0), char16_t(0xFDD1)}) {
        const QString c(QChar{unit});
        // "q" c ",a" CR LF c "b,c" CR LF: the first c at position 1, the
        // second line from position 5.
        const QString text = QStringLiteral("q") + c + QStringLiteral(",a\r\n") + c + QStringLiteral("b,c\r\n");
        const struct {
            const char* what;
            int caret;
            std::vector<Keys> keys;
            QString expected;
        } cases[] = {
            {"typed after it", 2, {typeXy}, QStringLiteral("q") + c + QStringLiteral("xy,a\r\n") + c + "b,c\r\n"},
            {"Enter after it", 2, {enter}, QStringLiteral("q") + c + QStringLiteral("\r\n,a\r\n") + c + "b,c\r\n"},
            {"Shift+Enter after it",
             2,
             {shiftEnter},
             QStringLiteral("q") + c + QStringLiteral("\r\n,a\r\n") + c + "b,c\r\n"},
            {"Shift+Enter and z after it",
             2,
             {shiftEnterThenZ},
             QStringLiteral("q") + c + QStringLiteral("\r\nz,a\r\n") + c + "b,c\r\n"},
            {"Enter, Shift+Enter after it",
             2,
             {enterThenShiftEnter},
             QStringLiteral("q") + c + QStringLiteral("\r\n\r\n,a\r\n") + c + "b,c\r\n"},
            {"typed before it at a line start",
             5,
             {typeXy},
             QStringLiteral("q") + c + QStringLiteral(",a\r\nxy") + c + "b,c\r\n"},
            {"Shift+Enter before it at a line start",
             5,
             {shiftEnter},
             QStringLiteral("q") + c + QStringLiteral(",a\r\n\r\n") + c + "b,c\r\n"},
            {"typed after it at a line start",
             6,
             {typeXy},
             QStringLiteral("q") + c + QStringLiteral(",a\r\n") + c + "xyb,c\r\n"},
            {"typed over it", 1, {selectRightThen, typeXy}, QStringLiteral("qxy,a\r\n") + c + "b,c\r\n"},
            {"Shift+Enter over it", 1, {selectRightThen, shiftEnter}, QStringLiteral("q\r\n,a\r\n") + c + "b,c\r\n"},
            {"deleted", 2, {backspace}, QStringLiteral("q,a\r\n") + c + "b,c\r\n"},
            {"plain text pasted after it",
             2,
             {pasteLines},
             QStringLiteral("q") + c + QStringLiteral("p\r\nq\r\nr,a\r\n") + c + "b,c\r\n"},
        };
        for (const auto& k : cases) {
            ShownBox shown(text);
            shown.putCaret(k.caret);
            for (const Keys& keys : k.keys)
                keys(shown.box);
            EXPECT_EQ(escaped(shown.box.text()), escaped(k.expected)) << k.what << ", " << escaped(c);
        }
    }
}

TEST(TextBox, TypingInAnEmptyBoxAndAfterAppendedLines)
{
    ShownBox shown{QString()};
    QTest::keyClicks(&shown.box, QStringLiteral("a,b"));
    QTest::keyClick(&shown.box, Qt::Key_Return);
    QTest::keyClicks(&shown.box, QStringLiteral("c"));
    QTest::keyClick(&shown.box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&shown.box, QStringLiteral("d,e"));
    EXPECT_EQ(escaped(shown.box.text()), escaped(QStringLiteral("a,b\r\nc\r\nd,e")));

    shown.append(QStringLiteral("\r\nf\ng,h") + QChar(0x2029));
    QTest::keyClicks(&shown.box, QStringLiteral("i"));
    QTest::keyClick(&shown.box, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(escaped(shown.box.text()),
              escaped(QStringLiteral("a,b\r\nc\r\nd,e\r\nf\ng,h") + QChar(0x2029) + QStringLiteral("i\r\n")));
}

// Whatever the user does to the text, the edits the box tells keep a copy of
// it in step: typing, line breaks, deleting across lines, pastes of both
// kinds, and the program's appends held while the box is hidden.
TEST(TextBox, ToldEditsKeepACopyInStep)
{
    std::mt19937 random(20261209);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const std::vector<QString> pieces = {QStringLiteral("a,b"), QStringLiteral("\r\n"), QStringLiteral("\n"),
                                         QStringLiteral("\r"),  QString(QChar(0x2028)), QString(QChar(0x2029)),
                                         QStringLiteral("言"),  QString(QChar(0xFDD0))};
    const auto someText = [&] {
        QString text;
        for (int n = pick(5); n >= 0; --n)
            text += pieces[pick(static_cast<int>(pieces.size()))];
        return text;
    };
    ShownBox shown(QStringLiteral("q,a\r\nw\nx,b\r\n"));
    TextBox& box = shown.box;
    for (int step = 0; step < 400; ++step) {
        const int end = box.document()->characterCount() - 1;
        QTextCursor cursor = box.textCursor();
        cursor.setPosition(pick(end + 1));
        cursor.setPosition(std::min(end, cursor.position() + pick(3) * pick(12)), QTextCursor::KeepAnchor);
        box.setTextCursor(cursor);
        switch (pick(9)) {
        case 0:
            QTest::keyClicks(&box, QStringLiteral("xy"));
            break;
        case 1:
            QTest::keyClick(&box, Qt::Key_Return);
            break;
        case 2:
            QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
            break;
        case 3:
            QTest::keyClick(&box, Qt::Key_Backspace);
            break;
        case 4:
            QTest::keyClick(&box, Qt::Key_Delete);
            break;
        case 5: // a copy of the box's own, then pasted elsewhere
            box.copy();
            shown.putCaret(pick(end + 1));
            box.paste();
            break;
        case 6:
            QApplication::clipboard()->setText(someText());
            box.paste();
            break;
        case 7:
            shown.append(someText() + QStringLiteral("\r\n"));
            break;
        default: // appends held by a hidden box, then an edit
            box.hide();
            shown.append(someText());
            shown.append(QStringLiteral("c,d\r\n"));
            box.show();
            QTest::keyClick(&box, Qt::Key_Backspace);
            break;
        }
        shown.expectCopyInStep();
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "at step " << step;
            return;
        }
    }
}

// Cut and paste between the two lists moves an item unchanged.
TEST(TextBox, CopyAndPasteBetweenBoxesKeepsTheCharacters)
{
    const QString item = QStringLiteral("a\nb") + QChar(0x2028) + QChar(0x00A0) + QChar(0xFDD0) + QStringLiteral(",c") +
                         QChar(0x2029) + QStringLiteral("\rd\r\n");
    ShownBox from(QStringLiteral("x,y\r\n") + item + QStringLiteral("z,w\r\n"));
    QTextCursor cursor = from.box.textCursor();
    cursor.setPosition(4); // the second line
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    from.box.setTextCursor(cursor);
    from.box.cut();
    EXPECT_EQ(escaped(from.box.text()), escaped(QStringLiteral("x,y\r\nz,w\r\n")));

    ShownBox to(QStringLiteral("1,2\r\n"));
    to.box.moveCaretToEnd();
    to.box.paste();
    EXPECT_EQ(escaped(to.box.text()), escaped(QStringLiteral("1,2\r\n") + item));
}

// A box that cuts long pasted lines cuts each at the limit, never inside a
// surrogate pair, from plain text and from a list's own copy alike.
TEST(TextBox, LongPastedLinesAreCutAtTheLimit)
{
    const QString pair = QStringLiteral("\U0001F415");
    for (const bool exact : {false, true}) {
        SCOPED_TRACE(exact ? "a list's own copy" : "plain text");
        const QString pasted =
            QString(100000, u'x') + QStringLiteral("\nshort\r\n") + QString(4, u'y') + pair + QStringLiteral("z");
        ShownBox box{QString()};
        box.box.setLongestPastedLine(5);
        if (exact) {
            ShownBox from(pasted);
            from.box.selectAll();
            from.box.copy();
        } else {
            QGuiApplication::clipboard()->setText(pasted);
        }
        box.box.paste();
        // Plain text's LF is a line break of the box; its own copy keeps it.
        EXPECT_EQ(escaped(box.box.text()),
                  escaped(exact ? QStringLiteral("xxxxx\nshort\r\nyyyy") : QStringLiteral("xxxxx\r\nshort\r\nyyyy")));
    }
}

// Line breaks show as line breaks; a frame marker, which has no look of its
// own, shows as the replacement character.
TEST(TextBox, HowSpecialCharactersLook)
{
    const struct {
        QString text;
        QString seen;
    } cases[] = {
        {QStringLiteral("a,b\r\nc,d\r\n"), QStringLiteral("a,b\nc,d\n")},
        {QStringLiteral("a\nb,c\r\n"), QStringLiteral("a\nb,c\n")},
        {QStringLiteral("a\rb,c"), QStringLiteral("a\nb,c")},
        {QStringLiteral("a") + QChar(0x2028) + QStringLiteral("b") + QChar(0x2029) + QStringLiteral("c"),
         QStringLiteral("a\nb\nc")},
        {QStringLiteral("a") + QChar(0xFDD0) + QStringLiteral("b") + QChar(0xFDD1), QStringLiteral("a\uFFFDb\uFFFD")},
        {QStringLiteral("a\tb") + QChar(0xFEFF) + QStringLiteral("言"), QStringLiteral("a\tb\uFEFF言")},
    };
    for (const auto& c : cases) {
        ShownBox shown(c.text);
        EXPECT_EQ(escaped(shown.box.document()->toPlainText()), escaped(c.seen)) << escaped(c.text);
    }

    QString all;
    for (const Special& s : specials())
        all += QStringLiteral("q") + s.text + QStringLiteral(",a\r\n");
    ShownBox shown(all);
    EXPECT_FALSE(shown.box.grab().isNull()) << "every special character can be drawn";
}

} // namespace
