#include "wizard/nwPageFrame2.h"

#include "platform/InputMethod.h"
#include "platform/PlatformUi.h"
#include "wizard/FrameOptDlg.h"
#include "wizard/FramePageText.h"
#include "wizard/WizardFields.h"
#include "wizard/newWizPSheet.h"
#include "wizard/nwPageFrame1.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kHtmlFilter =
    QStringLiteral("HTML Document(*.htm;*.html;*.shtml)|*.htm;*.html;*.shtml|All File(*.*)|*.*||");

// Control ids of each frame: group, size label, size, SRC label, SRC, Browse, NAME label,
// NAME, options.
struct FrameIds {
    int group, sizeLabel, size, srcLabel, src, browse, nameLabel, name, more;
};
constexpr FrameIds kIds[] = {
    {1205, 0, 1209, 0, 1212, 1213, 0, 1214, 1216},
    {1206, 0, 1217, 0, 1220, 1221, 0, 1222, 1224},
    {1207, 1226, 1225, 1227, 1228, 1229, 1231, 1230, 1232},
    {1208, 1234, 1233, 1235, 1236, 1237, 1239, 1238, 1240},
};

QLabel* FrameLabel(const QString& text, QWidget* buddy, int id) {
    QLabel* label = BuddyLabel(text, buddy);
    if (id != 0)
        SetControlId(label, id);
    return label;
}

} // namespace

CnwPageFrame2::CnwPageFrame2(CnewWizPSheet& sheet) : m_sheet(sheet) {
    m_direction = new QLabel(QStringLiteral("分割方向："));
    m_count = new QLabel(QStringLiteral("分割数："));
    SetControlId(m_direction, 1203);
    SetControlId(m_count, 1204);
    auto* labels = new QHBoxLayout;
    labels->addWidget(m_direction);
    labels->addSpacing(24);
    labels->addWidget(m_count);
    labels->addStretch();

    auto* frames = new QGridLayout;
    for (int i = 0; i < kFrames; ++i) {
        Frame& f = m_frames[static_cast<std::size_t>(i)];
        const FrameIds& ids = kIds[i];
        f.group = new QGroupBox(QStringLiteral("フレーム%1(&%1)").arg(i + 1));
        f.size = new QLineEdit;
        f.src = new QLineEdit;
        f.name = new QLineEdit;
        f.browse = new QPushButton(QStringLiteral("参照(&R)"));
        f.more = new QPushButton(QStringLiteral("その他(&E)"));
        f.browse->setAutoDefault(false);
        f.more->setAutoDefault(false);
        for (QLineEdit* field : {f.size, f.src, f.name})
            DetachInputMethod(field);
        // A size is a few digits; the file and frame names take the room, enough to show a
        // name such as "frame_top.html" whole.
        f.size->setMaximumWidth(f.size->fontMetrics().horizontalAdvance(QStringLiteral("0000%")) + 16);
        const int nameWidth = f.src->fontMetrics().horizontalAdvance(QStringLiteral("frame_top.html")) + 12;
        f.src->setMinimumWidth(nameWidth);
        f.name->setMinimumWidth(nameWidth);
        SetControlId(f.group, ids.group);
        SetControlId(f.size, ids.size);
        SetControlId(f.src, ids.src);
        SetControlId(f.browse, ids.browse);
        SetControlId(f.name, ids.name);
        SetControlId(f.more, ids.more);

        auto* grid = new QGridLayout(f.group);
        grid->addWidget(FrameLabel(QStringLiteral("サイズ(&Z)"), f.size, ids.sizeLabel), 0, 0);
        grid->addWidget(f.size, 0, 1);
        grid->addWidget(FrameLabel(QStringLiteral("&SRC"), f.src, ids.srcLabel), 1, 0);
        grid->addWidget(f.src, 1, 1, 1, 2);
        grid->addWidget(f.browse, 1, 3);
        grid->addWidget(FrameLabel(QStringLiteral("&NAME"), f.name, ids.nameLabel), 2, 0);
        grid->addWidget(f.name, 2, 1, 1, 2);
        grid->addWidget(f.more, 2, 3);
        grid->setColumnStretch(2, 1);
        frames->addWidget(f.group, i / 2, i % 2);

        connect(f.browse, &QPushButton::clicked, this, [this, &f] { OnBrowse(f); });
        connect(f.more, &QPushButton::clicked, this, [this, &f] { OnOptions(f); });
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(labels);
    layout->addLayout(frames);
    layout->addStretch();
}

int CnwPageFrame2::nextId() const {
    return -1;
}

void CnwPageFrame2::initializePage() {
    const CnwPageFrame1& first = *m_sheet.PageFrame1();
    const int count = first.Count();
    m_direction->setText(first.Direction() == 1 ? QStringLiteral("分割方向:垂直")
                                                : QStringLiteral("分割方向:水平"));
    m_count->setText(QStringLiteral("分割数:%1").arg(count));
    const bool named = !m_sheet.FilePath().isEmpty();
    for (int i = 0; i < kFrames; ++i) {
        Frame& f = m_frames[static_cast<std::size_t>(i)];
        const bool used = i < count;
        // Disabling the group disables its labels, fields and buttons with it.
        f.group->setEnabled(used);
        f.browse->setEnabled(named && used);
    }
}

void CnwPageFrame2::OnBrowse(Frame& frame) {
    BrowseIntoField(frame.src, m_sheet.FilePath(), kHtmlFilter);
}

void CnwPageFrame2::OnOptions(Frame& frame) {
    CFrameOptDlg dialog(this);
    if (Ui().RunDialog(dialog) == QDialog::Accepted)
        frame.options = dialog.Options();
}

bool CnwPageFrame2::validatePage() {
    const CnwPageFrame1& first = *m_sheet.PageFrame1();
    CFramePageInput in;
    in.direction = first.Direction();
    in.count = first.Count();
    // Only the frames written are encoded, so the user hears only of characters in the page.
    CPageFieldEncoder encode;
    in.title = encode(first.Title());
    for (std::size_t i = 0; i < kFrames; ++i) {
        const Frame& f = m_frames[i];
        const bool used = static_cast<int>(i) < in.count;
        CFrameInput& frame = in.frames[i];
        frame.size = encode(used ? f.size->text() : QString());
        frame.src = encode(used ? f.src->text() : QString());
        frame.name = encode(used ? f.name->text() : QString());
        frame.options = f.options;
    }
    encode.TellUnrepresentable();
    m_sheet.SetGeneratedText(ComposeFramePage(in));
    return true;
}
