#pragma once

#include "app/Form.h"

#include <cstdint>
#include <memory>

class QString;
class frmQ;
namespace Ui {
class frmReport;
}

// The report window: the practise list and the correct list of the tests
// taken, and a copy of the score. It lives, shown or hidden, as long as the
// quiz window.
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

    void cmdClose_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmQ& m_quiz;
    std::unique_ptr<Ui::frmReport> m_ui;
};
