#pragma once

#include "app/MainFrame.h"
#include "editor/WeftpageDoc.h"
#include "editor/WeftpageView.h"
#include "tests/support/EditorFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

#include <memory>

// A shown main frame with its view, on a profile and program folder of the test's own,
// and helpers that find and drive dialog controls by their resource identifiers.
class CFrameFixture : public CEditorFixture {
protected:
    CFrameFixture() {
        ui->SetProgramFolder(m_programDir.path());
        frame = std::make_unique<CMainFrame>(doc, router);
        router.SetTargets({frame->View(), frame.get()});
        frame->View()->InitialUpdate();
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    template <class T> static T* Control(QWidget& window, int id) {
        T* control = window.findChild<T*>(QString::number(id));
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }
    static void Click(QWidget& window, int id) {
        auto* button = Control<QAbstractButton>(window, id);
        ASSERT_TRUE(button->isEnabled()) << "button " << id << " is greyed";
        // A radio or check box takes clicks on its mark and caption only, not on the blank
        // rest of its row.
        const bool marked = qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button);
        QTest::mouseClick(button, Qt::LeftButton, {}, marked ? QPoint(6, button->height() / 2) : QPoint());
    }
    // Lets the window paint, so that first-paint set-ups run.
    static void Paint(QWidget& widget) {
        widget.repaint();
        QApplication::processEvents();
    }

    QTemporaryDir m_programDir;
    CWeftpageDoc doc;
    CCommandRouter router;
    std::unique_ptr<CMainFrame> frame;
};
