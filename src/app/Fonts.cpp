#include "app/Fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

void installFontSubstitutions()
{
    const QStringList sans{QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
                           QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic")};
    const QStringList serif{QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Noto Serif JP"),
                            QStringLiteral("IPAPMincho"), QStringLiteral("Noto Sans CJK JP")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), sans);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"), serif);
}
