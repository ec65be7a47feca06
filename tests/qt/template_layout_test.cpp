// The Qt dialogs are laid out from the template data: every control, with its kind, id,
// caption, position, size, focus behaviour and tab order.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <cmath>
#include <string>

#include "platform/qt/check_box.h"
#include "platform/qt/trackbar_slider.h"
#include "recording_behaviour.h"
#include "run_dialog.h"
#include "ui/dialog_templates.h"

namespace tamsel::qt::test {
namespace {

// The base units measured here, independently of the host: the dialog font's average
// width of the 52 letters (rounded to the nearest pixel) and its height.
struct Measured {
    double unitX;
    double unitY;
};

Measured MeasureDialogFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const double average = std::round(metrics.horizontalAdvance(QStringLiteral(
                                          "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                                      52.0);
    return Measured{average / 4.0, metrics.height() / 8.0};
}

int Px(int dialogUnits, double unit) {
    return static_cast<int>(std::floor(dialogUnits * unit + 0.5));
}

QString CaptionOf(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
    return {};
}

bool HasKind(QWidget* widget, ui::ControlKind kind) {
    using K = ui::ControlKind;
    switch (kind) {
        case K::PushButton:  // may be the default for as long as it has the focus
            return qobject_cast<QPushButton*>(widget) != nullptr;
        case K::DefaultPushButton:
            return qobject_cast<QPushButton*>(widget) != nullptr &&
                   qobject_cast<QPushButton*>(widget)->isDefault();
        case K::GroupBox:
            return qobject_cast<QGroupBox*>(widget) != nullptr;
        case K::AutoRadioButton:
            return qobject_cast<QRadioButton*>(widget) != nullptr;
        case K::AutoCheckBox:
            return qobject_cast<CheckBox*>(widget) != nullptr;
        case K::Label:
        case K::Icon:
            return qobject_cast<QLabel*>(widget) != nullptr;
        case K::Trackbar: {
            auto* slider = qobject_cast<TrackbarSlider*>(widget);
            return slider != nullptr && slider->orientation() == Qt::Horizontal &&
                   slider->tickPosition() == QSlider::NoTicks;
        }
        case K::Edit:
            return qobject_cast<QLineEdit*>(widget) != nullptr &&
                   qobject_cast<QLineEdit*>(widget)->isReadOnly() &&
                   qobject_cast<QLineEdit*>(widget)->hasFrame();
    }
    return false;
}

class TemplateLayout : public ::testing::TestWithParam<int> {};

TEST_P(TemplateLayout, EveryControlHasItsKindIdCaptionAndPlace) {
    const ui::DialogTemplate& dialogTemplate = *ui::FindDialogTemplate(GetParam());
    RecordingBehaviour behaviour(GetParam());
    RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
        const Measured unit = MeasureDialogFont(dialog.font());
        EXPECT_EQ(dialog.size(), QSize(Px(dialogTemplate.width, unit.unitX),
                                       Px(dialogTemplate.height, unit.unitY)));
        EXPECT_EQ(dialog.windowTitle().toStdWString(), std::wstring(dialogTemplate.caption));

        const auto& widgets = dialog.ControlsInTemplateOrder();
        ASSERT_EQ(widgets.size(), dialogTemplate.controls.size());
        for (std::size_t i = 0; i < widgets.size(); ++i) {
            const ui::ControlTemplate& control = dialogTemplate.controls[i];
            QWidget* widget = widgets[i];
            SCOPED_TRACE("control #" + std::to_string(i + 1) + " id " + std::to_string(control.id));
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(widget->parentWidget(), &dialog);  // siblings, group boxes included
            EXPECT_TRUE(HasKind(widget, control.kind));
            EXPECT_EQ(widget->property("tamselControlId").toInt(), control.id);
            if (control.id != ui::IDC_STATIC) {
                EXPECT_EQ(dialog.Control(control.id), widget);
            }
            EXPECT_EQ(CaptionOf(widget).toStdWString(), std::wstring(control.caption));
            const QPoint topLeft(Px(control.x, unit.unitX), Px(control.y, unit.unitY));
            EXPECT_EQ(widget->pos(), topLeft);
            if (control.kind != ui::ControlKind::Icon) {
                EXPECT_EQ(widget->size(),
                          QSize(Px(control.width, unit.unitX), Px(control.height, unit.unitY)));
            }
        }
    });
}

TEST_P(TemplateLayout, TabStopsFollowTemplateOrderAndOnlyThemTakeTab) {
    const ui::DialogTemplate& dialogTemplate = *ui::FindDialogTemplate(GetParam());
    RecordingBehaviour behaviour(GetParam());
    RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
        std::vector<QWidget*> expected;
        for (std::size_t i = 0; i < dialogTemplate.controls.size(); ++i) {
            QWidget* widget = dialog.ControlsInTemplateOrder()[i];
            const bool tabStop = (dialogTemplate.controls[i].style & ui::kWsTabStop) != 0;
            EXPECT_EQ((widget->focusPolicy() & Qt::TabFocus) != 0, tabStop)
                << "control #" << i + 1 << " id " << dialogTemplate.controls[i].id;
            if (tabStop) expected.push_back(widget);
        }
        ASSERT_FALSE(expected.empty());
        // Walk Qt's focus chain from the first tab stop and keep the tab stops.
        std::vector<QWidget*> chain{expected.front()};
        for (QWidget* next = expected.front()->nextInFocusChain(); next != expected.front();
             next = next->nextInFocusChain()) {
            if ((next->focusPolicy() & Qt::TabFocus) != 0 && next->parentWidget() == &dialog) {
                chain.push_back(next);
            }
        }
        EXPECT_EQ(chain, expected);
    });
}

INSTANTIATE_TEST_SUITE_P(MainAndAbout, TemplateLayout,
                         ::testing::Values(ui::IDD_TAMSEL_DIALOG, ui::IDD_ABOUTBOX));

TEST(DialogWindow, HasTheShellFontAtEightPointsAndNoMinimiseOrMaximiseBox) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
        EXPECT_EQ(dialog.font().family(),
                  QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
        EXPECT_EQ(dialog.font().pointSize(), 8);
        const Qt::WindowFlags flags = dialog.windowFlags();
        EXPECT_TRUE(flags & Qt::WindowTitleHint);
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
        EXPECT_FALSE(flags & Qt::WindowContextHelpButtonHint);
        // Fixed size: the frame can't be dragged bigger or smaller.
        EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    });
}

TEST(DialogWindow, OnlyTheFocusedPushButtonIsTheDefault) {
    // The main template has no default push button: the default look follows the focus
    // among the push buttons and is gone when the focus is elsewhere.
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
        auto isDefault = [&](int id) {
            return qobject_cast<QPushButton*>(dialog.Control(id))->isDefault();
        };
        Pump(20);
        EXPECT_TRUE(dialog.Control(ui::IDC_SET_TIME)->hasFocus());
        EXPECT_TRUE(isDefault(ui::IDC_SET_TIME));
        dialog.Control(ui::IDC_SET_COLOR)->setFocus();
        EXPECT_FALSE(isDefault(ui::IDC_SET_TIME));
        EXPECT_TRUE(isDefault(ui::IDC_SET_COLOR));
        dialog.Control(ui::IDC_SLIDER_HUE)->setFocus();
        for (int id :
             {ui::IDC_SET_TIME, ui::IDC_SET_QUALITY, ui::IDC_SET_COLOR, ui::IDC_SET_VOLUME}) {
            EXPECT_FALSE(isDefault(id)) << id;
        }
    });
}

TEST(DialogWindow, VersionLabelIsRightAlignedAndPlainLabelsAreLeftAligned) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
        auto* version = qobject_cast<QLabel*>(dialog.Control(ui::IDC_VERSION));
        auto* time = qobject_cast<QLabel*>(dialog.Control(ui::IDC_TIME));
        ASSERT_NE(version, nullptr);
        ASSERT_NE(time, nullptr);
        EXPECT_TRUE(version->alignment() & Qt::AlignRight);
        EXPECT_TRUE(time->alignment() & Qt::AlignLeft);
    });
}

TEST(DialogWindow, GroupBoxesLieBehindTheControlsTheyFrame) {
    RecordingBehaviour behaviour;
    RunDialog(behaviour, [&](QtDialogHost&, TemplateDialog& dialog) {
        // The volume group box comes after its sliders in the template; a click on a
        // slider must still reach the slider.
        QWidget* aux = dialog.Control(ui::IDC_SLIDER_AUX);
        const QPoint middle = aux->geometry().center();
        EXPECT_EQ(dialog.childAt(middle), aux);
        QWidget* mute = dialog.Control(ui::IDC_MUTE_MIC);
        EXPECT_EQ(dialog.childAt(mute->geometry().center()), mute);
    });
}

}  // namespace
}  // namespace tamsel::qt::test
