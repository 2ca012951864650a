#pragma once

#include "tests/support/FileSizeLimit.h"

#include "platform/HelpBinding.h"
#include "platform/PlatformUi.h"
#include "tests/helplib/FakeHelpLibrary.h"
#include "tests/support/EditorFixture.h"
#include "wizard/newWizPSheet.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QFileDevice>
#include <QTest>
#include <QWidget>
#include <QWizard>

#include <memory>
#include <string>

#include <csignal>
#include <sys/resource.h>

// A control of a dialog or page, found by its resource id.
template <class T> T* Control(const QWidget* window, int id) {
    T* control = window->findChild<T*>(QString::number(id));
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}

// Lets pending paints and posted events happen (first-paint set-ups among them).
inline void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The profile, services and a private program folder, where vuroskel.dat lives.
class CWizardFixture : public CEditorFixture {
protected:
    QString SkeletonPath() const { return DataFilePath(QStringLiteral("vuroskel.dat")); }
    void WriteSkeletons(const std::string& bytes) const { WriteFile(SkeletonPath(), bytes); }
    std::string ReadSkeletons() const { return ReadFile(SkeletonPath()); }
};

// A help library that records what it is asked to show, bound for the life of the object.
// The program folder is set back afterwards, so data files stay in the test's folder.
class CRecordedHelp {
public:
    explicit CRecordedHelp(CScriptedUi& ui) {
        const QString folder = ui.ProgramFolder();
        ui.SetProgramFolder(m_fake.Folder());
        CHelpBinding::Instance().Bind();
        ui.SetProgramFolder(folder);
    }
    ~CRecordedHelp() { CHelpBinding::Instance().Release(); }

    int Calls() { return m_fake.Calls(); }
    QByteArray LastTopic() { return m_fake.LastTopic().value_or("<none>"); }
    int LastCommand() { return m_fake.LastCommand(); }

private:
    CFakeHelpLibrary m_fake{"mode1"};
};

// Presses F1 on the widget that has the focus in window.
inline void PressF1(QWidget* window) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, Qt::Key_F1);
}

// Presses a wizard button as a user would: only a shown and enabled button does anything.
inline void Press(QWizard& wizard, QWizard::WizardButton which) {
    QAbstractButton* button = wizard.button(which);
    EXPECT_TRUE(button->isVisible()) << button->text().toStdString() << " is not shown";
    if (button->isVisible())
        button->click();
    Settle();
}

// A wizard shown on its own (not through the launch command), with a small skeleton
// store in place so that making it says nothing.
class CSheetFixture : public CWizardFixture {
protected:
    static inline const std::string kSkeletons = "top\r\nsimple page\r\n<html>\r\n</html>\r\n&&&&&\r\n";

    CSheetFixture() { WriteSkeletons(kSkeletons); }

    void Open() {
        sheet = std::make_unique<CnewWizPSheet>();
        sheet->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
        Settle();
    }
    QWizardPage* Page(int id) const { return sheet->page(id); }
    // From the first page, with the kind of page chosen by its radio button id.
    void GoTo(int radioId) {
        Control<QAbstractButton>(Page(CnewWizPSheet::kPageTop), radioId)->click();
        Press(*sheet, QWizard::NextButton);
    }

    std::unique_ptr<CnewWizPSheet> sheet;
};
