#pragma once

#include "toolkit/Form.h"

#include <memory>

class QMdiArea;

namespace Ui {
class frmHelp;
} // namespace Ui

// The help window: the program's built-in instructions. There is never more
// than one; it is built when asked for and destroyed when it is closed, so
// every opening starts from the design again.
class frmHelp : public Form {
    Q_OBJECT
public:
    ~frmHelp() override;

    // Shows the help window, not modal, at the top-left corner of the frame's
    // client area with the focus on its close button; when it is open already,
    // brings it to the front as it stands.
    static frmHelp* ShowHelp(QMdiArea& area);
    // The help window while it is open, else null.
    static frmHelp* instance();

private:
    explicit frmHelp(QWidget* parent = nullptr);

    void cmdCloseHelp_Click();
    // Closed, with its deletion still pending.
    bool unloaded() const;

    std::unique_ptr<Ui::frmHelp> ui;
};
