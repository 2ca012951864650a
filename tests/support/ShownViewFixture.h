#pragma once

#include "editor/WeftpageDoc.h"
#include "editor/WeftpageView.h"
#include "tests/support/EditorFixture.h"

#include <QTest>

#include <memory>

// A view on screen over its document, set up as at start-up, with its caption followed.
class CShownViewFixture : public CEditorFixture {
protected:
    CShownViewFixture() {
        view = std::make_unique<CWeftpageView>(doc);
        QObject::connect(view.get(), &CWeftpageView::CaptionChanged,
                         [this](const QString& c) { caption = c; });
        view->resize(400, 300);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->InitialUpdate();
        view->setFocus();
    }

    void Type(const QString& text) { QTest::keyClicks(view.get(), text); }

    CWeftpageDoc doc;
    std::unique_ptr<CWeftpageView> view;
    QString caption;
};
