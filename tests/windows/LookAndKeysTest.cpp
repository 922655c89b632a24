#include "Unit_Converting.h"
#include "Unit_Option.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <cmath>
#include <gmock/gmock.h>

namespace {

// The contrast ratio of two colours by the WCAG formula: 1 (none) to 21.
double ContrastRatio(const QColor& A, const QColor& B) {
    const auto Luminance = [](const QColor& Colour) {
        const auto Linear = [](double Channel) {
            return Channel <= 0.03928 ? Channel / 12.92 : std::pow((Channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * Linear(Colour.redF()) + 0.7152 * Linear(Colour.greenF()) +
               0.0722 * Linear(Colour.blueF());
    };
    const double Lighter = std::max(Luminance(A), Luminance(B));
    const double Darker = std::min(Luminance(A), Luminance(B));
    return (Lighter + 0.05) / (Darker + 0.05);
}

// How readable a label is on the window it stands in.
double Readability(QLabel* Label) {
    Label->ensurePolished();
    return ContrastRatio(Label->palette().color(Label->foregroundRole()),
                         Label->window()->palette().color(QPalette::Window));
}

TEST_F(WindowTest, DialogsAndMessageBoxesKeepReadableText) {
    Start();
    frmOption->show();
    for (QLabel* Label : frmOption->findChildren<QLabel*>()) {
        EXPECT_GE(Readability(Label), 4.5) << Label->objectName().toStdString();
        EXPECT_LE(Label->sizeHint().width(), Label->width()) << "clipped";
    }
    double BoxReadability = 0;
    QTimer::singleShot(0, [&] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(Box, nullptr);
        EXPECT_EQ(Box->parentWidget(), FrmMainForm); // a box of the main window
        BoxReadability = Readability(Box->findChild<QLabel*>("qt_msgbox_label"));
        Box->accept();
    });
    QApplication::setActiveWindow(FrmMainForm);
    TQtUserDialogs(System, {}).ShowMessage("This is a read-only path.", TMessageKind::Warning);
    EXPECT_GE(BoxReadability, 4.5);
}

TEST_F(WindowTest, OptionsAndTheNameBoxKeepTheirSizeWithOnlyACloseButton) {
    Start();
    const auto ExpectFixedFrame = [](const QWidget& Dialog) {
        SCOPED_TRACE(Dialog.metaObject()->className());
        const Qt::WindowFlags Flags = Dialog.windowFlags();
        EXPECT_TRUE(Flags & Qt::WindowCloseButtonHint);
        EXPECT_TRUE(Flags & Qt::CustomizeWindowHint) << "the platform would add its buttons";
        EXPECT_FALSE(Flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        EXPECT_EQ(Dialog.minimumSize(), Dialog.maximumSize()) << "a maximise would still work";
    };
    frmOption->show();
    ExpectFixedFrame(*frmOption);
    bool Checked = false;
    QTimer::singleShot(0, [&] {
        QWidget* Box = QApplication::activeModalWidget();
        ASSERT_NE(Box, nullptr);
        ExpectFixedFrame(*Box);
        Checked = true;
        Box->close();
    });
    TQtUserDialogs(System, {}).InputText("Plese input a name", "UserProfileInfo1");
    EXPECT_TRUE(Checked);
}

TEST_F(WindowTest, EveryButtonAndFieldHasANameInWords) {
    Start();
    for (QWidget* Window : std::initializer_list<QWidget*>{FrmMainForm, frmOption, frmConverting})
        for (QWidget* Control : Window->findChildren<QWidget*>()) {
            const bool Operable =
                qobject_cast<QAbstractButton*>(Control) || qobject_cast<QComboBox*>(Control) ||
                qobject_cast<QLineEdit*>(Control) || qobject_cast<QAbstractItemView*>(Control);
            if (!Operable || Control->objectName().isEmpty() ||
                Control->objectName().startsWith("qt_"))
                continue;
            // On this platform a combo box's name is its value; its label names it.
            QAccessibleInterface* Interface = QAccessible::queryAccessibleInterface(Control);
            QString Name = Interface->text(QAccessible::Name);
            for (const auto& [Label, Relation] : Interface->relations(QAccessible::Label))
                Name += " " + Label->text(QAccessible::Name);
            EXPECT_THAT(Name.toStdString(), testing::ContainsRegex("[A-Za-z]{2}"))
                << Control->objectName().toStdString();
        }
}

TEST_F(WindowTest, ClickingACheckBoxCaptionTogglesTheBox) {
    Start();
    const bool Shutdown = Main().chkShutdown->isChecked();
    const bool ShowFolder = Main().chkShowOutputDirectory->isChecked();
    Click(Main().Label1);
    Click(Main().Label2);
    EXPECT_NE(Main().chkShutdown->isChecked(), Shutdown);
    EXPECT_NE(Main().chkShowOutputDirectory->isChecked(), ShowFolder);
}

TEST_F(WindowTest, EveryKeyPressReachesTheShortcutsExactlyOnce) {
    Start();
    QSignalSpy Removes(Main().btnRemoveFile, &QAbstractButton::clicked);
    QSignalSpy Opens(Main().btnOpenFile, &QAbstractButton::clicked);
    QSignalSpy Helps(Main().btnHelp, &QAbstractButton::clicked);
    QWindow* Window = FrmMainForm->windowHandle();
    Main().dxTreeSourceFileInfo->AppendRows(
        {NewSourceRow("a.rm", "1 B", "00:01:00"), NewSourceRow("b.rm", "1 B", "00:01:00")});
    Main().dxTreeSourceFileInfo->setFocus(); // the list takes Ctrl+Down: the key goes no further
    QTest::keyClick(Window, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(Window, Qt::Key_R, Qt::ControlModifier);
    QTest::keyClick(Window, Qt::Key_R, Qt::ControlModifier);
    QTest::keyClick(Window, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    Main().cbbProfile->setFocus();
    const int Profile = Main().cbbProfile->currentIndex();
    QTest::keyClick(Window, Qt::Key_Down); // still goes on to the focused control, once
    EXPECT_EQ(Main().cbbProfile->currentIndex(), Profile + 1);
    QTest::keyClick(Window, Qt::Key_F1, Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_EQ(Removes.count(), 2);
    EXPECT_EQ(Opens.count(), 0);
    EXPECT_EQ(Helps.count(), 1);
}

} // namespace
