// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/frmabout.h"

#include "about/separatorline.h"
#include "form/about.h"
#include "version.h"
#include "widgets/applicationtitle.h"
#include "widgets/twips.h"
#include "widgets/utf8.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <array>
#include <vector>

namespace about {

namespace {

using widgets::TwipRect;

// The twip table of the window (left, top, width, height within the client area).
constexpr TwipRect kClient{0, 0, 5730, 3555};
constexpr TwipRect kPicIcon{240, 240, 540, 540};
constexpr TwipRect kLblTitle{1050, 240, 3885, 240};
constexpr TwipRect kLabel2{1050, 480, 3885, 240};
constexpr TwipRect kLblVersion{1050, 780, 3885, 225};
constexpr TwipRect kLblDescription{1050, 1125, 3885, 810};
constexpr TwipRect kLabel1{1050, 2040, 3975, 255};
constexpr TwipRect kLblDisclaimer{255, 2625, 3870, 825};
constexpr TwipRect kCmdOK{4245, 2625, 1260, 345};
constexpr TwipRect kCmdHomepage{4245, 3000, 1260, 345};
// The etched separator, by its end points: grey member 1 above, white member 0 below.
constexpr int kLine1_1Left = 90, kLine1_1Top = 2445;
constexpr int kLine1_0Left = 105, kLine1_0Top = 2460;
constexpr int kLine1Right = 5654;
// The client area's top-left corner on the screen.
constexpr int kScreenLeft = 2340, kScreenTop = 1935;
// The program's icon is a 32 x 32 picture; the picture box takes its size.
constexpr int kIconPixels = 32;
// A push button's frame and margins beside its text, in unscaled pixels: Fusion's, which the
// Windows styles do not exceed (the tests run under both).
constexpr int kButtonBevel = 10;

const QString kCredit = widgets::FromUtf8(form::about::kCredit);
const QString kDescription = widgets::FromUtf8(form::about::kDescription);
const QString kUpdates = widgets::FromUtf8(form::about::kUpdates);
const QString kDisclaimer = widgets::FromUtf8(form::about::kDisclaimer);

enum class Lines { One, Wrapped };

QLabel *MakeLabel(QWidget *parent, const char *name, Lines lines)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(lines == Lines::Wrapped);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

} // namespace

frmAbout::frmAbout() : QDialog(nullptr)
{
    setObjectName(QStringLiteral("frmAbout"));
    // A tool window: a title bar with only the close box, no task-bar entry.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // OK and the close box discard the window; it counts for the program's last-window-closed.
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose);
    setModal(false);
    setSizeGripEnabled(false);

    CreateControls();
    Form_Load();
    LayoutControls();
    cmdOK->setFocus();
}

void frmAbout::CreateControls()
{
    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(windowIcon().pixmap(kIconPixels, kIconPixels)); // the program's icon
    picIcon->setAccessibleName(widgets::ApplicationTitle() + QStringLiteral(" icon"));

    lblTitle = MakeLabel(this, "lblTitle", Lines::One);
    Label2 = MakeLabel(this, "Label2", Lines::One);
    Label2->setText(kCredit);
    lblVersion = MakeLabel(this, "lblVersion", Lines::One);
    lblDescription = MakeLabel(this, "lblDescription", Lines::Wrapped);
    lblDescription->setText(kDescription);
    Label1 = MakeLabel(this, "Label1", Lines::One);
    Label1->setText(kUpdates);

    Line1_1 = new SeparatorLine(QPalette::Shadow, QColor(128, 128, 128), this);
    Line1_1->setObjectName(QStringLiteral("Line1_1"));
    Line1_1->setAccessibleName(QStringLiteral("Separator, upper line"));
    Line1_0 = new SeparatorLine(QPalette::Light, Qt::white, this);
    Line1_0->setObjectName(QStringLiteral("Line1_0"));
    Line1_0->setAccessibleName(QStringLiteral("Separator, lower line"));

    lblDisclaimer = MakeLabel(this, "lblDisclaimer", Lines::Wrapped);
    lblDisclaimer->setText(kDisclaimer);
    InkBlackLabels();

    // Created in tab order: OK first, then Visit Homepage; the labels take no focus.
    cmdOK = new QPushButton(widgets::FromUtf8(form::about::kOK), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setAccessibleName(widgets::FromUtf8(form::about::kOK));
    cmdOK->setAccessibleDescription(widgets::FromUtf8(form::about::kOKDescription));
    cmdHomepage = new QPushButton(widgets::FromUtf8(form::about::kHomepage), this);
    cmdHomepage->setObjectName(QStringLiteral("cmdHomepage"));
    cmdHomepage->setAccessibleName(widgets::FromUtf8(form::about::kHomepage));
    cmdHomepage->setAccessibleDescription(QStringLiteral("Opens ") +
                                          QString::fromUtf8(forgetally::kHomepage) +
                                          QStringLiteral(" in the web browser"));
    setTabOrder(cmdOK, cmdHomepage);

    for (QLabel *label : {Label2, lblDescription, Label1, lblDisclaimer})
        label->setAccessibleName(label->text());

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdHomepage, &QPushButton::clicked, this, &frmAbout::cmdHomepage_Click);
}

void frmAbout::InkBlackLabels()
{
    // Black was meant for a light dialog; on a dark one it would all but vanish, so there these
    // labels take the palette's text colour as the others do.
    QPalette ink; // nothing of its own: the rest follows the window
    if (LightWindow(palette()))
        ink.setColor(QPalette::WindowText, Qt::black);
    for (QLabel *label : {lblTitle, Label2, lblDescription, lblDisclaimer})
        label->setPalette(ink);
}

void frmAbout::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && lblTitle)
        InkBlackLabels();
}

void frmAbout::Form_Load()
{
    const QString title = widgets::ApplicationTitle();
    setWindowTitle(widgets::FromUtf8(form::about::kTitlePrefix) + title);
    lblVersion->setText(widgets::FromUtf8(form::about::kVersionPrefix) +
                        QLatin1String(forgetally::kVersionText));
    lblVersion->setAccessibleName(lblVersion->text());
    lblTitle->setText(title);
    lblTitle->setAccessibleName(title);
}

void frmAbout::LayoutControls()
{
    // The one-line texts set the factor; the two wrapping labels may widen it.
    const std::array<widgets::TextFit, 6> oneLine{{
        {lblTitle->text(), kLblTitle.width, kLblTitle.height},
        {Label2->text(), kLabel2.width, kLabel2.height},
        {lblVersion->text(), kLblVersion.width, kLblVersion.height},
        {Label1->text(), kLabel1.width, kLabel1.height},
        {cmdOK->text(), kCmdOK.width, kCmdOK.height, kButtonBevel},
        {cmdHomepage->text(), kCmdHomepage.width, kCmdHomepage.height, kButtonBevel},
    }};
    const std::array<widgets::WrapFit, 2> wrapped{{
        {lblDescription->text(), kLblDescription},
        {lblDisclaimer->text(), kLblDisclaimer},
    }};
    const widgets::TwipScale scale =
        widgets::TwipScale::ToFit(font(), oneLine).WidenedToWrap(font(), wrapped);
    m_scale = scale.factor();

    const QRect icon = scale.rect(kPicIcon);
    picIcon->setGeometry(QRect(icon.topLeft(), QSize(kIconPixels, kIconPixels)));
    lblTitle->setGeometry(scale.rect(kLblTitle));
    Label2->setGeometry(scale.rect(kLabel2));
    lblVersion->setGeometry(scale.rect(kLblVersion));
    lblDescription->setGeometry(scale.rect(kLblDescription));
    Label1->setGeometry(scale.rect(kLabel1));
    lblDisclaimer->setGeometry(scale.rect(kLblDisclaimer));
    cmdOK->setGeometry(scale.rect(kCmdOK));
    cmdHomepage->setGeometry(scale.rect(kCmdHomepage));

    // Grey with white directly below it: one etched line at any scale. Scaling the twip tops on
    // their own could leave a pixel of background between the two (or merge them).
    const int right = scale.pixels(kLine1Right);
    const int greyTop = scale.pixels(kLine1_1Top);
    const int greyLeft = scale.pixels(kLine1_1Left);
    Line1_1->setGeometry(greyLeft, greyTop, right - greyLeft + 1, 1);
    const int whiteTop = greyTop + (kLine1_0Top - kLine1_1Top) / widgets::kTwipsPerPixel;
    const int whiteLeft = scale.pixels(kLine1_0Left);
    Line1_0->setGeometry(whiteLeft, whiteTop, right - whiteLeft + 1, 2);

    setFixedSize(scale.size(kClient.width, kClient.height));
}

void frmAbout::OpenOver(QWidget *owner)
{
    QWidget *ownerWindow = owner ? owner->window() : nullptr;
    QScreen *screen = ownerWindow ? ownerWindow->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setScreen(screen);
    const QPoint screenOrigin = screen ? screen->geometry().topLeft() : QPoint();
    // The screen position is a distance on the screen, not a text's room: it is not scaled.
    const widgets::TwipScale unscaled;
    setGeometry(QRect(
        screenOrigin + QPoint(unscaled.pixels(kScreenLeft), unscaled.pixels(kScreenTop)), size()));
    if (!ownerWindow || !ownerWindow->isVisible())
        return;
    // Transient for the owner: the window manager keeps it above the owner, where a click on the
    // owner would otherwise bury a window that has no task-bar entry to bring it back.
    winId();
    windowHandle()->setTransientParent(ownerWindow->windowHandle());
    ownerWindow->installEventFilter(this);
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    // The owner closing (not minimised) leaves this window open on its own: a window with a
    // transient parent would not keep the program running. The window system learns of the change
    // only when the window is shown again, and must before the owner's native window goes (on
    // Windows an owned window would go with it).
    if (event->type() == QEvent::Hide && !event->spontaneous()) {
        watched->removeEventFilter(this);
        windowHandle()->setTransientParent(nullptr);
        if (isVisible()) {
            hide();
            show();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdHomepage_Click()
{
    // The desktop's default action for a web address; the result is ignored, as the shell's is.
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(forgetally::kHomepage)));
}

} // namespace about
