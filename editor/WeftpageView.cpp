#include "editor/WeftpageView.h"

#include "editor/DocumentFile.h"
#include "editor/EncodingCheck.h"
#include "editor/FindReplaceDlg.h"
#include "editor/PageLookCommands.h"
#include "editor/PreviewCommands.h"
#include "editor/TextCommands.h"
#include "editor/ViewRules.h"
#include "editor/WeftpageDoc.h"
#include "platform/Cp932.h"
#include "platform/FileName.h"
#include "platform/FontRecord.h"
#include "platform/PageText.h"
#include "platform/PlatformUi.h"
#include "platform/Profile.h"
#include "platform/ProfileSettings.h"
#include "platform/SafeFileWriter.h"
#include "resources/CommandIds.h"
#include "resources/MenuTable.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace {

const QString kOpenFilter =
    QStringLiteral("HTML Document(*.htm;*.html;*.shtml)|*.htm;*.html;*.shtml|All File(*.*)|*.*||");
const QString kSaveFilter = QStringLiteral(
    "HTML Document(*.html)|*.html|HTML Document(*.htm)|*.htm|SHTML Document(*.shtml)|*.shtml||");

} // namespace

const std::string CWeftpageView::kDefaultPage =
    "<html><head>\r\n<title></title>\r\n</head>\r\n<body>\r\n\r\n</body></html>";

CWeftpageView::CWeftpageView(CWeftpageDoc& doc, QWidget* parent) : CEditControl(parent), m_doc(doc) {
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    m_scrollTimer.setInterval(200);
    connect(&m_scrollTimer, &QTimer::timeout, this, [this] { LineScroll(m_scrollStep); });
    connect(this, &CEditControl::Changed, this, &CWeftpageView::OnTextChanged);
    connect(this, &CEditControl::UnrepresentableCharacters, this, &CWeftpageView::OnUnrepresentable);
    SetEditorFont(ProfileFont());
    RegisterCommands();
    RegisterTextCommands(*this);
    RegisterPreviewCommands(*this);
    RegisterPageLookCommands(*this);
}

CWeftpageView::~CWeftpageView() {
    RemovePreviewCopy();
}

void CWeftpageView::RegisterCommands() {
    using namespace Cmd;
    auto needSelection = [this](CCommandState& s) { s.enabled = HasSelection(); };
    auto needText = [this](CCommandState& s) { s.enabled = TextLength() > 0; };
    OnCommand(kFileNew, [this] { OnFileNew(); });
    OnCommand(kFileBlank, [this] { OnFileBlank(); });
    OnCommand(kFileOpen, [this] { OnFileOpen(); });
    OnCommand(kFileSave, [this] { OnFileSave(); });
    OnCommand(kFileSaveAs, [this] { OnFileSaveAs(); });
    OnCommand(
        kEditUndo, [this] { OnEditUndo(); }, [this](CCommandState& s) { s.enabled = m_undo.CanUndo(); });
    OnCommand(
        kEditRedo, [this] { OnEditRedo(); }, [this](CCommandState& s) { s.enabled = m_undo.CanRedo(); });
    OnCommand(
        kEditCut, [this] { Cut(); }, needSelection);
    OnCommand(
        kEditCopy, [this] { Copy(); }, needSelection);
    OnCommand(
        kEditPaste, [this] { Paste(); }, [this](CCommandState& s) { s.enabled = CanPaste(); });
    OnCommand(
        kEditSelectAll, [this] { SelectAll(); }, needText);
    OnCommand(
        kEditFind, [this] { OnEditFind(); }, needText);
    OnCommand(
        kEditReplace, [this] { OnEditReplace(); }, needText);
}

int CWeftpageView::ProfileTabStops() {
    return ProfileSettings::TabStop();
}

QFont CWeftpageView::ProfileFont() {
    const auto block = ProfileSettings::FontBlock();
    if (block) {
        if (const auto record = FontRecord::Unpack(*block))
            return FontRecord::ToQFont(*record);
    }
    return FontRecord::ToQFont(FontRecord::DefaultEditorFont());
}

void CWeftpageView::ApplyProfileTabStops() {
    SetTabStops(ProfileTabStops());
}
void CWeftpageView::ApplyProfileFont() {
    SetEditorFont(ProfileFont());
}

void CWeftpageView::SetCaption(const QString& caption) {
    emit CaptionChanged(caption);
}

void CWeftpageView::ShowDefaultPage() {
    ApplyProfileTabStops();
    ApplyProfileFont();
    SetText(kDefaultPage);
    SetSel(kDefaultCaret, kDefaultCaret);
    // The preview copy path is left for RemovePreviewCopy, which deletes the old copy.
    m_naming.fileExtension = QStringLiteral("html");
    m_naming.filePath.clear();
    m_naming.fileTitle = CNamingState::Unnamed().fileTitle;
    RememberDiskState({});
    SetCaption(m_naming.OpenedCaption());
    ResetUndoHistory();
}

bool CWeftpageView::InitialUpdate(const QString& commandLine) {
    ShowDefaultPage();
    const bool first = m_firstSetUp;
    m_firstSetUp = false;
    if (!first || commandLine.isEmpty())
        return true;
    QString path = commandLine;
    path.remove(QLatin1Char('"'));
    // A name relative to the current folder becomes a full path, as the caption, the
    // preview copy and the recent-file list need.
    path = FileName::AbsolutePath(path);
    if (!LoadFile(path))
        return false;
    RemovePreviewCopy();
    m_doc.SetModifiedFlag(false);
    m_naming = CNamingState::FromPath(path);
    SetCaption(m_naming.OpenedCaption());
    ResetUndoHistory();
    return true;
}

bool CWeftpageView::LoadFile(const QString& path) {
    const CFileStamp before = CFileStamp::Of(path);
    SafeFile::BufferResult r = SafeFile::ReadBuffer(path);
    if (!r.ok) {
        Ui().Ask(r.error, CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
        return false;
    }
    // The encoding check reads only the head; the bytes themselves become the text's storage.
    const std::string head(r.bytes.View().substr(0, EncodingCheck::kHeadBytes));
    const bool complete = head.size() == r.bytes.Size();
    SetTextAdopting(std::move(r.bytes));
    SetSel(0, 0);
    // A file rewritten while it was read is taken as unknown, so the next check asks.
    const CFileStamp after = CFileStamp::Of(path);
    RememberDiskState(after == before ? after : CFileStamp{});
    TellIfNotShiftJis(head, complete);
    TellOfLeftBackups(path);
    return true;
}

void CWeftpageView::TellOfLeftBackups(const QString& path) {
    for (const QString& backup : SafeFile::LeftBackups(path)) {
        Ui().Ask(QStringLiteral("%1 の保存が前回途中で終わりました。\n保存する前の内容は %2 に残っています。")
                     .arg(FileName::ForDisplay(path), FileName::ForDisplay(backup)),
                 CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
    }
}

void CWeftpageView::TellIfNotShiftJis(std::string_view bytes, bool complete) {
    if (const auto warning = EncodingCheck::Warning(EncodingCheck::Examine(bytes, complete)))
        Ui().Ask(*warning, CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
}

void CWeftpageView::ApplyLooks() {
    SetStyleProvider(m_styler.Colouring() || m_styler.Marking() ? &m_styler : nullptr);
}

void CWeftpageView::ShowStatusMessage(const QString& text) {
    emit StatusMessage(text);
}

void CWeftpageView::ResetUndoHistory() {
    m_undo.Reset(Snapshot());
}

void CWeftpageView::OnTextChanged() {
    m_doc.SetModifiedFlag(true);
    m_undo.Record(Snapshot());
}

void CWeftpageView::OnUnrepresentable(const QString& characters) {
    TellUnrepresentable(characters);
}

bool CWeftpageView::AskSaveChanges() {
    if (!m_doc.IsModified())
        return true;
    const auto answer =
        Ui().Ask(FileName::ForDisplay(m_naming.FileName()) + QStringLiteral("への変更を保存しますか？"),
                 CPlatformUi::Buttons::YesNoCancel, CPlatformUi::Icon::Question, 3);
    if (answer == CPlatformUi::Answer::Cancel)
        return false;
    if (answer == CPlatformUi::Answer::Yes)
        return SaveDocument();
    return true;
}

bool CWeftpageView::SaveDocument() {
    if (m_naming.filePath.isEmpty()) {
        const auto chosen = Ui().AskFileName(SaveRequest());
        if (!chosen)
            return false;
        m_naming = CNamingState::FromPath(*chosen);
        // The name is taken now, whatever follows (a failed write, an Open then cancelled):
        // the caption shows it at once.
        SetCaption(m_naming.OpenedCaption());
        if (!MayOverwrite(m_naming.filePath, false))
            return false;
    } else if (!MayOverwrite(m_naming.filePath, true)) {
        return false;
    }
    const auto result = DocumentFile::Write(m_naming.filePath, Snapshot());
    if (!result.ok) {
        Ui().Ask(result.error, CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
        return false;
    }
    RememberDiskState(result.stamp);
    m_doc.SetModifiedFlag(false);
    return true;
}

bool CWeftpageView::MayOverwrite(const QString& path, bool sameFile) {
    const CFileStamp now = CFileStamp::Of(path);
    if (!now.exists)
        return true;
    if (sameFile && m_diskStamp.exists && now != m_diskStamp) {
        m_askedStamp = now;
        const auto answer =
            Ui().Ask(FileName::ForDisplay(path) +
                         QStringLiteral(" は、開いた後にほかのプログラムによって変更されています。\n"
                                        "上書きすると、その変更は失われます。上書きしますか？"),
                     CPlatformUi::Buttons::YesNo, CPlatformUi::Icon::Warning, 2);
        if (answer != CPlatformUi::Answer::Yes)
            return false;
    }
    if (SafeFile::IsReadOnlyForUser(path)) {
        const auto answer =
            Ui().Ask(FileName::ForDisplay(path) + QStringLiteral(" は読み取り専用です。上書きしますか？"),
                     CPlatformUi::Buttons::YesNo, CPlatformUi::Icon::Question, 2);
        if (answer != CPlatformUi::Answer::Yes)
            return false;
    }
    return true;
}

void CWeftpageView::RememberDiskState(const CFileStamp& stamp) {
    m_diskStamp = stamp;
    m_askedStamp = stamp;
    m_diskText = stamp.exists ? CSnapshotMark(Snapshot()) : CSnapshotMark();
}

bool CWeftpageView::TextIsOnDisk() const {
    return m_diskText.Marks(Snapshot());
}

void CWeftpageView::CheckExternalChange() {
    if (m_checkingDisk || m_naming.filePath.isEmpty() || !m_diskStamp.exists)
        return;
    const CFileStamp now = CFileStamp::Of(m_naming.filePath);
    // A file that is gone is written again by the next save; nothing to reload.
    if (!now.exists || now == m_diskStamp || now == m_askedStamp)
        return;
    m_askedStamp = now;
    m_checkingDisk = true;
    const bool modified = m_doc.IsModified();
    QString text = FileName::ForDisplay(m_naming.filePath) +
                   QStringLiteral(" は、ほかのプログラムによって変更されました。\n");
    if (modified)
        text += QStringLiteral("再読み込みすると、編集中の変更は失われます。");
    text += QStringLiteral("再読み込みしますか？");
    const auto answer =
        Ui().Ask(text, CPlatformUi::Buttons::YesNo, CPlatformUi::Icon::Question, modified ? 2 : 1);
    if (answer == CPlatformUi::Answer::Yes)
        OpenFileByPath(m_naming.filePath, false);
    m_checkingDisk = false;
}

void CWeftpageView::RemovePreviewCopy() {
    m_previewCopy.Remove(m_naming.previewCopyPath);
    m_naming.previewCopyPath.clear();
}

void CWeftpageView::OnFileNew() {
    if (!AskSaveChanges())
        return;
    ShowDefaultPage();
    m_doc.SetModifiedFlag(false);
    RemovePreviewCopy();
}

void CWeftpageView::OnFileBlank() {
    if (!AskSaveChanges())
        return;
    RemovePreviewCopy();
    SetText(std::string_view());
    m_doc.SetModifiedFlag(false);
    m_naming = CNamingState::Unnamed();
    RememberDiskState({});
    SetCaption(m_naming.OpenedCaption());
    ResetUndoHistory();
}

void CWeftpageView::OnFileOpen() {
    if (!AskSaveChanges())
        return;
    CPlatformUi::FileDialog request;
    request.filter = kOpenFilter;
    request.defaultExtension = QStringLiteral("html");
    request.mustExist = true;
    if (!m_naming.filePath.isEmpty())
        request.initialFolder = QFileInfo(m_naming.filePath).absolutePath();
    const auto chosen = Ui().AskFileName(request);
    if (chosen)
        OpenFileByPath(*chosen, false);
}

void CWeftpageView::OpenFileByPath(const QString& path) {
    OpenFileByPath(path, true);
}

void CWeftpageView::OpenFileByPath(const QString& path, bool askFirst) {
    if (askFirst && !AskSaveChanges())
        return;
    if (!LoadFile(path))
        return;
    RemovePreviewCopy();
    m_doc.SetModifiedFlag(false);
    m_naming = CNamingState::FromPath(path);
    SetCaption(m_naming.OpenedCaption());
    ResetUndoHistory();
}

void CWeftpageView::TakeOverGeneratedPage(const std::string& text, const QString& path) {
    SetText(text);
    RemovePreviewCopy();
    m_naming = path.isEmpty() ? CNamingState::Unnamed() : CNamingState::FromPath(path);
    RememberDiskState({});
    // A composed page exists nowhere else, named or not: the save question protects it.
    m_doc.SetModifiedFlag(true);
    SetCaption(m_naming.OpenedCaption());
    ResetUndoHistory();
}

void CWeftpageView::RestoreRecoveredText(const std::string& text, const QString& path) {
    SetText(text);
    SetSel(0, 0);
    RemovePreviewCopy();
    m_naming = path.isEmpty() ? CNamingState::Unnamed() : CNamingState::FromPath(path);
    m_doc.SetModifiedFlag(true);
    SetCaption(m_naming.OpenedCaption());
    ResetUndoHistory();
    TellIfNotShiftJis(text);
}

void CWeftpageView::OnFileSave() {
    if (!SaveDocument())
        return;
    SetCaption(m_naming.SavedCaption());
    ResetUndoHistory();
}

CPlatformUi::FileDialog CWeftpageView::SaveRequest() const {
    CPlatformUi::FileDialog request;
    request.save = true;
    request.filter = kSaveFilter;
    request.defaultExtension = m_naming.fileExtension;
    request.initialName = m_naming.FileName();
    if (!m_naming.filePath.isEmpty())
        request.initialFolder = QFileInfo(m_naming.filePath).absolutePath();
    request.overwritePrompt = true;
    return request;
}

void CWeftpageView::OnFileSaveAs() {
    const auto chosen = Ui().AskFileName(SaveRequest());
    if (!chosen)
        return;
    const bool sameFile = *chosen == m_naming.filePath;
    if (!MayOverwrite(*chosen, sameFile))
        return;
    const auto result = DocumentFile::Write(*chosen, Snapshot());
    if (!result.ok) {
        Ui().Ask(result.error, CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
        return;
    }
    RememberDiskState(result.stamp);
    m_doc.SetModifiedFlag(false);
    RemovePreviewCopy();
    m_naming = CNamingState::FromPath(*chosen);
    SetCaption(m_naming.SavedCaption());
    ResetUndoHistory();
}

void CWeftpageView::PlaceCaret(std::size_t offset) {
    SetSel(offset, offset);
    ScrollCaret();
}

void CWeftpageView::OnEditUndo() {
    if (m_undo.CanUndo())
        PutBack(m_undo.Undo(Snapshot()));
}

void CWeftpageView::OnEditRedo() {
    if (m_undo.CanRedo())
        PutBack(m_undo.Redo());
}

void CWeftpageView::PutBack(const CTextSnapshot& restored) {
    const auto length = static_cast<long long>(TextLength());
    const auto start = static_cast<long long>(GetSel().start);
    SetText(restored);
    PlaceCaret(
        static_cast<std::size_t>(std::max(0LL, start + static_cast<long long>(restored.Size()) - length)));
    // The text changed: the document is modified as after any edit, and the recovery copy
    // follows it.
    m_doc.SetModifiedFlag(true);
}

void CWeftpageView::InsertWrapped(std::string_view open, std::string_view close,
                                  std::optional<std::size_t> caret) {
    const Selection sel = GetSel();
    const std::string selected = GetTextRange(sel.start, sel.end);
    std::string text;
    text.reserve(open.size() + selected.size() + close.size());
    text.append(open).append(selected).append(close);
    ReplaceSel(text);
    PlaceCaret(sel.start + caret.value_or(open.size() + selected.size()));
}

void CWeftpageView::InsertReplacing(std::string_view text, std::optional<std::size_t> caret) {
    const Selection sel = GetSel();
    ReplaceSel(text);
    PlaceCaret(sel.start + caret.value_or(text.size()));
}

void CWeftpageView::InsertTemplateText(const std::string& pattern) {
    const Selection sel = GetSel();
    const auto insertion = ViewRules::ExpandTemplate(pattern, GetTextRange(sel.start, sel.end));
    ReplaceSel(insertion.text);
    PlaceCaret(sel.start + insertion.caret);
}

CWeftpageView::CaretPosition CWeftpageView::CaretLineColumn() const {
    const std::size_t caret = GetSel().end;
    const int line = LineFromChar(caret);
    return {line + 1, static_cast<int>(caret - LineIndex(line)) + 1};
}

void CWeftpageView::RunCommand(int id) {
    if (m_router)
        m_router->Execute(id);
    else if (HandlesCommand(id)) {
        CCommandState state;
        UpdateCommand(id, state);
        if (state.enabled)
            CCommandTarget::RunCommand(id);
    }
}

void CWeftpageView::ShowContextMenu(const QPoint& globalPos) {
    QMenu menu(this);
    for (const CMenuItem& item : ViewContextMenu()) {
        if (item.kind == CMenuItem::Kind::Separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromUtf8(item.caption));
        CCommandState state;
        if (m_router) {
            state = m_router->State(item.id);
        } else {
            state.enabled = HandlesCommand(item.id);
            UpdateCommand(item.id, state);
        }
        action->setEnabled(state.enabled);
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    }
    menu.exec(globalPos);
}

void CWeftpageView::StopAutoScroll() {
    m_scrollTimer.stop();
    m_scrollStep = 0;
}

void CWeftpageView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        ShowContextMenu(event->globalPosition().toPoint());
        CEditControl::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton && !(event->modifiers() & Qt::ShiftModifier)) {
        const Selection sel = GetSel();
        const std::size_t p = CharFromPos(event->position().toPoint());
        if (p != kNoPosition && ViewRules::StartsDrag(sel.start, sel.end, p)) {
            m_draggedText = GetTextRange(sel.start, sel.end);
            m_dragging = true;
            event->accept();
            return;
        }
    }
    m_dragging = false;
    CEditControl::mousePressEvent(event);
}

void CWeftpageView::mouseMoveEvent(QMouseEvent* event) {
    const std::size_t p = CharFromPos(event->position().toPoint());
    if (!m_dragging) {
        const Selection sel = GetSel();
        const bool overSelection = event->buttons() == Qt::NoButton && p != kNoPosition &&
                                   ViewRules::StartsDrag(sel.start, sel.end, p);
        viewport()->setCursor(overSelection ? Qt::ArrowCursor : Qt::IBeamCursor);
        CEditControl::mouseMoveEvent(event);
        return;
    }
    if (p == kNoPosition || p > TextLength()) {
        viewport()->setCursor(Qt::ForbiddenCursor);
        return;
    }
    const int step = ViewRules::AutoScrollStep(event->position().toPoint().y(), viewport()->height());
    if (step == 0) {
        StopAutoScroll();
    } else {
        m_scrollStep = step;
        if (!m_scrollTimer.isActive())
            m_scrollTimer.start();
    }
    viewport()->setCursor(Qt::DragMoveCursor);
    SetDropMark(p);
}

void CWeftpageView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        CEditControl::mouseReleaseEvent(event);
        return;
    }
    if (m_dragging) {
        const Selection sel = GetSel();
        const std::size_t p = CharFromPos(event->position().toPoint());
        const auto action = ViewRules::DropAction(sel.start, sel.end, p, TextLength());
        SetDropMark(std::nullopt);
        if (action.kind == ViewRules::CDropAction::Kind::Move) {
            // Two changes, so two undo steps: the text without the selection, then the text
            // with it at its new place.
            ReplaceSel(std::string_view());
            PlaceCaret(action.offset);
            ReplaceSel(m_draggedText);
        } else if (action.kind == ViewRules::CDropAction::Kind::PlaceCaret) {
            PlaceCaret(action.offset);
        }
        m_draggedText.clear();
        viewport()->setCursor(Qt::IBeamCursor);
    }
    StopAutoScroll();
    m_dragging = false;
    CEditControl::mouseReleaseEvent(event);
}

void CWeftpageView::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse opens the menu on the button press; the keyboard's menu key opens it here.
    if (event->reason() == QContextMenuEvent::Keyboard)
        ShowContextMenu(viewport()->mapToGlobal(PosFromChar(GetSel().end)));
    event->accept();
}

QString CWeftpageView::DroppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            return FileName::FromUrl(url);
    return {};
}

void CWeftpageView::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CWeftpageView::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CWeftpageView::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    OpenFileByPath(path);
}

void CWeftpageView::ShowFindDialog(bool replace) {
    if (!m_findDialog) {
        m_findDialog = new CFindReplaceDlg(replace, this);
        m_findDialog->setAttribute(Qt::WA_DeleteOnClose, false);
        connect(m_findDialog, &CFindReplaceDlg::FindNextRequested, this, [this] { FindNext(); });
        connect(m_findDialog, &CFindReplaceDlg::ReplaceRequested, this, [this] { ReplaceCurrent(); });
        connect(m_findDialog, &CFindReplaceDlg::ReplaceAllRequested, this, [this] { ReplaceAll(); });
    }
    m_findDialog->SetReplaceMode(replace);
    // A selection within one line is what the user most likely wants to find.
    const Selection sel = GetSel();
    if (sel.start < sel.end) {
        const std::string selected = GetTextRange(sel.start, sel.end);
        if (selected.find_first_of("\r\n") == std::string::npos)
            m_findDialog->SetFindText(Cp932::Decode(selected));
    }
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
    m_findDialog->FindField()->setFocus();
}

CFindReplaceDlg* CWeftpageView::FindDialog() const {
    return m_findDialog.data();
}

void CWeftpageView::OnEditFind() {
    ShowFindDialog(false);
}
void CWeftpageView::OnEditReplace() {
    ShowFindDialog(true);
}

std::optional<std::string> CWeftpageView::EncodeForSearch(const QString& text, const QString& what) {
    const Cp932::EncodeResult encoded = Cp932::Encode(text);
    if (!encoded.unrepresentable.isEmpty()) {
        Ui().Ask(QStringLiteral("%1に Shift-JIS で表せない文字があります。\n%2")
                     .arg(what, encoded.unrepresentable),
                 CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
        return std::nullopt;
    }
    return encoded.bytes;
}

void CWeftpageView::TellNotFound(const QString& text) {
    Ui().Ask(QStringLiteral("「%1」が見つかりません。").arg(text), CPlatformUi::Buttons::Ok,
             CPlatformUi::Icon::Information);
}

bool CWeftpageView::FindNext() {
    if (!m_findDialog)
        return false;
    const auto pattern = EncodeForSearch(m_findDialog->FindText(), QStringLiteral("検索する文字列"));
    if (!pattern || pattern->empty())
        return false;
    const CSearchOptions options = m_findDialog->Options();
    const Selection sel = GetSel();
    const auto match = FindText(Snapshot(), *pattern, options.forward ? sel.end : sel.start, options);
    if (!match) {
        TellNotFound(m_findDialog->FindText());
        return false;
    }
    SetSel(match->start, match->end);
    ScrollCaret();
    return true;
}

std::optional<std::pair<std::string, std::string>> CWeftpageView::ReplaceRequest() {
    if (!m_findDialog)
        return std::nullopt;
    const auto pattern = EncodeForSearch(m_findDialog->FindText(), QStringLiteral("検索する文字列"));
    if (!pattern || pattern->empty())
        return std::nullopt;
    const auto replacement = EncodeForSearch(m_findDialog->ReplaceText(), QStringLiteral("置換後の文字列"));
    if (!replacement)
        return std::nullopt;
    return std::make_pair(*pattern, *replacement);
}

void CWeftpageView::ReplaceCurrent() {
    const auto request = ReplaceRequest();
    if (!request)
        return;
    const auto& [pattern, replacement] = *request;
    // Only a selection that is itself a match is replaced; otherwise this finds the next one.
    const Selection sel = GetSel();
    if (IsMatch(Snapshot(), pattern, sel.start, sel.end, m_findDialog->Options()))
        ReplaceSel(replacement);
    FindNext();
}

void CWeftpageView::ReplaceAll() {
    const auto request = ReplaceRequest();
    if (!request)
        return;
    const auto& [pattern, replacement] = *request;
    // One replacement of the span from the first to the last match, so the whole
    // operation is one undo step however many matches there are.
    auto change = ReplaceAllIn(Snapshot(), pattern, replacement, m_findDialog->Options());
    if (!change) {
        TellNotFound(m_findDialog->FindText());
        return;
    }
    SetSel(change->start, change->end);
    // The bytes can be most of a large page: the text takes them over instead of a copy.
    ReplaceSelAdopting(std::move(change->bytes));
    ScrollCaret();
}
