#include "toolkit/OptionArray.h"

#include "toolkit/Tag.h"

#include <QButtonGroup>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRadioButton>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cassert>

OptionArray::OptionArray(const std::array<QRadioButton*, Count>& options, QObject* parent)
    : QObject(parent), m_options(options), m_group(new QButtonGroup(this))
{
    // An exclusive group rather than switching auto-exclusivity off: the
    // buttons stay radio buttons to the keyboard's arrow keys and to a screen
    // reader, and clearSelection lifts the exclusivity for a moment.
    for (int i = 0; i < Count; ++i) {
        m_group->addButton(m_options[i], i);
        connect(m_options[i], &QRadioButton::clicked, this, [this, i] { select(i); });
    }
}

QRadioButton& OptionArray::operator[](int index) const
{
    assert(index >= 0 && index < Count);
    return *m_options[static_cast<std::size_t>(index)];
}

void OptionArray::select(int index)
{
    if (index >= 0 && index < Count)
        (*this)[index].setChecked(true);
    else
        clearSelection();
    emit clicked(index);
}

void OptionArray::clearSelection()
{
    // An exclusive group refuses to uncheck its checked button.
    m_group->setExclusive(false);
    for (QRadioButton* option : m_options)
        option->setChecked(false);
    m_group->setExclusive(true);
}

int OptionArray::selectedIndex() const
{
    for (int i = 0; i < Count; ++i)
        if ((*this)[i].isChecked())
            return i;
    return -1;
}

QString OptionArray::Caption(int index) const
{
    return (*this)[index].text();
}

QStringList OptionArray::Captions(int count) const
{
    QStringList captions;
    for (int index = 0; index < count; ++index)
        captions.append(Caption(index));
    return captions;
}

void OptionArray::setCaption(int index, const QString& caption)
{
    (*this)[index].setText(caption);
}

QString OptionArray::Tag(int index) const
{
    return tag::get((*this)[index]);
}

void OptionArray::setTag(int index, const QString& text)
{
    tag::set((*this)[index], text);
}

// The quiz window sets every option's look back on every question, and
// setting a font or palette costs a resolve against the application's even
// when nothing changes: a setting the option already holds is skipped.
namespace {

// Applies `change` to the option's font unless the font already holds the
// property as `matches` says.
template <class Matches, class Change>
void changeFont(QRadioButton& option, QFont::ResolveProperties property, Matches matches, Change change)
{
    QFont font = option.font();
    if ((font.resolveMask() & property) != 0 && matches(font))
        return;
    change(font);
    option.setFont(font);
}

bool holds(const QPalette& palette, QPalette::ColorGroup group, const QColor& color)
{
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText})
        if (!palette.isBrushSet(group, role) || palette.color(group, role) != color)
            return false;
    return true;
}

} // namespace

void OptionArray::setUnderline(int index, bool on)
{
    changeFont((*this)[index], QFont::UnderlineResolved, [on](const QFont& f) { return f.underline() == on; },
               [on](QFont& f) { f.setUnderline(on); });
}

void OptionArray::setStrikeOut(int index, bool on)
{
    changeFont((*this)[index], QFont::StrikeOutResolved, [on](const QFont& f) { return f.strikeOut() == on; },
               [on](QFont& f) { f.setStrikeOut(on); });
}

void OptionArray::setFontSize(int index, double points)
{
    changeFont((*this)[index], QFont::SizeResolved, [points](const QFont& f) { return f.pointSizeF() == points; },
               [points](QFont& f) { f.setPointSizeF(points); });
}

void OptionArray::setForeColor(int index, const QColor& color)
{
    // A disabled option keeps the grey text that says it cannot be chosen.
    QPalette palette = (*this)[index].palette();
    if (holds(palette, QPalette::Active, color) && holds(palette, QPalette::Inactive, color))
        return;
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, color);
        palette.setColor(group, QPalette::ButtonText, color);
    }
    (*this)[index].setPalette(palette);
}

void OptionArray::resetForeColor(int index)
{
    QRadioButton& option = (*this)[index];
    QPalette palette = option.palette();
    const QPalette standard = option.parentWidget() ? option.parentWidget()->palette() : QPalette();
    const auto groups = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};
    if (std::all_of(groups.begin(), groups.end(), [&](QPalette::ColorGroup group) {
            return holds(palette, group, standard.color(group, QPalette::ButtonText));
        }))
        return;
    for (const auto group : groups) {
        palette.setColor(group, QPalette::WindowText, standard.color(group, QPalette::ButtonText));
        palette.setColor(group, QPalette::ButtonText, standard.color(group, QPalette::ButtonText));
    }
    option.setPalette(palette);
}
