#include "toolkit/Fonts.h"

#include <QApplication>
#include <QFont>
#include <QString>
#include <QStringList>

namespace {
// The face and size every control of the design has unless it names another.
const QString kDefaultFamily = QStringLiteral("MS Sans Serif");
constexpr double kDefaultPoints = 8.25;
} // namespace

void installDesignFonts()
{
    addBundledFonts();
    // IPA P Gothic is drawn to the character widths of the design's face,
    // which has no bold either: both are made bold by thickening. It opens
    // in a fraction of the time of the CJK collections, which stand behind
    // it for the characters it lacks (Hangul, simplified Chinese).
    const QStringList sans{QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                           QStringLiteral("Noto Sans JP"), QStringLiteral("VL PGothic")};
    const QStringList serif{QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Noto Serif JP"),
                            QStringLiteral("IPAPMincho"), QStringLiteral("Noto Sans CJK JP")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), sans);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"), serif);
    // Narrow faces, so the design's captions fit the rectangles drawn for them.
    QFont::insertSubstitutions(kDefaultFamily, {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                                QStringLiteral("Noto Sans CJK JP")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont font(kDefaultFamily);
    font.setPointSizeF(kDefaultPoints);
    QApplication::setFont(font);
}
