#pragma once

#include <QMainWindow>

#include <memory>

class QMdiArea;
class RandomSource;
class frmQ;
struct Platform;
namespace Ui {
class MDIForm1;
}

// The frame window: fills the desktop's work area and holds the quiz, report
// and help windows in its client area.
class MDIForm1 : public QMainWindow {
    Q_OBJECT
public:
    MDIForm1(Platform& platform, RandomSource& generator);
    ~MDIForm1() override;

    // Start-up, before the frame becomes visible.
    void MDIForm_Load();
    void MDIForm_Resize();

    QString Caption() const;
    // The client area in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;
    QMdiArea& mdiArea();
    frmQ& quiz() { return *m_quiz; }

    bool bSkipResize = false;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void fitOuterSize();

    Platform& m_platform;
    RandomSource& m_generator;
    std::unique_ptr<Ui::MDIForm1> m_ui;
    frmQ* m_quiz = nullptr;
    QSize m_outerSize; // pixels, decorations included
    bool m_outerFitted = false;
};
