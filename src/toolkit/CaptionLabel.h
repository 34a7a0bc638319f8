#pragma once

#include <QLabel>

// A label whose caption change raises an event, whoever changes it.
class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption);

signals:
    void Change();
};
