// SPDX-License-Identifier: GPL-2.0-or-later
// The shell's side of the monitor dialog: the About box from both ways in and its three ways
// out, the observe notice without a server, the icon drawn while minimised, and the window frames.
#include "DialogDriver.h"
#include "EventLoopWait.h"
#include "MessageBoxRecorder.h"
#include "ShownDialogFixture.h"
#include "framework/DialogUnits.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Runs `action` on the About box's window from inside its modal loop, once it is open.
class WhenAboutIsOpen
{
public:
    explicit WhenAboutIsOpen(std::function<void(QWidget& about)> action)
    {
        QObject::connect(&poll, &QTimer::timeout, [this, action] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || modal->windowTitle() != "About Tallyhawk")
                return;
            poll.stop();
            ++opened;
            action(*modal);
        });
        poll.start(5);
    }
    int opened = 0;

private:
    QTimer poll;
};

QPushButton* OkButtonOf(QWidget& about)
{
    for (auto* button : about.findChildren<QPushButton*>()) {
        if (button->text() == "OK")
            return button;
    }
    return nullptr;
}

using MonitorShell = ShownMainWindowFixture<CMonitorDlg>;

// Where the minimised icon lands: the bounding box of what differs from the erased background.
QRect DrawnArea(const QImage& image, QRgb background)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background)
                area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

} // namespace

TEST_F(MonitorShell, AboutOpensFromTheButtonAndTheSystemMenuAndEndsByOkEscapeOrCloseBox)
{
    const std::pair<const char*, std::function<void(CMonitorDlg&)>> waysIn[] = {
        {"About button", [](CMonitorDlg& d) { PressButton(d, kAboutButtonId); }},
        // The low four bits are the platform's own.
        {"system menu", [](CMonitorDlg& d) { d.SendMessage(WM_SYSCOMMAND, kAboutCommand | 3, 0); }},
    };
    const std::pair<const char*, std::function<void(QWidget&)>> waysOut[] = {
        {"OK", [](QWidget& about) { OkButtonOf(about)->click(); }},
        {"Escape", [](QWidget& about) { QTest::keyClick(&about, Qt::Key_Escape); }},
        {"close box", [](QWidget& about) { about.close(); }},
    };
    for (const auto& [inName, openAbout] : waysIn) {
        for (const auto& [outName, closeWay] : waysOut) {
            // Clang 14 lambdas cannot capture structured bindings.
            const std::function<void(QWidget&)>& closeAbout = closeWay;
            SCOPED_TRACE(std::string(inName) + ", then " + outName);
            bool dialogTookInput = true;
            WhenAboutIsOpen about([&](QWidget& box) {
                // Modal over the monitor dialog: the dialog takes no input meanwhile.
                dialogTookInput = QApplication::activeModalWidget() != &box ||
                                  box.parentWidget() != dialog.GetSafeHwnd();
                closeAbout(box);
            });
            openAbout(dialog);
            EXPECT_EQ(about.opened, 1);
            EXPECT_FALSE(dialogTookInput);
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
            EXPECT_FALSE(dialog.Result());
        }
    }
    EXPECT_TRUE(boxes.Records().empty());
}

TEST_F(MonitorShell, AboutBoxIsTemplate100WithAFixedFrame)
{
    QSize size;
    Qt::WindowFlags flags;
    QStringList texts;
    bool okIsDefault = false;
    bool showsIcon = false;
    WhenAboutIsOpen about([&](QWidget& box) {
        size = box.size();
        flags = box.windowFlags();
        for (auto* label : box.findChildren<QLabel*>()) {
            texts << label->text();
            showsIcon = showsIcon || !label->pixmap().isNull();
        }
        okIsDefault = OkButtonOf(box)->isDefault();
        EXPECT_EQ(box.minimumSize(), box.maximumSize());
        OkButtonOf(box)->click();
    });
    PressButton(dialog, kAboutButtonId);

    DialogBaseUnits base = dialog.BaseUnits();
    EXPECT_EQ(size, QSize(DialogUnitsToPixelsX(217, base), DialogUnitsToPixelsY(98, base)));
    EXPECT_TRUE(texts.contains("Tallyhawk Version 1.1 beta"));
    EXPECT_TRUE(okIsDefault);
    EXPECT_TRUE(showsIcon);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST_F(MonitorShell, MonitorDialogKeepsItsSizingFrameAndMinimiseAndMaximiseBoxes)
{
    QWidget* window = dialog.GetSafeHwnd();
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_NE(window->minimumSize(), window->maximumSize());
}

TEST_F(MonitorShell, IconButtonShowsOnlyTheObserveNoticeWithoutAHost)
{
    std::string caption = dialog.GetWindowText();
    SetControlText(dialog, kHostEditId, "");
    PressButton(dialog, kObserveButtonId);
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text,
              "This is Gonna Be an Observe Game Option when I get around to it -Vesk");
    EXPECT_EQ(boxes.Records()[0].caption, "ui_tests");
    EXPECT_EQ(boxes.Records()[0].icon, MessageBoxIcon::Exclamation);
    EXPECT_EQ(dialog.GetWindowText(), caption);
    EXPECT_EQ(Seam(dialog).querySocket, nullptr);
    EXPECT_FALSE(dialog.Result());
}

TEST_F(MonitorShell, IconButtonIsNamedForScreenReadersAndMice)
{
    EXPECT_EQ(Item(kObserveButtonId)->accessibleName(),
              "Observe this server in your QuakeWorld client");
    EXPECT_EQ(Item(kObserveButtonId)->toolTip(), "Observe this server in your QuakeWorld client");
    EXPECT_TRUE(static_cast<QPushButton*>(Item(kObserveButtonId))->text().isEmpty());
}

TEST_F(MonitorShell, MinimisedWindowDrawsTheIconCentredOverAnErasedBackground)
{
    const std::pair<QSize, QPoint> cases[] = {
        {QSize(36, 36), QPoint(2, 2)}, // (36 - 32 + 1) / 2 = 2
        {QSize(37, 40), QPoint(3, 4)}, // (37 - 32 + 1) / 2 = 3, (40 - 32 + 1) / 2 = 4
        {QSize(33, 32), QPoint(1, 0)},
    };
    QWidget* window = dialog.GetSafeHwnd();
    window->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(dialog.IsIconic());
    QRgb background = window->palette().color(QPalette::Window).rgb();
    QImage icon = Seam(dialog).appIcon->pixmap(32, 32).toImage();
    QRect iconOpaque;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (qAlpha(icon.pixel(x, y)) != 0)
                iconOpaque |= QRect(x, y, 1, 1);
        }
    }
    for (const auto& [client, origin] : cases) {
        SCOPED_TRACE(client.width());
        window->resize(client);
        QImage picture(client, QImage::Format_RGB32);
        picture.fill(Qt::black);
        window->render(&picture, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        EXPECT_EQ(DrawnArea(picture, background), iconOpaque.translated(origin));
    }
}

TEST_F(MonitorShell, WindowThatIsNotMinimisedPaintsOnlyItsBackground)
{
    QWidget* window = dialog.GetSafeHwnd();
    window->resize(36, 36);
    QImage picture(window->size(), QImage::Format_RGB32);
    window->render(&picture, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    EXPECT_TRUE(DrawnArea(picture, window->palette().color(QPalette::Window).rgb()).isEmpty());
}
