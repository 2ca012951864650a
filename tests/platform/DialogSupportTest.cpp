#include "platform/AttributeButton.h"
#include "platform/FirstPaint.h"
#include "platform/InputMethod.h"
#include "platform/NumberText.h"
#include "platform/UpDownEdit.h"

#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <climits>

TEST(NumberText, ReadsALeadingDecimalInteger) {
    EXPECT_EQ(LeadingInteger("007"), 7);
    EXPECT_EQ(LeadingInteger("12px"), 12);
    EXPECT_EQ(LeadingInteger("abc"), 0);
    EXPECT_EQ(LeadingInteger(""), 0);
    EXPECT_EQ(LeadingInteger("  -5"), -5);
    EXPECT_EQ(LeadingInteger("\t+42%"), 42);
    EXPECT_EQ(LeadingInteger("- 5"), 0);
    EXPECT_EQ(LeadingInteger(QStringLiteral("８０")), 0); // full-width digits are not digits here
    EXPECT_EQ(LeadingInteger("99999999999999999999"), INT_MAX);
    EXPECT_EQ(LeadingInteger("-99999999999999999999"), INT_MIN);
}

TEST(FirstPaint, SetsUpOnceOnTheFirstPaintAndNeverAgain) {
    QDialog dialog;
    auto* field = new QLineEdit(&dialog);
    int setUps = 0;
    CFirstPaint* firstPaint = CFirstPaint::Install(&dialog, [&] {
        ++setUps;
        field->setText("default");
    });
    EXPECT_EQ(setUps, 0); // nothing at creation
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QCoreApplication::processEvents();
    EXPECT_EQ(setUps, 1);
    EXPECT_TRUE(firstPaint->Done());
    field->setText("typed by the user");
    dialog.repaint();
    dialog.hide();
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(setUps, 1);
    EXPECT_EQ(field->text(), "typed by the user");
}

TEST(AttributeButton, EnablesItsValueControlsExactlyWhileOn) {
    QWidget parent;
    CAttributeButton button("&width=", &parent);
    QLineEdit field(&parent);
    QLineEdit other(&parent);
    button.SetValueControls({&field, &other});
    EXPECT_TRUE(button.isCheckable());
    EXPECT_FALSE(field.isEnabled());
    button.click();
    EXPECT_TRUE(button.IsOn());
    EXPECT_TRUE(field.isEnabled());
    EXPECT_TRUE(other.isEnabled());
    button.click();
    EXPECT_FALSE(field.isEnabled());
}

TEST(AttributeButton, OnIsDrawnInTheSelectionColour) {
    QWidget parent;
    CAttributeButton button("&width=", &parent);
    button.resize(80, 24);
    const QColor selection = parent.palette().color(QPalette::Highlight);
    // The share of the button's pixels near the selection colour.
    const auto selectionShare = [&] {
        const QImage image = button.grab().toImage();
        int near = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                near += std::abs(c.red() - selection.red()) + std::abs(c.green() - selection.green()) +
                            std::abs(c.blue() - selection.blue()) <
                        60;
            }
        return double(near) / (image.width() * image.height());
    };
    EXPECT_LT(selectionShare(), 0.05);
    button.SetOn(true);
    EXPECT_GT(selectionShare(), 0.5);
    button.SetOn(false);
    EXPECT_LT(selectionShare(), 0.05);
}

TEST(UpDownEdit, ArrowsStepWithinTheRangeButTypingIsFree) {
    CUpDownEdit edit;
    edit.SetRange(1, 10);
    edit.SetText("12px");
    edit.Step(1);
    EXPECT_EQ(edit.Text(), "10"); // arrows keep within the range
    edit.SetText("abc");
    edit.Step(-1);
    EXPECT_EQ(edit.Text(), "1");
    edit.SetText("5000");
    EXPECT_EQ(edit.Text(), "5000");
    edit.SetText("4");
    QTest::keyClick(edit.Field(), Qt::Key_Up);
    EXPECT_EQ(edit.Text(), "5");
    QTest::keyClick(edit.Field(), Qt::Key_Down);
    QTest::keyClick(edit.Field(), Qt::Key_Down);
    EXPECT_EQ(edit.Text(), "3");
}

TEST(InputMethod, DetachedFieldsTakeNoCompositionWhenTheyHaveTheFocus) {
    // The input method is on where the widget with the focus answers so, asked as the
    // platform's input context asks it.
    QWidget window;
    auto* plain = new QLineEdit(&window);
    auto* number = new QLineEdit(&window);
    auto* url = new QComboBox(&window);
    url->setEditable(true);
    DetachInputMethod(number);
    DetachInputMethod(url);
    auto* layout = new QVBoxLayout(&window);
    for (QWidget* w :
         {static_cast<QWidget*>(plain), static_cast<QWidget*>(number), static_cast<QWidget*>(url)})
        layout->addWidget(w);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto enabledIn = [](QWidget* field) {
        field->setFocus();
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QCoreApplication::sendEvent(QGuiApplication::focusObject(), &query);
        return query.value(Qt::ImEnabled).toBool();
    };
    EXPECT_TRUE(enabledIn(plain));
    EXPECT_FALSE(enabledIn(number));
    EXPECT_FALSE(enabledIn(url));
    EXPECT_TRUE(enabledIn(plain));
}
