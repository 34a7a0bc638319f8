#include "help/frmHelp.h"

#include "help/HelpText.h"
#include "toolkit/Accessibility.h"
#include "toolkit/AppIcon.h"
#include "toolkit/ChildWindow.h"
#include "ui_frmHelp.h"

#include <QFont>
#include <QMdiArea>
#include <QPalette>
#include <QPointer>
#include <QPushButton>

namespace {

QPointer<frmHelp>& current()
{
    static QPointer<frmHelp> help;
    return help;
}

} // namespace

frmHelp::frmHelp(QWidget* parent) : Form(parent), ui(std::make_unique<Ui::frmHelp>())
{
    ui->setupUi(this);
    setWindowIcon(appIcon());
    // The panel behind the text takes the system's window background, whatever
    // the theme; a design file can only hold fixed colours.
    ui->Label1->setBackgroundRole(QPalette::Base);
    // A design file holds whole point sizes only.
    QFont labelFont = ui->Label5->font();
    labelFont.setPointSizeF(9.75);
    ui->Label5->setFont(labelFont);
    ui->Label5->setText(ui->Label5->text() + helptext::contactAddress());
    ui->txtHelp->setText(helptext::text());
    accessibility::hideFromTree(*ui->Label1); // a panel drawn behind the text

    connect(ui->cmdCloseHelp, &QPushButton::clicked, this, &frmHelp::cmdCloseHelp_Click);
}

frmHelp::~frmHelp() = default;

frmHelp* frmHelp::ShowHelp(QMdiArea& area)
{
    QPointer<frmHelp>& help = current();
    // A window closed in this same turn of the event loop is gone for the user
    // already; finish it now so that two never exist side by side.
    if (help && help->unloaded()) {
        if (help->childWindow())
            delete help->childWindow();
        else
            delete help.data();
    }
    if (help) {
        help->showForm();
        return help;
    }

    help = new frmHelp;
    help->attachTo(area, BorderStyle::FixedDialog);
    ChildWindow* window = help->childWindow();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(help->windowTitle());
    window->setWindowIcon(help->windowIcon());
    window->setFixedSize(window->sizeHint());
    help->moveTwips(0, 0);
    help->showForm();
    help->ui->cmdCloseHelp->setFocus();
    return help;
}

frmHelp* frmHelp::instance()
{
    const QPointer<frmHelp>& help = current();
    return help && !help->unloaded() ? help.data() : nullptr;
}

bool frmHelp::unloaded() const
{
    return !childWindow() || childWindow()->isHidden();
}

void frmHelp::cmdCloseHelp_Click()
{
    // Closing the child window deletes it with the form inside, as the title
    // bar's close button does.
    childWindow()->close();
}
