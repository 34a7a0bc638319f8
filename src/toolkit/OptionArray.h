#pragma once

#include <QObject>
#include <QtContainerFwd>

#include <array>
#include <cstddef>

class QButtonGroup;
class QColor;
class QRadioButton;
class QString;

// The control array Option1(0..4): option buttons addressed by index that can
// be left with none selected and whose look code can change.
class OptionArray : public QObject {
    Q_OBJECT
public:
    static constexpr int Count = 5;

    explicit OptionArray(const std::array<QRadioButton*, Count>& options, QObject* parent = nullptr);

    QRadioButton& operator[](int index) const;

    // Selecting by code raises Click, as a mouse click does.
    void select(int index);
    void clearSelection();
    int selectedIndex() const; // -1 when none is selected

    QString Caption(int index) const;
    // The captions of the first `count` options, in their order.
    QStringList Captions(int count) const;
    void setCaption(int index, const QString& caption);
    QString Tag(int index) const;
    void setTag(int index, const QString& text);

    void setUnderline(int index, bool on);
    void setStrikeOut(int index, bool on);
    void setFontSize(int index, double points);
    void setForeColor(int index, const QColor& color);
    // Back to the platform's button-text colour.
    void resetForeColor(int index);

signals:
    void clicked(int index);

private:
    std::array<QRadioButton*, Count> m_options;
    QButtonGroup* m_group;
};
