#include "uninstall/UninstallDlg.h"

#include "resources/ProgramIcon.h"
#include "resources/UiFont.h"
#include "uninstall/ProfileRemover.h"
#include "uninstall/UninstallAboutDlg.h"
#include "uninstall/UninstallStrings.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString Explanation() {
    using namespace UninstallId;
    return UninstallString(kExplanationStart) + UninstallString(kProductName) +
           UninstallString(kExplanationEnd);
}

// A menu caption such as "uninstall のﾊﾞｰｼﾞｮﾝ情報(&A)..." without its mnemonic and dots.
QString PlainCaption(QString caption) {
    caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    caption.remove(QStringLiteral("..."));
    caption.remove(QLatin1Char('&'));
    return caption.trimmed();
}

} // namespace

CUninstallDlg::CUninstallDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_explanation(new QLineEdit(this)), m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this)) {
    setWindowTitle(QStringLiteral("Brellmoor uninstaller"));
    setWindowIcon(UninstallIcon());

    m_explanation->setReadOnly(true);
    // Wide enough for the whole explanation, so no part of it is scrolled out of sight.
    const int textWidth = m_explanation->fontMetrics().horizontalAdvance(Explanation());
    m_explanation->setMinimumWidth(qMax(372, textWidth + 24));
    m_ok->setDefault(true);
    m_ok->setMinimumWidth(76);
    m_cancel->setMinimumWidth(76);

    auto* buttons = new QHBoxLayout;
    const QString aboutCaption = UninstallString(UninstallId::kAboutItem);
    if (!aboutCaption.isEmpty()) {
        auto* about = new QAction(aboutCaption, this);
        about->setShortcut(QKeySequence(Qt::ALT | Qt::Key_A));
        connect(about, &QAction::triggered, this, &CUninstallDlg::ShowAbout);
        addAction(about);
        setContextMenuPolicy(Qt::ActionsContextMenu);

        auto* help = new QToolButton(this);
        help->setText(QStringLiteral("?"));
        help->setToolTip(PlainCaption(aboutCaption));
        connect(help, &QToolButton::clicked, this, &CUninstallDlg::ShowAbout);
        buttons->addWidget(help);
    }
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addSpacing(8);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(10);
    layout->addWidget(m_explanation);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_ok->setFocus();
    connect(m_ok, &QPushButton::clicked, this, &CUninstallDlg::DeleteProfile);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_message = [this](QMessageBox::Icon icon, const QString& text) {
        MakeMessageBox(this, icon, windowTitle(), text)->exec();
    };
}

// The explanation is put together from the string table whenever the window is painted.
void CUninstallDlg::paintEvent(QPaintEvent* event) {
    const QString text = Explanation();
    if (m_explanation->text() != text) {
        m_explanation->setText(text);
        m_explanation->setCursorPosition(0);
    }
    QDialog::paintEvent(event);
}

std::unique_ptr<QMessageBox> CUninstallDlg::MakeMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                                           const QString& caption, const QString& text) {
    auto box = std::make_unique<QMessageBox>(icon, caption, text, QMessageBox::Ok, owner);
    box->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // The box sizes itself to its text, and a short text left the caption cut short in the
    // title bar. The text's line takes at least the caption's width, a fifth more for a bold
    // title font; the box's icon column leaves room for the title bar's icon and button.
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        const int captionWidth = label->fontMetrics().horizontalAdvance(caption);
        label->setMinimumWidth(captionWidth + captionWidth / 5);
    }
    return box;
}

void CUninstallDlg::UseTemplateFont() {
    PreferJapaneseGlyphs();
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);
}

void CUninstallDlg::DeleteProfile() {
    CProfileRemover remover(UninstallString(UninstallId::kProfileKey));
    if (!remover.Remove()) {
        // The window stays, so the user can put the cause right and try again, or cancel.
        m_message(QMessageBox::Critical, remover.Error());
        return;
    }
    m_message(QMessageBox::Information, QStringLiteral("削除しました。"));
    accept();
}

void CUninstallDlg::ShowAbout() {
    auto* about = new CUninstallAboutDlg(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}
