#include "wizard/newWizPSheet.h"

#include "editor/NamingState.h"
#include "platform/HelpBinding.h"
#include "platform/HelpKeyFilter.h"
#include "platform/HelpTopics.h"
#include "wizard/nwPageFrame1.h"
#include "wizard/nwPageFrame2.h"
#include "wizard/nwPageNorm1.h"
#include "wizard/nwPageNorm2.h"
#include "wizard/nwPageSkel.h"
#include "wizard/nwPageTop.h"

#include <algorithm>

CnewWizPSheet::CnewWizPSheet(QWidget* parent) : QWizard(parent) {
    setWindowTitle(QStringLiteral("新規作成"));
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::HaveHelpButton, true);
    setButtonText(QWizard::BackButton, QStringLiteral("< 戻る(&B)"));
    setButtonText(QWizard::NextButton, QStringLiteral("次へ(&N) >"));
    setButtonText(QWizard::FinishButton, QStringLiteral("完了"));
    setButtonText(QWizard::CancelButton, QStringLiteral("キャンセル"));
    setButtonText(QWizard::HelpButton, QStringLiteral("ヘルプ"));
    setButtonLayout({QWizard::Stretch, QWizard::BackButton, QWizard::NextButton, QWizard::FinishButton,
                     QWizard::CancelButton, QWizard::HelpButton});

    const QString normal = QStringLiteral("新規作成 - 通常のページ");
    const QString frame = QStringLiteral("新規作成 - フレームページ");
    // Every page is made with the sheet; the skeleton page reads the store right away.
    m_top = new CnwPageTop(*this);
    m_norm1 = new CnwPageNorm1(*this);
    m_norm2 = new CnwPageNorm2(*this);
    m_skel = new CnwPageSkel(*this);
    m_frame1 = new CnwPageFrame1(*this);
    m_frame2 = new CnwPageFrame2(*this);
    AddPage(kPageTop, m_top, QStringLiteral("新規作成"), kHelpTopicWizardTop);
    AddPage(kPageNorm1, m_norm1, normal, kHelpTopicWizardNorm1);
    AddPage(kPageNorm2, m_norm2, normal, kHelpTopicWizardNorm2);
    AddPage(kPageSkel, m_skel, QStringLiteral("新規作成 - スケルトンの選択"), kHelpTopicWizardSkeleton);
    AddPage(kPageFrame1, m_frame1, frame, kHelpTopicWizardFrame1);
    AddPage(kPageFrame2, m_frame2, frame, kHelpTopicWizardFrame2);
    setStartId(kPageTop);

    connect(this, &QWizard::currentIdChanged, this, &CnewWizPSheet::ShowCaptionOf);
    connect(this, &QWizard::helpRequested, this,
            [this] { CHelpBinding::Instance().ShowTopic(ActiveHelpTopic()); });
    CHelpKeyFilter::Install(this, [this] { return ActiveHelpTopic(); });
}

void CnewWizPSheet::AddPage(int id, QWizardPage* page, const QString& caption, const char* helpTopic) {
    setPage(id, page);
    m_pageIds.push_back(id);
    m_captions.append(caption);
    m_helpTopics.emplace_back(helpTopic);
}

void CnewWizPSheet::SetChosenFile(const QString& path) {
    const CNamingState naming = CNamingState::FromPath(path);
    m_fileTitle = naming.fileTitle;
    m_fileExtension = naming.fileExtension;
}

QByteArray CnewWizPSheet::ActiveHelpTopic() const {
    const auto it = std::find(m_pageIds.begin(), m_pageIds.end(), currentId());
    if (it == m_pageIds.end())
        return m_helpTopics.front();
    return m_helpTopics[static_cast<std::size_t>(it - m_pageIds.begin())];
}

void CnewWizPSheet::ShowCaptionOf(int id) {
    const auto it = std::find(m_pageIds.begin(), m_pageIds.end(), id);
    if (it != m_pageIds.end())
        setWindowTitle(m_captions[it - m_pageIds.begin()]);
}
