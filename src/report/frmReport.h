#pragma once

#include "toolkit/Form.h"

#include <QPointF>

#include <cstdint>
#include <memory>

class QString;
class TextBox;
class frmQ;
namespace Ui {
class frmReport;
}

// The report window: the practise list and the correct list of the tests
// taken, and a copy of the score. It lives, shown or hidden, as long as the
// quiz window. It saves each list as a quiz file beside the loaded one, stands
// docked below the quiz window or fills the frame, and is moved by dragging
// its background, having no title bar.
class frmReport : public Form {
    Q_OBJECT
public:
    explicit frmReport(frmQ& quiz);
    ~frmReport() override;

    void Form_Load();

    // Directly below the quiz window, 22 twips over its bottom edge.
    void PlaceBelowQuiz();

    void appendPractise(const QString& text);
    void appendAnsweredCorrect(const QString& text);
    void setReportCaption(const QString& caption);

    Ui::frmReport& ui() { return *m_ui; }

    bool bDocked = false;
    std::int16_t iMinHeight = 4275;
    bool bSkipResize = true;
    bool bFullScreen = false;

    // Handlers, named after their control and event.
    void cmdClose_Click();
    void cmdDock_Click();
    void cmdFullScreen_Click();
    void cmdSaveTODO_Click();
    void cmdSaveCorrect_Click();
    void Form_Resize();
    // Button is the state of the mouse buttons during a move over the window's
    // background after a press there.
    void Form_MouseMove(Qt::MouseButtons Button, const QPointF& globalPosition);

    // The result files.
    QString ResultFileName(const QString& suffix) const;
    bool FileExists(const QString& Fname) const;
    void SaveText(const TextBox& Lst, const QString& file);

protected:
    void closeEvent(QCloseEvent* event) override;
    void Resize() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void connectHandlers();
    void saveList(const TextBox& Lst, const QString& suffix);
    void showSaveError(const QString& description);
    void layOutControls();

    frmQ& m_quiz;
    std::unique_ptr<Ui::frmReport> m_ui;
    // The last press landed on the window's own background, not on a control.
    bool m_pressOnBackground = false;
    QPointF m_pressGlobal;
};
